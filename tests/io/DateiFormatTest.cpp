// Layout of every file kind, round trips, and hand-written files of older versions.
#include "../elements/RecordBytes.h"
#include "DateiFixture.h"

#include "text/DokumentTexte.h"

namespace torvi::test {
namespace {

int32_t I32At(const QByteArray& b, qsizetype at) {
    int32_t v;
    std::memcpy(&v, b.constData() + at, 4);
    return v;
}

// The fixed 11-byte header of a version.
RecordBytes Kopf(const char* version) {
    RecordBytes b;
    b.u8(7).bytes(QByteArray("TORVI") + version).zeros(3);
    return b;
}

// A page block up to and including the element count, without elements.
RecordBytes& BlattFelder(RecordBytes& b, const char* name, int32_t hoehe, int32_t breite,
                         int32_t raster, float zoom) {
    const auto n = uint8_t(std::strlen(name));
    b.u8(n).bytes(QByteArray(name)).zeros(30 - n);
    return b.i32(hoehe).i32(breite).u8(2).u8(0).i32(raster).i32(7).i32(8).f32(zoom);
}

// A polygon body at any version: common part and points.
RecordBytes& PolygonRecord(RecordBytes& b, std::initializer_list<std::pair<float, float>> pts,
                           bool form = false) {
    b.u8(5).common(false, true, 3, 255, 0, 0xFFFFFF, 0, form).i32(int32_t(pts.size()) - 1);
    for (auto [x, y] : pts) b.pt(x, y);
    return b;
}

TEST(DateiFormat, DocumentLayoutWithoutVariablesHasTheDocumentedOffsets) {
    TDokument d;
    TEditor& s = d.NeuesBlatt("Blatt");
    s.Elemente.push_back(Linie({{1, 2}, {3, 4}}));
    d.BlaetterNumerieren = true;
    const QByteArray b = DokumentBytes(d);
    EXPECT_EQ(b.left(11), QByteArray("\x07TORVI63\0\0\0", 11));
    EXPECT_EQ(I32At(b, 11), 0); // no variables
    EXPECT_EQ(b[15], 0);        // PageNoBauteile
    EXPECT_EQ(b[16], 1);        // BlaetterNumerieren
    EXPECT_EQ(I32At(b, 17), 0); // active page
    EXPECT_EQ(I32At(b, 21), 0); // last page: one page
    EXPECT_EQ(b.mid(25, 31), QByteArray("\x05") + "Blatt" + QByteArray(25, '\0'));
    EXPECT_EQ(I32At(b, 56), 210); // height before width
    EXPECT_EQ(I32At(b, 60), 297);
    EXPECT_EQ(b[64], 2);
    EXPECT_EQ(I32At(b, 66), 10);
    EXPECT_EQ(I32At(b, 82), 0); // one element
    EXPECT_EQ(b[86], char(ElementKind::Polyline));
    // Magnet lines (-1, -1) and the origin close the page.
    EXPECT_EQ(b.right(16), RecordBytes().i32(-1).i32(-1).pt(0, 0).data());
}

TEST(DateiFormat, LibraryPageHasNoVariablesMagnetLinesOrOrigin) {
    TEditor seite;
    seite.BlattName = "Widerstaende";
    seite.MagnetlinienH.push_back({5});
    seite.Elemente.push_back(Vieleck({{1, 1}, {5, 1}, {5, 5}}));
    const QByteArray b = BibliothekBytes(seite);
    EXPECT_EQ(I32At(b, 11), 0);
    EXPECT_EQ(I32At(b, 15), 0);
    EXPECT_EQ(b[19], 12);
    EXPECT_EQ(I32At(b, 76), 0);
    EXPECT_EQ(b[80], char(ElementKind::Polygon));
    QByteArray body;
    {
        TByteWriter w;
        seite.SchreibeElemente(w);
        body = w.Data();
    }
    EXPECT_EQ(b.size(), 76 + body.size()); // nothing after the elements
}

TEST(DateiFormat, FormFileHoldsOnlyFormElementsAfterMinus63AndVariables) {
    TDokument d;
    BeispielDokument(d);
    const QByteArray b = FormblattBytes(d);
    EXPECT_EQ(I32At(b, 0), -63);
    TDokument ziel;
    ziel.NeuesBlatt("Ziel");
    TSkript skript;
    EXPECT_EQ(LeseFormblatt(b, ziel, skript), 63);
    ASSERT_EQ(ziel.Aktiv()->Elemente.size(), 1u);
    EXPECT_EQ(ziel.Aktiv()->Elemente[0]->Kind, ElementKind::Polygon);
    EXPECT_TRUE(ziel.Aktiv()->Elemente[0]->FormLayer);
    EXPECT_EQ(ziel.Variablen.Zeilen(), d.Variablen.Zeilen());

    TDokument leer;
    leer.NeuesBlatt("ohne Formblatt");
    EXPECT_EQ(I32At(FormblattBytes(leer), 8), -1); // n = -1 after the empty variable block
}

TEST(DateiFormat, EveryKindRoundTripsByteForByte) {
    TDokument d;
    BeispielDokument(d);
    TSkript skript;

    const QByteArray dok = DokumentBytes(d);
    TDokument dokGelesen;
    EXPECT_EQ(LeseDokument(dok, dokGelesen, skript), 63);
    EXPECT_EQ(DokumentBytes(dokGelesen), dok);
    EXPECT_EQ(dokGelesen.Seiten.size(), 2u);
    EXPECT_TRUE(dokGelesen.PageNoBauteile);
    EXPECT_EQ(dokGelesen.Seiten[0]->Ursprung, (TPunkt{15, 25}));
    EXPECT_EQ(dokGelesen.Seiten[0]->MagnetlinienV.size(), 2u);
    EXPECT_FLOAT_EQ(dokGelesen.Seiten[0]->Zoom(), 0.5f);
    EXPECT_EQ(dokGelesen.Seiten[1]->HoeheMM, 297);
    EXPECT_TRUE(dokGelesen.Seiten[1]->Hochformat);

    const QByteArray blatt = BlattDateiBytes(d);
    TDokument blattGelesen;
    LeseBlattDatei(blatt, blattGelesen, skript);
    EXPECT_EQ(BlattDateiBytes(blattGelesen), blatt);

    const QByteArray form = FormblattBytes(d);
    TDokument formGelesen;
    formGelesen.NeuesBlatt("x");
    LeseFormblatt(form, formGelesen, skript);
    EXPECT_EQ(FormblattBytes(formGelesen), form);

    TEditor bibo;
    bibo.BlattName = "Bauteile";
    bibo.Elemente.push_back(Vieleck({{1, 1}, {5, 1}, {5, 5}}));
    const QByteArray lib = BibliothekBytes(bibo);
    TEditor biboGelesen;
    LeseBibliothek(lib, biboGelesen);
    EXPECT_EQ(BibliothekBytes(biboGelesen), lib);
    EXPECT_TRUE(skript.fragen.empty());
}

TEST(DateiFormat, PageNamesAreCutTo30AndVariablesTo250SplitAtTheFirstBar) {
    TDokument d;
    d.NeuesBlatt(QString(40, 'n'));            // the document keeps 30 characters
    d.Seiten[0]->BlattName = QString(40, 'm'); // the file keeps 30 whatever the model holds
    d.Variablen.Setzen("Lang", QString(300, 'x'));
    d.Variablen.Setzen("Teil", "a|b|c");
    TDokument g;
    TSkript skript;
    LeseDokument(DokumentBytes(d), g, skript);
    EXPECT_EQ(g.Seiten[0]->BlattName, QString(30, 'm'));
    ASSERT_EQ(g.Variablen.Zeilen().size(), 2u);
    EXPECT_EQ(g.Variablen.Zeilen()[0].Text, QString(250 - 5, 'x')); // "Lang|" + text = 250
    EXPECT_EQ(g.Variablen.Zeilen()[1].Text, "a|b|c");
}

TEST(DateiFormat, Version59DocumentHasNoVariablesNoOriginAndOptionsAfterTheLastPage) {
    RecordBytes b = Kopf("59");
    b.i32(1).i32(1); // active page 1 of 0..1
    BlattFelder(b, "Eins", 100, 200, 20, 0.3f).i32(0);
    PolygonRecord(b, {{1.4f, 2.6f}, {10, 2}, {10, 20}});
    b.i32(0).f32(300).i32(-1); // magnet lines: one horizontal at 300
    BlattFelder(b, "Zwei", 210, 297, 10, 0.2f).i32(-1).i32(-1).i32(-1);
    b.u8(0).u8(1); // PageNoBauteile off, BlaetterNumerieren on
    TDokument d;
    d.PageNoBauteile = false;
    TSkript skript;
    ASSERT_EQ(LeseDokument(b, d, skript), 59);
    ASSERT_EQ(d.Seiten.size(), 2u);
    EXPECT_EQ(d.AktivesBlatt, 1);
    EXPECT_FALSE(d.PageNoBauteile);
    EXPECT_TRUE(d.BlaetterNumerieren);
    const TEditor& eins = *d.Seiten[0];
    EXPECT_EQ(eins.BlattName, "Eins");
    EXPECT_EQ(eins.HoeheMM, 100);
    EXPECT_EQ(eins.BreiteMM, 200);
    EXPECT_EQ(eins.Raster, 20);
    EXPECT_EQ(eins.ScrollPosH, 7);
    EXPECT_EQ(eins.ScrollPosV, 8);
    EXPECT_EQ(eins.Ursprung, (TPunkt{0, 0}));
    ASSERT_EQ(eins.MagnetlinienH.size(), 1u);
    EXPECT_EQ(eins.MagnetlinienH[0].y, 300);
    ASSERT_EQ(eins.Elemente.size(), 1u);
    const auto& p = static_cast<const TPolygon&>(*eins.Elemente[0]);
    EXPECT_EQ(p.Punkte[0], (TPunkt{1, 3})); // old records hold whole units
    EXPECT_TRUE(d.Seiten[1]->Elemente.empty());
    EXPECT_EQ(Shared().ReadVersion, 63);
}

TEST(DateiFormat, Version60DocumentHasVariablesOriginsAndTrailingOptions) {
    RecordBytes b = Kopf("60");
    b.i32(2).str("Projekt|Netzteil").str("|ohne Namen");
    b.i32(0).i32(0);
    BlattFelder(b, "Eins", 210, 297, 10, 0.2f).i32(-1).i32(-1).i32(0).f32(40);
    b.pt(15, 30);
    b.u8(1).u8(0);
    TDokument d;
    TSkript skript;
    ASSERT_EQ(LeseDokument(b, d, skript), 60);
    ASSERT_EQ(d.Variablen.Zeilen().size(), 1u); // the row without a name is not kept
    EXPECT_EQ(d.Variablen.Zeilen()[0], (TUserVariable{"Projekt", "Netzteil"}));
    EXPECT_EQ(d.Seiten[0]->Ursprung, (TPunkt{15, 30}));
    EXPECT_EQ(d.Seiten[0]->MagnetlinienV[0].x, 40);
    EXPECT_TRUE(d.PageNoBauteile); // read after the pages; the pages were read once more
    EXPECT_EQ(d.Seiten.size(), 1u);
}

TEST(DateiFormat, Version45DocumentHasNeitherVariablesNorOptionBytes) {
    RecordBytes b = Kopf("45");
    b.i32(0).i32(0);
    BlattFelder(b, "Alt", 210, 297, 10, 0.2f).i32(-1).i32(-1).i32(-1);
    TDokument d;
    d.PageNoBauteile = true;
    TSkript skript;
    ASSERT_EQ(LeseDokument(b, d, skript), 45);
    EXPECT_TRUE(d.PageNoBauteile); // untouched
    EXPECT_EQ(d.Seiten.size(), 1u);
}

TEST(DateiFormat, FormFileVersionsWithAndWithoutVersionField) {
    struct Fall {
        const char* name;
        RecordBytes bytes;
        int32_t version;
    };
    RecordBytes ohne;
    PolygonRecord(ohne.i32(0), {{1, 1}, {2, 2}, {3, 1}});
    RecordBytes mit63;
    PolygonRecord(mit63.i32(-63).i32(1).str("Firma|ACME").i32(0), {{1.5f, 1}, {2, 2}, {3, 1}});
    RecordBytes mit55; // below 60: no variable block
    PolygonRecord(mit55.i32(-55).i32(0), {{1.5f, 1}, {2, 2}, {3, 1}});
    RecordBytes leer;
    leer.i32(-1); // an empty list without version field
    for (const Fall& f : {Fall{"no version field", ohne, 40}, Fall{"-63", mit63, 63},
                          Fall{"-55", mit55, 55}, Fall{"-1 is a list", leer, 40}}) {
        SCOPED_TRACE(f.name);
        TDokument d;
        d.NeuesBlatt("Blatt");
        d.Aktiv()->Elemente.push_back(Linie({{0, 0}, {1, 1}}));
        TSkript skript;
        EXPECT_EQ(LeseFormblatt(f.bytes, d, skript), f.version);
        EXPECT_TRUE(d.DokumentGeaendert);
        const auto& el = d.Aktiv()->Elemente;
        EXPECT_FALSE(el[0]->FormLayer);
        for (size_t i = 1; i < el.size(); ++i) EXPECT_TRUE(el[i]->FormLayer);
        if (f.version == 63) {
            EXPECT_EQ(static_cast<const TPolygon&>(*el[1]).Punkte[0].x, 1.5f);
            EXPECT_EQ(d.Variablen.Finden("firma")->Text, "ACME");
        }
        if (f.version == 55) {
            EXPECT_EQ(static_cast<const TPolygon&>(*el[1]).Punkte[0].x, 2.f);
        }
    }
}

TEST(DateiFormat, PageFileKeepsVariablesAndAsksOnceAboutAnotherText) {
    TDokument quelle;
    quelle.NeuesBlatt("Quelle");
    quelle.Variablen.Setzen("Projekt", "Neu");
    quelle.Variablen.Setzen("Kunde", "Meier");
    const QByteArray b = BlattDateiBytes(quelle);
    for (bool ja : {false, true}) {
        TDokument d;
        d.NeuesBlatt("Vorhanden");
        d.Variablen.Setzen("PROJEKT", "Alt");
        TSkript skript;
        skript.antworten = {ja};
        LeseBlattDatei(b, d, skript);
        EXPECT_EQ(skript.fragen.size(), 1u);
        EXPECT_EQ(d.Variablen.Zeilen().size(), 2u);
        EXPECT_EQ(d.Variablen.Finden("projekt")->Text, ja ? "Neu" : "Alt");
        EXPECT_EQ(d.Seiten.size(), 2u);
        EXPECT_EQ(d.AktivesBlatt, 1);
        EXPECT_TRUE(d.DokumentGeaendert);
    }
}

TEST(DateiFormat, OldPageFileWithAnotherPageNumberOptionKeepsTheOtherPages) {
    RecordBytes b = Kopf("60");
    b.i32(1).str("Projekt|Neu");
    b.i32(0).i32(0);
    BlattFelder(b, "Geladen", 210, 297, 10, 0.2f).i32(-1).i32(-1).i32(-1).pt(0, 0);
    b.u8(1).u8(0); // PageNoBauteile on, the document has it off
    TDokument d;
    d.NeuesBlatt("Eins");
    d.NeuesBlatt("Zwei");
    d.Variablen.Setzen("Projekt", "Alt");
    TSkript skript;
    skript.antworten = {true};
    LeseBlattDatei(b, d, skript);
    ASSERT_EQ(d.Seiten.size(), 3u);
    EXPECT_EQ(d.Seiten[0]->BlattName, "Eins");
    EXPECT_EQ(d.Seiten[2]->BlattName, "Geladen");
    EXPECT_TRUE(d.PageNoBauteile);
    EXPECT_EQ(skript.fragen.size(), 1u); // the second reading reuses the answer
    EXPECT_EQ(d.Variablen.Finden("Projekt")->Text, "Neu");
}

TEST(DateiFormat, SwappedHeightAndWidthShowATurnedPage) {
    RecordBytes b = Kopf("63");
    b.i32(0).u8(0).u8(0).i32(0).i32(0);
    BlattFelder(b, "Hoch", 297, 210, 10, 0.2f).i32(-1).i32(-1).i32(-1).pt(0, 0);
    TDokument d;
    TSkript skript;
    LeseDokument(b, d, skript);
    EXPECT_EQ(d.Seiten[0]->HoeheMM, 297);
    EXPECT_EQ(d.Seiten[0]->BreiteMM, 210);
    EXPECT_EQ(d.Seiten[0]->PixelHoehe(), 594);
}

TEST(DateiFormat, ValuesThatWouldBreakTheViewAreMadeSafeButElementsAreKept) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Fall {
        int32_t hoehe, breite, raster;
        float zoom;
        TPunkt ursprung;
        int32_t erwHoehe, erwBreite, erwRaster;
        float erwZoom;
    };
    for (const Fall& f : {
             Fall{210, 297, 10, 0.2f, {1, 2}, 210, 297, 10, 0.2f},
             Fall{0, -5, 0, nan, {nan, inf}, 210, 297, 10, 0.2f},
             Fall{210, 297, -3, 1000, {0, 0}, 210, 297, 10, 10},
             Fall{210, 297, 10, 0.001f, {0, 0}, 210, 297, 10, 0.05f},
             Fall{2000000000, 297, 10, -inf, {0, 0}, TEditor::kMaxSeiteMM, 297, 10, 0.05f},
         }) {
        RecordBytes b = Kopf("63");
        b.i32(0).u8(0).u8(0).i32(0).i32(0);
        BlattFelder(b, "S", f.hoehe, f.breite, f.raster, f.zoom).i32(0);
        PolygonRecord(b, {{nan, 1e30f}, {2, 2}, {3, 1}});
        b.i32(0).f32(nan).i32(-1).pt(f.ursprung.x, f.ursprung.y);
        TDokument d;
        TSkript skript;
        LeseDokument(b, d, skript);
        const TEditor& s = *d.Seiten[0];
        EXPECT_EQ(s.HoeheMM, f.erwHoehe);
        EXPECT_EQ(s.BreiteMM, f.erwBreite);
        EXPECT_EQ(s.Raster, f.erwRaster);
        EXPECT_FLOAT_EQ(s.Zoom(), f.erwZoom);
        EXPECT_TRUE(std::isfinite(s.Ursprung.x) && std::isfinite(s.Ursprung.y));
        EXPECT_TRUE(s.MagnetlinienH.empty()); // a line at NaN has no place
        const auto& p = static_cast<const TPolygon&>(*s.Elemente[0]);
        EXPECT_TRUE(std::isnan(p.Punkte[0].x));
        EXPECT_EQ(p.Punkte[0].y, 1e30f);
    }
}

} // namespace
} // namespace torvi::test
