// libjpeg decoding and encoding. libjpeg reports fatal errors through a callback that must not
// return; it jumps back with longjmp, so the functions that hold a setjmp keep only trivially
// destructible locals and write their results into objects owned by their callers.
#include "codec/Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

#include <jerror.h>

namespace torvi {
namespace {

struct TJpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr c) {
    auto* e = reinterpret_cast<TJpegError*>(c->err);
    (*c->err->format_message)(c, e->message);
    std::longjmp(e->jump, 1);
}

void IgnoreMessage(j_common_ptr, int) {}

// libjpeg would pad missing data with an end marker and show a grey rest; a cut-off picture is
// damaged data here.
boolean FailAtEnd(j_decompress_ptr c) {
    ERREXIT(c, JERR_INPUT_EOF);
    return FALSE;
}

void InitErrors(TJpegError& err) {
    jpeg_std_error(&err.mgr);
    err.mgr.error_exit = ErrorExit;
    err.mgr.emit_message = IgnoreMessage;
    err.message[0] = '\0';
}

// Adobe writes CMYK inverted; the others plainly.
void CmykRowToRgb(const uint8_t* src, QRgb* dst, int width, bool inverted) {
    for (int x = 0; x < width; ++x) {
        int c = src[4 * x], m = src[4 * x + 1], y = src[4 * x + 2], k = src[4 * x + 3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        dst[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

bool ReadHeader(jpeg_decompress_struct& d, QImage& out, QString& error) {
    jpeg_read_header(&d, TRUE);
    if (QString why = CheckPictureSize(d.image_width, d.image_height); !why.isEmpty()) {
        error = why;
        return false;
    }
    const bool cmyk = d.jpeg_color_space == JCS_CMYK || d.jpeg_color_space == JCS_YCCK;
    d.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    jpeg_start_decompress(&d);
    out = QImage(int(d.output_width), int(d.output_height), QImage::Format_RGB32);
    if (out.isNull()) {
        error = QStringLiteral("no memory for a picture of %1 x %2 pixels")
                    .arg(d.output_width)
                    .arg(d.output_height);
        return false;
    }
    return true;
}

bool DecodeInto(const unsigned char* data, unsigned long size, QImage& out, QString& error,
                uint8_t* cmykRow) {
    jpeg_decompress_struct d;
    TJpegError err;
    d.err = &err.mgr;
    InitErrors(err);
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&d);
        error = QStringLiteral("damaged JPEG data: %1").arg(QString::fromLatin1(err.message));
        return false;
    }
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, data, size);
    d.src->fill_input_buffer = FailAtEnd;
    if (!ReadHeader(d, out, error)) {
        jpeg_destroy_decompress(&d);
        return false;
    }
    const bool cmyk = d.out_color_space == JCS_CMYK;
    const bool inverted = d.saw_Adobe_marker;
    while (d.output_scanline < d.output_height) {
        const int y = int(d.output_scanline);
        JSAMPROW row = cmyk ? cmykRow : out.scanLine(y);
        jpeg_read_scanlines(&d, &row, 1);
        if (cmyk)
            CmykRowToRgb(cmykRow, reinterpret_cast<QRgb*>(out.scanLine(y)), out.width(), inverted);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    return true;
}

// Destination that appends to a byte array the caller owns.
struct TByteArrayDest {
    jpeg_destination_mgr mgr;
    QByteArray* out;
    JOCTET buffer[4096];
};

void InitDest(j_compress_ptr c) {
    auto* dest = reinterpret_cast<TByteArrayDest*>(c->dest);
    dest->mgr.next_output_byte = dest->buffer;
    dest->mgr.free_in_buffer = sizeof dest->buffer;
}

boolean EmptyDest(j_compress_ptr c) {
    auto* dest = reinterpret_cast<TByteArrayDest*>(c->dest);
    dest->out->append(reinterpret_cast<const char*>(dest->buffer), sizeof dest->buffer);
    InitDest(c);
    return TRUE;
}

void TermDest(j_compress_ptr c) {
    auto* dest = reinterpret_cast<TByteArrayDest*>(c->dest);
    dest->out->append(reinterpret_cast<const char*>(dest->buffer),
                      qsizetype(sizeof dest->buffer - dest->mgr.free_in_buffer));
}

bool EncodeInto(const QImage& rgb, int quality, QByteArray& out, QString& error) {
    jpeg_compress_struct c;
    TJpegError err;
    TByteArrayDest dest;
    c.err = &err.mgr;
    InitErrors(err);
    dest.out = &out;
    dest.mgr.init_destination = InitDest;
    dest.mgr.empty_output_buffer = EmptyDest;
    dest.mgr.term_destination = TermDest;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&c);
        error = QStringLiteral("JPEG encoding failed: %1").arg(QString::fromLatin1(err.message));
        return false;
    }
    jpeg_create_compress(&c);
    c.dest = &dest.mgr;
    c.image_width = JDIMENSION(rgb.width());
    c.image_height = JDIMENSION(rgb.height());
    c.input_components = 4;
    c.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(c.next_scanline)));
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    return true;
}

} // namespace

bool DecodeJpeg(const char* data, qsizetype size, QImage& out, QString& error) {
    if (size <= 0) {
        error = QStringLiteral("empty JPEG data");
        return false;
    }
    // One CMYK row of the widest picture JPEG can describe (65535 pixels); taken here because
    // the function with the setjmp must not own it.
    QByteArray cmykRow(4 * 65536, '\0');
    QImage image;
    if (!DecodeInto(reinterpret_cast<const unsigned char*>(data), static_cast<unsigned long>(size),
                    image, error, reinterpret_cast<uint8_t*>(cmykRow.data())))
        return false;
    out = std::move(image);
    return true;
}

QByteArray EncodeJpeg(const QImage& image, int quality, QString& error) {
    if (image.isNull()) {
        error = QStringLiteral("no picture to encode");
        return {};
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QByteArray out;
    if (!EncodeInto(rgb, quality, out, error)) return {};
    return out;
}

} // namespace torvi
