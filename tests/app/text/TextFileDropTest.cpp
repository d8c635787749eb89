// Files dragged from a file manager onto the file fields of the ticker and
// the pages: one text file becomes the field's path, as the file dialog
// would set it; anything else is refused and leaves the field alone.
#include "text/TextSteps.h"

#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

class TextFileDropTest : public TTextWindowTest {
protected:
    static QLineEdit* Field(TFormKR7& form, const char* name) {
        return form.findChild<QLineEdit*>(QString::fromLatin1(name));
    }
};

// Drags mime over field and drops it there, as a file manager would: the
// drop follows only when the field took the drag. True when it took it.
bool DragAndDrop(QLineEdit* field, const QMimeData& mime) {
    const QPoint at(4, field->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(field, &enter);
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(field, &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(field, &drop);
    return move.isAccepted() && drop.isAccepted();
}

bool DropUrls(QLineEdit* field, const QList<QUrl>& urls) {
    QMimeData mime;
    mime.setUrls(urls);
    // File managers send the names as text too; the field must not type them in.
    QStringList names;
    for (const QUrl& url : urls)
        names << url.toString();
    mime.setText(names.join(u'\n'));
    return DragAndDrop(field, mime);
}

TEST_F(TextFileDropTest, ATextFileDroppedOnEitherFieldBecomesItsPathWithoutReadingIt) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    UserInput::ShowPage(ui.PageControl, ui.TabSheetHorizNeon);
    UserInput::Type(ui.EditHorizNeon, QStringLiteral("typed"));
    const QString ticker = WriteFile(QStringLiteral("ticker news.txt"), "from the file");
    const QString pages = WriteFile(QStringLiteral("zażółć.txt"), "page one\r\npage two");
    UserInput::Type(ui.EditHorizFile, QStringLiteral("old.txt"));

    EXPECT_TRUE(DropUrls(Field(*form, "EditHorizFile"), {QUrl::fromLocalFile(ticker)}));
    EXPECT_EQ(ui.EditHorizFile->text(), ticker);
    EXPECT_TRUE(DropUrls(Field(*form, "EditVertFile"), {QUrl::fromLocalFile(pages)}));
    EXPECT_EQ(ui.EditVertFile->text(), pages);

    // As after the dialog: nothing read, no dialog shown, nothing logged.
    EXPECT_EQ(form->TextPages().Horiz().Neon().GetText(), "typed");
    EXPECT_TRUE(form->TextPages().Vert().Neon().Lines.empty());
    EXPECT_TRUE(ui.LabelHorizNeonLastTime->text().isEmpty());
    EXPECT_TRUE(ui.LabelVertNeonLastTime->text().isEmpty());
    EXPECT_TRUE(dialogs.openCalls.empty());

    // The dropped path is the one that the read then uses and the settings keep.
    UserInput::ShowPage(ui.PageControl, ui.TabSheetVertNeon);
    UserInput::SetChecked(ui.CheckBoxVertFileRead, true);
    EXPECT_EQ(form->TextPages().Vert().Neon().Lines, (std::vector<std::string>{"page one", "page two"}));
    form.reset();
    auto again = MakeForm();
    EXPECT_EQ(TWindowControls(*again).EditHorizFile->text(), ticker);
    EXPECT_EQ(TWindowControls(*again).EditVertFile->text(), pages);
}

TEST_F(TextFileDropTest, FoldersSeveralFilesAndRemoteNamesAreRefused) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    const QString one = WriteFile(QStringLiteral("one.txt"), "1");
    const QString two = WriteFile(QStringLiteral("two.txt"), "2");
    const QString folder = dir.filePath(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QList<QList<QUrl>> refused = {
        {QUrl::fromLocalFile(folder)},
        {QUrl::fromLocalFile(one), QUrl::fromLocalFile(two)},
        {QUrl(QStringLiteral("https://example.org/news.txt"))},
        {QUrl::fromLocalFile(dir.filePath(QStringLiteral("gone.txt")))},
    };
    for (const char* name : {"EditHorizFile", "EditVertFile"}) {
        QLineEdit* field = Field(*form, name);
        UserInput::ShowPage(ui.PageControl, field->parentWidget());
        UserInput::Type(field, QStringLiteral("keep.txt"));
        for (const QList<QUrl>& urls : refused) {
            EXPECT_FALSE(DropUrls(field, urls)) << name << " " << urls.front().toString().toStdString();
            EXPECT_EQ(field->text(), QStringLiteral("keep.txt")) << name;
        }
    }
    EXPECT_EQ(ui.EditHorizFile->text(), QStringLiteral("keep.txt"));
}

TEST_F(TextFileDropTest, DroppingDoesNotDisturbTheRunningFeatures) {
    auto form = MakeForm();
    const TWindowControls ui(*form);
    UserInput::ShowPage(ui.PageControl, ui.TabSheetVertNeon);
    UserInput::SetChecked(ui.CheckBoxVertNeonEnabled, true);
    const QString file = WriteFile(QStringLiteral("news.txt"), "news");
    EXPECT_TRUE(DropUrls(ui.EditHorizFile, {QUrl::fromLocalFile(file)}));
    EXPECT_TRUE(Timer(*form, "TimerHorizNeon")->isActive());
    EXPECT_TRUE(Timer(*form, "TimerVertNeon")->isActive());
    EXPECT_FALSE(ui.CheckBoxHorizFileRead->isChecked());
}

} // namespace
