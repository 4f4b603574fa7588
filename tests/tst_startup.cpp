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
    void ascentProfileIsInTheModel();
    void everythingElseStaysEmpty();
    void firstTabInFront();
    void dialogStartsInTheProjectFolder();
};

void tst_startup::rememberedDirectory_data()
{
    QTest::addColumn<QStringList>("settings"); // faults that make settings.dat
    QTest::addColumn<QString>("directory");

    const QString fallback = "C:\\Orbiter\\QAV";
    const auto file = [](const QString &text) { return QStringList{"file:settings.dat=" + text}; };
    QTest::newRow("no settings file") << QStringList{} << fallback;
    QTest::newRow("empty settings file") << file("") << fallback;
    QTest::newRow("one line") << file("D:\\Games\\QAV\r\n") << "D:\\Games\\QAV";
    QTest::newRow("second line ignored") << file("D:\\A\r\nD:\\B\r\n") << "D:\\A";
    QTest::newRow("blank first line") << file("\r\nD:\\B\r\n") << "";
    QTest::newRow("comma kept whole")
            << file("D:\\Orbiter, 2010\\QAV\r\n") << "D:\\Orbiter, 2010\\QAV";
    QTest::newRow("quotes kept as typed") << file("\"D:\\Q\"\r\n") << "\"D:\\Q\"";
    QTest::newRow("leading blanks kept") << file("  D:\\Q\r\n") << "  D:\\Q";
    QTest::newRow("no line end") << file("/home/pilot/qav") << "/home/pilot/qav";
    QTest::newRow("LF only") << file("D:\\Q\nX") << "D:\\Q";
    QTest::newRow("8-bit text") << file("D:\\Caf\u00e9\r\n") << "D:\\Caf\u00e9";
    QTest::newRow("longest first line read")
            << file(QString(SettingsLineLimit, 'x') + "\r\n") << QString(SettingsLineLimit, 'x');
    QTest::newRow("first line past the limit")
            << file(QString(SettingsLineLimit + 1, 'x') + "\r\n") << fallback;
    QTest::newRow("a folder") << QStringList{"folder:settings.dat"} << fallback;
    QTest::newRow("a named pipe") << QStringList{"fifo:settings.dat"} << fallback;
    QTest::newRow("a link to an endless device")
            << QStringList{"link:settings.dat=/dev/zero"} << fallback;
    QTest::newRow("a huge file") << QStringList{"sparse:settings.dat=3000000000"} << fallback;
}

// Start-up never waits for a file or reads more than the first line's worth of it.
void tst_startup::rememberedDirectory()
{
    QFETCH(QStringList, settings);
    QFETCH(QString, directory);

    WorkingDirectory cwd;
    Faults made(cwd.path());
    QString skip;
    QVERIFY(made.apply(settings, &skip));
    Editor editor;
    QCOMPARE(editor.text("txtDirectory"), directory);
    QCOMPARE(editor.model.MissionPath, QString());
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
    for (const char *name :
         {"LLabel", "LWakeUp", "LCompleteAt", "AName", "ALockVz", "AAlignWith", "ACompleteAt",
          "SCompleteAt", "AppCompleteAt", "RCompleteAt", "MissionPath", "MissionName"})
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
    // Where the projects are: "mfc" below the working folder, the program's own folder when
    // it is started from there.
    QCOMPARE(editor.window->loadDialog().initialFolder(),
             QDir::toNativeSeparators(cwd.path()) + Platform::pathSeparator() + "mfc");
    QCOMPARE(editor.window->loadDialog().filter(), "MFC Files(*.mfc)|*.mfc");
    QVERIFY(!QDir(cwd.filePath("mfc")).exists());
}

QTEST_MAIN(tst_startup)
#include "tst_startup.moc"
