#include "SkinBuilder.h"

#include "HandCursor.h"
#include "ImageElement.h"
#include "PictureBox.h"
#include "sources/DropArea.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <ranges>

namespace {

QString text(const char *s)
{
    return s ? QString::fromUtf8(s) : QString();
}

QWidget *createWidget(QWidget *parent, const ControlSpec &spec)
{
    switch (spec.kind) {
    case ControlKind::PictureBox: {
        auto *box = new PictureBox(parent);
        box->setPicture(QPixmap(text(spec.picture)));
        return box;
    }
    case ControlKind::DropArea: {
        auto *area = new DropArea(parent);
        area->setPicture(QPixmap(text(spec.picture)));
        return area;
    }
    case ControlKind::List:
        return new QListWidget(parent);
    case ControlKind::DropDownList: {
        auto *list = new QComboBox(parent);
        for (const char *item : spec.items)
            list->addItem(text(item));
        list->setCurrentIndex(-1);
        return list;
    }
    case ControlKind::TextField: {
        auto *field = new QLineEdit(parent);
        field->setReadOnly(spec.readOnly);
        if (spec.maxLength > 0)
            field->setMaxLength(spec.maxLength);
        field->setText(text(spec.text));
        return field;
    }
    case ControlKind::ImageElement: {
        auto *image = new ImageElement(parent);
        image->setStretch(spec.stretch);
        image->resize(spec.width, spec.height);
        if (spec.picture)
            image->setPicture(QPixmap(text(spec.picture)));
        return image;
    }
    case ControlKind::Label: {
        auto *label = new QLabel(text(spec.text), parent);
        if (spec.centred)
            label->setAlignment(Qt::AlignCenter);
        return label;
    }
    case ControlKind::CommandButton:
        return new QPushButton(text(spec.text), parent);
    default:
        return nullptr;
    }
}

void applyLook(QWidget *widget, const ControlSpec &spec, const QWidget *window)
{
    if (spec.kind != ControlKind::ImageElement || spec.stretch || !spec.picture)
        widget->resize(spec.width, spec.height);
    widget->move(spec.x, spec.y);
    if (spec.toolTip)
        widget->setToolTip(text(spec.toolTip));
    if (spec.hand)
        widget->setCursor(handCursor());
    if (spec.font.family)
        widget->setFont(SkinBuilder::fontOf(spec.font, window->font()));
    if (spec.hasColour) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText, QColor::fromRgb(spec.colour));
        widget->setPalette(palette);
    }
    if (auto *label = qobject_cast<QLabel *>(widget))
        label->adjustSize(); // labels size themselves to their text
    widget->setVisible(spec.start != StartState::Hidden);
}

} // namespace

QFont SkinBuilder::fontOf(const FontSpec &spec, const QFont &fallback)
{
    QFont font = fallback;
    if (spec.family)
        font.setFamily(text(spec.family));
    if (spec.pointSize > 0)
        font.setPointSizeF(spec.pointSize);
    font.setBold(spec.bold);
    font.setUnderline(spec.underline);
    return font;
}

QObject *SkinBuilder::create(QWidget *window, const ControlSpec &spec)
{
    if (spec.kind == ControlKind::Timer) {
        auto *timer = new QTimer(window);
        timer->setInterval(spec.interval);
        return timer;
    }
    if (spec.kind == ControlKind::RequestCarrier)
        return nullptr; // created by the window that uses it

    QWidget *parent = spec.parent ? window->findChild<QWidget *>(text(spec.parent)) : window;
    QWidget *widget = createWidget(parent ? parent : window, spec);
    if (widget)
        applyLook(widget, spec, window);
    return widget;
}

void SkinBuilder::build(QWidget *window, const WindowSpec &spec)
{
    window->setObjectName(text(spec.name));
    window->setFont(fontOf(spec.font, window->font()));
    // A parent stands before its children in the table.
    for (const ControlSpec &control : spec.controls) {
        if (QObject *object = create(window, control))
            object->setObjectName(text(control.name));
    }
    stack(window, spec);

    QWidget *previous = nullptr;
    for (const char *name : spec.tabOrder) {
        QWidget *widget = window->findChild<QWidget *>(text(name));
        if (!widget)
            continue;
        if (widget->focusPolicy() == Qt::NoFocus)
            widget->setFocusPolicy(Qt::TabFocus); // picture boxes are tab stops
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void SkinBuilder::stack(QWidget *window, const WindowSpec &spec)
{
    // Raise back to front: windowless elements first, then child windows,
    // so that child windows end up above every windowless element.
    for (const bool childWindows : {false, true}) {
        for (const ControlSpec &control : spec.controls | std::views::reverse) {
            if (isChildWindow(control.kind) != childWindows)
                continue;
            if (auto *widget = window->findChild<QWidget *>(text(control.name)))
                widget->raise();
        }
    }
}
