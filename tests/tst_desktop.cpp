// SPDX-License-Identifier: MIT

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QTest>
#include <QUrl>

#include "frmMain_window.h"
#include "testsupport.h"

namespace {

// A dialog that chooses what the test says, and a report that keeps what it was told.
struct ScriptedDialog final : LoadDialog
{
    bool showOpen(QWidget *) override
    {
        ++shown;
        setFileName(answer);
        return !answer.isEmpty();
    }
    QString answer;
    int shown = 0;
};

struct Recorded final : ErrorReport
{
    void report(QWidget *, const QString &title, const QString &text) override
    {
        titles << title;
        texts << text;
    }
    QStringList titles, texts;
};

} // namespace

// Reaching the editor from the desktop: a project on the command line or dropped on the
// window, and the keys for the two buttons.
class tst_desktop : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void dropOrCommandLine_data();
    void dropOrCommandLine();
    void keysActAsTheButtons();
    void commandLineWithoutDisplay_data();
    void commandLineWithoutDisplay();

private:
    bool drop(const QString &path) const;
    QString text(const char *name) const { return m_session->core.value(name); }

    std::unique_ptr<Session> m_session;
    ScriptedDialog *m_dialog = nullptr;
    Recorded *m_errors = nullptr;
    std::unique_ptr<frmMainWindow> m_window;
};

void tst_desktop::init()
{
    m_session = std::make_unique<Session>();
    m_session->cwd.write("p.mfc", "[Launch]\r\nLabel=loaded\r\n");
    m_session->cwd.write("p.txt", "[Launch]\r\nLabel=loaded\r\n");
    auto dialog = std::make_unique<ScriptedDialog>();
    auto errors = std::make_unique<Recorded>();
    m_dialog = dialog.get();
    m_errors = errors.get();
    m_window = std::make_unique<frmMainWindow>(m_session->core.form, std::move(dialog),
                                               std::move(errors));
}

void tst_desktop::cleanup()
{
    m_window.reset();
    m_session.reset();
}

// A drop lands on whatever control is under the cursor; a text box must not take it.
bool tst_desktop::drop(const QString &path) const
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QWidget *target = m_window->control("txtLStartAt");
    QDragEnterEvent enter({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &dropped);
    return dropped.isAccepted();
}

void tst_desktop::dropOrCommandLine_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("label"); // the launch label after it, or "" when refused
    // clang-format off
    QTest::newRow("dropped project")                     << "drop"         << "p.mfc"    << "loaded";
    QTest::newRow("dropped other file")                  << "drop"         << "p.txt"    << "";
    QTest::newRow("dropped after a load")                << "drop twice"   << "p.mfc"    << "";
    QTest::newRow("project on the command line")         << "command line" << "p.mfc"    << "loaded";
    QTest::newRow("missing project on the command line") << "command line" << "gone.mfc" << "";
    // clang-format on
}

void tst_desktop::dropOrCommandLine()
{
    QFETCH(QString, how);
    QFETCH(QString, file);
    QFETCH(QString, label);
    const QString path = m_session->cwd.filePath(file);
    if (how == "command line") {
        m_window->loadProject(path);
    } else {
        if (how == "drop twice")
            m_window->loadProject(m_session->cwd.filePath("gone.mfc"));
        QCOMPARE(drop(path), !label.isEmpty());
    }
    QCOMPARE(text("txtLLabel"), label);
    QCOMPARE(text("txtLStartAt"), QString());
    const bool loaded = how != "drop" || !label.isEmpty();
    QCOMPARE(m_window->control("cmdOpen")->isEnabled(), !loaded);
    if (file == "gone.mfc") {
        QCOMPARE(m_errors->texts,
                 QStringList{"Could not read the project file:\n" + path
                             + ": No such file or directory\n\nNothing was loaded."});
    }
}

void tst_desktop::keysActAsTheButtons()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_dialog->answer = m_session->cwd.filePath("p.mfc");
    QTest::keyClick(m_window.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(m_dialog->shown, 1);
    QCOMPARE(text("txtLLabel"), "loaded");
    QTest::keyClick(m_window.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(m_dialog->shown, 1); // "Load MFC File" works once
    QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_errors->titles, QStringList{"Make Mission"});
}

void tst_desktop::commandLineWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    const QByteArray tryHelp = "\nTry 'qavmaker --help'.\n";
    // clang-format off
    QTest::newRow("version") << QStringList{"--version"} << 0 << QByteArray("qavmaker 0.1.0\n") << QByteArray();
    QTest::newRow("two projects") << QStringList{"a.mfc", "b.mfc"} << 2 << QByteArray() << "qavmaker: only one project file at a time" + tryHelp;
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << QByteArray() << "qavmaker: Unknown option 'bogus'." + tryHelp;
    QTest::newRow("unknown option before the version") << QStringList{"--bogus", "--version"} << 2 << QByteArray() << "qavmaker: Unknown option 'bogus'." + tryHelp;
    QTest::newRow("Qt's options are no projects") << QStringList{"-platform", "offscreen", "-style=fusion", "a.mfc", "b.mfc"} << 2 << QByteArray() << "qavmaker: only one project file at a time" + tryHelp;
    QTest::newRow("Qt's option without its value") << QStringList{"a.mfc", "-stylesheet"} << 2 << QByteArray() << "qavmaker: Missing value after '-stylesheet'." + tryHelp;
    // clang-format on
}

// Neither an X display nor Wayland nor a platform chosen: what needs no window works.
void tst_desktop::commandLineWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        env.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(QAVMAKER), arguments);
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.readAllStandardError(), err);
    QCOMPARE(process.readAllStandardOutput(), out);
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
}

QTEST_MAIN(tst_desktop)
#include "tst_desktop.moc"
