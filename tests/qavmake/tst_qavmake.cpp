// SPDX-License-Identifier: MIT

#include <QProcess>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "testsupport.h"

using namespace Qt::StringLiterals;

// qavmake run as a user runs it: arguments in, files, output and exit code out.
class tst_qavmake : public QObject
{
    Q_OBJECT

    // Standard output goes to /dev/full with "full", is closed with "closed", and is a pipe
    // whose reader went away with "gone". An argument "printf:FORMAT" is the bytes printf
    // makes of FORMAT, which need not be UTF-8.
    static Run run(const QStringList &arguments, const QString &output = {})
    {
        QProcess process;
        // Nothing from a display or a Qt setting may be needed.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name :
             {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
            env.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(env);
        if (output == "full")
            process.setStandardOutputFile("/dev/full");
        // The program itself must cope with a file size limit and a closed pipe, so the
        // signals they raise come to it as they would from a shell.
        const bool closed = output == "closed", gone = output == "gone";
        process.setChildProcessModifier([closed, gone] {
            std::signal(SIGXFSZ, SIG_DFL);
            std::signal(SIGPIPE, SIG_DFL);
            if (closed)
                ::close(STDOUT_FILENO);
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
        return finished(process);
    }

private slots:
    void init() { m_cwd = std::make_unique<WorkingDirectory>(); }
    // Qt cannot name the file whose name is not UTF-8, so it would stay behind.
    void cleanup()
    {
        ::unlink("caf\xe9.mfc");
        m_cwd.reset();
    }

    // The editor loads the project and makes the mission of the fixtures; qavmake makes the same.
    void sameMissionAsTheEditor()
    {
        QVERIFY(QDir().mkdir("editor") && QDir().mkdir("batch"));
        Core editor;
        editor.edit({"load=" + fixturePath("filled.mfc"), "txtDirectory=editor"});
        QCOMPARE(editor.form.cmdMakeMission_Click(), QString());
        QCOMPARE(m_cwd->read("editor/filled.qav"), fixture("filled.qav"));
        const Run result = run({"--out", "batch", fixturePath("filled.mfc")});
        QCOMPARE(result.err + result.out + QByteArray::number(result.exitCode), "0");
        QCOMPARE(m_cwd->read("batch/filled.qav"), fixture("filled.qav"));
    }

    void failures_data()
    {
        // output: where standard output goes, "" (read), "full", "closed" or "gone"
        columns<QStringList, QStringList, QString, int, QString, QByteArray, QStringList>(
                {"arguments", "faults", "output", "exitCode", "err", "out", "written"});
        // clang-format off
        const QStringList mission{"out/m1.qav"};
        const QString latin1 = "locale:fr_FR.ISO-8859-1";
        const QString tryHelp = "\nTry 'qavmake --help'.\n", cannotHold = ", which the files the program writes cannot hold\n";
        const QByteArray entry = "<Entry>\r\n\t<Label></Label>\r\n\t<XQAV>m1.qav</XQAV>\r\n</Entry>\r\n";
        const auto row = [](const char *tag, const QStringList &arguments, const QStringList &faults, int exitCode, const QString &err,
                            const QStringList &written = {}, const QByteArray &out = {}, const QString &output = {}) {
            QTest::newRow(tag) << arguments << faults << output << exitCode << err << out << written;
        };
        const auto unwritten = [&row](const char *tag, const QStringList &arguments, const QStringList &faults, const QString &reason) {
            row(tag, arguments, faults, 1, "qavmake: good.mfc: could not write the mission file " + reason + '\n');
        };
        row("written where the project says", {"good.mfc"}, {}, 0, "", mission);
        row("checked, entry printed", {"--check", "--entry", "good.mfc"}, {}, 0, "qavmake: good.mfc: no Orbiter installation found above out\n", {}, entry);
        row("no project", {}, {}, 2, "qavmake: no project file given" + tryHelp);
        row("unknown option", {"--fast", "good.mfc"}, {}, 2, "qavmake: Unknown option 'fast'." + tryHelp);
        row("out without a folder", {"--out"}, {}, 2, "qavmake: Missing value after '--out'." + tryHelp);
        row("empty out folder", {"--out", "", "good.mfc"}, {}, 2, "qavmake: --out needs a folder" + tryHelp);
        row("missing project", {"gone.mfc"}, {}, 1, "qavmake: gone.mfc: No such file or directory\n");
        row("one failure does not stop the others", {"gone.mfc", "good.mfc"}, {}, 1, "qavmake: gone.mfc: No such file or directory\n", mission);
        row("project is a folder", {"p.mfc"}, {"folder:p.mfc"}, 1, "qavmake: p.mfc: Is a directory\n");
        row("project is a named pipe", {"p.mfc"}, {"fifo:p.mfc"}, 1, "qavmake: p.mfc: Not a regular file (a named pipe)\n");
        row("project is an endless device", {"/dev/zero"}, {}, 1, "qavmake: /dev/zero: Not a regular file (a device)\n");
        row("project is a full device", {"/dev/full"}, {}, 1, "qavmake: /dev/full: Not a regular file (a device)\n");
        row("project links to an endless device", {"p.mfc"}, {"link:p.mfc=/dev/zero"}, 1, "qavmake: p.mfc: Not a regular file (a device)\n");
        row("project of three gigabytes", {"p.mfc"}, {"sparse:p.mfc=3000000000"}, 1, "qavmake: p.mfc: too large to be a project file\n");
        row("project named like an option of Qt's", {"--", "-stylesheet"}, {"fifo:-stylesheet"}, 1, "qavmake: -stylesheet: Not a regular file (a named pipe)\n");
        row("project name with a line separator", {"a\u2028b.mfc"}, {}, 1, "qavmake: a\\u2028b.mfc: No such file or directory\n");
        row("project name with control characters", {"a\x1b[31mb\n.mfc"}, {}, 1, "qavmake: a\\x1b[31mb\\n.mfc: No such file or directory\n");
        row("project name that is not UTF-8", {"printf:caf\\351.mfc"}, {}, 0, "", mission);
        row("missing project named in bytes that are not UTF-8", {"printf:gone\\351.mfc"}, {}, 1, "qavmake: gone\\xe9.mfc: No such file or directory\n");
        row("no file name", {"nameless.mfc"}, {}, 1, "qavmake: nameless.mfc: the project has no FileName\n");
        row("checked the same way", {"--check", "nameless.mfc"}, {}, 1, "qavmake: nameless.mfc: no Orbiter installation found above out\nqavmake: nameless.mfc: the project has no FileName\n");
        row("no directory", {"nodir.mfc"}, {}, 1, "qavmake: nodir.mfc: the project has no Directory\n");
        row("no directory, checked: nothing to look above", {"--check", "nodir.mfc"}, {}, 1, "qavmake: nodir.mfc: the project has no Directory\n");
        row("no directory needed with out", {"--out", "out", "nodir.mfc"}, {}, 0, "", mission);
        row("file name leaving the out folder", {"--out", "out", "escape.mfc"}, {}, 1, "qavmake: escape.mfc: with --out, FileName must be a plain file name, not \"../escaped\"\n");
        row("file name that is a folder's", {"--out", "out", "dots.mfc"}, {}, 1, "qavmake: dots.mfc: with --out, FileName must be a plain file name, not \"..\"\n");
        row("NUL in the file name", {"nul.mfc"}, {}, 1, "qavmake: nul.mfc: the key \"FileName\" in section \"Settings\" holds the character U+0000" + cannotHold);
        row("NUL in the directory", {"nuldir.mfc"}, {}, 1, "qavmake: nuldir.mfc: the key \"Directory\" in section \"Settings\" holds the character U+0000" + cannotHold);
        row("control character in a list", {"control.mfc"}, {}, 1, "qavmake: control.mfc: part 2 of 3 of the key \"Base\" in section \"Launch\" holds the character U+0001" + cannotHold);
        row("character outside the code page", {"omega.mfc"}, {}, 1, "qavmake: omega.mfc: the key \"Label\" in section \"Launch\" holds the character \"\u03a9\" (U+03A9)" + cannotHold);
        unwritten("missing mission folder", {"--out", "nowhere", "good.mfc"}, {}, "nowhere/m1.qav: No such file or directory");
        unwritten("mission file is a folder", {"good.mfc"}, {"folder:out/m1.qav"}, "out/m1.qav: Is a directory");
        unwritten("mission file links to a device", {"good.mfc"}, {"link:out/m1.qav=/dev/null"}, "out/m1.qav: Not a regular file (a device)");
        unwritten("file size limit", {"good.mfc"}, {"fsize:1000"}, "out/m1.qav: File too large");
        unwritten("full disk", {"good.mfc"}, {"full:out"}, "out/m1.qav: No space left on device");
        unwritten("disk full but for a block", {"good.mfc"}, {"full:out=4096"}, "out/m1.qav: No space left on device");
        unwritten("read-only older mission", {"good.mfc"}, {"readonly:out/m1.qav"}, "out/m1.qav: Permission denied");
        unwritten("read-only mission folder", {"good.mfc"}, {"readonly:out"}, "out/m1.qav: Permission denied");
        row("same mission twice", {"good.mfc", "twin.mfc"}, {}, 1, "qavmake: twin.mfc: the mission file out/m1.qav was already written in this run for good.mfc\n", mission);
        row("same project twice, checked", {"--check", "good.mfc", "./good.mfc"}, {}, 1, "qavmake: good.mfc: no Orbiter installation found above out\nqavmake: ./good.mfc: the mission file out/m1.qav is named also by good.mfc\n");
        row("two projects of one mission, checked", {"--check", "good.mfc", "twin.mfc"}, {}, 1, "qavmake: good.mfc: no Orbiter installation found above out\nqavmake: twin.mfc: the mission file out/m1.qav is named also by good.mfc\n");
        row("two projects of one mission through a link, checked", {"--check", "h1.mfc", "h2.mfc"}, {"link:out/b.qav=a.qav"}, 1, "qavmake: h1.mfc: no Orbiter installation found above out\nqavmake: h2.mfc: the mission file out/b.qav is named also by h1.mfc\n");
        row("mission through a link to one written", {"h1.mfc", "h2.mfc"}, {"link:out/b.qav=a.qav"}, 1, "qavmake: h2.mfc: the mission file out/b.qav was already written in this run for h1.mfc\n", {"out/a.qav"});
        // Once replaced, the older file is no mission of this run; its other name is written on its own.
        row("mission over a second name of one replaced", {"h1.mfc", "h2.mfc"}, {"file:out/a.qav=older", "hardlink:out/b.qav=out/a.qav"}, 0, "", {"out/a.qav", "out/b.qav"});
        row("mission over a project given later", {"first.mfc", "second.qav"}, {}, 1, "qavmake: first.mfc: the mission file ./second.qav is the project file second.qav of this run; nothing was written\n", mission);
        row("mission would replace its own project", {"self.qav"}, {}, 1, "qavmake: self.qav: the mission file ./self.qav is this project file; nothing was written\n");
        row("entry only for a mission written", {"--entry", "--out", "nowhere", "good.mfc"}, {}, 1, "qavmake: good.mfc: could not write the mission file nowhere/m1.qav: No such file or directory\n");
        row("entries of the missions written", {"--entry", "good.mfc", "gone.mfc", "twin.mfc"}, {}, 1, "qavmake: gone.mfc: No such file or directory\nqavmake: twin.mfc: the mission file out/m1.qav was already written in this run for good.mfc\n", mission, entry);
        row("standard output full", {"--entry", "good.mfc"}, {}, 1, "qavmake: standard output: No space left on device\n", mission, {}, "full");
        row("standard output a pipe no one reads", {"--entry", "good.mfc"}, {}, 1, "qavmake: standard output: Broken pipe\n", mission, {}, "gone");
        row("standard output closed", {"--entry", "good.mfc"}, {}, 1, "qavmake: standard output: Bad file descriptor\n", mission, {}, "closed");
        row("help to a full output", {"--help"}, {}, 1, "qavmake: standard output: No space left on device\n", {}, {}, "full");
        row("all the help to a full output", {"--help-all"}, {}, 1, "qavmake: standard output: No space left on device\n", {}, {}, "full");
        row("system's reason in the locale's 8-bit encoding", {"/proc/self/mem"}, {latin1}, 1, "qavmake: /proc/self/mem: Erreur d'entr\u00e9e/sortie\n");
        row("standard output full, reason in the locale's 8-bit encoding", {"--entry", "good.mfc"}, {latin1}, 1, "qavmake: standard output: Aucun espace disponible sur le p\u00e9riph\u00e9rique\n", mission, {}, "full");
        // clang-format on
    }

    // Each failure is one line; every older file stays as it was and no other file appears.
    void failures()
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
        // clang-format off
        for (const auto &[name, bytes] : std::initializer_list<std::pair<QString, QByteArray>>{
                 {"out/m1.qav", "older mission"},
                 // A mission of more than two blocks of a file system.
                 {"good.mfc", project("Directory=out\r\nFileName=m1", "Label=" + QByteArray(8000, 'x'))},
                 {"twin.mfc", project("Directory=out\r\nFileName=m1\r\nLabel=twin")},
                 {"nameless.mfc", project("Directory=out")},
                 {"nodir.mfc", project("FileName=m1")},
                 {"escape.mfc", project("Directory=out\r\nFileName=../escaped")},
                 {"dots.mfc", project("Directory=out\r\nFileName=..")},
                 {"nul.mfc", project("Directory=out\r\nFileName=m1\0x"_ba)},
                 {"nuldir.mfc", project("Directory=out\0\r\nFileName=m1"_ba)},
                 {"control.mfc", project("Directory=out\r\nFileName=m1", "Base=a:b\x01:c")},
                 {"self.qav", project("Directory=.\r\nFileName=self")},
                 {"h1.mfc", project("Directory=out\r\nFileName=a")},
                 {"h2.mfc", project("Directory=out\r\nFileName=b")},
                 {"first.mfc", project("Directory=.\r\nFileName=second")},
                 {"second.qav", project("Directory=out\r\nFileName=m1")},
                 {"omega.mfc", utf16("[Settings]\r\nDirectory=out\r\nFileName=m1\r\n[Launch]\r\nLabel=\u03a9")}})
            m_cwd->write(name, bytes);
        // clang-format on
        // A name in bytes that are not UTF-8, made without any of the program's name rules.
        const QByteArray good = m_cwd->read("good.mfc");
        const int fd = ::open("caf\xe9.mfc", O_WRONLY | O_CREAT | O_EXCL, 0644);
        QVERIFY(fd >= 0 && ::write(fd, good.constData(), std::size_t(good.size())) == good.size());
        ::close(fd);

        Faults made(m_cwd->path(), faults);
        if (!made.skipped().isEmpty())
            QSKIP(qPrintable(made.skipped()));
        const QMap<QString, QByteArray> before = snapshot(m_cwd->path());
        const Run result = run(arguments, output);
        QCOMPARE(QString::fromUtf8(result.err), err);
        QCOMPARE(result.out + QByteArray::number(result.exitCode),
                 out + QByteArray::number(exitCode));
        QCOMPARE(changes(before, snapshot(m_cwd->path())), written);
    }

    // A Directory from Windows, "C:\Orbiter\QAV\", names a place in the Wine prefix.
    void windowsDriveThroughWine_data()
    {
        columns<QString, QString>({"prefix", "err"});
        QTest::newRow("the prefix WINEPREFIX names") << "wine"
                                                     << "";
        QTest::newRow("no prefix there") << "gone"
                                         << "qavmake: p.mfc: could not write the mission file "
                                            "C:\\Orbiter\\QAV\\/m1.qav: no Wine prefix at "
                                            "%cwd%/gone (set WINEPREFIX)\n";
    }

    void windowsDriveThroughWine()
    {
        QFETCH(QString, prefix);
        QFETCH(QString, err);
        const QString cwd = m_cwd->path();
        Faults made(cwd,
                    {"folder:wine/drive_c/orbiter/qav", "folder:wine/dosdevices",
                     "link:wine/dosdevices/c:=../drive_c"});
        m_cwd->write("p.mfc", "[Settings]\r\nDirectory=C:\\Orbiter\\QAV\\\r\nFileName=m1\r\n");
        const Environment wine({{"WINEPREFIX", cwd + '/' + prefix}});
        const Run result = run({"p.mfc"});
        QCOMPARE(QString::fromUtf8(result.err), err.replace("%cwd%", cwd));
        QCOMPARE(result.exitCode, err.isEmpty() ? 0 : 1);
        QCOMPARE(m_cwd->read("wine/drive_c/orbiter/qav/m1.qav").count("\r\n"),
                 err.isEmpty() ? 43 : 0);
    }

    void checksNamesAgainstTheInstallation_data()
    {
        // projects: "NAME=BASE", each with the Directory C:\Orbiter\QAV
        columns<QStringList, QStringList, QStringList, int, QString>(
                {"options", "projects", "faults", "exitCode", "err"});
        const QString habanna = "qavmake: a.mfc: the base \"Habanna\" is not on Earth; did you "
                                "mean \"Habana\"?\n";
        const QString huge = "qavmake: C:\\Orbiter\\Config\\earth\\BASE\\Huge.cfg: skipped, "
                             "larger than 4 MiB\n";
        const QStringList both{"a=Habanna", "b=Habana"};
        // clang-format off
        QTest::newRow("a misspelt base") << QStringList{"--check"} << both << QStringList{} << 0 << habanna;
        QTest::newRow("a misspelt base, strict") << QStringList{"--check", "--strict"} << both << QStringList{} << 1 << habanna;
        QTest::newRow("all known, strict") << QStringList{"--check", "--strict"} << QStringList{"b=Habana"} << QStringList{} << 0 << "";
        QTest::newRow("not checked when making") << QStringList{} << both << QStringList{} << 0 << "";
        QTest::newRow("a file skipped, said once") << QStringList{"--check"} << both << QStringList{"sparse:wine/drive_c/Orbiter/Config/earth/BASE/Huge.cfg=5000000"} << 0 << huge + habanna;
        QTest::newRow("no installation, said once") << QStringList{"--check", "--strict"} << both << QStringList{"file:wine/drive_c/Orbiter/Orbiter.exe=x", "folder:wine/drive_c/Orbiter/Orbiter.exe"} << 1
                << "qavmake: a.mfc: no Orbiter installation found above C:\\Orbiter\\QAV\n";
        QTest::newRow("no Wine prefix, said why") << QStringList{"--check"} << QStringList{"b=Habana"} << QStringList{"folder:wine/dosdevices"} << 0
                << "qavmake: b.mfc: no Orbiter installation found above C:\\Orbiter\\QAV: no drive C: in the Wine prefix at %cwd%/wine\n";
        QTest::newRow("strict alone") << QStringList{"--strict"} << both << QStringList{} << 2 << "qavmake: --strict goes with --check\nTry 'qavmake --help'.\n";
        // clang-format on
    }

    void checksNamesAgainstTheInstallation()
    {
        QFETCH(QStringList, options);
        QFETCH(QStringList, projects);
        QFETCH(QStringList, faults);
        QFETCH(int, exitCode);
        QFETCH(QString, err);
        const QString cwd = m_cwd->path();
        writeInstallation(cwd + "/wine/drive_c/Orbiter");
        Faults made(cwd,
                    QStringList{"folder:wine/drive_c/Orbiter/QAV", "folder:wine/dosdevices",
                                "link:wine/dosdevices/c:=../drive_c"}
                            + faults);
        if (!made.skipped().isEmpty())
            QSKIP(qPrintable(made.skipped()));
        QStringList arguments = options;
        for (const QString &project : std::as_const(projects)) {
            const QString name = project.section('=', 0, 0);
            m_cwd->write(name + ".mfc",
                         "[Launch]\r\nBase=Earth:" + project.section('=', 1).toLatin1()
                                 + ":1\r\n[Settings]\r\nDirectory=C:\\Orbiter\\QAV\r\nFileName="
                                 + name.toLatin1() + "\r\n");
            arguments.append(name + ".mfc");
        }
        const Environment wine({{"WINEPREFIX", cwd + "/wine"}});
        const Run result = run(arguments);
        QCOMPARE(QString::fromUtf8(result.err), err.replace("%cwd%", cwd));
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(QFile::exists(cwd + "/wine/drive_c/Orbiter/QAV/a.qav"), options.isEmpty());
    }

    void writesAgainWhatItWroteBefore_data()
    {
        // mission: the file that takes the mission
        columns<QString, QStringList, QString>({"fileName", "faults", "mission"});
        const QStringList older{"folder:real", "file:real/m1.qav=older"};
        // clang-format off
        QTest::newRow("a file of its own") << "m1" << QStringList{"file:out/m1.qav=older"} << "out/m1.qav";
        QTest::newRow("through a link the user made") << "m1" << older + QStringList{"link:out/m1.qav=%cwd%/real/m1.qav"} << "real/m1.qav";
        QTest::newRow("through a relative link") << "m1" << older + QStringList{"link:out/m1.qav=../real/m1.qav"} << "real/m1.qav";
        QTest::newRow("a name at the system's limit") << QString(251, 'n') << QStringList{} << "out/" + QString(251, 'n') + ".qav";
        // clang-format on
    }

    // A mission made once can be made again; a link stays a link, and a file keeps its mode.
    void writesAgainWhatItWroteBefore()
    {
        QFETCH(QString, fileName);
        QFETCH(QStringList, faults);
        QFETCH(QString, mission);
        QVERIFY(QDir().mkdir("out"));
        m_cwd->write("p.mfc", "[Settings]\r\nDirectory=out\r\nFileName=" + fileName.toLatin1());
        Faults made(m_cwd->path(), faults.replaceInStrings("%cwd%", m_cwd->path()));
        const bool older = QFile::exists(mission);
        if (older)
            QVERIFY(::chmod(QFile::encodeName(mission).constData(), 0600) == 0);
        const QMap<QString, QByteArray> before = snapshot(m_cwd->path());
        for (const Run &result : {run({"p.mfc"}), run({"p.mfc"})})
            QCOMPARE(result.err + QByteArray::number(result.exitCode), "0");
        QCOMPARE(changes(before, snapshot(m_cwd->path())), QStringList{mission});
        QCOMPARE(m_cwd->read(mission).count("\r\n"), 43); // no flag "No": every step left out
        struct stat info;
        QVERIFY(::stat(QFile::encodeName(mission).constData(), &info) == 0);
        QVERIFY(!older || (info.st_mode & 0777) == 0600);
    }

    void concurrentRuns_data()
    {
        columns<QStringList, QString>({"options", "suffix"});
        QTest::newRow("missions of projects") << QStringList{"--out", "out"} << "mfc";
        QTest::newRow("projects of missions, replaced")
                << QStringList{"--import", "--force", "--out", "out"} << "qav";
    }

    // Runs at once into one folder, each of the same ten files: the files one run replaces
    // are gone for good, and the system gives their numbers to the next run's new files.
    // Each run refuses only its own repeats.
    void concurrentRuns()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, suffix);
        QVERIFY(QDir().mkdir("out"));
        QStringList files;
        for (int k = 0; k < 10; ++k) {
            const QString name = QString("k%1.").arg(k) + suffix;
            m_cwd->write(
                    name,
                    suffix == "mfc"
                            ? "[Settings]\r\nDirectory=out\r\nFileName=k" + QByteArray::number(k)
                            : QByteArray("<QAV><Step><Processor type=\"Profile\"/></Step></QAV>"));
            files.append(name);
        }
        for (int round = 0; round < 5; ++round) {
            std::vector<std::unique_ptr<QProcess>> runs;
            for (int i = 0; i < 4; ++i) {
                runs.push_back(std::make_unique<QProcess>());
                runs.back()->start(QStringLiteral(QAVMAKE), options + files);
            }
            for (const auto &process : runs)
                process->waitForFinished(60000);
            for (const auto &process : runs) {
                QCOMPARE(process->readAllStandardError() + QByteArray::number(process->exitCode()),
                         "0");
            }
        }
        QStringList expected;
        for (int k = 0; k < 10; ++k)
            expected.append(QString("k%1.").arg(k) + (suffix == "mfc" ? "qav" : "mfc"));
        QCOMPARE(snapshot(QDir("out").absolutePath()).keys(), expected);
        // Whole files, each as one run alone writes it.
        QVERIFY(QDir().mkdir("alone"));
        QStringList alone = options;
        alone.last() = "alone";
        const Run single = run(alone + files);
        QCOMPARE(single.err + QByteArray::number(single.exitCode), "0");
        QCOMPARE(snapshot(QDir("out").absolutePath()), snapshot(QDir("alone").absolutePath()));
    }

    void interruptedBatch_data()
    {
        // nth: the temporary file, in the order the batch writes them, that the signal comes during
        columns<int, bool, int>({"signal", "import", "nth"});
        // clang-format off
        QTest::newRow("Ctrl+C during the first mission") << int(SIGINT) << false << 1;
        QTest::newRow("SIGTERM during the fourth mission") << int(SIGTERM) << false << 4;
        QTest::newRow("SIGHUP during the last mission") << int(SIGHUP) << false << 6;
        QTest::newRow("Ctrl+C during the third imported project") << int(SIGINT) << true << 3;
        QTest::newRow("SIGTERM during the first imported project") << int(SIGTERM) << true << 1;
        QTest::newRow("SIGHUP during the fifth imported project") << int(SIGHUP) << true << 5;
        // clang-format on
    }

    // A batch ended by a signal leaves what it wrote before, the file it was writing as it
    // was, no temporary file, and the exit status of the signal.
    void interruptedBatch()
    {
        QFETCH(int, signal);
        QFETCH(bool, import);
        QFETCH(int, nth);
        constexpr int Count = 6;
        QStringList projects, missions, arguments;
        for (int i = 0; i < Count; ++i) {
            const QString n = QString::number(i);
            // Missions of megabytes, so that each write takes a while.
            m_cwd->write("p" + n + ".mfc",
                         "[Settings]\r\nDirectory=out\r\nFileName=m" + n.toLatin1()
                                 + "\r\n[Launch]\r\nLabel=" + QByteArray(1500000, char('a' + i))
                                 + "\r\n");
            projects << "p" + n + ".mfc";
            missions << "out/m" + n + ".qav";
        }
        QVERIFY(QDir().mkdir("out") && QDir().mkdir("projects"));
        QStringList written = missions;
        if (import) {
            const Run made = run(projects);
            QCOMPARE(made.err + QByteArray::number(made.exitCode), "0");
            arguments = QStringList{"--import", "--force", "--out", "projects"} + missions;
            written.clear();
            for (int i = 0; i < Count; ++i)
                written << "projects/m" + QString::number(i) + ".mfc";
        } else {
            arguments = projects;
        }
        for (const QString &file : std::as_const(written))
            m_cwd->write(file, "older " + file.toLatin1());

        const QMap<QString, QByteArray> before = snapshot(m_cwd->path());
        std::vector<QByteArray> argumentBytes{QByteArray(QAVMAKE)};
        for (const QString &argument : std::as_const(arguments))
            argumentBytes.push_back(QFile::encodeName(argument));
        std::vector<char *> argv;
        for (QByteArray &argument : argumentBytes)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        const Interruption ended =
                interruptWrite([&argv] { ::execv(argv[0], argv.data()); },
                               {m_cwd->filePath(import ? "projects" : "out")}, signal, nth);
        QVERIFY2(ended.during >= nth, "the signal came during no write");
        QCOMPARE(ended.status, 128 + signal);
        const QMap<QString, QByteArray> after = snapshot(m_cwd->path());
        QCOMPARE(changes(before, after), written.first(ended.during - 1));
        for (const QString &file : written.first(ended.during - 1))
            QVERIFY(m_cwd->read(file).endsWith(import ? "\r\n" : "</QAV>\r\n"));
    }

    // What the program adds to Qt's help, and its version.
    void helpAndVersion()
    {
        const Run help = run({"--help"}), version = run({"--version"});
        for (const char *own : {"PROJECT.mfc...", "--out", "--entry", "--check", "--help-all"})
            QVERIFY2(help.exitCode == 0 && help.out.contains(own), own);
        // Every option the help lists works.
        const Run all = run({"--help-all"});
        QCOMPARE(all.err + all.out + QByteArray::number(all.exitCode),
                 help.out + QByteArray::number(0));
        QVERIFY(version.exitCode == 0 && version.out.startsWith("qavmake "));
        // Run by its full path, it names itself without the folder.
        QVERIFY(QByteArray(QAVMAKE).contains('/'));
        QVERIFY2(help.out.startsWith("Usage: qavmake [options] PROJECT.mfc..."), help.out);
    }

private:
    std::unique_ptr<WorkingDirectory> m_cwd;
};

QTEST_GUILESS_MAIN(tst_qavmake)
#include "tst_qavmake.moc"
