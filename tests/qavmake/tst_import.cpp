// SPDX-License-Identifier: MIT

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include "INIMod.h"
#include "ansitext.h"
#include "frmMain.h"
#include "testsupport.h"

// Mission files turned back into projects: what comes back, and what is reported.
class tst_import : public QObject
{
    Q_OBJECT

private slots:
    void goldensComeBack_data();
    void goldensComeBack();
    void generatedMissionsComeBack();
    void encodings_data();
    void encodings();
    void commandLine_data();
    void commandLine();
};

namespace {

// Texts as a pilot types them: no blank at either end, no list separator.
QString randomText(QRandomGenerator &random)
{
    static const QString letters = QStringLiteral("abcXYZ019.-+<>&\"'()=#/\u00e9\u00c4");
    QString text;
    const int length = int(random.bounded(5));
    for (int i = 0; i < length; ++i) {
        QChar c = letters[int(random.bounded(int(letters.size())))];
        text += c;
    }
    return text;
}

QByteArray missionOf(const frmMain &form)
{
    return Platform::encodeAnsi(renderMission(form.model(), form.omissions()));
}

// The mission a fresh form makes once it is filled from a mission file.
QByteArray remade(const QByteArray &mission, frmMain &form)
{
    QList<FieldAssignment> assignments;
    QList<MissionOddity> oddities;
    MissionOddity error;
    if (!readMission(mission, &assignments, &oddities, &error) || !oddities.isEmpty())
        return "not read: " + error.what.toUtf8() + oddities.value(0).what.toUtf8();
    for (const FieldAssignment &assignment : std::as_const(assignments))
        form.apply(assignment);
    return missionOf(form);
}

} // namespace

void tst_import::goldensComeBack_data()
{
    QTest::addColumn<QString>("golden");
    for (const char *name : {"defaults.qav", "omitted.qav", "filled.qav", "escaped.qav"})
        QTest::newRow(name) << fixturePath(QString::fromLatin1(name));
}

void tst_import::goldensComeBack()
{
    QFETCH(QString, golden);
    QFile file(golden);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray mission = file.readAll();
    MissionModel model;
    frmMain form(model, defaultDirectory);
    QCOMPARE(remade(mission, form), mission);
}

// A mission made from any fields imports into fields that make the same mission, and the
// fields of the steps it holds are those it was made from.
void tst_import::generatedMissionsComeBack()
{
    QRandomGenerator random(11);
    for (int round = 0; round < 60; ++round) {
        MissionModel model;
        frmMain form(model, defaultDirectory);
        for (int row = 0; row < Form::RowCount; ++row) {
            const Form::Control &control = Form::Table::Controls[row];
            if (control.kind == Form::Kind::TextBox && control.tab < Form::MakeFileTab)
                form.setText({row}, randomText(random));
            if (control.kind == Form::Kind::CheckBox || control.kind == Form::Kind::OptionButton)
                form.setChecked({row}, random.bounded(2) == 1);
        }
        const QByteArray mission = missionOf(form);
        MissionModel importedModel;
        frmMain imported(importedModel, defaultDirectory);
        QCOMPARE(remade(mission, imported), mission);

        // Through the project file the import writes, and back into a form.
        const FieldSource fields{[&imported](Form::Id id) { return imported.text(id); },
                                 [&imported](Form::Id id) { return imported.isChecked(id); }};
        const QByteArray project = updatedProject({}, projectEntries(fields, importedModel));
        MissionModel loadedModel;
        frmMain loaded(loadedModel, defaultDirectory);
        for (const FieldAssignment &assignment :
             projectAssignments(ProfileDocument::fromBytes(project), "p.mfc"))
            loaded.apply(assignment);
        QCOMPARE(missionOf(loaded), mission);
        for (int row = 0; row < Form::RowCount; ++row) {
            const Form::Control &control = Form::Table::Controls[row];
            if (control.tab < 0 || control.tab >= Form::MakeFileTab
                || form.omissions()[std::size_t(control.tab)])
                continue;
            QCOMPARE(loaded.text({row}), form.text({row}));
            QCOMPARE(loaded.isChecked({row}), form.isChecked({row}));
        }
    }
}

void tst_import::encodings_data()
{
    QTest::addColumn<QByteArray>("mission");
    const QByteArray step = "<QAV><Step><Label>Caf\u00e9 \u20ac</Label><Processor type=\"Launch\" "
                            "mode=\"Hover\"/></Step></QAV>";
    const QByteArray declared = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    QTest::newRow("8-bit, no declaration") << QByteArray("<QAV><Step><Label>Caf\xe9 \x80</Label>"
                                                         "<Processor type=\"Launch\" "
                                                         "mode=\"Hover\"/></Step></QAV>");
    QTest::newRow("UTF-8 declared") << declared + step;
    QTest::newRow("UTF-8 with its byte-order mark") << "\xef\xbb\xbf" + step;
    QTest::newRow("UTF-16LE with its byte-order mark") << utf16(QString::fromUtf8(step));
}

// Whatever encoding the file declares or marks, the label reads the same.
void tst_import::encodings()
{
    QFETCH(QByteArray, mission);
    QList<FieldAssignment> assignments;
    QList<MissionOddity> oddities;
    MissionOddity error;
    QVERIFY2(readMission(mission, &assignments, &oddities, &error), qPrintable(error.what));
    Core core;
    for (const FieldAssignment &assignment : std::as_const(assignments))
        core.form.apply(assignment);
    QCOMPARE(core.value("txtLLabel"), QStringLiteral("Caf\u00e9 \u20ac"));
}

void tst_import::commandLine_data()
{
    QTest::addColumn<QByteArray>("mission");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err");
    QTest::addColumn<QByteArray>("older"); // a project file there before
    QTest::addColumn<bool>("written");

    const QByteArray hand = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- edited -->\n<QAV>\n"
                            "<Step><Label>Caf\xc3\xa9</Label>\n<Processor type=\"Launch\" "
                            "mode=\"Hover\" x=\"1\">\n<Var name=\"Bogus\"> 1 </Var>\n<Var "
                            "name=\"WakeUp\"> 5 </Var>\n<Var name=\"Base\">a:b</Var>\n"
                            "</Processor></Step>\n<Step><Label/><Processor type=\"Orbit\"/>"
                            "</Step>\n</QAV>\n";
    QTest::newRow("hand-edited, line by line")
            << hand << QStringList{"--import", "m.qav"} << 1
            << "qavmake: m.qav:6: the Var \"Bogus\" of the step \"Launch\" is not one the "
               "program writes\nqavmake: m.qav:7: the Var \"WakeUp\" of the step \"Launch\" "
               "lacks what the program writes around it\nqavmake: m.qav:8: the Var \"Base\" of "
               "the step \"Launch\" holds 2 parts, not 3\nqavmake: m.qav:10: a processor of type "
               "\"Orbit\" is no step of a mission\n"
            << QByteArray() << true;
    QTest::newRow("not well-formed")
            << QByteArray("<QAV><Step>") << QStringList{"--import", "m.qav"} << 1
            << "qavmake: m.qav: not well-formed XML: Premature end of document. (line 1)\n"
            << QByteArray() << false;
    QTest::newRow("no step") << QByteArray("<QAV><Sequence/></QAV>")
                             << QStringList{"--import", "m.qav"} << 1
                             << "qavmake: m.qav: a QAV file that holds no step of a mission\n"
                             << QByteArray() << false;
    QTest::newRow("not a mission") << QByteArray("<html/>") << QStringList{"--import", "m.qav"} << 1
                                   << "qavmake: m.qav: not a QAV mission file\n"
                                   << QByteArray() << false;
    QTest::newRow("project there already")
            << QByteArray("<QAV><Step><Processor type=\"Profile\"/></Step></QAV>")
            << QStringList{"--import", "m.qav"} << 1
            << "qavmake: m.qav: the project file mfc/m.mfc exists; --force replaces it\n"
            << QByteArray("; mine\r\n") << false;
    QTest::newRow("replaced when forced")
            << QByteArray("<QAV><Step><Processor type=\"Profile\"/></Step></QAV>")
            << QStringList{"--import", "--force", "m.qav"} << 0 << QString()
            << QByteArray("; mine\r\n") << true;

    // Shapes that would make the reader's time or memory grow far beyond the file's size are
    // refused before the parser sees them, and the file's line named.
    const QByteArray profile = "<Processor type=\"Profile\"/></Step></QAV>";
    const auto nested = [](const QByteArray &head, const QByteArray &tail) {
        return head + QByteArray("<a>").repeated(60000) + QByteArray("</a>").repeated(60000) + tail;
    };
    const auto refused = [](const char *tag, const QByteArray &mission, const QString &reason) {
        QTest::newRow(tag) << mission << QStringList{"--import", "m.qav"} << 1
                           << "qavmake: m.qav:" + reason + '\n'
                           << QByteArray() << false;
    };
    const QByteArray wide = "<!DOCTYPE QAV [<!ENTITY x \"" + QByteArray(4000, 'y') + "\">]>\n";
    QByteArray laughs = "<!DOCTYPE QAV [\n<!ENTITY a0 \"0123456789\">\n";
    for (int i = 1; i < 10; ++i)
        laughs += "<!ENTITY a" + QByteArray::number(i) + " \""
                + ("&a" + QByteArray::number(i - 1) + ";").repeated(10) + "\">\n";
    laughs += "]>\n";
    QByteArray attributes = "<QAV>\n<Step";
    for (int i = 0; i < 100000; ++i)
        attributes += " a" + QByteArray::number(i) + "=\"\"";
    refused("nested deep in a label", nested("<QAV>\n<Step>\n<Label>", "</Label>" + profile),
            "3: elements nested more than 256 deep");
    refused("nested deep in a value",
            nested("<QAV><Step><Processor type=\"Profile\">\n<Var name=\"x\">",
                   "</Var></Processor></Step></QAV>"),
            "2: elements nested more than 256 deep");
    refused("nested deep around the steps", nested("<QAV>", "<Step>" + profile),
            "1: elements nested more than 256 deep");
    refused("one entity used thousands of times",
            wide + "<QAV><Step>\n<Label>" + QByteArray("&x;").repeated(5000) + "</Label>" + profile,
            "3: the entities expand to more than 1048576 characters, far more than a mission "
            "holds");
    refused("entities of entities", laughs + "<QAV><Step><Label>&a9;</Label>" + profile,
            "13: the entities expand to more than 1048576 characters, far more than a mission "
            "holds");
    refused(
            "entities nested beyond count",
            "<!DOCTYPE QAV [<!ENTITY e0 \"y\">" +
                    [] {
                        QByteArray chain;
                        for (int i = 1; i < 40; ++i)
                            chain += "<!ENTITY e" + QByteArray::number(i) + " \"&e"
                                    + QByteArray::number(i - 1) + ";\">";
                        return chain;
                    }()
                    + "]><QAV><Step><Label>&e39;</Label>" + profile,
            "1: entities nested more than 32 deep");
    refused("a short entity used without end",
            "<!DOCTYPE QAV [<!ENTITY x \"y\">]><QAV><Step><Label>"
                    + QByteArray("&x;").repeated(10001) + "</Label>" + profile,
            "1: more than 10000 entity references, far more than a mission holds");
    refused("parameter entity",
            "<!DOCTYPE QAV [\n<!ENTITY % p \"<!ENTITY q 'y'>\">%p;]><QAV><Step>" + profile,
            "2: a parameter entity, which a mission file has no use for");
    refused("entity holding markup",
            "<!DOCTYPE QAV [<!ENTITY e \"&#60;Step>\">]><QAV><Step>" + profile,
            "1: the entity \"e\" holds markup, which a mission file has no use for");
    refused("attribute defaults",
            "<!DOCTYPE QAV [<!ATTLIST Step a CDATA \"y\">]><QAV><Step>" + profile,
            "1: an attribute list declaration, which a mission file has no use for");
    refused("declarations by the thousand",
            "<!DOCTYPE QAV [" + QByteArray("<!ELEMENT x ANY>").repeated(1001) + "]><QAV><Step>"
                    + profile,
            "1: more than 1000 declarations, which a mission file has no use for");
    refused("attributes by the hundred thousand", attributes + "><Step>" + profile,
            "2: an element with more than 64 attributes");
    refused("elements by the ten thousand",
            "<QAV><Step>" + profile.chopped(6) + "\n" + QByteArray("<x/>").repeated(10000)
                    + "</QAV>",
            "2: more than 10000 elements, far more than a mission holds");
    QTest::newRow("outside entity")
            << QByteArray("<!DOCTYPE QAV [\n<!ENTITY x SYSTEM \"file:///etc/passwd\">\n]>\n"
                          "<QAV><Step><Label>&x;</Label>"
                          + profile)
            << QStringList{"--import", "m.qav"} << 1
            << "qavmake: m.qav:4: the entity \"x\" stands for an outside file, which is not "
               "read\n"
            << QByteArray() << true;
    QTest::newRow("text too long for a project")
            << "<QAV><Step><Label>" + QByteArray(16 * 1024 * 1024 - 100, 'y') + "</Label>" + profile
            << QStringList{"--import", "m.qav"} << 1
            << "qavmake: m.qav: the project would be too large to be a project file\n"
            << QByteArray() << false;
    QTest::newRow("bytes that are not the encoding declared")
            << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<QAV><Step><Label>\xff"
                          "</Label>"
                          + profile)
            << QStringList{"--import", "m.qav"} << 1
            << "qavmake: m.qav: not well-formed XML: Encountered incorrectly encoded content. "
               "(line 2)\n"
            << QByteArray() << false;
    QTest::newRow("once a run, checked")
            << QByteArray("<QAV><Step><Processor type=\"Profile\"/></Step></QAV>")
            << QStringList{"--import", "--check", "m.qav", "m.qav"} << 1
            << "qavmake: m.qav: the project file mfc/m.mfc is made also from m.qav\n"
            << QByteArray() << false;
    QTest::newRow("once a run")
            << QByteArray("<QAV><Step><Processor type=\"Profile\"/></Step></QAV>")
            << QStringList{"--import", "--force", "m.qav", "m.qav"} << 1
            << "qavmake: m.qav: the project file mfc/m.mfc was already written in this run for "
               "m.qav\n"
            << QByteArray() << true;
}

// Run as a user runs it; the project written makes the mission again.
void tst_import::commandLine()
{
    QFETCH(QByteArray, mission);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    QFETCH(QByteArray, older);
    QFETCH(bool, written);

    QTemporaryDir dir;
    if (!older.isEmpty()) {
        QVERIFY(QDir(dir.path()).mkdir("mfc"));
        QFile project(dir.filePath("mfc/m.mfc"));
        QVERIFY(project.open(QIODevice::WriteOnly) && project.write(older) == older.size());
    }
    QFile file(dir.filePath("m.qav"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(mission) == mission.size());
    file.close();
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(QStringLiteral(QAVMAKE), arguments);
    QVERIFY(process.waitForFinished());
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()), nativePaths(err));
    QCOMPARE(process.exitCode(), exitCode);
    QFile project(dir.filePath("mfc/m.mfc"));
    QCOMPARE(project.open(QIODevice::ReadOnly) && project.readAll() != older, written);
    // Nothing else appears, no temporary file either.
    QStringList entries;
    for (QDirIterator it(dir.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        entries.append(QDir(dir.path()).relativeFilePath(it.next()));
    entries.sort();
    const QStringList expected = older.isEmpty() && !written
            ? QStringList{"m.qav"}
            : QStringList{"m.qav", "mfc", "mfc/m.mfc"};
    QCOMPARE(entries, expected);
    if (written) {
        process.start(QStringLiteral(QAVMAKE), {"--out", ".", "mfc/m.mfc"});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.readAllStandardError(), QByteArray());
    }
}

QTEST_GUILESS_MAIN(tst_import)
#include "tst_import.moc"
