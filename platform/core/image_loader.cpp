#include "platform/core/image_loader.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

bool isJpeg(const QByteArray& data) { return data.startsWith("\xFF\xD8\xFF"); }

// libjpeg's own handler ends the process; ours returns to the decoder.
struct JpegErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf returnTo;
};

[[noreturn]] void leaveDecoder(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<JpegErrorManager*>(cinfo->err)->returnTo, 1);
}

// A warning means damaged data (a truncated file is padded with grey): refuse the picture.
void onMessage(j_common_ptr cinfo, int level)
{
    if (level < 0) leaveDecoder(cinfo);
}

// Kept outside the frame that calls setjmp, so that nothing it changes is lost by the jump.
struct JpegDecoder {
    jpeg_decompress_struct cinfo;
    JpegErrorManager errors;
};

QImage::Format imageFormat(J_COLOR_SPACE out)
{
    switch (out) {
    case JCS_GRAYSCALE: return QImage::Format_Grayscale8;
    case JCS_RGB: return QImage::Format_RGB888;
    default: return QImage::Format_RGB32;  // CMYK, turned to RGB in place
    }
}

// Adobe's programs store CMYK inverted and mark it so; libjpeg hands the samples over as stored.
void cmykToRgb(uchar* row, int width, bool inverted)
{
    auto* pixels = reinterpret_cast<QRgb*>(row);
    for (int x = 0; x < width; ++x) {
        const uchar* s = row + 4 * x;
        int c = s[0], m = s[1], y = s[2], k = s[3];
        if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        pixels[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

// Only plain data lives in this frame: a longjmp back into it skips no destructor.
bool decodeJpeg(JpegDecoder& d, const QByteArray& data, QImage& image)
{
    d.cinfo.err = jpeg_std_error(&d.errors.pub);
    d.errors.pub.error_exit = leaveDecoder;
    d.errors.pub.emit_message = onMessage;
    if (setjmp(d.errors.returnTo)) return false;

    jpeg_create_decompress(&d.cinfo);
    jpeg_mem_src(&d.cinfo, reinterpret_cast<const unsigned char*>(data.constData()), (unsigned long)data.size());
    jpeg_read_header(&d.cinfo, TRUE);
    switch (d.cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE: d.cinfo.out_color_space = JCS_GRAYSCALE; break;
    case JCS_CMYK:
    case JCS_YCCK: d.cinfo.out_color_space = JCS_CMYK; break;
    default: d.cinfo.out_color_space = JCS_RGB; break;
    }
    jpeg_start_decompress(&d.cinfo);

    image = QImage(int(d.cinfo.output_width), int(d.cinfo.output_height), imageFormat(d.cinfo.out_color_space));
    if (image.isNull()) return false;
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        const int y = int(d.cinfo.output_scanline);
        JSAMPROW row = image.scanLine(y);
        if (jpeg_read_scanlines(&d.cinfo, &row, 1) != 1) return false;
        if (d.cinfo.out_color_space == JCS_CMYK) cmykToRgb(row, image.width(), d.cinfo.saw_Adobe_marker);
    }
    jpeg_finish_decompress(&d.cinfo);
    return true;
}

QImage loadJpeg(const QByteArray& data)
{
    JpegDecoder decoder{};  // zeroed: destroying a decoder that was never created does nothing
    QImage image;
    const bool decoded = decodeJpeg(decoder, data, image);
    jpeg_destroy_decompress(&decoder.cinfo);
    return decoded ? image : QImage();
}

}  // namespace

QImage loadImage(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QByteArray data = file.readAll();
    if (isJpeg(data)) return loadJpeg(data);
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    return reader.read();
}
