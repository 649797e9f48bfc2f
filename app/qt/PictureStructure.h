// The structure checks of the picture intake: what each format's own bytes
// must hold before a decoder may allocate for the size they claim.
#pragma once
#include "raster/Error.h"

#include <QByteArray>
#include <QIODevice>

namespace vk {

// "Bitmap image is not valid", with the reason after a colon when there is one.
Error invalidPicture(const char* why = nullptr);
// A claimed size against the intake's bound: "Picture is too large: ..." past it.
void checkPictureSize(qint64 width, qint64 height);
// The claimed pixels against what the file's bytes can hold at the format's best ratio.
void checkHeld(qint64 pixels, qint64 mostPixels);
// MNG and JNG, which the intake refuses: libmng sizes its buffers from a header
// before anything is checked (a 114-byte file took 200 MB). `head`: the first 4 bytes.
inline bool isRefusedAnimation(const QByteArray& head) { return head == "\x8aMNG" || head == "\x8bJNG"; }
// The format's own checks, by its signature (PNG, JPEG, GIF); the name the
// reader should use, empty for a format without checks of its own.
QByteArray checkStructure(QIODevice& device);

} // namespace vk
