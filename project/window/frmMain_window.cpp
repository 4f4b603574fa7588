// SPDX-License-Identifier: MIT

#include "frmMain_window.h"

#include <QAbstractButton>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

#include "accessibility.h"
#include "appearance.h"
#include "formlayout.h"
#include "messages.h"
#include "tworowtabwidget.h"

using Form::Id;

frmMainWindow::frmMainWindow(frmMain &form, std::unique_ptr<LoadDialog> dialog,
                             std::unique_ptr<ErrorReport> errors, Pages pages, QWidget *parent)
    : QWidget(parent), m_form(form), m_loadDialog(std::move(dialog)), m_errors(std::move(errors))
{
    // Before anything is made in the window, so that screen readers never see a widget of it
    // without the links between its captions, fields and units.
    Platform::makeAccessible(this);
    // The fixed layout fits its texts in the style it was made for.
    Platform::useLayoutStyle();
    Platform::identifyWindow(this);
    if (!m_loadDialog)
        m_loadDialog = std::make_unique<FileLoadDialog>();
    if (!m_errors)
        m_errors = std::make_unique<MessageBoxErrorReport>();
    m_loadDialog->setFilter(frmMain::dialogFilter());
    m_loadDialog->setInitialFolder(m_form.projectFolder());

    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("KORVALIN - Mission File Creator - Version Alpha-01c"));
    setFont(Platform::formFont());
    setFixedSize(Layout::WindowSize);
    connect(&m_form, &frmMain::textChanged, this, &frmMainWindow::showText);
    connect(&m_form, &frmMain::checkedChanged, this, &frmMainWindow::showChecked);
    connect(&m_form, &frmMain::enabledChanged, this, &frmMainWindow::showEnabled);
    // Drops reach the window through every control, so that a text box does not take a
    // dropped project's name as text.
    setAcceptDrops(true);
    installEventFilter(this);
    m_names = new NameCompletion(m_form, this);
    addShortcuts();
    build(Part::First);
    m_othersPending = pages == Pages::OthersOnceShown;
    if (!m_othersPending)
        build(Part::Others);
    // Start-up shows the first tab, whatever tab the window was designed with.
    m_tabs->setCurrentIndex(0);
}

frmMainWindow::~frmMainWindow() = default;

void frmMainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - frameGeometry().center() + pos());
    m_shown[Form::id("txtLLabel")].widget->setFocus();
    // Nothing after this is needed to put the window on the screen.
    QTimer::singleShot(0, this, &frmMainWindow::buildOthers);
}

void frmMainWindow::buildOthers()
{
    if (m_othersPending) {
        m_othersPending = false;
        build(Part::Others);
    }
    finishAppearance();
}

void frmMainWindow::bind(Id id)
{
    const Shown &shown = m_shown[id];
    if (shown.box) {
        connect(shown.box, &QLineEdit::textChanged, this, [this, id](const QString &text) {
            if (!m_showing)
                m_form.setText(id, text);
        });
        m_names->attach(id, shown.box);
    } else if (shown.lines) {
        connect(shown.lines, &QPlainTextEdit::textChanged, this, [this, id, shown] {
            if (!m_showing)
                m_form.setText(id, shown.lines->toPlainText());
        });
    } else if (shown.button && shown.button->isCheckable()) {
        connect(shown.button, &QAbstractButton::toggled, this, [this, id](bool checked) {
            if (!m_showing)
                m_form.setChecked(id, checked);
        });
    } else if (id == Form::id("cmdMakeMission")) {
        connect(shown.button, &QAbstractButton::clicked, this,
                &frmMainWindow::cmdMakeMission_Click);
    } else if (id == Form::id("cmdOpen")) {
        connect(shown.button, &QAbstractButton::clicked, this, &frmMainWindow::cmdOpen_Click);
    }
}

// A control of a page not built yet takes the form's text when it is built.
void frmMainWindow::showText(Id id, const QString &text)
{
    const Shown &shown = m_shown[id];
    const QScopedValueRollback guard(m_showing, true);
    if (shown.box && shown.box->text() != text)
        shown.box->setText(text);
    else if (shown.lines && shown.lines->toPlainText() != text)
        shown.lines->setPlainText(text);
    else if (shown.label) {
        shown.label->setText(text);
        Platform::accessibleDescriptionChanged(shown.label);
    }
}

void frmMainWindow::showChecked(Id id, bool checked)
{
    const QScopedValueRollback guard(m_showing, true);
    if (QAbstractButton *button = m_shown[id].button)
        button->setChecked(checked);
}

void frmMainWindow::showEnabled(Id id, bool enabled)
{
    if (QWidget *widget = m_shown[id].widget)
        widget->setEnabled(enabled);
}

void frmMainWindow::cmdMakeMission_Click()
{
    if (const QString problem = m_form.cmdMakeMission_Click(); !problem.isEmpty())
        m_errors->report(this, Messages::makeMissionTitle(), problem);
}

void frmMainWindow::cmdOpen_Click()
{
    m_form.cmdOpen_Click();
    m_loadDialog->setFileName({});
    if (m_loadDialog->showOpen(this))
        loadProject(m_loadDialog->fileName());
}

void frmMainWindow::loadProject(const QString &path)
{
    m_form.cmdOpen_Click();
    QString error;
    if (!m_form.loadProjectFile(path, &error))
        m_errors->report(this, Messages::loadProjectTitle(), Messages::readFailed(path, error));
}

// The keys the desktop uses for opening and saving act as the two buttons, which stay the
// window's only visible commands.
void frmMainWindow::addShortcuts()
{
    const auto press = [this](Id button) {
        QAbstractButton *target = m_shown[button].button;
        if (target && target->isEnabled())
            target->click();
    };
    auto *open = new QShortcut(QKeySequence::Open, this);
    connect(open, &QShortcut::activated, this, [press] { press(Form::id("cmdOpen")); });
    auto *save = new QShortcut(QKeySequence::Save, this);
    connect(save, &QShortcut::activated, this, [press] { press(Form::id("cmdMakeMission")); });
}

QString frmMainWindow::droppedProject(const QMimeData *data) const
{
    if (!m_form.isEnabled(Form::id("cmdOpen")) || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    const QString path = url.toLocalFile();
    return url.isLocalFile() && path.endsWith(QStringLiteral(".mfc"), Qt::CaseInsensitive)
            ? path
            : QString();
}

bool frmMainWindow::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (droppedProject(drag->mimeData()).isEmpty())
            return QWidget::eventFilter(watched, event);
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString path = droppedProject(drop->mimeData());
        if (path.isEmpty())
            return QWidget::eventFilter(watched, event);
        drop->acceptProposedAction();
        loadProject(path);
        return true;
    }
    default: return QWidget::eventFilter(watched, event);
    }
}
