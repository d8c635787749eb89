// Unsaved glyph edits over a close that cannot ask (a signal, the end of the
// session): kept in the user's state folder and offered at the next start.
#include "FakeSeams.h"
#include "GlyphRecovery.h"
#include "Glyphs.h"
#include "UserInput.h"
#include "WindowControls.h"
#include "shell/FormOptions.h"
#include "shell/Kr7unit1.h"

#include <QFrame>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString OFFER = QStringLiteral("Confirm: Unsaved characters of the last run were kept. Restore them?");

class UnsavedGlyphsTest : public ::testing::Test {
protected:
    // A window as the program starts it, its state folder in the test's folder.
    void Start(bool service = true) {
        form.reset();
        TFormOptions options;
        options.settingsDir = dir.path();
        options.service = service;
        options.recoveryDir = StateFolder();
        options.dialogs = &dialogs;
        options.platform = &platform;
        options.line = &platform.line;
        form = std::make_unique<TFormKR7>(options);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    QString StateFolder() const { return dir.filePath(QStringLiteral("state/KR7Controller")); }
    QString KeptFile() const { return StateFolder() + QStringLiteral("/UnsavedGlyphs.bmp"); }
    // A left click on a cell of the glyph editor: one unsaved edit.
    QImage EditOneCell() {
        TWindowControls ui(*form);
        UserInput::ShowPage(ui.PageControl, ui.TabSheetService);
        QWidget* cell = form->findChild<QWidget*>(QStringLiteral("PanelCharEditor"))->childAt(13 * 2 + 7, 13 * 3 + 7);
        QTest::mouseClick(cell, Qt::LeftButton, Qt::NoModifier, QPoint(7, 7));
        EXPECT_TRUE(form->Chars().Modified());
        return form->Chars().Image();
    }

    QTemporaryDir dir;
    TFakeDialogs dialogs;
    TFakePlatform platform;
    std::unique_ptr<TFormKR7> form;
};

TEST_F(UnsavedGlyphsTest, AForcedCloseKeepsTheEditsAndTheNextStartRestoresThem) {
    Start();
    EXPECT_FALSE(QFile::exists(KeptFile()));
    const QImage edited = EditOneCell();
    form->ForceClose();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(dialogs.questions.isEmpty()); // nobody could answer
    ASSERT_TRUE(QFile::exists(KeptFile()));

    dialogs.okCancelAnswers.push_back(true);
    Start();
    EXPECT_EQ(dialogs.questions, QStringList{OFFER});
    EXPECT_EQ(form->Chars().Image(), edited);
    EXPECT_TRUE(form->Chars().Modified()); // still to be saved
    EXPECT_EQ(form->LogLines().last(), QStringLiteral("Unsaved characters restored."));
    EXPECT_FALSE(QFile::exists(KeptFile()));
}

TEST_F(UnsavedGlyphsTest, DeclinedOfferDiscardsAndAStartWithoutTheServicePageWaits) {
    QImage edited = QImage(QStringLiteral(":/DefaultChars.bmp")).convertToFormat(QImage::Format_RGB32);
    edited.setPixel(40, 40, 0xFF000000u);
    ASSERT_TRUE(TGlyphRecovery(StateFolder()).Keep(edited));

    Start(false); // no glyph editing in this run: the file waits
    EXPECT_TRUE(dialogs.questions.isEmpty());
    form->ForceClose();
    EXPECT_TRUE(QFile::exists(KeptFile()));

    dialogs.okCancelAnswers.push_back(false);
    Start();
    EXPECT_EQ(dialogs.questions, QStringList{OFFER});
    EXPECT_EQ(form->Chars().Image(), form->DefaultChars());
    EXPECT_FALSE(form->Chars().Modified());
    EXPECT_FALSE(QFile::exists(KeptFile()));
}

TEST_F(UnsavedGlyphsTest, ACloseThatAskedOrHadNothingUnsavedKeepsNothing) {
    Start();
    EditOneCell();
    dialogs.okCancelAnswers.push_back(true); // close and lose the edits
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(QFile::exists(KeptFile()));

    Start();
    form->ForceClose();
    EXPECT_FALSE(QFile::exists(KeptFile()));
    EXPECT_EQ(dialogs.questions.size(), 1);
}

} // namespace
