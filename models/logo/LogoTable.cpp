#include "LogoTable.h"

#include "GlyphUpload.h"
#include "Glyphs.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace {

constexpr std::uint32_t RGB_MASK = 0xFFFFFF;

QImage AsRgb32(const QImage& image) {
    return image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
}

// A rectangle of 32-bit pixels inside a larger picture.
struct TCell {
    const uchar* bits;
    qsizetype bytesPerLine;
    int width;
    int height;
    const std::uint32_t* Row(int y) const { return reinterpret_cast<const std::uint32_t*>(bits + y * bytesPerLine); }
};

TCell WholeImage(const QImage& image) {
    return {image.constBits(), image.bytesPerLine(), image.width(), image.height()};
}

bool CellIsEmpty(const TCell& cell) {
    for (int y = 0; y < cell.height; ++y) {
        const std::uint32_t* row = cell.Row(y);
        for (int x = 0; x < cell.width; ++x) {
            const std::uint32_t c = row[x] & RGB_MASK;
            if (c == 0 || c == RGB_MASK)
                return false;
        }
    }
    return true;
}

bool CellIsUniform(const TCell& cell, QRgb colour) {
    const std::uint32_t want = colour & RGB_MASK;
    for (int y = 0; y < cell.height; ++y) {
        const std::uint32_t* row = cell.Row(y);
        for (int x = 0; x < cell.width; ++x) {
            if ((row[x] & RGB_MASK) != want)
                return false;
        }
    }
    return true;
}

bool SameCell(const TCell& a, const TCell& b) {
    if (a.width != b.width || a.height != b.height)
        return false;
    const std::size_t rowBytes = static_cast<std::size_t>(a.width) * 4;
    for (int y = 0; y < a.height; ++y) {
        if (std::memcmp(a.Row(y), b.Row(y), rowBytes) != 0)
            return false;
    }
    return true;
}

// 64-bit FNV-1a over the cell's pixels, a whole pixel at a time.
std::uint64_t HashCell(const TCell& cell) {
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (int y = 0; y < cell.height; ++y) {
        const std::uint32_t* row = cell.Row(y);
        for (int x = 0; x < cell.width; ++x) {
            h ^= row[x];
            h *= 0x100000001B3ull;
        }
    }
    return h;
}

// Tiles found so far, reached through the hash of their pixels.
class TTileIndex {
public:
    explicit TTileIndex(const TLogoTable& table) : table_(table) {}

    // The tile showing exactly cell, or -1.
    int Find(const TCell& cell, std::uint64_t hash) const {
        auto [first, last] = byHash_.equal_range(hash);
        for (auto it = first; it != last; ++it) {
            const QImage& tile = *table_.LogoTiles[static_cast<std::size_t>(it->second)];
            if (SameCell(cell, WholeImage(tile)))
                return it->second;
        }
        return -1;
    }
    void Add(std::uint64_t hash, int tile) { byHash_.emplace(hash, tile); }

private:
    const TLogoTable& table_;
    std::unordered_multimap<std::uint64_t, int> byHash_;
};

QImage CopyCell(const TCell& cell) {
    QImage tile(cell.width, cell.height, QImage::Format_RGB32);
    for (int y = 0; y < cell.height; ++y)
        std::memcpy(tile.scanLine(y), cell.Row(y), static_cast<std::size_t>(cell.width) * 4);
    return tile;
}

struct TBounds {
    int left = SCREEN_COLUMNS;
    int top = SCREEN_ROWS;
    int bottom = 0;
    bool any = false;
    void Widen(int column, int row) {
        left = std::min(left, column);
        top = std::min(top, row);
        bottom = std::max(bottom, row);
        any = true;
    }
};

void TrimRows(std::vector<std::string>& rows, const TBounds& bounds) {
    if (!bounds.any) {
        // no glyph cell: nothing of the screen belongs to a logo
        rows.clear();
        return;
    }
    for (std::string& row : rows) {
        row.erase(0, std::min<std::size_t>(row.size(), static_cast<std::size_t>(bounds.left)));
        while (!row.empty() && static_cast<std::uint8_t>(row.back()) == CODE_EMPTY)
            row.pop_back();
    }
    if (rows.size() > static_cast<std::size_t>(bounds.bottom) + 1)
        rows.resize(static_cast<std::size_t>(bounds.bottom) + 1);
    rows.erase(rows.begin(),
               rows.begin() + std::min<std::ptrdiff_t>(bounds.top, static_cast<std::ptrdiff_t>(rows.size())));
}

} // namespace

bool IsEmptyTile(const QImage& image) {
    const QImage rgb = AsRgb32(image);
    return CellIsEmpty(WholeImage(rgb));
}

bool IsUniformTile(const QImage& image, QRgb colour) {
    const QImage rgb = AsRgb32(image);
    return CellIsUniform(WholeImage(rgb), colour);
}

bool SameTile(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return false;
    const QImage ra = AsRgb32(a);
    const QImage rb = AsRgb32(b);
    return SameCell(WholeImage(ra), WholeImage(rb));
}

void ClearLogoTable(TLogoTable& table) {
    for (auto& tile : table.LogoTiles)
        tile.reset();
    table.LogoRows.clear();
}

bool IsLogoGenerated(const TLogoTable& table) {
    return !table.LogoRows.empty();
}

std::optional<TLogoTable> BuildLogoTable(const QImage& view, TProgress* progress) {
    if (view.width() != SCREEN_WIDTH || view.height() != SCREEN_HEIGHT)
        return std::nullopt;
    if (progress != nullptr)
        progress->SetMax(SCREEN_CELLS);
    TLogoTable table;
    int& count = table.TileCount;
    const QImage rgb = AsRgb32(view);
    TTileIndex index(table);
    TBounds bounds;
    bool failed = false;
    for (int i = 0; i < SCREEN_ROWS && !failed; ++i) {
        std::string row;
        for (int j = 0; j < SCREEN_COLUMNS && !failed; ++j) {
            const TCell cell{rgb.constScanLine(i * GLYPH_HEIGHT) + j * GLYPH_WIDTH * 4, rgb.bytesPerLine(), GLYPH_WIDTH,
                             GLYPH_HEIGHT};
            if (CellIsEmpty(cell)) {
                row.push_back(static_cast<char>(CODE_EMPTY));
            } else if (CellIsUniform(cell, LEVEL_WHITE)) {
                row.push_back(static_cast<char>(CODE_WHITE));
            } else if (CellIsUniform(cell, LEVEL_BLACK)) {
                row.push_back(static_cast<char>(CODE_BLACK));
            } else {
                const std::uint64_t hash = HashCell(cell);
                int tile = index.Find(cell, hash);
                if (tile < 0) {
                    if (count >= LOGO_MAX_TILES) {
                        failed = true;
                        break;
                    }
                    tile = count;
                    table.LogoTiles[static_cast<std::size_t>(tile)] = CopyCell(cell);
                    index.Add(hash, tile);
                    ++count;
                }
                row.push_back(static_cast<char>(LOGO_FIRST_CODE + tile));
                bounds.Widen(j, i);
            }
            if (progress != nullptr)
                progress->Step();
        }
        table.LogoRows.push_back(std::move(row));
    }
    if (failed) {
        ClearLogoTable(table);
        count = LOGO_MAX_TILES;
        table.Failed = true;
        return table;
    }
    TrimRows(table.LogoRows, bounds);
    table.LogoOrigin = {bounds.left, bounds.top};
    return table;
}

void DrawLogoTiles(const TLogoTable& table, TCharsImage& glyphImage) {
    for (int k = 0; k < LOGO_MAX_TILES; ++k) {
        const auto& tile = table.LogoTiles[static_cast<std::size_t>(k)];
        if (!tile)
            break;
        glyphImage.CopyRect(*tile, QRect(0, 0, GLYPH_WIDTH, GLYPH_HEIGHT), GlyphOrigin(LOGO_FIRST_CODE + k));
    }
}

void SendLogoRows(TKR7& device, const TLogoTable& table) {
    for (std::size_t i = 0; i < table.LogoRows.size(); ++i)
        device.WriteCodes(table.LogoOrigin.column, table.LogoOrigin.row + static_cast<int>(i), table.LogoRows[i]);
}

void SendLogoTiles(TKR7& device, const TLogoTable& table, TProgress* progress) {
    int n = 0;
    while (n < LOGO_MAX_TILES && table.LogoTiles[static_cast<std::size_t>(n)])
        ++n;
    if (progress != nullptr)
        progress->SetMax(n);
    for (int k = 0; k < n; ++k) {
        if (progress != nullptr && progress->Cancelled())
            return;
        SendCharBitmap(device, static_cast<std::uint8_t>(LOGO_FIRST_CODE + k),
                       *table.LogoTiles[static_cast<std::size_t>(k)]);
        if (progress != nullptr)
            progress->Step();
    }
}
