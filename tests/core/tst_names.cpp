// SPDX-License-Identifier: MIT

#include "installation.h"
#include "orbiternames.h"
#include "testsupport.h"

// The simulator's names a field is offered while the user types, and the names of a form that
// the installation does not know.
class tst_names : public QObject
{
    Q_OBJECT

    std::unique_ptr<Session> m;
    OrbiterInstallation m_installation;

private slots:
    void initTestCase()
    {
        m = std::make_unique<Session>();
        writeInstallation(m->cwd.filePath("Orbiter"));
        m_installation = readInstallation(m->cwd.filePath("Orbiter/QAV"));
        QVERIFY(m_installation.found());
    }
    void init() { m = std::make_unique<Session>(); }
    void cleanupTestCase() { m.reset(); }

    void offered_data()
    {
        columns<QString, QStringList, QStringList>({"field", "edits", "names"});
        const QStringList bodies{"Earth", "Moon", "Mars"};
        const QStringList vessels{"ISS", "Shuttle Atlantis", "Lonely"};
        const QStringList earthBases{"Cape Canaveral", "Habana", "S\u00e3o Tom\u00e9"};
        // clang-format off
        QTest::newRow("the launch body") << "txtLBase(0)" << QStringList{} << bodies;
        QTest::newRow("the bases of the launch body") << "txtLBase(1)" << QStringList{"txtLBase(0)=Earth"} << earthBases;
        QTest::newRow("the bases of a body typed in another case") << "txtLBase(1)" << QStringList{"txtLBase(0)=mOON"} << QStringList{"Tranquility"};
        QTest::newRow("no bases of a body not there") << "txtLBase(1)" << QStringList{"txtLBase(0)=Venus"} << QStringList{};
        QTest::newRow("the pads of the launch base") << "txtLBase(2)" << QStringList{"txtLBase(0)=Earth", "txtLBase(1)=habana"} << QStringList{"1", "2"};
        QTest::newRow("no pads of a base not there") << "txtLBase(2)" << QStringList{"txtLBase(0)=Earth", "txtLBase(1)=Havana"} << QStringList{};
        QTest::newRow("no pads of a base on another body") << "txtLBase(2)" << QStringList{"txtLBase(0)=Moon", "txtLBase(1)=Habana"} << QStringList{};
        QTest::newRow("reentry: the bases of the launch body") << "txtRBase" << QStringList{"txtLBase(0)=Moon"} << QStringList{"Tranquility"};
        QTest::newRow("landing: every base, without a launch body") << "txtLndBase" << QStringList{} << earthBases + QStringList{"Tranquility", "Olympus"};
        QTest::newRow("a reference: vessels, then bodies") << "txtSReference" << QStringList{} << vessels + bodies;
        QTest::newRow("align with: vessels, then bodies") << "txtAAlignWith" << QStringList{} << vessels + bodies;
        QTest::newRow("a field that names nothing") << "txtLHeading" << QStringList{} << QStringList{};
        // clang-format on
    }
    void offered()
    {
        QFETCH(QString, field);
        QFETCH(QStringList, edits);
        QFETCH(QStringList, names);
        m->core.edit(edits);
        QCOMPARE(namesFor(m_installation, m->core.form, Core::id(field)), names);
        QCOMPARE(namesFor(OrbiterInstallation(), m->core.form, Core::id(field)), QStringList());
    }

    void unknown_data()
    {
        columns<QStringList, QStringList>({"edits", "lines"});
        // clang-format off
        QTest::newRow("all known, in any case") << QStringList{"txtLBase(0)=earth", "txtLBase(1)=HABANA", "txtLBase(2)=2", "txtAAlignWith=iss", "txtSReference=Moon", "txtRBase=s\u00e3o tom\u00e9", "txtLndBase=Cape Canaveral"} << QStringList{};
        QTest::newRow("empty fields are not checked") << QStringList{"txtLBase(0)=", "txtLBase(1)=", "txtLBase(2)="} << QStringList{};
        QTest::newRow("a misspelt base") << QStringList{"txtLBase(0)=Earth", "txtLBase(1)=Habanna", "txtLBase(2)=9"} << QStringList{"the base \"Habanna\" is not on Earth; did you mean \"Habana\"?"};
        QTest::newRow("a pad beyond the base's") << QStringList{"txtLBase(0)=Earth", "txtLBase(1)=Habana", "txtLBase(2)=3"} << QStringList{"there is no pad \"3\" at Habana, which has 2 pads"};
        QTest::newRow("a pad that is no number") << QStringList{"txtLBase(0)=Earth", "txtLBase(1)=Cape Canaveral", "txtLBase(2)=[port]"} << QStringList{"there is no pad \"[port]\" at Cape Canaveral, which has 1 pad"};
        QTest::newRow("a pad at a base without pads") << QStringList{"txtLBase(0)=Moon", "txtLBase(1)=Tranquility", "txtLBase(2)=1"} << QStringList{"there is no pad \"1\" at Tranquility, which has no pads"};
        QTest::newRow("an unknown body, its base not checked") << QStringList{"txtLBase(0)=Eart", "txtLBase(1)=Nowhere", "txtLBase(2)=7"} << QStringList{"the body \"Eart\" is not in the Sol system; did you mean \"Earth\"?"};
        QTest::newRow("nothing near") << QStringList{"txtLBase(0)=Earth", "txtLBase(1)=Baikonur"} << QStringList{"the base \"Baikonur\" is not on Earth"};
        QTest::newRow("a vessel") << QStringList{"txtDReference=ISSS"} << QStringList{"the vessel \"ISSS\" is not in the last flight, nor a body of the Sol system; did you mean \"ISS\"?"};
        QTest::newRow("a reentry base on the launch body") << QStringList{"txtLBase(0)=Moon", "txtRBase=Habana"} << QStringList{"the base \"[base]\" is not on Moon", "the base \"Habana\" is not on Moon"};
        QTest::newRow("a landing base on any body") << QStringList{"txtLBase(0)=Pluto", "txtLndBase=Olympos"} << QStringList{"the body \"Pluto\" is not in the Sol system", "the base \"Olympos\" is on no body of the installation; did you mean \"Olympus\"?"};
        QTest::newRow("in form order, each once") << QStringList{"txtUReference=Mir", "txtAAlignWith=Lonley", "txtPAReference=Lonely"} << QStringList{"the vessel \"Lonley\" is not in the last flight, nor a body of the Sol system; did you mean \"Lonely\"?", "the vessel \"Mir\" is not in the last flight, nor a body of the Sol system"};
        QTest::newRow("steps left out are not checked") << QStringList{"omit", "txtDReference=ISSS", "txtRBase=Nowhere", "txtAAlignWith=Nowhere"} << QStringList{"the vessel \"Nowhere\" is not in the last flight, nor a body of the Sol system"};
        QTest::newRow("a name with a line break") << QStringList{"txtAAlignWith=IS\nS"} << QStringList{"the vessel \"IS\\nS\" is not in the last flight, nor a body of the Sol system; did you mean \"ISS\"?"};
        // clang-format on
    }
    void unknown()
    {
        QFETCH(QStringList, edits);
        QFETCH(QStringList, lines);
        m->core.edit(edits);
        QCOMPARE(unknownNames(m_installation, m->core.form), lines);
    }
};

QTEST_GUILESS_MAIN(tst_names)
#include "tst_names.moc"
