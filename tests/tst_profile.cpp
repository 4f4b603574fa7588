// SPDX-License-Identifier: MIT

#include <QAbstractButton>
#include <QTest>

#include "INIMod.h"
#include "profiledocument.h"
#include "testsupport.h"

// Profile files read and written as the Windows profile functions do it.
class tst_profile : public QObject
{
    Q_OBJECT

private slots:
    void reading_data();
    void reading();
    void writing_data();
    void writing();
    void refusals_data();
    void refusals();
    void valuesSurviveTheRoundTrip_data();
    void valuesSurviveTheRoundTrip();
    void oneSaveEqualsKeyByKeyWrites_data();
    void oneSaveEqualsKeyByKeyWrites();
    void filesOnDisk();
    void writeIntoMissingFolderCreatesNothing();
};

static QByteArray utf16(const QString &text)
{
    QByteArray bytes("\xFF\xFE");
    for (QChar c : text)
        bytes += char(c.unicode() & 0xFF), bytes += char(c.unicode() >> 8);
    return bytes;
}

void tst_profile::reading_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::newRow("plain") << QByteArray("[S]\r\nk=v\r\n") << "S"
                           << "k"
                           << "v";
    QTest::newRow("names in other case") << QByteArray("[SETTINGS]\r\nlabel=x\r\n") << "Settings"
                                         << "Label"
                                         << "x";
    QTest::newRow("blanks around names and value")
            << QByteArray("  [ Plane Alignment ]  \r\n  Label  =  x y  \r\n") << "Plane Alignment"
            << "Label"
            << "x y";
    QTest::newRow("tabs trimmed") << QByteArray("[S]\r\n\tk\t=\tv\t\r\n") << "S"
                                  << "k"
                                  << "v";
    QTest::newRow("blanks around the arguments") << QByteArray("[S]\r\nk=v\r\n") << " S "
                                                 << " k "
                                                 << "v";
    QTest::newRow("LF only") << QByteArray("[S]\nk=v\n") << "S"
                             << "k"
                             << "v";
    QTest::newRow("CR only") << QByteArray("[S]\rk=v\r") << "S"
                             << "k"
                             << "v";
    QTest::newRow("no final line end") << QByteArray("[S]\r\nk=v") << "S"
                                       << "k"
                                       << "v";
    QTest::newRow("double quotes removed once") << QByteArray("[S]\r\nk=\"\"a\"\"\r\n") << "S"
                                                << "k"
                                                << "\"a\"";
    QTest::newRow("single quotes removed") << QByteArray("[S]\r\nk='a b'\r\n") << "S"
                                           << "k"
                                           << "a b";
    QTest::newRow("quoted blanks kept") << QByteArray("[S]\r\nk=\" a \"\r\n") << "S"
                                        << "k"
                                        << " a ";
    QTest::newRow("mismatched quotes stay") << QByteArray("[S]\r\nk=\"a'\r\n") << "S"
                                            << "k"
                                            << "\"a'";
    QTest::newRow("lone quote stays") << QByteArray("[S]\r\nk=\"\r\n") << "S"
                                      << "k"
                                      << "\"";
    QTest::newRow("comment holding the key") << QByteArray("[S]\r\n;k=c\r\n k=v\r\n") << "S"
                                             << "k"
                                             << "v";
    QTest::newRow("no inline comment") << QByteArray("[S]\r\nk=v ;x\r\n") << "S"
                                       << "k"
                                       << "v ;x";
    QTest::newRow("hash is part of the key") << QByteArray("[S]\r\n#k=v\r\n") << "S"
                                             << "k"
                                             << "";
    QTest::newRow("first duplicate key wins") << QByteArray("[S]\r\nk=1\r\nK=2\r\n") << "S"
                                              << "k"
                                              << "1";
    QTest::newRow("only the first duplicate section")
            << QByteArray("[S]\r\na=1\r\n[T]\r\n[s]\r\nk=2\r\n") << "S"
            << "k"
            << "";
    QTest::newRow("line without equals") << QByteArray("[S]\r\nk\r\n") << "S"
                                         << "k"
                                         << "";
    QTest::newRow("empty value") << QByteArray("[S]\r\nk=\r\n") << "S"
                                 << "k"
                                 << "";
    QTest::newRow("missing section") << QByteArray("[S]\r\nk=v\r\n") << "T"
                                     << "k"
                                     << "";
    QTest::newRow("before the first header") << QByteArray("k=v\r\n[S]\r\n") << "S"
                                             << "k"
                                             << "";
    QTest::newRow("header without bracket") << QByteArray("[S x\r\nk=v\r\n") << "S x"
                                            << "k"
                                            << "v";
    QTest::newRow("text after the bracket") << QByteArray("[S] junk\r\nk=v\r\n") << "S"
                                            << "k"
                                            << "v";
    QTest::newRow("empty section name") << QByteArray("[]\r\nk=v\r\n") << ""
                                        << "k"
                                        << "v";
    QTest::newRow("split at the first equals") << QByteArray("[S]\r\nk=a=b\r\n") << "S"
                                               << "k"
                                               << "a=b";
    QTest::newRow("blank lines between") << QByteArray("\r\n[S]\r\n\r\n\r\nk=v\r\n") << "S"
                                         << "k"
                                         << "v";
    QTest::newRow("300 characters whole") << "[S]\r\nk=" + QByteArray(300, 'x') + "\r\n"
                                          << "S"
                                          << "k" << QString(300, 'x');
    QTest::newRow("Windows-1252") << QByteArray("[S]\r\nk=Caf\xe9 \x80\r\n") << "S"
                                  << "k" << QString::fromUtf8("Caf\u00e9 \u20ac");
    QTest::newRow("UTF-16LE") << utf16(QString::fromUtf8("[S]\r\nk=\u00e9\u03a9\r\n")) << "S"
                              << "k" << QString::fromUtf8("\u00e9\u03a9");
    QTest::newRow("UTF-8 mark skipped") << QByteArray("\xEF\xBB\xBF[S]\r\nk=v\r\n") << "S"
                                        << "k"
                                        << "v";
    QTest::newRow("empty file") << QByteArray() << "S"
                                << "k"
                                << "";
}

void tst_profile::reading()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const ProfileDocument doc = ProfileDocument::fromBytes(file);
    QCOMPARE(doc.value(section, key), value);
    QCOMPARE(doc.toBytes(), file);
}

void tst_profile::writing_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("new file") << QByteArray() << "S"
                              << "k"
                              << "v" << QByteArray("[S]\r\nk=v\r\n");
    QTest::newRow("existing key keeps its spelling") << QByteArray("[s]\r\nKEY = old\r\n") << "S"
                                                     << "key"
                                                     << "new" << QByteArray("[s]\r\nKEY =new\r\n");
    QTest::newRow("only the edited line gets CR LF") << QByteArray("[S]\nk=1\nj=2\n") << "S"
                                                     << "k"
                                                     << "3" << QByteArray("[S]\nk=3\r\nj=2\n");
    QTest::newRow("new key after the last key, before comments")
            << QByteArray("[S]\r\na=1\r\n; note\r\n\r\n[T]\r\nb=2\r\n") << "S"
            << "c"
            << "3" << QByteArray("[S]\r\na=1\r\nc=3\r\n; note\r\n\r\n[T]\r\nb=2\r\n");
    QTest::newRow("new key in a section without keys")
            << QByteArray("[S]\r\n; c\r\n") << "S"
            << "k"
            << "v" << QByteArray("[S]\r\nk=v\r\n; c\r\n");
    QTest::newRow("new section at the end, no blank line")
            << QByteArray("[S]\r\na=1\r\n\r\n") << "T"
            << "k"
            << "v" << QByteArray("[S]\r\na=1\r\n\r\n[T]\r\nk=v\r\n");
    QTest::newRow("new section after a last line without end")
            << QByteArray("[S]\r\na=1") << "T"
            << "k"
            << "v" << QByteArray("[S]\r\na=1\r\n[T]\r\nk=v\r\n");
    QTest::newRow("new key after a last line without end")
            << QByteArray("[S]\r\na=1") << "S"
            << "b"
            << "2" << QByteArray("[S]\r\na=1\r\nb=2\r\n");
    QTest::newRow("unknown lines and comments kept byte for byte")
            << QByteArray("junk\r\n[S]\r\nfoo\n;k=x\rk=1\r\n") << "S"
            << "k"
            << "2" << QByteArray("junk\r\n[S]\r\nfoo\n;k=x\rk=2\r\n");
    QTest::newRow("first duplicate updated") << QByteArray("[S]\r\nk=1\r\nk=2\r\n") << "S"
                                             << "k"
                                             << "3" << QByteArray("[S]\r\nk=3\r\nk=2\r\n");
    QTest::newRow("leading blank quoted") << QByteArray() << "S"
                                          << "k"
                                          << " a" << QByteArray("[S]\r\nk=\" a\"\r\n");
    QTest::newRow("trailing tab quoted") << QByteArray() << "S"
                                         << "k"
                                         << "a\t" << QByteArray("[S]\r\nk=\"a\t\"\r\n");
    QTest::newRow("quoted value quoted again") << QByteArray() << "S"
                                               << "k"
                                               << "'x'" << QByteArray("[S]\r\nk=\"'x'\"\r\n");
    QTest::newRow("inner quote unchanged") << QByteArray() << "S"
                                           << "k"
                                           << "a\"b" << QByteArray("[S]\r\nk=a\"b\r\n");
    QTest::newRow("a single space") << QByteArray() << "S"
                                    << "k"
                                    << " " << QByteArray("[S]\r\nk=\" \"\r\n");
    QTest::newRow("empty value") << QByteArray() << "S"
                                 << "k"
                                 << "" << QByteArray("[S]\r\nk=\r\n");
    QTest::newRow("Windows-1252") << QByteArray() << "S"
                                  << "k" << QString::fromUtf8("\u00e9\u20ac")
                                  << QByteArray("[S]\r\nk=\xe9\x80\r\n");
    QTest::newRow("UTF-16LE stays UTF-16LE") << utf16("[S]\r\nk=1\r\n") << "S"
                                             << "k" << QString::fromUtf8("\u03a9")
                                             << utf16(QString::fromUtf8("[S]\r\nk=\u03a9\r\n"));
    QTest::newRow("UTF-8 mark kept where it was")
            << QByteArray("\xEF\xBB\xBF[S]\r\nk=1\r\n") << "S"
            << "k"
            << "2" << QByteArray("\xEF\xBB\xBF[S]\r\nk=2\r\n");
}

void tst_profile::writing()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    ProfileDocument doc = ProfileDocument::fromBytes(before);
    QVERIFY(doc.setValue(section, key, value));
    QCOMPARE(doc.toBytes(), after);
    QCOMPARE(ProfileDocument::fromBytes(after).value(section, key), value);
}

void tst_profile::refusals_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    const QByteArray plain("[S]\r\nk=1\r\n");
    QTest::newRow("line feed in value") << plain << "S"
                                        << "k"
                                        << "a\nb";
    QTest::newRow("carriage return in value") << plain << "S"
                                              << "k"
                                              << "a\r";
    QTest::newRow("bracket in section") << plain << "S]"
                                        << "k"
                                        << "v";
    QTest::newRow("line break in section") << plain << "S\n"
                                           << "k"
                                           << "v";
    QTest::newRow("equals in key") << plain << "S"
                                   << "k=1"
                                   << "v";
    QTest::newRow("comment key") << plain << "S"
                                 << ";k"
                                 << "v";
    QTest::newRow("empty key") << plain << "S"
                               << " "
                               << "v";
    // A file in an encoding the program does not write would end up in two.
    const QByteArray utf16be("\xFE\xFF\0[\0S\0]\0\r\0\n", 12);
    QTest::newRow("UTF-16BE file") << utf16be << "S"
                                   << "k"
                                   << "v";
    QTest::newRow("UTF-32LE file") << QByteArray("\xFF\xFE\0\0[\0\0\0", 8) << "S"
                                   << "k"
                                   << "v";
    QTest::newRow("UTF-32BE file") << QByteArray("\0\0\xFE\xFF\0\0\0[", 8) << "S"
                                   << "k"
                                   << "v";
    QTest::newRow("UTF-7 file") << QByteArray("+/v8-[S]\r\n") << "S"
                                << "k"
                                << "v";
    QTest::newRow("GB 18030 file") << QByteArray("\x84\x31\x95\x33[S]\r\n") << "S"
                                   << "k"
                                   << "v";
    QTest::newRow("UTF-16LE without a mark") << QByteArray("[\0S\0]\0\r\0\n\0", 10) << "S"
                                             << "k"
                                             << "v";
    QTest::newRow("8-bit text into a file marked as UTF-8")
            << QByteArray("\xEF\xBB\xBF[S]\r\nk=1\r\n") << "S"
            << "k"
            << "Caf\u00e9";
}

void tst_profile::refusals()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    ProfileDocument doc = ProfileDocument::fromBytes(before);
    QVERIFY(!doc.writeRefusal(section, key, value).isEmpty());
    QVERIFY(!doc.setValue(section, key, value));
    QCOMPARE(doc.toBytes(), before);

    WorkingDirectory cwd;
    cwd.write("p.mfc", before);
    QVERIFY(!WriteINI(section, key, value, cwd.filePath("p.mfc")));
    QCOMPARE(cwd.read("p.mfc"), before);
}

void tst_profile::valuesSurviveTheRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    for (const char *v : {"", " ", "  x  ", "\tx", "\"x\"", "'x'", "\"", "'x\"", "a=b", ";x", "[x]",
                          "x ;y", "\"\"", "' '"})
        QTest::newRow(qPrintable(QStringLiteral("[%1]").arg(QString::fromLatin1(v))))
                << QString::fromLatin1(v);
}

void tst_profile::valuesSurviveTheRoundTrip()
{
    QFETCH(QString, value);
    ProfileDocument doc = ProfileDocument::fromBytes("[S]\r\nk=old\r\n");
    QVERIFY(doc.setValue(u"S", u"k", value));
    QCOMPARE(ProfileDocument::fromBytes(doc.toBytes()).value(u"S", u"k"), value);
}

void tst_profile::oneSaveEqualsKeyByKeyWrites_data()
{
    QTest::addColumn<QByteArray>("existing");
    QTest::newRow("no file yet") << QByteArray();
    QTest::newRow("written by hand")
            << QByteArray("; mine\r\n[settings]\nFILENAME = old\n\n[Landing]\r\nlabel=\"x\"\r\n"
                          "extra=1\r\n[Custom]\r\nk=v");
    QTest::newRow("UTF-16LE") << utf16("[Launch]\r\nLabel=old\r\n");
}

// Saving writes every key into one document and stores it once; the file must be what
// writing the keys one after another with WriteINI would leave.
void tst_profile::oneSaveEqualsKeyByKeyWrites()
{
    QFETCH(QByteArray, existing);
    WorkingDirectory cwd;
    Editor editor;
    editor.fillEveryField();
    editor.set("txtLStartAt", " padded ");
    editor.set("txtLHeading", "'quoted'");
    const QList<ProfileEntry> entries =
            projectEntries({[&](Form::Id id) { return editor.form->text(id); },
                            [&](Form::Id id) { return editor.form->isChecked(id); }},
                           editor.model);
    QCOMPARE(entries.size(), 58);

    if (!existing.isEmpty())
        cwd.write("one.mfc", existing);
    for (const ProfileEntry &entry : entries)
        QVERIFY(WriteINI(entry.section, entry.key, entry.value, cwd.filePath("one.mfc")));
    QCOMPARE(updatedProject(existing, entries), cwd.read("one.mfc"));
}

void tst_profile::filesOnDisk()
{
    WorkingDirectory cwd;
    const QString file = cwd.filePath("p.ini");
    QCOMPARE(ReadINI("S", "k", file), QString());
    QVERIFY(WriteINI("Plane Alignment", "Label", "a b", file));
    QVERIFY(WriteINI("Plane Alignment", "Align", QString(300, 'y'), file));
    QVERIFY(WriteINI("Plane Alignment", "Label", "c", file));
    QCOMPARE(cwd.read("p.ini"),
             "[Plane Alignment]\r\nLabel=c\r\nAlign=" + QByteArray(300, 'y') + "\r\n");
    QCOMPARE(ReadINI("plane alignment", "ALIGN", file), QString(300, 'y'));
    QCOMPARE(ReadINI("Plane Alignment", "Missing", file), QString());
    QVERIFY(!WriteINI("S", "k", "a\nb", file));
    QCOMPARE(ReadINI("S", "k", file), QString());
    QCOMPARE(ReadINI("S", "k", cwd.path()), QString()); // a folder reads as empty
}

void tst_profile::writeIntoMissingFolderCreatesNothing()
{
    WorkingDirectory cwd;
    QVERIFY(!WriteINI("S", "k", "v", cwd.filePath("missing/p.ini")));
    QVERIFY(!QDir(cwd.filePath("missing")).exists());
    QCOMPARE(QDir(cwd.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

QTEST_MAIN(tst_profile)
#include "tst_profile.moc"
