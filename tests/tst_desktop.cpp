// SPDX-License-Identifier: MIT

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include "testsupport.h"

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

    std::unique_ptr<WorkingDirectory> m_cwd;
    std::unique_ptr<Editor> m_editor;
};

void tst_desktop::init()
{
    m_cwd = std::make_unique<WorkingDirectory>();
    m_cwd->write("p.mfc", "[Launch]\r\nLabel=loaded\r\n");
    m_cwd->write("p.txt", "[Launch]\r\nLabel=loaded\r\n");
    m_editor = std::make_unique<Editor>();
}

void tst_desktop::cleanup()
{
    m_editor.reset();
    m_cwd.reset();
}

// A drop lands on whatever control is under the cursor; a text box must not take it.
bool tst_desktop::drop(const QString &path) const
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QWidget *target = m_editor->box("txtLStartAt");
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
    QTest::newRow("dropped project") << "drop"
                                     << "p.mfc"
                                     << "loaded";
    QTest::newRow("dropped other file") << "drop"
                                        << "p.txt"
                                        << "";
    QTest::newRow("dropped after a load") << "drop twice"
                                          << "p.mfc"
                                          << "";
    QTest::newRow("project on the command line") << "command line"
                                                 << "p.mfc"
                                                 << "loaded";
    QTest::newRow("missing project on the command line") << "command line"
                                                         << "gone.mfc"
                                                         << "";
}

void tst_desktop::dropOrCommandLine()
{
    QFETCH(QString, how);
    QFETCH(QString, file);
    QFETCH(QString, label);
    const QString path = m_cwd->filePath(file);
    if (how == "command line") {
        m_editor->window->loadProject(path);
    } else {
        if (how == "drop twice")
            m_editor->window->loadProject(m_cwd->filePath("gone.mfc"));
        QCOMPARE(drop(path), !label.isEmpty());
    }
    QCOMPARE(m_editor->text("txtLLabel"), label);
    QCOMPARE(m_editor->text("txtLStartAt"), QString());
    const bool loaded = how != "drop" || !label.isEmpty();
    QCOMPARE(m_editor->find<QPushButton>("cmdOpen")->isEnabled(), !loaded);
    if (file == "gone.mfc") {
        QCOMPARE(m_editor->errors().texts,
                 QStringList{"Could not read the project file:\n" + path
                             + ": No such file or directory\n\nNothing was loaded."});
    }
}

void tst_desktop::keysActAsTheButtons()
{
    QVERIFY(m_editor->show());
    m_editor->dialog().answer = m_cwd->filePath("p.mfc");
    QTest::keyClick(m_editor->window.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(m_editor->dialog().shown, 1);
    QCOMPARE(m_editor->text("txtLLabel"), "loaded");
    QTest::keyClick(m_editor->window.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(m_editor->dialog().shown, 1); // "Load MFC File" works once
    QTest::keyClick(m_editor->window.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_editor->errors().titles, QStringList{"Make Mission"});
}

void tst_desktop::commandLineWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::newRow("version") << QStringList{"--version"} << 0 << QByteArray("qavmaker 0.1.0\n");
    QTest::newRow("two projects") << QStringList{"a.mfc", "b.mfc"} << 2 << QByteArray();
}

void tst_desktop::commandLineWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(QAVMAKER), arguments);
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), exitCode);
    QCOMPARE(process.readAllStandardOutput(), out);
}

QTEST_MAIN(tst_desktop)
#include "tst_desktop.moc"
