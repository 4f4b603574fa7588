// SPDX-License-Identifier: MIT

#include "pathrules.h"
#include "testsupport.h"

// What each change of a field does to the mission model, the readouts, the mission path and
// the catalogue entry.
class tst_rules : public QObject
{
    Q_OBJECT

private slots:
    // Units and prefixes of single fields, the model value and readout the table gives each.
    void unitsPrefixesAndReadouts()
    {
        const QString odd = "  <a & \"b\">\t ";
        // clang-format off
        for (const auto &[field, input, stored, shown] : std::initializer_list<std::array<QString, 4>>{
                     {"txtLLabel", odd, odd, "no readout"},
                     {"txtLWakeUp", odd, odd + "s", "T - " + odd + "s"},
                     {"txtLWakeUp", "30", "30s", "T - 30s"}, {"txtLWakeUp", "", "s", "T - s"},
                     {"txtLCompleteAt", "8", "H = 8", "H = 8"}, {"txtLCompleteAt", "", "H = ", "H = "},
                     {"txtACompleteAt", "5", "PeD = 5M", "PeD = 5M"}, {"txtACompleteAt", "", "PeD = M", "PeD = M"},
                     {"txtRCompleteAt", "40", "40", "H = 40k"}, {"txtRCompleteAt", "", "", "H = k"},
                     {"txtSCapDist", "2", "2k", "no readout"}, {"txtSCapDist", "", "k", "no readout"},
                     {"txtSReference", "ISS", "ISS", "ISS"}, {"txtAppReference", "Mir", "Mir", "Mir"}}) {
            // clang-format on
            Core core;
            // Typing and then clearing must run the rule for an empty text too.
            core.edit({field + "=-", field + '=' + input});
            const std::optional<Form::Id> readout = Form::readoutOf(Core::id(field));
            QCOMPARE((QStringList{field, input, core.model.value(Core::id(field)),
                                  readout ? core.form.text(*readout) : "no readout"}),
                     (QStringList{field, input, stored, shown}));
        }
    }

    // Edits in order, then model values (by name) and texts (by control) as they should be.
    // "stale=BOX" puts "stale" into the model values of the box's array, to show which
    // elements a change reads again.
    void changes_data()
    {
        columns<QStringList, QStringList>({"edits", "expected"});
        const auto row = [](const char *tag, const QStringList &edits,
                            const QStringList &expected) {
            QTest::newRow(tag) << edits << expected;
        };
        // clang-format off
        const QString sep = Platform::pathSeparator(), fallback = "MissionPath=C:\\Orbiter\\QAV" + sep;
        const auto entry = [](const QString &label, const QString &file) {
            return "txtInsert=<Entry>\r\n\t<Label>" + label + "</Label>\r\n\t<XQAV>" + file + "</XQAV>\r\n</Entry>";
        };
        row("base read from all three boxes", {"stale=txtLBase(0)", "txtLBase(1)=Pad"}, {"model:txtLBase=[planet]|Pad|[port]"});
        row("base with an emptied box", {"txtLBase(2)="}, {"model:txtLBase=[planet]|[base]|"});
        row("heights with and without their unit", {"stale=txtAHeight(0)", "txtAHeight(3)=65"},
            {"model:txtAHeight=2k|10k|20k|65k|100k|150k|200k|260k", "typed:txtAHeight=2|10|20|65|100|150|200|260"});
        row("an emptied height keeps its unit in the mission only", {"txtAHeight(0)="},
            {"model:txtAHeight=k|10k|20k|60k|100k|150k|200k|260k", "typed:txtAHeight=|10|20|60|100|150|200|260"});
        row("hover pad takes only the box that changed", {"txtLndHoverPad(0)=1", "stale=txtLndHoverPad(0)", "txtLndHoverPad(1)=2"}, {"model:txtLndHoverPad=stale|2"});
        row("the same text runs no rule", {"txtLLabel=a", "stale=txtLLabel", "txtLLabel=a"}, {"model:txtLLabel=stale"});
        row("the text at creation runs no rule", {"txtLBase(0)=[planet]", "txtLWakeUp="}, {"model:txtLBase=||", "model:txtLWakeUp=", "lblLs=T - s"});
        row("distance conditions name the references shown", {"txtSReference=ISS", "txtSCompleteAt=2", "txtAppReference=Mir", "txtAppCompleteAt=3"},
            {"model:txtSCompleteAt=D(ISS) = 2k", "model:txtAppCompleteAt=D(Mir) = 3", "lblD=ISS", "lblAppD=Mir"});
        row("a later reference rebuilds the condition", {"txtSReference=ISS", "txtSCompleteAt=2", "txtSReference=Mir", "txtAppReference=A",
            "txtAppCompleteAt=1", "txtAppReference=B"}, {"model:txtSCompleteAt=D(Mir) = 2k", "model:txtAppCompleteAt=D(B) = 1"});
        row("no condition before its field changes", {"txtSReference=ISS", "txtAppReference=M"}, {"model:txtSCompleteAt=", "model:txtAppCompleteAt="});
        row("an emptied condition keeps its unit", {"txtSCompleteAt=1", "txtSCompleteAt=", "txtAppCompleteAt=1", "txtAppCompleteAt="},
            {"model:txtSCompleteAt=D() = k", "model:txtAppCompleteAt=D() = "});
        row("every pair starts on No", {}, {"optPAOmmit(0)=0", "optPAOmmit(1)=1", "optDOmmit(1)=1", "optLndOmmit(1)=1"});
        row("an option chooses in its own pair only", {"optSOmmit(0)=1", "optDOmmit(0)=1", "optLndOmmit(0)=1", "optDOmmit(1)=1", "optSOmmit(0)=0"},
            {"optSOmmit(0)=1", "optSOmmit(1)=0", "optDOmmit(0)=0", "optDOmmit(1)=1", "optLndOmmit(0)=1", "optAppOmmit(1)=1"});
        row("clearance only", {"chkDCmdsCC=1"}, {"model:chkDCmdsK=", "model:chkDCmdsCC=^C"});
        row("nose cone ticked then cleared", {"chkDCmdsK=1", "chkDCmdsK=0"}, {"model:chkDCmdsK=", "model:chkDCmdsCC="});
        row("clearance cleared, nose cone kept", {"chkDCmdsK=1", "chkDCmdsCC=1", "chkDCmdsCC=0"}, {"model:chkDCmdsK=K", "model:chkDCmdsCC="});
        row("nothing typed", {}, {"MissionPath=", "txtInsert="});
        row("file name only", {"txtFileName=m1"}, {fallback + "m1.qav", entry("", "m1.qav")});
        row("mission name changes only the label line", {"txtFileName=m1", "txtMissionName=T"}, {fallback + "m1.qav", entry("T", "m1.qav"), "MissionName=T"});
        row("mission name alone leaves the path empty", {"txtMissionName=T"}, {"MissionPath=", entry("T", ".qav")});
        row("directory before any file name leaves the path empty", {"txtDirectory=D:\\x"}, {"MissionPath=", "txtInsert="});
        row("directory after the file name recomposes the path", {"txtFileName=m1", "txtDirectory=D:\\x"}, {"MissionPath=D:\\x" + sep + "m1.qav", entry("", "m1.qav")});
        row("cleared file name", {"txtFileName=m1", "txtFileName="}, {fallback + ".qav", entry("", ".qav")});
        row("trailing separator doubles", {"txtDirectory=d" + sep, "txtFileName=m"}, {"MissionPath=d" + sep + sep + "m.qav"});
        row("extension typed twice", {"txtFileName=m.qav"}, {fallback + "m.qav.qav", entry("", "m.qav.qav")});
        row("markup escaped in the entry", {"txtMissionName=A&B <1>", "txtFileName=x<y>&"}, {entry("A&amp;B &lt;1&gt;", "x&lt;y&gt;&amp;.qav")});
        row("entities escaped again", {"txtMissionName=&amp;"}, {entry("&amp;amp;", ".qav")});
        row("the entry edited by hand changes nothing else", {"txtFileName=m1", "txtInsert=own"}, {fallback + "m1.qav", "txtInsert=own", "MissionName=", "txtFileName=m1"});
        row("until a change rewrites it", {"txtInsert=own", "txtMissionName=M"}, {entry("M", ".qav")});
        // clang-format on
    }

    void changes()
    {
        QFETCH(QStringList, edits);
        QFETCH(QStringList, expected);
        Core core;
        for (const QString &edit : edits) {
            if (!edit.startsWith("stale=")) {
                core.edit({edit});
                continue;
            }
            for (const Form::Id element : Form::elements(Core::id(edit.mid(6))))
                core.model.values[element] = core.model.typed[element] = "stale";
        }
        QCOMPARE(core.values(expected), expected);
    }
};

QTEST_GUILESS_MAIN(tst_rules)
#include "tst_rules.moc"
