// SPDX-License-Identifier: MIT

#include "INIMod.h"
#include "ansitext.h"
#include "testsupport.h"

#ifdef Q_OS_WIN
#    include <windows.h>
#endif

using namespace Qt::StringLiterals;

namespace {

// Stores the entries into mfc/NAME.mfc as Make Mission does; false where it refuses.
bool save(const QList<ProfileEntry> &entries, const QString &name)
{
    PreparedProject project;
    WriteFailure failure;
    return prepareProject(entries, name, &project, &failure) && SaveProject(project, &failure);
}

#ifdef Q_OS_WIN
// The system's own profile functions, the 8-bit ones where the texts fit the code page.
QString systemValue(const QString &file, const QString &section, const QString &key,
                    const QString &expected)
{
    const QString path = QDir::toNativeSeparators(file);
    const DWORD room = DWORD(QFileInfo(file).size() + 1);
    if (Platform::firstUnencodable(section + key + path + expected) >= 0) {
        std::wstring value(room, L'\0');
        const DWORD n = ::GetPrivateProfileStringW(
                section.toStdWString().c_str(), key.toStdWString().c_str(), L"", value.data(),
                DWORD(value.size()), path.toStdWString().c_str());
        return QString::fromWCharArray(value.data(), int(n));
    }
    QByteArray value(room, '\0');
    const DWORD n = ::GetPrivateProfileStringA(
            Platform::encodeAnsi(section).constData(), Platform::encodeAnsi(key).constData(), "",
            value.data(), DWORD(value.size()), Platform::encodeAnsi(path).constData());
    return Platform::decodeAnsi(QByteArrayView(value.constData(), n));
}

bool systemWrite(const QString &file, const QString &section, const QString &key,
                 const QString &value)
{
    const QString path = QDir::toNativeSeparators(file);
    if (Platform::firstUnencodable(section + key + value + path) >= 0)
        return ::WritePrivateProfileStringW(
                section.toStdWString().c_str(), key.toStdWString().c_str(),
                value.toStdWString().c_str(), path.toStdWString().c_str());
    return ::WritePrivateProfileStringA(
            Platform::encodeAnsi(section).constData(), Platform::encodeAnsi(key).constData(),
            Platform::encodeAnsi(value).constData(), Platform::encodeAnsi(path).constData());
}
#endif

} // namespace

// Profile files read and written as the Windows profile functions do it.
class tst_profile : public QObject
{
    Q_OBJECT

private slots:
    void reading_data()
    {
        columns<QByteArray, QString, QString, QString>({"file", "section", "key", "value"});
        const auto row = [](const char *tag, const QByteArray &file, const QString &value,
                            const QString &section = "S", const QString &key = "k") {
            QTest::newRow(tag) << file << section << key << value;
        };
        // clang-format off
        row("plain", "[S]\r\nk=v\r\n", "v");
        row("names in other case", "[SETTINGS]\r\nlabel=x\r\n", "x", "Settings", "Label");
        row("blanks around names and value", "  [ Plane Alignment ]  \r\n  Label  =  x y  \r\n", "x y", "Plane Alignment", "Label");
        row("tabs trimmed", "[S]\r\n\tk\t=\tv\t\r\n", "v");
        row("blanks around the arguments", "[S]\r\nk=v\r\n", "v", " S ", " k ");
        row("LF only", "[S]\nk=v\n", "v");
        row("CR only", "[S]\rk=v\r", "v");
        row("no final line end", "[S]\r\nk=v", "v");
        row("double quotes removed once", "[S]\r\nk=\"\"a\"\"\r\n", "\"a\"");
        row("single quotes removed", "[S]\r\nk='a b'\r\n", "a b");
        row("quoted blanks kept", "[S]\r\nk=\" a \"\r\n", " a ");
        row("mismatched quotes stay", "[S]\r\nk=\"a'\r\n", "\"a'");
        row("lone quote stays", "[S]\r\nk=\"\r\n", "\"");
        row("comment holding the key", "[S]\r\n;k=c\r\n k=v\r\n", "v");
        row("no inline comment", "[S]\r\nk=v ;x\r\n", "v ;x");
        row("hash is part of the key", "[S]\r\n#k=v\r\n", "");
        row("first duplicate key wins", "[S]\r\nk=1\r\nK=2\r\n", "1");
        row("only the first duplicate section", "[S]\r\na=1\r\n[T]\r\n[s]\r\nk=2\r\n", "");
        row("line without equals", "[S]\r\nk\r\n", "");
        row("empty value", "[S]\r\nk=\r\n", "");
        row("missing section", "[S]\r\nk=v\r\n", "", "T");
        row("before the first header", "k=v\r\n[S]\r\n", "");
        row("header without bracket", "[S x\r\nk=v\r\n", "v", "S x");
        row("text after the bracket", "[S] junk\r\nk=v\r\n", "v");
        row("empty section name", "[]\r\nk=v\r\n", "v", "");
        row("split at the first equals", "[S]\r\nk=a=b\r\n", "a=b");
        row("blank lines between", "\r\n[S]\r\n\r\n\r\nk=v\r\n", "v");
        row("100000 characters whole", "[S]\r\nk=" + QByteArray(100000, 'x') + "\r\n" + QByteArray(100000, '['), QString(100000, 'x'));
        row("NUL bytes in names and values", "[S]\r\nk\0=a\r\nk=b\0c\r\n"_ba, QString::fromLatin1("b\0c", 3));
        row("Windows-1252", "[S]\r\nk=Caf\xe9 \x80\r\n", "Caf\u00e9 \u20ac");
        row("UTF-16LE", utf16("[S]\r\nk=\u00e9\u03a9\r\n"), "\u00e9\u03a9");
        row("UTF-16LE of an odd length", utf16("[S]\r\nk=v\r\n") + 'x', "v");
        row("UTF-8 mark skipped", "\xEF\xBB\xBF[S]\r\nk=v\r\n", "v");
        row("empty file", {}, "");
        // clang-format on
    }

    void reading()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const ProfileDocument doc = ProfileDocument::fromBytes(file);
        QCOMPARE(doc.value(section, key), value);
        QCOMPARE(doc.toBytes(), file);
    }

    // An edit changes only what it must; one the file cannot take changes nothing, in memory
    // or on disk.
    void writing_data()
    {
        // after: null where the edit is refused
        columns<QByteArray, QString, QString, QString, QByteArray>(
                {"before", "section", "key", "value", "after"});
        const auto row = [](const char *tag, const QByteArray &before, const QString &value,
                            const QByteArray &after, const QString &section = "S",
                            const QString &key = "k") {
            QTest::newRow(tag) << before << section << key << value << after;
        };
        const QByteArray plain = "[S]\r\nk=1\r\n";
        // clang-format off
        row("existing key keeps its spelling", "[s]\r\nKEY = old\r\n", "new", "[s]\r\nKEY =new\r\n", "S", "key");
        row("only the edited line gets CR LF", "[S]\nk=1\nj=2\n", "3", "[S]\nk=3\r\nj=2\n");
        row("new key after the last key, before comments", "[S]\r\na=1\r\n; note\r\n\r\n[T]\r\n", "3", "[S]\r\na=1\r\nc=3\r\n; note\r\n\r\n[T]\r\n", "S", "c");
        row("new key in a section without keys", "[S]\r\n; c\r\n", "v", "[S]\r\nk=v\r\n; c\r\n");
        row("new section at the end, no blank line", "[S]\r\na=1\r\n\r\n", "v", "[S]\r\na=1\r\n\r\n[T]\r\nk=v\r\n", "T");
        row("new section after a last line without end", "[S]\r\na=1", "v", "[S]\r\na=1\r\n[T]\r\nk=v\r\n", "T");
        row("new key after a last line without end", "[S]\r\na=1", "v", "[S]\r\na=1\r\nk=v\r\n");
        row("unknown lines and comments kept byte for byte", "junk\r\n[S]\r\nfoo\n;k=x\rk=1\r\n", "2", "junk\r\n[S]\r\nfoo\n;k=x\rk=2\r\n");
        row("first duplicate updated", "[S]\r\nk=1\r\nk=2\r\n", "3", "[S]\r\nk=3\r\nk=2\r\n");
        row("UTF-16LE stays UTF-16LE", utf16("[S]\r\nk=1\r\n"), "\u03a9", utf16("[S]\r\nk=\u03a9\r\n"));
        row("UTF-8 mark kept where it was", "\xEF\xBB\xBF[S]\r\nk=1\r\n", "2", "\xEF\xBB\xBF[S]\r\nk=2\r\n");
        row("new file", {}, "v", "[S]\r\nk=v\r\n");
        row("leading blank quoted", {}, " a", "[S]\r\nk=\" a\"\r\n");
        row("trailing tab quoted", {}, "a\t", "[S]\r\nk=\"a\t\"\r\n");
        row("quoted value quoted again", {}, "'x'", "[S]\r\nk=\"'x'\"\r\n");
        row("inner quote unchanged", {}, "a\"b", "[S]\r\nk=a\"b\r\n");
        row("a single space", {}, " ", "[S]\r\nk=\" \"\r\n");
        row("empty value", {}, "", "[S]\r\nk=\r\n");
        row("Windows-1252", {}, "\u00e9\u20ac", "[S]\r\nk=\xe9\x80\r\n");
        row("300 characters", {}, QString(300, 'y'), "[S]\r\nk=" + QByteArray(300, 'y') + "\r\n");
        row("line feed in value", plain, "a\nb", {});
        row("carriage return in value", plain, "a\r", {});
        row("bracket in section", plain, "v", {}, "S]", "k");
        row("line break in section", plain, "v", {}, "S\n", "k");
        row("equals in key", plain, "v", {}, "S", "k=1");
        row("comment key", plain, "v", {}, "S", ";k");
        row("empty key", plain, "v", {}, "S", " ");
        row("8-bit text into a file marked as UTF-8", "\xEF\xBB\xBF[S]\r\nk=1\r\n", "Caf\u00e9", {});
        row("UTF-16BE file", "\xFE\xFF\0[\0S\0]\0\r\0\n"_ba, "v", {});
        row("UTF-32LE file", "\xFF\xFE\0\0[\0\0\0"_ba, "v", {});
        row("UTF-32BE file", "\0\0\xFE\xFF\0\0\0["_ba, "v", {});
        row("UTF-7 file", "+/v8-[S]\r\n", "v", {});
        row("GB 18030 file", "\x84\x31\x95\x33[S]\r\n", "v", {});
        row("UTF-16LE without a mark", "[\0S\0]\0\r\0\n\0"_ba, "v", {});
        row("UTF-16BE without a mark", "\0[\0S\0]\0\r\0\n"_ba, "v", {});
        row("UTF-16LE without a mark, letters beyond Latin-1", utf16("[Launch]\r\nLabel=\u03a9\u4e2d " + QString(200, 'x')).mid(2), "v", {});
        row("NUL bytes before the first section kept", "Data \0 before \0 first \0 section"_ba, "string1", "Data \0 before \0 first \0 section\r\n[section1]\r\nkey1=string1\r\n"_ba, "section1", "key1");
        row("new key before a last NUL byte", "[s]\r\nname1=val1\r\nname2=\r\nname3\r\nname4=val4\r\n\0"_ba, "val5", "[s]\r\nname1=val1\r\nname2=\r\nname3\r\nname4=val4\r\nname5=val5\r\n\0"_ba, "s", "name5");
        row("NUL bytes in a value kept", "[S]\r\nk=1\r\nj=a\0b\r\n"_ba, "2", "[S]\r\nk=2\r\nj=a\0b\r\n"_ba);
        // clang-format on
    }

    void writing()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        const bool refused = after.isNull();
        QCOMPARE(ProfileDocument::fromBytes(before).writeRefusal(section, key, value).isEmpty(),
                 !refused);
        WorkingDirectory cwd;
        if (!before.isEmpty())
            cwd.write("mfc/p.mfc", before);
        QCOMPARE(save({{section, key, value}}, "p"), !refused);
        QCOMPARE(cwd.read("mfc/p.mfc"), refused ? before : after);
        if (!refused)
            QCOMPARE(ProfileDocument::fromBytes(cwd.read("mfc/p.mfc")).value(section, key), value);
    }

#ifdef Q_OS_WIN
    // The rows above against the system's own functions. Where they differ, the reason is
    // given: Wine departs from Windows there, or the program does on purpose.
    void systemReadsAlike_data() { reading_data(); }
    void systemReadsAlike()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        static const QHash<QString, const char *> departures{
                {"header without bracket", "Wine skips a header without \"]\""},
                {"empty section name", "Wine finds no section named \"\""},
                {"NUL bytes in names and values", "Wine ends a line at a NUL byte"},
        };
        WorkingDirectory cwd;
        cwd.write("p.ini", file);
        if (const char *why = departures.value(QTest::currentDataTag()))
            QEXPECT_FAIL("", why, Continue);
        QCOMPARE(systemValue(cwd.filePath("p.ini"), section, key, value), value);
    }

    void systemWritesAlike_data() { writing_data(); }
    void systemWritesAlike()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        if (after.isNull())
            QSKIP("the program refuses what would corrupt the file, where Windows writes it");
        // Wine writes the whole file anew from what it read: each line ends in CR LF, blank
        // lines and the blanks around "=" go, a new key comes at the very end of its section,
        // and the text of a line ends at a NUL byte.
        const char *rewrites = "Wine writes the whole file anew, where Windows edits the line";
        const char *nul = "Wine ends a line at a NUL byte";
        // Windows and Wine write such a value as it is, and reading it back loses its blanks
        // or quotes; the program quotes it once more so that it comes back whole.
        const char *quoted = "the program quotes a value that would not read back";
        static const QHash<QString, const char *> departures{
                {"existing key keeps its spelling", rewrites},
                {"only the edited line gets CR LF", rewrites},
                {"new key after the last key, before comments", rewrites},
                {"new key in a section without keys", rewrites},
                {"new section at the end, no blank line", rewrites},
                {"unknown lines and comments kept byte for byte", rewrites},
                {"leading blank quoted", quoted},
                {"trailing tab quoted", quoted},
                {"quoted value quoted again", quoted},
                {"a single space", quoted},
                {"NUL bytes before the first section kept", nul},
                {"new key before a last NUL byte", nul},
                {"NUL bytes in a value kept", nul},
        };
        WorkingDirectory cwd;
        if (!before.isEmpty())
            cwd.write("p.ini", before);
        QVERIFY(systemWrite(cwd.filePath("p.ini"), section, key, value));
        if (const char *why = departures.value(QTest::currentDataTag()))
            QEXPECT_FAIL("", why, Continue);
        QCOMPARE(cwd.read("p.ini"), after);
    }
#endif

    void valuesSurviveTheRoundTrip()
    {
        for (const char *value : {"", " ", "  x  ", "\tx", "\"x\"", "'x'", "\"", "'x\"", "a=b",
                                  ";x", "[x]", "x ;y", "\"\"", "' '"}) {
            ProfileDocument doc = ProfileDocument::fromBytes("[S]\r\nk=old\r\n");
            QVERIFY(doc.setValue(u"S", u"k", QString::fromLatin1(value)));
            QCOMPARE(ProfileDocument::fromBytes(doc.toBytes()).value(u"S", u"k"), value);
        }
    }

    // Several edits of one document in turn: each finds the lines where the ones before left
    // them.
    void editsInTurn_data()
    {
        // edits: "SECTION/KEY=VALUE" each
        columns<QByteArray, QStringList, QByteArray>({"before", "edits", "after"});
        // clang-format off
        QTest::newRow("a key after a new section, where the last line had no end") << QByteArray("[S]\r\na=1") << QStringList{"T/k=v", "S/b=2"} << QByteArray("[S]\r\na=1\r\nb=2\r\n[T]\r\nk=v\r\n");
        QTest::newRow("two new keys, then the first changed") << QByteArray("[S]\r\n; c\r\n") << QStringList{"S/a=1", "S/b=2", "S/a=3"} << QByteArray("[S]\r\na=3\r\nb=2\r\n; c\r\n");
        QTest::newRow("two new sections, then a key in the first") << QByteArray() << QStringList{"A/x=1", "B/y=2", "A/z=3"} << QByteArray("[A]\r\nx=1\r\nz=3\r\n[B]\r\ny=2\r\n");
        // clang-format on
    }

    void editsInTurn()
    {
        QFETCH(QByteArray, before);
        QFETCH(QStringList, edits);
        QFETCH(QByteArray, after);
        ProfileDocument doc = ProfileDocument::fromBytes(before);
        for (const QString &edit : edits) {
            const QString place = edit.section(u'=', 0, 0);
            QVERIFY(doc.setValue(place.section(u'/', 0, 0), place.section(u'/', 1),
                                 edit.section(u'=', 1)));
        }
        QCOMPARE(doc.toBytes(), after);
    }

    // Saving writes every key into one document and stores it once; the file must be what
    // saving the keys one after another would leave.
    void oneSaveEqualsKeyByKeyWrites()
    {
        WorkingDirectory cwd;
        Core core;
        core.edit({"fill", "txtLStartAt= padded ", "txtLHeading='quoted'"});
        const QList<ProfileEntry> entries =
                projectEntries({[&](Form::Id id) { return core.form.text(id); },
                                [&](Form::Id id) { return core.form.isChecked(id); }},
                               core.model);
        // clang-format off
        for (const QByteArray &existing : {QByteArray(), utf16("[Launch]\r\nLabel=old\r\n"),
                 "; mine\r\n[settings]\nFILENAME = old\n\n[Landing]\r\nlabel=\"x\"\r\nextra=1\r\n[Custom]\r\nk=v"_ba}) {
            // clang-format on
            const QString name = QString::number(existing.size()); // one for each
            if (!existing.isEmpty())
                cwd.write("mfc/" + name + ".mfc", existing);
            for (const ProfileEntry &entry : entries)
                QVERIFY(save({entry}, name));
            QCOMPARE(updatedProject(existing, entries), cwd.read("mfc/" + name + ".mfc"));
        }
    }
};

QTEST_GUILESS_MAIN(tst_profile)
#include "tst_profile.moc"
