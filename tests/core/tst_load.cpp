// SPDX-License-Identifier: MIT

#include <QSignalSpy>

#include "testsupport.h"

using namespace Qt::StringLiterals;

// Loading a project file into the form, and the model following it.
class tst_load : public QObject
{
    Q_OBJECT

private slots:
    void init() { m = std::make_unique<Session>(); }
    void cleanup() { m.reset(); }

    // What a project file fills in, over fields the user filled before.
    void edgeCases_data()
    {
        // expected: control=text, or control=1 or 0 for a button
        columns<QByteArray, QStringList>({"file", "expected"});
        const QByteArray allNo =
                "[Settings]\r\nPAOmmit=No\r\nSOmmit=No\r\nAppOmmit=No\r\nDOmmit=No\r\n"
                "UOmmit=No\r\nROmmit=No\r\nLndOmmit=No\r\n";
        // clang-format off
        QTest::newRow("flag in small letters skips the step") << "[Settings]\r\nPAOmmit=no\r\n[Plane Alignment]\r\nLabel=x\r\n"_ba << QStringList{"optPAOmmit(0)=1", "optPAOmmit(1)=0", "txtPALabel=before"};
        QTest::newRow("missing flag selects Yes") << "[Settings]\r\n[Landing]\r\nLabel=x\r\n"_ba << QStringList{"optLndOmmit(0)=1", "txtLndName=before"};
        QTest::newRow("flag No fills the step and leaves the pair") << allNo + "[Plane Alignment]\r\nLabel=x\r\n" << QStringList{"optPAOmmit(1)=1", "txtPALabel=x", "txtPAAlign=", "optSOmmit(0)=1", "txtSName="};
        QTest::newRow("surplus base part dropped") << "[Launch]\r\nBase=1:2:3:4\r\n"_ba << QStringList{"txtLBase(0)=1", "txtLBase(1)=2", "txtLBase(2)=3"};
        QTest::newRow("missing base parts empty their boxes") << "[Launch]\r\nBase=1\r\nOrientation=a  b\r\n"_ba << QStringList{"txtLBase(0)=1", "txtLBase(1)=", "txtLBase(2)=", "txtLOrientation(0)=a", "txtLOrientation(1)=", "txtLOrientation(2)=b"};
        QTest::newRow("a height holding a space moves the rest on") << "[Ascent]\r\nHeight=2 10 2 0 60 100 150 200 260\r\n"_ba << QStringList{"txtAHeight(2)=2", "txtAHeight(3)=0", "txtAHeight(4)=60", "txtAHeight(7)=200"};
        QTest::newRow("nose cone only by exactly Yes") << allNo + "[Docking]\r\nCmdCone=yes\r\nCmdClearance=Yes\r\n" << QStringList{"chkDCmdsK=0", "chkDCmdsCC=1"};
        QTest::newRow("hover pad saved as a single space") << allNo + "[Landing]\r\nHoverPad=\" \"\r\n" << QStringList{"txtLndHoverPad(0)=", "txtLndHoverPad(1)="};
        QTest::newRow("hover pad missing") << allNo + "[Landing]\r\nLabel=L\r\n" << QStringList{"txtLndHoverPad(0)=", "txtLndName=L"};
        QTest::newRow("undocking commands have no effect") << allNo + "[Undocking]\r\nCommands=X\r\nVRel=3\r\n" << QStringList{"txtUVRel=3", "lblUCmds=K"};
        QTest::newRow("file without keys") << "; nothing here\r\n"_ba << QStringList{"txtLBase(0)=", "txtAHeight(0)=", "txtAThrust(7)=", "txtDirectory=", "txtFileName=", "optDOmmit(0)=1", "txtDName=before"};
        QTest::newRow("hand-made on Windows")
                << "; made on Windows\r\n[SETTINGS]\r\ndirectory = C:\\Orbiter\\QAV\r\nFILENAME=caf\xe9\r\nlabel=\"Caf\xe9 run\"\r\npaommit=No\r\nSOmmit = No \r\nAppOmmit=Yes\r\n"
                   "DOmmit=No\r\nUOmmit=Yes\r\nROmmit=Yes\r\nLndOmmit=Yes\r\n\r\n[launch]\r\nLABEL = ' Launch '\r\nbase=Earth:Cape:1\r\n[Plane Alignment]\r\n; the target\r\n"
                   "Reference=ISS\r\n[Synchronizing]\r\nReference=ISS\r\nCompleteAt=5\r\n[Docking]\r\nCmdCone=Yes\r\nLabel=\"\"\r\n"_ba
                << QStringList{"txtDirectory=C:\\Orbiter\\QAV", "txtFileName=caf\u00e9", "txtMissionName=Caf\u00e9 run", "txtLLabel= Launch ", "txtLBase(1)=Cape",
                               "txtPAReference=ISS", "model:txtSCompleteAt=D(ISS) = 5k", "txtDName=", "chkDCmdsK=1", "optAppOmmit(0)=1", "optDOmmit(1)=1"};
        // clang-format on
    }

    void edgeCases()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, expected);
        m->core.edit({"txtPALabel=before", "txtLndName=before", "txtDName=before", "chkDCmdsK=1",
                      "txtLndHoverPad(0)=p", "optSOmmit(0)=1"});
        m->cwd.write("edge.mfc", file);
        m->core.edit({"load=edge.mfc"});
        QCOMPARE(m->core.values(expected), expected);
    }

    // The keys are read in the order the program has always filled the form in, which is
    // not the order a save writes them in; whatever follows the form sees that order. The
    // directory, shown before and not in the file, is emptied last.
    void fieldsFilledInLoadOrder()
    {
        m->cwd.write("p.mfc",
                     "[Settings]\r\nDOmmit=No\r\nUOmmit=No\r\n[Docking]\r\nLabel=d\r\n"
                     "Reference=r\r\nPort=1\r\nNAV=2\r\n[Undocking]\r\nLabel=u\r\n"
                     "StartAt=3\r\nReference=s\r\nPort=4\r\nVRel=5\r\n");
        QSignalSpy changed(&m->core.form, &frmMain::textChanged);
        m->core.edit({"load=p.mfc"});
        QStringList order;
        for (const QList<QVariant> &change : std::as_const(changed)) {
            const QString name = Form::objectName(change.at(0).value<Form::Id>());
            if (name.startsWith("txtD") || name.startsWith("txtU"))
                order.append(name);
        }
        QCOMPARE(order,
                 (QStringList{"txtDName", "txtDNAV", "txtDPort", "txtDReference", "txtULabel",
                              "txtUPort", "txtUReference", "txtUStartAt", "txtUVRel",
                              "txtDirectory"}));
    }

    void unreadableFileChangesNothing_data()
    {
        columns<QStringList, QString>({"faults", "reason"});
        // clang-format off
        QTest::newRow("a folder") << QStringList{"folder:p.mfc"} << "Is a directory";
        QTest::newRow("vanished since it was chosen") << QStringList{} << systemReason("No such file or directory", 2);
        QTest::newRow("no permission") << QStringList{"file:p.mfc=[Launch]\r\nLabel=x\r\n", "locked:p.mfc"} << "Permission denied";
        QTest::newRow("a named pipe") << QStringList{"fifo:p.mfc"} << "Not a regular file (a named pipe)";
        QTest::newRow("a link to an endless device") << QStringList{"link:p.mfc=/dev/zero"} << "Not a regular file (a device)";
        QTest::newRow("three gigabytes") << QStringList{"sparse:p.mfc=3000000000"} << "too large to be a project file";
        // clang-format on
    }

    void unreadableFileChangesNothing()
    {
        QFETCH(QStringList, faults);
        QFETCH(QString, reason);
        Faults made(m->cwd.path(), faults);
        if (!made.skipped().isEmpty())
            QSKIP(qPrintable(made.skipped()));
        m->core.edit({"txtLLabel=my work"});
        const QStringList before = m->core.state();
        QString error;
        QVERIFY(!m->core.form.loadProjectFile(m->cwd.filePath("p.mfc"), &error));
        QCOMPARE(error, reason);
        QCOMPARE(m->core.state(), before);
    }

private:
    std::unique_ptr<Session> m;
};

QTEST_GUILESS_MAIN(tst_load)
#include "tst_load.moc"
