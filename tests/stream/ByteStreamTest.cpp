// The record reader refuses every impossible count and length, and round-trips with the writer.
#include "stream/ByteReader.h"
#include "stream/ByteWriter.h"

#include <gtest/gtest.h>

namespace torvi {
namespace {

TEST(ByteStream, RoundTripsEveryFieldLittleEndian) {
    TByteWriter w;
    w.Byte(0xAB);
    w.Int32(-2);
    w.Float(1.5f);
    w.Punkt({3, -4});
    w.ShortString(QStringLiteral("Blatt ä"), 10);
    w.LongString(QStringLiteral("€uro"), 255);
    const QByteArray& d = w.Data();
    EXPECT_EQ(d.mid(1, 4), QByteArray("\xFE\xFF\xFF\xFF", 4));
    EXPECT_EQ(d.mid(5, 4), QByteArray("\x00\x00\xC0\x3F", 4));
    // Short string: length byte, characters in Windows-1252, zero filler to its capacity.
    EXPECT_EQ(d.mid(17, 11), QByteArray("\x07"
                                        "Blatt \xE4\0\0\0",
                                        11));
    // Long string: int32 length, length byte, characters.
    EXPECT_EQ(d.mid(28), QByteArray("\x04\0\0\0\x04\x80uro", 9));

    TByteReader r(d);
    EXPECT_EQ(r.Byte(), 0xAB);
    EXPECT_EQ(r.Int32(), -2);
    EXPECT_EQ(r.Float(), 1.5f);
    EXPECT_EQ(r.Punkt(), (TPunkt{3, -4}));
    EXPECT_EQ(r.ShortString(10), QStringLiteral("Blatt ä"));
    EXPECT_EQ(r.LongString(255), QStringLiteral("€uro"));
    EXPECT_TRUE(r.AtEnd());
}

QByteArray Int32Bytes(int32_t v) {
    TByteWriter w;
    w.Int32(v);
    return w.Data();
}

TEST(ByteStream, RefusesImpossibleCountsAndLengths) {
    struct Case {
        const char* name;
        QByteArray data;
        std::function<void(TByteReader&)> read;
        qint64 offset;
    };
    const std::vector<Case> cases = {
        {"truncated int", QByteArray("\1\2\3", 3), [](TByteReader& r) { r.Int32(); }, 0},
        {"negative list", Int32Bytes(-2), [](TByteReader& r) { r.ListCount(8, "points"); }, 0},
        {"huge list", Int32Bytes(0x7FFFFFFF), [](TByteReader& r) { r.ListCount(8, "points"); }, 0},
        {"list beyond data", Int32Bytes(1) + QByteArray(8, 0),
         [](TByteReader& r) { r.ListCount(8, "points"); }, 0},
        {"negative count", Int32Bytes(-1), [](TByteReader& r) { r.Count(1, "bytes"); }, 0},
        {"short string over capacity",
         QByteArray("\x05"
                    "abc",
                    4),
         [](TByteReader& r) { r.ShortString(3); }, 0},
        {"short string truncated",
         QByteArray("\x01"
                    "a",
                    2),
         [](TByteReader& r) { r.ShortString(3); }, 0},
        {"long string over max", Int32Bytes(300) + QByteArray(301, 'x'),
         [](TByteReader& r) { r.LongString(255); }, 0},
        {"long string negative", Int32Bytes(-5), [](TByteReader& r) { r.LongString(255); }, 0},
        {"length byte disagrees",
         Int32Bytes(3) + QByteArray("\x02"
                                    "abc",
                                    4),
         [](TByteReader& r) { r.LongString(255); }, 4},
        {"long string truncated",
         Int32Bytes(3) + QByteArray("\x03"
                                    "ab",
                                    3),
         [](TByteReader& r) { r.LongString(255); }, 4},
    };
    for (const Case& c : cases) {
        TByteReader r(c.data);
        try {
            c.read(r);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const TReadError& e) {
            EXPECT_EQ(e.Offset(), c.offset) << c.name << ": " << e.what();
        }
    }
}

TEST(ByteStream, EmptyListAndCountsThatFitAreRead) {
    // The reader keeps a view of the bytes, so they must outlive it.
    const QByteArray emptyBytes = Int32Bytes(-1);
    TByteReader empty(emptyBytes);
    EXPECT_EQ(empty.ListCount(8, "points"), 0);
    const QByteArray twoBytes = Int32Bytes(1) + QByteArray(16, 0);
    TByteReader two(twoBytes);
    EXPECT_EQ(two.ListCount(8, "points"), 2);
}

TEST(ByteStream, WriterCutsTextsToTheirCapacity) {
    TByteWriter w;
    w.ShortString(QString(40, 'a'), 30);
    w.LongString(QString(300, 'b'), 250);
    TByteReader r(w.Data());
    EXPECT_EQ(r.ShortString(30).size(), 30);
    EXPECT_EQ(r.LongString(250).size(), 250);
    EXPECT_TRUE(r.AtEnd());
}

} // namespace
} // namespace torvi
