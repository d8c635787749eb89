// Logo page speed: reduction, the conversions comparable tools use, a whole
// render, the tiling and JPEG loading, each next to a reference measured in
// the same run (x_memcpy: time / memcpy of the same bytes; x_plain: time /
// a plain libjpeg decode of the same file).
#include "COMSocket.h"
#include "KR7.h"
#include "LogoDocument.h"
#include "LogoImage.h"
#include "LogoTable.h"
#include "PictureFile.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <jpeglib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

namespace {

// The machine is shared: time is this thread's processor time, so other
// programs do not count against the code measured.
struct TClock {
    static double now() {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
    }
};

double Seconds(double from) {
    return TClock::now() - from;
}

// The best of several copies of bytes, in seconds.
double MemcpySeconds(std::size_t bytes) {
    std::vector<char> a(bytes, 1), b(bytes, 2);
    double best = 1e9;
    for (int i = 0; i < 30; ++i) {
        const auto start = TClock::now();
        std::memcpy(b.data(), a.data(), bytes);
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
        best = std::min(best, Seconds(start));
    }
    return best;
}

// A photo-like 1000 x 1000 picture: gradients over the whole range of sums.
QImage Photo(int w = 1000, int h = 1000) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            row[x] = qRgb((x * 255) / w, (y * 255) / h, ((x + y) * 97) & 0xFF);
    }
    return image;
}

// Runs op on a fresh copy of source each iteration, timing only op.
template <typename Op> void TimeOnCopies(benchmark::State& state, const QImage& source, Op op) {
    const double reference = MemcpySeconds(static_cast<std::size_t>(source.sizeInBytes()));
    QImage work = source.copy();
    double total = 0;
    for (auto _ : state) {
        std::memcpy(work.bits(), source.constBits(), static_cast<std::size_t>(source.sizeInBytes()));
        const auto start = TClock::now();
        op(work);
        const double t = Seconds(start);
        total += t;
        state.SetIterationTime(t);
    }
    state.counters["x_memcpy"] = total / static_cast<double>(state.iterations()) / reference;
}

void BM_ReduceThreshold(benchmark::State& state) {
    TimeOnCopies(state, Photo(), [](QImage& im) { ReduceLogoPixels(im, 127, std::nullopt, false, 0); });
}
void BM_ReduceMosaic(benchmark::State& state) {
    TimeOnCopies(state, Photo(), [](QImage& im) { ReduceLogoPixels(im, LOGO_MODE_MOSAIC, std::nullopt, false, 0); });
}
void BM_ReduceMixing(benchmark::State& state) {
    TimeOnCopies(state, Photo(), [](QImage& im) { ReduceLogoPixels(im, LOGO_MODE_MIXING, std::nullopt, false, 0); });
}
void BM_ReduceThresholdBackground(benchmark::State& state) {
    TimeOnCopies(state, Photo(), [](QImage& im) { ReduceLogoPixels(im, 127, qRgb(0, 255, 0), false, 10); });
}
void BM_QtMonoThreshold(benchmark::State& state) {
    TimeOnCopies(state, Photo(), [](QImage& im) {
        benchmark::DoNotOptimize(im.convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::ThresholdDither));
    });
}
void BM_QtMonoOrdered(benchmark::State& state) {
    TimeOnCopies(state, Photo(), [](QImage& im) {
        benchmark::DoNotOptimize(im.convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::OrderedDither));
    });
}

// The render of the view from a 1000 x 1000 working picture: at full size
// (mostly outside the view) and fitted to the view; x_memcpy against a copy of
// the working picture.
void Render(benchmark::State& state, int width, int height, int mode) {
    const QImage picture = Photo();
    const double reference = MemcpySeconds(static_cast<std::size_t>(picture.sizeInBytes()));
    QImage view;
    TLogoRenderParams params;
    params.width = width;
    params.height = height;
    params.grid = true;
    params.mode = mode;
    params.background = qRgb(0, 255, 0);
    double total = 0;
    for (auto _ : state) {
        const auto start = TClock::now();
        RenderLogoView(view, picture, params);
        const double t = Seconds(start);
        total += t;
        state.SetIterationTime(t);
    }
    state.counters["x_memcpy"] = total / static_cast<double>(state.iterations()) / reference;
}
void BM_RenderFullSize(benchmark::State& state) {
    Render(state, 1000, 1000, LOGO_MODE_MOSAIC);
}
void BM_RenderFitted(benchmark::State& state) {
    Render(state, 360, 288, LOGO_MODE_MIXING);
}

// ---- The logo view under a dragged slider ----------------------------------
//
// What the user waits for after one slider step: the whole render of the view
// from a 4000 x 3000 working picture, scaled to 1000 x 1000 (mostly outside
// the view) or to 360 x 288, for each reduction, with and without background
// removal. A position step finds the scaled picture in its cache; a size step
// scales again. x_memcpy: time / a memcpy of the view's bytes in the same run.

const QImage& WorkingPicture() {
    static const QImage picture = Photo(4000, 3000);
    return picture;
}

enum class TStep { Position, Size };

void LogoView(benchmark::State& state, int width, int height, int mode, bool background, TStep step) {
    const QImage& picture = WorkingPicture();
    QImage view;
    TLogoScaleCache cache;
    TLogoRenderParams params;
    params.width = width;
    params.height = height;
    params.posX = (360 - width) / 2;
    params.posY = (288 - height) / 2;
    params.grid = true;
    params.mode = mode;
    if (background)
        params.background = qRgb(0, 255, 0);
    params.allowance = background ? 10 : 0;
    RenderLogoView(view, picture, params, cache);
    const double reference = MemcpySeconds(static_cast<std::size_t>(view.sizeInBytes()));
    double total = 0;
    int flip = 0;
    for (auto _ : state) {
        flip ^= 1;
        if (step == TStep::Position)
            params.posX = (360 - width) / 2 + flip;
        else
            params.width = width - flip;
        const auto start = TClock::now();
        RenderLogoView(view, picture, params, cache);
        const double t = Seconds(start);
        benchmark::DoNotOptimize(view.constBits());
        total += t;
        state.SetIterationTime(t);
    }
    state.counters["x_memcpy"] = total / static_cast<double>(state.iterations()) / reference;
}

void BM_LogoView(benchmark::State& state) {
    const bool large = state.range(0) != 0;
    const int modes[] = {127, LOGO_MODE_MOSAIC, LOGO_MODE_MIXING};
    LogoView(state, large ? 1000 : 360, large ? 1000 : 288, modes[state.range(1)], state.range(2) != 0,
             state.range(3) != 0 ? TStep::Size : TStep::Position);
}

// 141 distinct glyph cells and 339 repeats of them.
QImage TiledView() {
    QImage view(360, 288, QImage::Format_RGB32);
    view.fill(0xFF808080);
    for (int cell = 0; cell < 480; ++cell) {
        const int pattern = cell % 141;
        const int x0 = (cell % 30) * 12;
        const int y0 = (cell / 30) * 18;
        for (int bit = 0; bit < 8; ++bit)
            view.setPixel(x0 + bit, y0, (pattern >> bit) & 1 ? 0xFFFFFFFF : 0xFF000000);
        view.setPixel(x0 + 11, y0 + 17, 0xFFFFFFFF);
    }
    return view;
}

void BM_BuildLogoTable(benchmark::State& state) {
    const QImage view = TiledView();
    const double reference = MemcpySeconds(static_cast<std::size_t>(view.sizeInBytes()));
    double total = 0;
    for (auto _ : state) {
        const auto start = TClock::now();
        const std::optional<TLogoTable> table = BuildLogoTable(view, nullptr);
        const double t = Seconds(start);
        const bool ok = table && !table->Failed;
        const int count = ok ? table->TileCount : 0;
        benchmark::DoNotOptimize(ok);
        if (!ok || count != 141)
            state.SkipWithError("unexpected tiling");
        total += t;
        state.SetIterationTime(t);
    }
    state.counters["x_memcpy"] = total / static_cast<double>(state.iterations()) / reference;
}

// ---- JPEG ------------------------------------------------------------------

// A phone's Exif block: the picture is shown turned a quarter clockwise.
const unsigned char EXIF_TURNED[] = {'E',  'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0,
                                     0x12, 1,   3,   0,   1, 0, 0,   0,   6,  0, 0, 0, 0, 0, 0, 0};

bool WriteJpeg(const QImage& picture, const QString& path, bool turned = false) {
    std::FILE* file = std::fopen(path.toLocal8Bit().constData(), "wb");
    if (file == nullptr)
        return false;
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = static_cast<JDIMENSION>(picture.width());
    cinfo.image_height = static_cast<JDIMENSION>(picture.height());
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    if (turned)
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, EXIF_TURNED, sizeof EXIF_TURNED);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<uchar*>(picture.constScanLine(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(file);
    return true;
}

// libjpeg's own defaults, RGB rows into a new buffer, as any loader needs one.
void PlainDecode(const QString& path) {
    std::FILE* file = std::fopen(path.toLocal8Bit().constData(), "rb");
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    const std::size_t stride = static_cast<std::size_t>(cinfo.output_width) * cinfo.output_components;
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[stride * cinfo.output_height]);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = buffer.get() + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(file);
}

// A 12-megapixel photo, stored upright or (turned = 1) with an Exif
// orientation that turns it on import.
void BM_LoadPictureFileJpeg(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("big.jpg");
    if (!WriteJpeg(Photo(4000, 3000), path, state.range(0) != 0)) {
        state.SkipWithError("cannot write the JPEG");
        return;
    }
    double plain = 1e9;
    for (int i = 0; i < 3; ++i) {
        const auto start = TClock::now();
        PlainDecode(path);
        plain = std::min(plain, Seconds(start));
    }
    double total = 0;
    for (auto _ : state) {
        QImage image;
        const auto start = TClock::now();
        const bool ok = LoadPictureFile(image, path);
        const double t = Seconds(start);
        if (!ok)
            state.SkipWithError("load failed");
        total += t;
        state.SetIterationTime(t);
    }
    state.counters["x_plain"] = total / static_cast<double>(state.iterations()) / plain;
}

// A 12-megapixel PNG with transparency.
void BM_LoadPictureFilePng(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("big.png");
    QImage picture = Photo(4000, 3000).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 1000; ++y)
        std::fill_n(reinterpret_cast<QRgb*>(picture.scanLine(y)), picture.width(), 0u);
    if (!picture.save(path, "PNG", 90)) {
        state.SkipWithError("cannot write the PNG");
        return;
    }
    for (auto _ : state) {
        QImage image;
        const auto start = TClock::now();
        if (!LoadPictureFile(image, path))
            state.SkipWithError("load failed");
        state.SetIterationTime(Seconds(start));
    }
}

// What "Importuj" does with a 12 MP phone photo: the JPEG read, then the logo
// document's import (fit, render, centring on the content with background
// removal). It has to stay under a second.
void BM_ImportPhoto(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("photo.jpg");
    if (!WriteJpeg(Photo(4000, 3000), path)) {
        state.SkipWithError("cannot write the JPEG");
        return;
    }
    for (auto _ : state) {
        const auto start = TClock::now();
        const TPictureResult read = LoadPicture(path);
        TLogoDocument document;
        if (read.Ok())
            document.Import(read.image);
        else
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(document.View().constBits());
        state.SetIterationTime(Seconds(start));
    }
}

} // namespace

BENCHMARK(BM_ReduceThreshold)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReduceThresholdBackground)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReduceMosaic)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReduceMixing)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QtMonoThreshold)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QtMonoOrdered)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderFullSize)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderFitted)->UseManualTime()->Unit(benchmark::kMicrosecond);
// size (1: 1000 x 1000, 0: 360 x 288), reduction (0 bw, 1 mosaic, 2 mixing),
// background removal, step (0 position, 1 size)
BENCHMARK(BM_LogoView)
    ->ArgNames({"big", "mode", "bg", "resize"})
    ->ArgsProduct({{1, 0}, {0, 1, 2}, {0, 1}, {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildLogoTable)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadPictureFileJpeg)
    ->ArgName("turned")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(BM_LoadPictureFilePng)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ImportPhoto)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
