// SPDX-License-Identifier: MIT

#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStyle>
#include <QTest>
#include <QUrl>

#include "appearance.h"
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
// window, and the keys for the two buttons; how the window lives there: its ties to the
// desktop entry, its style, and coloured texts readable under any palette.
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
    void tiedToItsDesktopEntry();
    void layoutStyle();
    void colouredTextsReadable_data();
    void colouredTextsReadable();

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
    // Started by its full path, it names itself without the folder.
    QTest::newRow("help")
            << QStringList{"--help"} << 0
            << QByteArray("Usage: qavmaker [options] [PROJECT.mfc]\n"
                          "Composes missions for the QAV autopilot of the Orbiter space-flight "
                          "simulator. Given a project file (.mfc), starts with it loaded, as "
                          "\"Load MFC File\" would.\n\n"
                          "Options:\n"
                          "  -h, --help     Displays help on commandline options.\n"
                          "  --help-all     Displays help including Qt specific options.\n"
                          "  -v, --version  Displays version information.\n\n"
                          "Arguments:\n"
                          "  project        A project file to load at start.\n")
            << QByteArray();
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

void tst_desktop::tiedToItsDesktopEntry()
{
    // The Wayland app id, and the name docks look the window up by.
    QCOMPARE(QGuiApplication::desktopFileName() + ".desktop",
             QFileInfo(QString::fromUtf8(QAV_DESKTOP_ENTRY)).fileName());
    QFile entry(QString::fromUtf8(QAV_DESKTOP_ENTRY));
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = entry.readAll().split('\n');
    // The X11 class is the application's name, which the editor gives itself at start.
    QVERIFY(lines.contains("StartupWMClass=qavmaker"));
    QVERIFY(lines.contains("Icon=" + QGuiApplication::desktopFileName().toUtf8()));
    QList<QSize> sizes;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        sizes << QSize(size, size);
    QCOMPARE(m_window->windowIcon().availableSizes(), sizes);
}

// Fusion, whatever style the desktop's theme would give, unless "-style" chose one: the run
// of this test with "-style windows" checks that the choice stands.
void tst_desktop::layoutStyle()
{
    const bool chosen = qEnvironmentVariable("QAV_TEST_STYLE") == "chosen";
    if (!chosen)
        QApplication::setStyle(QStringLiteral("Windows")); // as a desktop theme might
    frmMainWindow window(m_session->core.form);
    QCOMPARE(QApplication::style()->name(), chosen ? "windows" : "fusion");
}

void tst_desktop::colouredTextsReadable_data()
{
    QTest::addColumn<QColor>("background");
    QTest::addColumn<bool>("switched"); // to this palette while the window is open
    // clang-format off
    QTest::newRow("light palette")               << QColor(QRgb(0xefefef)) << false;
    QTest::newRow("white")                       << QColor(QRgb(0xffffff)) << false;
    QTest::newRow("qt6ct darker")                << QColor(QRgb(0x323232)) << false;
    QTest::newRow("Adwaita-dark")                << QColor(QRgb(0x353535)) << false;
    QTest::newRow("Breeze Dark")                 << QColor(QRgb(0x232629)) << false;
    QTest::newRow("black")                       << QColor(QRgb(0x000000)) << false;
    QTest::newRow("switched to dark while open") << QColor(QRgb(0x353535)) << true;
    QTest::newRow("switched to light while open") << QColor(QRgb(0xefefef)) << true;
    // clang-format on
}

void tst_desktop::colouredTextsReadable()
{
    QFETCH(QColor, background);
    QFETCH(bool, switched);
    const QPalette before = QApplication::palette();
    const auto restore = qScopeGuard([&] { QApplication::setPalette(before); });
    const auto paletteOn = [](const QColor &window) {
        QPalette palette(window);
        palette.setColor(QPalette::WindowText, window.lightness() < 128 ? Qt::white : Qt::black);
        return palette;
    };
    const QColor other =
            background.lightness() < 128 ? QColor(QRgb(0xefefef)) : QColor(QRgb(0x353535));
    QApplication::setPalette(paletteOn(switched ? other : background));
    Session session;
    frmMainWindow window(session.core.form);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (switched)
        QApplication::setPalette(paletteOn(background));
    QCoreApplication::processEvents(); // the change reaches the widgets through posted events
    const bool dark = background.lightness() < 128;
    const QList<QLabel *> labels =
            window.findChildren<QLabel *>(QRegularExpression("^(lblOmmit\\(\\d\\)|lblFileEdit)$"));
    QCOMPARE(labels.size(), 11);
    for (const QLabel *label : labels) {
        const QColor text = label->palette().color(QPalette::WindowText);
        const QColor behind = label->palette().color(label->backgroundRole());
        QCOMPARE(behind, background);
        const bool blue = label->objectName() == "lblFileEdit";
        const QColor described = blue ? QColor(0, 0, 255) : QColor(255, 0, 0);
        const double contrast = Platform::contrastRatio(text, behind);
        qDebug("%s: %s on %s, %.2f:1", qPrintable(label->objectName()), qPrintable(text.name()),
               qPrintable(behind.name()), contrast);
        if (!dark) {
            QCOMPARE(text, described);
            continue;
        }
        QVERIFY2(contrast >= 4.5, qPrintable(label->objectName()));
        // The same hue, only lighter.
        QCOMPARE(text.hslHue(), described.hslHue());
        QVERIFY(text.lightness() >= described.lightness());
    }
}

QTEST_MAIN(tst_desktop)
#include "tst_desktop.moc"
