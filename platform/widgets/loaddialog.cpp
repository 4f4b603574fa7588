// SPDX-License-Identifier: MIT

#include "loaddialog.h"

#include <QDir>
#include <QFileDialog>

bool FileLoadDialog::showOpen(QWidget *parent)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDirectory(initialFolder());
    // Qt reads the patterns from the last brackets of a filter; a description that already
    // ends in them is shown as it stands.
    const QString pattern = filterPattern();
    const QString description = filterDescription();
    dialog.setNameFilter(description.endsWith(u'(' + pattern + u')')
                                 ? description
                                 : QStringLiteral("%1 (%2)").arg(description, pattern));
    if (!fileName().isEmpty())
        dialog.selectFile(fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    setFileName(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
    return true;
}
