#include "render/png_encoder.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <random>

namespace {

QImage Decoded(const QByteArray& png) {
    QImage image;
    image.loadFromData(png, "PNG");
    return image.convertToFormat(QImage::Format_RGB32);
}

// Every channel varies on its own, so a swapped or shifted byte shows.
QImage Gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x + 3 * y) % 256));
    return image;
}

// Pixels that do not compress: the stream outgrows its first room several times.
QImage Noise(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, 0xff000000u | (random() & 0xffffffu));
    return image;
}

// Mostly white with thin lines and text, as a plot.
QImage Drawing(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::red);
    for (int x = 0; x + 10 < width; x += 10)
        painter.drawLine(x, (x * x) % height, x + 10, ((x + 10) * (x + 10)) % height);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, width, height), Qt::AlignCenter, "-120 dB");
    return image;
}

} // namespace

TEST(PngEncoder, DecodesToTheSamePixels) {
    const struct {
        const char* name;
        QImage image;
    } cases[] = {
        {"one pixel", Gradient(1, 1)},
        {"odd width, rows not a multiple of a batch", Gradient(333, 37)},
        {"one column", Gradient(1, 70)},
        {"noise", Noise(640, 400)},
        {"drawing", Drawing(1500, 600)},
    };
    for (const auto& c : cases) {
        const QByteArray png = EncodeOpaquePng(c.image);
        ASSERT_FALSE(png.isEmpty()) << c.name;
        EXPECT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n")) << c.name;
        EXPECT_TRUE(Decoded(png) == c.image) << c.name;
    }
}

TEST(PngEncoder, KeepsTheResolution) {
    QImage image = Gradient(20, 10);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(7559);
    QImage back;
    ASSERT_TRUE(back.loadFromData(EncodeOpaquePng(image), "PNG"));
    EXPECT_EQ(back.dotsPerMeterX(), 3780);
    EXPECT_EQ(back.dotsPerMeterY(), 7559);
}

// What it cannot write in full is left to the toolkit's writer.
TEST(PngEncoder, RefusesImagesItWouldChange) {
    QImage withText = Gradient(4, 4);
    withText.setText("Title", "plot");
    EXPECT_TRUE(EncodeOpaquePng(withText).isEmpty());
    EXPECT_TRUE(EncodeOpaquePng(Gradient(4, 4).convertToFormat(QImage::Format_ARGB32)).isEmpty());
    EXPECT_TRUE(EncodeOpaquePng(QImage()).isEmpty());
}
