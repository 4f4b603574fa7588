// SPDX-License-Identifier: MIT

#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "pathrules.h"
#include "testsupport.h"

// qavmake run as a user runs it: arguments in, files, output and exit code out.
class tst_qavmake : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_cwd = std::make_unique<WorkingDirectory>(); }
    // Qt cannot name the file whose name is not UTF-8, so it would stay behind.
    void cleanup()
    {
        ::unlink("caf\xe9.mfc");
        m_cwd.reset();
    }

    void sameMissionAsTheWindow_data();
    void sameMissionAsTheWindow();
    void writesWhereTheProjectSays();
    void entryAndCheck();
    void failures_data();
    void failures();
    void oneFailureDoesNotStopTheOthers();
    void writesAgainWhatItWroteBefore_data();
    void writesAgainWhatItWroteBefore();
    void helpAndVersion();

private:
    struct Run
    {
        int exitCode;
        QByteArray out;
        QByteArray err;
    };
    // Standard output goes to /dev/full with "full", is closed with "closed". An argument
    // "printf:FORMAT" is the bytes printf makes of FORMAT, which need not be UTF-8.
    static Run run(const QStringList &arguments, const QString &output = {});
    static QString project(const char *name)
    {
        return QStringLiteral(QAV_FIXTURES "/%1").arg(name);
    }

    std::unique_ptr<WorkingDirectory> m_cwd;
};

tst_qavmake::Run tst_qavmake::run(const QStringList &arguments, const QString &output)
{
    QProcess process;
    // Nothing from a display or a Qt setting may be needed.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        env.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(env);
    if (output == "full")
        process.setStandardOutputFile("/dev/full");
    // The program itself must cope with a file size limit and a closed pipe, so the signals
    // they raise come to it as they would from a shell.
    const bool closed = output == "closed", gone = output == "gone";
    process.setChildProcessModifier([closed, gone] {
        std::signal(SIGXFSZ, SIG_DFL);
        std::signal(SIGPIPE, SIG_DFL);
        if (closed)
            ::close(STDOUT_FILENO);
        // A pipe whose reader went away.
        int ends[2];
        if (gone && ::pipe(ends) == 0) {
            ::close(ends[0]);
            ::dup2(ends[1], STDOUT_FILENO);
            ::close(ends[1]);
        }
    });
    // The shell hands on bytes that QProcess would have to take as text.
    QString script = "exec \"$0\"";
    QStringList shellArguments{QStringLiteral(QAVMAKE)};
    for (const QString &argument : arguments) {
        const bool bytes = argument.startsWith("printf:");
        shellArguments.append(bytes ? argument.mid(7) : argument);
        const QString n = QString::number(shellArguments.size() - 1);
        script += bytes ? " \"$(printf \"${" + n + "}\")\"" : " \"${" + n + "}\"";
    }
    process.start("/bin/sh", QStringList{"-c", script} + shellArguments);
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
    QCOMPARE(result.out,
             QByteArray("<Entry>\r\n\t<Label>Mission</Label>\r\n\t<XQAV>filled.qav</XQAV>"
                        "\r\n</Entry>\r\n<Entry>\r\n\t<Label></Label>\r\n\t<XQAV>m1.qav"
                        "</XQAV>\r\n</Entry>\r\n"));
    QCOMPARE(QDir().entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void tst_qavmake::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("faults");
    // Where standard output goes: "" (read), "full", "closed" or "gone" (a pipe whose reader
    // went away).
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QStringList>("written");

    const QStringList none;
    const QStringList mission{"out/m1.qav"};
    const QString tryHelp = "\nTry 'qavmake --help'.\n";
    const QString cannotHold = ", which the files the program writes cannot hold\n";
    const QByteArray entry =
            "<Entry>\r\n\t<Label></Label>\r\n\t<XQAV>m1.qav</XQAV>\r\n</Entry>\r\n";
    const auto row = [&](const char *tag, const QStringList &arguments, const QStringList &faults,
                         int exitCode, const QString &err, const QStringList &written = {}) {
        QTest::newRow(tag) << arguments << faults << QString() << exitCode << err << QByteArray()
                           << written;
    };

    row("no project", {}, none, 2, "qavmake: no project file given" + tryHelp);
    row("unknown option", {"--fast", "good.mfc"}, none, 2,
        "qavmake: Unknown option 'fast'." + tryHelp);
    row("out without a folder", {"--out"}, none, 2,
        "qavmake: Missing value after '--out'." + tryHelp);
    row("empty out folder", {"--out", "", "good.mfc"}, none, 2,
        "qavmake: --out needs a folder" + tryHelp);
    row("missing project", {"gone.mfc"}, none, 1, "qavmake: gone.mfc: No such file or directory\n");
    row("project is a folder", {"p.mfc"}, {"folder:p.mfc"}, 1, "qavmake: p.mfc: Is a directory\n");
    row("project is a named pipe", {"p.mfc"}, {"fifo:p.mfc"}, 1,
        "qavmake: p.mfc: Not a regular file (a named pipe)\n");
    row("project is an endless device", {"/dev/zero"}, none, 1,
        "qavmake: /dev/zero: Not a regular file (a device)\n");
    row("project is a full device", {"/dev/full"}, none, 1,
        "qavmake: /dev/full: Not a regular file (a device)\n");
    row("project links to an endless device", {"p.mfc"}, {"link:p.mfc=/dev/zero"}, 1,
        "qavmake: p.mfc: Not a regular file (a device)\n");
    row("project of three gigabytes", {"p.mfc"}, {"sparse:p.mfc=3000000000"}, 1,
        "qavmake: p.mfc: too large to be a project file\n");
    row("project named like an option of Qt's", {"--", "-stylesheet"}, {"fifo:-stylesheet"}, 1,
        "qavmake: -stylesheet: Not a regular file (a named pipe)\n");
    row("project name with a line separator", {"a\u2028b.mfc"}, none, 1,
        "qavmake: a\\u2028b.mfc: No such file or directory\n");
    row("project name with control characters", {"a\x1b[31mb\n.mfc"}, none, 1,
        "qavmake: a\\x1b[31mb\\n.mfc: No such file or directory\n");
    row("project name that is not UTF-8", {"printf:caf\\351.mfc"}, none, 0, "", mission);
    row("missing project named in bytes that are not UTF-8", {"printf:gone\\351.mfc"}, none, 1,
        "qavmake: gone\\xe9.mfc: No such file or directory\n");
    row("no file name", {"nameless.mfc"}, none, 1,
        "qavmake: nameless.mfc: the project has no FileName\n");
    row("checked the same way", {"--check", "nameless.mfc"}, none, 1,
        "qavmake: nameless.mfc: the project has no FileName\n");
    row("no directory", {"nodir.mfc"}, none, 1,
        "qavmake: nodir.mfc: the project has no Directory\n");
    row("no directory needed with out", {"--out", "out", "nodir.mfc"}, none, 0, "", mission);
    row("file name leaving the out folder", {"--out", "out", "escape.mfc"}, none, 1,
        "qavmake: escape.mfc: with --out, FileName must be a plain file name, not "
        "\"../escaped\"\n");
    row("file name that is a folder's", {"--out", "out", "dots.mfc"}, none, 1,
        "qavmake: dots.mfc: with --out, FileName must be a plain file name, not \"..\"\n");
    row("NUL in the file name", {"nul.mfc"}, none, 1,
        "qavmake: nul.mfc: the key \"FileName\" in section \"Settings\" holds the character "
        "U+0000" + cannotHold);
    row("NUL in the directory", {"nuldir.mfc"}, none, 1,
        "qavmake: nuldir.mfc: the key \"Directory\" in section \"Settings\" holds the character "
        "U+0000" + cannotHold);
    row("control character in a list", {"control.mfc"}, none, 1,
        "qavmake: control.mfc: part 2 of 3 of the key \"Base\" in section \"Launch\" holds the "
        "character U+0001"
                + cannotHold);
    row("character outside the code page", {"omega.mfc"}, none, 1,
        "qavmake: omega.mfc: the key \"Label\" in section \"Launch\" holds the character "
        "\"\u03a9\" (U+03A9)"
                + cannotHold);
    row("missing mission folder", {"--out", "nowhere", "good.mfc"}, none, 1,
        "qavmake: good.mfc: could not write the mission file nowhere/m1.qav: No such file or "
        "directory\n");
    row("mission file is a folder", {"good.mfc"}, {"folder:out/m1.qav"}, 1,
        "qavmake: good.mfc: could not write the mission file out/m1.qav: Is a directory\n");
    row("mission file links to a device", {"good.mfc"}, {"link:out/m1.qav=/dev/null"}, 1,
        "qavmake: good.mfc: could not write the mission file out/m1.qav: Not a regular file (a "
        "device)\n");
    row("file size limit", {"good.mfc"}, {"fsize:1000"}, 1,
        "qavmake: good.mfc: could not write the mission file out/m1.qav: File too large\n");
    row("full disk", {"good.mfc"}, {"full:out"}, 1,
        "qavmake: good.mfc: could not write the mission file out/m1.qav: No space left on "
        "device\n");
    row("disk full but for a block", {"good.mfc"}, {"full:out=4096"}, 1,
        "qavmake: good.mfc: could not write the mission file out/m1.qav: No space left on "
        "device\n");
    row("read-only older mission", {"good.mfc"}, {"readonly:out/m1.qav"}, 1,
        "qavmake: good.mfc: could not write the mission file out/m1.qav: Permission denied\n");
    row("read-only mission folder", {"good.mfc"}, {"readonly:out"}, 1,
        "qavmake: good.mfc: could not write the mission file out/m1.qav: Permission denied\n");
    row("same mission twice", {"good.mfc", "twin.mfc"}, none, 1,
        "qavmake: twin.mfc: the mission file out/m1.qav was already written in this run for "
        "good.mfc\n",
        mission);
    row("same project twice, checked", {"--check", "good.mfc", "./good.mfc"}, none, 1,
        "qavmake: ./good.mfc: the mission file out/m1.qav was already written in this run for "
        "good.mfc\n");
    row("mission over a second name of one written", {"h1.mfc", "h2.mfc"},
        {"file:out/a.qav=older", "hardlink:out/b.qav=out/a.qav"}, 1,
        "qavmake: h2.mfc: the mission file out/b.qav was already written in this run for "
        "h1.mfc\n",
        {"out/a.qav"});
    row("mission over a project given later", {"first.mfc", "second.qav"}, none, 1,
        "qavmake: first.mfc: the mission file ./second.qav is the project file second.qav of "
        "this run; nothing was written\n",
        mission);
    row("mission would replace its own project", {"self.qav"}, none, 1,
        "qavmake: self.qav: the mission file ./self.qav is this project file; nothing was "
        "written\n");

    QTest::newRow("entry only for a mission written")
            << QStringList{"--entry", "--out", "nowhere", "good.mfc"} << none << QString() << 1
            << "qavmake: good.mfc: could not write the mission file nowhere/m1.qav: No such file "
               "or directory\n"
            << QByteArray() << none;
    QTest::newRow("entries of the missions written")
            << QStringList{"--entry", "good.mfc", "gone.mfc", "twin.mfc"} << none << QString() << 1
            << "qavmake: gone.mfc: No such file or directory\nqavmake: twin.mfc: the mission file "
               "out/m1.qav was already written in this run for good.mfc\n"
            << entry << mission;
    QTest::newRow("standard output full")
            << QStringList{"--entry", "good.mfc"} << none << "full" << 1
            << "qavmake: standard output: No space left on device\n"
            << QByteArray() << mission;
    QTest::newRow("standard output a pipe no one reads")
            << QStringList{"--entry", "good.mfc"} << none << "gone" << 1
            << "qavmake: standard output: Broken pipe\n"
            << QByteArray() << mission;
    QTest::newRow("standard output closed")
            << QStringList{"--entry", "good.mfc"} << none << "closed" << 1
            << "qavmake: standard output: Bad file descriptor\n"
            << QByteArray() << mission;
    QTest::newRow("help to a full output") << QStringList{"--help"} << none << "full" << 1
                                           << "qavmake: standard output: No space left on device\n"
                                           << QByteArray() << none;
}

// Each failure is one line; every older file stays as it was and no other file appears.
void tst_qavmake::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, faults);
    QFETCH(QString, output);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    QFETCH(QByteArray, out);
    QFETCH(QStringList, written);

    const auto project = [](const QByteArray &settings, const QByteArray &launch = {}) {
        return "[Settings]\r\n" + settings + "\r\n[Launch]\r\n" + launch + "\r\n";
    };
    m_cwd->write("out/m1.qav", "older mission");
    // A mission of more than two blocks of a file system.
    m_cwd->write("good.mfc",
                 project("Directory=out\r\nFileName=m1", "Label=" + QByteArray(8000, 'x')));
    m_cwd->write("twin.mfc", project("Directory=out\r\nFileName=m1\r\nLabel=twin"));
    m_cwd->write("nameless.mfc", project("Directory=out"));
    m_cwd->write("nodir.mfc", project("FileName=m1"));
    m_cwd->write("escape.mfc", project("Directory=out\r\nFileName=../escaped"));
    m_cwd->write("dots.mfc", project("Directory=out\r\nFileName=.."));
    const char nul[] = "Directory=out\r\nFileName=m1\0x";
    m_cwd->write("nul.mfc", project(QByteArray(nul, sizeof nul - 1)));
    const char nulDirectory[] = "Directory=out\0\r\nFileName=m1";
    m_cwd->write("nuldir.mfc", project(QByteArray(nulDirectory, sizeof nulDirectory - 1)));
    m_cwd->write("control.mfc", project("Directory=out\r\nFileName=m1", "Base=a:b\x01:c"));
    m_cwd->write("self.qav", project("Directory=.\r\nFileName=self"));
    m_cwd->write("h1.mfc", project("Directory=out\r\nFileName=a"));
    m_cwd->write("h2.mfc", project("Directory=out\r\nFileName=b"));
    m_cwd->write("first.mfc", project("Directory=.\r\nFileName=second"));
    m_cwd->write("second.qav", project("Directory=out\r\nFileName=m1"));
    QByteArray omega("\xFF\xFE");
    for (QChar c :
         QString("[Settings]\r\nDirectory=out\r\nFileName=m1\r\n[Launch]\r\nLabel=\u03a9"))
        omega += char(c.unicode() & 0xFF), omega += char(c.unicode() >> 8);
    m_cwd->write("omega.mfc", omega);
    // A name in bytes that are not UTF-8, made without any of the program's name rules.
    const QByteArray good = m_cwd->read("good.mfc");
    const int fd = ::open("caf\xe9.mfc", O_WRONLY | O_CREAT | O_EXCL, 0644);
    QVERIFY(fd >= 0 && ::write(fd, good.constData(), std::size_t(good.size())) == good.size());
    ::close(fd);

    Faults made(m_cwd->path());
    QString skip;
    if (!made.apply(faults, &skip))
        QSKIP(qPrintable(skip));
    const QMap<QString, QByteArray> before = snapshot(m_cwd->path());
    const Run result = run(arguments, output);
    const QMap<QString, QByteArray> after = snapshot(m_cwd->path());

    QCOMPARE(QString::fromUtf8(result.err), err);
    QCOMPARE(result.out, out);
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(changes(before, after), written);
}

void tst_qavmake::oneFailureDoesNotStopTheOthers()
{
    QVERIFY(QDir().mkdir("out"));
    const Run result = run({"--out", "out", "gone.mfc", project("filled.mfc")});
    QCOMPARE(result.exitCode, 1);
    QVERIFY(result.err.startsWith("qavmake: gone.mfc: "));
    QCOMPARE(m_cwd->read("out/filled.qav"), fixture("filled.qav"));
}

void tst_qavmake::writesAgainWhatItWroteBefore_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<QString>("mission"); // the file that takes the mission

    const QStringList older{"folder:real", "file:real/m1.qav=older"};
    QTest::newRow("a file of its own")
            << "m1" << QStringList{"file:out/m1.qav=older"} << "out/m1.qav";
    QTest::newRow("through a link the user made")
            << "m1" << older + QStringList{"link:out/m1.qav=%cwd%/real/m1.qav"} << "real/m1.qav";
    QTest::newRow("through a relative link")
            << "m1" << older + QStringList{"link:out/m1.qav=../real/m1.qav"} << "real/m1.qav";
    QTest::newRow("a name at the system's limit")
            << QString(251, 'n') << QStringList{} << "out/" + QString(251, 'n') + ".qav";
}

// A mission made once can be made again; a link stays a link, and a file keeps its mode.
void tst_qavmake::writesAgainWhatItWroteBefore()
{
    QFETCH(QString, fileName);
    QFETCH(QStringList, faults);
    QFETCH(QString, mission);
    QVERIFY(QDir().mkdir("out"));
    m_cwd->write("p.mfc", "[Settings]\r\nDirectory=out\r\nFileName=" + fileName.toLatin1());
    Faults made(m_cwd->path());
    QString skip;
    QVERIFY(made.apply(faults.replaceInStrings("%cwd%", m_cwd->path()), &skip));
    const bool older = QFile::exists(mission);
    if (older)
        QVERIFY(::chmod(QFile::encodeName(mission).constData(), 0600) == 0);
    const QMap<QString, QByteArray> before = snapshot(m_cwd->path());

    for (int run = 0; run < 2; ++run) {
        const Run result = this->run({"p.mfc"});
        QCOMPARE(result.err, QByteArray());
        QCOMPARE(result.exitCode, 0);
    }
    QCOMPARE(changes(before, snapshot(m_cwd->path())), QStringList{mission});
    QCOMPARE(m_cwd->read(mission).count("\r\n"), 43); // no flag "No": every step left out
    struct stat info;
    QVERIFY(::stat(QFile::encodeName(mission).constData(), &info) == 0);
    if (older)
        QCOMPARE(info.st_mode & 0777, 0600u);
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
