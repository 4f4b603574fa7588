// SPDX-License-Identifier: MIT

#include <windows.h>

#include <QProcess>

#include "testsupport.h"

// qavmake.exe as a Windows user runs it: the goldens, the system's text on standard output,
// and the faults Windows makes (a read-only file, a file another program holds open, a
// folder in the way, a name the system keeps for a device, a path beyond MAX_PATH).
class tst_windows : public QObject
{
    Q_OBJECT

    static Run run(const QStringList &arguments)
    {
        QProcess process;
        process.start(QStringLiteral(QAVMAKE), arguments);
        return finished(process);
    }

private slots:
    void init() { m_cwd = std::make_unique<WorkingDirectory>(); }
    void cleanup() { m_cwd.reset(); }

    // The bytes the Linux build writes: the goldens, and the catalogue entry on standard
    // output with CR LF as it stands.
    void goldens_data()
    {
        // written: the name the project gives its mission
        columns<QString, QString, QString>({"project", "golden", "written"});
        QTest::newRow("every field filled") << "filled.mfc"
                                            << "filled.qav"
                                            << "filled.qav";
        QTest::newRow("every step left out") << "omitted.mfc"
                                             << "omitted.qav"
                                             << "m1.qav";
    }

    void goldens()
    {
        QFETCH(QString, project);
        QFETCH(QString, golden);
        QFETCH(QString, written);
        QVERIFY(QDir().mkdir("out"));
        const Run made = run({"--out", "out", "--entry", fixturePath(project)});
        QCOMPARE(made.err + QByteArray::number(made.exitCode), "0");
        QCOMPARE(m_cwd->read("out/" + written), fixture(golden));
        QVERIFY2(made.out.startsWith("<Entry>\r\n\t<Label>") && !made.out.contains("\r\r"),
                 made.out.constData());
        QCOMPARE(made.out.count("\r\n"), 4);
    }

    void faults_data()
    {
        columns<QStringList, QStringList, QString, QStringList>(
                {"arguments", "faults", "err", "written"});
        // clang-format off
        const QString cannot = "qavmake: good.mfc: could not write the mission file ";
        const QString uninstalled = "qavmake: %1: no Orbiter installation found above out\n";
        const auto plain = [](const QString &project, const QString &name) { return "qavmake: " + project + ": with --out, FileName must be a plain file name, not \"" + name + "\"\n"; };
        QTest::newRow("written where the project says") << QStringList{"good.mfc"} << QStringList{} << "" << QStringList{"out/m1.qav"};
QTest::newRow("directory typed with a closing backslash") << QStringList{"slash.mfc"} << QStringList{} << "" << QStringList{"out/m1.qav"};
                QTest::newRow("read-only older mission") << QStringList{"good.mfc"} << QStringList{"readonly:out/m1.qav"} << cannot + "out\\m1.qav: " + systemReason({}, ERROR_ACCESS_DENIED) + " (the file is read-only)\n" << QStringList{};
        QTest::newRow("older mission held open by another program") << QStringList{"good.mfc"} << QStringList{"held:out/m1.qav"} << cannot + "out\\m1.qav: " + systemReason({}, ERROR_SHARING_VIOLATION) + "\n" << QStringList{};
QTest::newRow("older mission held open, shared with all") << QStringList{"good.mfc"} << QStringList{"shared:out/m1.qav"} << cannot + "out\\m1.qav: " + systemReason({}, ERROR_SHARING_VIOLATION) + "\n" << QStringList{};
        QTest::newRow("project is a named pipe") << QStringList{"\\\\.\\pipe\\qavmaker-test"} << QStringList{} << "qavmake: \\\\.\\pipe\\qavmaker-test: Not a regular file (a named pipe)\n" << QStringList{};
        QTest::newRow("a drive after \\\\.\\") << QStringList{"dotdrive.mfc"} << QStringList{} << "" << QStringList{"out/m1.qav"};
        // Windows compares names one character for one: "\u00df" is not "SS".
        QTest::newRow("names alike only in full case mapping, checked") << QStringList{"--check", "--out", "fresh", "sharp.mfc", "double.mfc"} << QStringList{"folder:fresh"} << uninstalled.arg("sharp.mfc") << QStringList{};
                QTest::newRow("mission file is a folder") << QStringList{"good.mfc"} << QStringList{"folder:out/m1.qav"} << cannot + "out\\m1.qav: Is a directory\n" << QStringList{};
        QTest::newRow("missing mission folder") << QStringList{"--out", "nowhere", "good.mfc"} << QStringList{} << cannot + "nowhere\\m1.qav: " + systemReason({}, ERROR_PATH_NOT_FOUND) + "\n" << QStringList{};
        QTest::newRow("missing project") << QStringList{"gone.mfc"} << QStringList{} << "qavmake: gone.mfc: " + systemReason({}, ERROR_FILE_NOT_FOUND) + "\n" << QStringList{};
        QTest::newRow("project is a folder") << QStringList{"p.mfc"} << QStringList{"folder:p.mfc"} << "qavmake: p.mfc: Is a directory\n" << QStringList{};
        QTest::newRow("project is a device") << QStringList{"NUL"} << QStringList{} << "qavmake: NUL: Not a regular file (a device)\n" << QStringList{};
        QTest::newRow("device name as the file name") << QStringList{"--out", "out", "console.mfc"} << QStringList{} << plain("console.mfc", "CON") << QStringList{};
        QTest::newRow("device name with an extension") << QStringList{"--out", "out", "printer.mfc"} << QStringList{} << plain("printer.mfc", "lpt1.txt") << QStringList{};
QTest::newRow("device name where the project says") << QStringList{"device.mfc"} << QStringList{} << "qavmake: device.mfc: could not write the mission file out\\NUL.qav: Not a regular file (a device)\n" << QStringList{};
                QTest::newRow("drive in the file name") << QStringList{"--out", "out", "colon.mfc"} << QStringList{} << plain("colon.mfc", "C:m1") << QStringList{};
        QTest::newRow("file name ending in a dot") << QStringList{"--out", "out", "dot.mfc"} << QStringList{} << plain("dot.mfc", "m1.") << QStringList{};
        // Windows tells names apart without regard to case: "M1" is the file "m1" written before.
QTest::newRow("not yet there, in another case, checked") << QStringList{"--check", "--out", "fresh", "good.mfc", "upper.mfc"} << QStringList{"folder:fresh"} << uninstalled.arg("good.mfc") + "qavmake: upper.mfc: the mission file fresh\\M1.qav is named also by good.mfc\n" << QStringList{};
                QTest::newRow("same mission in another case") << QStringList{"good.mfc", "upper.mfc"} << QStringList{} << "qavmake: upper.mfc: the mission file out\\M1.qav was already written in this run for good.mfc\n" << QStringList{"out/m1.qav"};
        // clang-format on
    }

    // Each failure is one line; every older file stays as it was and no other file appears.
    void faults()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, faults);
        QFETCH(QString, err);
        QFETCH(QStringList, written);
        const auto project = [](const QByteArray &fileName) {
            return "[Settings]\r\nDirectory=out\r\nFileName=" + fileName + "\r\n";
        };
        // clang-format off
        for (const auto &[name, bytes] : std::initializer_list<std::pair<QString, QByteArray>>{
                 {"out/m1.qav", "older mission"}, {"good.mfc", project("m1")},
                 {"upper.mfc", project("M1")}, {"console.mfc", project("CON")},
                 {"printer.mfc", project("lpt1.txt")}, {"device.mfc", project("NUL")},
                 {"dotdrive.mfc", "[Settings]\r\nDirectory=\\\\.\\%cwd%\\out\r\nFileName=m1\r\n"},
                 {"sharp.mfc", project("stra\xdf" "e")}, {"double.mfc", project("STRASSE")},
                 {"slash.mfc", "[Settings]\r\nDirectory=out\\\r\nFileName=m1\r\n"}, {"colon.mfc", project("C:m1")},
                 {"dot.mfc", project("m1.")}})
            m_cwd->write(name, QByteArray(bytes).replace("%cwd%", nativePaths(m_cwd->path()).toLatin1()));
        // clang-format on
        Faults made(m_cwd->path(), faults);
        QVERIFY(made.skipped().isEmpty());
        const QMap<QString, QByteArray> before = snapshot(m_cwd->path());
        const Run result = run(arguments);
        QCOMPARE(QString::fromUtf8(result.err), err);
        // That no installation is found is a warning.
        QCOMPARE(result.exitCode, err.count('\n') == err.count("no Orbiter installation") ? 0 : 1);
        QCOMPARE(changes(before, snapshot(m_cwd->path())), written);
    }

    // The installation above the Directory, its file names in any case, as on Linux.
    void checksNamesAgainstTheInstallation()
    {
        writeInstallation(m_cwd->filePath("Orbiter"));
        m_cwd->write("iss.mfc",
                     "[Launch]\r\nBase=Earth:Habanna:1\r\n[Docking]\r\nReference=iss\r\n"
                     "[Settings]\r\nDirectory="
                             + nativePaths(m_cwd->filePath("ORBITER/qav")).toLatin1()
                             + "\r\nFileName=iss\r\n");
        for (const bool strict : {false, true}) {
            const Run made = run(strict ? QStringList{"--check", "--strict", "iss.mfc"}
                                        : QStringList{"--check", "iss.mfc"});
            QCOMPARE(made.err,
                     "qavmake: iss.mfc: the base \"Habanna\" is not on Earth; did you "
                     "mean \"Habana\"?\n");
            QCOMPARE(made.exitCode, strict ? 1 : 0);
        }
    }

    // 8-bit text in the system's ANSI code page, as the Windows tool wrote it. Wine takes the
    // code page from the locale it starts in; CTest runs this once more in a Russian one.
    void ansiCodePage_data()
    {
        columns<uint, QString, QByteArray>({"codePage", "label", "line"});
        const QString cafe = "Caf\u00e9", soyuz = "\u0421\u043e\u044e\u0437";
        QTest::newRow("Western") << 1252u << cafe << QByteArray("<Label>Caf\xe9</Label>");
        QTest::newRow("Cyrillic outside the Western code page") << 1252u << soyuz << QByteArray();
        QTest::newRow("Cyrillic") << 1251u << soyuz
                                  << QByteArray("<Label>\xd1\xee\xfe\xe7</Label>");
        QTest::newRow("Western letter outside the Cyrillic code page")
                << 1251u << cafe << QByteArray();
    }

    void ansiCodePage()
    {
        QFETCH(uint, codePage);
        QFETCH(QString, label);
        QFETCH(QByteArray, line);
        if (::GetACP() != codePage)
            QSKIP("for another code page");
        m_cwd->write("p.mfc",
                     utf16("[Settings]\r\nDirectory=.\r\nFileName=m\r\n[Launch]\r\nLabel=" + label
                           + "\r\n"));
        const Run made = run({"p.mfc"});
        QCOMPARE(made.exitCode, line.isEmpty() ? 1 : 0);
        QCOMPARE(m_cwd->read("m.qav").contains(line + "\r\n"), !line.isEmpty());
    }

    // A Directory deeper than MAX_PATH characters takes the mission as any other.
    void beyondMaxPath()
    {
        const QString deep =
                QStringLiteral("out/") + QString(120, u'a') + u'/' + QString(120, u'b');
        QVERIFY(QDir().mkpath(deep));
        QVERIFY(m_cwd->filePath(deep).size() > MAX_PATH);
        m_cwd->write("deep.mfc",
                     "[Settings]\r\nDirectory=" + m_cwd->filePath(deep).toLatin1()
                             + "\r\nFileName=" + QByteArray(40, 'c') + "\r\n");
        for (int round = 0; round < 2; ++round) {
            const Run made = run({"deep.mfc"});
            QCOMPARE(made.err + QByteArray::number(made.exitCode), "0");
        }
        const QString mission = deep + u'/' + QString(40, u'c') + QStringLiteral(".qav");
        QCOMPARE(m_cwd->read(mission).count("\r\n"), 43); // every step left out
        QCOMPARE(snapshot(m_cwd->filePath(deep)).keys(), QStringList{QString(40, u'c') + ".qav"});
    }

private:
    std::unique_ptr<WorkingDirectory> m_cwd;
};

QTEST_GUILESS_MAIN(tst_windows)
#include "tst_windows.moc"
