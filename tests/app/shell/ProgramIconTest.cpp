// The window's icon comes from the executable itself at every size the
// desktop asks for.
#include "shell/ProgramIcon.h"

#include <QImage>

#include <gtest/gtest.h>

TEST(ProgramIconTest, EveryThemeSizeIsCompiledIn) {
    const QIcon icon = ProgramIcon();
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
        const QImage image = icon.pixmap(QSize(size, size)).toImage();
        ASSERT_EQ(image.size(), QSize(size, size)) << size;
        // The display's grey face in the middle, not an empty picture.
        EXPECT_NE(image.pixelColor(size / 2, size / 2).alpha(), 0) << size;
    }
}
