// SPDX-License-Identifier: MIT

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QTest>

#include "frmMain_window.h"
#include "testsupport.h"
#include "tworowtabwidget.h"

namespace {

struct Event
{
    QObject *object;
    QAccessible::Event type;
    int child;
};
QList<Event> events;

void record(QAccessibleEvent *event)
{
    events.append({event->object(), event->type(), event->child()});
}

bool announced(QObject *object, QAccessible::Event type, int child = -1)
{
    return std::any_of(events.cbegin(), events.cend(), [&](const Event &e) {
        return e.object == object && e.type == type && e.child == child;
    });
}

QAccessibleInterface *iface(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

QList<QAccessibleInterface *> related(QAccessibleInterface *from, QAccessible::Relation kind)
{
    QList<QAccessibleInterface *> found;
    for (const auto &[target, relation] : from->relations(kind))
        found.append(target);
    return found;
}

} // namespace

// What a screen reader finds in the window: the tab strip as page tabs with their events,
// option pairs as one stop each, fields named, labelled and described as the form table
// declares them, and no empty label, ruled line or second focus.
class tst_accessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void tabStrip_data();
    void tabStrip();
    void optionPairs_data();
    void optionPairs();
    void fields_data();
    void fields();
    void quietTree();

private:
    QWidget *widget(const Form::Control &c) const { return window()->control(Form::objectName(c)); }
    frmMainWindow *window() const { return &m->window; }
    void focus(QWidget *w) const;
    void set(const QString &name, const QString &text) const { m->core.edit({name + '=' + text}); }

    struct Shown : Session
    {
        frmMainWindow window{core.form};
    };
    std::unique_ptr<Shown> m;
};

void tst_accessibility::initTestCase()
{
    QAccessible::installUpdateHandler(record);
    m = std::make_unique<Shown>();
    window()->show();
    QVERIFY(QTest::qWaitForWindowExposed(window()));
    window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window()));
}

void tst_accessibility::cleanupTestCase()
{
    m.reset();
    QAccessible::installUpdateHandler(nullptr);
}

void tst_accessibility::focus(QWidget *w) const
{
    w->setFocus();
    QTRY_VERIFY(w->hasFocus());
    QCoreApplication::processEvents();
    events.clear();
}

void tst_accessibility::tabStrip_data()
{
    QTest::addColumn<QString>("focusOn"); // before the change
    QTest::addColumn<int>("key"); // 0: a click on the tab, -1: the program, -2: a screen reader
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("click") << "SSTab1Strip" << 0 << 0 << 7;
    QTest::newRow("arrow key") << "SSTab1Strip" << int(Qt::Key_Right) << 2 << 3;
    QTest::newRow("Home") << "SSTab1Strip" << int(Qt::Key_Home) << 6 << 0;
    QTest::newRow("End") << "SSTab1Strip" << int(Qt::Key_End) << 3 << 9;
    QTest::newRow("program, focus elsewhere") << "cmdOpen" << -1 << 1 << 4;
    QTest::newRow("program, strip takes the page's focus") << "txtLLabel" << -1 << 0 << 5;
    QTest::newRow("a screen reader's press") << "SSTab1Strip" << -2 << 1 << 8;
}

void tst_accessibility::tabStrip()
{
    QFETCH(QString, focusOn);
    QFETCH(int, key);
    QFETCH(int, from);
    QFETCH(int, to);
    TwoRowTabWidget *tabs = window()->tabs();
    QWidget *strip = tabs->tabStrip();
    tabs->setCurrentIndex(from);
    focus(window()->findChild<QWidget *>(focusOn));
    const bool onStrip = focusOn != "cmdOpen";
    if (key > 0)
        QTest::keyClick(strip, Qt::Key(key));
    else if (key == 0)
        QTest::mouseClick(strip, Qt::LeftButton, {}, tabs->tabRect(to).center());
    else if (key == -1)
        tabs->setCurrentIndex(to);
    if (key == -2) {
        QAccessibleActionInterface *tab = iface(strip)->child(to)->actionInterface();
        QCOMPARE(tab->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        tab->doAction(QAccessibleActionInterface::toggleAction()); // not one it has
        QCOMPARE(tabs->currentIndex(), from);
        tab->doAction(QAccessibleActionInterface::pressAction());
    }
    QCoreApplication::processEvents();
    QCOMPARE(tabs->currentIndex(), to);

    QAccessibleInterface *list = iface(strip);
    QCOMPARE(list->role(), QAccessible::PageTabList);
    QCOMPARE(list->childCount(), Form::StepCount);
    for (int i = 0; i < Form::StepCount; ++i) {
        QAccessibleInterface *tab = list->child(i);
        const QString caption = QString::fromLatin1(Form::steps()[i].caption);
        QCOMPARE(tab->role(), QAccessible::PageTab);
        QCOMPARE(tab->text(QAccessible::Name), caption);
        QCOMPARE(tab->rect(),
                 QRect(tabs->mapToGlobal(tabs->tabRect(i).topLeft()), tabs->tabRect(i).size()));
        QCOMPARE(tab->state().selected, i == to);
        QCOMPARE(tab->state().focused, onStrip && i == to);
        QCOMPARE(list->indexOfChild(tab), i);
        QCOMPARE(iface(tabs->page(i))->role(), QAccessible::PropertyPage);
        QCOMPARE(iface(tabs->page(i))->text(QAccessible::Name), caption);
    }
    QCOMPARE(list->focusChild(), onStrip ? list->child(to) : nullptr);
    QVERIFY(!list->state().focused);
    // Announced: the tab left, the tab chosen, and the focus on it while the strip has it.
    QVERIFY(announced(strip, QAccessible::SelectionRemove, from));
    QVERIFY(announced(strip, QAccessible::Selection, to));
    QCOMPARE(announced(strip, QAccessible::Focus, to), onStrip);
    QVERIFY(!announced(strip, QAccessible::Focus, from));
}

void tst_accessibility::optionPairs_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("checked");
    for (int step = 0; step < Form::StepCount; ++step) {
        for (int checked : {0, 1}) {
            if (Form::isOptional(step))
                QTest::addRow("%s, %s", Form::steps()[step].caption, checked ? "No" : "Yes")
                        << step << checked;
        }
    }
}

void tst_accessibility::optionPairs()
{
    QFETCH(int, step);
    QFETCH(int, checked);
    const auto button = [this, step](int index) {
        return qobject_cast<QAbstractButton *>(widget(Form::option(step, index).control()));
    };
    window()->tabs()->setCurrentIndex(step);
    window()->form().setChecked(Form::option(step, checked), true);
    QWidget *lastField = nullptr;
    for (const Form::Control &c : Form::controls()) {
        if (c.tab == step && (c.kind == Form::Kind::TextBox || c.kind == Form::Kind::CheckBox))
            lastField = widget(c);
    }
    // One stop, in both directions on the checked button.
    focus(lastField);
    QTest::keyClick(lastField, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), button(checked));
    QTest::keyClick(button(checked), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window()->control("cmdOpen"));
    QTest::keyClick(window()->control("cmdOpen"), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), button(checked));
    // Every arrow key moves to the other button and selects it.
    int at = checked;
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up}) {
        QTest::keyClick(QApplication::focusWidget(), key);
        at = 1 - at;
        QCOMPARE(QApplication::focusWidget(), button(at));
        QVERIFY(window()->form().isChecked(Form::option(step, at)));
    }
    // Named by the tab's "Ommit:" and, where it has one, its container.
    for (int index : {0, 1}) {
        const QList<QAccessibleInterface *> labels =
                related(iface(button(index)), QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels[0]->text(QAccessible::Name), "Ommit:");
        QCOMPARE(labels[0]->object()->parent(), window()->tabs()->page(step));
    }
    QWidget *holder = button(0)->parentWidget();
    if (holder != window()->tabs()->page(step)) {
        QCOMPARE(iface(holder)->role(), QAccessible::Grouping);
        QCOMPARE(iface(holder)->text(QAccessible::Name),
                 "Ommit " + QString(Form::steps()[step].caption).section('-', 1).trimmed());
    }
}

void tst_accessibility::fields_data()
{
    // name: the field's accessible name, or none for a check box, which reads its own text
    columns<QString, QString, QString>({"field", "name", "caption"});
    // clang-format off
    QTest::newRow("text box") << "txtLLabel" << "Label" << "Label";
    QTest::newRow("later box of an array") << "txtAHeight(3)" << "Height 4" << "Height";
    QTest::newRow("first check box") << "chkDCmdsK" << QString() << "Commands";
    QTest::newRow("second check box") << "chkDCmdsCC" << QString() << "Commands";
    QTest::newRow("catalogue entry") << "txtInsert" << "Please insert into \"missions.lst\"" << "Please insert into \"missions.lst\"";
    // clang-format on
}

// Each field is named and labelled by its row's caption: its own, or for the other boxes of
// an array and the second check box, the one before it.
void tst_accessibility::fields()
{
    QFETCH(QString, field);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QAccessibleInterface *shown = iface(window()->control(field));
    if (!name.isNull())
        QCOMPARE(shown->text(QAccessible::Name), name);
    const QList<QAccessibleInterface *> labels = related(shown, QAccessible::Label);
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels[0]->text(QAccessible::Name), caption);
    QVERIFY(related(labels[0], QAccessible::Labelled).contains(shown));
}

// Decoration stays quiet: no empty label, no ruled line, one focused object, no control
// linked to the window; the window is a frame; a caption over fixed text links nothing.
void tst_accessibility::quietTree()
{
    events.clear();
    set("txtLWakeUp", "5");
    QVERIFY(announced(window()->control("txtLWakeUp"), QAccessible::DescriptionChanged));
    QCOMPARE(iface(window()->control("txtLWakeUp"))->text(QAccessible::Description), "T - 5s");
    QCOMPARE(iface(window()->control("lblLs")->parentWidget())
                     ->indexOfChild(iface(window()->control("lblLs"))),
             -1);
    set("txtSReference", "ISS");
    QCOMPARE(iface(window()->control("txtSCompleteAt"))->text(QAccessible::Description),
             "D(ISS) = k");
    set("txtSReference", "");
    window()->tabs()->setCurrentIndex(Form::MakeFileTab);
    focus(window()->control("txtInsert"));

    QAccessibleInterface *top = iface(window());
    QCOMPARE(top->role(), QAccessible::Window);
    QCOMPARE(top->text(QAccessible::Name), window()->windowTitle());
    QList<QAccessibleInterface *> all{top};
    int focused = 0;
    for (qsizetype i = 0; i < all.size(); ++i) {
        QAccessibleInterface *node = all[i];
        for (int c = 0; c < node->childCount(); ++c)
            all.append(node->child(c));
        const QString name = node->text(QAccessible::Name);
        const QByteArray what =
                node->object() ? node->object()->objectName().toLatin1() : name.toUtf8();
        QVERIFY2(node->role() != QAccessible::StaticText || !name.isEmpty(), what.constData());
        QVERIFY2(node->role() != QAccessible::Separator, what.constData());
        QVERIFY2(!related(node, QAccessible::AllRelations).contains(top), what.constData());
        focused += node->state().focused;
    }
    QCOMPARE(focused, 1);
    for (auto *line : window()->findChildren<QFrame *>()) {
        if (line->frameShape() == QFrame::HLine || line->frameShape() == QFrame::VLine)
            QCOMPARE(iface(line->parentWidget())->indexOfChild(iface(line)), -1);
    }
    QVERIFY(related(iface(window()->control("lblUCmdsCaption")), QAccessible::Labelled).isEmpty());
    QVERIFY(related(iface(window()->control("lblUCmds")), QAccessible::Label).isEmpty());
}

QTEST_MAIN(tst_accessibility)
#include "tst_accessibility.moc"
