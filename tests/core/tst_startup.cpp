// SPDX-License-Identifier: MIT

#include "testsupport.h"

// What the form holds once start-up has run.
class tst_startup : public QObject
{
    Q_OBJECT

private slots:
    void rememberedDirectory_data()
    {
        // settings: the faults that make settings.dat
        columns<QStringList, QString>({"settings", "directory"});
        const QString fallback = "C:\\Orbiter\\QAV", longest(SettingsLineLimit, 'x');
        const auto row = [](const char *tag, const QString &fault, const QString &directory) {
            QTest::newRow(tag) << QStringList{fault} << directory;
        };
        const auto file = [&row](const char *tag, const QString &text, const QString &directory) {
            row(tag, "file:settings.dat=" + text, directory);
        };
        QTest::newRow("no settings file") << QStringList{} << fallback;
        file("empty settings file", "", fallback);
        file("one line", "D:\\Games\\QAV\r\n", "D:\\Games\\QAV");
        file("second line ignored", "D:\\A\r\nD:\\B\r\n", "D:\\A");
        file("blank first line", "\r\nD:\\B\r\n", "");
        file("comma kept whole", "D:\\Orbiter, 2010\\QAV\r\n", "D:\\Orbiter, 2010\\QAV");
        file("quotes kept as typed", "\"D:\\Q\"\r\n", "\"D:\\Q\"");
        file("leading blanks kept", "  D:\\Q\r\n", "  D:\\Q");
        file("no line end", "/home/pilot/qav", "/home/pilot/qav");
        file("LF only", "D:\\Q\nX", "D:\\Q");
        file("8-bit text", "D:\\Caf\u00e9\r\n", "D:\\Caf\u00e9");
        file("longest first line read", longest + "\r\n", longest);
        file("first line past the limit", longest + "x\r\n", fallback);
        row("a folder", "folder:settings.dat", fallback);
        row("a named pipe", "fifo:settings.dat", fallback);
        row("a link to an endless device", "link:settings.dat=/dev/zero", fallback);
        row("a huge file", "sparse:settings.dat=3000000000", fallback);
    }

    // Start-up never waits for a file or reads more than the first line's worth of it.
    void rememberedDirectory()
    {
        QFETCH(QStringList, settings);
        QFETCH(QString, directory);
        WorkingDirectory cwd;
        Faults made(cwd.path(), settings);
        Core core(readRememberedDirectory);
        QCOMPARE(core.values({"txtDirectory", "MissionPath"}),
                 (QStringList{"txtDirectory=" + directory, "MissionPath="}));
    }
};

QTEST_GUILESS_MAIN(tst_startup)
#include "tst_startup.moc"
