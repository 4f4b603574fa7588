// SPDX-License-Identifier: MIT

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "testsupport.h"
#include "tworowtabwidget.h"

// The window's catalogue as the user sees it: every control by name, with its kind, the tab
// it sits on, the caption beside it and what it holds when the window opens.
class tst_form : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void catalogue_data();
    void catalogue();
    void readoutsAtCreation_data();
    void readoutsAtCreation();
    void fixedTexts_data();
    void fixedTexts();
    void optionPairsStartOnNo_data();
    void optionPairsStartOnNo();
    void optionPairsAreIndependent();
    void requiredStepsOfferNoPair();
    void tabCaptions();
    void everyControlNameIsUnique();

private:
    QString kindOf(QWidget *w) const;
    QString tabOf(QWidget *w) const;
    QString captionOf(QWidget *w) const;

    std::unique_ptr<WorkingDirectory> m_cwd;
    std::unique_ptr<Editor> m_editor;
};

void tst_form::initTestCase()
{
    m_cwd = std::make_unique<WorkingDirectory>();
    m_editor = std::make_unique<Editor>();
}

void tst_form::cleanupTestCase()
{
    m_editor.reset();
    m_cwd.reset();
}

QString tst_form::kindOf(QWidget *w) const
{
    if (qobject_cast<QLineEdit *>(w))
        return "text box";
    if (qobject_cast<QPlainTextEdit *>(w))
        return "multi-line text box";
    if (qobject_cast<QCheckBox *>(w))
        return "check box";
    if (qobject_cast<QRadioButton *>(w))
        return "option button";
    if (qobject_cast<QPushButton *>(w))
        return "button";
    if (qobject_cast<QLabel *>(w))
        return "label";
    return w->metaObject()->className();
}

QString tst_form::tabOf(QWidget *w) const
{
    TwoRowTabWidget *tabs = m_editor->window->tabs();
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->page(i)->isAncestorOf(w))
            return tabs->tabText(i);
    }
    return "window";
}

QString tst_form::captionOf(QWidget *w) const
{
    const auto labels = m_editor->window->findChildren<QLabel *>();
    for (QLabel *label : labels) {
        if (label->buddy() == w)
            return label->text();
    }
    return "-";
}

void tst_form::catalogue_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("atCreation");

    const QString box = "text box";
    auto row = [](const char *name, const QString &kind, const char *tab, const char *caption,
                  const char *value) {
        QTest::newRow(name) << QString(name) << kind << QString(tab) << QString(caption)
                            << QString(value);
    };
    const char *t1 = "1 - Launch";
    row("txtLLabel", box, t1, "Label", "");
    row("txtLStartAt", box, t1, "Start At", "");
    row("txtLWakeUp", box, t1, "Wake Up", "");
    row("txtLBase(0)", box, t1, "Base", "[planet]");
    row("txtLBase(1)", box, t1, "-", "[base]");
    row("txtLBase(2)", box, t1, "-", "[port]");
    row("txtLHeading", box, t1, "Heading", "");
    row("txtLHoverAt", box, t1, "Hover At", "");
    row("txtLThrust", box, t1, "Thrust", "");
    row("txtLOrientation(0)", box, t1, "Orientation", "");
    row("txtLOrientation(1)", box, t1, "-", "");
    row("txtLOrientation(2)", box, t1, "-", "");
    row("txtLCompleteAt", box, t1, "Complete At", "");

    const char *t2 = "2 - Ascent";
    row("txtAName", box, t2, "Label", "");
    const char *heights[] = {"2", "10", "20", "60", "100", "150", "200", "260"};
    const char *pitches[] = {"70", "75", "70", "60", "50", "40", "20", "0"};
    for (int i = 0; i < 8; ++i) {
        const QByteArray h = "txtAHeight(" + QByteArray::number(i) + ")";
        const QByteArray p = "txtAPitch(" + QByteArray::number(i) + ")";
        const QByteArray t = "txtAThrust(" + QByteArray::number(i) + ")";
        row(h, box, t2, i == 0 ? "Height" : "-", heights[i]);
        row(p, box, t2, i == 0 ? "Pitch" : "-", pitches[i]);
        row(t, box, t2, i == 0 ? "Thrust" : "-", "100");
    }
    row("txtALockVz", box, t2, "Lock Vz", "");
    row("txtAAlignWith", box, t2, "Align With", "");
    row("txtACompleteAt", box, t2, "Complete At", "");

    const char *t3 = "3 - Plane Alignment";
    row("txtPALabel", box, t3, "Label", "");
    row("txtPAReference", box, t3, "Reference", "");
    row("txtPAAlign", box, t3, "Align", "");

    const char *t4 = "4 - Synchronizing";
    row("txtSName", box, t4, "Label", "");
    row("txtSReference", box, t4, "Reference", "");
    row("txtSCapDist", box, t4, "CaptureDist", "");
    row("txtSCompleteAt", box, t4, "Complete At", "");

    const char *t5 = "5 - Approach";
    row("txtAppName", box, t5, "Label", "");
    row("txtAppReference", box, t5, "Reference", "");
    row("txtAppNav", box, t5, "NAV", "");
    row("txtAppCompleteAt", box, t5, "Complete At", "");

    const char *t6 = "6 - Docking";
    row("txtDName", box, t6, "Label", "");
    row("txtDReference", box, t6, "Reference", "");
    row("txtDPort", box, t6, "Port", "");
    row("txtDNAV", box, t6, "NAV", "");
    row("chkDCmdsK", "check box", t6, "Commands", "Nose cone");
    row("chkDCmdsCC", "check box", t6, "-", "Docking Clearance");

    const char *t7 = "7 - Undocking";
    row("txtULabel", box, t7, "Label", "");
    row("txtUStartAt", box, t7, "Start At", "");
    row("txtUReference", box, t7, "Reference", "");
    row("txtUPort", box, t7, "Port", "");
    row("txtUVRel", box, t7, "VRel", "");

    const char *t8 = "8 - Reentry";
    row("txtRName", box, t8, "Label", "");
    row("txtRStartAt", box, t8, "Start At", "");
    row("txtRAoa", box, t8, "AOA", "");
    row("txtRBase", box, t8, "Base", "");
    row("txtRCompleteAt", box, t8, "Complete At", "");

    const char *t9 = "9 - Landing";
    row("txtLndName", box, t9, "Label", "");
    row("txtLndBase", box, t9, "Base", "");
    row("txtLndHoverPad(0)", box, t9, "Hover Pad", "");
    row("txtLndHoverPad(1)", box, t9, "-", "");
    row("txtLndNAV", box, t9, "NAV", "");

    const char *t10 = "10 - Make File";
    row("txtFileName", box, t10, "File Name", "");
    row("txtMissionName", box, t10, "Mission Name", "");
    row("txtInsert", "multi-line text box", t10, "Please insert into \"missions.lst\"", "");
    row("cmdMakeMission", "button", t10, "-", "Make Mission");

    row("cmdOpen", "button", "window", "-", "Load MFC File");
}

void tst_form::catalogue()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, tab);
    QFETCH(QString, caption);
    QFETCH(QString, atCreation);

    QWidget *w = m_editor->window->control(name);
    QVERIFY2(w, qPrintable(name));
    QCOMPARE(w->objectName(), name);
    QCOMPARE(kindOf(w), kind);
    QCOMPARE(tabOf(w), tab);
    QCOMPARE(captionOf(w), caption);
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        QCOMPARE(edit->text(), atCreation);
    else if (auto *multi = qobject_cast<QPlainTextEdit *>(w))
        QCOMPARE(multi->toPlainText(), atCreation);
    else if (auto *button = qobject_cast<QAbstractButton *>(w))
        QCOMPARE(button->text(), atCreation);
    if (auto *check = qobject_cast<QCheckBox *>(w))
        QVERIFY(!check->isChecked());
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        QVERIFY(!edit->isReadOnly());
}

void tst_form::readoutsAtCreation_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QString>("caption");
    QTest::newRow("lblLs") << "lblLs"
                           << "1 - Launch"
                           << "T - s";
    QTest::newRow("lblLh has a closing blank") << "lblLh"
                                               << "1 - Launch"
                                               << "H = ";
    QTest::newRow("lblPed") << "lblPed"
                            << "2 - Ascent"
                            << "PeD = M";
    QTest::newRow("lblD blank") << "lblD"
                                << "4 - Synchronizing"
                                << "";
    QTest::newRow("lblAppD blank") << "lblAppD"
                                   << "5 - Approach"
                                   << "";
    QTest::newRow("lblRCompleteAt") << "lblRCompleteAt"
                                    << "8 - Reentry"
                                    << "H = k";
    QTest::newRow("lblFileEdit") << "lblFileEdit"
                                 << "window"
                                 << "New";
    QTest::newRow("lblDName is the docking label's caption") << "lblDName"
                                                             << "6 - Docking"
                                                             << "Label";
}

void tst_form::readoutsAtCreation()
{
    QFETCH(QString, label);
    QFETCH(QString, tab);
    QFETCH(QString, caption);
    auto *w = m_editor->find<QLabel>(label);
    QVERIFY(w);
    QCOMPARE(w->text(), caption);
    QCOMPARE(tabOf(w), tab);
}

void tst_form::fixedTexts_data()
{
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("synchronizing units and brackets")
            << "4 - Synchronizing" << QStringList{"k", "D(", ") =", "k"};
    QTest::newRow("approach brackets, no unit") << "5 - Approach" << QStringList{"D(", ") ="};
    QTest::newRow("undocking command") << "7 - Undocking" << QStringList{"K"};
    QTest::newRow("file extension") << "10 - Make File" << QStringList{".qav"};
}

void tst_form::fixedTexts()
{
    QFETCH(QString, tab);
    QFETCH(QStringList, texts);
    const QStringList fixed = {"k", "K", "D(", ") =", ".qav"};
    TwoRowTabWidget *tabs = m_editor->window->tabs();
    QStringList shown;
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->tabText(i) != tab)
            continue;
        for (QLabel *label : tabs->page(i)->findChildren<QLabel *>()) {
            if (fixed.contains(label->text()))
                shown << label->text();
        }
    }
    std::sort(shown.begin(), shown.end());
    std::sort(texts.begin(), texts.end());
    QCOMPARE(shown, texts);
}

void tst_form::optionPairsStartOnNo_data()
{
    QTest::addColumn<QString>("pair");
    QTest::addColumn<QString>("tab");
    QTest::newRow("optPAOmmit") << "optPAOmmit"
                                << "3 - Plane Alignment";
    QTest::newRow("optSOmmit") << "optSOmmit"
                               << "4 - Synchronizing";
    QTest::newRow("optAppOmmit") << "optAppOmmit"
                                 << "5 - Approach";
    QTest::newRow("optDOmmit") << "optDOmmit"
                               << "6 - Docking";
    QTest::newRow("optUOmmit") << "optUOmmit"
                               << "7 - Undocking";
    QTest::newRow("optROmmit") << "optROmmit"
                               << "8 - Reentry";
    QTest::newRow("optLndOmmit") << "optLndOmmit"
                                 << "9 - Landing";
}

void tst_form::optionPairsStartOnNo()
{
    QFETCH(QString, pair);
    QFETCH(QString, tab);
    auto *yes = m_editor->find<QRadioButton>(pair + "(0)");
    auto *no = m_editor->find<QRadioButton>(pair + "(1)");
    QVERIFY(yes && no);
    QCOMPARE(yes->text(), "Yes");
    QCOMPARE(no->text(), "No");
    QVERIFY(!yes->isChecked());
    QVERIFY(no->isChecked());
    QCOMPARE(tabOf(yes), tab);
    QCOMPARE(tabOf(no), tab);
}

void tst_form::optionPairsAreIndependent()
{
    Editor editor;
    const QStringList pairs = {"optPAOmmit", "optSOmmit", "optAppOmmit", "optDOmmit",
                               "optUOmmit",  "optROmmit", "optLndOmmit"};
    for (const QString &chosen : pairs) {
        editor.find<QRadioButton>(chosen + "(0)")->setChecked(true);
        for (const QString &pair : pairs) {
            const bool yes = pairs.indexOf(pair) <= pairs.indexOf(chosen);
            QCOMPARE(editor.find<QRadioButton>(pair + "(0)")->isChecked(), yes);
            QCOMPARE(editor.find<QRadioButton>(pair + "(1)")->isChecked(), !yes);
        }
    }
    editor.find<QRadioButton>("optSOmmit(1)")->setChecked(true);
    QVERIFY(!editor.find<QRadioButton>("optSOmmit(0)")->isChecked());
    QVERIFY(editor.find<QRadioButton>("optPAOmmit(0)")->isChecked());
}

void tst_form::requiredStepsOfferNoPair()
{
    TwoRowTabWidget *tabs = m_editor->window->tabs();
    for (int i = 0; i < tabs->count(); ++i) {
        QWidget *page = tabs->page(i);
        const bool required = i == 0 || i == 1 || i == 9;
        QCOMPARE(page->findChildren<QRadioButton *>().size(), required ? 0 : 2);
        QStringList texts;
        for (QLabel *label : page->findChildren<QLabel *>())
            texts << label->text();
        QCOMPARE(texts.count("Ommit:"), 1);
        QCOMPARE(texts.count("Process required, cannot ommit!"), required ? 1 : 0);
    }
}

void tst_form::tabCaptions()
{
    TwoRowTabWidget *tabs = m_editor->window->tabs();
    QCOMPARE(tabs->objectName(), "SSTab1");
    const QStringList expected = {"1 - Launch",        "2 - Ascent",   "3 - Plane Alignment",
                                  "4 - Synchronizing", "5 - Approach", "6 - Docking",
                                  "7 - Undocking",     "8 - Reentry",  "9 - Landing",
                                  "10 - Make File"};
    QCOMPARE(tabs->count(), expected.size());
    for (int i = 0; i < tabs->count(); ++i)
        QCOMPARE(tabs->tabText(i), expected[i]);
}

void tst_form::everyControlNameIsUnique()
{
    QSet<QString> seen;
    for (QWidget *w : m_editor->window->findChildren<QWidget *>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith("qt_"))
            continue;
        QVERIFY2(!seen.contains(w->objectName()), qPrintable(w->objectName()));
        seen.insert(w->objectName());
    }
}

QTEST_MAIN(tst_form)
#include "tst_form.moc"
