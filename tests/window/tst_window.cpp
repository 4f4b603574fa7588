// SPDX-License-Identifier: MIT

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QCompleter>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "frmMain_window.h"
#include "testsupport.h"
#include "tworowtabwidget.h"

// The window worked with the keyboard and mouse, as a user would: what the user does
// reaches the form, what the form holds is shown, the dialog offers the projects, and what
// goes wrong is reported.
class tst_window : public QObject
{
    Q_OBJECT

    template<class T = QWidget>
    T *find(const QString &name) const
    {
        return qobject_cast<T *>(m->window.control(name));
    }

    // Clicks the button and answers the dialogs it opens, once each is on the screen: the
    // file dialog chooses the file given, or is cancelled, and a message box is closed.
    // What they showed: the file dialog's filters and folder, the message box's title and text.
    QStringList clickAndAnswer(const QString &button, const QString &file = {}) const
    {
        QStringList shown;
        QObject click; // what is still to be answered once the click is over is not
        std::function<void()> answer = [&] {
            QTimer::singleShot(0, &click, answer); // and whatever shows next
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
                shown << dialog->nameFilters() << dialog->directory().absolutePath();
                dialog->selectFile(file);
                // Shown again, it did not take the file.
                file.isEmpty() || shown.size() > 2 ? dialog->reject()
                                                   : static_cast<QDialog *>(dialog)->accept();
            } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                // The breaks the box may put anywhere in a long run show as nothing.
                shown << box->windowTitle() + '\n' + QString(box->text()).remove(QChar(0x200B));
                // Every character of the text inside the box.
                for (const QLabel *label : box->findChildren<QLabel *>()) {
                    const QRect room = label->contentsRect();
                    const QRect needed = label->fontMetrics().boundingRect(
                            room, int(label->alignment()) | Qt::TextWordWrap, label->text());
                    if (!label->text().isEmpty() && !room.contains(needed))
                        shown << "cut: " + label->text();
                }
                box->accept();
            }
        };
        QTimer::singleShot(0, &click, answer);
        find<QPushButton>(button)->click();
        return shown;
    }

private slots:
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void init()
    {
        m = std::make_unique<Shown>();
        m->cwd.write("mfc/p.mfc", fixture("filled.mfc"));
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
            seen << m->core.value("model:txtLWakeUp") + ' ' + find<QLabel>("lblLs")->text();
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
        QCOMPARE(m->core.values({"model:chkDCmdsCC", "optDOmmit(0)", "optDOmmit(1)"}),
                 (QStringList{"model:chkDCmdsCC=^C", "optDOmmit(0)=1", "optDOmmit(1)=0"}));
    }

    // The dialog offers project files in the project folder; what it loads shows everywhere.
    void loadingShowsWhatTheFormHolds()
    {
        QCOMPARE(clickAndAnswer("cmdOpen", "p.mfc"),
                 (QStringList{"MFC Files(*.mfc)", m->cwd.filePath("mfc")}));
        QCOMPARE(m->core.value("lblFileEdit"),
                 QDir::toNativeSeparators(m->cwd.filePath("mfc/p.mfc")));
        QCOMPARE(find<QLineEdit>("txtLLabel")->text(), "Caf\u00e9 Launch");
        QCOMPARE(find<QLineEdit>("txtAHeight(3)")->text(), "AHeight3");
        QCOMPARE(find<QLabel>("lblLs")->text(), "T - LWakeUps");
        QVERIFY(find<QCheckBox>("chkDCmdsK")->isChecked() && !find("cmdOpen")->isEnabled());
    }

    void startedAsTheProgramIs_data()
    {
        // expected: what the pages built after the first show, a check box as 1 or 0
        columns<QString, QStringList>({"project", "expected"});
        QTest::newRow("no project given")
                << QString()
                << QStringList{"txtDirectory=Remembered", "txtDName=", "chkDCmdsK=0",
                               "txtUVRel=", "txtFileName="};
        QTest::newRow("a project given")
                << "mfc/p.mfc"
                << QStringList{"txtDirectory=Dir", "txtDName=DName", "chkDCmdsK=1",
                               "txtUVRel=UVRel", "txtFileName=filled"};
    }

    // As the program starts: the directory of settings.dat, the first page shown, the
    // project of the command line loaded before the later pages are built, and those pages
    // built once the window is on the screen.
    void startedAsTheProgramIs()
    {
        QFETCH(QString, project);
        QFETCH(QStringList, expected);
        m->cwd.write("settings.dat", "Remembered\r\n");
        MissionModel model;
        frmMain form(model);
        frmMainWindow window(form, {}, {}, frmMainWindow::Pages::OthersOnceShown);
        window.show();
        if (!project.isEmpty())
            window.loadProject(m->cwd.filePath(project));
        QVERIFY(!window.control("txtDName"));
        QTRY_VERIFY(window.control("txtDName"));
        QStringList shown;
        for (const QString &line : std::as_const(expected)) {
            const QString name = line.section('=', 0, 0);
            QWidget *w = window.control(name);
            if (auto *box = qobject_cast<QLineEdit *>(w))
                shown << name + '=' + box->text();
            else if (auto *button = qobject_cast<QAbstractButton *>(w))
                shown << name + '=' + (button->isChecked() ? '1' : '0');
        }
        QCOMPARE(shown, expected);
    }

    void cancellingTheDialogChangesNothing()
    {
        m->core.edit({"txtLLabel=kept"});
        const QStringList before = m->core.state();
        QCOMPARE(clickAndAnswer("cmdOpen").size(), 2);
        QCOMPARE(m->core.state(), before);
        QVERIFY(!find("cmdOpen")->isEnabled());
    }

    // The default Directory, "C:\Orbiter\QAV", is the simulator's folder in the Wine prefix,
    // where the simulator's names are.
    void defaultDirectoryInTheWinePrefix()
    {
#ifdef Q_OS_WIN
        QSKIP("drive paths are the system's own on Windows");
#else
        Faults made(m->cwd.path(),
                    {"folder:wine/drive_c/orbiter/qav", "folder:wine/dosdevices",
                     "link:wine/dosdevices/c:=../drive_c"});
        const Environment wine({{"WINEPREFIX", m->cwd.filePath("wine")}});
        m->window.tabs()->setCurrentIndex(Form::MakeFileTab);
        QTest::keyClicks(find("txtFileName"), "m1");
        QCOMPARE(clickAndAnswer("cmdMakeMission"), QStringList{});
        QCOMPARE(m->cwd.read("wine/drive_c/orbiter/qav/m1.qav"), fixture("defaults.qav"));

        // The installation there offers its names.
        writeInstallation(m->cwd.filePath("wine/drive_c/orbiter"));
        m->window.tabs()->setCurrentIndex(0);
        m->core.edit({"txtLBase(0)=Earth"});
        QAbstractItemView *popup = typeInto("txtLBase(1)", "Hab");
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(offered(popup), QStringList{"Habana"});
#endif
    }

    // Names of the simulator's installation above the Directory, offered while the user types
    // and heard by screen readers; nothing changes until one is chosen.
    void completesNamesOfTheInstallation()
    {
        writeInstallation(m->cwd.filePath("Orbiter"));
        m->core.edit({"txtDirectory=" + nativePaths(m->cwd.filePath("Orbiter/QAV")),
                      "txtLBase(0)=Earth"});
        auto *base = find<QLineEdit>("txtLBase(1)");
        QAbstractItemView *popup = typeInto("txtLBase(1)", "hab");
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(offered(popup), QStringList{"Habana"});
        QCOMPARE(m->core.form.text(Core::id("txtLBase(1)")), "hab");
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(popup);
        QVERIFY(list != nullptr && list->childCount() > 0);
        QCOMPARE(list->child(0)->text(QAccessible::Name), "Habana");

        base->selectAll();
        QTest::keyClicks(base, "TOM");
        QTRY_COMPARE(offered(popup), QStringList{"S\u00e3o Tom\u00e9"});
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        QTRY_VERIFY(!popup->isVisible());
        QCOMPARE(m->core.form.text(Core::id("txtLBase(1)")), "S\u00e3o Tom\u00e9");
        QCOMPARE(m->core.model.value(Core::id("txtLBase(1)")), "S\u00e3o Tom\u00e9");

        // No pads at that base; and another Directory, with no installation above it, offers
        // nothing.
        QVERIFY(!typeInto("txtLBase(2)", "1")->isVisible());
        m->core.edit({"txtDirectory=" + nativePaths(m->cwd.filePath("Elsewhere"))});
        QVERIFY(!typeInto("txtLBase(1)", "hab")->isVisible());
    }

    void failuresAreReported()
    {
        Faults made(m->cwd.path(), {"sparse:mfc/big.mfc=3000000000"});
        QCOMPARE(clickAndAnswer("cmdOpen", "big.mfc").value(2),
                 "Load MFC File\nCould not read the project file:\n"
                         + QDir::toNativeSeparators(m->cwd.filePath("mfc/big.mfc"))
                         + ": too large to be a project file\n\nNothing was loaded.");
        QCOMPARE(clickAndAnswer("cmdMakeMission"),
                 QStringList{"Make Mission\nThe mission has no file name. Type one into \"File "
                             "Name\" on the tab \"10 - Make File\".\n\nNothing was written."});
        // A folder name far wider than the box, without a blank to break it at.
        const QString folder =
                nativePaths(m->cwd.filePath(QString(250, u'F') + "/Missions_Folder"));
        m->core.edit({"txtFileName=m1", "txtDirectory=" + folder});
        const QStringList longPath = clickAndAnswer("cmdMakeMission");
        QCOMPARE(longPath.size(), 1);
        QVERIFY2(longPath.constFirst().contains(nativePaths(folder + "/m1.qav")),
                 qPrintable(longPath.constFirst()));
    }

private:
    // Clicks into the box and types over its text; the box's completion list.
    QAbstractItemView *typeInto(const QString &name, const QString &text) const
    {
        // The offscreen platform leaves a closed list the active window.
        QApplication::setActiveWindow(&m->window);
        auto *box = find<QLineEdit>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
        if (!QTest::qWaitFor([box] { return box->hasFocus(); }))
            qWarning("%s took no focus", qPrintable(name));
        box->selectAll();
        QTest::keyClicks(box, text);
        return box->completer()->popup();
    }

    static QStringList offered(const QAbstractItemView *popup)
    {
        QStringList names;
        for (int row = 0; row < popup->model()->rowCount(); ++row)
            names.append(popup->model()->index(row, 0).data().toString());
        return names;
    }

    struct Shown : Session
    {
        frmMainWindow window{core.form};
    };
    std::unique_ptr<Shown> m;
};

QTEST_MAIN(tst_window)
#include "tst_window.moc"
