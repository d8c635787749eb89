// The program's real file dialogs, driven as a user drives them: what they
// list, where they open, and what they remember across runs.
#include "ScopedEnv.h"
#include "platform/Dialogs.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString ALL_FILES = QStringLiteral("All files (*.*)|*.*");
const QString BITMAPS = QStringLiteral("Bitmap (*.bmp)|*.bmp");
const QString PICTURES = QStringLiteral("Bitmap or JPEG (*.bmp;*.jpg)|*.bmp;*.jpg");

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
}

// Runs user on the file dialog once it is shown.
void WhenDialogShown(std::function<void(QFileDialog&)> user) {
    QTimer::singleShot(0, [user] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        user(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

// Types a name into the dialog's file name field and presses Enter.
void TypeAndAccept(QFileDialog& dialog, const QString& name) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->clear();
    QTest::keyClicks(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
}

// The names the dialog lists in its current folder, once it has read it.
QStringList Listed(QFileDialog& dialog) {
    auto* model = dialog.findChild<QFileSystemModel*>();
    auto* view = dialog.findChild<QAbstractItemView*>(QStringLiteral("listView"));
    if (model == nullptr || view == nullptr)
        return {};
    QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
    if (view->model()->rowCount(view->rootIndex()) == 0)
        loaded.wait();
    QStringList names;
    for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
        names << view->model()->index(row, 0, view->rootIndex()).data().toString();
    return names;
}

} // namespace

TEST(FileDialogsTest, AllFilesFilterListsFilesWithoutExtension) {
    EXPECT_EQ(QtFilter(ALL_FILES), QStringLiteral("All files (*)"));
    EXPECT_EQ(QtFilter(QStringLiteral("Bitmap (*.bmp)|*.bmp;*.*|Text|*.txt")),
              QStringLiteral("Bitmap (*.bmp *);;Text (*.txt)"));

    QTemporaryDir dir;
    Touch(dir.filePath(QStringLiteral("myset")));
    Touch(dir.filePath(QStringLiteral("other.bin")));
    TQtDialogs dialogs(dir.filePath(QStringLiteral("state/FileDialogs.json")));
    QStringList listed;
    WhenDialogShown([&](QFileDialog& dialog) {
        listed = Listed(dialog);
        TypeAndAccept(dialog, QStringLiteral("myset"));
    });
    const QString chosen = dialogs.OpenFile(nullptr, TFileDialog::CharsBinaryLoad, dir.path() + u'/', ALL_FILES);
    EXPECT_TRUE(listed.contains(QStringLiteral("myset"))) << listed.join(u' ').toStdString();
    EXPECT_TRUE(listed.contains(QStringLiteral("other.bin")));
    EXPECT_EQ(chosen, dir.filePath(QStringLiteral("myset")));

    // The bitmap filter still hides what is not a bitmap.
    WhenDialogShown([&](QFileDialog& dialog) { listed = Listed(dialog); });
    Touch(dir.filePath(QStringLiteral("set.bmp")));
    EXPECT_EQ(dialogs.OpenFile(nullptr, TFileDialog::CharsBitmapLoad, dir.path() + u'/', BITMAPS), QString());
    EXPECT_TRUE(listed.contains(QStringLiteral("set.bmp")));
    EXPECT_FALSE(listed.contains(QStringLiteral("myset")));
}

TEST(FileDialogsTest, EachDialogOpensWhereItWasLastUsedInTheNextRun) {
    QTemporaryDir home;
    const TScopedEnv state("XDG_STATE_HOME", qPrintable(home.filePath(QStringLiteral("state"))));
    QDir(home.path()).mkpath(QStringLiteral("pictures"));
    QDir(home.path()).mkpath(QStringLiteral("sets"));
    const QString picture = home.filePath(QStringLiteral("pictures/cat.bmp"));
    const QString set = home.filePath(QStringLiteral("sets/mine.bmp"));
    Touch(picture);
    Touch(set);
    {
        TQtDialogs firstRun;
        WhenDialogShown([&](QFileDialog& dialog) { TypeAndAccept(dialog, QStringLiteral("cat.bmp")); });
        EXPECT_EQ(
            firstRun.OpenFile(nullptr, TFileDialog::LogoPicture, home.filePath(QStringLiteral("pictures/")), PICTURES),
            picture);
        WhenDialogShown([&](QFileDialog& dialog) { TypeAndAccept(dialog, QStringLiteral("mine.bmp")); });
        EXPECT_EQ(
            firstRun.OpenFile(nullptr, TFileDialog::CharsBitmapLoad, home.filePath(QStringLiteral("sets/")), BITMAPS),
            set);
    }
    EXPECT_TRUE(QFile::exists(home.filePath(QStringLiteral("state/KR7Controller/FileDialogs.json"))));

    TQtDialogs nextRun;
    QString pictureFolder, setFolder;
    WhenDialogShown([&](QFileDialog& dialog) { pictureFolder = dialog.directory().absolutePath(); });
    nextRun.OpenFile(nullptr, TFileDialog::LogoPicture, QString(), PICTURES);
    WhenDialogShown([&](QFileDialog& dialog) { setFolder = dialog.directory().absolutePath(); });
    nextRun.OpenFile(nullptr, TFileDialog::CharsBitmapLoad, QString(), BITMAPS);
    // A name without a folder goes into the remembered one.
    EXPECT_EQ(pictureFolder, home.filePath(QStringLiteral("pictures")));
    EXPECT_EQ(setFolder, home.filePath(QStringLiteral("sets")));
    EXPECT_EQ(DialogStart(QStringLiteral("new.bmp"), home.filePath(QStringLiteral("sets"))),
              home.filePath(QStringLiteral("sets/new.bmp")));
    // A name the window already holds, with its folder, wins.
    EXPECT_EQ(DialogStart(picture, home.filePath(QStringLiteral("sets"))), picture);
}

TEST(FileDialogsTest, RecentPicturesAndGlyphSetsNewestFirst) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("FileDialogs.json"));
    {
        TFileDialogState state(path);
        for (int i = 0; i < RECENT_MAX + 2; ++i)
            state.Chosen(TFileDialog::LogoPicture, dir.filePath(QStringLiteral("p%1.bmp").arg(i)));
        state.Chosen(TFileDialog::LogoPicture, dir.filePath(QStringLiteral("p5.bmp")));
        state.Chosen(TFileDialog::CharsBinaryLoad, dir.filePath(QStringLiteral("myset")));
        state.Chosen(TFileDialog::CharsBitmapLoad, dir.filePath(QStringLiteral("set.bmp")));
        // Saving and text files are not on either list.
        state.Chosen(TFileDialog::CharsBinarySave, dir.filePath(QStringLiteral("saved")));
        state.Chosen(TFileDialog::HorizNeonFile, dir.filePath(QStringLiteral("ticker.txt")));
    }
    const TFileDialogState reread(path);
    const QStringList pictures = reread.Recent(TRecentList::Pictures);
    ASSERT_EQ(pictures.size(), RECENT_MAX);
    EXPECT_EQ(pictures.at(0), dir.filePath(QStringLiteral("p5.bmp")));
    EXPECT_EQ(pictures.at(1), dir.filePath(QStringLiteral("p9.bmp")));
    EXPECT_EQ(pictures.count(dir.filePath(QStringLiteral("p5.bmp"))), 1);
    EXPECT_FALSE(pictures.contains(dir.filePath(QStringLiteral("p0.bmp"))));
    EXPECT_EQ(reread.Recent(TRecentList::GlyphSets),
              QStringList({dir.filePath(QStringLiteral("set.bmp")), dir.filePath(QStringLiteral("myset"))}));
    EXPECT_EQ(reread.Folder(TFileDialog::HorizNeonFile), dir.path());
    EXPECT_EQ(reread.Folder(TFileDialog::VertNeonFile), QString());
}

TEST(FileDialogsTest, DamagedOrForeignStateFileReadsAsEmpty) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("FileDialogs.json"));
    for (const QByteArray& content : {QByteArray("not json at all"), QByteArray("[1,2,3]"),
                                      QByteArray(R"({"Folders":{"LogoPicture":5},"RecentPictures":[7,"",{"a":1}]})"),
                                      QByteArray(R"({"Folders":{"LogoPicture":"/no/such/folder/anywhere"}})")}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        const TFileDialogState state(path);
        EXPECT_EQ(state.Folder(TFileDialog::LogoPicture), QString()) << content.toStdString();
        EXPECT_TRUE(state.Recent(TRecentList::Pictures).isEmpty()) << content.toStdString();
    }
}

TEST(FileDialogsTest, EachLoadOffersItsOwnRecentFilesThatStillExist) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("FileDialogs.json"));
    const auto touch = [&dir](const char* name) {
        QFile file(dir.filePath(QLatin1String(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return dir.filePath(QLatin1String(name));
    };
    const QString myset = touch("myset");
    const QString bitmap = touch("set.BMP");
    const QString picture = touch("logo.png");
    const QString gone = dir.filePath(QStringLiteral("gone.bmp"));
    {
        TQtDialogs dialogs(path);
        for (const QString& file : {myset, bitmap, gone})
            dialogs.Reused(TFileDialog::CharsBinaryLoad, file);
        dialogs.Reused(TFileDialog::LogoPicture, gone);
        dialogs.Reused(TFileDialog::LogoPicture, picture);
    }
    const TQtDialogs reread(path);
    EXPECT_EQ(reread.Recent(TFileDialog::CharsBinaryLoad), QStringList{myset});
    EXPECT_EQ(reread.Recent(TFileDialog::CharsBitmapLoad), QStringList{bitmap});
    EXPECT_EQ(reread.Recent(TFileDialog::LogoPicture), QStringList{picture});
    EXPECT_TRUE(reread.Recent(TFileDialog::CharsBinarySave).isEmpty());
    EXPECT_TRUE(reread.Recent(TFileDialog::HorizNeonFile).isEmpty());
    // A file used again heads its list.
    EXPECT_EQ(reread.FileState().Recent(TRecentList::Pictures), QStringList({picture, gone}));
}
