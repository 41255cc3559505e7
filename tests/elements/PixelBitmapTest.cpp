// Pictures: sizing from files, drawing upright, mirrored, turned and sheared, the record with
// an embedded bitmap file or JPEG data, and damaged records.
#include "elements/PixelBitmap.h"
#include "codec/Bmp.h"
#include "codec/Jpeg.h"
#include "support/Records.h"
#include "surface/RecordingSurface.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace torvi;
using namespace torvi::test;

namespace {

struct TViewGuard {
    TViewTransform saved = Shared().ViewTransform;
    explicit TViewGuard(TViewTransform v) { Shared().ViewTransform = v; }
    ~TViewGuard() { Shared().ViewTransform = saved; }
};

// 2 x 2, 24 bits, 300 dpi: bottom row red, green; top row blue, white.
QByteArray SmallBmp() {
    TBmpFields f;
    f.width = 2;
    f.height = 2;
    f.sizeImage = 16;
    f.ppmX = f.ppmY = 11811;
    return BmpFile(f, {},
                   TBytes{}.U8s({0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0}).b);
}

QImage Gradient(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, 60));
    return img;
}

QByteArray Jpeg(const QImage& img) {
    QString error;
    return EncodeJpeg(img, 90, error);
}

// Kind byte, common part and the box (10, 20) .. (110, 70).
TBytes RecordStart() {
    TBytes t;
    t.U8(9);
    CommonPart(t, false, true, 2, 0, 0xFFFFFF, false);
    for (TPunkt p : {TPunkt{10, 20}, TPunkt{110, 20}, TPunkt{110, 70}, TPunkt{10, 70}})
        t.F32(p.x).F32(p.y);
    return t;
}

QByteArray BmpRecord(const QByteArray& bmp) {
    return RecordStart().U8(0).Raw(bmp).b;
}

QByteArray JpegRecord(const QByteArray& jpeg) {
    return RecordStart().U8(1).I32(int32_t(jpeg.size())).Raw(jpeg).b;
}

std::unique_ptr<TPixelBitmap> Picture(int w, int h, std::array<TPunkt, 4> box) {
    auto b = std::make_unique<TPixelBitmap>();
    b->PastePicture(Gradient(w, h));
    b->Ecken = box;
    return b;
}

constexpr std::array<TPunkt, 4> kUpright = {TPunkt{10, 20}, {110, 20}, {110, 70}, {10, 70}};

void ExpectCornersAt(const TRecordedOp& op, const std::array<TPunkt, 4>& box) {
    ASSERT_EQ(op.points.size(), 4);
    for (int i = 0; i < 4; ++i) {
        const TIntPunkt p = ToPixel(box[size_t(i)], Shared().ViewTransform);
        EXPECT_NEAR(op.points[i].x(), p.x, 1) << "corner " << i;
        EXPECT_NEAR(op.points[i].y(), p.y, 1) << "corner " << i;
    }
}

} // namespace

TEST(PixelBitmapRecord, EmbeddedBitmapReadsAndWritesBackByteForByte) {
    const QByteArray record = BmpRecord(SmallBmp());
    TElementPtr e = ReadOne(record);
    ASSERT_TRUE(e);
    auto& pic = static_cast<TPixelBitmap&>(*e);
    EXPECT_EQ(pic.Ecken, kUpright);
    ASSERT_EQ(pic.Bild.image.size(), QSize(2, 2));
    EXPECT_EQ(pic.Bild.image.pixel(0, 1), qRgb(255, 0, 0));
    EXPECT_EQ(WriteOne(pic), record);
}

TEST(PixelBitmapRecord, PaletteBitmapKeepsItsDepthWhenWrittenBack) {
    TBmpFields f;
    f.width = 3;
    f.height = 1;
    f.bits = 8;
    f.sizeImage = 4;
    f.clrUsed = 2;
    const QByteArray bmp =
        BmpFile(f, TBytes{}.U8s({0, 0, 255, 0, 255, 0, 0, 0}).b, TBytes{}.U8s({0, 1, 0, 0}).b);
    const QByteArray record = BmpRecord(bmp);
    TElementPtr e = ReadOne(record);
    ASSERT_TRUE(e);
    EXPECT_EQ(WriteOne(*e), record);
}

TEST(PixelBitmapRecord, JpegDataIsReadAndWrittenAsABitmap) {
    const QImage img = Gradient(16, 8);
    const QByteArray record = JpegRecord(Jpeg(img));
    TElementPtr e = ReadOne(record);
    ASSERT_TRUE(e);
    auto& pic = static_cast<TPixelBitmap&>(*e);
    ASSERT_EQ(pic.Bild.image.size(), QSize(16, 8));
    EXPECT_NEAR(qRed(pic.Bild.image.pixel(12, 2)), qRed(img.pixel(12, 2)), 16);

    const QByteArray written = WriteOne(pic);
    const qsizetype head = 1 + kCommonPartSize + 32;
    EXPECT_EQ(written.left(head), record.left(head));
    EXPECT_EQ(written[head], 0); // the bitmap form
    TElementPtr back = ReadOne(written);
    ASSERT_TRUE(back);
    EXPECT_EQ(static_cast<TPixelBitmap&>(*back).Bild.image, pic.Bild.image);
    EXPECT_EQ(WriteOne(*back), written);
}

TEST(PixelBitmapRecord, OldLayoutHasARoundedBoxAndNoFormByte) {
    TBytes t;
    t.U8(9);
    CommonPart(t, false, true, 2, 0, 0xFFFFFF, false);
    t.F32(10.4f).F32(20.6f).F32(110.5f).F32(70.5f).Raw(SmallBmp());
    TElementPtr e = ReadOne(t.b, 59);
    ASSERT_TRUE(e);
    const std::array<TPunkt, 4> box = {TPunkt{10, 21}, {110, 21}, {110, 70}, {10, 70}};
    EXPECT_EQ(static_cast<TPixelBitmap&>(*e).Ecken, box);
}

TEST(PixelBitmapRecord, DamagedPicturesAreReadErrors) {
    const QByteArray bmp = SmallBmp();
    const QByteArray jpeg = Jpeg(Gradient(32, 32));
    auto withFileSize = [&](uint32_t size) {
        QByteArray b = bmp;
        b.replace(2, 4, TBytes{}.U32(size).b);
        return BmpRecord(b);
    };
    TBmpFields huge;
    huge.width = 30000;
    huge.height = 30000;
    struct Case {
        const char* name;
        QByteArray record;
    };
    const Case cases[] = {
        {"unknown form", RecordStart().U8(2).Raw(bmp).b},
        {"no form byte", RecordStart().b},
        {"bitmap cut off", BmpRecord(bmp).chopped(5)},
        {"bitmap file size beyond the data", withFileSize(0x7FFFFFF0)},
        {"bitmap file size below its headers", withFileSize(30)},
        {"bitmap of 900 megapixels", BmpRecord(BmpFile(huge, {}, {}))},
        {"not a bitmap", BmpRecord(QByteArray(80, 'x'))},
        {"negative JPEG length", RecordStart().U8(1).I32(-1).Raw(jpeg).b},
        {"JPEG length beyond the data", RecordStart().U8(1).I32(1 << 30).Raw(jpeg).b},
        {"JPEG cut off", JpegRecord(jpeg.chopped(8))},
        {"JPEG of garbage", JpegRecord(QByteArray(64, '\x55'))},
        {"empty JPEG", JpegRecord({})},
        {"common part cut off", QByteArray("\x09\x00\x01", 3)},
    };
    for (const Case& c : cases) {
        TByteReader r(c.record);
        EXPECT_THROW(ReadElement(r, {}), TReadError) << c.name;
    }
}

TEST(PixelBitmapLoad, FilesAreSizedByTheirResolution) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return dir.filePath(name);
    };
    auto bmp = [](int w, int h, uint16_t bits, int32_t ppm) {
        TRasterBild b;
        b.image = bits <= 8 ? QImage(w, h, QImage::Format_Indexed8) : Gradient(w, h);
        if (bits <= 8) {
            b.image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 0)});
            b.image.fill(1);
        }
        b.bitsPerPixel = bits;
        b.pixelsPerMeterX = b.pixelsPerMeterY = ppm;
        return EncodeBmp(b);
    };
    struct Case {
        const char* name;
        QString file;
        float w, h;
        bool jpeg;
    };
    const Case cases[] = {
        {"24 bits at 300 dpi", write("a.bmp", bmp(300, 150, 24, 11811)), 254, 127, false},
        {"24 bits without resolution", write("b.BMP", bmp(300, 150, 24, 0)), 300 / 72.f * 254,
         150 / 72.f * 254, false},
        {"8-bit palette at 200 dpi", write("c.Bmp", bmp(100, 50, 8, 7874)), 127, 63.5f, false},
        {"JPEG at 100 dpi", write("d.jpg", Jpeg(Gradient(100, 100))), 254, 254, true},
        {"JPEG of any other name", write("e.pic", Jpeg(Gradient(50, 20))), 127, 50.8f, true},
    };
    for (const Case& c : cases) {
        TPixelBitmap pic;
        QString error;
        ASSERT_TRUE(pic.LoadPicture(c.file, {5, 7}, &error)) << c.name << error.toStdString();
        EXPECT_EQ(pic.Ecken[0], (TPunkt{5, 7})) << c.name;
        EXPECT_NEAR(pic.Ecken[2].x - 5, c.w, 0.01) << c.name;
        EXPECT_NEAR(pic.Ecken[2].y - 7, c.h, 0.01) << c.name;
        EXPECT_EQ(pic.Ecken[1], (TPunkt{pic.Ecken[2].x, 7})) << c.name;
        EXPECT_EQ(pic.Ecken[3], (TPunkt{5, pic.Ecken[2].y})) << c.name;
        EXPECT_EQ(pic.IstJpeg, c.jpeg) << c.name;
    }
}

TEST(PixelBitmapLoad, FailuresKeepThePreviousPicture) {
    QTemporaryDir dir;
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return dir.filePath(name);
    };
    TBmpFields huge;
    huge.width = 20000;
    huge.height = 6000;
    struct Case {
        const char* name;
        QString file;
        const char* reason;
    };
    const Case cases[] = {
        {"missing file", dir.filePath("none.bmp"), "cannot open"},
        {"JPEG named .bmp", write("j.bmp", Jpeg(Gradient(8, 8))), "not a bitmap"},
        {"bitmap named .jpg", write("b.jpg", SmallBmp()), "damaged"},
        {"over 100 megapixels", write("h.bmp", BmpFile(huge, {}, {})), "megapixels"},
    };
    for (const Case& c : cases) {
        auto pic = Picture(4, 3, kUpright);
        const QImage before = pic->Bild.image;
        QString error;
        EXPECT_FALSE(pic->LoadPicture(c.file, {0, 0}, &error)) << c.name;
        EXPECT_TRUE(error.contains(QLatin1String(c.reason)))
            << c.name << ": " << error.toStdString();
        EXPECT_EQ(pic->Bild.image, before) << c.name;
        EXPECT_EQ(pic->Ecken, kUpright) << c.name;
    }
}

TEST(PixelBitmapLoad, PastedPictureIsOnePixelPerUnit) {
    TPixelBitmap pic;
    ASSERT_TRUE(pic.PastePicture(Gradient(100, 100)));
    const std::array<TPunkt, 4> box = {TPunkt{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    EXPECT_EQ(pic.Ecken, box);
    EXPECT_FALSE(pic.PastePicture(QImage()));
}

TEST(PixelBitmapDraw, UprightAndMirroredPicturesStretchIntoTheirBox) {
    TViewGuard view({2, 2, 10, 20});
    auto upright = Picture(8, 4, kUpright);
    auto mirrored = Picture(8, 4, kUpright);
    mirrored->MirrorH({60, 0});
    auto turned180 = Picture(8, 4, kUpright);
    turned180->RotateAbout({60, 45}, kPi);
    for (TPixelBitmap* pic : {upright.get(), mirrored.get(), turned180.get()}) {
        TRecordingSurface s;
        s.canTransformImages = false; // upright pictures never need the parallelogram transfer
        pic->Draw(s);
        const auto images = s.OfType(TRecordedOp::Type::Image);
        ASSERT_EQ(images.size(), 1u);
        ExpectCornersAt(images[0], pic->Ecken);
    }
    EXPECT_LT(mirrored->Ecken[1].x, mirrored->Ecken[0].x); // corners are not reordered
}

TEST(PixelBitmapDraw, TurnedAndShearedPicturesPutTheirCornersOnTheBox) {
    TViewGuard view({2, 2, 10, 20});
    auto rotated = Picture(8, 4, kUpright);
    rotated->RotateAbout({60, 45}, kPi / 2);
    auto slanted = Picture(8, 4, kUpright);
    slanted->RotateAbout({0, 0}, 30 * kPi / 180);
    auto sheared = Picture(8, 4, kUpright);
    sheared->ShearAbout({60, 45}, 0.5, 0);
    for (TPixelBitmap* pic : {rotated.get(), slanted.get(), sheared.get()}) {
        TRecordingSurface s;
        int afterDraw = 0;
        pic->OnAfterDraw = [&] { ++afterDraw; };
        pic->Draw(s);
        const auto images = s.OfType(TRecordedOp::Type::Image);
        ASSERT_EQ(images.size(), 1u);
        ExpectCornersAt(images[0], pic->Ecken);
        EXPECT_EQ(afterDraw, 1);
    }
    // A rotation by 90 degrees puts the top-left corner at the top-right.
    EXPECT_NEAR(rotated->Ecken[0].x, 85, 1e-3);
    EXPECT_NEAR(rotated->Ecken[0].y, -5, 1e-3);
}

TEST(PixelBitmapDraw, WithoutParallelogramTransferTheBoxIsHatched) {
    auto rotated = Picture(8, 4, kUpright);
    rotated->RotateAbout({60, 45}, kPi / 2);
    for (bool selected : {false, true}) {
        rotated->SetSelected(selected);
        TRecordingSurface s;
        s.canTransformImages = false;
        rotated->Draw(s);
        EXPECT_TRUE(s.OfType(TRecordedOp::Type::Image).empty());
        const auto paths = s.OfType(TRecordedOp::Type::Path);
        ASSERT_GE(paths.size(), 1u);
        EXPECT_EQ(paths[0].brush.style, TBrushStyle::BDiagonal);
        EXPECT_EQ(paths[0].brush.color, selected ? Shared().SelectionPenColor : 0u);
        EXPECT_TRUE(paths[0].fill);
    }
}

TEST(PixelBitmapDraw, PreviewSelectionAndVisibility) {
    auto pic = Picture(8, 4, kUpright);
    {
        TRecordingSurface s;
        TPen pen;
        pen.mode = TPenMode::NotXor;
        s.SetPen(pen);
        pic->Draw(s);
        ASSERT_EQ(s.ops.size(), 1u); // a dotted outline only
        EXPECT_EQ(s.ops[0].type, TRecordedOp::Type::Path);
        EXPECT_EQ(s.ops[0].pen.style, TPenStyle::Dot);
        EXPECT_EQ(s.ops[0].pen.color, Shared().SelectionPenColor);
        EXPECT_FALSE(s.ops[0].fill);
    }
    {
        pic->SetSelected(true);
        TRecordingSurface s;
        pic->Draw(s);
        ASSERT_EQ(s.ops.size(), 2u);
        EXPECT_EQ(s.ops[0].type, TRecordedOp::Type::Image);
        EXPECT_EQ(s.ops[1].pen.color, Shared().SelectionPenColor);
        EXPECT_EQ(s.ops[1].deviceWidth, 2);
        EXPECT_TRUE(s.ops[1].stroke);
    }
    {
        pic->Visible = false;
        TRecordingSurface s;
        pic->Draw(s);
        EXPECT_TRUE(s.ops.empty());
    }
}

TEST(PixelBitmapGeometry, HitBoundsAndShiftRotation) {
    auto pic = Picture(8, 4, kUpright);
    pic->RotateAbout({60, 45}, kPi / 4);
    TRecordingSurface s;
    const QPointF centre(60, 45);
    EXPECT_TRUE(pic->HitTest(s, 60, 45));
    // The box's upright corner area lies outside the turned box.
    EXPECT_FALSE(pic->HitTest(s, 105, 22));
    const TRechteckF b = pic->GetBounds();
    EXPECT_EQ(b.x1, std::floor(b.x1)); // whole units
    EXPECT_NEAR((b.x1 + b.x2) / 2, centre.x(), 1);

    const auto before = pic->Ecken;
    Shared().ShiftHeld = true;
    pic->RotateAbout({0, 0}, 1.0);
    Shared().ShiftHeld = false;
    EXPECT_EQ(pic->Ecken, before);
    EXPECT_EQ(pic->GetRefPoint(), pic->Ecken[0]);
}
