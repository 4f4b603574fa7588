// SPDX-License-Identifier: MIT

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "frmMain_window.h"
#include "testsupport.h"
#include "tworowtabwidget.h"

// A dialog that answers as a test tells it to, without showing anything.
class ScriptedLoadDialog final : public LoadDialog
{
public:
    bool showOpen(QWidget *) override
    {
        shown << fileName();
        setFileName(answer);
        return !answer.isEmpty();
    }
    QString answer;    // the path to choose; empty means cancel
    QStringList shown; // what the caller left in the file name each time it showed
};

// Records what a message box would have shown: title, line break, text.
class RecordingErrorReport final : public ErrorReport
{
public:
    void report(QWidget *, const QString &title, const QString &text) override
    {
        reports << title + u'\n' + text;
    }
    QStringList reports;
};

// The window worked with the keyboard and mouse, as a user would: what the user does
// reaches the form, what the form holds is shown, and what goes wrong is reported.
class tst_window : public QObject
{
    Q_OBJECT

    template<class T = QWidget>
    T *find(const QString &name) const
    {
        return qobject_cast<T *>(m->window.control(name));
    }
    void click(const QString &button) const { find<QPushButton>(button)->click(); }

private slots:
    void init()
    {
        m = std::make_unique<Shown>();
        m->window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m->window));
    }
    void cleanup() { m.reset(); }

    // Each key typed runs the field's rule; each click reaches the form.
    void typingAndClicksReachTheForm()
    {
        auto *wake = find<QLineEdit>("txtLWakeUp");
        QStringList seen;
        connect(wake, &QLineEdit::textChanged, this, [this, &seen] {
            seen << m->core.value("LWakeUp") + ' ' + find<QLabel>("lblLs")->text();
        });
        QTest::keyClicks(wake, "120");
        QTest::keyClick(wake, Qt::Key_Backspace);
        QCOMPARE(seen, (QStringList{"1s T - 1s", "12s T - 12s", "120s T - 120s", "12s T - 12s"}));

        m->window.tabs()->setCurrentIndex(Form::MakeFileTab);
        QTest::keyClicks(find("txtFileName"), "m1");
        QTest::keyClicks(find("txtMissionName"), "Test");
        const QString entry = "<Entry>\n\t<Label>Test</Label>\n\t<XQAV>m1.qav</XQAV>\n</Entry>";
        QCOMPARE(find<QPlainTextEdit>("txtInsert")->toPlainText(), entry);
        QTest::keyClicks(find("txtInsert"), "!");
        QCOMPARE(m->core.value("txtInsert"), "!" + entry);

        m->window.tabs()->setCurrentIndex(Form::Table::Docking);
        QTest::mouseClick(find("chkDCmdsCC"), Qt::LeftButton, {}, QPoint(5, 8));
        QTest::mouseClick(find("optDOmmit(0)"), Qt::LeftButton, {}, QPoint(5, 8));
        QCOMPARE(m->core.values({"DCmds", "optDOmmit(0)", "optDOmmit(1)"}),
                 (QStringList{"DCmds=|^C", "optDOmmit(0)=1", "optDOmmit(1)=0"}));
    }

    // The dialog opens where the projects are, with no name left over; what it loads shows
    // everywhere.
    void loadingShowsWhatTheFormHolds()
    {
        QCOMPARE(m->window.loadDialog().initialFolder(), m->core.form.projectFolder());
        QCOMPARE(m->window.loadDialog().filter(), "MFC Files(*.mfc)|*.mfc");
        m->dialog->setFileName("left over");
        m->dialog->answer = fixturePath("filled.mfc");
        click("cmdOpen");
        QCOMPARE(m->dialog->shown, QStringList{""});
        QCOMPARE(m->core.value("lblFileEdit"), fixturePath("filled.mfc"));
        for (int row = 0; row < Form::RowCount; ++row) {
            QWidget *w = find(Form::objectName(Form::Table::Controls[row]));
            const QString text = m->core.form.text({row});
            if (auto *box = qobject_cast<QLineEdit *>(w))
                QCOMPARE(box->text(), text);
            else if (auto *lines = qobject_cast<QPlainTextEdit *>(w))
                QCOMPARE(lines->toPlainText(), QString(text).replace("\r\n", "\n"));
            else if (auto *label = qobject_cast<QLabel *>(w); label && label->pixmap().isNull())
                QCOMPARE(label->text(), text);
            if (auto *button = qobject_cast<QAbstractButton *>(w))
                QCOMPARE(button->isChecked(), m->core.form.isChecked({row}));
        }
        QVERIFY(find<QCheckBox>("chkDCmdsK")->isChecked() && !find("cmdOpen")->isEnabled());
        QCOMPARE(m->errors->reports, QStringList());
    }

    void cancellingTheDialogChangesNothing()
    {
        m->core.edit({"txtLLabel=kept"});
        const QStringList before = m->core.state();
        click("cmdOpen");
        QCOMPARE(m->dialog->shown.size(), 1);
        QCOMPARE(m->core.state(), before);
        QVERIFY(!find("cmdOpen")->isEnabled());
        QCOMPARE(m->errors->reports, QStringList());
    }

    void failuresAreReported()
    {
        m->dialog->answer = m->cwd.filePath("gone.mfc");
        click("cmdOpen");
        click("cmdMakeMission");
        QCOMPARE(m->errors->reports,
                 (QStringList{"Load MFC File\nCould not read the project file:\n"
                                      + m->cwd.filePath("gone.mfc")
                                      + ": No such file or directory\n\nNothing was loaded.",
                              "Make Mission\nThe mission has no file name. Type one into \"File "
                              "Name\" on the tab \"10 - Make File\".\n\nNothing was written."}));
    }

private:
    struct Shown : Session
    {
        ScriptedLoadDialog *dialog = new ScriptedLoadDialog; // the window owns both
        RecordingErrorReport *errors = new RecordingErrorReport;
        frmMainWindow window{core.form, std::unique_ptr<LoadDialog>(dialog),
                             std::unique_ptr<ErrorReport>(errors)};
    };
    std::unique_ptr<Shown> m;
};

QTEST_MAIN(tst_window)
#include "tst_window.moc"
