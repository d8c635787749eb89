#include "Codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <cstdint>
#include <memory>

namespace {

// The five bytes that Windows-1250 leaves unassigned. The codec maps them to
// private or control code points depending on the ICU version; a fixed table
// keeps them round-tripping on every machine.
constexpr std::array<unsigned char, 5> UNASSIGNED = {0x81, 0x83, 0x88, 0x90, 0x98};

bool IsUnassigned(unsigned char b) {
    for (unsigned char u : UNASSIGNED)
        if (u == b)
            return true;
    return false;
}

// Unassigned bytes are carried through Unicode in the private use area.
constexpr char16_t PRIVATE_BASE = 0xF700;

struct TTables {
    std::array<char16_t, 256> toUnicode{};
    bool ok = false;
};

const TTables& Tables() {
    static const TTables tables = [] {
        TTables t;
        QStringDecoder decoder("windows-1250");
        if (!decoder.isValid())
            return t;
        t.ok = true;
        for (int b = 0; b < 256; ++b) {
            if (IsUnassigned(static_cast<unsigned char>(b))) {
                t.toUnicode[b] = static_cast<char16_t>(PRIVATE_BASE + b);
                continue;
            }
            const char byte = static_cast<char>(b);
            const QString s = decoder.decode(QByteArrayView(&byte, 1));
            t.toUnicode[b] = s.isEmpty() ? u'?' : s.at(0).unicode();
        }
        return t;
    }();
    return tables;
}

} // namespace

bool CodepageAvailable() {
    return Tables().ok;
}

QString FromCp1250(const std::string& bytes) {
    const auto& t = Tables().toUnicode;
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes)
        out.append(QChar(t[static_cast<unsigned char>(c)]));
    return out;
}

std::string ToCp1250(const QString& text) {
    // One entry per UTF-16 unit: the byte plus one, 0 where there is none.
    static const auto reverse = [] {
        auto r = std::make_unique<std::array<std::uint16_t, 65536>>();
        r->fill(0);
        const auto& t = Tables().toUnicode;
        for (int b = 255; b >= 0; --b)
            (*r)[t[b]] = static_cast<std::uint16_t>(b + 1);
        return r;
    }();
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        // A character beyond 16 bits is one character, written as one "?".
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        const std::uint16_t entry = (*reverse)[ch.unicode()];
        out.push_back(entry == 0 ? '?' : static_cast<char>(entry - 1));
    }
    return out;
}
