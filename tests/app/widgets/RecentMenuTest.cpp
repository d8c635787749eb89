// The recent files beside the Logo page's import and the Service page's
// glyph-set loads, used as a user does: a right click on the button opens the
// list, the arrow keys and Enter choose an entry.
#include "service/ServiceFixture.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace {

class RecentMenuTest : public ServiceFixture {
protected:
    void ShowPage(const char* page) {
        auto* pages = Find<QTabWidget>("PageControl");
        QTabBar* tabs = pages->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(pages->indexOf(Find(page))).center());
        ASSERT_EQ(pages->currentWidget(), Find(page));
    }
    // The menu a right click on the button opens (the window system turns the
    // click into this event); null when none opens.
    QMenu* RightClick(const char* button) {
        auto* widget = Find<QAbstractButton>(button);
        const QPoint pos = widget->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, widget->mapToGlobal(pos));
        QApplication::sendEvent(widget, &event);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }
    // Chooses entry index of the open menu with the keyboard.
    static void Choose(QMenu* menu, int index) {
        ASSERT_NE(menu, nullptr);
        for (int i = 0; i <= index; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        QApplication::processEvents();
    }
    static QStringList Entries(const QMenu* menu) {
        QStringList entries;
        for (const QAction* action : menu->actions())
            entries << action->text() + QStringLiteral(" | ") + action->toolTip();
        return entries;
    }
    QString Picture(const QString& name, int size) const {
        QImage picture(size, size, QImage::Format_RGB32);
        picture.fill(0xFF000000);
        EXPECT_TRUE(picture.save(dir.filePath(name), "BMP"));
        return dir.filePath(name);
    }
    QStringList LogSince(int lines) const { return form->LogLines().mid(lines); }
    // The set saved as a binary file and as a bitmap, after glyph 5 was made white.
    void SaveEditedSet(const QString& binary, const QString& bitmap) {
        SelectGlyph(5);
        Click("SpeedButtonClearWhite");
        edited = form->Chars().Image();
        dialogs.saveAnswers = {binary, bitmap};
        Click("ButtonSaveToBinaryFile");
        Click("ButtonSaveToBitmap");
        Click("ButtonLoadDefaultBitmap");
        ASSERT_EQ(form->Chars().Image(), form->DefaultChars());
    }

    QImage edited;
};

} // namespace

TEST_F(RecentMenuTest, APictureChosenFromTheImportsListImportsAsFromItsDialog) {
    ShowPage("TabSheetLogo");
    const QString first = Picture(QStringLiteral("first.bmp"), 20);
    const QString second = Picture(QStringLiteral("second.bmp"), 40);
    dialogs.recent[TFileDialog::LogoPicture] = {first, second};

    QMenu* menu = RightClick("ButtonLogoLoad");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Entries(menu),
              QStringList({QStringLiteral("first.bmp | ") + first, QStringLiteral("second.bmp | ") + second}));
    const int before = static_cast<int>(form->LogLines().size());
    Choose(menu, 1);
    const QStringList viaMenu = LogSince(before);
    EXPECT_EQ(viaMenu, QStringList({QString(), QStringLiteral("Wczytywanie pliku graficznego..."),
                                    QStringLiteral("Wczytywanie pliku graficznego powiodło się.")}));
    EXPECT_TRUE(dialogs.openCalls.empty());
    EXPECT_EQ(dialogs.reused, QStringList{second});
    EXPECT_FALSE(Find<QAbstractButton>("ButtonLogoLoad")->isEnabled()); // a picture is loaded

    // The same picture through the dialog gives the same lines.
    Click("ButtonLogoClear");
    dialogs.openAnswers.push_back(second);
    const int again = static_cast<int>(form->LogLines().size());
    Click("ButtonLogoLoad");
    EXPECT_EQ(LogSince(again), viaMenu);
    EXPECT_EQ(dialogs.openCalls.size(), 1u);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr); // a plain click opens no list
}

TEST_F(RecentMenuTest, APictureThatFailsIsNotPutBackAndNoListMeansNoMenu) {
    ShowPage("TabSheetLogo");
    EXPECT_EQ(RightClick("ButtonLogoLoad"), nullptr);

    const QString broken = Write(QStringLiteral("broken.png"), "not a picture");
    dialogs.recent[TFileDialog::LogoPicture] = {broken};
    QMenu* menu = RightClick("ButtonLogoLoad");
    ASSERT_NE(menu, nullptr);
    Choose(menu, 0);
    EXPECT_EQ(LastLog(), QStringLiteral("Nieznany format pliku."));
    EXPECT_TRUE(dialogs.reused.isEmpty());
    EXPECT_TRUE(Find<QAbstractButton>("ButtonLogoLoad")->isEnabled());
}

TEST_F(RecentMenuTest, AGlyphSetChosenFromALoadsListLoadsAsFromItsDialog) {
    const QString binary = Path(QStringLiteral("myset"));
    const QString bitmap = Path(QStringLiteral("myset.bmp"));
    SaveEditedSet(binary, bitmap);
    dialogs.recent[TFileDialog::CharsBinaryLoad] = {binary};
    dialogs.recent[TFileDialog::CharsBitmapLoad] = {bitmap};

    const struct {
        const char* button;
        QString file;
        QString line;
    } loads[] = {{"ButtonLoadFromBinaryFile", binary, QStringLiteral("Binary file loaded success.")},
                 {"ButtonLoadFromBitmap", bitmap, QStringLiteral("Bitmap load success.")}};
    for (const auto& load : loads) {
        SCOPED_TRACE(load.button);
        Click("ButtonLoadDefaultBitmap");
        QMenu* menu = RightClick(load.button);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(Entries(menu), QStringList{QFileInfo(load.file).fileName() + QStringLiteral(" | ") + load.file});
        Choose(menu, 0);
        EXPECT_EQ(LastLog(), load.line);
        EXPECT_EQ(form->Chars().Image(), edited);
        EXPECT_FALSE(form->Chars().Modified());
        EXPECT_EQ(dialogs.reused.last(), load.file);
    }
    EXPECT_TRUE(dialogs.openCalls.empty());
    EXPECT_TRUE(dialogs.questions.isEmpty());

    // The load's dialog starts at the file chosen from its list.
    Click("ButtonLoadFromBinaryFile");
    EXPECT_EQ(dialogs.openCalls.back().fileName, binary);
}

TEST_F(RecentMenuTest, UnsavedEditsAskBeforeARecentSetLoads) {
    const QString binary = Path(QStringLiteral("myset.bin"));
    SaveEditedSet(binary, Path(QStringLiteral("myset.bmp")));
    dialogs.recent[TFileDialog::CharsBinaryLoad] = {binary};
    ClickCell(0, 0);
    const QImage unsaved = form->Chars().Image();

    dialogs.okCancelAnswers.push_back(false);
    Choose(RightClick("ButtonLoadFromBinaryFile"), 0);
    EXPECT_EQ(dialogs.questions, QStringList{QStringLiteral("Confirm: Actual characters not saved, continue?")});
    EXPECT_EQ(form->Chars().Image(), unsaved);
    EXPECT_TRUE(dialogs.reused.isEmpty());

    dialogs.okCancelAnswers.push_back(true);
    Choose(RightClick("ButtonLoadFromBinaryFile"), 0);
    EXPECT_EQ(dialogs.questions.size(), 2);
    EXPECT_EQ(form->Chars().Image(), edited);
    EXPECT_EQ(LastLog(), QStringLiteral("Binary file loaded success."));

    // A file that went wrong says why, as from the dialog, and is not put back.
    Write(QStringLiteral("myset.bin"), QByteArray(13823, char(0xAA)));
    dialogs.reused.clear();
    Choose(RightClick("ButtonLoadFromBinaryFile"), 0);
    EXPECT_EQ(LastLog(), QStringLiteral("Wrong binary file size, must be 13824."));
    EXPECT_EQ(form->Chars().Image(), edited);
    EXPECT_TRUE(dialogs.reused.isEmpty());
}
