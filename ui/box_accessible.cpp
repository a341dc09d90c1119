#include "ui/box_accessible.h"

#include <QFontMetrics>
#include <QLineEdit>

namespace noboria {

// The boxes show their text as typed (no password echo) and have no
// validator: a reader's edit is an edit like any other, and the box's change
// rule judges it.
BoxAccessible::BoxAccessible(QLineEdit* box) : QAccessibleWidget(box, QAccessible::EditableText) {
  addControllingSignal(QStringLiteral("textChanged(const QString&)"));
  addControllingSignal(QStringLiteral("returnPressed()"));
}

QLineEdit* BoxAccessible::box() const { return static_cast<QLineEdit*>(widget()); }

QString BoxAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Value && !box()->text().isEmpty()) return box()->text();
  return QAccessibleWidget::text(t);
}

void BoxAccessible::setText(QAccessible::Text t, const QString& text) {
  if (t == QAccessible::Value)
    box()->setText(text);
  else
    QAccessibleWidget::setText(t, text);
}

QAccessible::State BoxAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.editable = !box()->isReadOnly();
  state.readOnly = box()->isReadOnly();
  state.selectableText = true;
  return state;
}

void* BoxAccessible::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  if (t == QAccessible::EditableTextInterface) return static_cast<QAccessibleEditableTextInterface*>(this);
  return QAccessibleWidget::interface_cast(t);
}

// The one run that matters: the whole text, with no attributes of its own.
QString BoxAccessible::attributes(int, int* startOffset, int* endOffset) const {
  *startOffset = 0;
  *endOffset = characterCount();
  return QString();
}

void BoxAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = 0;
  if (selectionIndex != 0 || !box()->hasSelectedText()) return;
  *startOffset = box()->selectionStart();
  *endOffset = box()->selectionEnd();
}

int BoxAccessible::selectionCount() const { return box()->hasSelectedText() ? 1 : 0; }

void BoxAccessible::addSelection(int startOffset, int endOffset) { setSelection(0, startOffset, endOffset); }

void BoxAccessible::removeSelection(int selectionIndex) {
  if (selectionIndex == 0) box()->deselect();
}

void BoxAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
  if (selectionIndex == 0) box()->setSelection(startOffset, endOffset - startOffset);
}

int BoxAccessible::cursorPosition() const { return box()->cursorPosition(); }

void BoxAccessible::setCursorPosition(int position) { box()->setCursorPosition(position); }

QString BoxAccessible::text(int startOffset, int endOffset) const {
  if (startOffset > endOffset) return QString();
  return box()->text().mid(startOffset, endOffset - startOffset);
}

// An offset of -2 stands for the caret.
QString BoxAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                        int* endOffset) const {
  return QAccessibleTextInterface::textBeforeOffset(offset == -2 ? cursorPosition() : offset, boundaryType,
                                                    startOffset, endOffset);
}

QString BoxAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                       int* endOffset) const {
  return QAccessibleTextInterface::textAfterOffset(offset == -2 ? cursorPosition() : offset, boundaryType,
                                                   startOffset, endOffset);
}

QString BoxAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                    int* endOffset) const {
  return QAccessibleTextInterface::textAtOffset(offset == -2 ? cursorPosition() : offset, boundaryType, startOffset,
                                                endOffset);
}

int BoxAccessible::characterCount() const { return box()->text().size(); }

// Where Qt places a line edit's character for a reader: after the advance of
// the text before it, at the top margin, on the screen.
QRect BoxAccessible::characterRect(int offset) const {
  const QString character = text(offset, offset + 1);
  const QFontMetrics metrics(box()->font());
  const int width = metrics.horizontalAdvance(character);
  if (width == 0) return QRect();
  const QPoint corner(metrics.horizontalAdvance(box()->text().left(offset)), box()->textMargins().top());
  return QRect(box()->mapToGlobal(corner), QSize(width, metrics.height()));
}

int BoxAccessible::offsetAtPoint(const QPoint& point) const {
  return box()->cursorPositionAt(box()->mapFromGlobal(point));
}

void BoxAccessible::scrollToSubstring(int startIndex, int endIndex) {
  box()->setCursorPosition(endIndex);
  box()->setCursorPosition(startIndex);
}

void BoxAccessible::deleteText(int startOffset, int endOffset) {
  box()->setText(box()->text().remove(startOffset, endOffset - startOffset));
}

void BoxAccessible::insertText(int offset, const QString& text) { box()->setText(box()->text().insert(offset, text)); }

void BoxAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
  box()->setText(box()->text().replace(startOffset, endOffset - startOffset, text));
}

}  // namespace noboria
