#pragma once
// A small JPEG decoder on libjpeg (IJG API). Its error manager returns to the caller instead of
// ending the process, so a broken file is only a refused file.
#include <QByteArray>
#include <QImage>

// The work of a decoding is bounded, so that any file is taken or refused within the bound
// below. A photo of a few thousand pixels a side, progressive and in colour, stays within every
// limit; a picture for the register's 384 x 96 field needs a small part of each.
//
// The bytes: every one is read bit by bit, and a progressive file's bytes are the slowest.
constexpr qint64 JpegMaxFileBytes = 16LL * 1024 * 1024;
// The pixels, width times height: each is transformed, converted and stored once.
constexpr qint64 JpegMaxPixels = 4096LL * 4096;
// The passes over them: a progressive file may hold any number of scans, each one a pass over
// the pixels of its components. Pixels times scans above this is refused: a 4096 x 4096 colour
// picture, chroma at full resolution, through the standard progressive script asks 235 million,
// a 4000 x 3000 one with the usual halved chroma 96 million.
constexpr qint64 JpegMaxScanPixels = 16 * JpegMaxPixels;
// And scans as such, for a small picture of very many.
constexpr int JpegMaxScans = 1000;

// Processor time within which any file is taken or refused: the slowest file tried within the
// limits (4096 x 4096, progressive, colour noise filling 16 MB) took 0.6 s on a machine busy with
// other work. One over them, or one arithmetic-coded (several times slower to decode, and
// written by no camera), is refused before its data is read.
constexpr int JpegDecodeBoundMs = 1000;

// The picture as 24-bit RGB; a null image when the bytes are not a whole JPEG that decodes
// cleanly (corrupt, cut short, an unsupported colour space, arithmetic-coded, over the limits above).
QImage DecodeJpeg(const QByteArray& bytes);
