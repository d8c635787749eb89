#include "UserInput.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace UserInput {
namespace {

void SelectAllAndType(QWidget* field, const QString& text) {
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        QTest::keyClicks(field, text);
}

// The keys that move a bar towards its end and back: Down/Up on a vertical
// bar, Right/Left (mirrored right to left) on a horizontal one.
struct TBarKeys {
    Qt::Key singleAdd, singleSub;
};

TBarKeys KeysOf(const QScrollBar* bar) {
    if (bar->orientation() == Qt::Vertical)
        return {Qt::Key_Down, Qt::Key_Up};
    if (bar->isRightToLeft())
        return {Qt::Key_Left, Qt::Key_Right};
    return {Qt::Key_Right, Qt::Key_Left};
}

} // namespace

void ShowPage(QTabWidget* pages, QWidget* page) {
    const int index = pages->indexOf(page);
    ASSERT_GE(index, 0) << "no such page in " << pages->objectName().toStdString();
    ASSERT_TRUE(pages->isTabVisible(index)) << "the page's tab is hidden";
    QTabBar* tabs = pages->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(index).center());
    EXPECT_EQ(pages->currentWidget(), page);
}

void Click(QWidget* control) {
    EXPECT_TRUE(control->isVisible()) << control->objectName().toStdString() << " is not on screen";
    QTest::mouseClick(control, Qt::LeftButton);
}

void SetChecked(QAbstractButton* box, bool checked) {
    if (box->isChecked() != checked)
        Click(box);
}

void Type(QLineEdit* field, const QString& text) {
    Click(field);
    SelectAllAndType(field, text);
}

void Type(QComboBox* editableBox, const QString& text) {
    ASSERT_NE(editableBox->lineEdit(), nullptr) << "the box cannot be typed into";
    Type(editableBox->lineEdit(), text);
}

void Type(QPlainTextEdit* editor, const QString& text) {
    Click(editor->viewport());
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Delete);
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, lines.at(i));
    }
}

void SetValue(QScrollBar* bar, int value) {
    ASSERT_TRUE(value >= bar->minimum() && value <= bar->maximum())
        << value << " is outside " << bar->objectName().toStdString();
    ASSERT_TRUE(bar->focusPolicy() & Qt::TabFocus) << bar->objectName().toStdString() << " takes no focus";
    bar->setFocus(Qt::TabFocusReason);
    const TBarKeys keys = KeysOf(bar);
    while (bar->value() != value) {
        const int before = bar->value();
        const int distance = std::abs(value - before);
        const bool up = value > before;
        if (distance >= bar->pageStep() && bar->pageStep() > 0)
            QTest::keyClick(bar, up ? Qt::Key_PageDown : Qt::Key_PageUp);
        else
            QTest::keyClick(bar, up ? keys.singleAdd : keys.singleSub);
        ASSERT_NE(bar->value(), before) << bar->objectName().toStdString() << " did not move";
    }
}

} // namespace UserInput
