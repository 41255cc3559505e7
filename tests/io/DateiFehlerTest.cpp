// Damaged files, files of other programs and writes that fail: the document stays as it was.
#include "../elements/RecordBytes.h"
#include "DateiFixture.h"

#include "text/DokumentTexte.h"

#include <QSaveFile>
#include <sys/stat.h>

namespace torvi::test {
namespace {

class DateiFehler : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ordner.isValid());
        BeispielDokument(quelle);
    }
    void TearDown() override { SetSprache(0); }
    QString Pfad(const char* name) const { return ordner.filePath(name); }
    // A document with a page and a changed flag, to see whether anything touched it.
    static void Vorhanden(TDokument& d) {
        d.NeuesBlatt("Vorhanden");
        d.Aktiv()->Elemente.push_back(Linie({{0, 0}, {9, 9}}));
        d.Variablen.Setzen("Alt", "bleibt");
        d.DokumentName = "alt.trv";
        d.DokumentGeaendert = true;
        d.Aktiv()->UndoListe.push_back("snapshot");
    }
    QTemporaryDir ordner;
    TDokument quelle;
    TSkript skript;
};

TEST_F(DateiFehler, TruncatingADocumentAtEveryOffsetGivesTheReadErrorAndChangesNothing) {
    const QByteArray ganz = DokumentBytes(quelle);
    const QString datei = Pfad("kurz.trv");
    TDokument d;
    Vorhanden(d);
    const QByteArray vorher = Zustand(d);
    for (qsizetype n = 0; n < ganz.size(); ++n) {
        Schreiben(datei, ganz.left(n));
        skript.meldungen.clear();
        ASSERT_FALSE(DateiLaden(d, datei, TDateiArt::Dokument, skript)) << n;
        ASSERT_EQ(Zustand(d), vorher) << "cut at " << n;
        ASSERT_EQ(skript.meldungen.size(), 1u) << n;
        ASSERT_TRUE(skript.meldungen[0].startsWith("Die Datei \"" + datei + "\" kann nicht"))
            << qPrintable(skript.meldungen[0]);
        ASSERT_EQ(Shared().ReadVersion, 63);
    }
    Schreiben(datei, ganz);
    EXPECT_TRUE(DateiLaden(d, datei, TDateiArt::Dokument, skript));
    EXPECT_EQ(DokumentBytes(d), ganz);
    EXPECT_EQ(d.DokumentName, datei);
    EXPECT_FALSE(d.DokumentGeaendert);
}

TEST_F(DateiFehler, DamagedFilesNameTheFileAndTheFault) {
    const QByteArray gut = DokumentBytes(quelle);
    auto mit = [&](qsizetype at, const QByteArray& neu) {
        QByteArray b = gut;
        b.replace(at, neu.size(), neu);
        return b;
    };
    // Offsets with the two variables "Autor|R. Lang|Labor" (19) and "Projekt|Netzteil" (16).
    const qsizetype vars = 11 + 4 + (4 + 1 + 19) + (4 + 1 + 16);
    struct Fall {
        const char* name;
        QByteArray bytes;
        const char* fehler;
    } faelle[] = {
        {"version not digits", mit(6, "6x"), "not digits"},
        {"variable count too large", mit(11, RecordBytes().i32(100000)), "user variables"},
        {"variable longer than 250", mit(15, RecordBytes().i32(251)), "outside 0..250"},
        {"length byte disagrees", mit(19, "\x05"), "disagrees"},
        {"active page beyond last", mit(vars + 2, RecordBytes().i32(5)), "active page 5"},
        {"negative last page", mit(vars + 6, RecordBytes().i32(-1)), "last page"},
        {"too many pages", mit(vars + 6, RecordBytes().i32(1000000)), "more than the file"},
        {"page name too long", mit(vars + 10, "\x40"), "capacity 30"},
        {"unknown element kind", mit(vars + 10 + 61, "\x4e"), "unknown element kind 78"},
    };
    const QString datei = Pfad("kaputt.trv");
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Schreiben(datei, f.bytes);
        TDokument d;
        Vorhanden(d);
        const QByteArray vorher = Zustand(d);
        skript.meldungen.clear();
        EXPECT_FALSE(DateiLaden(d, datei, TDateiArt::Dokument, skript));
        EXPECT_EQ(Zustand(d), vorher);
        ASSERT_EQ(skript.meldungen.size(), 1u);
        EXPECT_TRUE(skript.meldungen[0].contains(datei));
        EXPECT_TRUE(skript.meldungen[0].contains(f.fehler)) << qPrintable(skript.meldungen[0]);
    }
}

TEST_F(DateiFehler, DamagedPageAndFormFilesAddNothing) {
    const QByteArray blatt = BlattDateiBytes(quelle);
    const QByteArray form = FormblattBytes(quelle);
    struct Fall {
        TDateiArt art;
        QByteArray bytes;
    };
    for (const Fall& f : {Fall{TDateiArt::Blatt, blatt.left(blatt.size() - 3)},
                          Fall{TDateiArt::Formblatt, form.left(form.size() - 3)},
                          Fall{TDateiArt::Formblatt, RecordBytes().i32(INT32_MIN).data()}}) {
        const QString datei = Pfad("teil");
        Schreiben(datei, f.bytes);
        TDokument d;
        Vorhanden(d);
        d.DokumentGeaendert = false;
        const QByteArray vorher = Zustand(d);
        const auto variablen = d.Variablen.Zeilen();
        EXPECT_FALSE(DateiLaden(d, datei, f.art, skript));
        EXPECT_EQ(Zustand(d), vorher);
        EXPECT_EQ(d.Variablen.Zeilen(), variablen);
    }
}

TEST_F(DateiFehler, AnotherMagicAddsPageOneInTheLanguageButNotForLibraries) {
    const QString datei = Pfad("fremd.trv");
    Schreiben(datei, "PK\x03\x04 this is a zip file");
    for (auto [sprache, name, meldung] :
         {std::tuple{0, "Blatt 1", "fremd.trv ist keine Torvi Datei"},
          std::tuple{1, "Page 1", "fremd.trv has not the Torvi file format."},
          std::tuple{2, "Page 1", "fremd.trv n´est pas un fichier au format Torvi."}}) {
        SetSprache(sprache);
        TDokument d;
        Vorhanden(d);
        skript.meldungen.clear();
        EXPECT_FALSE(DateiLaden(d, datei, TDateiArt::Dokument, skript));
        ASSERT_EQ(d.Seiten.size(), 2u);
        EXPECT_EQ(d.Seiten[1]->BlattName, name);
        EXPECT_EQ(d.AktivesBlatt, 1);
        ASSERT_EQ(skript.meldungen.size(), 1u);
        EXPECT_EQ(skript.meldungen[0], QString::fromUtf8(meldung));

        TEditor bibo;
        bibo.BlattName = "Bibliothek";
        EXPECT_FALSE(DateiLaden(bibo, datei, skript));
        EXPECT_EQ(bibo.BlattName, "Bibliothek");
        EXPECT_EQ(d.Seiten.size(), 2u);
    }
}

// Fails the second piece of every file, as a full disk would.
class TAbbrechenderSchreiber : public TDateiSchreiber {
protected:
    bool SchreibeStueck(QSaveFile& f, const char* daten, qint64 laenge) override {
        if (++stuecke_ > 1) return false;
        return TDateiSchreiber::SchreibeStueck(f, daten, laenge);
    }

private:
    int stuecke_ = 0;
};

TEST_F(DateiFehler, AWriteThatFailsMidwayLeavesTheOldFileAndTheFlags) {
    // Large enough for more than one piece.
    for (int i = 0; i < 3000; ++i)
        quelle.Aktiv()->Elemente.push_back(Linie({{float(i), 0}, {0, float(i)}}));
    const QString datei = Pfad("plan.trv");
    const QByteArray alt = "the old file";
    Schreiben(datei, alt);
    quelle.DokumentGeaendert = true;
    quelle.Aktiv()->UndoListe.push_back("snapshot");
    TAbbrechenderSchreiber schreiber;
    EXPECT_FALSE(DateiSpeichern(quelle, datei, TDateiArt::Dokument, skript, false, &schreiber));
    EXPECT_EQ(Lesen(datei), alt);
    EXPECT_TRUE(quelle.DokumentGeaendert);
    EXPECT_EQ(quelle.Aktiv()->UndoListe.size(), 1u);
    ASSERT_EQ(skript.meldungen.size(), 1u);
    EXPECT_EQ(skript.meldungen[0], "Die Datei \"" + datei + "\" kann nicht geschrieben werden.");
    EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files), QStringList{"plan.trv"});
}

TEST_F(DateiFehler, AFolderThatCannotBeWrittenLeavesTheOldFileAndTheFlags) {
    // A folder path through a plain file cannot be created by anyone.
    Schreiben(Pfad("datei"), "x");
    const QString unmoeglich = Pfad("datei") + "/plan.trv";
    quelle.DokumentGeaendert = true;
    EXPECT_FALSE(DateiSpeichern(quelle, unmoeglich, TDateiArt::Dokument, skript));
    EXPECT_TRUE(quelle.DokumentGeaendert);
    EXPECT_EQ(skript.meldungen.size(), 1u);
    EXPECT_EQ(Lesen(Pfad("datei")), "x");
}

TEST_F(DateiFehler, AReadOnlyFolderLeavesTheOldFileAndTheFlags) {
    quelle.DokumentGeaendert = true;
    // A read-only folder with an old file in it (not testable where permissions do not bind).
    const QString nurLesen = Pfad("nurlesen");
    ASSERT_TRUE(QDir().mkdir(nurLesen));
    const QString datei = nurLesen + "/plan.trv";
    Schreiben(datei, "old");
    ::chmod(qPrintable(nurLesen), 0555);
    QFile probe(nurLesen + "/probe");
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        ::chmod(qPrintable(nurLesen), 0755);
        GTEST_SKIP() << "permissions do not bind for this user";
    }
    EXPECT_FALSE(DateiSpeichern(quelle, datei, TDateiArt::Dokument, skript));
    ::chmod(qPrintable(nurLesen), 0755);
    EXPECT_EQ(Lesen(datei), "old");
    EXPECT_TRUE(quelle.DokumentGeaendert);
}

TEST_F(DateiFehler, SavingClearsFlagsAndHistoriesButABackupDoesNot) {
    const QString datei = Pfad("plan.trv");
    quelle.DokumentGeaendert = true;
    for (auto& s : quelle.Seiten) s->UndoListe.push_back("u"), s->RedoListe.push_back("r");
    EXPECT_TRUE(DateiSpeichern(quelle, Pfad("plan.bak"), TDateiArt::Dokument, skript, true));
    EXPECT_TRUE(quelle.DokumentGeaendert);
    EXPECT_EQ(quelle.Seiten[1]->UndoListe.size(), 1u);
    EXPECT_EQ(Lesen(Pfad("plan.bak")), DokumentBytes(quelle));
    EXPECT_TRUE(DateiSpeichern(quelle, datei, TDateiArt::Dokument, skript));
    EXPECT_FALSE(quelle.DokumentGeaendert);
    for (auto& s : quelle.Seiten) EXPECT_TRUE(s->UndoListe.empty() && s->RedoListe.empty());
    EXPECT_EQ(quelle.DokumentOrdner, ordner.path());
    EXPECT_TRUE(DateiSpeichern(quelle, Pfad("form.SBK"), TDateiArt::Formblatt, skript));
    EXPECT_EQ(quelle.FormblattOrdner, ordner.path());
    EXPECT_TRUE(skript.meldungen.empty());
}

TEST_F(DateiFehler, FilesOfEveryKindGoThroughDiskAndBack) {
    TSkript leise;
    ASSERT_TRUE(DateiSpeichern(quelle, Pfad("a.trv"), TDateiArt::Dokument, leise));
    ASSERT_TRUE(DateiSpeichern(quelle, Pfad("a.BLT"), TDateiArt::Blatt, leise));
    ASSERT_TRUE(DateiSpeichern(quelle, Pfad("a.SBK"), TDateiArt::Formblatt, leise));
    TEditor bibo;
    bibo.BlattName = "Bibo";
    bibo.Elemente.push_back(Vieleck({{1, 1}, {2, 2}, {3, 1}}));
    ASSERT_TRUE(DateiSpeichern(bibo, Pfad("a.LIB"), leise));

    TDokument d;
    ASSERT_TRUE(DateiLaden(d, Pfad("a.trv"), TDateiArt::Dokument, leise));
    EXPECT_EQ(DokumentBytes(d), DokumentBytes(quelle));
    ASSERT_TRUE(DateiLaden(d, Pfad("a.BLT"), TDateiArt::Blatt, leise));
    EXPECT_EQ(d.Seiten.size(), 3u);
    EXPECT_EQ(d.Seiten[2]->BlattName, "Stromlaufplan");
    const size_t vorher = d.Aktiv()->Elemente.size();
    ASSERT_TRUE(DateiLaden(d, Pfad("a.SBK"), TDateiArt::Formblatt, leise));
    EXPECT_EQ(d.Aktiv()->Elemente.size(), vorher + 1);
    TEditor gelesen;
    gelesen.Elemente.push_back(Linie({{0, 0}, {1, 1}}));
    ASSERT_TRUE(DateiLaden(gelesen, Pfad("a.LIB"), leise));
    EXPECT_EQ(gelesen.BlattName, "Bibo");
    EXPECT_EQ(gelesen.Elemente.size(), 1u); // the page replaces what the panel showed
    EXPECT_TRUE(leise.meldungen.empty());
    EXPECT_TRUE(leise.fragen.empty());
}

} // namespace
} // namespace torvi::test
