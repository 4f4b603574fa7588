// SPDX-License-Identifier: MIT

// Option buttons that exclude each other and are one stop for the Tab key, as in any group
// of option buttons: Tab and Shift+Tab land on the checked button, and the arrow keys move to
// the next or previous button of the group and select it, wrapping around.
#pragma once

#include <QButtonGroup>

class OptionGroup : public QButtonGroup
{
    Q_OBJECT

public:
    explicit OptionGroup(QObject *parent = nullptr);
    // Adds a button after those already in the group.
    void add(QAbstractButton *button);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateTabStop();
};
