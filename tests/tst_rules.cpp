// SPDX-License-Identifier: MIT

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QTest>

#include "pathrules.h"
#include "testsupport.h"
#include "tworowtabwidget.h"

// What each change of a field does to the mission model, the readouts, the mission path and
// the catalogue entry.
class tst_rules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_cwd = std::make_unique<WorkingDirectory>(); }

    void singleFields_data();
    void singleFields();
    void textIsStoredVerbatim();
    void sameTextRunsNoRule();

    void arraysRefreshEveryElement_data();
    void arraysRefreshEveryElement();
    void hoverPadTakesOnlyTheChangedElement();

    void distanceConditions_data();
    void distanceConditions();

    void dockingCommandsFollowTheirBoxes_data();
    void dockingCommandsFollowTheirBoxes();

    void missionPathAndEntry_data();
    void missionPathAndEntry();
    void entryEscapesMarkup_data();
    void entryEscapesMarkup();
    void editingTheEntryChangesNothingElse();

private:
    std::unique_ptr<WorkingDirectory> m_cwd;
};

void tst_rules::singleFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("readout");
    QTest::addColumn<QString>("caption");

    auto copy = [](const char *field, const char *value) {
        QTest::newRow(field) << field << "x y" << value << "x y"
                             << ""
                             << "";
    };
    copy("txtLLabel", "LLabel");
    copy("txtLStartAt", "LStartAt");
    copy("txtLHeading", "LHeading");
    copy("txtLHoverAt", "LHoverAt");
    copy("txtLThrust", "LThrust");
    copy("txtAName", "AName");
    copy("txtALockVz", "ALockVz");
    copy("txtAAlignWith", "AAlignWith");
    copy("txtPALabel", "PALabel");
    copy("txtPAReference", "PAReference");
    copy("txtPAAlign", "PAAlign");
    copy("txtSName", "SName");
    copy("txtAppName", "AppName");
    copy("txtAppNav", "AppNav");
    copy("txtDName", "DName");
    copy("txtDReference", "DReference");
    copy("txtDPort", "DPort");
    copy("txtDNAV", "DNAV");
    copy("txtULabel", "ULabel");
    copy("txtUStartAt", "UStartAt");
    copy("txtUReference", "UReference");
    copy("txtUPort", "UPort");
    copy("txtUVRel", "UVRel");
    copy("txtRName", "RName");
    copy("txtRStartAt", "RStartAt");
    copy("txtRAoa", "RAoa");
    copy("txtRBase", "RBase");
    copy("txtLndName", "LndName");
    copy("txtLndBase", "LndBase");
    copy("txtLndNAV", "LndNAV");
    copy("txtMissionName", "MissionName");

    QTest::newRow("wake up gets its unit and readout") << "txtLWakeUp"
                                                       << "30"
                                                       << "LWakeUp"
                                                       << "30s"
                                                       << "lblLs"
                                                       << "T - 30s";
    QTest::newRow("wake up cleared") << "txtLWakeUp"
                                     << ""
                                     << "LWakeUp"
                                     << "s"
                                     << "lblLs"
                                     << "T - s";
    QTest::newRow("launch completion gets its prefix") << "txtLCompleteAt"
                                                       << "8"
                                                       << "LCompleteAt"
                                                       << "H = 8"
                                                       << "lblLh"
                                                       << "H = 8";
    QTest::newRow("launch completion cleared") << "txtLCompleteAt"
                                               << ""
                                               << "LCompleteAt"
                                               << "H = "
                                               << "lblLh"
                                               << "H = ";
    QTest::newRow("ascent completion") << "txtACompleteAt"
                                       << "5"
                                       << "ACompleteAt"
                                       << "PeD = 5M"
                                       << "lblPed"
                                       << "PeD = 5M";
    QTest::newRow("ascent completion cleared") << "txtACompleteAt"
                                               << ""
                                               << "ACompleteAt"
                                               << "PeD = M"
                                               << "lblPed"
                                               << "PeD = M";
    QTest::newRow("reentry height stored bare, shown decorated") << "txtRCompleteAt"
                                                                 << "40"
                                                                 << "RCompleteAt"
                                                                 << "40"
                                                                 << "lblRCompleteAt"
                                                                 << "H = 40k";
    QTest::newRow("reentry height cleared") << "txtRCompleteAt"
                                            << ""
                                            << "RCompleteAt"
                                            << ""
                                            << "lblRCompleteAt"
                                            << "H = k";
    QTest::newRow("capture distance gets k") << "txtSCapDist"
                                             << "2"
                                             << "SCapDist"
                                             << "2k"
                                             << ""
                                             << "";
    QTest::newRow("capture distance cleared keeps k") << "txtSCapDist"
                                                      << ""
                                                      << "SCapDist"
                                                      << "k"
                                                      << ""
                                                      << "";
    QTest::newRow("sync reference shown between brackets") << "txtSReference"
                                                           << "ISS"
                                                           << "SReference"
                                                           << "ISS"
                                                           << "lblD"
                                                           << "ISS";
    QTest::newRow("approach reference shown between brackets") << "txtAppReference"
                                                               << "Mir"
                                                               << "AppReference"
                                                               << "Mir"
                                                               << "lblAppD"
                                                               << "Mir";
}

void tst_rules::singleFields()
{
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(QString, value);
    QFETCH(QString, stored);
    QFETCH(QString, readout);
    QFETCH(QString, caption);

    Editor editor;
    // Typing and then clearing must run the rule for an empty input too.
    editor.set(field, input.isEmpty() ? QStringLiteral("-") : input);
    editor.set(field, input);
    QCOMPARE(modelValue(editor.model, value), stored);
    if (!readout.isEmpty())
        QCOMPARE(editor.caption(readout), caption);
}

void tst_rules::textIsStoredVerbatim()
{
    Editor editor;
    const QString odd = "  <a & \"b\">\t ";
    editor.set("txtLLabel", odd);
    editor.set("txtLWakeUp", odd);
    QCOMPARE(modelValue(editor.model, "LLabel"), odd);
    QCOMPARE(modelValue(editor.model, "LWakeUp"), odd + "s");
}

void tst_rules::sameTextRunsNoRule()
{
    Editor editor;
    editor.set("txtLBase(0)", "[planet]");
    QCOMPARE(modelValue(editor.model, "LBase"), "||");
    editor.set("txtLWakeUp", "");
    QCOMPARE(modelValue(editor.model, "LWakeUp"), "");

    editor.set("txtLLabel", "a");
    editor.model.values[std::size_t(Form::id("txtLLabel").row)] = "untouched";
    editor.set("txtLLabel", "a");
    QCOMPARE(modelValue(editor.model, "LLabel"), "untouched");
}

void tst_rules::arraysRefreshEveryElement_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("base from all three boxes")
            << "txtLBase(1)"
            << "Pad" << QStringList{"LBase"} << QStringList{"[planet]|Pad|[port]"};
    QTest::newRow("base with an emptied box")
            << "txtLBase(2)"
            << "" << QStringList{"LBase"} << QStringList{"[planet]|[base]|"};
    QTest::newRow("orientation") << "txtLOrientation(2)"
                                 << "9" << QStringList{"LOrientation"} << QStringList{"||9"};
    QTest::newRow("height refreshes both height arrays")
            << "txtAHeight(3)"
            << "65" << QStringList{"AHeight", "AHeightRaw"}
            << QStringList{"2k|10k|20k|65k|100k|150k|200k|260k", "2|10|20|65|100|150|200|260"};
    QTest::newRow("emptied height keeps its unit in the mission only")
            << "txtAHeight(0)"
            << "" << QStringList{"AHeight", "AHeightRaw"}
            << QStringList{"k|10k|20k|60k|100k|150k|200k|260k", "|10|20|60|100|150|200|260"};
    QTest::newRow("pitch") << "txtAPitch(7)"
                           << "5" << QStringList{"APitch"} << QStringList{"70|75|70|60|50|40|20|5"};
    QTest::newRow("thrust") << "txtAThrust(0)"
                            << "90" << QStringList{"AThrust"}
                            << QStringList{"90|100|100|100|100|100|100|100"};
}

void tst_rules::arraysRefreshEveryElement()
{
    QFETCH(QString, box);
    QFETCH(QString, input);
    QFETCH(QStringList, values);
    QFETCH(QStringList, expected);

    Editor editor;
    editor.set(box, input);
    for (int i = 0; i < values.size(); ++i)
        QCOMPARE(modelValue(editor.model, values[i]), expected[i]);
}

void tst_rules::hoverPadTakesOnlyTheChangedElement()
{
    Editor editor;
    editor.set("txtLndHoverPad(1)", "2");
    QCOMPARE(modelValue(editor.model, "LndHoverPad"), "|2");
    editor.set("txtLndHoverPad(0)", "1");
    QCOMPARE(modelValue(editor.model, "LndHoverPad"), "1|2");
}

void tst_rules::distanceConditions_data()
{
    QTest::addColumn<QStringList>("edits"); // field=text, in order
    QTest::addColumn<QString>("sync");
    QTest::addColumn<QString>("approach");

    QTest::newRow("built from the reference shown")
            << QStringList{"txtSReference=ISS", "txtSCompleteAt=2", "txtAppReference=Mir",
                           "txtAppCompleteAt=3"}
            << "D(ISS) = 2k"
            << "D(Mir) = 3";
    QTest::newRow("a later reference rebuilds the condition")
            << QStringList{"txtSReference=ISS", "txtSCompleteAt=2",   "txtSReference=Mir",
                           "txtAppReference=A", "txtAppCompleteAt=1", "txtAppReference=B"}
            << "D(Mir) = 2k"
            << "D(B) = 1";
    QTest::newRow("no condition before the completion field changes")
            << QStringList{"txtSReference=ISS", "txtAppReference=Mir"} << ""
            << "";
    QTest::newRow("empty completion still gets its unit")
            << QStringList{"txtSCompleteAt=1", "txtSCompleteAt=", "txtAppCompleteAt=1",
                           "txtAppCompleteAt="}
            << "D() = k"
            << "D() = ";
}

void tst_rules::distanceConditions()
{
    QFETCH(QStringList, edits);
    QFETCH(QString, sync);
    QFETCH(QString, approach);

    Editor editor;
    for (const QString &edit : edits)
        editor.set(edit.section('=', 0, 0), edit.section('=', 1));
    QCOMPARE(modelValue(editor.model, "SCompleteAt"), sync);
    QCOMPARE(modelValue(editor.model, "AppCompleteAt"), approach);
}

void tst_rules::dockingCommandsFollowTheirBoxes_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("commands");
    QTest::newRow("none") << QStringList{} << "|";
    QTest::newRow("nose cone") << QStringList{"chkDCmdsK"} << "K|";
    QTest::newRow("clearance only") << QStringList{"chkDCmdsCC"} << "|^C";
    QTest::newRow("both") << QStringList{"chkDCmdsCC", "chkDCmdsK"} << "K|^C";
    QTest::newRow("nose cone ticked then cleared") << QStringList{"chkDCmdsK", "chkDCmdsK"} << "|";
    QTest::newRow("clearance cleared, nose cone kept")
            << QStringList{"chkDCmdsK", "chkDCmdsCC", "chkDCmdsCC"} << "K|";
}

void tst_rules::dockingCommandsFollowTheirBoxes()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, commands);

    Editor editor;
    editor.window->tabs()->setCurrentIndex(5);
    for (const QString &name : clicks)
        QTest::mouseClick(editor.find<QCheckBox>(name), Qt::LeftButton, {}, QPoint(5, 8));
    QCOMPARE(modelValue(editor.model, "DCmds"), commands);
}

void tst_rules::missionPathAndEntry_data()
{
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("entry");

    const QString sep = Platform::pathSeparator();
    auto entry = [](const QString &label, const QString &file) {
        return "<Entry>\n\t<Label>" + label + "</Label>\n\t<XQAV>" + file + "</XQAV>\n</Entry>";
    };
    QTest::newRow("nothing typed") << QStringList{} << ""
                                   << "";
    QTest::newRow("file name only") << QStringList{"txtFileName=m1"}
                                    << "C:\\Orbiter\\QAV" + sep + "m1.qav" << entry("", "m1.qav");
    QTest::newRow("mission name changes only the label line")
            << QStringList{"txtFileName=m1", "txtMissionName=Test"}
            << "C:\\Orbiter\\QAV" + sep + "m1.qav" << entry("Test", "m1.qav");
    QTest::newRow("mission name alone leaves the path empty")
            << QStringList{"txtMissionName=Test"} << "" << entry("Test", ".qav");
    QTest::newRow("directory before any file name leaves the path empty")
            << QStringList{"txtDirectory=D:\\x"} << ""
            << "";
    QTest::newRow("directory after the file name recomposes the path")
            << QStringList{"txtFileName=m1", "txtDirectory=D:\\x"} << "D:\\x" + sep + "m1.qav"
            << entry("", "m1.qav");
    QTest::newRow("cleared file name") << QStringList{"txtFileName=m1", "txtFileName="}
                                       << "C:\\Orbiter\\QAV" + sep + ".qav" << entry("", ".qav");
    QTest::newRow("trailing separator doubles")
            << QStringList{"txtDirectory=d" + sep, "txtFileName=m"} << "d" + sep + sep + "m.qav"
            << entry("", "m.qav");
    QTest::newRow("extension typed twice")
            << QStringList{"txtFileName=m.qav"} << "C:\\Orbiter\\QAV" + sep + "m.qav.qav"
            << entry("", "m.qav.qav");
}

void tst_rules::missionPathAndEntry()
{
    QFETCH(QStringList, edits);
    QFETCH(QString, path);
    QFETCH(QString, entry);

    Editor editor;
    for (const QString &edit : edits)
        editor.set(edit.section('=', 0, 0), edit.section('=', 1));
    QCOMPARE(editor.model.MissionPath, path);
    QCOMPARE(editor.find<QPlainTextEdit>("txtInsert")->toPlainText(), entry);
}

void tst_rules::entryEscapesMarkup_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("entry");
    QTest::newRow("plain") << "Test"
                           << "m1.qav"
                           << QByteArray("<Entry>\r\n\t<Label>Test</Label>\r\n\t<XQAV>m1.qav"
                                         "</XQAV>\r\n</Entry>");
    QTest::newRow("markup in both")
            << "A&B <1>"
            << "x<y>&.qav"
            << QByteArray("<Entry>\r\n\t<Label>A&amp;B &lt;1&gt;</Label>\r\n\t<XQAV>"
                          "x&lt;y&gt;&amp;.qav</XQAV>\r\n</Entry>");
    QTest::newRow("entities are escaped again")
            << "&amp;"
            << ".qav"
            << QByteArray("<Entry>\r\n\t<Label>&amp;amp;</Label>\r\n\t<XQAV>.qav</XQAV>\r\n"
                          "</Entry>");
}

void tst_rules::entryEscapesMarkup()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    QFETCH(QByteArray, entry);
    QCOMPARE(missionListEntry(name, file).toUtf8(), entry);
}

void tst_rules::editingTheEntryChangesNothingElse()
{
    Editor editor;
    editor.set("txtFileName", "m1");
    const MissionModel before = editor.model;
    auto *insert = editor.find<QPlainTextEdit>("txtInsert");
    insert->setPlainText("edited by hand");
    QCOMPARE(editor.model.MissionPath, before.MissionPath);
    QCOMPARE(editor.model.MissionName, before.MissionName);
    QCOMPARE(editor.text("txtFileName"), "m1");
    editor.set("txtMissionName", "M");
    QVERIFY(insert->toPlainText().startsWith("<Entry>"));
}

QTEST_MAIN(tst_rules)
#include "tst_rules.moc"
