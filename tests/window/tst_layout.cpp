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

#include "formlayout.h"
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

    // Each control on its tab where the table puts it, its caption beside it.
    void everyControlWhereTheTableSaysIt()
    {
        TwoRowTabWidget *tabs = m_window->tabs();
        for (const Form::Control &c : Form::controls()) {
            QWidget *w = control(Form::objectName(c));
            QWidget *container = c.parent     ? control(c.parent)
                    : c.tab == Form::OnWindow ? static_cast<QWidget *>(m_window.get())
                                              : tabs;
            QVERIFY(c.tab == Form::OnWindow || tabs->page(c.tab)->isAncestorOf(w));
            QCOMPARE(placed(w, container),
                     Layout::placeOf(*Form::find(w->objectName())).at.toPixels());
            if (c.kind == Form::Kind::TextBox || c.kind == Form::Kind::MultiLineBox)
                QCOMPARE(w->accessibleName(), Form::accessibleName(c));
            if (c.caption) {
                auto *caption = qobject_cast<QLabel *>(control(Form::captionObjectName(c)));
                QCOMPARE(caption->text(), c.caption);
                // A fixed text is no field a caption could name.
                QCOMPARE(caption->buddy(), c.kind == Form::Kind::Label ? nullptr : w);
                QCOMPARE(placed(caption, tabs),
                         Layout::captionGeometry(*Form::find(w->objectName())).toPixels());
            }
        }
        // Every tab has its "Ommit:" row; an option says what it leaves out.
        for (int tab = 0; tab < tabs->count(); ++tab) {
            auto *ommit = tabs->page(tab)->findChild<QLabel *>(Form::objectName("lblOmmit", tab));
            QVERIFY(ommit && ommit->text() == "Ommit:");
            QCOMPARE(placed(ommit, tabs), Layout::OmmitCaption.toPixels());
        }
        QCOMPARE(control("optDOmmit(0)")->accessibleName(), "Ommit Docking: Yes");
    }

    // The fields of the first tab, the tab strip, the fields of the other tabs and "Make
    // Mission", the option pairs (one stop each, the checked button), and "Load MFC File"
    // last, each in the table's order.
    void focusOrder()
    {
        QStringList expected{}, options;
        for (const Form::Control &c : Form::controls()) {
            if (c.tab > 0 && !expected.contains("SSTab1Strip"))
                expected << "SSTab1Strip";
            if (c.kind == Form::Kind::OptionButton && c.index == 1)
                options << Form::objectName(c);
            else if (c.kind == Form::Kind::TextBox || c.kind == Form::Kind::MultiLineBox
                     || c.kind == Form::Kind::CheckBox
                     || (c.kind == Form::Kind::Button && c.tab != Form::OnWindow))
                expected << Form::objectName(c);
        }
        expected << options << "cmdOpen";

        QStringList chain;
        QWidget *first = control("txtLLabel"), *w = first;
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                chain << w->objectName();
            w = w->nextInFocusChain();
        } while (w != first);
        QCOMPARE(chain, expected);
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
