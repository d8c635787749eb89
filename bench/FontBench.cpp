#include "FontCatalog.h"
#include "FontRenderer.h"

#include <QImage>

#include <benchmark/benchmark.h>

namespace {

QImage DefaultSet() {
    return QImage(QStringLiteral(":/DefaultChars.bmp")).convertToFormat(QImage::Format_RGB32);
}

// A whole set from a font name, as kr7ctl and the window's Apply make it:
// the lookup among the installed fonts, opening the face, 111 shapes.
void BM_FontSetFromName(benchmark::State& state) {
    const std::vector<TFontFace> fonts = InstalledFonts();
    const QImage base = DefaultSet();
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderFont(fonts, "DejaVu Serif:Bold", base, {}).set.chars.constBits());
}
BENCHMARK(BM_FontSetFromName)->Unit(benchmark::kMillisecond);

// The same with fontconfig's list of installed fonts read first, as one kr7ctl run does.
void BM_FontSetWithFontList(benchmark::State& state) {
    const QImage base = DefaultSet();
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderFont(InstalledFonts(), "DejaVu Sans Mono", base, {}).set.chars.constBits());
}
BENCHMARK(BM_FontSetWithFontList)->Unit(benchmark::kMillisecond);

// One adjustment step in the window's preview: the face is open already.
void BM_FontPreviewStep(benchmark::State& state) {
    const std::vector<TFontFace> fonts = InstalledFonts();
    std::string error;
    const auto renderer = TFontRenderer::Open(*FindFont(fonts, ParseFontName("DejaVu Sans")).face, error);
    const QImage base = DefaultSet();
    int weight = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(renderer->Render(base, {0, weight, true}).chars.constBits());
        weight = (weight + 1) % 3;
    }
}
BENCHMARK(BM_FontPreviewStep)->Unit(benchmark::kMillisecond);

} // namespace
