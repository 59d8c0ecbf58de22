#pragma once
// A small JPEG decoder on libjpeg (IJG API). Its error manager returns to the caller instead of
// ending the process, so a broken file is only a refused file.
#include <QByteArray>
#include <QImage>

// Pictures larger than this when decoded are refused (the limit Qt's own readers keep).
constexpr qint64 JpegDecodedLimitBytes = 256LL * 1024 * 1024;

// The picture as 24-bit RGB; a null image when the bytes are not a whole JPEG that decodes
// (corrupt, cut short, an unsupported colour space, over the size limit).
QImage DecodeJpeg(const QByteArray& bytes);
