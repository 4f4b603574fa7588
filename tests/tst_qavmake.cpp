// SPDX-License-Identifier: MIT

#include <QProcess>
#include <QPushButton>
#include <QTest>

#include "pathrules.h"
#include "testsupport.h"

// qavmake run as a user runs it: arguments in, files, output and exit code out.
class tst_qavmake : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_cwd = std::make_unique<WorkingDirectory>(); }
    void cleanup() { m_cwd.reset(); }

    void sameMissionAsTheWindow_data();
    void sameMissionAsTheWindow();
    void writesWhereTheProjectSays();
    void entryAndCheck();
    void failures_data();
    void failures();
    void oneFailureDoesNotStopTheOthers();
    void helpAndVersion();

private:
    struct Run
    {
        int exitCode;
        QByteArray out;
        QByteArray err;
    };
    static Run run(const QStringList &arguments);
    static QString project(const char *name) { return QStringLiteral(QAV_FIXTURES "/%1").arg(name); }

    std::unique_ptr<WorkingDirectory> m_cwd;
};

tst_qavmake::Run tst_qavmake::run(const QStringList &arguments)
{
    QProcess process;
    // Nothing from a display or a Qt setting may be needed.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        env.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(QAVMAKE), arguments);
    if (!process.waitForFinished(60000))
        qFatal("qavmake did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

void tst_qavmake::sameMissionAsTheWindow_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("every field filled") << fixture("filled.mfc");
    QTest::newRow("every step left out") << fixture("omitted.mfc");
    QTest::newRow("hand-made Windows file")
            << QByteArray("[SETTINGS]\r\nfilename=hand\r\nlabel=\"Caf\xe9\"\r\nDOmmit=No\r\n"
                          "SOmmit=No\r\n[Launch]\r\nBase=a:b\r\n[Docking]\r\nCmdClearance=Yes\r\n"
                          "[Synchronizing]\r\nReference=ISS\r\nCompleteAt=4\r\n");
    QTest::newRow("escaped markup")
            << QByteArray("[Settings]\r\nFileName=esc\r\nLndOmmit=No\r\n[Ascent]\r\nLabel=<a&b>\r\n"
                          "[Landing]\r\nHoverPad=1 >\r\n");
}

void tst_qavmake::sameMissionAsTheWindow()
{
    QFETCH(QByteArray, file);
    m_cwd->write("p.mfc", file);
    QVERIFY(QDir().mkdir("window"));
    QVERIFY(QDir().mkdir("batch"));

    Editor editor;
    editor.dialog().answer = m_cwd->filePath("p.mfc");
    editor.find<QPushButton>("cmdOpen")->click();
    editor.set("txtDirectory", "window");
    editor.makeMission();
    QCOMPARE(editor.errors().texts, QStringList());

    const Run result = run({"--out", "batch", "p.mfc"});
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(result.exitCode, 0);
    const QString name = editor.text("txtFileName") + ".qav";
    const QByteArray mission = m_cwd->read("window/" + name);
    QVERIFY(mission.startsWith("<?xml"));
    QCOMPARE(m_cwd->read("batch/" + name), mission);
}

void tst_qavmake::writesWhereTheProjectSays()
{
    QVERIFY(QDir().mkdir("Dir"));
    const Run result = run({project("filled.mfc")});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(m_cwd->read("Dir/filled.qav"), fixture("filled.qav"));
    QVERIFY(!QFile::exists("settings.dat"));
    QVERIFY(!QFile::exists("mfc"));
}

void tst_qavmake::entryAndCheck()
{
    const Run result = run({"--check", "--entry", project("filled.mfc"), project("omitted.mfc")});
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QByteArray("<Entry>\r\n\t<Label>Mission</Label>\r\n\t<XQAV>filled.qav</XQAV>"
                                     "\r\n</Entry>\r\n<Entry>\r\n\t<Label></Label>\r\n\t<XQAV>m1.qav"
                                     "</XQAV>\r\n</Entry>\r\n"));
    QCOMPARE(QDir().entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void tst_qavmake::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("no project") << QStringList{} << 2 << "qavmake: no project file given";
    QTest::newRow("unknown option") << QStringList{"--fast", "p.mfc"} << 2
                                    << "qavmake: Unknown option 'fast'.";
    QTest::newRow("out without a folder") << QStringList{"--out"} << 2
                                          << "qavmake: Missing value after '--out'.";
    QTest::newRow("missing project") << QStringList{"gone.mfc"} << 1
                                     << "qavmake: gone.mfc: Could not read the project file: gone.mfc";
    QTest::newRow("project is a folder") << QStringList{"folder.mfc"} << 1
                                         << "qavmake: folder.mfc: Could not read the project file:";
    QTest::newRow("no file name") << QStringList{"nameless.mfc"} << 1
                                  << "qavmake: nameless.mfc: The mission has no file name.";
    QTest::newRow("character outside the code page")
            << QStringList{"omega.mfc"} << 1
            << "qavmake: omega.mfc: The field \"Label\" on the tab \"1 - Launch\" holds the "
               "character \"\u03a9\" (U+03A9)";
    QTest::newRow("missing mission folder") << QStringList{"--out", "nowhere", "good.mfc"} << 1
                                            << "qavmake: good.mfc: Could not write the mission file: nowhere";
    QTest::newRow("check finds the same")
            << QStringList{"--check", "nameless.mfc"} << 1
            << "qavmake: nameless.mfc: The mission has no file name.";
}

void tst_qavmake::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QVERIFY(QDir().mkdir("folder.mfc"));
    m_cwd->write("nameless.mfc", "[Launch]\r\nLabel=x\r\n");
    m_cwd->write("good.mfc", "[Settings]\r\nFileName=good\r\n");
    // UTF-16 lets a project hold a character the 8-bit code page cannot.
    QByteArray omega("\xFF\xFE");
    for (QChar c : QString::fromUtf8("[Settings]\r\nFileName=o\r\n[Launch]\r\nLabel=\u03a9\r\n"))
        omega += char(c.unicode() & 0xFF), omega += char(c.unicode() >> 8);
    m_cwd->write("omega.mfc", omega);

    const Run result = run(arguments);
    QCOMPARE(result.exitCode, exitCode);
    const QString err = QString::fromUtf8(result.err);
    QVERIFY2(err.startsWith(message), qPrintable(err));
    if (exitCode == 1) {
        QCOMPARE(err.count('\n'), 1);
        QCOMPARE(result.out, QByteArray());
    }
    QVERIFY(!QFile::exists("o.qav") && !QFile::exists("nowhere"));
}

void tst_qavmake::oneFailureDoesNotStopTheOthers()
{
    QVERIFY(QDir().mkdir("out"));
    const Run result = run({"--out", "out", "gone.mfc", project("filled.mfc")});
    QCOMPARE(result.exitCode, 1);
    QVERIFY(result.err.startsWith("qavmake: gone.mfc: "));
    QCOMPARE(m_cwd->read("out/filled.qav"), fixture("filled.qav"));
}

void tst_qavmake::helpAndVersion()
{
    const Run help = run({"--help"});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains("PROJECT.mfc..."));
    QVERIFY(help.out.contains("--out <dir>"));
    QVERIFY(help.out.contains("--entry"));
    QVERIFY(help.out.contains("--check"));
    const Run version = run({"--version"});
    QCOMPARE(version.exitCode, 0);
    QVERIFY(version.out.startsWith("qavmake "));
}

QTEST_MAIN(tst_qavmake)
#include "tst_qavmake.moc"
