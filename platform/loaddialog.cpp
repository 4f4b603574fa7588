#include "loaddialog.h"

#include <QDir>
#include <QFileDialog>

bool FileLoadDialog::showOpen(QWidget *parent)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDirectory(initialFolder());
    dialog.setNameFilter(QStringLiteral("%1 (%2)").arg(filterDescription(), filterPattern()));
    if (!fileName().isEmpty())
        dialog.selectFile(fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    setFileName(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
    return true;
}
