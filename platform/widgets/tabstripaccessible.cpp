// SPDX-License-Identifier: MIT

#include "tabstripaccessible.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

#include "tworowtabwidget.h"

namespace {

// The tabs of a two-row tab container are items of its strip, which has one focus for them
// all: while it has the focus, the current tab is the focused object.
class TabList : public QAccessibleWidget
{
public:
    explicit TabList(QWidget *strip) : QAccessibleWidget(strip, QAccessible::PageTabList) { }
    ~TabList() override
    {
        for (const QAccessible::Id id : std::as_const(m_tabs))
            QAccessible::deleteAccessibleInterface(id);
    }

    TwoRowTabWidget *tabs() const
    {
        return qobject_cast<TwoRowTabWidget *>(widget()->parentWidget());
    }

    int childCount() const override { return tabs() ? tabs()->count() : 0; }
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (auto it = m_tabs.cbegin(); it != m_tabs.cend(); ++it) {
            if (QAccessible::accessibleInterface(it.value()) == child)
                return it.key();
        }
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        return tabs() ? child(tabs()->tabAt(tabs()->mapFromGlobal(QPoint(x, y)))) : nullptr;
    }
    QAccessibleInterface *focusChild() const override
    {
        return widget()->hasFocus() && tabs() ? child(tabs()->currentIndex()) : nullptr;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.focused = false; // the current tab is
        return state;
    }
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation) const override
    {
        return {};
    }

private:
    mutable QHash<int, QAccessible::Id> m_tabs;
};

class Tab : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    Tab(QWidget *strip, int index) : m_strip(strip), m_index(index) { }

    TwoRowTabWidget *tabs() const
    {
        return m_strip ? qobject_cast<TwoRowTabWidget *>(m_strip->parentWidget()) : nullptr;
    }

    bool isValid() const override { return tabs() && m_index < tabs()->count(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override
    {
        return m_strip ? m_strip->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_strip);
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? tabs()->tabText(m_index) : QString();
    }
    void setText(QAccessible::Text, const QString &) override { }
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect tab = tabs()->tabRect(m_index);
        return {tabs()->mapToGlobal(tab.topLeft()), tab.size()};
    }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid())
            return state;
        const bool current = tabs()->currentIndex() == m_index;
        state.selectable = state.focusable = true;
        state.selected = current;
        state.focused = current && m_strip->hasFocus();
        state.invisible = !m_strip->isVisible();
        state.disabled = !m_strip->isEnabled();
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this)
                                                 : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (name == pressAction() && isValid())
            tabs()->setCurrentIndex(m_index);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<QWidget> m_strip;
    int m_index;
};

QAccessibleInterface *TabList::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (const QAccessible::Id id = m_tabs.value(index))
        return QAccessible::accessibleInterface(id);
    auto *tab = new Tab(widget(), index);
    m_tabs.insert(index, QAccessible::registerAccessibleInterface(tab));
    return tab;
}

} // namespace

namespace Platform {

QAccessibleInterface *tabStripInterface(QWidget *strip) { return new TabList(strip); }

} // namespace Platform
