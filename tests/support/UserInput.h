#pragma once

#include <initializer_list>

// What a user does to the window's controls, as real mouse and key events,
// so that the toolkit's own behaviour (focus, enabled state, the signals a
// real click sends) is part of every test that uses them. The window must be
// shown; a control on a page that is not current is reached by first
// clicking that page's tab (ShowPage).

#include <QString>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QScrollBar;
class QTabWidget;
class QWidget;

namespace UserInput {

// Clicks the tab of page in pages.
void ShowPage(QTabWidget* pages, QWidget* page);

// A left click in the middle of the control.
void Click(QWidget* control);

// Clicks a check box or radio button when its state is not yet the wanted one.
void SetChecked(QAbstractButton* box, bool checked);

// Clicks into the field, selects what it holds and types text in its place
// (an empty text deletes it). Polish letters are typed as their characters.
void Type(QLineEdit* field, const QString& text);
void Type(QComboBox* editableBox, const QString& text);

// As Type, line by line with Enter between the lines.
void Type(QPlainTextEdit* editor, const QString& text);

// Moves the bar to value with its keys, from where it stands: Page keys while
// the distance is at least a large step, then arrow keys. Every step on the
// way runs the bar's handler, as it does for a user.
void SetValue(QScrollBar* bar, int value);

} // namespace UserInput

namespace UserInput {

// Opens the box's list with F4, walks to the item with the arrow keys and
// takes it with Enter: one change of the box's text, as a user's choice.
void Choose(QComboBox* box, const QString& item);

// Drags the bar's handle with the mouse straight to value: one move, so the
// bar's handler runs once, for value alone. Only values the handle's pixel
// positions can reach (a bar with fewer values than pixels) are dragged to.
void DragTo(QScrollBar* bar, int value);

// Drags the bar's handle with the mouse through several places along the bar,
// pixels from where it was grabbed, and lets it go at the last one.
void DragThrough(QScrollBar* bar, std::initializer_list<int> shifts);

} // namespace UserInput
