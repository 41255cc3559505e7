// Windows bitmap files: header checks, row decoding for each depth, and the writer.
#include "codec/Bmp.h"

#include <array>
#include <cstring>

namespace torvi {

QString CheckPictureSize(int64_t width, int64_t height) {
    if (width < 0 || height < 0)
        return QStringLiteral("negative picture size %1 x %2").arg(width).arg(height);
    if (width * height > kMaxPicturePixels)
        return QStringLiteral("picture of %1 x %2 pixels exceeds the limit of %3 megapixels")
            .arg(width)
            .arg(height)
            .arg(kMaxPicturePixels / 1'000'000);
    return {};
}

namespace {

constexpr qsizetype kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kLargestInfoHeader = 1024; // V5 is 124; anything far beyond is damage
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;

uint16_t U16(const char* p) {
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}
uint32_t U32(const char* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// What the headers say, checked against the bytes given.
struct THeader {
    uint32_t fileSize = 0;
    uint32_t pixelOffset = 0;
    uint32_t infoSize = 0;
    int64_t width = 0;
    int64_t height = 0;
    bool topDown = false;
    int bits = 0;
    uint32_t compression = kBiRgb;
    int32_t ppmX = 0, ppmY = 0;
    std::array<uint32_t, 3> masks{0x00FF0000, 0x0000FF00, 0x000000FF};
    qsizetype paletteOffset = 0;
    int paletteCount = 0;
    int paletteEntry = 4;
    qsizetype stride = 0;
    qsizetype pixelBytes = 0;
};

bool Fail(QString& error, const QString& why) {
    error = why;
    return false;
}

bool ReadInfoFields(const char* d, qsizetype size, THeader& h, QString& error) {
    if (h.infoSize == kCoreHeaderSize) {
        h.width = U16(d + 18);
        h.height = U16(d + 20);
        h.bits = U16(d + 24);
        h.paletteEntry = 3;
        return true;
    }
    if (h.infoSize < kInfoHeaderSize || h.infoSize > kLargestInfoHeader)
        return Fail(error, QStringLiteral("unknown bitmap info header size %1").arg(h.infoSize));
    if (kFileHeaderSize + qsizetype(h.infoSize) > size)
        return Fail(error, QStringLiteral("bitmap info header truncated"));
    h.width = static_cast<int32_t>(U32(d + 18));
    const int32_t height = static_cast<int32_t>(U32(d + 22));
    h.topDown = height < 0;
    h.height = h.topDown ? -int64_t(height) : int64_t(height);
    h.bits = U16(d + 28);
    h.compression = U32(d + 30);
    h.ppmX = static_cast<int32_t>(U32(d + 38));
    h.ppmY = static_cast<int32_t>(U32(d + 42));
    h.paletteCount = static_cast<int>(std::min<uint32_t>(U32(d + 46), 1u << 16));
    return true;
}

bool ReadMasks(const char* d, qsizetype size, THeader& h, QString& error) {
    h.paletteOffset = kFileHeaderSize + h.infoSize;
    if (h.compression == kBiRgb) return true;
    if (h.compression != kBiBitfields || h.bits != 32)
        return Fail(error, QStringLiteral("compressed bitmaps (method %1 at %2 bits per pixel) "
                                          "are not supported")
                               .arg(h.compression)
                               .arg(h.bits));
    // A plain info header is followed by the three masks; later headers hold them.
    const qsizetype at = kFileHeaderSize + kInfoHeaderSize;
    if (h.infoSize == kInfoHeaderSize) h.paletteOffset += 12;
    if (at + 12 > size) return Fail(error, QStringLiteral("bitmap colour masks truncated"));
    for (int i = 0; i < 3; ++i) h.masks[i] = U32(d + at + 4 * i);
    if (h.masks[0] == 0 || h.masks[1] == 0 || h.masks[2] == 0)
        return Fail(error, QStringLiteral("bitmap colour mask is empty"));
    return true;
}

bool CheckLayout(qsizetype size, THeader& h, QString& error) {
    if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 24 && h.bits != 32)
        return Fail(error, QStringLiteral("%1 bits per pixel are not supported").arg(h.bits));
    if (QString why = CheckPictureSize(h.width, h.height); !why.isEmpty()) return Fail(error, why);
    if (h.bits <= 8) {
        const int most = 1 << h.bits;
        if (h.paletteCount == 0) h.paletteCount = most;
        if (h.paletteCount > most)
            return Fail(error, QStringLiteral("palette of %1 colours for %2 bits per pixel")
                                   .arg(h.paletteCount)
                                   .arg(h.bits));
    } else {
        h.paletteCount = 0; // a palette beside true colours is only a display hint
    }
    const qsizetype paletteEnd = h.paletteOffset + qsizetype(h.paletteCount) * h.paletteEntry;
    if (h.pixelOffset < paletteEnd)
        return Fail(error, QStringLiteral("bitmap pixel offset %1 lies inside its headers (%2)")
                               .arg(h.pixelOffset)
                               .arg(paletteEnd));
    h.stride = qsizetype((h.width * h.bits + 31) / 32) * 4;
    h.pixelBytes = h.stride * h.height;
    if (qsizetype(h.pixelOffset) + h.pixelBytes > size)
        return Fail(error, QStringLiteral("bitmap pixels truncated (%1 bytes needed, %2 given)")
                               .arg(qsizetype(h.pixelOffset) + h.pixelBytes)
                               .arg(size));
    return true;
}

bool ParseHeader(const char* d, qsizetype size, THeader& h, QString& error) {
    if (size < kFileHeaderSize + qsizetype(kCoreHeaderSize))
        return Fail(error, QStringLiteral("too short for a bitmap file (%1 bytes)").arg(size));
    if (d[0] != 'B' || d[1] != 'M') return Fail(error, QStringLiteral("not a bitmap file"));
    h.fileSize = U32(d + 2);
    h.pixelOffset = U32(d + 10);
    h.infoSize = U32(d + 14);
    return ReadInfoFields(d, size, h, error) && ReadMasks(d, size, h, error) &&
           CheckLayout(size, h, error);
}

QList<QRgb> ReadPalette(const char* d, const THeader& h) {
    QList<QRgb> table;
    table.reserve(h.paletteCount);
    for (int i = 0; i < h.paletteCount; ++i) {
        const auto* e = reinterpret_cast<const uint8_t*>(d + h.paletteOffset + i * h.paletteEntry);
        table.append(qRgb(e[2], e[1], e[0]));
    }
    return table;
}

void DecodeIndexedRow(const uint8_t* src, uint8_t* dst, int width, int bits, int& highest) {
    const int perByte = 8 / bits;
    const int mask = (1 << bits) - 1;
    for (int x = 0; x < width; ++x) {
        const int shift = 8 - bits * (x % perByte + 1);
        const int index = (src[x / perByte] >> shift) & mask;
        dst[x] = static_cast<uint8_t>(index);
        highest = std::max(highest, index);
    }
}

// One colour channel of a bitfield pixel, scaled to 0..255.
int Channel(uint32_t pixel, uint32_t mask) {
    int shift = 0;
    while (!(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    const uint32_t v = (pixel >> shift) & mask;
    return static_cast<int>(uint64_t(v) * 255 / mask);
}

void DecodeTrueRow(const uint8_t* src, QRgb* dst, int width, const THeader& h) {
    for (int x = 0; x < width; ++x) {
        if (h.bits == 24) {
            const uint8_t* p = src + 3 * x;
            dst[x] = qRgb(p[2], p[1], p[0]);
        } else if (h.compression == kBiRgb) {
            const uint8_t* p = src + 4 * x;
            dst[x] = qRgb(p[2], p[1], p[0]);
        } else {
            uint32_t v;
            std::memcpy(&v, src + 4 * x, 4);
            dst[x] = qRgb(Channel(v, h.masks[0]), Channel(v, h.masks[1]), Channel(v, h.masks[2]));
        }
    }
}

void PutLE(QByteArray& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

} // namespace

qsizetype BmpImageLength(const char* data, qsizetype size, QString& error) {
    THeader h;
    if (!ParseHeader(data, size, h, error)) return -1;
    if (h.fileSize > size) {
        error = QStringLiteral("bitmap file size %1 exceeds the %2 bytes left")
                    .arg(h.fileSize)
                    .arg(size);
        return -1;
    }
    const qsizetype needed = qsizetype(h.pixelOffset) + h.pixelBytes;
    if (qsizetype(h.fileSize) < needed) {
        error = QStringLiteral("bitmap file size %1 is smaller than its headers and pixels (%2)")
                    .arg(h.fileSize)
                    .arg(needed);
        return -1;
    }
    return h.fileSize;
}

bool DecodeBmp(const char* data, qsizetype size, TRasterBild& out, QString& error) {
    THeader h;
    if (!ParseHeader(data, size, h, error)) return false;
    TRasterBild bild;
    bild.bitsPerPixel = h.bits;
    bild.pixelsPerMeterX = h.ppmX;
    bild.pixelsPerMeterY = h.ppmY;
    const int w = static_cast<int>(h.width), ht = static_cast<int>(h.height);
    if (w > 0 && ht > 0) {
        const bool indexed = h.bits <= 8;
        bild.image = QImage(w, ht, indexed ? QImage::Format_Indexed8 : QImage::Format_RGB32);
        if (bild.image.isNull())
            return Fail(error,
                        QStringLiteral("no memory for a picture of %1 x %2 pixels").arg(w).arg(ht));
        int highest = 0;
        for (int row = 0; row < ht; ++row) {
            const auto* src =
                reinterpret_cast<const uint8_t*>(data + h.pixelOffset + row * h.stride);
            const int y = h.topDown ? row : ht - 1 - row;
            if (indexed)
                DecodeIndexedRow(src, bild.image.scanLine(y), w, h.bits, highest);
            else
                DecodeTrueRow(src, reinterpret_cast<QRgb*>(bild.image.scanLine(y)), w, h);
        }
        if (indexed) {
            QList<QRgb> table = ReadPalette(data, h);
            // Indices beyond a short palette show black, as they would on screen.
            while (table.size() <= highest) table.append(qRgb(0, 0, 0));
            bild.image.setColorTable(table);
        }
    }
    out = std::move(bild);
    return true;
}

QByteArray EncodeBmp(const TRasterBild& bild) {
    const QImage& img = bild.image;
    int bits = bild.bitsPerPixel;
    const bool indexed = img.format() == QImage::Format_Indexed8 && bits <= 8;
    if (!indexed && bits != 32) bits = 24;
    if (indexed && img.colorCount() > (1 << bits)) bits = 8;
    const QImage rgb =
        indexed || img.isNull() ? QImage() : img.convertToFormat(QImage::Format_RGB32);
    const int w = img.width(), h = img.height();
    const int colours = indexed ? img.colorCount() : 0;
    const qsizetype stride = qsizetype((int64_t(w) * bits + 31) / 32) * 4;
    const uint32_t offset = kFileHeaderSize + kInfoHeaderSize + 4 * colours;
    const qsizetype total = offset + stride * h;

    QByteArray out;
    out.reserve(total);
    out.append("BM", 2);
    PutLE(out, uint32_t(total), 4);
    PutLE(out, 0, 4);
    PutLE(out, offset, 4);
    for (uint32_t v : {kInfoHeaderSize, uint32_t(w), uint32_t(h)}) PutLE(out, v, 4);
    PutLE(out, 1, 2);
    PutLE(out, uint32_t(bits), 2);
    for (uint32_t v : {kBiRgb, uint32_t(stride * h), uint32_t(bild.pixelsPerMeterX),
                       uint32_t(bild.pixelsPerMeterY), uint32_t(colours), 0u})
        PutLE(out, v, 4);
    for (int i = 0; i < colours; ++i) {
        const QRgb c = img.color(i);
        const char e[4] = {char(qBlue(c)), char(qGreen(c)), char(qRed(c)), 0};
        out.append(e, 4);
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        auto* dst = reinterpret_cast<uint8_t*>(row.data());
        if (indexed) {
            const uint8_t* src = img.constScanLine(y);
            const int perByte = 8 / bits;
            for (int x = 0; x < w; ++x)
                dst[x / perByte] |=
                    uint8_t((src[x] & ((1 << bits) - 1)) << (8 - bits * (x % perByte + 1)));
        } else {
            const auto* src = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
            const int step = bits / 8;
            for (int x = 0; x < w; ++x) {
                dst[step * x] = uint8_t(qBlue(src[x]));
                dst[step * x + 1] = uint8_t(qGreen(src[x]));
                dst[step * x + 2] = uint8_t(qRed(src[x]));
            }
        }
        out.append(row);
    }
    return out;
}

} // namespace torvi
