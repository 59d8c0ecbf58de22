#include "service/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared before it.
#include <jerror.h>
#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    jpeg_progress_mgr progress;
    int scan = 0;
    qint64 scanPixels = 0;
};

[[noreturn]] void OnError(j_common_ptr info)
{
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(err->jump, 1);
}

// Notes that change nothing in the picture; every other warning means corrupt data, which
// libjpeg would decode into a garbled or grey picture.
bool HarmlessWarning(int code)
{
    return code == JWRN_ADOBE_XFORM || code == JWRN_JFIF_MAJOR;
}

void OnMessage(j_common_ptr info, int level)
{
    if (level < 0 && !HarmlessWarning(info->err->msg_code))
        OnError(info);
}

// Called as each scan starts and each row of blocks is read: ends a file whose scans ask more
// work than any real picture needs.
void OnProgress(j_common_ptr info)
{
    auto* cinfo = reinterpret_cast<j_decompress_ptr>(info);
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    if (cinfo->input_scan_number == err->scan)
        return;
    err->scan = cinfo->input_scan_number;
    for (int i = 0; i < cinfo->comps_in_scan; ++i)
        err->scanPixels += 64 * qint64(cinfo->cur_comp_info[i]->width_in_blocks) * cinfo->cur_comp_info[i]->height_in_blocks;
    if (err->scan > JpegMaxScans || err->scanPixels > JpegMaxScanPixels)
        OnError(info);
}

void Silent(j_common_ptr) {}

// Decodes into image; false on any fault. Kept apart from DecodeJpeg so that nothing with a
// destructor lives across the setjmp.
bool Decode(jpeg_decompress_struct& cinfo, ErrorManager& err, const QByteArray& bytes, QImage& image)
{
    if (setjmp(err.jump))
        return false;
    jpeg_create_decompress(&cinfo);
    cinfo.progress = &err.progress;   // the create clears it
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK)
        return false;
    if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK)
        return false;
    // Arithmetic coding asks several times the work the limits allow for.
    if (cinfo.arith_code)
        return false;
    cinfo.out_color_space = JCS_RGB;
    jpeg_calc_output_dimensions(&cinfo);
    if (cinfo.output_width == 0 || cinfo.output_height == 0 || cinfo.output_width > 32767 ||
        cinfo.output_height > 32767 || qint64(cinfo.output_width) * cinfo.output_height > JpegMaxPixels)
        return false;
    jpeg_start_decompress(&cinfo);
    image = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB888);
    if (image.isNull())
        return false;
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image.scanLine(int(cinfo.output_scanline));
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
            return false;
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray& bytes)
{
    if (bytes.isEmpty() || bytes.size() > JpegMaxFileBytes)
        return {};
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = OnError;
    err.pub.emit_message = OnMessage;
    err.pub.output_message = Silent;
    err.progress.progress_monitor = OnProgress;
    QImage image;
    const bool ok = Decode(cinfo, err, bytes, image);
    jpeg_destroy_decompress(&cinfo);
    return ok ? image : QImage();
}
