// JPEG data: pictures made with libjpeg decode at their size, and damaged, truncated or
// oversized data comes back as a reason instead of an abort.
#include "codec/Jpeg.h"

#include <gtest/gtest.h>

using namespace torvi;

namespace {

QImage Gradient(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, 128));
    return img;
}

QByteArray Encoded(const QImage& img) {
    QString error;
    const QByteArray data = EncodeJpeg(img, 95, error);
    EXPECT_FALSE(data.isEmpty()) << error.toStdString();
    return data;
}

QString Refusal(const QByteArray& data) {
    QImage out;
    QString error;
    EXPECT_FALSE(DecodeJpeg(data.constData(), data.size(), out, error));
    return error;
}

// Offset of the first frame header (SOF0) marker.
qsizetype FrameHeader(const QByteArray& data) {
    return data.indexOf(QByteArray("\xFF\xC0", 2));
}

} // namespace

TEST(Jpeg, EncodedPictureDecodesAtItsSizeWithItsColours) {
    const QImage img = Gradient(40, 24);
    const QByteArray data = Encoded(img);
    ASSERT_EQ(data.left(2), QByteArray("\xFF\xD8", 2));
    QImage out;
    QString error;
    ASSERT_TRUE(DecodeJpeg(data.constData(), data.size(), out, error)) << error.toStdString();
    ASSERT_EQ(out.size(), QSize(40, 24));
    EXPECT_EQ(out.format(), QImage::Format_RGB32);
    for (QPoint p : {QPoint(2, 2), QPoint(37, 3), QPoint(20, 20)}) {
        const QRgb a = img.pixel(p), b = out.pixel(p);
        EXPECT_NEAR(qRed(a), qRed(b), 12);
        EXPECT_NEAR(qGreen(a), qGreen(b), 12);
        EXPECT_NEAR(qBlue(a), qBlue(b), 12);
        EXPECT_EQ(qAlpha(b), 255);
    }
}

TEST(Jpeg, DamagedDataIsRefused) {
    const QByteArray good = Encoded(Gradient(64, 64));
    const qsizetype sof = FrameHeader(good);
    ASSERT_GT(sof, 0);
    QByteArray huge = good; // 20000 x 20000 in the frame header
    huge[sof + 5] = char(0x4E);
    huge[sof + 6] = char(0x20);
    huge[sof + 7] = char(0x4E);
    huge[sof + 8] = char(0x20);
    QByteArray noise = good;
    for (qsizetype i = good.size() / 2; i < good.size() - 2; ++i) noise[i] = char(0xFF);
    struct Case {
        const char* name;
        QByteArray data;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", {}, "empty"},
        {"not JPEG", QByteArray("GIF89a............"), "damaged"},
        {"header only", good.left(sof + 4), "damaged"},
        {"cut in the middle", good.left(good.size() / 2), "damaged"},
        {"over 100 megapixels", huge, "megapixels"},
    };
    for (const Case& c : cases) {
        const QString why = Refusal(c.data);
        EXPECT_TRUE(why.contains(QLatin1String(c.reason))) << c.name << ": " << why.toStdString();
    }
    // Marker garbage inside the scan data either fails or decodes at the stated size.
    QImage out;
    QString error;
    if (DecodeJpeg(noise.constData(), noise.size(), out, error)) {
        EXPECT_EQ(out.size(), QSize(64, 64));
    }
}

TEST(Jpeg, EncodingAnEmptyPictureFails) {
    QString error;
    EXPECT_TRUE(EncodeJpeg(QImage(), 90, error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
}
