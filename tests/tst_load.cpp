// SPDX-License-Identifier: MIT

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTest>

#include <unistd.h>

#include "ansitext.h"
#include "pathrules.h"
#include "testsupport.h"

// "Load MFC File": a project file back into the window, and the model following it.
class tst_load : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void cancelChangesNothing();
    void loadedProjectRebuildsTheMission();
    void roundTripThroughTwoFolders();
    void edgeCases_data();
    void edgeCases();
    void yesChosenBeforeTheLoadStays();
    void handMadeWindowsFile();
    void unreadableFileChangesNothing_data();
    void unreadableFileChangesNothing();
    void anyReadableFileLoads_data();
    void anyReadableFileLoads();

private:
    void load(const QString &path) const;
    QStringList fieldState() const;

    std::unique_ptr<WorkingDirectory> m_cwd;
    std::unique_ptr<Editor> m_editor;
};

void tst_load::init()
{
    m_cwd = std::make_unique<WorkingDirectory>();
    m_editor = std::make_unique<Editor>();
}

void tst_load::cleanup()
{
    m_editor.reset();
    m_cwd.reset();
}

void tst_load::load(const QString &path) const
{
    m_editor->dialog().setFileName("left over");
    m_editor->dialog().answer = path;
    m_editor->find<QPushButton>("cmdOpen")->click();
}

// Every text, check, selection and readout of the window, to compare before and after.
QStringList tst_load::fieldState() const
{
    QStringList state;
    for (QWidget *w : m_editor->window->findChildren<QWidget *>()) {
        const QString name = w->objectName();
        if (auto *box = qobject_cast<QLineEdit *>(w))
            state << name + '=' + box->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            state << name + '=' + QString::number(button->isChecked());
        else if (auto *label = qobject_cast<QLabel *>(w))
            state << name + '=' + label->text();
        else if (auto *insert = qobject_cast<QPlainTextEdit *>(w))
            state << name + '=' + insert->toPlainText();
    }
    return state;
}

void tst_load::cancelChangesNothing()
{
    m_editor->set("txtLLabel", "kept");
    const QStringList before = fieldState();
    const QByteArray mission = Platform::encodeAnsi(renderMission(m_editor->model, Omissions{}));
    load({});
    QCOMPARE(m_editor->dialog().shown, 1);
    QCOMPARE(m_editor->dialog().fileNameAtShow, QString());
    QCOMPARE(fieldState(), before);
    QCOMPARE(Platform::encodeAnsi(renderMission(m_editor->model, Omissions{})), mission);
    QVERIFY(!m_editor->find<QPushButton>("cmdOpen")->isEnabled());
    QCOMPARE(m_editor->errors().texts, QStringList());
}

void tst_load::loadedProjectRebuildsTheMission()
{
    const QString path = QStringLiteral(QAV_FIXTURES "/filled.mfc");
    load(path);
    QCOMPARE(m_editor->errors().texts, QStringList());
    QCOMPARE(m_editor->caption("lblFileEdit"), path);
    QCOMPARE(Platform::encodeAnsi(renderMission(m_editor->model, Omissions{})),
             fixture("filled.qav"));
    QCOMPARE(m_editor->model.MissionPath,
             "Dir" + QString(Platform::pathSeparator()) + "filled.qav");
    QCOMPARE(m_editor->find<QPlainTextEdit>("txtInsert")->toPlainText(),
             "<Entry>\n\t<Label>Mission</Label>\n\t<XQAV>filled.qav</XQAV>\n</Entry>");
    QCOMPARE(m_editor->caption("lblLs"), "T - LWakeUps");
    QCOMPARE(m_editor->caption("lblD"), "SReference");
    QVERIFY(m_editor->find<QCheckBox>("chkDCmdsK")->isChecked());
}

void tst_load::roundTripThroughTwoFolders()
{
    m_editor->fillEveryField();
    m_editor->set("txtLStartAt", " padded ");
    m_editor->set("txtMissionName", "Round & trip");
    m_editor->set("txtDirectory", "Dir");
    m_editor->set("txtFileName", "trip");
    QVERIFY(QDir().mkdir("Dir"));
    m_editor->makeMission();
    QCOMPARE(m_editor->errors().texts, QStringList());

    WorkingDirectory second;
    QVERIFY(QDir().mkdir("Dir"));
    Editor fresh;
    fresh.dialog().answer = m_cwd->filePath("mfc/trip.mfc");
    fresh.find<QPushButton>("cmdOpen")->click();
    fresh.makeMission();
    QCOMPARE(fresh.errors().texts, QStringList());
    for (const char *file : {"Dir/trip.qav", "mfc/trip.mfc", "settings.dat"})
        QCOMPARE(second.read(file), m_cwd->read(file));
}

void tst_load::edgeCases_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("expected"); // control=text, or control=1/0 for buttons

    const QByteArray allNo = "[Settings]\r\nPAOmmit=No\r\nSOmmit=No\r\nAppOmmit=No\r\nDOmmit=No\r\n"
                             "UOmmit=No\r\nROmmit=No\r\nLndOmmit=No\r\n";
    QTest::newRow("flag in small letters skips the step")
            << QByteArray("[Settings]\r\nPAOmmit=no\r\n[Plane Alignment]\r\nLabel=x\r\n")
            << QStringList{"optPAOmmit(0)=1", "optPAOmmit(1)=0", "txtPALabel=before"};
    QTest::newRow("missing flag selects Yes")
            << QByteArray("[Settings]\r\n[Landing]\r\nLabel=x\r\n")
            << QStringList{"optLndOmmit(0)=1", "txtLndName=before"};
    QTest::newRow("flag No fills the step and leaves the pair")
            << allNo + "[Plane Alignment]\r\nLabel=x\r\n"
            << QStringList{"optPAOmmit(1)=1", "txtPALabel=x", "txtPAAlign="};
    QTest::newRow("surplus base part dropped")
            << QByteArray("[Launch]\r\nBase=1:2:3:4\r\n")
            << QStringList{"txtLBase(0)=1", "txtLBase(1)=2", "txtLBase(2)=3"};
    QTest::newRow("missing base parts empty their boxes")
            << QByteArray("[Launch]\r\nBase=1\r\nOrientation=a  b\r\n")
            << QStringList{"txtLBase(0)=1",        "txtLBase(1)=",        "txtLBase(2)=",
                           "txtLOrientation(0)=a", "txtLOrientation(1)=", "txtLOrientation(2)=b"};
    QTest::newRow("a height holding a space moves the rest on")
            << QByteArray("[Ascent]\r\nHeight=2 10 2 0 60 100 150 200 260\r\n")
            << QStringList{"txtAHeight(2)=2", "txtAHeight(3)=0", "txtAHeight(4)=60",
                           "txtAHeight(7)=200"};
    QTest::newRow("nose cone only by exactly Yes")
            << allNo + "[Docking]\r\nCmdCone=yes\r\nCmdClearance=Yes\r\n"
            << QStringList{"chkDCmdsK=0", "chkDCmdsCC=1"};
    QTest::newRow("hover pad saved as a single space")
            << allNo + "[Landing]\r\nHoverPad=\" \"\r\n"
            << QStringList{"txtLndHoverPad(0)=", "txtLndHoverPad(1)="};
    QTest::newRow("hover pad missing") << allNo + "[Landing]\r\nLabel=L\r\n"
                                       << QStringList{"txtLndHoverPad(0)=", "txtLndName=L"};
    QTest::newRow("undocking commands have no effect")
            << allNo + "[Undocking]\r\nCommands=X\r\nVRel=3\r\n"
            << QStringList{"txtUVRel=3"};
    QTest::newRow("file without keys")
            << QByteArray("; nothing here\r\n")
            << QStringList{"txtLBase(0)=", "txtAHeight(0)=", "txtAThrust(7)=", "txtDirectory=",
                           "txtFileName=", "optDOmmit(0)=1", "txtDName=before"};
}

void tst_load::edgeCases()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, expected);

    for (const char *name : {"txtPALabel", "txtLndName", "txtDName"})
        m_editor->set(name, "before");
    m_editor->find<QCheckBox>("chkDCmdsK")->setChecked(true);
    m_editor->find<QLineEdit>("txtLndHoverPad(0)")->setText("p");
    m_cwd->write("edge.mfc", file);
    load(m_cwd->filePath("edge.mfc"));
    QCOMPARE(m_editor->errors().texts, QStringList());
    for (const QString &item : expected) {
        const QString name = item.section('=', 0, 0), value = item.section('=', 1);
        QWidget *w = m_editor->window->control(name);
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            QCOMPARE(QString::number(button->isChecked()), value);
        else
            QCOMPARE(m_editor->text(name), value);
    }
}

void tst_load::yesChosenBeforeTheLoadStays()
{
    m_editor->find<QRadioButton>("optSOmmit(0)")->setChecked(true);
    load(QStringLiteral(QAV_FIXTURES "/filled.mfc"));
    QVERIFY(m_editor->find<QRadioButton>("optSOmmit(0)")->isChecked());
    QCOMPARE(m_editor->text("txtSName"), "SName");
    QCOMPARE(modelValue(m_editor->model, "SCompleteAt"), "D(SReference) = SCompleteAtk");
}

void tst_load::handMadeWindowsFile()
{
    m_cwd->write("hand.mfc",
                 "; made on Windows\r\n[SETTINGS]\r\ndirectory = "
                 "C:\\Orbiter\\QAV\r\nFILENAME=caf\xe9\r\n"
                 "label=\"Caf\xe9 run\"\r\npaommit=No\r\nSOmmit = No \r\nAppOmmit=Yes\r\n"
                 "DOmmit=No\r\nUOmmit=Yes\r\nROmmit=Yes\r\nLndOmmit=Yes\r\n\r\n"
                 "[launch]\r\nLABEL = ' Launch '\r\nbase=Earth:Cape:1\r\n"
                 "[Plane Alignment]\r\n; the target\r\nReference=ISS\r\n"
                 "[Synchronizing]\r\nReference=ISS\r\nCompleteAt=5\r\n"
                 "[Docking]\r\nCmdCone=Yes\r\nLabel=\"\"\r\n");
    load(m_cwd->filePath("hand.mfc"));
    QCOMPARE(m_editor->errors().texts, QStringList());
    QCOMPARE(m_editor->text("txtDirectory"), "C:\\Orbiter\\QAV");
    QCOMPARE(m_editor->text("txtFileName"), QString::fromUtf8("caf\u00e9"));
    QCOMPARE(m_editor->text("txtMissionName"), QString::fromUtf8("Caf\u00e9 run"));
    QCOMPARE(m_editor->text("txtLLabel"), " Launch ");
    QCOMPARE(m_editor->text("txtLBase(1)"), "Cape");
    QCOMPARE(m_editor->text("txtPAReference"), "ISS");
    QCOMPARE(modelValue(m_editor->model, "SCompleteAt"), "D(ISS) = 5k");
    QCOMPARE(m_editor->text("txtDName"), "");
    QVERIFY(m_editor->find<QCheckBox>("chkDCmdsK")->isChecked());
    QVERIFY(m_editor->find<QRadioButton>("optAppOmmit(0)")->isChecked());
    QVERIFY(m_editor->find<QRadioButton>("optDOmmit(1)")->isChecked());
}

void tst_load::unreadableFileChangesNothing_data()
{
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a folder") << QStringList{"folder:p.mfc"} << "Is a directory";
    QTest::newRow("vanished since it was chosen") << QStringList{} << "No such file or directory";
    QTest::newRow("no permission") << QStringList{"locked:p.mfc"} << "Permission denied";
    QTest::newRow("a named pipe") << QStringList{"fifo:p.mfc"}
                                  << "Not a regular file (a named pipe)";
    QTest::newRow("a link to an endless device")
            << QStringList{"link:p.mfc=/dev/zero"} << "Not a regular file (a device)";
    QTest::newRow("three gigabytes")
            << QStringList{"sparse:p.mfc=3000000000"} << "too large to be a project file";
}

void tst_load::unreadableFileChangesNothing()
{
    QFETCH(QStringList, faults);
    QFETCH(QString, reason);
    const QString path = m_cwd->filePath("p.mfc");
    if (faults.contains("locked:p.mfc")) {
        if (geteuid() == 0)
            QSKIP("root reads every file");
        faults.removeAll("locked:p.mfc");
        m_cwd->write("p.mfc", "[Launch]\r\nLabel=x\r\n");
        QFile::setPermissions(path, {});
    }
    Faults made(m_cwd->path());
    QString skip;
    QVERIFY(made.apply(faults, &skip));
    m_editor->set("txtLLabel", "my work");
    const QStringList before = fieldState();
    load(path);
    QCOMPARE(fieldState(), before);
    QCOMPARE(m_editor->errors().titles, QStringList{"Load MFC File"});
    QCOMPARE(m_editor->errors().texts.value(0),
             "Could not read the project file:\n" + path + ": " + reason
                     + "\n\nNothing was loaded.");
    QCOMPARE(modelValue(m_editor->model, "LLabel"), "my work");
}

void tst_load::anyReadableFileLoads_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("label"); // the launch label it gives

    QByteArray junk(64 * 1024, Qt::Uninitialized);
    QRandomGenerator random(7);
    for (char &c : junk)
        c = char(random.bounded(256));
    QTest::newRow("binary junk") << junk << "";
    QByteArray big = "[Launch]\r\nLabel=big\r\n";
    while (big.size() < 4 * 1024 * 1024)
        big += "[S" + QByteArray::number(big.size()) + "]\r\nkey=value value value\r\n";
    QTest::newRow("several megabytes") << big << "big";
    QTest::newRow("lines of 100000 characters") << "[Launch]\r\nLabel=" + QByteArray(100000, 'x')
                    + "\r\n" + QByteArray(100000, '[') + "\r\nStartAt=" + QByteArray(100000, '=')
                    + "\r\n" << QString(100000, 'x');
    QTest::newRow("NUL bytes") << QByteArray("[Launch]\r\nLa\0bel=a\0b\r\nLabel=c\0d\r\n", 33)
                               << QString::fromLatin1("c\0d", 3);
    QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF[Launch]\r\nLabel=u8\r\n") << "u8";
    QByteArray wide("\xFF\xFE");
    for (char c : QByteArray("[Launch]\r\nLabel=w\r\n"))
        wide += c, wide += '\0';
    QTest::newRow("UTF-16LE mark") << wide << "w";
    QTest::newRow("odd UTF-16LE length") << wide + 'x' << "w";
    QTest::newRow("LF only") << QByteArray("[Launch]\nLabel=lf\n") << "lf";
    QTest::newRow("CR only") << QByteArray("[Launch]\rLabel=cr\r") << "cr";
    QTest::newRow("empty") << QByteArray() << "";
}

void tst_load::anyReadableFileLoads()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, label);
    m_cwd->write("any.mfc", file);
    load(m_cwd->filePath("any.mfc"));
    QCOMPARE(m_editor->errors().texts, QStringList());
    QCOMPARE(m_editor->text("txtLLabel"), label);
    QCOMPARE(modelValue(m_editor->model, "LLabel"), label);
}

QTEST_MAIN(tst_load)
#include "tst_load.moc"
