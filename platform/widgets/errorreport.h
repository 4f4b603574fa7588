// SPDX-License-Identifier: MIT

// How the program tells the user that an action failed. The window reports through this
// interface; the message box serves users, tests record what would have been shown.
#pragma once

#include <QString>

class QWidget;

class ErrorReport
{
public:
    virtual ~ErrorReport() = default;
    virtual void report(QWidget *parent, const QString &title, const QString &text) = 0;
};

class MessageBoxErrorReport final : public ErrorReport
{
public:
    void report(QWidget *parent, const QString &title, const QString &text) override;
};
