// SPDX-License-Identifier: MIT

// The links between the widgets of a window that screen readers follow: the labels that name a
// control and those whose text describes it. addAccessibleLabel and addAccessibleDescription
// record them on the widgets; the accessible interfaces read them back from here.
#pragma once

#include <QLabel>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace Platform {

// What a widget is to others for screen readers. A child of the widget, so that it goes
// with it.
class AccessibleLinks : public QObject
{
    Q_OBJECT

public:
    explicit AccessibleLinks(QWidget *owner) : QObject(owner) { }

    QList<QPointer<QWidget>> labels;     // name this control
    QList<QPointer<QWidget>> labelFor;   // the controls this label names
    QList<QPointer<QLabel>> describedBy; // their texts describe this control
    QList<QPointer<QWidget>> describes;  // the controls this label describes
};

// The links recorded on a widget, if any.
const AccessibleLinks *linksOf(const QWidget *widget);

// The widgets of a list of links that still exist.
template<class T>
QList<QWidget *> present(const QList<QPointer<T>> &list)
{
    QList<QWidget *> widgets;
    for (const QPointer<T> &w : list) {
        if (w)
            widgets.append(w);
    }
    return widgets;
}

// Whether a screen reader reads the widget as an object of its own.
bool readOnItsOwn(const QWidget *widget);
// What the labels that describe a control say, in reading order.
QString describedText(const QWidget *control);

} // namespace Platform
