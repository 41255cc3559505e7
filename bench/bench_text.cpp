// Drawing 2,000 labels on one page: the first draw builds every outline, later draws only
// transform and fill the cached ones.
#include "elements/Text.h"
#include "surface/PainterSurface.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

using namespace torvi;

constexpr int kLabels = 2000;

std::vector<std::unique_ptr<TText>> Page() {
    std::vector<std::unique_ptr<TText>> page;
    page.reserve(kLabels);
    for (int i = 0; i < kLabels; ++i) {
        auto t = std::make_unique<TText>();
        t->SetTextAndFont(QStringLiteral("R%1 10k").arg(i), t->Schrift, false, 30);
        t->PlaceAt({float(40 + (i % 20) * 140), float(40 + (i / 20) * 20)});
        page.push_back(std::move(t));
    }
    return page;
}

void DrawAll(std::vector<std::unique_ptr<TText>>& page, QImage& image) {
    TPainterSurface s(&image);
    for (auto& t : page) t->Draw(s);
}

void SetUpView(bool smooth) {
    Shared().ViewTransform = {0.4, 0.4, 0, 0};
    Shared().TextAntiAliasing = smooth;
}

void BM_FirstDraw(benchmark::State& state) {
    SetUpView(state.range(0) != 0);
    QImage image(1200, 850, QImage::Format_RGB32);
    for (auto _ : state) {
        state.PauseTiming();
        auto page = Page();
        image.fill(Qt::white);
        state.ResumeTiming();
        DrawAll(page, image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_FirstDraw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_RepeatedDraw(benchmark::State& state) {
    SetUpView(state.range(0) != 0);
    QImage image(1200, 850, QImage::Format_RGB32);
    auto page = Page();
    DrawAll(page, image);
    const long builds = TText::OutlineBuildCount();
    for (auto _ : state) {
        image.fill(Qt::white);
        DrawAll(page, image);
        benchmark::DoNotOptimize(image.constBits());
    }
    if (TText::OutlineBuildCount() != builds) state.SkipWithError("outlines were rebuilt");
}
BENCHMARK(BM_RepeatedDraw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
