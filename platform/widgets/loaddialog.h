// SPDX-License-Identifier: MIT

// The open-file dialog the program loads projects through. Callers set the initial folder,
// file name and filter, then show it; it reports a chosen path or a cancel. The Qt dialog
// serves the window, other implementations serve tests and scripts.
#pragma once

#include <QString>

class QWidget;

class LoadDialog
{
public:
    virtual ~LoadDialog() = default;

    void setInitialFolder(const QString &folder) { m_initialFolder = folder; }
    QString initialFolder() const { return m_initialFolder; }

    void setFileName(const QString &fileName) { m_fileName = fileName; }
    QString fileName() const { return m_fileName; }

    // "Description|pattern", as in "MFC Files(*.mfc)|*.mfc".
    void setFilter(const QString &filter) { m_filter = filter; }
    QString filter() const { return m_filter; }
    QString filterDescription() const { return m_filter.section(u'|', 0, 0); }
    QString filterPattern() const { return m_filter.section(u'|', 1, 1); }

    // Shows the dialog modally. Returns false when the user cancelled; otherwise the
    // chosen full path is in fileName().
    virtual bool showOpen(QWidget *parent) = 0;

private:
    QString m_initialFolder;
    QString m_fileName;
    QString m_filter;
};

class FileLoadDialog final : public LoadDialog
{
public:
    bool showOpen(QWidget *parent) override;
};
