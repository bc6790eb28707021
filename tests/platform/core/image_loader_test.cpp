#include "platform/core/image_loader.h"

#include <QColor>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {

// A JPEG written by libjpeg itself; samples row by row, `components` per pixel. One sample
// per pixel in every component, so solid 8x8 blocks keep their colours.
QByteArray encodeJpeg(int width, int height, J_COLOR_SPACE space, int components, const std::vector<JSAMPLE>& samples)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, space == JCS_RGB ? JCS_YCbCr : space);
    for (int i = 0; i < cinfo.num_components; ++i) cinfo.comp_info[i].h_samp_factor = cinfo.comp_info[i].v_samp_factor = 1;
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(&samples[std::size_t(cinfo.next_scanline) * std::size_t(width * components)]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray jpeg(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return jpeg;
}

// 16x8 pixels: the left 8x8 block in one colour, the right in the other.
std::vector<JSAMPLE> twoBlocks(const std::vector<JSAMPLE>& left, const std::vector<JSAMPLE>& right)
{
    std::vector<JSAMPLE> samples;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) samples.insert(samples.end(), (x < 8 ? left : right).begin(), (x < 8 ? left : right).end());
    return samples;
}

bool near(QRgb actual, QRgb expected)
{
    const int tolerance = 4;
    return std::abs(qRed(actual) - qRed(expected)) <= tolerance && std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

class ImageLoaderTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) const
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

    QTemporaryDir dir;
};

struct JpegCase {
    const char* name;
    J_COLOR_SPACE space;
    int components;
    std::vector<JSAMPLE> left, right;
    QRgb expectedLeft, expectedRight;
};

TEST_F(ImageLoaderTest, JpegDecodesToItsSizeAndColours)
{
    const JpegCase cases[] = {
        {"grayscale", JCS_GRAYSCALE, 1, {40}, {200}, qRgb(40, 40, 40), qRgb(200, 200, 200)},
        {"rgb", JCS_RGB, 3, {220, 30, 30}, {30, 60, 210}, qRgb(220, 30, 30), qRgb(30, 60, 210)},
        // stored inverted, as Adobe's programs write CMYK
        {"cmyk", JCS_CMYK, 4, {220, 30, 30, 255}, {255, 255, 255, 128}, qRgb(220, 30, 30), qRgb(128, 128, 128)},
    };
    for (const auto& c : cases) {
        // the name says nothing: the content decides
        const QString path = write(QString(c.name) + ".bmp", encodeJpeg(16, 8, c.space, c.components, twoBlocks(c.left, c.right)));
        const QImage image = loadImage(path);
        ASSERT_EQ(image.size(), QSize(16, 8)) << c.name;
        for (const QPoint p : {QPoint(0, 0), QPoint(4, 3), QPoint(7, 7)})
            EXPECT_TRUE(near(image.pixel(p), c.expectedLeft)) << c.name << " left: " << QColor(image.pixel(p)).name().toStdString();
        for (const QPoint p : {QPoint(8, 0), QPoint(12, 4), QPoint(15, 7)})
            EXPECT_TRUE(near(image.pixel(p), c.expectedRight)) << c.name << " right: " << QColor(image.pixel(p)).name().toStdString();
    }
}

TEST_F(ImageLoaderTest, BmpIcoAndPngDecodeThroughQt)
{
    QImage original(3, 2, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(10, 20, 30), qRgb(255, 255, 255), qRgb(0, 0, 0)};
    for (int i = 0; i < 6; ++i) original.setPixel(i % 3, i / 3, colours[i]);
    for (const char* format : {"BMP", "ICO", "PNG"}) {
        const QString path = dir.filePath(QStringLiteral("logo.") + QString::fromLatin1(format).toLower());
        ASSERT_TRUE(original.save(path, format)) << format;

        const QImage image = loadImage(path);
        ASSERT_EQ(image.size(), QSize(3, 2)) << format;
        for (int i = 0; i < 6; ++i) EXPECT_EQ(image.pixel(i % 3, i / 3) | 0xFF000000u, colours[i]) << format << " " << i;
    }
}

TEST_F(ImageLoaderTest, GifDecodesThroughQt)
{
    // 2x1 pixels, red then blue, from a two-colour table (Qt writes no GIF).
    const char gif[] = "GIF89a\x02\x00\x01\x00\x80\x00\x00\xFF\x00\x00\x00\x00\xFF"
                       ",\x00\x00\x00\x00\x02\x00\x01\x00\x00\x02\x02\x44\x0A\x00;";
    const QImage image = loadImage(write("toolbar.gif", QByteArray(gif, sizeof gif - 1)));
    ASSERT_EQ(image.size(), QSize(2, 1));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(0, 0, 255));
}

TEST_F(ImageLoaderTest, DamagedOrMissingFilesGiveAnEmptyImage)
{
    std::vector<JSAMPLE> pattern;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) pattern.insert(pattern.end(), {JSAMPLE(x * 4), JSAMPLE(y * 4), JSAMPLE((x ^ y) * 4)});
    const QByteArray jpeg = encodeJpeg(64, 64, JCS_RGB, 3, pattern);
    ASSERT_FALSE(loadImage(write("whole.jpg", jpeg)).isNull());

    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"cut in its tables", jpeg.left(200)},
        {"cut in its picture data", jpeg.left(jpeg.size() * 3 / 4)},
        {"without its end marker", jpeg.left(jpeg.size() - 2)},
        {"only the JPEG signature", QByteArray("\xFF\xD8\xFF", 3)},
        {"garbage", QByteArray("this is no picture at all \x01\x02\x03\xFE", 30)},
        {"empty", QByteArray()},
    };
    for (const auto& c : cases) EXPECT_TRUE(loadImage(write("damaged.jpg", c.bytes)).isNull()) << c.name;
    EXPECT_TRUE(loadImage(dir.filePath("missing.gif")).isNull());
    EXPECT_TRUE(loadImage(dir.path()).isNull());  // a folder
}

}  // namespace
