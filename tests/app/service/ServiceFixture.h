#pragma once

// A window started with the service page, offscreen and showing that page,
// and the helpers the service page tests share: controls found by name, clicks,
// mouse presses on the glyph map and the editor cells, the log, the files in
// the test's folder, and a pseudo-terminal as the device.
#include "FakeSeams.h"
#include "Glyphs.h"
#include "PtyPort.h"
#include "TempFolder.h"
#include "UserInput.h"
#include "logo/ImageView.h"
#include "service/ServicePage.h"
#include "shell/Kr7unit1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

class ServiceFixture : public ::testing::Test, protected TTempFolder {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        form = MakeTestForm(dir.path(), true, dialogs, platform);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        auto* pages = Find<QTabWidget>("PageControl");
        UserInput::ShowPage(pages, Find("TabSheetService"));
        ASSERT_EQ(pages->currentWidget(), Find("TabSheetService"));
    }

    // The window's control of that object name; null when there is none.
    template <typename T = QWidget> T* Find(const char* name) const { return form->findChild<T*>(name); }
    // A left click on the button of that name, as the user gives it.
    void Click(const char* name) {
        auto* button = Find<QAbstractButton>(name);
        ASSERT_NE(button, nullptr) << name;
        ASSERT_TRUE(button->isVisible()) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    void Connect(TPtyPort& pty) {
        UserInput::Type(Find<QComboBox>("ComboBoxPort"), QString::fromStdString(pty.Name()));
        Click("CheckBoxConnect");
        ASSERT_TRUE(form->IsConnectChecked());
        pty.TakeAtLeast(FRAME_SIZE); // the text-mode frame of the connection
    }

    QString LastLog() const { return form->LogLines().last(); }

    // A mouse event delivered to widget at pos in its own coordinates.
    static void Mouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    static void Press(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
        Mouse(widget, QEvent::MouseButtonPress, pos, button, button);
    }
    static void Release(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
        Mouse(widget, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
    }
    // A move while the mouse is held by widget (the pointer may be elsewhere).
    static void DragTo(QWidget* widget, QWidget* over, QPoint posInOver, Qt::MouseButtons buttons = Qt::LeftButton) {
        const QPoint pos = widget->mapFromGlobal(over->mapToGlobal(posInOver));
        Mouse(widget, QEvent::MouseMove, pos, Qt::NoButton, buttons);
    }

    QFrame* Cell(int column, int row) const {
        auto* cell = Find("PanelCharEditor")->childAt(13 * column + 7, 13 * row + 7);
        return qobject_cast<QFrame*>(cell);
    }
    static QRgb CellColour(const QFrame* cell) { return cell->palette().color(QPalette::Window).rgb() & 0xFFFFFFu; }
    void ClickCell(int column, int row, Qt::MouseButton button = Qt::LeftButton) {
        QFrame* cell = Cell(column, row);
        Press(cell, QPoint(7, 7), button);
        Release(cell, QPoint(7, 7), button);
    }
    void SelectGlyph(int code) {
        const QPoint origin = GlyphOrigin(code) + QPoint(5, 5);
        Press(Find("ImageChars"), origin);
        Release(Find("ImageChars"), origin);
    }
    // The pixel of the active glyph in the current set.
    QRgb GlyphPixel(int column, int row) const {
        return form->Chars().Pixel(12 * form->Service().Editor().ActiveCharCol() + column,
                                   18 * form->Service().Editor().ActiveCharRow() + row);
    }
    QImage Glyph(int code) const { return form->Chars().Image().copy(QRect(GlyphOrigin(code), QSize(12, 18))); }

    TFakeDialogs dialogs;
    TFakePlatform platform;
    std::unique_ptr<TFormKR7> form;
};
