// Placeholders in texts, user variables and their merge.
#include "editor/Dokument.h"
#include "elements/ElementList.h"
#include "elements/Text.h"

#include <deque>
#include <gtest/gtest.h>

namespace torvi {
namespace {

class TAntworten : public TRueckfragen {
public:
    std::deque<bool> antworten;
    std::vector<QString> fragen;
    void Meldung(TMeldungsArt, const QString&) override {}
    bool Frage(const QString& t) override {
        fragen.push_back(t);
        const bool a = !antworten.empty() && antworten.front();
        if (!antworten.empty()) antworten.pop_front();
        return a;
    }
};

class TextAufloesen : public ::testing::Test {
protected:
    void SetUp() override {
        d.DokumentName = "/home/plaene/Netzteil.TRV";
        d.Uhr = [] { return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)); };
        d.NeuesBlatt("Deckblatt");
        d.NeuesBlatt("Stromlauf");
        d.NeuesBlatt("Aufbau");
        d.Variablen.Setzen("Projekt", "Netzteil");
        d.Variablen.Setzen("Seite", "S.<PAGENO>");
        d.Variablen.Setzen("Zeit", "<TIME>");
        d.AktivesBlatt = 0;
    }
    TDokument d;
};

TEST_F(TextAufloesen, PlaceholderTable) {
    const TEditor* seite3 = d.Seiten[2].get();
    const QLocale l = QLocale::system();
    struct Fall {
        const char* text;
        QString erwartet;
    } faelle[] = {
        {"Plan <projekt>", "Plan Netzteil"},
        {"<VERSION>", "Torvi 6.0"},
        {"<FileName>", "netzteil.trv"},
        {"<FILEPATH>", "/home/plaene/"},
        {"<PAGENO>/<PAGECOUNT>", "3/3"},
        {"<PageName>", "Aufbau"},
        {"<seite>", "S.3"},   // a variable may hold a later one
        {"<zeit>", "<TIME>"}, // but not an earlier one
        {"<DATE>", l.toString(QDate(2024, 3, 5), QLocale::ShortFormat)},
        {"<TIME>", l.toString(QTime(14, 7, 9), QLocale::LongFormat)},
        {"<unbekannt> <PAGENO><PAGENO>", "<unbekannt> 33"}, // every occurrence
        {"a > b < c", "a > b < c"},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(d.TextAufloesen(f.text, seite3, false), f.erwartet) << f.text;
    EXPECT_EQ(d.TextAufloesen(QString(300, 'x') + "<PAGENO>", seite3, false).size(), 255);
}

TEST_F(TextAufloesen, PageCountWhileReadingIsTheFilesCount) {
    d.LadeLetzterIndex = 9;
    EXPECT_EQ(d.TextAufloesen("<PAGECOUNT>", d.Seiten[0].get(), false), "10");
    d.LadeLetzterIndex = -1;
    EXPECT_EQ(d.TextAufloesen("<PAGECOUNT>", d.Seiten[0].get(), false), "3");
}

TEST_F(TextAufloesen, ComponentIdentifiersCarryThePageNumber) {
    EXPECT_EQ(d.TextAufloesen("R1", d.Seiten[2].get(), true), "R1");
    d.PageNoBauteile = true;
    EXPECT_EQ(d.TextAufloesen("R1", d.Seiten[2].get(), true), "3R1");
    EXPECT_EQ(d.TextAufloesen("R1", d.Seiten[2].get(), false), "R1");
}

TEST_F(TextAufloesen, ModeDecidesForTextsOnNoPage) {
    TEditor bibliothek; // the library panel is no page of the document
    d.AktivesBlatt = 1;
    EXPECT_EQ(d.TextAufloesen("<PAGENO>", &bibliothek, false), "<PAGENO>");
    EXPECT_EQ(d.TextAufloesen("<PAGENO>", nullptr, false), "<PAGENO>");
    {
        TTextVariablenModusScope immer(TTextVariablenModus::Immer);
        EXPECT_EQ(d.TextAufloesen("<PAGENO>", &bibliothek, false), "2");
        EXPECT_EQ(d.TextAufloesen("<PAGENO>", d.Seiten[2].get(), false), "3");
    }
    {
        TTextVariablenModusScope nie(TTextVariablenModus::Nie);
        EXPECT_EQ(d.TextAufloesen("<PAGENO>", d.Seiten[2].get(), false), "<PAGENO>");
    }
    EXPECT_EQ(TextVariablenModus(), TTextVariablenModus::Normal);
    d.SymbolBlattName = "Herkunft";
    EXPECT_EQ(d.TextAufloesen("<PAGENAME>", d.Seiten[0].get(), false), "Herkunft");
}

TEST_F(TextAufloesen, PageIndexFollowsRemovedPages) {
    const TEditor* aufbau = d.Seiten[2].get();
    EXPECT_EQ(d.SeitenIndex(*aufbau), 2);
    d.BlattEntfernen(0);
    EXPECT_EQ(d.SeitenIndex(*aufbau), 1);
    EXPECT_EQ(d.TextAufloesen("<PAGENO>", aufbau, false), "2");
}

TEST(UserVariablen, UniqueWithoutCaseSortedAndMergedWithOneQuestion) {
    TUserVariablen v;
    TAntworten a;
    v.Uebernehmen("zeta", "1", a);
    v.Uebernehmen("Alpha", "2", a);
    v.Uebernehmen("  ", "leer", a); // an unused row
    v.Uebernehmen("", "leer", a);
    v.Uebernehmen("ALPHA", "2", a); // same text: no question
    EXPECT_TRUE(a.fragen.empty());
    a.antworten = {false, true};
    v.Uebernehmen("alpha", "neu", a);
    EXPECT_EQ(v.Finden("Alpha")->Text, "2");
    v.Uebernehmen("ZETA", "neu", a);
    EXPECT_EQ(v.Finden("zeta")->Text, "neu");
    ASSERT_EQ(a.fragen.size(), 2u);
    EXPECT_EQ(a.fragen[0], QString::fromUtf8("Die Variable \"alpha\" ist bereits definiert.\rSoll "
                                             "der neue Inhalt \"neu\" übernommen werden?"));
    ASSERT_EQ(v.Zeilen().size(), 2u);
    EXPECT_EQ(v.Zeilen()[0].Name, "Alpha");
    EXPECT_EQ(v.Zeilen()[1].Name, "zeta");
    EXPECT_EQ(TUserVariablen::AusEintrag("a|b|c"), (TUserVariable{"a", "b|c"}));
    EXPECT_EQ(TUserVariablen::AusEintrag("ohne"), (TUserVariable{"ohne", ""}));
}

} // namespace
} // namespace torvi

namespace torvi {
namespace {

// A label read into a page asks that page: its number, and the page prefix for identifiers.
TEST_F(TextAufloesen, LabelsReadIntoAPageResolveWithThatPage) {
    d.PageNoBauteile = true;
    TEditor& seite = *d.Seiten[1];
    TText label;
    label.SetText("Blatt <PAGENO> von <PAGECOUNT>");
    TText ident;
    ident.SetText("R<PAGENO>");
    TElementList list;
    list.push_back(CopyElement(label));
    list.push_back(CopyElement(ident));
    TByteWriter w;
    WriteElementList(w, list);
    const QByteArray bytes = w.Data();
    TByteReader r(bytes);
    seite.LeseElemente(r);
    ASSERT_EQ(seite.Elemente.size(), 2u);
    auto& a = static_cast<TText&>(*seite.Elemente[0]);
    auto& b = static_cast<TText&>(*seite.Elemente[1]);
    b.Bauteiltext = true; // not stored: a component sets it on its identifier
    EXPECT_EQ(a.OnTextAufloesen(a.Text), "Blatt 2 von 3");
    EXPECT_EQ(b.OnTextAufloesen(b.Text), "2R2");
    // The text-changed path sets what is shown through the same resolution.
    d.TextAufloesen(&seite, a);
    EXPECT_EQ(a.Anzeigetext, "Blatt 2 von 3");
}

} // namespace
} // namespace torvi
