// SPDX-License-Identifier: MIT

#include <csignal>

#include "INIMod.h"
#include "filestore.h"
#include "pathrules.h"
#include "testsupport.h"

// "Make Mission": the three files it writes, byte for byte, and what it does when it cannot
// write them.
class tst_makemission : public QObject
{
    Q_OBJECT

    QString makeMission(const QStringList &edits) const
    {
        m->core.edit(edits);
        return m->core.form.cmdMakeMission_Click();
    }
    QByteArray read(const QString &name) const { return m->cwd.read(name); }

private slots:
    void init()
    {
        m = std::make_unique<Session>();
        QVERIFY(QDir().mkdir("Dir"));
    }
    void cleanup() { m.reset(); }

    void writesAllThreeFiles()
    {
        QCOMPARE(makeMission({"fill", "txtFileName=filled", "txtDirectory=Dir",
                              "txtMissionName=Mission"}),
                 "");
        QCOMPARE(read("Dir/filled.qav"), fixture("filled.qav"));
        QCOMPARE(read("settings.dat"), "Dir\r\n");
        QCOMPARE(read("mfc/filled.mfc"), fixture("filled.mfc"));
        QCOMPARE(snapshot(m->cwd.path()).keys(),
                 (QStringList{"Dir", "Dir/filled.qav", "mfc", "mfc/filled.mfc", "settings.dat"}));
    }

    void everyStepLeftOut()
    {
        QCOMPARE(makeMission({"omit", "chkDCmdsK=1", "txtDirectory=Dir", "txtFileName=m1"}), "");
        QCOMPARE(read("Dir/m1.qav"), fixture("omitted.qav"));
        QCOMPARE(read("mfc/m1.mfc"), fixture("omitted.mfc"));
    }

    // The mission is written anew; the project is updated key by key, so the landing section
    // of the first save stays when landing is left out. A ticked box is stored as "Yes", a
    // cleared one as "No".
    void secondRunRewritesMissionAndUpdatesProject()
    {
        QCOMPARE(makeMission(
                         {"txtDirectory=Dir", "txtFileName=m1", "txtLLabel=first", "chkDCmdsK=1"}),
                 "");
        const QByteArray firstProject = read("mfc/m1.mfc");
        QVERIFY(firstProject.contains("NAV=\r\nCmdCone=Yes\r\nCmdClearance=No\r\n[Undocking]")
                && firstProject.contains("[Landing]\r\n"));
        QCOMPARE(makeMission({"optLndOmmit(0)=1", "txtLLabel=second"}), QString());
        const QByteArray mission = read("Dir/m1.qav");
        QVERIFY(mission.contains("<Label>second</Label>") && !mission.contains("Landing"));
        QCOMPARE(mission.count("\r\n"), 130 - 12);
        QByteArray expected = firstProject;
        expected.replace("LndOmmit=No", "LndOmmit=Yes").replace("Label=first", "Label=second");
        QCOMPARE(read("mfc/m1.mfc"), expected);
    }

    void failures_data()
    {
        columns<QStringList, QStringList, QString, QStringList>(
                {"faults", "edits", "message", "written"});
        const auto row = [](const char *tag, const QStringList &faults, const QStringList &edits,
                            const QString &message, const QStringList &written = {}) {
            QTest::newRow(tag) << faults << edits << message << written;
        };
        // clang-format off
        const QStringList ready{"txtDirectory=Dir", "txtFileName=m1"}, mission{"Dir/m1.qav"};
        const QString nothing = "\n\nNothing was written.", mustStay = ", which the program needs as it is." + nothing;
        const QString kept = "\n\nNothing was written; an older mission file is as it was.";
        const QString onlyMission = "\n\nThe mission file was written; \"settings.dat\" and the project file were not.";
        const QString noProject = "\n\nThe mission file and \"settings.dat\" were written; the project file was not, and an older one is as it was.";
        const QString cannotHold = ", which the mission and project files cannot hold." + nothing;
        const QString noName = "The mission has no file name. Type one into \"File Name\" on the tab \"10 - Make File\"." + nothing;
        row("missing directory", {}, {"txtDirectory=nowhere", "txtFileName=m1"}, "Could not write the mission file:\nnowhere/m1.qav: " + systemReason("No such file or directory", 3) + kept);
        row("directory is a regular file", {"file:plain=a file"}, {"txtDirectory=plain", "txtFileName=m1"}, "Could not write the mission file:\nplain/m1.qav: " + systemReason("Not a directory", 3) + kept);
        row("reason in the locale's 8-bit encoding", {"link:mfc/m1.mfc=/proc/self/mem", "locale:fr_FR.ISO-8859-1"}, ready, "Could not update the project file:\nmfc/m1.mfc: Erreur d'entr\u00e9e/sortie" + nothing);
        row("full disk, reason in the locale's 8-bit encoding", {"full:Dir", "locale:fr_FR.ISO-8859-1"}, ready, "Could not write the mission file:\nDir/m1.qav: Aucun espace disponible sur le p\u00e9riph\u00e9rique" + kept);
        row("mission file is a folder", {"folder:Dir/m1.qav"}, ready, "Could not write the mission file:\nDir/m1.qav: Is a directory" + kept);
        row("mission file a link in a loop", {"link:Dir/m1.qav=m1.qav"}, ready, "Could not write the mission file:\nDir/m1.qav: Too many levels of symbolic links" + kept);
        row("mission file links to a device", {"link:Dir/m1.qav=/dev/null"}, ready, "Could not write the mission file:\nDir/m1.qav: Not a regular file (a device)" + kept);
        row("file size limit", {"fsize:1000"}, ready, "Could not write the mission file:\nDir/m1.qav: File too large" + kept);
        row("full disk", {"full:Dir"}, ready, "Could not write the mission file:\nDir/m1.qav: No space left on device" + kept);
        row("disk full but for a block", {"full:Dir=4096"}, ready, "Could not write the mission file:\nDir/m1.qav: No space left on device" + kept);
        row("read-only mission folder", {"readonly:Dir"}, ready, "Could not write the mission file:\nDir/m1.qav: Permission denied" + kept);
        row("file name never typed", {}, {"txtDirectory=Dir"}, noName);
        row("file name cleared", {}, ready + QStringList{"txtFileName="}, noName);
        row("no directory", {}, {"txtDirectory=", "txtFileName=m1"}, "The mission has no directory. Type one into \"Directory\" on the tab \"10 - Make File\"." + nothing);
        row("character outside the code page", {}, ready + QStringList{"txtLLabel=\u03a9mega"}, "The field \"Label\" on the tab \"1 - Launch\" holds the character \"\u03a9\" (U+03A9)" + cannotHold);
        row("line break", {}, ready + QStringList{"txtDName=a\nb"}, "The field \"Label\" on the tab \"6 - Docking\" holds a line break (U+000A)" + cannotHold);
        row("escape character", {}, ready + QStringList{"txtRName=a\x1b[2Jb"}, "The field \"Label\" on the tab \"8 - Reentry\" holds the character U+001B" + cannotHold);
        row("NUL in the file name", {}, {"txtDirectory=Dir", "txtFileName=m1" + QString(QChar(0))}, "The field \"File Name\" on the tab \"10 - Make File\" holds the character U+0000" + cannotHold);
        row("NUL in the directory", {}, {"txtDirectory=Dir" + QString(QChar(0)), "txtFileName=m1"}, "The field \"Directory\" on the tab \"10 - Make File\" holds the character U+0000" + cannotHold);
        row("array element named by its column", {}, ready + QStringList{"txtAHeight(3)=6\r"}, "The field \"Height 4\" on the tab \"2 - Ascent\" holds a line break (U+000D)" + cannotHold);
        row("mission name", {}, ready + QStringList{"txtMissionName=\u4e2d"}, "The field \"Mission Name\" on the tab \"10 - Make File\" holds the character \"\u4e2d\" (U+4E2D)" + cannotHold);
        row("mission would replace the project loaded", {}, QStringList{"load=Dir/m1.qav"} + ready, "Writing Dir/m1.qav would replace %cwd%/Dir/m1.qav" + mustStay);
        row("unwritable text in a step left out", {}, ready + QStringList{"optDOmmit(0)=1", "txtDName=\u03a9\n"}, "", {"Dir/m1.qav", "mfc/m1.mfc", "settings.dat"});
        row("settings file links to the project file", {"link:settings.dat=mfc/m1.mfc"}, ready, "Writing settings.dat would replace mfc/m1.mfc" + mustStay);
        row("mission file a second name of settings.dat", {"hardlink:Dir/m1.qav=settings.dat"}, ready, "Writing Dir/m1.qav would replace settings.dat" + mustStay);
        row("mission file a second name of the project file", {"hardlink:Dir/m1.qav=mfc/m1.mfc"}, ready, "Writing Dir/m1.qav would replace mfc/m1.mfc" + mustStay);
        row("settings file is the project loaded", {}, QStringList{"load=settings.dat"} + ready, "Writing settings.dat would replace %cwd%/settings.dat" + mustStay);
        row("settings file is a folder", {"folder:settings.dat"}, ready, "Could not write the settings file:\nsettings.dat: Is a directory" + onlyMission, mission);
        row("settings file is a named pipe", {"fifo:settings.dat"}, ready, "Could not write the settings file:\nsettings.dat: Not a regular file (a named pipe)" + onlyMission, mission);
        row("project folder is a file", {"file:mfc=in the way"}, ready, "Could not write the project folder:\nmfc: Not a directory" + nothing);
        row("project folder a link to nothing", {"link:mfc=gone"}, ready, "Could not write the project folder:\nmfc: Not a directory" + nothing);
        row("project folder a link to a file", {"link:mfc=settings.dat"}, ready, "Could not write the project folder:\nmfc: Not a directory" + nothing);
        row("project folder a link in a loop", {"link:mfc=mfc"}, ready, "Could not write the project folder:\nmfc: Too many levels of symbolic links" + nothing);
        row("project folder read-only", {"readonly:mfc"}, ready, "Could not write the project file:\nmfc/m1.mfc: Permission denied" + noProject, mission + QStringList{"settings.dat"});
        row("project file is a folder", {"folder:mfc/m1.mfc"}, ready, "Could not update the project file:\nmfc/m1.mfc: Is a directory" + nothing);
        row("project file is a named pipe", {"fifo:mfc/m1.mfc"}, ready, "Could not update the project file:\nmfc/m1.mfc: Not a regular file (a named pipe)" + nothing);
        row("project file too large", {"sparse:mfc/m1.mfc=17000000"}, ready, "Could not update the project file:\nmfc/m1.mfc: too large to be a project file" + nothing);
        row("project file in UTF-16BE", {"file:mfc/m1.mfc=\u00fe\u00ff"}, ready, "Could not update the project file:\nmfc/m1.mfc: the file is UTF-16BE text, which this program does not write" + nothing);
row("project file in BOCU-1", {"file:mfc/m1.mfc=\u00fb\u00ee\u0028[Settings]\r\n"}, ready, "Could not update the project file:\nmfc/m1.mfc: the file is BOCU-1 text, which this program does not write" + nothing);
                row("project file marked as UTF-8 takes no 8-bit text", {"file:mfc/m1.mfc=\u00ef\u00bb\u00bf[Settings]\r\n"}, ready + QStringList{"txtLLabel=Caf\u00e9"}, "Could not update the project file:\nmfc/m1.mfc: the file is marked as UTF-8 text, to which this program adds only ASCII characters" + nothing);
        // clang-format on
    }

    // Every fault leaves each older file as it was, unless the files before it in the order
    // mission, settings, project were written, and leaves no other file behind. A text a
    // step left out holds is not written, so it cannot stop the mission.
    void failures()
    {
        QFETCH(QStringList, faults);
        QFETCH(QStringList, edits);
        QFETCH(QString, message);
        QFETCH(QStringList, written);
        m->cwd.write("Dir/m1.qav", "older mission");
        m->cwd.write("settings.dat", "Older\r\n");
        m->cwd.write("mfc/m1.mfc", "; older project\r\n[Settings]\r\nFileName=m1\r\n");
        m->core.edit(edits);
        Faults made(m->cwd.path(), faults);
        if (!made.skipped().isEmpty())
            QSKIP(qPrintable(made.skipped()));
        const QMap<QString, QByteArray> before = snapshot(m->cwd.path());
        QCOMPARE(m->core.form.cmdMakeMission_Click(),
                 nativePaths(message.replace("%cwd%", m->cwd.path())));
        const QMap<QString, QByteArray> after = snapshot(m->cwd.path());
        QCOMPARE(changes(before, after), written);
        // A mission written before a later file failed is whole.
        if (!message.isEmpty() && written.contains("Dir/m1.qav"))
            QCOMPARE(after.value("Dir/m1.qav"), fixture("defaults.qav"));
        // Whatever went wrong, the caption names the project, and loading comes too late.
        QCOMPARE(m->core.value("lblFileEdit"),
                 Platform::joinPath({nativePaths(m->cwd.path()),
                                     projectFilePath(m->core.value("txtFileName"))}));
        QVERIFY(!m->core.form.isEnabled(Core::id("cmdOpen")));
    }

    void windowsDrivesThroughWine_data()
    {
        // prefix: WINEPREFIX below the working folder, or empty for none set (and the home
        // folder the working folder); written: where the mission lands, below it
        columns<QStringList, QString, QString, QString, QString>(
                {"layout", "prefix", "directory", "message", "written"});
        const QStringList drive{"folder:wine/drive_c/Orbiter/QAV", "folder:wine/dosdevices",
                                "link:wine/dosdevices/c:=../drive_c"};
        const QString kept = "\n\nNothing was written; an older mission file is as it was.";
        // clang-format off
        QTest::newRow("the default Directory, as typed on Windows") << drive << "wine" << "C:\\Orbiter\\QAV\\" << "" << "wine/drive_c/Orbiter/QAV/m1.qav";
        QTest::newRow("names in another case") << drive << "wine" << "c:\\ORBITER\\qav" << "" << "wine/drive_c/Orbiter/QAV/m1.qav";
        QTest::newRow("forward slashes") << drive << "wine" << "C:/Orbiter//QAV/" << "" << "wine/drive_c/Orbiter/QAV/m1.qav";
        QTest::newRow("a folder not there yet stays as typed") << drive << "wine" << "C:\\Orbiter\\New" << "Could not write the mission file:\nC:\\Orbiter\\New/m1.qav: No such file or directory" + kept << "";
        QTest::newRow("drive Z: for the root") << QStringList{"folder:Dir", "folder:wine/dosdevices", "link:wine/dosdevices/z:=/"} << "wine" << "Z:%cwd%\\dir" << "" << "Dir/m1.qav";
        QTest::newRow("the prefix in the home folder") << QStringList{"folder:.wine/drive_c/Orbiter/QAV", "folder:.wine/dosdevices", "link:.wine/dosdevices/c:=../drive_c"} << "" << "C:\\Orbiter\\QAV" << "" << ".wine/drive_c/Orbiter/QAV/m1.qav";
        QTest::newRow("no prefix") << QStringList{} << "" << "C:\\Orbiter\\QAV" << "Could not write the mission file:\nC:\\Orbiter\\QAV/m1.qav: no Wine prefix at ~/.wine (set WINEPREFIX)" + kept << "";
        QTest::newRow("no prefix where WINEPREFIX says") << QStringList{} << "gone" << "C:\\Orbiter\\QAV" << "Could not write the mission file:\nC:\\Orbiter\\QAV/m1.qav: no Wine prefix at %cwd%/gone (set WINEPREFIX)" + kept << "";
        QTest::newRow("no such drive in the prefix") << drive << "wine" << "d:\\QAV" << "Could not write the mission file:\nd:\\QAV/m1.qav: no drive D: in the Wine prefix at %cwd%/wine" + kept << "";
        // clang-format on
    }

    // A Directory from Windows names a place in the Wine prefix; the project and settings.dat
    // keep it as typed.
    void windowsDrivesThroughWine()
    {
#ifdef Q_OS_WIN
        QSKIP("drive paths are the system's own on Windows");
#else
        QFETCH(QStringList, layout);
        QFETCH(QString, prefix);
        QFETCH(QString, directory);
        QFETCH(QString, message);
        QFETCH(QString, written);
        const QString cwd = m->cwd.path();
        Faults made(cwd, layout);
        directory.replace("%cwd%", QString(cwd).replace('/', '\\'));
        m->core.edit({"txtDirectory=" + directory, "txtFileName=m1"});
        std::optional<QString> winePrefix;
        if (!prefix.isEmpty())
            winePrefix = cwd + '/' + prefix;
        const Environment wine({{"HOME", cwd}, {"WINEPREFIX", winePrefix}});
        const QString result = m->core.form.cmdMakeMission_Click();
        QCOMPARE(result, message.replace("%cwd%", cwd));
        if (!written.isEmpty()) {
            QCOMPARE(m->cwd.read(written), fixture("defaults.qav"));
            QCOMPARE(m->cwd.read("settings.dat"), directory.toLatin1() + "\r\n");
            QVERIFY(m->cwd.read("mfc/m1.mfc").contains("Directory=" + directory.toLatin1()));
        }
#endif
    }

    void interrupted_data()
    {
        // nth: the file, in the order mission, settings, project, that the signal comes during
        columns<int, int>({"signal", "nth"});
#ifndef Q_OS_WIN
        QTest::newRow("Ctrl+C while the mission is written") << int(SIGINT) << 1;
        QTest::newRow("SIGTERM while settings.dat is written") << int(SIGTERM) << 2;
        QTest::newRow("SIGHUP while the project is written") << int(SIGHUP) << 3;
#endif
    }

    // Make Mission in a program ended by a signal: the files written before stay, the one
    // being written is as it was, and no temporary file is left.
    void interrupted()
    {
#ifdef Q_OS_WIN
        QSKIP("signals are POSIX; Ctrl+C on Windows is tested with the batch program");
#else
        QFETCH(int, signal);
        QFETCH(int, nth);
        m->cwd.write("Dir/m1.qav", "older mission");
        m->cwd.write("settings.dat", "Older\r\n");
        m->cwd.write("mfc/m1.mfc", "; older project\r\n");
        m->core.edit({"txtDirectory=Dir", "txtFileName=m1", "txtLLabel=" + QString(3000000, 'x')});
        const QMap<QString, QByteArray> before = snapshot(m->cwd.path());
        const Interruption ended = interruptWrite(
                [this] {
                    Platform::prepareProcess();
                    m->core.form.cmdMakeMission_Click();
                },
                {m->cwd.filePath("Dir"), m->cwd.path(), m->cwd.filePath("mfc")}, signal, nth);
        QVERIFY2(ended.during >= nth, "the signal came during no write");
        QCOMPARE(ended.status, 128 + signal);
        const QStringList order{"Dir/m1.qav", "settings.dat", "mfc/m1.mfc"};
        QCOMPARE(changes(before, snapshot(m->cwd.path())), order.first(ended.during - 1));
#endif
    }

private:
    std::unique_ptr<Session> m;
};

QTEST_GUILESS_MAIN(tst_makemission)
#include "tst_makemission.moc"
