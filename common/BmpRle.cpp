#include "BmpParts.h"

namespace bmp {

// Walks the codes without drawing: a pair (n > 0, value) is a run of n
// pixels; (0, 0) ends a row, (0, 1) the picture, (0, 2, dx, dy) moves on;
// (0, n >= 3) is followed by n literal pixels, padded to a whole 16-bit word.
bool RunLengthComplete(QByteArrayView bytes, std::int64_t offset, std::int64_t rows, int bits) {
    const std::int64_t size = bytes.size();
    std::int64_t pos = offset;
    std::int64_t y = 0;
    while (y < rows) {
        if (pos < 0 || pos + 2 > size)
            return false;
        const std::uint32_t count = static_cast<uchar>(bytes[pos]);
        const std::uint32_t code = static_cast<uchar>(bytes[pos + 1]);
        pos += 2;
        if (count > 0)
            continue;
        if (code == 0) {
            ++y;
        } else if (code == 1) {
            return true;
        } else if (code == 2) {
            if (pos + 2 > size)
                return false;
            y += static_cast<uchar>(bytes[pos + 1]);
            pos += 2;
        } else {
            const std::int64_t literal = bits == 8 ? code : (code + 1) / 2;
            pos += (literal + 1) / 2 * 2;
            if (pos > size)
                return false;
        }
    }
    return true;
}

} // namespace bmp
