// Drawing and hit-testing a dense A3 page of 5,000 circles and 5,000 rounded rectangles.
#include "elements/Kreis.h"
#include "elements/Rechteck.h"
#include "surface/PainterSurface.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <random>

namespace torvi {
namespace {

constexpr float kPageW = 4200, kPageH = 2970; // A3 landscape, 0.1 mm
constexpr int kEach = 5000;

TElementList BuildPage() {
    std::mt19937 rng(63);
    std::uniform_real_distribution<float> x(0, kPageW - 200), y(0, kPageH - 200), size(20, 200);
    TElementList page;
    for (int i = 0; i < kEach; ++i) {
        auto k = std::make_unique<TKreis>();
        const float x1 = x(rng), y1 = y(rng);
        k->BuildEllipse(x1, y1, x1 + size(rng), y1 + size(rng));
        k->NoFill = i % 2 == 0;
        k->FillColor = 0xC0E0FF;
        page.push_back(std::move(k));
        auto r = std::make_unique<TRechteck>();
        const float x2 = x(rng), y2 = y(rng);
        r->SetCorners({x2, y2, x2 + size(rng), y2 + size(rng)});
        r->Rundung = 20;
        r->PlaceRundungspunkt();
        r->NoFill = i % 2 == 1;
        r->FillColor = 0xFFE0C0;
        page.push_back(std::move(r));
    }
    return page;
}

const TElementList& Page() {
    static const TElementList page = BuildPage();
    return page;
}

// The fit zoom of the page in a 1920 x 1080 view, in pixels per unit.
double FitScale() {
    return std::min(1920 / kPageW, 1080 / kPageH);
}

void BM_DrawShapes(benchmark::State& state) {
    const double z = FitScale();
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        TPainterSurface s(&image);
        Shared().ViewTransform = {z, z, 0, 0};
        for (const auto& e : Page()) {
            e->Draw(s);
            s.SetMapping({z, z, 0, 0});
        }
    }
    state.SetItemsProcessed(state.iterations() * int64_t(Page().size()));
}

// What the editor does on a click: the topmost element under the pointer, or none.
void HitTestAt(benchmark::State& state, QPoint at, bool expectHit) {
    const double z = FitScale();
    QImage image(1920, 1080, QImage::Format_RGB32);
    TPainterSurface s(&image);
    s.SetMapping({z, z, 0, 0});
    Shared().ViewTransform = {z, z, 0, 0};
    const TElementList& page = Page();
    for (auto _ : state) {
        const TElement* hit = nullptr;
        for (auto it = page.rbegin(); it != page.rend() && !hit; ++it)
            if ((*it)->HitTest(s, at.x(), at.y())) hit = it->get();
        benchmark::DoNotOptimize(hit);
        if ((hit != nullptr) != expectHit) state.SkipWithError("unexpected hit result");
    }
}

// A point beyond the page's right edge hits nothing but is tested against every element.
void BM_HitTestMissing(benchmark::State& state) {
    HitTestAt(state, {1900, 540}, false);
}

// The centre of the last (topmost) circle.
void BM_HitTestHitting(benchmark::State& state) {
    const auto& k = static_cast<const TKreis&>(*Page()[Page().size() - 2]);
    const double z = FitScale();
    HitTestAt(state, {int(k.Mitte.x * z), int(k.Mitte.y * z)}, true);
}

BENCHMARK(BM_DrawShapes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitTestMissing)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HitTestHitting)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace torvi

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
