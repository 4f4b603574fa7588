// SPDX-License-Identifier: MIT

#include "accessibility.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>

#include "accessiblelinks.h"
#include "tabstripaccessible.h"
#include "tworowtabwidget.h"

namespace {

using Platform::AccessibleLinks;
using Platform::describedText;
using Platform::linksOf;
using Platform::present;
using Platform::readOnItsOwn;
using Relations = QList<QPair<QAccessibleInterface *, QAccessible::Relation>>;

// Set on a window whose widgets get the interfaces below; the file dialog keeps Qt's own.
constexpr char AccessibleWindow[] = "platformAccessibleWindow";

// A widget of an accessible window: its shown children without decoration, the labels that
// name it or that it names, its description from the labels beside it. Qt's own links a
// control to the window that handles its signals ("controller for"), which tells a screen
// reader nothing; this one leaves that out.
class LinkedWidget : public QAccessibleWidget
{
public:
    LinkedWidget(QWidget *widget, QAccessible::Role role) : QAccessibleWidget(widget, role) { }

    int childCount() const override { return int(children().size()); }
    QAccessibleInterface *child(int index) const override
    {
        return QAccessible::queryAccessibleInterface(children().value(index));
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(children().indexOf(child->object())) : -1;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty())
            return describedText(widget());
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        // A widget that passes its focus on (the page of a multi-line box) never has it
        // itself, though Qt's hasFocus() says so.
        if (widget()->focusProxy())
            state.focused = state.focusable = false;
        return state;
    }

    Relations relations(QAccessible::Relation match) const override
    {
        Relations found;
        const auto add = [&found, match](QWidget *other, QAccessible::Relation kind) {
            if (!(match & kind))
                return;
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(other);
            if (iface && !found.contains(qMakePair(iface, kind)))
                found.append({iface, kind});
        };
        if (const AccessibleLinks *links = linksOf(widget())) {
            for (QWidget *label : present(links->labels))
                add(label, QAccessible::Label);
            for (QWidget *control : present(links->labelFor))
                add(control, QAccessible::Labelled);
        }
        if (QWidget *parent = widget()->parentWidget()) {
            for (auto *label : parent->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
                if (label->buddy() == widget())
                    add(label, QAccessible::Label);
            }
            // A titled frame names what it holds, as Qt has it.
            if (auto *box = qobject_cast<QGroupBox *>(parent); box && !box->title().isEmpty())
                add(box, QAccessible::Label);
        }
        if (auto *label = qobject_cast<QLabel *>(widget()); label && label->buddy())
            add(label->buddy(), QAccessible::Labelled);
        return found;
    }

private:
    QObjectList children() const
    {
        QObjectList shown;
        for (QObject *child : widget()->children()) {
            if (child->isWidgetType() && readOnItsOwn(static_cast<QWidget *>(child)))
                shown.append(child);
        }
        return shown;
    }
};

// A widget that only holds others: the window, a page of a tab container, a named group.
class Container : public LinkedWidget
{
public:
    explicit Container(QWidget *widget) : LinkedWidget(widget, QAccessible::Client) { }

    QAccessible::Role role() const override
    {
        if (widget()->isWindow())
            return QAccessible::Window;
        if (qobject_cast<TwoRowTabWidget *>(widget()->parentWidget()))
            return QAccessible::PropertyPage;
        return widget()->accessibleName().isEmpty() ? QAccessible::Client : QAccessible::Grouping;
    }
};

class Label : public LinkedWidget
{
public:
    explicit Label(QLabel *label) : LinkedWidget(label, QAccessible::StaticText) { }

    QLabel *label() const { return static_cast<QLabel *>(widget()); }

    QAccessible::Role role() const override
    {
        return label()->pixmap().isNull() ? QAccessible::StaticText : QAccessible::Graphic;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !label()->accessibleName().isEmpty())
            return LinkedWidget::text(t);
        const QString text = label()->text();
        return Qt::mightBeRichText(text) ? QTextDocumentFragment::fromHtml(text).toPlainText()
                                         : text;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = LinkedWidget::state();
        state.readOnly = true;
        return state;
    }
};

class Button : public LinkedWidget
{
public:
    explicit Button(QAbstractButton *button) : LinkedWidget(button, QAccessible::PushButton) { }

    QAbstractButton *button() const { return static_cast<QAbstractButton *>(widget()); }

    QAccessible::Role role() const override
    {
        if (qobject_cast<QRadioButton *>(button()))
            return QAccessible::RadioButton;
        if (qobject_cast<QCheckBox *>(button()))
            return QAccessible::CheckBox;
        return QAccessible::PushButton;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !button()->accessibleName().isEmpty())
            return LinkedWidget::text(t);
        return QString(button()->text()).remove(u'&');
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = LinkedWidget::state();
        state.checkable = button()->isCheckable();
        state.checked = button()->isChecked();
        state.pressed = button()->isDown();
        if (auto *push = qobject_cast<QPushButton *>(button()))
            state.defaultButton = push->isDefault();
        return state;
    }

    QStringList actionNames() const override
    {
        const QString own = button()->isCheckable() ? toggleAction() : pressAction();
        return QStringList{own} + LinkedWidget::actionNames();
    }
    void doAction(const QString &name) override
    {
        if (name == pressAction() || name == toggleAction())
            button()->click();
        else
            LinkedWidget::doAction(name);
    }
};

// A one-line box: its text for reading and editing, as Qt's own has it, with the links.
class LineEdit : public LinkedWidget,
                 public QAccessibleTextInterface,
                 public QAccessibleEditableTextInterface
{
public:
    explicit LineEdit(QLineEdit *box) : LinkedWidget(box, QAccessible::EditableText) { }

    QLineEdit *box() const { return static_cast<QLineEdit *>(widget()); }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return LinkedWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? shownText() : LinkedWidget::text(t);
    }
    void setText(QAccessible::Text t, const QString &text) override
    {
        if (t == QAccessible::Value && !box()->isReadOnly())
            box()->setText(text);
        else
            LinkedWidget::setText(t, text);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = LinkedWidget::state();
        state.editable = !box()->isReadOnly();
        state.readOnly = box()->isReadOnly();
        state.passwordEdit = box()->echoMode() != QLineEdit::Normal;
        state.selectableText = true;
        return state;
    }

    // Text
    void selection(int index, int *start, int *end) const override
    {
        *start = *end = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *start = box()->selectionStart();
            *end = *start + int(box()->selectedText().size());
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override
    {
        if (index == 0)
            box()->deselect();
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            box()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    QString text(int start, int end) const override { return shownText().mid(start, end - start); }
    int characterCount() const override { return int(shownText().size()); }
    QRect characterRect(int offset) const override
    {
        const QFontMetrics metrics = box()->fontMetrics();
        const QString shown = shownText();
        const int x = contentLeft() + metrics.horizontalAdvance(shown.left(offset));
        const int width = metrics.horizontalAdvance(shown.mid(offset, 1));
        const QRect local(x, (box()->height() - metrics.height()) / 2, width, metrics.height());
        return QRect(box()->mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int end) override { box()->setCursorPosition(end); }
    QString attributes(int offset, int *start, int *end) const override
    {
        *start = *end = offset;
        return {};
    }

    // Editable text
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString &text) override
    {
        if (!box()->isReadOnly())
            box()->setText(box()->text().replace(start, end - start, text));
    }

private:
    QString shownText() const
    {
        return box()->echoMode() == QLineEdit::Normal ? box()->text() : box()->displayText();
    }
    int contentLeft() const
    {
        // The frame and the margins the style keeps before the text, as QLineEdit has them.
        return box()->contentsMargins().left() + box()->textMargins().left() + 2
                + box()->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box());
    }
};

QAccessibleInterface *interfaceFor(const QString &className, QObject *object)
{
    if (!object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1StringView("TabStrip"))
        return Platform::tabStripInterface(widget);
    const bool page = className == QLatin1StringView("QWidget")
            && qobject_cast<TwoRowTabWidget *>(widget->parentWidget());
    if (!page && !widget->window()->property(AccessibleWindow).toBool())
        return nullptr;
    if (auto *box = qobject_cast<QLineEdit *>(widget))
        return new LineEdit(box);
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return new Button(button);
    if (auto *label = qobject_cast<QLabel *>(widget))
        return new Label(label);
    if (className == QLatin1StringView("QFrame"))
        return new LinkedWidget(widget, QAccessible::Separator);
    if (className == QLatin1StringView("QWidget"))
        return new Container(widget);
    return nullptr;
}

} // namespace

namespace Platform {

void installAccessibleInterfaces() { QAccessible::installFactory(interfaceFor); }

void makeAccessible(QWidget *window)
{
    window->setProperty(AccessibleWindow, true);
    installAccessibleInterfaces();
}

void notifyAccessibility(QAccessibleEvent *event)
{
    if (QAccessible::isActive()) {
        QAccessible::updateAccessibility(event);
        return;
    }
    // Qt drops every event while no bridge is active; the handler is looked up by putting
    // it back, since Qt offers no other way to read it.
    const QAccessible::UpdateHandler handler = QAccessible::installUpdateHandler(nullptr);
    QAccessible::installUpdateHandler(handler);
    if (handler)
        handler(event);
}

} // namespace Platform