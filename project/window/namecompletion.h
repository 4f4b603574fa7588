// SPDX-License-Identifier: MIT

// Completion of the simulator's names in the boxes that hold one: Qt's completion list, which
// appears only while the user types and changes nothing until a name is chosen. The names
// come from the installation above the form's Directory, read when a box first takes the focus
// and again once the Directory has changed, and from the form's other boxes (the bases of the
// launch body), taken each time a box takes the focus.
#pragma once

#include <QHash>
#include <QObject>

#include <optional>

#include "formtable.h"
#include "installation.h"

class QLineEdit;
class QStringListModel;
class frmMain;

class NameCompletion : public QObject
{
    Q_OBJECT

public:
    explicit NameCompletion(const frmMain &form, QObject *parent = nullptr);

    // Offers the names of the box's field; a field that names nothing gets no list.
    void attach(Form::Id id, QLineEdit *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Box
    {
        Form::Id id;
        QStringListModel *names;
    };

    const OrbiterInstallation &installation();

    const frmMain &m_form;
    QHash<QObject *, Box> m_boxes;
    QString m_directory; // the one the installation was looked for above
    std::optional<OrbiterInstallation> m_installation;
};
