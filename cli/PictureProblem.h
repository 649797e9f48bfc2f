// What the command line says of a picture that cannot be read: the format its
// bytes actually hold and the intake's reason, or that it holds no picture.
#pragma once
#include "app/Workbench.h"

#include <filesystem>
#include <string>

namespace vk::cli {

// "JPEG", "PNG", "HEIC" ... from the file's first bytes; "text", "empty" or "" (nothing known).
std::string formatFound(const std::filesystem::path& file);

// The reason a picture failed, for "<path>: <reason>": "JPEG picture: the file
// ends before the picture does", "text, not a picture" ...
std::string pictureProblem(const std::filesystem::path& file, const std::string& intakeMessage);

// Get Bitmap of one picture; the intake's refusal is rethrown as
// Error(pictureProblem(...)), after "<path>: " when `namingIt`.
void loadPictureSaying(Workbench& bench, WhichPicture which, const std::string& path, bool namingIt);

// Whether a file is a picture by its name (an extension of a format pictures
// come in) or by its content: one that fails to load is then a failure, not a skip.
bool pictureByNameOrContent(const std::filesystem::path& file, const std::vector<std::string>& readableFormats);

} // namespace vk::cli
