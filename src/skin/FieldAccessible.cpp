#include "FieldAccessible.h"

#include <QLineEdit>

FieldAccessible::FieldAccessible(QLineEdit *field) : QAccessibleWidget(field, QAccessible::EditableText) {}

QLineEdit *FieldAccessible::field() const
{
    return static_cast<QLineEdit *>(widget());
}

QAccessible::State FieldAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = field()->isReadOnly();
    state.editable = !field()->isReadOnly();
    state.selectableText = true;
    return state;
}

QString FieldAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value)
        return field()->text();
    return QAccessibleWidget::text(kind);
}

void *FieldAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface && !field()->isReadOnly())
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

void FieldAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !field()->hasSelectedText())
        return;
    *startOffset = field()->selectionStart();
    *endOffset = *startOffset + field()->selectedText().size();
}

int FieldAccessible::selectionCount() const
{
    return field()->hasSelectedText() ? 1 : 0;
}

void FieldAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void FieldAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        field()->deselect();
}

void FieldAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        field()->setSelection(startOffset, endOffset - startOffset);
}

int FieldAccessible::cursorPosition() const
{
    return field()->cursorPosition();
}

void FieldAccessible::setCursorPosition(int position)
{
    field()->setCursorPosition(position);
}

QString FieldAccessible::text(int startOffset, int endOffset) const
{
    if (startOffset > endOffset || field()->echoMode() != QLineEdit::Normal)
        return {};
    return field()->text().mid(startOffset, endOffset - startOffset);
}

int FieldAccessible::characterCount() const
{
    return int(field()->text().size());
}

QRect FieldAccessible::characterRect(int offset) const
{
    // Where the caret would stand before and after the character.
    QLineEdit *edit = field();
    const int kept = edit->cursorPosition();
    const auto caretAt = [edit](int at) {
        edit->setCursorPosition(at);
        return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    };
    const QSignalBlocker quiet(edit);
    const QRect before = caretAt(offset);
    const QRect after = caretAt(offset + 1);
    edit->setCursorPosition(kept);
    const QRect box(QPoint(before.center().x(), before.top()), QPoint(after.center().x(), before.bottom()));
    return QRect(edit->mapToGlobal(box.topLeft()), box.size());
}

int FieldAccessible::offsetAtPoint(const QPoint &point) const
{
    return field()->cursorPositionAt(field()->mapFromGlobal(point));
}

void FieldAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    field()->setCursorPosition(endIndex);
    field()->setCursorPosition(startIndex);
}

QString FieldAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    // A field has no attributes of its own: all its text is one run.
    Q_UNUSED(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void FieldAccessible::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, {});
}

void FieldAccessible::insertText(int offset, const QString &text)
{
    replaceText(offset, offset, text);
}

void FieldAccessible::replaceText(int startOffset, int endOffset, const QString &text)
{
    if (field()->isReadOnly())
        return;
    QString now = field()->text();
    now.replace(startOffset, endOffset - startOffset, text);
    field()->setText(now);
}
