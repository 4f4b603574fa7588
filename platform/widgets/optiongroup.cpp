// SPDX-License-Identifier: MIT

#include "optiongroup.h"

#include <QAbstractButton>
#include <QKeyEvent>

OptionGroup::OptionGroup(QObject *parent) : QButtonGroup(parent)
{
    setExclusive(true);
    connect(this, &QButtonGroup::buttonToggled, this, &OptionGroup::updateTabStop);
}

void OptionGroup::add(QAbstractButton *button)
{
    addButton(button);
    button->installEventFilter(this);
    updateTabStop();
}

// Qt moves the Tab stop to whichever button last had the focus; here it follows the check,
// also when the program checks a button.
void OptionGroup::updateTabStop()
{
    const QList<QAbstractButton *> all = buttons();
    QAbstractButton *stop = checkedButton() ? checkedButton() : all.value(0);
    for (QAbstractButton *button : all)
        button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

bool OptionGroup::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress
        || (static_cast<QKeyEvent *>(event)->modifiers() & ~Qt::KeypadModifier))
        return false;
    int step = 0;
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down: step = 1; break;
    case Qt::Key_Left:
    case Qt::Key_Up: step = -1; break;
    default: return false;
    }
    const QList<QAbstractButton *> all = buttons();
    const qsizetype from = all.indexOf(static_cast<QAbstractButton *>(watched));
    for (qsizetype i = 1; i < all.size(); ++i) {
        QAbstractButton *next = all[(from + step * i + all.size() * i) % all.size()];
        if (next->isEnabled() && next->isVisibleTo(next->window())) {
            // Checked first, so that a screen reader announces the focus on a checked button.
            next->click();
            next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            break;
        }
    }
    return true;
}
