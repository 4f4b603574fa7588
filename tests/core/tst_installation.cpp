// SPDX-License-Identifier: MIT

#include "installation.h"
#include "testsupport.h"

namespace {

// The installation as lines, everything it found in the order found.
QStringList described(const OrbiterInstallation &installation)
{
    QStringList lines{QStringLiteral("system ") + installation.system};
    for (const OrbiterBody &body : installation.bodies) {
        lines.append(QStringLiteral("body ") + body.name);
        for (const Orbiter::Base &base : body.bases) {
            lines.append(QStringLiteral("  base %1, %2 pads").arg(base.name).arg(base.pads));
            for (const Orbiter::Beacon &beacon : base.beacons)
                lines.append(QStringLiteral("    %1 %2 %3")
                                     .arg(beacon.kind, beacon.id, beacon.frequency));
        }
    }
    for (const Orbiter::Vessel &vessel : installation.vessels)
        lines.append(QStringLiteral("vessel %1 (%2)").arg(vessel.name, vessel.className));
    return lines + installation.skipped;
}

const QStringList Stock = {
        "system Sol",
        "body Earth",
        "  base Cape Canaveral, 1 pads",
        "  base Habana, 2 pads",
        "    VOR HAB 113.90",
        "    NAV 1 128.10",
        "    ILS1  110.1",
        "    ILS2  110.3",
        "    NAV 2 128.20",
        "  base S\u00e3o Tom\u00e9, 0 pads",
        "body Moon",
        "  base Tranquility, 0 pads",
        "body Mars",
        "  base Olympus, 0 pads",
        "vessel ISS (ProjectAlpha_ISS)",
        "vessel Shuttle Atlantis (Atlantis)",
        "vessel Lonely (Lonely)",
};

} // namespace

Q_DECLARE_METATYPE(InstallationLimits)

// The simulator's installation above a mission's folder, and the names read from it.
class tst_installation : public QObject
{
    Q_OBJECT

    std::unique_ptr<WorkingDirectory> m_cwd;

private slots:
    void init() { m_cwd = std::make_unique<WorkingDirectory>(); }
    void cleanup() { m_cwd.reset(); }

    void readsTheNames_data()
    {
        columns<QByteArray, bool>({"lineEnd", "utf8"});
        QTest::newRow("CR LF, UTF-8") << QByteArray("\r\n") << true;
        QTest::newRow("LF, UTF-8") << QByteArray("\n") << true;
        QTest::newRow("CR LF, Windows-1252") << QByteArray("\r\n") << false;
        QTest::newRow("LF, Windows-1252") << QByteArray("\n") << false;
    }
    void readsTheNames()
    {
        QFETCH(QByteArray, lineEnd);
        QFETCH(bool, utf8);
        writeInstallation(m_cwd->filePath("Orbiter"), lineEnd, utf8);
        const OrbiterInstallation found = readInstallation(m_cwd->filePath("Orbiter/QAV"));
        QCOMPARE(found.root, nativePaths(m_cwd->filePath("Orbiter")));
        QCOMPARE(described(found), Stock);
    }

    void findsTheInstallationAbove_data()
    {
        // faults: changes to the stock tree; root: where the installation is found, or "-"
        columns<QString, QStringList, QString>({"directory", "faults", "root"});
        QTest::newRow("two folders below")
                << "Orbiter/QAV/Missions" << QStringList{"folder:Orbiter/QAV/Missions"}
                << "Orbiter";
        QTest::newRow("a folder not made yet") << "Orbiter/QAV" << QStringList{} << "Orbiter";
        QTest::newRow("the installation itself") << "Orbiter" << QStringList{} << "Orbiter";
        QTest::newRow("with a closing separator and dots")
                << "Orbiter/QAV/../QAV/./" << QStringList{} << "Orbiter";
        QTest::newRow("relative to the working folder")
                << "Orbiter/QAV" << QStringList{} << "Orbiter";
        QTest::newRow("the other program's name, in another case")
                << "Orbiter/QAV"
                << QStringList{"file:Orbiter/orbiter_NG.EXE=", "file:Orbiter/Orbiter.exe=x"}
                << "Orbiter";
        QTest::newRow("the nearest of two")
                << "Orbiter/Inner/QAV"
                << QStringList{"folder:Orbiter/Inner/config", "file:Orbiter/Inner/Orbiter.exe="}
                << "Orbiter/Inner";
        QTest::newRow("a program folder named Orbiter.exe")
                << "Orbiter/QAV" << QStringList{"folder:Orbiter/Orbiter.exe"} << "-";
        QTest::newRow("a Config that is a file")
                << "Outer/Orbiter/QAV"
                << QStringList{"folder:Outer/Orbiter",
                               "file:Outer/Orbiter/Config=", "file:Outer/Orbiter/Orbiter.exe="}
                << "-";
        QTest::newRow("none") << "Elsewhere/QAV" << QStringList{} << "-";
    }
    void findsTheInstallationAbove()
    {
        QFETCH(QString, directory);
        QFETCH(QStringList, faults);
        QFETCH(QString, root);
        writeInstallation(m_cwd->filePath("Orbiter"));
        Faults made(m_cwd->path(), faults);
        if (!made.skipped().isEmpty())
            QSKIP(qPrintable(made.skipped()));
        const bool relative = QByteArray(QTest::currentDataTag()).startsWith("relative");
        const OrbiterInstallation found =
                readInstallation(relative ? directory : m_cwd->filePath(directory));
        QCOMPARE(found.root, root == "-" ? QString() : nativePaths(m_cwd->filePath(root)));
        QCOMPARE(found.bodies.size(), root == "Orbiter" ? 3 : 0);
    }

    // What a hostile or huge installation would make wait or fill memory is skipped and said.
    void boundedReads_data()
    {
        columns<QStringList, InstallationLimits, QStringList>({"faults", "limits", "skipped"});
        const QString base = "Orbiter/Config/earth/BASE/";
        QTest::newRow("a base file too large")
                << QStringList{"sparse:" + base + "Huge.cfg=5000000"} << InstallationLimits{}
                << QStringList{nativePaths("%cwd%/Orbiter/Config/earth/BASE/Huge.cfg")
                               + ": skipped, larger than 4 MiB"};
#ifndef Q_OS_WIN
        QTest::newRow("a named pipe as a base file")
                << QStringList{"fifo:" + base + "Pipe.cfg"} << InstallationLimits{}
                << QStringList{"%cwd%/Orbiter/Config/earth/BASE/Pipe.cfg: skipped, Not a regular "
                               "file (a named pipe)"};
        QTest::newRow("a terminal, not opened")
                << QStringList{"link:" + base + "Tty.cfg=/dev/tty"} << InstallationLimits{}
                << QStringList{"%cwd%/Orbiter/Config/earth/BASE/Tty.cfg: skipped, Not a regular "
                               "file (a device)"};
        QTest::newRow("a device as the system file")
                << QStringList{"link:Orbiter/Config/Sol.cfg=/dev/zero"} << InstallationLimits{}
                << QStringList{
                           "%cwd%/Orbiter/Config/Sol.cfg: skipped, Not a regular file (a device)"};
        QTest::newRow("a pipe as the Directory")
                << QStringList{"fifo:Orbiter/QAV"} << InstallationLimits{} << QStringList{};
        QTest::newRow("a pipe as a base folder") << QStringList{"fifo:Orbiter/Config/Moon/Base"}
                                                 << InstallationLimits{} << QStringList{};
#endif
        QTest::newRow("a base folder past the entries a folder may have")
                << QStringList{"file:" + base + "1.txt=", "file:" + base + "2.txt=",
                               "file:" + base + "3.txt=", "file:" + base + "4.txt="}
                << InstallationLimits{.entries = 9}
                << QStringList{nativePaths("%cwd%/Orbiter/Config/earth/BASE")
                               + ": skipped the entries past the first 9"};
        QTest::newRow("past the bytes a reading may take")
                << QStringList{"sparse:" + base + "Big.cfg=1500000"}
                << InstallationLimits{.bytes = 1 << 20}
                << QStringList{nativePaths("%cwd%/Orbiter")
                               + ": skipped the files past the first 1 MiB read"};
        QTest::newRow("past the files a reading may take")
                << QStringList{} << InstallationLimits{.files = 6}
                << QStringList{nativePaths("%cwd%/Orbiter")
                               + ": skipped the files past the first 6"};
    }
    void boundedReads()
    {
        QFETCH(QStringList, faults);
        QFETCH(InstallationLimits, limits);
        QFETCH(QStringList, skipped);
        writeInstallation(m_cwd->filePath("Orbiter"));
        Faults made(m_cwd->path(), faults);
        if (!made.skipped().isEmpty())
            QSKIP(qPrintable(made.skipped()));
        const OrbiterInstallation found = readInstallation(m_cwd->filePath("Orbiter/QAV"), limits);
        QCOMPARE(found.skipped, skipped.replaceInStrings("%cwd%", nativePaths(m_cwd->path())));
        QVERIFY(found.found());
    }

#ifndef Q_OS_WIN
    // A Windows path leads into the Wine prefix, each part in any case, and keeps its style.
    void throughTheWinePrefix()
    {
        writeInstallation(m_cwd->filePath("wine/drive_c/Orbiter"));
        Faults made(m_cwd->path(),
                    {"folder:wine/dosdevices", "link:wine/dosdevices/c:=../drive_c"});
        if (!made.skipped().isEmpty())
            QSKIP(qPrintable(made.skipped()));
        const Environment wine({{"WINEPREFIX", m_cwd->filePath("wine")}});
        const OrbiterInstallation found = readInstallation("c:/ORBITER\\qav\\");
        QCOMPARE(found.root, "c:\\ORBITER");
        QCOMPARE(described(found), Stock);
    }
#endif
};

QTEST_GUILESS_MAIN(tst_installation)
#include "tst_installation.moc"
