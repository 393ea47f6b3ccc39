#include "SkinBuilder.h"

#include "HandCursor.h"
#include "ImageElement.h"
#include "PictureBox.h"
#include "ScaledPicture.h"
#include "SpokenList.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <QCoreApplication>

#include <ranges>

namespace {

QString text(const char *s)
{
    return s ? QString::fromUtf8(s) : QString();
}

// A text the user reads, in the user's language: the window's name is its
// translation context.
QString shown(const QWidget *inWindow, const char *s)
{
    return s ? QCoreApplication::translate(inWindow->window()->objectName().toLatin1().constData(), s) : QString();
}

// A control's picture at the scale of the screen its window is on.
QPixmap pictureOf(const ControlSpec &layout, const QWidget *parent)
{
    return scaledPixmap(text(layout.picture), parent->devicePixelRatioF());
}

// Keeps mouse events on the label they reach; filters installed later
// (a link's look, its click) still see them first.
class LabelMouse : public QObject {
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return true;
        default:
            return false;
        }
    }
};

QObject *labelMouse()
{
    static LabelMouse filter;
    return &filter;
}

QWidget *createWidget(QWidget *parent, const ControlSpec &layout)
{
    switch (layout.kind) {
    case ControlKind::PictureBox: {
        auto *box = new PictureBox(parent);
        box->setPicture(pictureOf(layout, parent));
        return box;
    }
    case ControlKind::List:
        return new QListWidget(parent);
    case ControlKind::DropDownList: {
        auto *list = new SpokenList(parent);
        for (const char *item : layout.items)
            list->addItem(shown(parent, item), text(item)); // the item as the encoder and the settings know it
        list->setCurrentIndex(-1);
        return list;
    }
    case ControlKind::TextField: {
        auto *field = new QLineEdit(parent);
        field->setReadOnly(layout.readOnly);
        if (layout.maxLength > 0)
            field->setMaxLength(layout.maxLength);
        field->setText(shown(parent, layout.text));
        return field;
    }
    case ControlKind::ImageElement: {
        auto *image = new ImageElement(parent);
        image->setStretch(layout.stretch);
        image->resize(layout.width, layout.height);
        if (layout.picture)
            image->setPicture(pictureOf(layout, parent));
        return image;
    }
    case ControlKind::Label: {
        auto *label = new QLabel(shown(parent, layout.text), parent);
        if (layout.centred)
            label->setAlignment(Qt::AlignCenter);
        // A label is a control, not the window's surface: the mouse over it
        // neither drags the window nor resets the hover looks.
        label->setMouseTracking(true);
        label->installEventFilter(labelMouse());
        return label;
    }
    case ControlKind::CommandButton:
        return new QPushButton(shown(parent, layout.text), parent);
    default:
        return nullptr;
    }
}

void applyLook(QWidget *widget, const ControlSpec &layout, const QWidget *window)
{
    if (layout.kind != ControlKind::ImageElement || layout.stretch || !layout.picture)
        widget->resize(layout.width, layout.height);
    widget->move(layout.x, layout.y);
    if (layout.toolTip)
        widget->setToolTip(shown(window, layout.toolTip));
    if (layout.hand)
        widget->setCursor(handCursor());
    if (layout.font.family)
        widget->setFont(SkinBuilder::fontOf(layout.font, window->font()));
    if (layout.hasColour) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText, QColor::fromRgb(layout.colour));
        widget->setPalette(palette);
    }
    // Labels size themselves to their text; a centred one keeps its box,
    // so that its text stays centred where the layout puts it.
    if (auto *label = qobject_cast<QLabel *>(widget); label && !layout.centred)
        label->adjustSize();
    widget->setVisible(layout.start != StartState::Hidden);
}

} // namespace

QFont SkinBuilder::fontOf(const FontSpec &layout, const QFont &fallback)
{
    QFont font = fallback;
    if (layout.family) {
        font.setFamily(text(layout.family));
        // Where Tahoma is missing after all, a sans-serif face stands in,
        // never the serif default. Smoothed glyphs: Windows' unsmoothed
        // ones lost a column at 150 % (the link's left stems, under Wine).
        font.setStyleHint(QFont::SansSerif, QFont::PreferAntialias);
    }
    if (layout.pointSize > 0)
        font.setPointSizeF(layout.pointSize);
    font.setBold(layout.bold);
    font.setUnderline(layout.underline);
    return font;
}

QObject *SkinBuilder::create(QWidget *window, const ControlSpec &layout, const ControlFactory &factory)
{
    if (layout.kind == ControlKind::Timer) {
        auto *timer = new QTimer(window);
        timer->setInterval(layout.interval);
        return timer;
    }

    QWidget *parent = layout.parent ? window->findChild<QWidget *>(text(layout.parent)) : window;
    if (!parent)
        parent = window;
    QObject *made = nullptr;
    if (isWindowsOwn(layout.kind)) {
        made = factory ? factory(parent, layout) : nullptr;
        if (auto *box = qobject_cast<PictureBox *>(made))
            box->setPicture(pictureOf(layout, parent));
    } else {
        made = createWidget(parent, layout);
    }
    if (auto *widget = qobject_cast<QWidget *>(made))
        applyLook(widget, layout, window);
    return made;
}

void SkinBuilder::build(QWidget *window, const WindowSpec &layout, const ControlFactory &factory)
{
    window->setObjectName(text(layout.name));
    window->setFont(fontOf(layout.font, window->font()));
    // A parent stands before its children in the table.
    for (const ControlSpec &control : layout.controls) {
        if (QObject *object = create(window, control, factory))
            object->setObjectName(text(control.name));
    }
    stack(window, layout);

    for (const AccessibleSpec &spoken : layout.accessible) {
        if (QWidget *widget = window->findChild<QWidget *>(text(spoken.control))) {
            if (spoken.name) // a label without one is named by its text
                widget->setAccessibleName(shown(window, spoken.name));
            if (spoken.description)
                widget->setAccessibleDescription(shown(window, spoken.description));
        }
    }

    QWidget *previous = nullptr;
    for (const char *name : layout.tabOrder) {
        QWidget *widget = window->findChild<QWidget *>(text(name));
        if (!widget)
            continue;
        if (widget->focusPolicy() == Qt::NoFocus)
            widget->setFocusPolicy(Qt::TabFocus); // picture elements and links are tab stops
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void SkinBuilder::stack(QWidget *window, const WindowSpec &layout)
{
    // Raise back to front: windowless elements first, then child windows,
    // so that child windows end up above every windowless element.
    for (const bool childWindows : {false, true}) {
        for (const ControlSpec &control : layout.controls | std::views::reverse) {
            if (isChildWindow(control.kind) != childWindows)
                continue;
            if (auto *widget = window->findChild<QWidget *>(text(control.name)))
                widget->raise();
        }
    }
}
