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
    return QDir(m_cwd->filePath(folder)).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden, QDir::Name);
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
    m_cwd->write("mfc/m1.mfc", "; written by hand\r\n[settings]\r\ndirectory = old\r\nExtra=keep\r\n"
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
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("missionWritten");
    QTest::addColumn<QStringList>("created");

    const QString sep = Platform::pathSeparator();
    QTest::newRow("missing directory")
            << QStringList{"txtDirectory=nowhere", "txtFileName=m1"}
            << "Could not write the mission file:\nnowhere" + sep + "m1.qav\n\n" << false << QStringList{};
    QTest::newRow("directory is a regular file")
            << QStringList{"txtDirectory=plain", "txtFileName=m1"}
            << "Could not write the mission file:\nplain" + sep + "m1.qav\n\n" << false << QStringList{};
    QTest::newRow("file name never typed") << QStringList{"txtDirectory=Dir"}
                                           << "The mission has no file name." << false << QStringList{};
    QTest::newRow("file name cleared")
            << QStringList{"txtDirectory=Dir", "txtFileName=m1", "txtFileName="}
            << "The mission has no file name." << false << QStringList{};
    QTest::newRow("character outside the code page")
            << QStringList{"txtDirectory=Dir", "txtFileName=m1", "txtLLabel=\u03a9mega"}
            << "The field \"Label\" on the tab \"1 - Launch\" holds the character \"\u03a9\" (U+03A9)"
            << false << QStringList{};
    QTest::newRow("line break")
            << QStringList{"txtDirectory=Dir", "txtFileName=m1", "txtDName=a\nb"}
            << "The field \"Label\" on the tab \"6 - Docking\" holds a line break (U+000A)" << false << QStringList{};
    QTest::newRow("array element named by its column")
            << QStringList{"txtDirectory=Dir", "txtFileName=m1", "txtAHeight(3)=6\r"}
            << "The field \"Height 4\" on the tab \"2 - Ascent\" holds a line break (U+000D)"
            << false << QStringList{};
    QTest::newRow("mission name") << QStringList{"txtDirectory=Dir", "txtFileName=m1",
                                                 "txtMissionName=\u4e2d"}
                                  << "The field \"Mission Name\" on the tab \"10 - Make File\""
                                  << false << QStringList{};
    QTest::newRow("settings file blocked")
            << QStringList{"txtDirectory=Dir", "txtFileName=m1", "block=settings.dat"}
            << "Could not write the settings file:\nsettings.dat\n\n" << true << QStringList{};
    QTest::newRow("project folder blocked")
            << QStringList{"txtDirectory=Dir", "txtFileName=m1", "file=mfc"}
            << "Could not write the project folder:\nmfc\n\n" << true << QStringList{"settings.dat"};
    QTest::newRow("project file blocked")
            << QStringList{"txtDirectory=Dir", "txtFileName=m1", "block=mfc/m1.mfc"}
            << "Could not write the project file:\nmfc" + sep + "m1.mfc\n\n" << true
            << QStringList{"settings.dat"};
}

void tst_makemission::failures()
{
    QFETCH(QStringList, edits);
    QFETCH(QString, message);
    QFETCH(bool, missionWritten);
    QFETCH(QStringList, created);

    m_cwd->write("plain", "a file");
    m_cwd->write("Dir/m1.qav", "older mission");
    for (const QString &edit : edits) {
        const QString name = edit.section('=', 0, 0), value = edit.section('=', 1);
        if (name == "block")
            QVERIFY(QDir().mkpath(m_cwd->filePath(value)));
        else if (name == "file")
            m_cwd->write(value, "in the way");
        else
            m_editor->set(name, value);
    }
    const QStringList before = entries();
    m_editor->makeMission();

    QCOMPARE(m_editor->errors().texts.size(), 1);
    QCOMPARE(m_editor->errors().titles, QStringList{"Make Mission"});
    QVERIFY2(m_editor->errors().texts.first().startsWith(message),
             qPrintable(m_editor->errors().texts.first()));
    QVERIFY(!m_editor->find<QPushButton>("cmdOpen")->isEnabled());
    QStringList after = before + created;
    after.sort();
    QCOMPARE(entries(), after);
    QCOMPARE(entries("Dir"), QStringList{"m1.qav"});
    QCOMPARE(m_cwd->read("plain"), QByteArray("a file"));
    if (missionWritten)
        QCOMPARE(m_cwd->read("Dir/m1.qav").count("\r\n"), 130);
    else
        QCOMPARE(m_cwd->read("Dir/m1.qav"), QByteArray("older mission"));
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
             Platform::joinPath({Platform::programFolder(), "mfc", "m1.mfc"}));
    QVERIFY(!QFile::exists(m_cwd->filePath("settings.dat")));
    QVERIFY(!QFile::exists(m_cwd->filePath("mfc")));
}

QTEST_MAIN(tst_makemission)
#include "tst_makemission.moc"
