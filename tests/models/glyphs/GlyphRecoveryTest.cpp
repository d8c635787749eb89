// The file that keeps unsaved glyph edits over a forced close.
#include "GlyphRecovery.h"

#include "Glyphs.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(GlyphRecoveryTest, KeepsReadsAndDiscardsTheSet) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const TGlyphRecovery recovery(dir.filePath(QStringLiteral("state/KR7Controller")));
    EXPECT_FALSE(recovery.Exists());
    EXPECT_FALSE(recovery.Read());

    QImage chars;
    NewCharsBitmap(chars);
    chars.setPixel(5, 7, LEVEL_WHITE);
    chars.setPixel(100, 200, 0x123456); // colours stay as they were
    ASSERT_TRUE(recovery.Keep(chars));
    EXPECT_TRUE(recovery.FilePath().endsWith(QStringLiteral("state/KR7Controller/UnsavedGlyphs.bmp")));
    const std::optional<QImage> kept = recovery.Read();
    ASSERT_TRUE(kept);
    EXPECT_EQ(*kept, chars.convertToFormat(QImage::Format_RGB32));

    chars.fill(LEVEL_BLACK); // a later keep replaces the file whole
    ASSERT_TRUE(recovery.Keep(chars));
    EXPECT_EQ(recovery.Read()->pixel(5, 7) & 0xFFFFFFu, LEVEL_BLACK);

    recovery.Discard();
    EXPECT_FALSE(recovery.Exists());
}

TEST(GlyphRecoveryTest, RefusesFilesThatAreNoGlyphSet) {
    QTemporaryDir dir;
    const TGlyphRecovery recovery(dir.path());
    QImage wrong(192, 287, QImage::Format_RGB32);
    wrong.fill(LEVEL_GREY);
    ASSERT_TRUE(wrong.save(recovery.FilePath(), "BMP"));
    EXPECT_FALSE(recovery.Read());
    QFile file(recovery.FilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("BM garbage");
    file.close();
    EXPECT_FALSE(recovery.Read());
    // Without a folder nothing is kept.
    EXPECT_FALSE(TGlyphRecovery(QString()).Keep(wrong));
    EXPECT_FALSE(TGlyphRecovery(QString()).Exists());
}

} // namespace
