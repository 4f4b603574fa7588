// SPDX-License-Identifier: MIT

#include <QCheckBox>
#include <QRadioButton>
#include <QTest>
#include <QXmlStreamReader>

#include "ansitext.h"
#include "testsupport.h"

// The mission file as bytes, rendered from the model and the omission choices.
class tst_mission : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_cwd = std::make_unique<WorkingDirectory>(); }
    void goldens_data();
    void goldens();
    void eachStepLeftOutAlone_data();
    void eachStepLeftOutAlone();
    void dockingCommands_data();
    void dockingCommands();
    void emptyValuesLeaveTheirSpaces();
    void settingsBytes_data();
    void settingsBytes();
    void everyTextTheChecksPassIsWellFormed();

private:
    static QByteArray bytes(const MissionModel &model, const Omissions &omitted)
    {
        return Platform::encodeAnsi(renderMission(model, omitted));
    }
    static void verifyWellFormed(const QByteArray &mission);

    std::unique_ptr<WorkingDirectory> m_cwd;
};

void tst_mission::verifyWellFormed(const QByteArray &mission)
{
    // The header names no encoding; the autopilot reads the file in the 8-bit code page.
    QXmlStreamReader xml(Platform::decodeAnsi(mission));
    int steps = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"Step")
            ++steps;
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(steps >= 2);
}

void tst_mission::goldens_data()
{
    QTest::addColumn<QString>("golden");
    QTest::addColumn<int>("lines");
    QTest::newRow("defaults, every step") << "defaults.qav" << 130;
    QTest::newRow("every optional step left out") << "omitted.qav" << 43;
    QTest::newRow("every field filled, both commands") << "filled.qav" << 130;
    QTest::newRow("markup escaped") << "escaped.qav" << 68;
}

void tst_mission::goldens()
{
    QFETCH(QString, golden);
    QFETCH(int, lines);

    Editor editor;
    Omissions omitted{};
    if (golden == "omitted.qav") {
        for (int step = 0; step < Form::StepCount; ++step)
            omitted[std::size_t(step)] = Form::isOptional(step);
    }
    if (golden == "filled.qav")
        editor.fillEveryField();
    if (golden == "escaped.qav") {
        editor.set("txtLLabel", "<a & \"b\">");
        editor.set("txtDName", "x>y");
        editor.set("txtLndHoverPad(0)", "&");
        editor.set("txtLndHoverPad(1)", "<");
        omitted = {false, false, true, true, true, false, true, true, false, false};
    }
    const QByteArray mission = bytes(editor.model, omitted);
    QCOMPARE(mission, fixture(golden));
    QCOMPARE(mission.count("\r\n"), lines);
    QCOMPARE(mission.count('\n'), lines);
    verifyWellFormed(mission);
}

void tst_mission::eachStepLeftOutAlone_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QByteArray>("processor");
    QTest::addColumn<int>("lines");
    QTest::newRow("plane alignment") << 2 << QByteArray(R"(<Processor type="AlignOrbit">)") << 11;
    QTest::newRow("synchronizing") << 3 << QByteArray(R"(<Processor type="SyncOrbit">)") << 12;
    QTest::newRow("approach") << 4 << QByteArray(R"(<Processor type="Approach">)") << 12;
    QTest::newRow("docking") << 5 << QByteArray(R"(<Processor type="Docking" mode="Lock">)") << 13;
    QTest::newRow("undocking") << 6 << QByteArray(R"(<Processor type="Docking" mode="Release">)")
                               << 14;
    QTest::newRow("reentry") << 7 << QByteArray(R"(<Processor type="Reentry">)") << 13;
    QTest::newRow("landing") << 8 << QByteArray(R"(<Processor type="Landing" mode="Hover">)") << 12;
}

void tst_mission::eachStepLeftOutAlone()
{
    QFETCH(int, step);
    QFETCH(QByteArray, processor);
    QFETCH(int, lines);

    Editor editor;
    Omissions omitted{};
    omitted[std::size_t(step)] = true;
    const QByteArray mission = bytes(editor.model, omitted);
    QVERIFY(!mission.contains(processor));
    QCOMPARE(mission.count("\r\n"), 130 - lines);

    // What is left is the full mission without the step's block and its separator.
    const QByteArray full = fixture("defaults.qav");
    const qsizetype at = full.indexOf(processor);
    const qsizetype blockStart = full.lastIndexOf("\r\n\r\n<!-- ~", at) + 2;
    const qsizetype blockEnd = full.indexOf("</Step>\r\n", at) + 9;
    QCOMPARE(mission, full.left(blockStart) + full.mid(blockEnd));
}

void tst_mission::dockingCommands_data()
{
    QTest::addColumn<bool>("noseCone");
    QTest::addColumn<bool>("clearance");
    QTest::addColumn<QByteArray>("cmds");
    QTest::newRow("neither") << false << false << QByteArray(",");
    QTest::newRow("nose cone only") << true << false << QByteArray("K,");
    QTest::newRow("clearance only") << false << true << QByteArray(",^C");
    QTest::newRow("both") << true << true << QByteArray("K,^C");
}

void tst_mission::dockingCommands()
{
    QFETCH(bool, noseCone);
    QFETCH(bool, clearance);
    QFETCH(QByteArray, cmds);

    Editor editor;
    // Tick both, then clear what the case leaves out: a cleared box must not count.
    editor.find<QCheckBox>("chkDCmdsK")->setChecked(true);
    editor.find<QCheckBox>("chkDCmdsCC")->setChecked(true);
    editor.find<QCheckBox>("chkDCmdsK")->setChecked(noseCone);
    editor.find<QCheckBox>("chkDCmdsCC")->setChecked(clearance);
    QByteArray expected = fixture("defaults.qav");
    expected.replace(R"(<Var name="Cmds"> , </Var>)", R"(<Var name="Cmds"> )" + cmds + " </Var>");
    QCOMPARE(bytes(editor.model, Omissions{}), expected);
}

void tst_mission::emptyValuesLeaveTheirSpaces()
{
    Editor editor;
    const QByteArray mission = bytes(editor.model, Omissions{});
    QVERIFY(mission.contains(QByteArray(42, ' ') + "<Label></Label>\r\n"));
    QVERIFY(mission.contains(QByteArray(56, ' ')
                             + R"(<Var name="Base"> :: </Var>)"
                               "\r\n"));
    QVERIFY(mission.contains(R"(<Var name="Orientation">    </Var>)"));
    QVERIFY(mission.contains(R"(<Var name="Heading">  </Var>)"));
    QVERIFY(mission.contains(R"(<Var name="CompleteAt"> H = k </Var>)"));
    QVERIFY(mission.contains(R"(<Var name="Cmds"> K </Var>)"));
}

void tst_mission::settingsBytes_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("default") << "C:\\Orbiter\\QAV" << QByteArray("C:\\Orbiter\\QAV\r\n");
    QTest::newRow("empty") << "" << QByteArray("\r\n");
    QTest::newRow("comma and 8-bit")
            << QString::fromUtf8("D:\\Caf\u00e9, 2") << QByteArray("D:\\Caf\xe9, 2\r\n");
}

void tst_mission::settingsBytes()
{
    QFETCH(QString, directory);
    QFETCH(QByteArray, bytes);
    QCOMPARE(::settingsBytes(directory), bytes);
    QCOMPARE(directoryFromSettings(bytes), directory);
}

// Make Mission refuses what firstUnwritable finds; whatever it lets through must give a
// mission that an XML parser takes.
void tst_mission::everyTextTheChecksPassIsWellFormed()
{
    for (char32_t u = 0; u <= 0xFFFF; ++u) {
        const QString text = QStringLiteral("a") + QChar(char16_t(u)) + QStringLiteral("b");
        if (firstUnwritable(text) >= 0)
            continue;
        MissionModel model;
        for (const Form::Id id :
             {Form::id("txtLLabel"), Form::id("txtLStartAt"), Form::id("txtLBase", 1)})
            model.values[std::size_t(id.row)] = text;
        const QByteArray mission = bytes(model, Omissions{});
        verifyWellFormed(mission);
        QVERIFY2(!QTest::currentTestFailed(), qPrintable(QString::number(u, 16)));
    }
}

QTEST_MAIN(tst_mission)
#include "tst_mission.moc"
