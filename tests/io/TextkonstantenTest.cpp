// The text constants file.
#include "io/Textkonstanten.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace torvi {
namespace {

TEST(Textkonstanten, SortedWithoutCaseBlankOnesDroppedAndWrittenInTheCodePage) {
    QTemporaryDir ordner;
    const QString datei = ordner.filePath("USERTEXT.DAT");
    EXPECT_TRUE(LeseTextkonstanten(datei).isEmpty()); // missing file: empty list
    {
        QFile f(datei);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("zeichnung\r\n   \r\nAbzweig\r\n\xe4nderung  \r\nbauteil\r\n");
    }
    const QStringList gelesen = LeseTextkonstanten(datei);
    ASSERT_EQ(gelesen.size(), 5);
    EXPECT_EQ(gelesen[3], QString::fromUtf8("änderung  "));
    const QStringList sortiert = SortiereTextkonstanten(gelesen);
    EXPECT_EQ(sortiert,
              (QStringList{"Abzweig", "bauteil", "zeichnung", QString::fromUtf8("änderung  ")}));
    ASSERT_TRUE(SchreibeTextkonstanten(datei, sortiert));
    EXPECT_EQ(LeseTextkonstanten(datei), sortiert);
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().endsWith("\xe4nderung  \r\n"));
}

} // namespace
} // namespace torvi
