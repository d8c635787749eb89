#include "FontRenderer.h"

#include "CharTable.h"
#include "Codepage.h"
#include "FontCatalog.h"
#include "FontCharacters.h"
#include "Glyphs.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <set>

namespace {

QImage DefaultSet() {
    return QImage(QStringLiteral(":/DefaultChars.bmp")).convertToFormat(QImage::Format_RGB32);
}

TFontSet Render(const std::string& name, const TFontOptions& options = {}) {
    const TFontRendering rendering = RenderFont(InstalledFonts(), name, DefaultSet(), options);
    EXPECT_TRUE(rendering.lookup.face) << name;
    EXPECT_EQ(rendering.error, "");
    return rendering.set;
}

QImage Glyph(const QImage& chars, int code) {
    return chars.copy(QRect(GlyphOrigin(code), QSize(GLYPH_WIDTH, GLYPH_HEIGHT)));
}

QRgb Level(const QImage& glyph, int x, int y) {
    return glyph.pixel(x, y) & 0xFFFFFF;
}

// Rows of a glyph that hold anything but grey: first and last.
std::pair<int, int> InkRows(const QImage& glyph) {
    int first = GLYPH_HEIGHT;
    int last = -1;
    for (int y = 0; y < GLYPH_HEIGHT; ++y) {
        for (int x = 0; x < GLYPH_WIDTH; ++x) {
            if (Level(glyph, x, y) != LEVEL_GREY) {
                first = std::min(first, y);
                last = y;
            }
        }
    }
    return {first, last};
}

// Every code 1..111 has white strokes edged in black, with no white pixel
// beside grey, and the 111 shapes all differ.
void ExpectWellFormed(const QImage& chars, const std::string& name) {
    std::set<QByteArray> shapes;
    for (int code = FONT_FIRST_CODE; code <= FONT_LAST_CODE; ++code) {
        const QImage glyph = Glyph(chars, code);
        int white = 0;
        int black = 0;
        for (int y = 0; y < GLYPH_HEIGHT; ++y) {
            for (int x = 0; x < GLYPH_WIDTH; ++x) {
                const QRgb level = Level(glyph, x, y);
                ASSERT_TRUE(level == LEVEL_WHITE || level == LEVEL_BLACK || level == LEVEL_GREY);
                white += level == LEVEL_WHITE;
                black += level == LEVEL_BLACK;
                if (level != LEVEL_WHITE)
                    continue;
                const int near[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
                for (const auto& [nx, ny] : near) {
                    if (nx >= 0 && ny >= 0 && nx < GLYPH_WIDTH && ny < GLYPH_HEIGHT)
                        EXPECT_NE(Level(glyph, nx, ny), LEVEL_GREY)
                            << name << " code " << code << " at " << x << "," << y;
                }
            }
        }
        EXPECT_GT(white, 0) << name << " code " << code;
        EXPECT_GT(black, 0) << name << " code " << code;
        shapes.insert(QByteArray(reinterpret_cast<const char*>(glyph.constBits()), glyph.sizeInBytes()));
    }
    EXPECT_EQ(shapes.size(), 111u) << name;
}

int CodeOf(const char* cp1250) {
    return CharToCode(static_cast<unsigned char>(cp1250[0]));
}

} // namespace

TEST(FontRenderer, DejaVuSansMonoGivesOutlinedShapesOnTheDefaultSetsRows) {
    const TFontSet set = Render("DejaVu Sans Mono");
    EXPECT_TRUE(set.missing.empty());
    ExpectWellFormed(set.chars, "DejaVu Sans Mono");
    const QImage defaults = DefaultSet();
    for (int code : {0, 112, 113, 114, 115, 127, 200, 255})
        EXPECT_EQ(Glyph(set.chars, code), Glyph(defaults, code)) << code;
    EXPECT_EQ(set.chars.copy(0, 7 * GLYPH_HEIGHT, CHARS_WIDTH, 9 * GLYPH_HEIGHT),
              defaults.copy(0, 7 * GLYPH_HEIGHT, CHARS_WIDTH, 9 * GLYPH_HEIGHT));

    // Digits and capitals from about row 2, accented capitals from row 0,
    // small letters from about row 5, descenders raised within rows 4..17;
    // all rest on row 17.
    for (int code = 1; code <= 80; ++code)
        EXPECT_EQ(InkRows(Glyph(set.chars, code)).second, 17) << code;
    for (const char* capital : {"1", "0", "A", "H", "Z"})
        EXPECT_NEAR(InkRows(Glyph(set.chars, CodeOf(capital))).first, 2, 1) << capital;
    for (const char* accented : {"\xC6", "\xD3", "\x8C", "\xAF", "\x8F"}) // Ć Ó Ś Ż Ź
        EXPECT_LE(InkRows(Glyph(set.chars, CodeOf(accented))).first, 1) << accented;
    for (const char* small : {"a", "c", "m", "x"})
        EXPECT_NEAR(InkRows(Glyph(set.chars, CodeOf(small))).first, 5, 1) << small;
    for (const char* descender : {"g", "p", "q", "y"})
        EXPECT_GE(InkRows(Glyph(set.chars, CodeOf(descender))).first, 4) << descender;
    for (const char* sign : {"-", "'", "\""}) // floating signs keep clear of the bottom
        EXPECT_LT(InkRows(Glyph(set.chars, CodeOf(sign))).second, 14) << sign;
}

TEST(FontRenderer, OtherFacesGiveOtherWellFormedShapes) {
    const QImage mono = Render("DejaVu Sans Mono").chars;
    const QImage serif = Render("DejaVu Serif:Bold").chars;
    const QImage terminus = Render("Terminus").chars;
    ExpectWellFormed(serif, "DejaVu Serif Bold");
    ExpectWellFormed(terminus, "Terminus");
    int differ = 0;
    for (int code = FONT_FIRST_CODE; code <= FONT_LAST_CODE; ++code) {
        differ += Glyph(serif, code) != Glyph(mono, code) && Glyph(terminus, code) != Glyph(mono, code) &&
                  Glyph(terminus, code) != Glyph(serif, code);
    }
    EXPECT_GT(differ, 80);
    EXPECT_EQ(InkRows(Glyph(terminus, CodeOf("H"))).second, 17);
}

TEST(FontRenderer, AdjustmentsChangeSizeWeightAndOutline) {
    const QImage plain = Render("DejaVu Sans").chars;
    const int code = CodeOf("H");
    EXPECT_GT(InkRows(Glyph(Render("DejaVu Sans", {-3, 0, true}).chars, code)).first,
              InkRows(Glyph(plain, code)).first);
    auto whites = [code](const QImage& chars) {
        const QImage glyph = Glyph(chars, code);
        int count = 0;
        for (int y = 0; y < GLYPH_HEIGHT; ++y)
            for (int x = 0; x < GLYPH_WIDTH; ++x)
                count += Level(glyph, x, y) == LEVEL_WHITE;
        return count;
    };
    EXPECT_GT(whites(Render("DejaVu Sans", {0, 2, true}).chars), whites(plain));
    const QImage bare = Glyph(Render("DejaVu Sans", {0, 0, false}).chars, code);
    for (int y = 0; y < GLYPH_HEIGHT; ++y)
        for (int x = 0; x < GLYPH_WIDTH; ++x)
            EXPECT_NE(Level(bare, x, y), LEVEL_BLACK);
    EXPECT_EQ(InkRows(bare).second, 17);
}

// A line of Polish text drawn with the set, cell by cell as the preview draws
// it, reads on one baseline: every letter rests on row 17, capitals stand
// tall, small letters keep below them and descenders stay within their rows.
TEST(FontRenderer, PolishTextSitsOnOneLine) {
    const QImage chars = Render("DejaVu Sans").chars;
    const std::string text = ToCp1250(QStringLiteral("Zażółć gęślą jaźń"));
    const std::string codes = TextToCodes(text);
    QImage line(GLYPH_WIDTH * static_cast<int>(codes.size()), GLYPH_HEIGHT, QImage::Format_RGB32);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const QImage glyph = Glyph(chars, static_cast<unsigned char>(codes[i]));
        for (int y = 0; y < GLYPH_HEIGHT; ++y)
            for (int x = 0; x < GLYPH_WIDTH; ++x)
                line.setPixel(GLYPH_WIDTH * static_cast<int>(i) + x, y, glyph.pixel(x, y));
    }
    const QString letters = FromCp1250(text);
    for (int i = 0; i < letters.size(); ++i) {
        const QChar letter = letters[i];
        const auto [top, bottom] = InkRows(line.copy(GLYPH_WIDTH * i, 0, GLYPH_WIDTH, GLYPH_HEIGHT));
        if (letter == u' ') {
            EXPECT_EQ(bottom, -1);
            continue;
        }
        EXPECT_EQ(bottom, 17) << QString(letter).toStdString();
        if (letter.isUpper())
            EXPECT_LE(top, 3) << QString(letter).toStdString();
        else if (QStringLiteral("aąceęnrsuwz").contains(letter))
            EXPECT_NEAR(top, 5, 1) << QString(letter).toStdString();
        else if (QStringLiteral("gjyp").contains(letter))
            EXPECT_GE(top, letter == u'j' ? 1 : 4) << QString(letter).toStdString();
        else
            EXPECT_LE(top, 4) << QString(letter).toStdString(); // ascenders and accents reach above the small letters
    }
}

// A bitmap face of two letters, as a BDF file: the rest keep the base set's
// shapes and are named.
TEST(FontRenderer, MissingCharactersKeepTheBaseShapesAndAreListed) {
    const QString file = QDir(QDir::tempPath()).filePath(QStringLiteral("kr7-font-test.bdf"));
    QFile bdf(file);
    ASSERT_TRUE(bdf.open(QIODevice::WriteOnly));
    const char* const H_ROWS = "C3\nC3\nC3\nC3\nC3\nFF\nFF\nC3\nC3\nC3\nC3\nC3\n";
    const char* const L_ROWS = "C0\nC0\nC0\nC0\nC0\nC0\nC0\nC0\nC0\nC0\nFF\nFF\n";
    bdf.write(
        QByteArray("STARTFONT 2.1\nFONT -kr7-tiny-medium-r-normal--16-160-75-75-c-80-iso10646-1\n"
                   "SIZE 16 75 75\nFONTBOUNDINGBOX 8 12 0 0\nSTARTPROPERTIES 4\nFONT_ASCENT 12\n"
                   "FONT_DESCENT 4\nCHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\nENDPROPERTIES\nCHARS 2\n"
                   "STARTCHAR H\nENCODING 72\nSWIDTH 500 0\nDWIDTH 8 0\nBBX 8 12 0 0\nBITMAP\n") +
        H_ROWS + "ENDCHAR\nSTARTCHAR L\nENCODING 76\nSWIDTH 500 0\nDWIDTH 8 0\nBBX 8 12 0 0\nBITMAP\n" + L_ROWS +
        "ENDCHAR\nENDFONT\n");
    bdf.close();
    std::string error;
    const auto renderer = TFontRenderer::Open({"Tiny", "Medium", file.toStdString(), 0}, error);
    ASSERT_TRUE(renderer) << error;
    const QImage defaults = DefaultSet();
    const TFontSet set = renderer->Render(defaults, {});
    EXPECT_EQ(set.missing.size(), 109u);
    EXPECT_TRUE(CharactersOfCodes(set.missing).startsWith(QStringLiteral("1 2 3 4 5 6 7 8 9 0 A Ą B C Ć D E Ę F G I")));
    EXPECT_EQ(Glyph(set.chars, CodeOf("A")), Glyph(defaults, CodeOf("A")));
    const QImage h = Glyph(set.chars, CodeOf("H"));
    EXPECT_NE(h, Glyph(defaults, CodeOf("H")));
    EXPECT_EQ(InkRows(h), std::make_pair(4, 17)); // two-pixel strokes kept: 12 rows, outlined, on the bottom
    QFile::remove(file);
}

TEST(FontRenderer, SameFontAndOptionsGiveTheSamePixels) {
    EXPECT_EQ(Render("DejaVu Serif", {1, 1, true}).chars, Render("DejaVu Serif", {1, 1, true}).chars);
}

TEST(FontCatalog, UnknownNamesAreRefusedWithTheClosestNames) {
    const std::vector<TFontFace> fonts = InstalledFonts();
    const TFontLookup family = FindFont(fonts, ParseFontName("DejaVu Sans Mnoo:Bold"));
    EXPECT_EQ(family.error, TFontLookupError::UnknownFamily);
    ASSERT_FALSE(family.closest.empty());
    EXPECT_EQ(family.closest.front(), "DejaVu Sans Mono");
    const TFontLookup style = FindFont(fonts, ParseFontName("dejavu serif:Fat"));
    EXPECT_EQ(style.error, TFontLookupError::UnknownStyle);
    EXPECT_NE(std::find(style.closest.begin(), style.closest.end(), "Bold"), style.closest.end());
    const TFontLookup plain = FindFont(fonts, ParseFontName("DejaVu Sans Mono"));
    ASSERT_TRUE(plain.face);
    EXPECT_EQ(plain.face->style, "Book");
}
