// SPDX-License-Identifier: MIT

#include "namecompletion.h"

#include <QCompleter>
#include <QEvent>
#include <QLineEdit>
#include <QStringListModel>

#include "frmMain.h"
#include "orbiternames.h"

NameCompletion::NameCompletion(const frmMain &form, QObject *parent) : QObject(parent), m_form(form)
{ }

void NameCompletion::attach(Form::Id id, QLineEdit *box)
{
    if (id.control().names == Form::Names::None)
        return;
    auto *completer = new QCompleter(box);
    auto *names = new QStringListModel(completer);
    completer->setModel(names);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    box->setCompleter(completer);
    box->installEventFilter(this);
    m_boxes.insert(box, {id, names});
}

bool NameCompletion::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (const auto box = m_boxes.constFind(watched); box != m_boxes.cend())
            box->names->setStringList(namesFor(installation(), m_form, box->id));
    }
    return QObject::eventFilter(watched, event);
}

const OrbiterInstallation &NameCompletion::installation()
{
    const QString directory = m_form.text(Form::id("txtDirectory"));
    if (!m_installation || directory != m_directory) {
        m_installation = readInstallation(directory);
        m_directory = directory;
    }
    return *m_installation;
}
