#include "platform/gui/jpeg.h"

#include "platform/error.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>

#include <cstdlib>
#include <jpeglib.h>
#include <jerror.h>

using namespace sps;

namespace {

QByteArray SaveJpeg(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "JPG", 100));
    return bytes;
}

// 32 x 16: left half red, right half blue.
QImage TwoColours()
{
    QImage image(32, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixel(x, y, x < 16 ? qRgb(220, 20, 20) : qRgb(20, 20, 220));
    return image;
}

bool Near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

std::string ErrorOf(const QByteArray& bytes)
{
    try {
        DecodeJpeg(bytes);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "";
}

} // namespace

TEST(Jpeg, DecodesColourAndGreyPicturesAsRgb)
{
    QImage image = DecodeJpeg(SaveJpeg(TwoColours()));
    ASSERT_EQ(image.width(), 32);
    ASSERT_EQ(image.height(), 16);
    EXPECT_EQ(image.format(), QImage::Format_RGB888);
    EXPECT_TRUE(Near(image.pixel(4, 8), qRgb(220, 20, 20), 12));
    EXPECT_TRUE(Near(image.pixel(28, 8), qRgb(20, 20, 220), 12));

    QImage grey(10, 7, QImage::Format_Grayscale8);
    grey.fill(QColor(100, 100, 100));
    QImage decoded = DecodeJpeg(SaveJpeg(grey));
    ASSERT_EQ(decoded.size(), QSize(10, 7));
    QRgb p = decoded.pixel(9, 6);
    EXPECT_EQ(qRed(p), qGreen(p));
    EXPECT_EQ(qGreen(p), qBlue(p));
    EXPECT_NEAR(qRed(p), 100, 3);
}

TEST(Jpeg, EveryCutOfTheFileIsAnError)
{
    QByteArray good = SaveJpeg(TwoColours());
    for (int cut = 0; cut < good.size(); ++cut) {
        std::string message = ErrorOf(good.left(cut));
        EXPECT_EQ(message.rfind("JPEG error #", 0), 0u) << cut << ": " << message;
    }
    EXPECT_EQ(ErrorOf(good), "");
    EXPECT_EQ(ErrorOf(good.left(good.size() - 100)), Format("JPEG error #%d", static_cast<int>(JWRN_JPEG_EOF)));
}

TEST(Jpeg, GarbageAndOversizedPicturesAreErrors)
{
    EXPECT_EQ(ErrorOf(QByteArray()), Format("JPEG error #%d", static_cast<int>(JERR_INPUT_EMPTY)));
    EXPECT_NE(ErrorOf(QByteArray("not a picture at all")), "");
    EXPECT_NE(ErrorOf(QByteArray(4096, '\xFF')), "");
    EXPECT_THROW(DecodeJpeg(nullptr, 10), Exception);

    // 10000 x 10000 in the frame header: refused before anything is allocated.
    QByteArray big = SaveJpeg(TwoColours());
    int sof = big.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    for (int i : {5, 7}) {
        big[sof + i] = static_cast<char>(10000 >> 8);
        big[sof + i + 1] = static_cast<char>(10000 & 0xFF);
    }
    EXPECT_EQ(ErrorOf(big), Format("JPEG error #%d", static_cast<int>(JERR_IMAGE_TOO_BIG)));
}
