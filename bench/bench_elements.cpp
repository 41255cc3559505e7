// Element benchmark: a page of 10,000 polylines and polygons on A3, drawn, hit-tested and
// written and read as an element list.
#include "elements/ElementList.h"
#include "elements/Polygon.h"
#include "elements/Polyline.h"
#include "surface/PainterSurface.h"
#include "surface/RecordingSurface.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <random>

namespace torvi {
namespace {

constexpr float kA3W = 4200, kA3H = 2970;

TElementList MakePage(int count) {
    std::mt19937 rng(42);
    std::uniform_real_distribution<float> x(0, kA3W), y(0, kA3H), d(-150, 150);
    TElementList page;
    for (int i = 0; i < count; ++i) {
        const TPunkt a{x(rng), y(rng)};
        std::vector<TPunkt> pts{a};
        for (int k = 0; k < 4; ++k) pts.push_back({pts.back().x + d(rng), pts.back().y + d(rng)});
        if (i % 2) {
            auto l = std::make_unique<TPolyline>();
            l->Punkte = pts;
            l->LineStyle = uint8_t(i % 7);
            l->EndEnde = uint8_t(i % 11);
            page.push_back(std::move(l));
        } else {
            auto p = std::make_unique<TPolygon>();
            p->Punkte = pts;
            p->NoFill = i % 4 == 0;
            page.push_back(std::move(p));
        }
    }
    return page;
}

// Fit zoom of A3 landscape into 1920 x 1080.
double FitZoom() {
    return std::min(1920 / kA3W, 1080 / kA3H);
}

struct Page {
    TElementList elements = MakePage(10000);
};
Page& SharedPage() {
    static Page p;
    return p;
}

void BM_DrawPage(benchmark::State& state) {
    auto& page = SharedPage().elements;
    QImage image(1920, 1080, QImage::Format_RGB32);
    const double z = FitZoom();
    for (auto _ : state) {
        image.fill(Qt::white);
        TPainterSurface s(&image);
        Shared().ViewTransform = {z, z, 0, 0};
        for (auto& e : page) e->Draw(s);
    }
}
BENCHMARK(BM_DrawPage)->Unit(benchmark::kMillisecond);

// Hit test as the editor does: every element from the top of the drawing order down.
int HitAt(TElementList& page, TSurface& s, QPoint p) {
    for (auto it = page.rbegin(); it != page.rend(); ++it)
        if ((*it)->HitTest(s, p.x(), p.y())) return int(page.rend() - it) - 1;
    return -1;
}

void BM_HitTestMiss(benchmark::State& state) {
    auto& page = SharedPage().elements;
    TRecordingSurface s;
    const double z = FitZoom();
    s.SetMapping({z, z, 0, 0});
    Shared().ViewTransform = {z, z, 0, 0};
    const QPoint outside(1919, 1079); // beyond the page
    for (auto _ : state) benchmark::DoNotOptimize(HitAt(page, s, outside));
}
BENCHMARK(BM_HitTestMiss)->Unit(benchmark::kMicrosecond);

void BM_HitTestHit(benchmark::State& state) {
    auto& page = SharedPage().elements;
    TRecordingSurface s;
    const double z = FitZoom();
    s.SetMapping({z, z, 0, 0});
    Shared().ViewTransform = {z, z, 0, 0};
    // The first point of the bottom-most element: the search passes almost every element.
    const TPunkt p = page.front()->Points()[0];
    const QPoint at(int(p.x * z), int(p.y * z));
    for (auto _ : state) benchmark::DoNotOptimize(HitAt(page, s, at));
}
BENCHMARK(BM_HitTestHit)->Unit(benchmark::kMicrosecond);

void BM_WriteList(benchmark::State& state) {
    auto& page = SharedPage().elements;
    for (auto _ : state) {
        TByteWriter w;
        WriteElementList(w, page);
        benchmark::DoNotOptimize(w.Size());
    }
}
BENCHMARK(BM_WriteList)->Unit(benchmark::kMillisecond);

void BM_ReadList(benchmark::State& state) {
    TByteWriter w;
    WriteElementList(w, SharedPage().elements);
    for (auto _ : state) {
        TElementList list;
        TByteReader r(w.Data());
        ReadElementList(r, list);
        benchmark::DoNotOptimize(list.size());
    }
}
BENCHMARK(BM_ReadList)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace torvi

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
