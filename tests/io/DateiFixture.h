// Shared pieces of the file tests: scripted answers, a small document with polylines and
// polygons, and temporary folders.
#pragma once

#include "editor/Dokument.h"
#include "elements/Polygon.h"
#include "elements/Polyline.h"
#include "io/Datei.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <deque>
#include <gtest/gtest.h>

namespace torvi::test {

// Records every message and answers questions from a script (no when it runs out).
class TSkript : public TRueckfragen {
public:
    std::vector<QString> meldungen;
    std::vector<QString> fragen;
    std::deque<bool> antworten;
    void Meldung(TMeldungsArt, const QString& text) override { meldungen.push_back(text); }
    bool Frage(const QString& text) override {
        fragen.push_back(text);
        if (antworten.empty()) return false;
        const bool a = antworten.front();
        antworten.pop_front();
        return a;
    }
};

inline std::unique_ptr<TPolyline> Linie(std::vector<TPunkt> punkte, bool form = false) {
    auto l = std::make_unique<TPolyline>();
    l->Punkte = std::move(punkte);
    l->PenWidth = 5;
    l->EndEnde = 1;
    l->SetFormLayer(form);
    return l;
}

inline std::unique_ptr<TPolygon> Vieleck(std::vector<TPunkt> punkte, bool form = false) {
    auto p = std::make_unique<TPolygon>();
    p->Punkte = std::move(punkte);
    p->NoFill = false;
    p->FillColor = Rgb(10, 20, 30);
    p->SetFormLayer(form);
    return p;
}

// Two pages with form and drawing elements, magnet lines, an origin and two variables.
inline void BeispielDokument(TDokument& d) {
    d.Variablen.Setzen("Projekt", "Netzteil");
    d.Variablen.Setzen("Autor", "R. Lang|Labor");
    d.PageNoBauteile = true;
    d.BlaetterNumerieren = false;
    TEditor& a = d.NeuesBlatt("Stromlaufplan");
    a.Elemente.push_back(Vieleck({{0, 0}, {2970, 0}, {2970, 2100}}, true));
    a.Elemente.push_back(Linie({{100, 100}, {500, 100}, {500, 400}}));
    a.MagnetlinienH.push_back({250});
    a.MagnetlinienV.push_back({125.5f});
    a.MagnetlinienV.push_back({900});
    a.Ursprung = {15, 25};
    a.ScrollPosH = 40;
    a.SetzeZoom(0.5);
    TEditor& b = d.NeuesBlatt("Aufbau");
    b.BreiteMM = 420;
    b.HoeheMM = 297;
    b.Papierformat = 1;
    b.Hochformat = true;
    b.Raster = 25;
    b.Elemente.push_back(Vieleck({{10, 10}, {60, 10}, {60, 90}, {10, 90}}));
    d.AktivesBlatt = 0;
}

inline QByteArray Lesen(const QString& datei) {
    QFile f(datei);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void Schreiben(const QString& datei, const QByteArray& bytes) {
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// What a test compares to see that a document did not change.
inline QByteArray Zustand(const TDokument& d) {
    QByteArray z = d.Seiten.empty() ? QByteArray("-") : DokumentBytes(d);
    z += QByteArray::number(d.AktivesBlatt) + (d.DokumentGeaendert ? "G" : "g") +
         d.DokumentName.toUtf8() + QByteArray::number(qsizetype(d.Seiten.size()));
    return z;
}

} // namespace torvi::test
