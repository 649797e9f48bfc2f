// HEIC/HEIF and AVIF pictures, the default of most phones, through libheif:
// Qt reads neither. Part of the picture intake, behind the same size bounds.
#pragma once
#include <QByteArray>
#include <QIODevice>
#include <QImage>

#include <functional>
#include <string>
#include <vector>

namespace vk {

// Whether the first bytes are an ISO media file of a HEIF or AVIF brand.
bool isHeifPicture(const QByteArray& head);

// The formats of that kind this installation decodes ("heic", "heif", "avif"), none without libheif.
std::vector<std::string> heifFormats();

// The primary picture, turned upright as the file's own transforms say, as
// straight-alpha ARGB32. `checkSize` sees the size before any pixel is
// decoded and throws to refuse it. Throws Error("Bitmap image is not valid: ...").
QImage decodeHeif(QIODevice& device, const std::function<void(qint64, qint64)>& checkSize);

} // namespace vk
