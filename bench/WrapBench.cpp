#include "Neon.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Editor lines of mixed length (short, row-sized, paragraph-sized, and the
// odd word longer than a row), about size bytes in all.
std::vector<std::string> MixedLines(std::size_t size) {
    static const char* const words[] = {"ala",
                                        "ma",
                                        "kota",
                                        "a",
                                        "kot-ma",
                                        "ale.",
                                        "\"cytat",
                                        "koniec\"",
                                        "zdanie.",
                                        "slowo",
                                        "bardzo-dlugie-slowo-bez-spacji-wcale"};
    std::vector<std::string> lines;
    std::uint32_t seed = 12345;
    std::size_t total = 0;
    while (total < size) {
        seed = seed * 1103515245u + 12345u;
        const std::size_t wordCount = (seed >> 16) % 60;
        std::string line;
        for (std::size_t w = 0; w < wordCount; ++w) {
            seed = seed * 1103515245u + 12345u;
            line += words[(seed >> 16) % std::size(words)];
            line += ' ';
        }
        total += line.size() + 2;
        lines.push_back(std::move(line));
    }
    return lines;
}

void BM_SetLines(benchmark::State& state) {
    const auto lines = MixedLines(static_cast<std::size_t>(state.range(0)));
    TVertNeon neon;
    for (auto _ : state) {
        neon.SetLines(lines);
        benchmark::DoNotOptimize(neon.Lines.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
    state.SetComplexityN(state.range(0));
}

void BM_WrapOneLongLine(benchmark::State& state) {
    std::string line;
    for (const auto& l : MixedLines(static_cast<std::size_t>(state.range(0))))
        line += l;
    for (auto _ : state)
        benchmark::DoNotOptimize(WrapLine(line));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(line.size()));
    state.SetComplexityN(static_cast<std::int64_t>(line.size()));
}

void BM_NextWindow(benchmark::State& state) {
    THorizNeon neon;
    neon.SetText(std::string(static_cast<std::size_t>(state.range(0)), 'x'));
    for (auto _ : state)
        benchmark::DoNotOptimize(neon.NextWindow());
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(BM_SetLines)->RangeMultiplier(4)->Range(256 << 10, 4 << 20)->Complexity(benchmark::oN);
BENCHMARK(BM_WrapOneLongLine)->RangeMultiplier(4)->Range(256 << 10, 4 << 20)->Complexity(benchmark::oN);
// The cost of a tick does not grow with the text.
BENCHMARK(BM_NextWindow)->RangeMultiplier(16)->Range(16, 16 << 20)->Complexity(benchmark::o1);
