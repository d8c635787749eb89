// The ticker driven by a script of ticks and text changes: every window is at
// most 30 bytes, holds only bytes of the text or blanks, and Position stays
// within the cycle of text length + 31 ticks.
#include "Neon.h"

#include <array>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// Ticks one script may ask for: one cycle of the longest text it can set,
// enough to reach every position before a text change or a jump; the cycle
// from the start at the end of every input is run in full.
constexpr int MAX_TICKS = 0x3F + SCREEN_COLUMNS + 1;

// The bytes a text holds, for the check of every window byte.
using TByteSet = std::array<bool, 256>;

TByteSet BytesOf(const std::string& text) {
    TByteSet set{};
    for (char c : text)
        set[static_cast<unsigned char>(c)] = true;
    return set;
}

void Tick(THorizNeon& neon, const TByteSet& bytes) {
    const std::string& text = neon.GetText();
    const std::string window = neon.NextWindow();
    Check(window.size() <= static_cast<std::size_t>(SCREEN_COLUMNS));
    for (char c : window)
        Check(c == ' ' || bytes[static_cast<unsigned char>(c)]);
    Check(neon.Position >= 0);
    Check(neon.Position <= static_cast<int>(text.size()) + SCREEN_COLUMNS);
}

} // namespace

// Input: a sequence of commands. 0x00..0x7F: that many ticks plus one.
// 0x80..0xBF: the next (byte & 0x3F) bytes become the text. 0xC0..0xFF: a
// Reset, or with 0xFF a jump of Position to the next byte's value. Ticks past
// MAX_TICKS are left out.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    THorizNeon neon;
    TByteSet bytes{};
    int ticks = 0;
    std::size_t i = 0;
    while (i < size) {
        const std::uint8_t op = data[i++];
        if (op < 0x80) {
            for (int t = 0; t <= op && ticks < MAX_TICKS; ++t, ++ticks)
                Tick(neon, bytes);
        } else if (op < 0xC0) {
            const std::size_t length = std::min<std::size_t>(op & 0x3F, size - i);
            neon.SetText(std::string(reinterpret_cast<const char*>(data + i), length));
            i += length;
            const std::string& text = neon.GetText();
            bytes = BytesOf(text);
            Check(text.empty() ||
                  (static_cast<unsigned char>(text.front()) > 0x20 && static_cast<unsigned char>(text.back()) > 0x20));
        } else if (op == 0xFF && i < size) {
            // A text that shrank under a Position from the old text.
            neon.Position = data[i++];
            const std::string window = neon.NextWindow();
            Check(window.size() <= static_cast<std::size_t>(SCREEN_COLUMNS));
            Check(neon.Position >= 0 && neon.Position <= static_cast<int>(neon.GetText().size()) + SCREEN_COLUMNS);
        } else {
            neon.Reset();
            Check(neon.Position == 0);
        }
    }
    // A full cycle from the start shows the text and comes back to 0.
    neon.Reset();
    const int cycle = static_cast<int>(neon.GetText().size()) + SCREEN_COLUMNS + 1;
    for (int t = 0; t < cycle; ++t)
        Tick(neon, bytes);
    Check(neon.Position == 0);
    return 0;
}
