// SPDX-License-Identifier: MIT

#include <QCoreApplication>
#include <QTest>

#include "pathrules.h"
#include "testsupport.h"
#include "tworowtabwidget.h"

// What the window holds once start-up has run, in a working directory of the test's own.
class tst_startup : public QObject
{
    Q_OBJECT

private slots:
    void rememberedDirectory_data();
    void rememberedDirectory();
    void unreadableSettingsGiveTheDefault();
    void settingsBesideTheProgramAreIgnored();
    void ascentProfileIsInTheModel();
    void everythingElseStaysEmpty();
    void firstTabInFront();
    void dialogStartsInTheProjectFolder();
};

void tst_startup::rememberedDirectory_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("directory");

    QTest::newRow("no settings file") << false << QByteArray() << "C:\\Orbiter\\QAV";
    QTest::newRow("empty settings file") << true << QByteArray() << "C:\\Orbiter\\QAV";
    QTest::newRow("one line") << true << QByteArray("D:\\Games\\QAV\r\n") << "D:\\Games\\QAV";
    QTest::newRow("second line ignored")
            << true << QByteArray("D:\\A\r\nD:\\B\r\n") << "D:\\A";
    QTest::newRow("blank first line") << true << QByteArray("\r\nD:\\B\r\n") << "";
    QTest::newRow("comma kept whole")
            << true << QByteArray("D:\\Orbiter, 2010\\QAV\r\n") << "D:\\Orbiter, 2010\\QAV";
    QTest::newRow("quotes kept as typed") << true << QByteArray("\"D:\\Q\"\r\n") << "\"D:\\Q\"";
    QTest::newRow("leading blanks kept") << true << QByteArray("  D:\\Q\r\n") << "  D:\\Q";
    QTest::newRow("no line end") << true << QByteArray("/home/pilot/qav") << "/home/pilot/qav";
    QTest::newRow("LF only") << true << QByteArray("D:\\Q\nX") << "D:\\Q";
    QTest::newRow("8-bit text") << true << QByteArray("D:\\Caf\xe9\r\n")
                                << QString::fromUtf8("D:\\Caf\u00e9");
}

void tst_startup::rememberedDirectory()
{
    QFETCH(bool, present);
    QFETCH(QByteArray, contents);
    QFETCH(QString, directory);

    WorkingDirectory cwd;
    if (present)
        cwd.write("settings.dat", contents);
    Editor editor;
    QCOMPARE(editor.text("txtDirectory"), directory);
    QCOMPARE(editor.model.MissionPath, QString());
}

void tst_startup::unreadableSettingsGiveTheDefault()
{
    WorkingDirectory cwd;
    QVERIFY(QDir(cwd.path()).mkdir("settings.dat"));
    Editor editor;
    QCOMPARE(editor.text("txtDirectory"), "C:\\Orbiter\\QAV");
}

void tst_startup::settingsBesideTheProgramAreIgnored()
{
    WorkingDirectory cwd;
    const QString besideProgram = QCoreApplication::applicationDirPath() + "/settings.dat";
    QVERIFY(!QFile::exists(besideProgram));
    QFile file(besideProgram);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("D:\\Elsewhere\r\n");
    file.close();
    Editor editor;
    QFile::remove(besideProgram);
    QCOMPARE(editor.text("txtDirectory"), "C:\\Orbiter\\QAV");
}

void tst_startup::ascentProfileIsInTheModel()
{
    WorkingDirectory cwd;
    Editor editor;
    QCOMPARE(modelValue(editor.model, "AHeight"), "2k|10k|20k|60k|100k|150k|200k|260k");
    QCOMPARE(modelValue(editor.model, "AHeightRaw"), "2|10|20|60|100|150|200|260");
    QCOMPARE(modelValue(editor.model, "APitch"), "70|75|70|60|50|40|20|0");
    QCOMPARE(modelValue(editor.model, "AThrust"), "100|100|100|100|100|100|100|100");
}

void tst_startup::everythingElseStaysEmpty()
{
    WorkingDirectory cwd;
    Editor editor;
    for (const char *name : {"LBase", "LOrientation", "DCmds", "LndHoverPad"}) {
        const QString value = modelValue(editor.model, name);
        QVERIFY2(value.count('|') == value.size(), name);
    }
    for (const char *name : {"LLabel", "LWakeUp", "LCompleteAt", "AName", "ALockVz",
                             "AAlignWith", "ACompleteAt", "SCompleteAt", "AppCompleteAt",
                             "RCompleteAt", "MissionPath", "MissionName"})
        QVERIFY2(modelValue(editor.model, name).isEmpty(), name);
    QCOMPARE(editor.text("txtLBase(0)"), "[planet]");
    QCOMPARE(editor.text("txtFileName"), "");
}

void tst_startup::firstTabInFront()
{
    WorkingDirectory cwd;
    Editor editor;
    QCOMPARE(editor.window->tabs()->currentIndex(), 0);
    QVERIFY(editor.window->tabs()->page(0)->isVisibleTo(editor.window.get()));
    QVERIFY(!editor.window->tabs()->page(9)->isVisibleTo(editor.window.get()));
}

void tst_startup::dialogStartsInTheProjectFolder()
{
    WorkingDirectory cwd;
    Editor editor;
    QCOMPARE(editor.window->loadDialog().initialFolder(),
             QDir::toNativeSeparators(QCoreApplication::applicationDirPath())
                     + Platform::pathSeparator() + "mfc");
    QCOMPARE(editor.window->loadDialog().filter(), "MFC Files(*.mfc)|*.mfc");
    QVERIFY(!QDir(cwd.filePath("mfc")).exists());
}

QTEST_MAIN(tst_startup)
#include "tst_startup.moc"
