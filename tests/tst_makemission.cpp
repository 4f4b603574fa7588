// SPDX-License-Identifier: MIT

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "INIMod.h"
#include "pathrules.h"
#include "testsupport.h"

// "Make Mission" worked in the window: the three files it writes, byte for byte, and what
// it does when it cannot write them.
class tst_makemission : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void writesAllThreeFiles();
    void everyStepLeftOut();
    void secondRunRewritesMissionAndUpdatesProject();
    void projectKeepsWhatWasWrittenByHand();
    void longAndBlankValuesReadBack();
    void checkBoxesAsFlags_data();
    void checkBoxesAsFlags();
    void failures_data();
    void failures();
    void unwritableTextInAnOmittedStepDoesNotMatter();
    void captionNamesTheProjectEvenOnFailure();

private:
    void prepare(const QString &directory, const QString &fileName) const;
    QStringList entries(const QString &folder = ".") const;

    std::unique_ptr<WorkingDirectory> m_cwd;
    std::unique_ptr<Editor> m_editor;
};

void tst_makemission::init()
{
    m_cwd = std::make_unique<WorkingDirectory>();
    QVERIFY(QDir(m_cwd->path()).mkdir("Dir"));
    m_editor = std::make_unique<Editor>();
}

void tst_makemission::cleanup()
{
    m_editor.reset();
    m_cwd.reset();
}

void tst_makemission::prepare(const QString &directory, const QString &fileName) const
{
    m_editor->set("txtDirectory", directory);
    m_editor->set("txtFileName", fileName);
}

QStringList tst_makemission::entries(const QString &folder) const
{
    return QDir(m_cwd->filePath(folder))
            .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden, QDir::Name);
}

void tst_makemission::writesAllThreeFiles()
{
    m_editor->fillEveryField();
    m_editor->set("txtFileName", "filled");
    m_editor->set("txtDirectory", "Dir");
    m_editor->set("txtMissionName", "Mission");
    m_editor->makeMission();

    QCOMPARE(m_editor->errors().texts, QStringList());
    QCOMPARE(m_cwd->read("Dir/filled.qav"), fixture("filled.qav"));
    QCOMPARE(m_cwd->read("settings.dat"), QByteArray("Dir\r\n"));
    QCOMPARE(m_cwd->read("mfc/filled.mfc"), fixture("filled.mfc"));
    QCOMPARE(entries(), (QStringList{"Dir", "mfc", "settings.dat"}));
    QCOMPARE(entries("Dir"), QStringList{"filled.qav"});
    QCOMPARE(entries("mfc"), QStringList{"filled.mfc"});
    QVERIFY(!m_editor->find<QPushButton>("cmdOpen")->isEnabled());
}

void tst_makemission::everyStepLeftOut()
{
    for (const char *pair : {"optPAOmmit", "optSOmmit", "optAppOmmit", "optDOmmit", "optUOmmit",
                             "optROmmit", "optLndOmmit"})
        m_editor->find<QRadioButton>(QString(pair) + "(0)")->setChecked(true);
    m_editor->find<QCheckBox>("chkDCmdsK")->setChecked(true);
    prepare("Dir", "m1");
    m_editor->makeMission();
    QCOMPARE(m_editor->errors().texts, QStringList());
    QCOMPARE(m_cwd->read("Dir/m1.qav"), fixture("omitted.qav"));
    QCOMPARE(m_cwd->read("mfc/m1.mfc"), fixture("omitted.mfc"));
}

void tst_makemission::secondRunRewritesMissionAndUpdatesProject()
{
    prepare("Dir", "m1");
    m_editor->set("txtLLabel", "first");
    m_editor->makeMission();
    const QByteArray firstProject = m_cwd->read("mfc/m1.mfc");
    QVERIFY(firstProject.contains("[Landing]\r\n"));

    m_editor->find<QRadioButton>("optLndOmmit(0)")->setChecked(true);
    m_editor->set("txtLLabel", "second");
    m_editor->makeMission();
    QCOMPARE(m_editor->errors().texts, QStringList());
    const QByteArray mission = m_cwd->read("Dir/m1.qav");
    QVERIFY(mission.contains("<Label>second</Label>"));
    QVERIFY(!mission.contains("Landing"));
    QCOMPARE(mission.count("\r\n"), 130 - 12);

    // Key by key: the landing section of the first save stays, its flag changes.
    QByteArray expected = firstProject;
    expected.replace("LndOmmit=No", "LndOmmit=Yes").replace("Label=first", "Label=second");
    QCOMPARE(m_cwd->read("mfc/m1.mfc"), expected);
}

void tst_makemission::projectKeepsWhatWasWrittenByHand()
{
    m_cwd->write("mfc/m1.mfc",
                 "; written by hand\r\n[settings]\r\ndirectory = old\r\nExtra=keep\r\n"
                 "\r\n[Custom]\r\nx=1\r\n");
    for (const char *pair : {"optPAOmmit", "optSOmmit", "optAppOmmit", "optDOmmit", "optUOmmit",
                             "optROmmit", "optLndOmmit"})
        m_editor->find<QRadioButton>(QString(pair) + "(0)")->setChecked(true);
    prepare("Dir", "m1");
    m_editor->makeMission();
    QCOMPARE(m_editor->errors().texts, QStringList());

    QByteArray launchAndAscent = fixture("omitted.mfc");
    launchAndAscent = launchAndAscent.mid(launchAndAscent.indexOf("[Launch]"));
    QCOMPARE(m_cwd->read("mfc/m1.mfc"),
             "; written by hand\r\n[settings]\r\ndirectory =Dir\r\nExtra=keep\r\nFileName=m1\r\n"
             "Label=\r\nPAOmmit=Yes\r\nSOmmit=Yes\r\nAppOmmit=Yes\r\nDOmmit=Yes\r\nUOmmit=Yes\r\n"
             "ROmmit=Yes\r\nLndOmmit=Yes\r\n\r\n[Custom]\r\nx=1\r\n"
                     + launchAndAscent);
}

void tst_makemission::longAndBlankValuesReadBack()
{
    prepare("Dir", "m1");
    const QString longText = QString(300, 'w') + "end";
    m_editor->set("txtLLabel", longText);
    m_editor->set("txtLStartAt", " 10 ");
    m_editor->set("txtLHeading", "\"90\"");
    m_editor->makeMission();
    const QString project = projectFilePath("m1");
    QCOMPARE(ReadINI("Launch", "Label", project), longText);
    QCOMPARE(ReadINI("Launch", "StartAt", project), " 10 ");
    QCOMPARE(ReadINI("Launch", "Heading", project), "\"90\"");
    QVERIFY(m_cwd->read("mfc/m1.mfc").contains("StartAt=\" 10 \"\r\nWakeUp=\r\n"));
    QVERIFY(m_cwd->read("Dir/m1.qav").contains("<Var name=\"StartAt\"> T =  10  </Var>"));
}

void tst_makemission::checkBoxesAsFlags_data()
{
    QTest::addColumn<bool>("cone");
    QTest::addColumn<bool>("clearance");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("nose cone") << true << false << QByteArray("CmdCone=Yes\r\nCmdClearance=No\r\n");
    QTest::newRow("clearance") << false << true << QByteArray("CmdCone=No\r\nCmdClearance=Yes\r\n");
    QTest::newRow("neither") << false << false << QByteArray("CmdCone=No\r\nCmdClearance=No\r\n");
}

void tst_makemission::checkBoxesAsFlags()
{
    QFETCH(bool, cone);
    QFETCH(bool, clearance);
    QFETCH(QByteArray, stored);
    m_editor->find<QCheckBox>("chkDCmdsK")->setChecked(cone);
    m_editor->find<QCheckBox>("chkDCmdsCC")->setChecked(clearance);
    prepare("Dir", "m1");
    m_editor->makeMission();
    QVERIFY(m_cwd->read("mfc/m1.mfc").contains("NAV=\r\n" + stored + "[Undocking]\r\n"));
}

void tst_makemission::failures_data()
{
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("written");

    const QString nothing = "\n\nNothing was written.";
    const QString keptMission = "\n\nNothing was written; an older mission file is as it was.";
    const QString onlyMission = "\n\nThe mission file was written; \"settings.dat\" and the "
                                "project file were not.";
    const QString noProject = "\n\nThe mission file and \"settings.dat\" were written; the "
                              "project file was not, and an older one is as it was.";
    const QStringList ready{"txtDirectory=Dir", "txtFileName=m1"};
    const QStringList mission{"Dir/m1.qav"}, missionAndSettings{"Dir/m1.qav", "settings.dat"};
    const auto field = [&nothing](const char *name, const char *tab, const char *what) {
        return QString("The field \"%1\" on the tab \"%2\" holds %3, which the mission and project "
                       "files cannot hold.")
                       .arg(name, tab, QString::fromUtf8(what))
                + nothing;
    };

    QTest::newRow("missing directory")
            << QStringList{} << QStringList{"txtDirectory=nowhere", "txtFileName=m1"}
            << "Could not write the mission file:\nnowhere/m1.qav: No such file or directory"
                    + keptMission
            << QStringList{};
    QTest::newRow("directory is a regular file")
            << QStringList{"file:plain=a file"}
            << QStringList{"txtDirectory=plain", "txtFileName=m1"}
            << "Could not write the mission file:\nplain/m1.qav: Not a directory" + keptMission
            << QStringList{};
    QTest::newRow("mission file is a folder")
            << QStringList{"folder:Dir/m1.qav"} << ready
            << "Could not write the mission file:\nDir/m1.qav: Is a directory" + keptMission
            << QStringList{};
    QTest::newRow("mission file links to a device")
            << QStringList{"link:Dir/m1.qav=/dev/null"} << ready
            << "Could not write the mission file:\nDir/m1.qav: Not a regular file (a device)"
                    + keptMission
            << QStringList{};
    QTest::newRow("file size limit")
            << QStringList{"fsize:1000"} << ready
            << "Could not write the mission file:\nDir/m1.qav: File too large" + keptMission
            << QStringList{};
    QTest::newRow("full disk") << QStringList{"full:Dir"} << ready
                               << "Could not write the mission file:\nDir/m1.qav: No space left "
                                  "on device"
                    + keptMission
                               << QStringList{};
    QTest::newRow("disk full but for a block")
            << QStringList{"full:Dir=4096"} << ready
            << "Could not write the mission file:\nDir/m1.qav: No space left on device"
                    + keptMission
            << QStringList{};
    QTest::newRow("read-only mission folder")
            << QStringList{"readonly:Dir"} << ready
            << "Could not write the mission file:\nDir/m1.qav: Permission denied" + keptMission
            << QStringList{};
    QTest::newRow("file name never typed")
            << QStringList{} << QStringList{"txtDirectory=Dir"}
            << "The mission has no file name. Type one into \"File Name\" on the tab \"10 - "
               "Make File\"."
                    + nothing
            << QStringList{};
    QTest::newRow("file name cleared")
            << QStringList{} << QStringList{"txtDirectory=Dir", "txtFileName=m1", "txtFileName="}
            << "The mission has no file name. Type one into \"File Name\" on the tab \"10 - "
               "Make File\"."
                    + nothing
            << QStringList{};
    QTest::newRow("no directory")
            << QStringList{} << QStringList{"txtDirectory=", "txtFileName=m1"}
            << "The mission has no directory. Type one into \"Directory\" on the tab \"10 - "
               "Make File\"."
                    + nothing
            << QStringList{};
    QTest::newRow("character outside the code page")
            << QStringList{} << ready + QStringList{"txtLLabel=\u03a9mega"}
            << field("Label", "1 - Launch", "the character \"\u03a9\" (U+03A9)") << QStringList{};
    QTest::newRow("line break") << QStringList{} << ready + QStringList{"txtDName=a\nb"}
                                << field("Label", "6 - Docking", "a line break (U+000A)")
                                << QStringList{};
    QTest::newRow("escape character")
            << QStringList{} << ready + QStringList{"txtRName=a\x1b[2Jb"}
            << field("Label", "8 - Reentry", "the character U+001B") << QStringList{};
    QTest::newRow("NUL in the file name")
            << QStringList{}
            << QStringList{"txtDirectory=Dir", QString("txtFileName=m1") + QChar(0)}
            << field("File Name", "10 - Make File", "the character U+0000") << QStringList{};
    QTest::newRow("NUL in the directory")
            << QStringList{}
            << QStringList{QString("txtDirectory=Dir") + QChar(0), "txtFileName=m1"}
            << field("Directory", "10 - Make File", "the character U+0000") << QStringList{};
    QTest::newRow("array element named by its column")
            << QStringList{} << ready + QStringList{"txtAHeight(3)=6\r"}
            << field("Height 4", "2 - Ascent", "a line break (U+000D)") << QStringList{};
    QTest::newRow("mission name") << QStringList{} << ready + QStringList{"txtMissionName=\u4e2d"}
                                  << field("Mission Name", "10 - Make File",
                                           "the character \"\u4e2d\" (U+4E2D)")
                                  << QStringList{};
    QTest::newRow("mission would replace the project loaded")
            << QStringList{} << QStringList{"load=Dir/m1.qav"} + ready
            << "Writing Dir/m1.qav would replace %cwd%/Dir/m1.qav, which the program "
               "needs as it is."
                    + nothing
            << QStringList{};
    QTest::newRow("settings file links to the project file")
            << QStringList{"link:settings.dat=mfc/m1.mfc"} << ready
            << "Writing settings.dat would replace mfc/m1.mfc, which the program needs as it is."
                    + nothing
            << QStringList{};
    QTest::newRow("settings file is a folder")
            << QStringList{"folder:settings.dat"} << ready
            << "Could not write the settings file:\nsettings.dat: Is a directory" + onlyMission
            << mission;
    QTest::newRow("settings file is a named pipe")
            << QStringList{"fifo:settings.dat"} << ready
            << "Could not write the settings file:\nsettings.dat: Not a regular file (a named "
               "pipe)"
                    + onlyMission
            << mission;
    QTest::newRow("project folder is a file")
            << QStringList{"file:mfc=in the way"} << ready
            << "Could not write the project folder:\nmfc: Not a directory" + noProject
            << missionAndSettings;
    QTest::newRow("project file is a folder")
            << QStringList{"folder:mfc/m1.mfc"} << ready
            << "Could not update the project file:\nmfc/m1.mfc: Is a directory" + nothing
            << QStringList{};
    QTest::newRow("project file is a named pipe")
            << QStringList{"fifo:mfc/m1.mfc"} << ready
            << "Could not update the project file:\nmfc/m1.mfc: Not a regular file (a named pipe)"
                    + nothing
            << QStringList{};
    QTest::newRow("project file too large")
            << QStringList{"sparse:mfc/m1.mfc=17000000"} << ready
            << "Could not update the project file:\nmfc/m1.mfc: too large to be a project file"
                    + nothing
            << QStringList{};
    QTest::newRow("project file in UTF-16BE")
            << QStringList{"file:mfc/m1.mfc=\u00fe\u00ff"} << ready
            << "Could not update the project file:\nmfc/m1.mfc: the file is UTF-16BE text, which "
               "this program does not write"
                    + nothing
            << QStringList{};
    QTest::newRow("project file marked as UTF-8 takes no 8-bit text")
            << QStringList{"file:mfc/m1.mfc=\u00ef\u00bb\u00bf[Settings]\r\n"}
            << ready + QStringList{"txtLLabel=Caf\u00e9"}
            << "Could not update the project file:\nmfc/m1.mfc: the file is marked as UTF-8 text, "
               "to which this program adds only ASCII characters"
                    + nothing
            << QStringList{};
    QTest::newRow("project folder read-only")
            << QStringList{"readonly:mfc"} << ready
            << "Could not write the project file:\nmfc/m1.mfc: Permission denied" + noProject
            << missionAndSettings;
}

// Every fault leaves each older file as it was, unless the files before it in the order
// mission, settings, project were written, and leaves no other file behind.
void tst_makemission::failures()
{
    QFETCH(QStringList, faults);
    QFETCH(QStringList, edits);
    QFETCH(QString, message);
    QFETCH(QStringList, written);

    m_cwd->write("Dir/m1.qav", "older mission");
    m_cwd->write("settings.dat", "Older\r\n");
    m_cwd->write("mfc/m1.mfc", "; older project\r\n[Settings]\r\nFileName=m1\r\n");
    for (const QString &edit : edits) {
        const QString name = edit.section('=', 0, 0), value = edit.section('=', 1);
        if (name == "load") {
            m_editor->dialog().answer = m_cwd->filePath(value);
            m_editor->find<QPushButton>("cmdOpen")->click();
        } else {
            m_editor->set(name, value);
        }
    }
    Faults made(m_cwd->path());
    QString skip;
    if (!made.apply(faults, &skip))
        QSKIP(qPrintable(skip));
    const QMap<QString, QByteArray> before = snapshot(m_cwd->path());
    m_editor->makeMission();
    const QMap<QString, QByteArray> after = snapshot(m_cwd->path());

    QCOMPARE(m_editor->errors().titles, QStringList{"Make Mission"});
    QCOMPARE(m_editor->errors().texts.value(0), QString(message).replace("%cwd%", m_cwd->path()));
    QVERIFY(!m_editor->find<QPushButton>("cmdOpen")->isEnabled());
    QCOMPARE(changes(before, after), written);
    if (written.contains("Dir/m1.qav"))
        QCOMPARE(after.value("Dir/m1.qav").count("\r\n"), 130);
}

void tst_makemission::unwritableTextInAnOmittedStepDoesNotMatter()
{
    m_editor->find<QRadioButton>("optDOmmit(0)")->setChecked(true);
    m_editor->set("txtDName", QString::fromUtf8("\u03a9\n"));
    prepare("Dir", "m1");
    m_editor->makeMission();
    QCOMPARE(m_editor->errors().texts, QStringList());
    QVERIFY(!m_cwd->read("mfc/m1.mfc").contains("[Docking]"));
}

void tst_makemission::captionNamesTheProjectEvenOnFailure()
{
    prepare("nowhere", "m1");
    m_editor->makeMission();
    QCOMPARE(m_editor->caption("lblFileEdit"),
             Platform::joinPath({m_cwd->path(), "mfc", "m1.mfc"}));
    QVERIFY(!QFile::exists(m_cwd->filePath("settings.dat")));
    QVERIFY(!QFile::exists(m_cwd->filePath("mfc")));
}

QTEST_MAIN(tst_makemission)
#include "tst_makemission.moc"
