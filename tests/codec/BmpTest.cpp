// Bitmap files: every depth decodes to the right pixels, canonical files are written back byte
// for byte, and damaged headers are refused with a reason.
#include "codec/Bmp.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

using namespace torvi;
using torvi::test::BmpFile;
using torvi::test::TBmpFields;
using torvi::test::TBytes;

namespace {

// 2 x 2, 24 bits, bottom-up: the first stored row is the bottom one. Rows pad to 8 bytes.
QByteArray Bmp24() {
    return TBytes{}
        .U8s({'B', 'M'})
        .U32(70) // file size: 14 + 40 + 2 rows of 8
        .U32(0)
        .U32(54)
        .U32(40)
        .I32(2)
        .I32(2)
        .U16(1)
        .U16(24)
        .U32(0)
        .U32(16)
        .I32(11811) // 300 dpi
        .I32(11811)
        .U32(0)
        .U32(0)
        .U8s({0, 0, 255, 0, 255, 0, 0, 0})     // bottom: red, green (B, G, R order)
        .U8s({255, 0, 0, 255, 255, 255, 0, 0}) // top: blue, white
        .b;
}

QImage Decoded(const QByteArray& file) {
    TRasterBild b;
    QString error;
    EXPECT_TRUE(DecodeBmp(file.constData(), file.size(), b, error)) << error.toStdString();
    return b.image;
}

QString Refusal(const QByteArray& file) {
    TRasterBild b;
    QString error;
    EXPECT_FALSE(DecodeBmp(file.constData(), file.size(), b, error));
    return error;
}

QByteArray Palette(std::initializer_list<QRgb> colours) {
    TBytes t;
    for (QRgb c : colours) t.U8s({qBlue(c), qGreen(c), qRed(c), 0});
    return t.b;
}

} // namespace

TEST(Bmp, TwentyFourBitsDecodeBottomUpAndWriteBackByteForByte) {
    const QByteArray file = Bmp24();
    TRasterBild b;
    QString error;
    ASSERT_TRUE(DecodeBmp(file.constData(), file.size(), b, error)) << error.toStdString();
    ASSERT_EQ(b.image.size(), QSize(2, 2));
    EXPECT_EQ(b.image.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(b.image.pixel(1, 0), qRgb(255, 255, 255));
    EXPECT_EQ(b.image.pixel(0, 1), qRgb(255, 0, 0));
    EXPECT_EQ(b.image.pixel(1, 1), qRgb(0, 255, 0));
    EXPECT_EQ(b.bitsPerPixel, 24);
    EXPECT_EQ(b.pixelsPerMeterX, 11811);
    EXPECT_EQ(EncodeBmp(b), file);
    EXPECT_EQ(BmpImageLength(file.constData(), file.size(), error), 70);
}

TEST(Bmp, TopDownRowsGiveTheSamePicture) {
    TBmpFields f;
    f.width = 2;
    f.height = -2;
    const QByteArray file = BmpFile(
        f, {}, TBytes{}.U8s({255, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0}).b);
    EXPECT_EQ(Decoded(file), Decoded(Bmp24()));
}

TEST(Bmp, PaletteDepthsDecodeAndWriteBackByteForByte) {
    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255);
    struct Case {
        uint16_t bits;
        QByteArray rows; // bottom-up, padded to 4 bytes
    };
    // 3 x 2 pictures: top row red, green, blue; bottom row blue, red, green.
    const Case cases[] = {
        {8, TBytes{}.U8s({2, 0, 1, 0, 0, 1, 2, 0}).b},
        {4, TBytes{}.U8s({0x20, 0x10, 0, 0, 0x01, 0x20, 0, 0}).b},
    };
    for (const Case& c : cases) {
        TBmpFields f;
        f.width = 3;
        f.height = 2;
        f.bits = c.bits;
        f.sizeImage = 8;
        f.clrUsed = 3;
        f.ppmX = f.ppmY = 3780;
        const QByteArray file = BmpFile(f, Palette({red, green, blue}), c.rows);
        TRasterBild b;
        QString error;
        ASSERT_TRUE(DecodeBmp(file.constData(), file.size(), b, error)) << c.bits;
        ASSERT_EQ(b.image.size(), QSize(3, 2));
        EXPECT_EQ(b.image.pixel(0, 0), red) << c.bits;
        EXPECT_EQ(b.image.pixel(2, 0), blue) << c.bits;
        EXPECT_EQ(b.image.pixel(0, 1), blue) << c.bits;
        EXPECT_EQ(b.image.pixel(2, 1), green) << c.bits;
        EXPECT_EQ(EncodeBmp(b), file) << c.bits;
    }
}

TEST(Bmp, OneBitRowsUseTheHighBitFirst) {
    TBmpFields f;
    f.width = 10;
    f.height = 1;
    f.bits = 1;
    f.sizeImage = 4;
    f.clrUsed = 2;
    // 1011000001: pixels 0, 2, 3 and 9 are white.
    const QByteArray file = BmpFile(f, Palette({qRgb(0, 0, 0), qRgb(255, 255, 255)}),
                                    TBytes{}.U8s({0xB0, 0x40, 0, 0}).b);
    TRasterBild b;
    QString error;
    ASSERT_TRUE(DecodeBmp(file.constData(), file.size(), b, error)) << error.toStdString();
    QString bits;
    for (int x = 0; x < 10; ++x) bits += b.image.pixel(x, 0) == qRgb(255, 255, 255) ? '1' : '0';
    EXPECT_EQ(bits, QStringLiteral("1011000001"));
    EXPECT_EQ(EncodeBmp(b), file);
}

TEST(Bmp, ThirtyTwoBitsPlainAndWithColourMasks) {
    TBmpFields plain;
    plain.width = 1;
    plain.height = 1;
    plain.bits = 32;
    plain.sizeImage = 4;
    const QByteArray plainFile = BmpFile(plain, {}, TBytes{}.U8s({10, 20, 30, 0}).b);
    EXPECT_EQ(Decoded(plainFile).pixel(0, 0), qRgb(30, 20, 10));
    TRasterBild b;
    QString error;
    ASSERT_TRUE(DecodeBmp(plainFile.constData(), plainFile.size(), b, error));
    EXPECT_EQ(EncodeBmp(b), plainFile);

    // Masks after the info header, here with red in the low byte.
    TBmpFields masked = plain;
    masked.compression = 3;
    const QByteArray maskedFile =
        BmpFile(masked, TBytes{}.U32(0x000000FF).U32(0x0000FF00).U32(0x00FF0000).b,
                TBytes{}.U8s({30, 20, 10, 0}).b);
    EXPECT_EQ(Decoded(maskedFile).pixel(0, 0), qRgb(30, 20, 10));
}

TEST(Bmp, OldCoreHeaderWithThreeBytePalette) {
    TBytes t;
    t.U8s({'B', 'M'}).U32(14 + 12 + 6 + 4).U32(0).U32(14 + 12 + 6);
    t.U32(12).U16(1).U16(1).U16(1).U16(1); // 1 x 1, one plane, 1 bit
    t.U8s({0, 0, 255, 255, 0, 0});         // red, blue
    t.U8s({0x80, 0, 0, 0});
    EXPECT_EQ(Decoded(t.b).pixel(0, 0), qRgb(0, 0, 255));
}

TEST(Bmp, IndicesBeyondAShortPaletteShowBlack) {
    TBmpFields f;
    f.width = 1;
    f.height = 1;
    f.bits = 8;
    f.clrUsed = 1;
    const QByteArray file = BmpFile(f, Palette({qRgb(255, 0, 0)}), TBytes{}.U8s({200, 0, 0, 0}).b);
    EXPECT_EQ(Decoded(file).pixel(0, 0), qRgb(0, 0, 0));
}

TEST(Bmp, DamagedHeadersAreRefused) {
    const QByteArray good = Bmp24();
    auto patched = [&](int offset, TBytes value) {
        QByteArray b = good;
        b.replace(offset, value.b.size(), value.b);
        return b;
    };
    struct Case {
        const char* name;
        QByteArray file;
        const char* reason;
    };
    TBmpFields huge;
    huge.width = 20000;
    huge.height = 6000;
    TBmpFields rle;
    rle.width = rle.height = 1;
    rle.bits = 8;
    rle.compression = 1;
    const Case cases[] = {
        {"empty", {}, "too short"},
        {"not a bitmap", patched(0, TBytes{}.U8s({'P', 'K'})), "not a bitmap"},
        {"pixels cut off", good.left(60), "truncated"},
        {"pixel offset inside headers", patched(10, TBytes{}.U32(20)), "inside its headers"},
        {"pixel offset far beyond", patched(10, TBytes{}.U32(0x7FFFFFF0)), "truncated"},
        {"info header size wild", patched(14, TBytes{}.U32(0xFFFFFFF0)), "info header size"},
        {"negative width", patched(18, TBytes{}.I32(-2)), "negative"},
        {"height of int32 minimum", patched(22, TBytes{}.I32(INT32_MIN)), "megapixels"},
        {"16 bits", patched(28, TBytes{}.U16(16)), "bits per pixel"},
        {"run-length compressed", BmpFile(rle, Palette({0}), TBytes{}.U8s({0, 0, 0, 0}).b),
         "compressed"},
        {"over 100 megapixels", BmpFile(huge, {}, {}), "megapixels"},
        {"palette larger than the depth allows",
         BmpFile({0, 0, 1, 1, 1, 0, 0, 0, 0, 3}, Palette({0, 0, 0}), TBytes{}.U32(0).b), "palette"},
    };
    for (const Case& c : cases) {
        const QString why = Refusal(c.file);
        EXPECT_TRUE(why.contains(QLatin1String(c.reason))) << c.name << ": " << why.toStdString();
    }
}

TEST(Bmp, ImageLengthIsCheckedAgainstTheBytesLeftAndTheHeaders) {
    const QByteArray good = Bmp24();
    QString error;
    // Bytes after the image (the next record) are not part of it.
    const QByteArray followed = good + QByteArray(10, 'x');
    EXPECT_EQ(BmpImageLength(followed.constData(), followed.size(), error), 70);

    QByteArray tooLong = good;
    tooLong.replace(2, 4, TBytes{}.U32(0x7FFFFFFF).b);
    EXPECT_EQ(BmpImageLength(tooLong.constData(), tooLong.size(), error), -1);
    EXPECT_TRUE(error.contains(QLatin1String("exceeds"))) << error.toStdString();

    QByteArray tooShort = good;
    tooShort.replace(2, 4, TBytes{}.U32(20).b);
    EXPECT_EQ(BmpImageLength(tooShort.constData(), tooShort.size(), error), -1);
    EXPECT_TRUE(error.contains(QLatin1String("smaller"))) << error.toStdString();
}

TEST(Bmp, EmptyPictureWritesAndReadsAsEmpty) {
    const QByteArray file = EncodeBmp(TRasterBild{});
    TRasterBild back;
    QString error;
    ASSERT_TRUE(DecodeBmp(file.constData(), file.size(), back, error)) << error.toStdString();
    EXPECT_TRUE(back.image.isNull());
    EXPECT_EQ(BmpImageLength(file.constData(), file.size(), error), file.size());
}

TEST(Bmp, TrueColourPictureWithoutPaletteWritesTwentyFourBits) {
    TRasterBild b;
    b.image = QImage(3, 1, QImage::Format_ARGB32);
    b.image.fill(qRgb(1, 2, 3));
    b.bitsPerPixel = 8; // no palette to write: falls back to true colour
    const QByteArray file = EncodeBmp(b);
    TRasterBild back;
    QString error;
    ASSERT_TRUE(DecodeBmp(file.constData(), file.size(), back, error));
    EXPECT_EQ(back.bitsPerPixel, 24);
    EXPECT_EQ(back.image.pixel(2, 0), qRgb(1, 2, 3));
}
