// Qt's own dialogs speak Polish beside the Polish window.
#include "shell/QtTranslation.h"

#include "platform/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QStringList ButtonTexts(QWidget& dialog) {
    QStringList texts;
    for (QAbstractButton* button : dialog.findChildren<QPushButton*>())
        if (button->isVisible())
            texts << button->text().remove(u'&');
    return texts;
}

} // namespace

TEST(QtTranslationTest, FileDialogAndQuestionReadPolish) {
    const std::unique_ptr<QTranslator> polish = InstallQtPolish();
    if (polish == nullptr)
        GTEST_SKIP() << "Qt's Polish translation is not installed (qt6-translations-l10n)";
    QTemporaryDir dir;
    TQtDialogs dialogs(dir.filePath(QStringLiteral("FileDialogs.json")));

    QStringList fileButtons;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        fileButtons = ButtonTexts(*dialog);
        const QString shots = qEnvironmentVariable("KR7_SHOTS_DIR");
        if (!shots.isEmpty())
            dialog->grab().save(QDir(shots).filePath(QStringLiteral("file-dialog-pl.png")));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(
        dialogs.OpenFile(nullptr, TFileDialog::LogoPicture, dir.path() + u'/', QStringLiteral("All files (*.*)|*.*")),
        QString());
    EXPECT_TRUE(fileButtons.contains(QStringLiteral("Otwórz"))) << fileButtons.join(u',').toStdString();
    EXPECT_TRUE(fileButtons.contains(QStringLiteral("Anuluj"))) << fileButtons.join(u',').toStdString();

    QStringList questionButtons;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        questionButtons = ButtonTexts(*box);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_FALSE(dialogs.AskOkCancel(nullptr, QStringLiteral("KR7Controller"), QStringLiteral("Kontynuować?")));
    EXPECT_TRUE(questionButtons.contains(QStringLiteral("Anuluj"))) << questionButtons.join(u',').toStdString();
}
