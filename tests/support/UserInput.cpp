#include "UserInput.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace UserInput {
namespace {

// Types text key by key. A character beyond ASCII (a Polish letter) has no
// key of its own here: it comes as the text of an unnamed key, as an input
// method or a national keyboard layout delivers it.
void TypeKeys(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(field, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void SelectAllAndType(QWidget* field, const QString& text) {
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        TypeKeys(field, text);
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

// Where a user clicks a check box or radio button: on its square or circle.
// The box takes no click right of its caption, and a box is often drawn
// much wider than its caption. Other buttons are clicked in the middle.
QPoint MarkOf(const QAbstractButton* box) {
    const bool radio = qobject_cast<const QRadioButton*>(box) != nullptr;
    if (!radio && qobject_cast<const QCheckBox*>(box) == nullptr)
        return box->rect().center();
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    option.icon = box->icon();
    option.iconSize = box->iconSize();
    const QStyle::SubElement mark = radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator;
    return box->style()->subElementRect(mark, &option, box).center();
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
    if (box->isChecked() == checked)
        return;
    EXPECT_TRUE(box->isVisible()) << box->objectName().toStdString() << " is not on screen";
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, MarkOf(box));
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
        TypeKeys(editor, lines.at(i));
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

namespace UserInput {
namespace {

// The bar's style option as the bar draws itself with it.
QStyleOptionSlider BarOption(const QScrollBar* bar) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_None;
    option.activeSubControls = QStyle::SC_None;
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    if (bar->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    return option;
}

int Along(const QScrollBar* bar, QPoint point) {
    return bar->orientation() == Qt::Horizontal ? point.x() : point.y();
}

} // namespace

void Choose(QComboBox* box, const QString& item) {
    const int index = box->findText(item);
    ASSERT_GE(index, 0) << item.toStdString() << " is not in " << box->objectName().toStdString();
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box, Qt::Key_F4);
    QAbstractItemView* list = box->view();
    ASSERT_TRUE(list->isVisible()) << box->objectName().toStdString() << " did not open its list";
    for (int steps = 0; list->currentIndex().row() != index; ++steps) {
        ASSERT_LE(steps, box->count()) << item.toStdString() << " cannot be reached in the list";
        QTest::keyClick(list, list->currentIndex().row() < index ? Qt::Key_Down : Qt::Key_Up);
    }
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(box->currentText(), item);
}

void DragTo(QScrollBar* bar, int value) {
    ASSERT_TRUE(value >= bar->minimum() && value <= bar->maximum())
        << value << " is outside " << bar->objectName().toStdString();
    EXPECT_TRUE(bar->isVisible()) << bar->objectName().toStdString() << " is not on screen";
    if (bar->value() == value)
        return;
    const QStyleOptionSlider option = BarOption(bar);
    QStyle* style = bar->style();
    const QRect handle = style->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
    const QRect groove = style->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove, bar);
    const bool horizontal = bar->orientation() == Qt::Horizontal;
    const int length = horizontal ? handle.width() : handle.height();
    const int span = (horizontal ? groove.width() : groove.height()) - length;
    ASSERT_GT(span, 0) << bar->objectName().toStdString() << " has no room to drag";
    const int start = Along(bar, groove.topLeft()) +
                      QStyle::sliderPositionFromValue(bar->minimum(), bar->maximum(), value, span, option.upsideDown);
    const int shift = start - Along(bar, handle.topLeft());
    const QPoint grip = handle.center();
    const QPoint target = horizontal ? grip + QPoint(shift, 0) : grip + QPoint(0, shift);
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(bar, target);
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, target);
    ASSERT_EQ(bar->value(), value) << bar->objectName().toStdString() << " cannot be dragged to that value";
}

void DragThrough(QScrollBar* bar, std::initializer_list<int> shifts) {
    const QStyleOptionSlider option = BarOption(bar);
    const QPoint grip =
        bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar).center();
    const auto along = [bar](int shift) {
        return bar->orientation() == Qt::Horizontal ? QPoint(shift, 0) : QPoint(0, shift);
    };
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, grip);
    for (const int shift : shifts)
        QTest::mouseMove(bar, grip + along(shift));
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, grip + along(*std::rbegin(shifts)));
}

} // namespace UserInput
