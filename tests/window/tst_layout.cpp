// SPDX-License-Identifier: MIT

#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

#include "frmMain_window.h"
#include "testsupport.h"
#include "tworowtabwidget.h"

// The window as laid out from the form table: every control in its place (relative to its
// container) under the name assistive tools read, the focus order, and nothing hidden or cut.
class tst_layout : public QObject
{
    Q_OBJECT

    QWidget *control(const QString &name) const
    {
        QWidget *w = m_window->control(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    // Where a control is in the container it was placed in.
    static QRect placed(QWidget *w, QWidget *container)
    {
        return {w->mapTo(container, QPoint(0, 0)), w->size()};
    }

private slots:
    // The window opens in the middle of the screen.
    void initTestCase()
    {
        m_window = std::make_unique<frmMainWindow>(m_core.form);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        const QPoint centre = m_window->screen()->availableGeometry().center();
        QVERIFY((m_window->frameGeometry().center() - centre).manhattanLength() <= 2);
        QCOMPARE(qobject_cast<QLabel *>(control("Picture1"))->pixmap().size(), QSize(365, 124));
    }
    void cleanupTestCase() { m_window.reset(); }

    // The ruled lines of a page, across and down, where the layout draws them.
    void ruledLines()
    {
        QStringList rules;
        const QList<QFrame *> frames =
                m_window->tabs()->page(0)->findChildren<QFrame *>(Qt::FindDirectChildrenOnly);
        for (const QFrame *frame : frames) {
            if (frame->frameShape() != QFrame::HLine && frame->frameShape() != QFrame::VLine)
                continue;
            const QRect r = frame->geometry();
            rules << QStringLiteral("%1 %2,%3 %4x%5")
                             .arg(frame->frameShape() == QFrame::HLine ? "across" : "down")
                             .arg(r.x())
                             .arg(r.y())
                             .arg(r.width())
                             .arg(r.height());
        }
        rules.sort();
        QCOMPARE(rules,
                 (QStringList{"across 16,112 609x1", "down 104,112 1x225", "down 272,112 1x225",
                              "down 440,112 1x225"}));
    }

    void placements_data()
    {
        // container: "window", "tabs", or "parent" for a control in a frame of its own; tab:
        // the page it is on, or -1
        columns<QString, QString, int, QRect, QString>(
                {"name", "container", "tab", "pixels", "accessibleName"});
        // clang-format off
        QTest::newRow("load button") << "cmdOpen" << "window" << -1 << QRect(32, 40, 97, 33) << "";
        QTest::newRow("project caption") << "lblFileEdit" << "parent" << -1 << QRect(16, 24, 617, 17) << "";
        QTest::newRow("first field") << "txtLLabel" << "tabs" << 0 << QRect(112, 120, 153, 19) << "Label";
        QTest::newRow("array element") << "txtAHeight(3)" << "tabs" << 1 << QRect(232, 152, 25, 19) << "Height 4";
        QTest::newRow("readout") << "lblLs" << "tabs" << 0 << QRect(280, 168, 153, 17) << "";
        QTest::newRow("check box") << "chkDCmdsK" << "tabs" << 5 << QRect(112, 216, 81, 17) << "";
        QTest::newRow("option in its frame") << "optDOmmit(0)" << "parent" << 5 << QRect(8, 8, 65, 17) << "Ommit Docking: Yes";
        QTest::newRow("catalogue entry") << "txtInsert" << "tabs" << 9 << QRect(112, 200, 513, 89) << "Please insert into \"missions.lst\"";
        QTest::newRow("make button") << "cmdMakeMission" << "tabs" << 9 << QRect(296, 296, 105, 33) << "";
        // clang-format on
    }

    // Where a control is, in pixels, on which page, and the name assistive tools read.
    void placements()
    {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(int, tab);
        QFETCH(QRect, pixels);
        QFETCH(QString, accessibleName);
        QWidget *w = control(name);
        TwoRowTabWidget *tabs = m_window->tabs();
        QWidget *in = container == "window" ? static_cast<QWidget *>(m_window.get())
                : container == "tabs"       ? tabs
                                            : w->parentWidget();
        QCOMPARE(placed(w, in), pixels);
        QVERIFY(tab < 0 || tabs->page(tab)->isAncestorOf(w));
        QCOMPARE(w->accessibleName(), accessibleName);
    }

    // Every page has its "Ommit:" row in the same place.
    void captionsAndOmmitRows()
    {
        TwoRowTabWidget *tabs = m_window->tabs();
        for (int tab = 0; tab < tabs->count(); ++tab) {
            auto *ommit = tabs->page(tab)->findChild<QLabel *>(Form::objectName("lblOmmit", tab));
            QVERIFY(ommit && ommit->text() == "Ommit:");
            QCOMPARE(placed(ommit, tabs), QRect(224, 88, 81, 17));
        }
    }

    // The fields of the first tab, the tab strip, the fields of the other tabs and "Make
    // Mission", the option pairs (one stop each, the checked button), and "Load MFC File"
    // last.
    void focusOrder()
    {
        QStringList chain;
        QWidget *first = control("txtLLabel"), *w = first;
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                chain << w->objectName();
            w = w->nextInFocusChain();
        } while (w != first);
        const QString expected =
                "txtLLabel txtLStartAt txtLWakeUp txtLBase(0) txtLBase(1) txtLBase(2) "
                "txtLHeading txtLHoverAt txtLThrust txtLOrientation(0) txtLOrientation(1) "
                "txtLOrientation(2) txtLCompleteAt SSTab1Strip txtAName txtAHeight(0) "
                "txtAHeight(1) txtAHeight(2) txtAHeight(3) txtAHeight(4) txtAHeight(5) "
                "txtAHeight(6) txtAHeight(7) txtAPitch(0) txtAPitch(1) txtAPitch(2) txtAPitch(3) "
                "txtAPitch(4) txtAPitch(5) txtAPitch(6) txtAPitch(7) txtAThrust(0) txtAThrust(1) "
                "txtAThrust(2) txtAThrust(3) txtAThrust(4) txtAThrust(5) txtAThrust(6) "
                "txtAThrust(7) txtALockVz txtAAlignWith txtACompleteAt txtPALabel txtPAReference "
                "txtPAAlign txtSName txtSReference txtSCapDist txtSCompleteAt txtAppName "
                "txtAppReference txtAppNav txtAppCompleteAt txtDName txtDReference txtDPort "
                "txtDNAV chkDCmdsK chkDCmdsCC txtULabel txtUStartAt txtUReference txtUPort "
                "txtUVRel txtRName txtRStartAt txtRAoa txtRBase txtRCompleteAt txtLndName "
                "txtLndBase txtLndHoverPad(0) txtLndHoverPad(1) txtLndNAV txtFileName "
                "txtDirectory txtMissionName txtInsert cmdMakeMission optPAOmmit(1) optSOmmit(1) "
                "optAppOmmit(1) optDOmmit(1) optUOmmit(1) optROmmit(1) optLndOmmit(1) cmdOpen";
        QCOMPARE(chain, expected.split(' '));
    }

    void tabbingSkipsHiddenPages()
    {
        frmMainWindow *w = m_window.get();
        w->activateWindow();
        w->tabs()->setCurrentIndex(0);
        QWidget *last = control("txtLCompleteAt");
        last->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), last);
        QTest::keyClick(last, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->tabs()->tabStrip());
        QTest::keyClick(w->tabs()->tabStrip(), Qt::Key_Right);
        QTest::keyClick(w->tabs()->tabStrip(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control("txtAName"));
        QCOMPARE(w->tabs()->currentIndex(), 1);
    }

    // With each face the window can be set in: the one the package depends on, and the
    // Windows face where the system has it. A text box's default text counts too.
    void noTextIsCut_data()
    {
        QTest::addColumn<QString>("face");
        QTest::newRow("packaged face") << "Liberation Sans";
        QTest::newRow("Windows face where installed") << "Microsoft Sans Serif";
    }
    void noTextIsCut()
    {
        QFETCH(QString, face);
        if (!QFontDatabase::hasFamily(face))
            QSKIP("the face is not installed");
        const QString designed = QStringLiteral("MS Sans Serif");
        const QStringList substitutes = QFont::substitutes(designed);
        QFont::removeSubstitutions(designed);
        QFont::insertSubstitution(designed, face);
        const auto restore = qScopeGuard([&] {
            QFont::removeSubstitutions(designed);
            QFont::insertSubstitutions(designed, substitutes);
        });
        Core core;
        frmMainWindow window(core.form);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(QFontInfo(window.font()).family(), face);
        QCOMPARE(QApplication::style()->name(), "fusion");
        for (QLabel *label : window.findChildren<QLabel *>()) {
            if (label->text().isEmpty())
                continue;
            const QFontMetrics metrics(label->font());
            const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
            const QRect needed = metrics.boundingRect(label->contentsRect(), flags, label->text());
            QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height() + 1,
                     qPrintable(label->objectName() + ": " + label->text()));
        }
        for (QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            QStyle::SubElement contents = QStyle::SE_PushButtonContents;
            if (qobject_cast<QCheckBox *>(button))
                contents = QStyle::SE_CheckBoxContents;
            else if (qobject_cast<QRadioButton *>(button))
                contents = QStyle::SE_RadioButtonContents;
            const QRect room = button->style()->subElementRect(contents, &option, button);
            const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
            QVERIFY2(text.width() <= room.width() && text.height() <= room.height() + 1,
                     qPrintable(button->objectName()));
        }
        for (QLineEdit *box : window.findChildren<QLineEdit *>()) {
            QStyleOptionFrame option;
            option.initFrom(box);
            option.lineWidth = box->hasFrame() ? 1 : 0;
            QRect room = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
            // Qt keeps two pixels of margin left and right of the text (QLineEdit's own).
            room = room.marginsRemoved(box->textMargins()).adjusted(2, 0, -2, 0);
            QVERIFY2(box->fontMetrics().horizontalAdvance(box->text()) <= room.width(),
                     qPrintable(box->objectName() + ": " + box->text()));
        }
    }

    void noControlHidesAnother()
    {
        TwoRowTabWidget *tabs = m_window->tabs();
        for (int tab = -1; tab < tabs->count(); ++tab) {
            QWidget *parent = tab < 0 ? m_window.get() : tabs->page(tab);
            QList<QWidget *> controls;
            // The ruled lines have no names.
            for (QWidget *w : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
                if (w != tabs && !w->objectName().isEmpty())
                    controls << w;
            }
            QVERIFY(controls.size() > 2);
            // Neighbours may share their edge pixel ("Yes" is 975 twips wide and "No" starts
            // 960 twips after it); anything more would hide part of a control.
            for (qsizetype i = 0; i < controls.size(); ++i) {
                for (qsizetype j = i + 1; j < controls.size(); ++j) {
                    const QRect shared = controls[i]->geometry() & controls[j]->geometry();
                    QVERIFY2(shared.isEmpty() || shared.width() <= 1 || shared.height() <= 1,
                             qPrintable(controls[i]->objectName() + " and "
                                        + controls[j]->objectName()));
                }
            }
        }
    }

private:
    Core m_core;
    std::unique_ptr<frmMainWindow> m_window;
};

QTEST_MAIN(tst_layout)
#include "tst_layout.moc"
