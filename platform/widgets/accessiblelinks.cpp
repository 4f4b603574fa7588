// SPDX-License-Identifier: MIT

#include "accessiblelinks.h"

#include <QAccessible>
#include <QFrame>

#include <algorithm>

#include "accessibility.h"

namespace {

using Platform::AccessibleLinks;

AccessibleLinks &links(QWidget *widget)
{
    auto *found = widget->findChild<AccessibleLinks *>(QString(), Qt::FindDirectChildrenOnly);
    return found ? *found : *new AccessibleLinks(widget);
}

int leftInWindow(const QWidget *widget) { return widget->mapTo(widget->window(), QPoint()).x(); }

} // namespace

namespace Platform {

const AccessibleLinks *linksOf(const QWidget *widget)
{
    return widget->findChild<AccessibleLinks *>(QString(), Qt::FindDirectChildrenOnly);
}

// Ruled lines say nothing, and a label read as part of a field's description is not read a
// second time on its own.
bool readOnItsOwn(const QWidget *widget)
{
    if (widget->isWindow())
        return false;
    if (const auto *frame = qobject_cast<const QFrame *>(widget);
        frame && (frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine))
        return false;
    const AccessibleLinks *links = linksOf(widget);
    return !links || present(links->describes).isEmpty();
}

QString describedText(const QWidget *control)
{
    const AccessibleLinks *links = linksOf(control);
    if (!links)
        return {};
    QList<QWidget *> labels = present(links->describedBy);
    std::stable_sort(labels.begin(), labels.end(), [](const QWidget *a, const QWidget *b) {
        return leftInWindow(a) < leftInWindow(b);
    });
    QString before;
    QStringList after;
    for (const QWidget *label : std::as_const(labels)) {
        const QString text = static_cast<const QLabel *>(label)->text();
        if (leftInWindow(label) < leftInWindow(control))
            before += text; // "D(", the reference, ") =": one expression
        else
            after.append(text);
    }
    QStringList parts{before, after.join(u' ')};
    parts.removeAll(QString());
    return parts.join(u' ');
}

void addAccessibleLabel(QWidget *label, QWidget *control)
{
    links(control).labels.append(label);
    links(label).labelFor.append(control);
}

void addAccessibleDescription(QLabel *label, QWidget *control)
{
    links(control).describedBy.append(label);
    links(label).describes.append(control);
}

void accessibleDescriptionChanged(QLabel *label)
{
    const AccessibleLinks *links = linksOf(label);
    if (!links)
        return;
    for (QWidget *control : present(links->describes)) {
        QAccessibleEvent event(control, QAccessible::DescriptionChanged);
        notifyAccessibility(&event);
    }
}

} // namespace Platform
