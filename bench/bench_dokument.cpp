// Document benchmark: reading documents of 10 to 400 pages (50 elements each), and resolving
// a text's placeholders on a page of such a document; both should grow linearly or not at all.
#include "editor/Dokument.h"
#include "elements/Polygon.h"
#include "io/Datei.h"

#include <benchmark/benchmark.h>

namespace torvi {
namespace {

class TStill : public TRueckfragen {
public:
    void Meldung(TMeldungsArt, const QString&) override {}
    bool Frage(const QString&) override { return false; }
};

void Fuellen(TDokument& d, int seiten) {
    d.Variablen.Setzen("Projekt", "Netzteil");
    for (int s = 0; s < seiten; ++s) {
        TEditor& e = d.NeuesBlatt(QStringLiteral("Blatt %1").arg(s + 1));
        for (int i = 0; i < 50; ++i) {
            auto p = std::make_unique<TPolygon>();
            p->Punkte = {{float(i), 0}, {float(i) + 10, 5}, {float(i), 20}};
            e.Elemente.push_back(std::move(p));
        }
    }
}

void BM_DokumentLesen(benchmark::State& state) {
    TDokument quelle;
    Fuellen(quelle, int(state.range(0)));
    const QByteArray bytes = DokumentBytes(quelle);
    TStill still;
    for (auto _ : state) {
        TDokument d;
        benchmark::DoNotOptimize(LeseDokument(bytes, d, still));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_DokumentLesen)->RangeMultiplier(2)->Range(10, 400)->Complexity(benchmark::oN);

void BM_TextAufloesen(benchmark::State& state) {
    TDokument d;
    Fuellen(d, int(state.range(0)));
    const TEditor* letzte = d.Seiten.back().get();
    for (auto _ : state)
        benchmark::DoNotOptimize(d.TextAufloesen("<PROJEKT> <PAGENO>/<PAGECOUNT>", letzte, false));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_TextAufloesen)->RangeMultiplier(4)->Range(10, 640)->Complexity(benchmark::o1);

} // namespace
} // namespace torvi

BENCHMARK_MAIN();
