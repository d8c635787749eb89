#include "Glyphs.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <vector>

// Converting a whole glyph set against copying its picture: x_memcpy is the
// conversion's time divided by the time of a memcpy of the 192 x 288 x 4 =
// 221,184 bytes of the 32-bit glyph image, both measured in this run in
// thread CPU time.
namespace {

// Thread CPU time, so that other programs on the machine do not skew the ratio.
struct Clock {
    using time_point = std::chrono::nanoseconds;
    static time_point now() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
    }
};

constexpr std::size_t PICTURE_BYTES = CHARS_WIDTH * CHARS_HEIGHT * 4;

// Nanoseconds of one memcpy of the picture's bytes: the best of several batches.
double MemcpyNanoseconds() {
    static const double nanoseconds = [] {
        std::vector<char> from(PICTURE_BYTES, 'x');
        std::vector<char> to(PICTURE_BYTES);
        constexpr int batch = 200;
        double best = 1e30;
        for (int round = 0; round < 20; ++round) {
            const auto start = Clock::now();
            for (int i = 0; i < batch; ++i) {
                from[static_cast<std::size_t>(i)] = static_cast<char>(i);
                std::memcpy(to.data(), from.data(), PICTURE_BYTES);
                benchmark::DoNotOptimize(to.data());
                benchmark::ClobberMemory();
            }
            const std::chrono::duration<double, std::nano> spent = Clock::now() - start;
            best = std::min(best, spent.count() / batch);
        }
        return best;
    }();
    return nanoseconds;
}

// A glyph image with every level in every cell.
QImage MixedChars() {
    QImage chars;
    NewCharsBitmap(chars);
    std::uint32_t seed = 12345;
    for (int y = 0; y < CHARS_HEIGHT; ++y) {
        auto* line = reinterpret_cast<QRgb*>(chars.scanLine(y));
        for (int x = 0; x < CHARS_WIDTH; ++x) {
            seed = seed * 1103515245u + 12345u;
            static constexpr QRgb levels[] = {0xFF000000u, 0xFF808080u, 0xFFFFFFFFu};
            line[x] = levels[(seed >> 16) % 3];
        }
    }
    return chars;
}

void Report(benchmark::State& state, Clock::time_point start) {
    const std::chrono::duration<double, std::nano> spent = Clock::now() - start;
    const double perIteration = spent.count() / static_cast<double>(state.iterations());
    state.counters["x_memcpy"] = perIteration / MemcpyNanoseconds();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(PICTURE_BYTES));
}

void BM_WriteCharsBitmap(benchmark::State& state) {
    const QImage chars = MixedChars();
    MemcpyNanoseconds();
    const auto start = Clock::now();
    for (auto _ : state) {
        TMemoryStream stream;
        WriteCharsBitmap(chars, stream);
        benchmark::DoNotOptimize(stream.Bytes().data());
    }
    Report(state, start);
}

void BM_ReadCharsBitmap(benchmark::State& state) {
    TMemoryStream records;
    WriteCharsBitmap(MixedChars(), records);
    MemcpyNanoseconds();
    const auto start = Clock::now();
    for (auto _ : state) {
        records.Seek(0);
        auto chars = ReadCharsBitmap(records);
        benchmark::DoNotOptimize(chars);
    }
    Report(state, start);
}

} // namespace

BENCHMARK(BM_WriteCharsBitmap);
BENCHMARK(BM_ReadCharsBitmap);
