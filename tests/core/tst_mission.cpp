// SPDX-License-Identifier: MIT

#include <QXmlStreamReader>

#include "ansitext.h"
#include "profiledocument.h"
#include "testsupport.h"

// The mission file as bytes, rendered from the model and the omission choices.
class tst_mission : public QObject
{
    Q_OBJECT

    // The mission is well-formed XML that names no encoding (the autopilot reads it in the
    // 8-bit code page), and its first label reads back as `label`, if given.
    static bool wellFormed(const QByteArray &mission, const QString &label = {})
    {
        QXmlStreamReader xml(Platform::decodeAnsi(mission));
        QString first;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"Label"
                && first.isNull())
                first = xml.readElementText();
        }
        return !xml.hasError() && (label.isNull() || first == label);
    }

    // A mission with the text in a label, a Var line and a list, read back.
    static bool missionTakes(const QString &text)
    {
        MissionModel model;
        for (const Form::Id id :
             {Form::id("txtLLabel"), Form::id("txtLStartAt"), Form::id("txtLBase", 1)})
            model.values[id] = text;
        return wellFormed(Core::missionBytes(model, Omissions{}), text);
    }

    // A project file with the text as a value, read back.
    static bool projectTakes(const QString &text)
    {
        ProfileDocument doc = ProfileDocument::fromBytes({});
        return ProfileDocument::refusal(u"Launch", u"Label", text).isEmpty()
                && doc.setValue(u"Launch", u"Label", text)
                && ProfileDocument::fromBytes(doc.toBytes()).value(u"Launch", u"Label") == text;
    }

private slots:
    void goldens_data()
    {
        columns<QString, QStringList>({"golden", "edits"});
        // clang-format off
        QTest::newRow("defaults, every step") << "defaults.qav" << QStringList{};
        QTest::newRow("every optional step left out") << "omitted.qav" << QStringList{"omit"};
        QTest::newRow("every field filled, both commands") << "filled.qav" << QStringList{"fill"};
        QTest::newRow("markup escaped") << "escaped.qav" << QStringList{"txtLLabel=<a & \"b\">", "txtDName=x>y", "txtLndHoverPad(0)=&",
                "txtLndHoverPad(1)=<", "optPAOmmit(0)=1", "optSOmmit(0)=1", "optAppOmmit(0)=1", "optUOmmit(0)=1", "optROmmit(0)=1"};
        // clang-format on
    }

    void goldens()
    {
        QFETCH(QString, golden);
        QFETCH(QStringList, edits);
        Core core;
        core.edit(edits);
        const QByteArray mission = Core::missionBytes(core.model, core.form.omissions());
        QCOMPARE(mission, fixture(golden));
        QVERIFY(wellFormed(mission));
    }

    // "settings.dat" holds the directory and a line end, and gives it back.
    void settingsBytes()
    {
        // clang-format off
        for (const auto &[directory, bytes] : std::initializer_list<std::pair<QString, QByteArray>>{
                 {"C:\\Orbiter\\QAV", "C:\\Orbiter\\QAV\r\n"}, {"", "\r\n"}, {"D:\\Caf\u00e9, 2", "D:\\Caf\xe9, 2\r\n"}}) {
            // clang-format on
            QCOMPARE(::settingsBytes(directory), bytes);
            QCOMPARE(directoryFromSettings(bytes), directory);
        }
    }

    // Make Mission refuses what firstUnwritable finds; whatever it lets through must give a
    // mission that an XML parser takes.
    void everyTextTheChecksPassIsWellFormed()
    {
        for (char32_t u = 0; u <= 0xFFFF; ++u) {
            const QString text = QStringLiteral("a") + QChar(char16_t(u)) + QStringLiteral("b");
            if (firstUnwritable(text) < 0)
                QVERIFY2(missionTakes(text), qPrintable(QString::number(u, 16)));
        }
    }

    // One rule for both files: a text is refused exactly when the mission or the project
    // file could not hold it as typed.
    void theMissionAndTheProjectRefuseTheSameTexts()
    {
        for (char32_t u = 0; u <= 0xFFFF; ++u) {
            const QString text = QStringLiteral("a") + QChar(char16_t(u)) + QStringLiteral("b");
            const bool refused = firstUnwritable(text) >= 0;
            // What the project file cannot hold needs no mission.
            if (refused == (projectTakes(text) && missionTakes(text)))
                QFAIL(qPrintable(QStringLiteral("U+%1: refused %2, the mission takes it %3, the "
                                                "project file %4")
                                         .arg(quint32(u), 4, 16, QChar(u'0'))
                                         .arg(refused)
                                         .arg(missionTakes(text))
                                         .arg(projectTakes(text))));
        }
    }
};

QTEST_GUILESS_MAIN(tst_mission)
#include "tst_mission.moc"
