// The logo document: import fit, placement buttons, dragging, transparent
// pixels through every mode, the mixing seed, and undo and redo.
#include "LogoDocument.h"

#include "Protocol.h"

#include <gtest/gtest.h>

namespace {

constexpr QRgb BLACK = 0xFF000000;
constexpr QRgb WHITE = 0xFFFFFFFF;
constexpr QRgb GREY = 0xFF808080;
constexpr QRgb LIME = 0xFF00FF00;

QImage Filled(int w, int h, QRgb colour, QImage::Format format = QImage::Format_RGB32) {
    QImage image(w, h, format);
    image.fill(colour);
    return image;
}

QPoint Pos(const TLogoDocument& doc) {
    return {doc.Settings().posX, doc.Settings().posY};
}

QSize Size(const TLogoDocument& doc) {
    return {doc.Settings().width, doc.Settings().height};
}

// A document as the page starts: background removal off unless asked for.
TLogoDocument Fresh(bool transparent = false) {
    TLogoDocument doc([] { return 1ull; });
    doc.SetTransparent(transparent);
    return doc;
}

} // namespace

TEST(LogoDocument, ImportFitsLargePicturesAndCentres) {
    struct TCase {
        QSize picture;
        QSize size;
        QPoint pos;
    };
    for (const TCase& c : {TCase{{720, 576}, {360, 288}, {0, 0}}, TCase{{400, 100}, {360, 90}, {0, 99}},
                           TCase{{100, 400}, {72, 288}, {144, 0}}, TCase{{1, 5000}, {1, 1000}, {179, -356}}}) {
        TLogoDocument doc = Fresh();
        doc.Import(Filled(c.picture.width(), c.picture.height(), BLACK));
        EXPECT_EQ(Size(doc), c.size) << c.picture.width() << "x" << c.picture.height();
        EXPECT_EQ(Pos(doc), c.pos);
        EXPECT_TRUE(doc.Settings().proportional);
    }
}

TEST(LogoDocument, ASmallPictureOnAFirstStartTakesItsOwnWidthOtherwiseTheWidthFound) {
    TLogoDocument doc([] { return 1ull; }); // a first start: Width 1, background removal on
    doc.Import(Filled(100, 80, BLACK));
    EXPECT_EQ(Size(doc), QSize(100, 80));
    EXPECT_EQ(Pos(doc), QPoint(130, 104));
    EXPECT_EQ(doc.View().pixel(130, 104), BLACK);

    doc.SetWidth(50);
    doc.Clear();
    doc.Import(QImage()); // nothing to import
    EXPECT_FALSE(doc.Loaded());
    doc.Import(Filled(100, 80, BLACK)); // the width found is kept
    EXPECT_EQ(Size(doc), QSize(50, 40));
    EXPECT_EQ(Pos(doc), QPoint(155, 124));

    doc.SetProportional(false);
    doc.Clear();
    doc.Import(Filled(720, 576, BLACK)); // a large picture is fitted whatever the width found
    EXPECT_EQ(Size(doc), QSize(360, 288));
    EXPECT_EQ(Pos(doc), QPoint(0, 0));
    EXPECT_TRUE(doc.Settings().proportional);
}

TEST(LogoDocument, ANewPictureOfTheSameSizeIsShownMovedAndResized) {
    TLogoDocument doc = Fresh();
    doc.SetWidth(360);
    doc.Import(Filled(360, 288, BLACK));
    EXPECT_EQ(doc.View().pixel(100, 100), BLACK);
    doc.SetPosX(10); // the same picture, moved
    EXPECT_EQ(doc.View().pixel(5, 100), GREY);
    EXPECT_EQ(doc.View().pixel(100, 100), BLACK);
    doc.Clear();
    doc.Import(Filled(360, 288, WHITE));
    EXPECT_EQ(doc.View().pixel(100, 100), WHITE);
    doc.SetWidth(180);
    EXPECT_EQ(doc.View().pixel(100, 100), WHITE);
    EXPECT_EQ(doc.View().pixel(300, 100), GREY);
}

TEST(LogoDocument, TheCentredCaseOfTheCommandLineLandsWhereThePageCentresIt) {
    TLogoDocument doc([] { return 1ull; });
    doc.Import(Filled(150, 60, BLACK));
    EXPECT_EQ(Pos(doc), QPoint(105, 114));
    EXPECT_EQ(Size(doc), QSize(150, 60));
}

TEST(LogoDocument, CentringAndAligningOnTheVisibleContent) {
    QImage picture = Filled(200, 50, BLACK);
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 10; ++x)
            picture.setPixel(x, y, LIME);
        for (int x = 170; x < 200; ++x)
            picture.setPixel(x, y, LIME);
    }
    TLogoDocument doc = Fresh(true);
    doc.SetWidth(200);
    doc.Import(picture);
    EXPECT_EQ(Pos(doc), QPoint(90, 119)); // 100 blank columns each side
    doc.AlignLeft();
    EXPECT_EQ(doc.Settings().posX, -10);
    doc.AlignRight();
    EXPECT_EQ(doc.Settings().posX, 190);
    doc.AlignTop();
    EXPECT_EQ(doc.Settings().posY, 0);
    doc.AlignBottom();
    EXPECT_EQ(doc.Settings().posY, 238);

    doc.SetTransparent(false); // the box itself
    doc.CentreX();
    EXPECT_EQ(doc.Settings().posX, 80);
    doc.AlignLeft();
    EXPECT_EQ(doc.Settings().posX, 0);
    doc.SetProportional(false);
    doc.SetWidth(363);
    doc.CentreX();
    EXPECT_EQ(doc.Settings().posX, -1);
}

TEST(LogoDocument, SizesFollowTheProportionAndTheRestoreButtons) {
    TLogoDocument doc = Fresh();
    doc.Import(Filled(100, 80, BLACK));
    doc.SetWidth(50);
    EXPECT_EQ(Size(doc), QSize(50, 40));
    doc.SetProportional(false);
    doc.SetHeight(5000);
    EXPECT_EQ(Size(doc), QSize(50, 1000));
    doc.RestoreHeight();
    doc.RestoreWidth();
    EXPECT_EQ(Size(doc), QSize(100, 80));
    doc.SetHeight(7);
    doc.SetProportional(true); // applied at once
    EXPECT_EQ(Size(doc), QSize(100, 80));
    doc.SetPosX(-5000);
    EXPECT_EQ(doc.Settings().posX, -1000);
}

TEST(LogoDocument, DraggingMovesByTheDistanceFromThePress) {
    TLogoDocument doc = Fresh();
    doc.SetWidth(100);
    doc.Import(Filled(100, 100, BLACK));
    doc.SetPosX(80);
    doc.SetPosY(40);
    EXPECT_FALSE(doc.BeginDrag({5, 5})); // outside the box
    ASSERT_TRUE(doc.BeginDrag({100, 50}));
    doc.DragTo({130, 20});
    doc.EndDrag();
    EXPECT_EQ(Pos(doc), QPoint(110, 10));
    doc.DragTo({300, 200});
    EXPECT_EQ(Pos(doc), QPoint(110, 10));
}

TEST(LogoDocument, PickingShowsThePictureInItsOwnColours) {
    TLogoDocument doc = Fresh(true);
    doc.SetWidth(100);
    doc.Import(Filled(100, 100, 0xFF336699));
    doc.SetPicking(true);
    EXPECT_EQ(doc.View().pixel(150, 150), 0xFF336699);
    doc.SetBackground(0x336699);
    doc.SetPicking(false);
    EXPECT_EQ(doc.View().pixel(150, 150), GREY);
}

// A transparent pixel is no logo: grey in every mode, with negative too, and
// cells of it are empty. Half-transparent counts as opaque from alpha 128.
TEST(LogoDocument, TransparentPixelsStayBackgroundInEveryMode) {
    QImage picture = Filled(24, 36, 0x00FFFFFF, QImage::Format_ARGB32); // transparent white
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 12; ++x)
            picture.setPixel(x, y, 0xFF000000 | (x * y % 2 ? 0xFFFFFF : 0)); // one opaque glyph cell
    picture.setPixel(20, 30, 0x7F000000);                                    // alpha 127: transparent
    picture.setPixel(21, 30, 0x80FFFFFF);                                    // alpha 128: opaque
    for (const TLogoMode mode : {TLogoMode::BlackWhite, TLogoMode::Mosaic, TLogoMode::Mixing, TLogoMode::None}) {
        for (const bool negative : {false, true}) {
            TLogoDocument doc = Fresh();
            doc.SetMode(mode);
            doc.SetNegative(negative);
            doc.SetLevel(1); // all black where opaque
            doc.Import(picture);
            doc.SetPosX(0);
            doc.SetPosY(0);
            SCOPED_TRACE(static_cast<int>(mode) * 2 + negative);
            EXPECT_EQ(doc.View().pixel(13, 5), GREY);
            EXPECT_EQ(doc.View().pixel(20, 30), GREY);
            EXPECT_NE(doc.View().pixel(21, 30), GREY);
            ASSERT_TRUE(doc.Generate(nullptr).built);
            // the opaque cell and the cell of the one opaque pixel; the rest empty
            EXPECT_EQ(doc.Table().LogoRows, (std::vector<std::string>{"\x73", std::string("\0\x74", 2)}));
        }
    }
    TLogoDocument doc = Fresh();
    doc.Import(picture);
    doc.SetPicking(true); // the picture's own colours: transparent shows the view
    EXPECT_EQ(doc.View().pixel(doc.Settings().posX + 13, doc.Settings().posY + 5), GREY);
}

TEST(LogoDocument, MixingTakesItsSeedFromTheSourceGiven) {
    unsigned long long seed = 5;
    TLogoDocument doc([&seed] { return seed; });
    doc.SetTransparent(false);
    doc.SetMode(TLogoMode::Mixing);
    doc.Import(Filled(360, 288, qRgb(127, 127, 128)));
    const QImage first = doc.View();
    doc.SetPosX(0); // a render with the same seed
    EXPECT_EQ(doc.View(), first);
    seed = 6;
    doc.SetPosY(0);
    EXPECT_NE(doc.View(), first);
}

TEST(LogoDocument, GenerationCountsTilesAndUsage) {
    TLogoDocument doc = Fresh();
    doc.SetWidth(360);
    doc.Import(Filled(360, 288, WHITE));
    const TLogoGeneration whole = doc.Generate(nullptr);
    EXPECT_TRUE(whole.built);
    EXPECT_EQ(whole.tiles, 0);
    EXPECT_FALSE(doc.Generated());     // only whole-white cells: nothing to program
    EXPECT_EQ(LogoUsagePercent(1), 1); // rounded half up
    EXPECT_EQ(LogoUsagePercent(12), 9);
    EXPECT_EQ(LogoUsagePercent(70), 50);
    EXPECT_EQ(LogoUsagePercent(71), 50);
    EXPECT_EQ(LogoUsagePercent(141), 100);
}

// The table is built from the view without its grid; the grid comes back on
// the view afterwards. Background pixels are grey in the tiles.
TEST(LogoDocument, GenerationLeavesTheGridOutOfTheTilesAndPutsItBack) {
    QImage picture = Filled(360, 288, LIME);
    for (int y = 54; y < 54 + 9; ++y)
        for (int x = 60; x < 72; ++x)
            picture.setPixel(x, y, WHITE);
    picture.setPixel(60, 54 + 17, BLACK);
    TLogoDocument doc = Fresh(true);
    doc.SetWidth(360);
    doc.Import(picture);
    doc.SetPosX(0);
    doc.SetPosY(0);
    doc.SetGrid(true);
    ASSERT_TRUE(doc.Generate(nullptr).built);
    ASSERT_EQ(doc.Table().TileCount, 1);
    QImage tile = picture.copy(60, 54, 12, 18);
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 12; ++x)
            if (tile.pixel(x, y) == LIME)
                tile.setPixel(x, y, GREY);
    EXPECT_EQ(*doc.Table().LogoTiles[0], tile);
    EXPECT_EQ(doc.Table().LogoTiles[0]->pixel(0, 9), GREY); // no grid line at the cell's left edge
    EXPECT_EQ(doc.View().pixel(0, 0), 0xFF000080);
}

TEST(LogoDocument, UndoAndRedoEveryChangeOneStepAGesture) {
    TLogoDocument doc = Fresh(true);
    doc.SetWidth(100);
    doc.Import(Filled(100, 100, BLACK));
    const TLogoSettings imported = doc.Settings();
    EXPECT_FALSE(doc.CanUndo()); // an import starts afresh

    doc.SetPosX(10);
    doc.SetMode(TLogoMode::Mosaic);
    doc.SetGrid(true); // a view aid, no step
    doc.BeginStep();   // a dragged bar
    for (int level = 50; level <= 90; ++level)
        doc.SetLevel(level);
    doc.EndStep();
    doc.CentreX(); // two moves, one step
    doc.SetBackground(0x123456);
    doc.SetTolerance(40);
    doc.SetNegative(true);
    doc.SetTransparent(false);

    for (int steps = 0; steps < 8; ++steps)
        ASSERT_TRUE(doc.Undo()) << steps;
    EXPECT_FALSE(doc.Undo());
    TLogoSettings back = imported;
    back.grid = true; // kept
    EXPECT_EQ(doc.Settings(), back);
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(doc.Settings().posX, 10);
    ASSERT_TRUE(doc.Redo());
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(doc.Settings().level, 90);
    doc.SetPosY(3); // a new change ends the way forward
    EXPECT_FALSE(doc.Redo());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Settings().level, 90);
    EXPECT_EQ(doc.Settings().mode, TLogoMode::Mosaic);
}

TEST(LogoDocument, AHundredStepsAndMoreGoBack) {
    TLogoDocument doc = Fresh();
    doc.Import(Filled(10, 10, BLACK));
    const int start = doc.Settings().posX;
    for (int i = 1; i <= 150; ++i)
        doc.SetPosX(start + i);
    int steps = 0;
    while (doc.Undo())
        ++steps;
    EXPECT_EQ(steps, 150);
    EXPECT_EQ(doc.Settings().posX, start);
    EXPECT_EQ(doc.View().pixel(start, doc.Settings().posY), BLACK); // rendered where it went back to
}
