// SPDX-License-Identifier: MIT

#include "errorreport.h"

#include <QMessageBox>

void MessageBoxErrorReport::report(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::critical(parent, title, text);
}
