#pragma once
// A small JPEG decoder on libjpeg (IJG API). Its error manager returns to the caller instead of
// ending the process, so a broken file is only a refused file.
#include <QByteArray>
#include <QImage>

// Pictures larger than this when decoded are refused (the limit Qt's own readers keep).
constexpr qint64 JpegDecodedLimitBytes = 256LL * 1024 * 1024;

// A progressive file may hold any number of scans, each one a pass over its blocks. The work is
// bounded: more scans than this, or more 8x8 blocks summed over the scans than this, is refused.
// The standard progressive script asks 14 million of the largest colour picture taken (64
// megapixels, chroma at full resolution), and far fewer of any smaller one.
constexpr int JpegMaxScans = 1000;
constexpr qint64 JpegMaxScanBlocks = 20'000'000;

// Any file is taken or refused within this much processor time.
constexpr int JpegDecodeBoundMs = 1000;

// The picture as 24-bit RGB; a null image when the bytes are not a whole JPEG that decodes
// cleanly (corrupt, cut short, an unsupported colour space, over the size or work limits).
QImage DecodeJpeg(const QByteArray& bytes);
