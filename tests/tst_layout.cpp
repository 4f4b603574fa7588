// SPDX-License-Identifier: MIT

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QTest>

#include "testsupport.h"
#include "tworowtabwidget.h"

// The window as laid out: every control where the layout puts it (in twips, 15 to a
// pixel, relative to its container), the rules, fonts, colours, focus order and names.
class tst_layout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void geometry_data();
    void geometry();
    void rules_data();
    void rules();
    void styledLabels_data();
    void styledLabels();
    void window();
    void picture();
    void focusOrder();
    void tabbingSkipsHiddenPages();
    void accessibleNames_data();
    void accessibleNames();
    void noTextIsCut();
    void noControlsOverlap_data();
    void noControlsOverlap();

private:
    QRect twips(QWidget *w, QWidget *container) const;
    std::unique_ptr<WorkingDirectory> m_cwd;
    std::unique_ptr<Editor> m_editor;
};

void tst_layout::initTestCase()
{
    m_cwd = std::make_unique<WorkingDirectory>();
    m_editor = std::make_unique<Editor>();
    QVERIFY(m_editor->show());
}

void tst_layout::cleanupTestCase()
{
    m_editor.reset();
    m_cwd.reset();
}

QRect tst_layout::twips(QWidget *w, QWidget *container) const
{
    const QPoint at = w->mapTo(container, QPoint(0, 0));
    return {at.x() * 15, at.y() * 15, w->width() * 15, w->height() * 15};
}

// name, container, left, top, width, height (twips)
static const char *const Layout = R"(
cmdOpen frmMain 480 600 1455 495
Picture1 frmMain 2520 0 5415 1815
Frame1 frmMain 120 1920 9855 855
lblFileEdit Frame1 240 360 9255 255
SSTab1 frmMain 120 3000 9855 5085
lblOmmit(0) SSTab1 3360 1320 1215 255
lblRequired(0) SSTab1 4680 1320 3015 255
txtLLabel SSTab1 1680 1800 2295 285
lblLLabelCaption SSTab1 240 1800 1215 255
txtLStartAt SSTab1 1680 2160 2295 285
txtLWakeUp SSTab1 1680 2520 2295 285
lblLs SSTab1 4200 2520 2295 255
txtLBase(0) SSTab1 1680 2880 2295 285
txtLBase(1) SSTab1 4200 2880 2295 285
txtLBase(2) SSTab1 6720 2880 495 285
txtLHeading SSTab1 1680 3240 2295 285
txtLHoverAt SSTab1 1680 3600 2295 285
txtLThrust SSTab1 1680 3960 2295 285
txtLOrientation(0) SSTab1 1680 4320 2295 285
txtLOrientation(1) SSTab1 4200 4320 2295 285
txtLOrientation(2) SSTab1 6720 4320 2295 285
txtLCompleteAt SSTab1 1680 4680 2295 285
lblLCompleteAtCaption SSTab1 240 4680 1215 255
lblLh SSTab1 4200 4680 2295 255
lblRequired(1) SSTab1 4680 1320 3015 255
txtAName SSTab1 1680 1800 2295 285
lblAHeightCaption SSTab1 240 2280 1215 255
txtAHeight(0) SSTab1 1680 2280 375 285
txtAHeight(1) SSTab1 2280 2280 375 285
txtAHeight(7) SSTab1 5880 2280 375 285
lblAPitchCaption SSTab1 240 2640 1215 255
txtAPitch(0) SSTab1 1680 2640 375 285
txtAPitch(4) SSTab1 4080 2640 375 285
txtAThrust(0) SSTab1 1680 3000 375 285
txtAThrust(7) SSTab1 5880 3000 375 285
txtALockVz SSTab1 1680 3480 2295 285
txtAAlignWith SSTab1 1680 3840 2295 285
txtACompleteAt SSTab1 1680 4200 2295 285
lblPed SSTab1 4200 4200 2295 255
optPAOmmit(0) SSTab1 4680 1320 975 255
optPAOmmit(1) SSTab1 5640 1320 855 255
txtPALabel SSTab1 1680 1800 2295 285
txtPAReference SSTab1 1680 2160 2295 285
txtPAAlign SSTab1 1680 2520 2295 285
lblPAAlignCaption SSTab1 240 2520 1215 255
Picture2 SSTab1 4680 1080 2175 495
optSOmmit(0) Picture2 0 240 975 255
optSOmmit(1) Picture2 960 240 975 255
txtSName SSTab1 3480 1800 2295 285
lblSNameCaption SSTab1 240 1800 1215 255
txtSReference SSTab1 3480 2160 2295 285
txtSCapDist SSTab1 3480 2520 2295 285
lblSDOpen SSTab1 1680 2880 255 255
lblD SSTab1 2040 2880 855 255
lblSDClose SSTab1 3000 2880 255 255
txtSCompleteAt SSTab1 3480 2880 2295 285
lblSCapDistUnit SSTab1 6000 2520 255 255
lblSCompleteAtUnit SSTab1 6000 2880 255 255
Picture3 SSTab1 4680 1080 2175 495
optAppOmmit(0) Picture3 0 240 975 255
optAppOmmit(1) Picture3 960 240 1095 255
txtAppName SSTab1 3480 1800 2295 285
txtAppReference SSTab1 3480 2160 2295 285
txtAppNav SSTab1 3480 2520 2295 285
lblAppDOpen SSTab1 1680 2880 255 255
lblAppD SSTab1 2040 2880 855 255
lblAppDClose SSTab1 3000 2880 255 255
txtAppCompleteAt SSTab1 3480 2880 2295 285
Picture4 SSTab1 4560 1200 2175 375
optDOmmit(0) Picture4 120 120 975 255
optDOmmit(1) Picture4 1080 120 975 255
lblDName SSTab1 240 1800 1215 255
txtDName SSTab1 1680 1800 2295 285
txtDReference SSTab1 1680 2160 2295 285
txtDPort SSTab1 1680 2520 2295 285
txtDNAV SSTab1 1680 2880 2295 285
lblDCmdsKCaption SSTab1 240 3240 1215 255
chkDCmdsK SSTab1 1680 3240 1215 255
chkDCmdsCC SSTab1 3000 3240 1695 255
Picture5 SSTab1 4680 1080 2175 495
optUOmmit(0) Picture5 0 240 975 255
optUOmmit(1) Picture5 960 240 975 255
txtULabel SSTab1 1680 1800 2295 285
txtUStartAt SSTab1 1680 2160 2295 285
txtUReference SSTab1 1680 2520 2295 285
txtUPort SSTab1 1680 2880 2295 285
txtUVRel SSTab1 1680 3240 2295 285
lblUCmds SSTab1 1680 3600 255 255
lblUCmdsCaption SSTab1 240 3600 1215 255
Picture6 SSTab1 4680 1080 2175 495
optROmmit(0) Picture6 0 240 975 255
optROmmit(1) Picture6 960 240 975 255
txtRName SSTab1 1680 1800 2295 285
txtRStartAt SSTab1 1680 2160 2295 285
txtRAoa SSTab1 1680 2520 2295 285
txtRBase SSTab1 1680 2880 2295 285
txtRCompleteAt SSTab1 1680 3240 2295 285
lblRCompleteAt SSTab1 4080 3240 2295 255
Picture7 SSTab1 4680 1080 2175 495
optLndOmmit(0) Picture7 0 240 975 255
optLndOmmit(1) Picture7 960 240 975 255
txtLndName SSTab1 1680 1800 2295 285
txtLndBase SSTab1 1680 2160 2295 285
txtLndHoverPad(0) SSTab1 1680 2520 2295 285
txtLndHoverPad(1) SSTab1 4200 2520 2295 285
txtLndNAV SSTab1 1680 2880 2295 285
lblRequired(9) SSTab1 4680 1320 3015 255
lblOmmit(9) SSTab1 3360 1320 1215 255
txtFileName SSTab1 1680 1800 2295 285
lblFileExtension SSTab1 4080 1800 495 255
txtDirectory SSTab1 1680 2160 7695 285
txtMissionName SSTab1 1680 2520 2295 285
lblMissionNameCaption SSTab1 240 2520 1215 255
lblInsertCaption SSTab1 240 3000 1215 375
txtInsert SSTab1 1680 3000 7695 1335
cmdMakeMission SSTab1 4440 4440 1575 495
)";

void tst_layout::geometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("expected");
    for (const QString &line : QString::fromLatin1(Layout).split('\n', Qt::SkipEmptyParts)) {
        const QStringList f = line.split(' ');
        QTest::newRow(qPrintable(f[0]))
                << f[0] << f[1] << QRect(f[2].toInt(), f[3].toInt(), f[4].toInt(), f[5].toInt());
    }
}

void tst_layout::geometry()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, expected);
    QWidget *w = m_editor->window->control(name);
    if (!w)
        w = m_editor->window->findChild<QWidget *>(name);
    QVERIFY2(w, qPrintable(name));
    QWidget *box = container == "frmMain" ? m_editor->window.get()
                                          : m_editor->window->findChild<QWidget *>(container);
    QVERIFY(box && box->isAncestorOf(w));
    QCOMPARE(twips(w, box), expected);
}

void tst_layout::rules_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("lines"); // "x1 y1 x2 y2" in twips, on the tab container
    const QString header = "240 1680 9360 1680", captions = "1560 1680 1560 5040";
    QTest::newRow("1 - Launch") << 0
                                << QStringList{header, captions, "4080 1680 4080 5040",
                                               "6600 1680 6600 5040"};
    QStringList ascent{header, captions, "1560 2160 6360 2160", "1560 3360 6360 3360",
                       "4080 3360 4080 5040"};
    for (int x = 2160; x <= 6360; x += 600)
        ascent << QStringLiteral("%1 2160 %1 3360").arg(x);
    QTest::newRow("2 - Ascent") << 1 << ascent;
    QTest::newRow("3 - Plane Alignment") << 2 << QStringList{header, captions};
    QTest::newRow("4 - Synchronizing")
            << 3 << QStringList{header, captions, "3360 1680 3360 5040", "5880 1680 5880 5040"};
    QTest::newRow("5 - Approach") << 4 << QStringList{header, captions, "3360 1680 3360 5040"};
    QTest::newRow("6 - Docking") << 5 << QStringList{header, captions};
    QTest::newRow("7 - Undocking") << 6 << QStringList{header, captions};
    QTest::newRow("8 - Reentry") << 7 << QStringList{header, captions};
    QTest::newRow("9 - Landing") << 8 << QStringList{header, captions, "4080 1680 4080 5040"};
    QTest::newRow("10 - Make File") << 9 << QStringList{header, captions, "240 2880 9360 2880"};
}

void tst_layout::rules()
{
    QFETCH(int, tab);
    QFETCH(QStringList, lines);
    TwoRowTabWidget *tabs = m_editor->window->tabs();
    QStringList found;
    for (QFrame *frame : tabs->page(tab)->findChildren<QFrame *>(Qt::FindDirectChildrenOnly)) {
        const auto shape = frame->frameShape();
        if (shape != QFrame::HLine && shape != QFrame::VLine)
            continue;
        const QRect r = twips(frame, tabs);
        const bool horizontal = shape == QFrame::HLine;
        found << QStringLiteral("%1 %2 %3 %4")
                         .arg(r.left())
                         .arg(r.top())
                         .arg(horizontal ? r.left() + r.width() - 15 : r.left())
                         .arg(horizontal ? r.top() : r.top() + r.height() - 15);
    }
    found.sort();
    lines.sort();
    QCOMPARE(found, lines);
}

void tst_layout::styledLabels_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("alignment");

    const QColor text = QApplication::palette().color(QPalette::WindowText);
    const int right = Qt::AlignRight, left = Qt::AlignLeft, centre = Qt::AlignHCenter;
    for (int tab = 0; tab < 10; ++tab)
        QTest::newRow(qPrintable(QStringLiteral("Ommit: on tab %1").arg(tab + 1)))
                << QStringLiteral("lblOmmit(%1)").arg(tab) << 9.75 << true << false
                << QColor(255, 0, 0) << right;
    for (int tab : {0, 1, 9})
        QTest::newRow(qPrintable(QStringLiteral("cannot ommit on tab %1").arg(tab + 1)))
                << QStringLiteral("lblRequired(%1)").arg(tab) << 9.75 << false << true << text
                << left;
    QTest::newRow("lblFileEdit blue")
            << "lblFileEdit" << 8.0 << false << false << QColor(0, 0, 255) << left;
    QTest::newRow("row caption") << "lblLStartAtCaption" << 8.0 << false << false << text << right;
    QTest::newRow("D( right-aligned") << "lblSDOpen" << 8.0 << false << false << text << right;
    for (const char *readout : {"lblLs", "lblLh", "lblPed", "lblD", "lblAppD", "lblRCompleteAt"})
        QTest::newRow(readout) << readout << 8.0 << false << false << text << centre;
    for (const char *fixed : {"lblSCapDistUnit", "lblUCmds", "lblAppDClose", "lblFileExtension"})
        QTest::newRow(fixed) << fixed << 8.0 << false << false << text << left;
}

void tst_layout::styledLabels()
{
    QFETCH(QString, label);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(QColor, colour);
    QFETCH(int, alignment);
    auto *w = m_editor->window->findChild<QLabel *>(label);
    QVERIFY2(w, qPrintable(label));
    QCOMPARE(w->font().pointSizeF(), points);
    QCOMPARE(w->font().bold(), bold);
    QCOMPARE(w->font().italic(), italic);
    QCOMPARE(w->font().family(), m_editor->window->font().family());
    QCOMPARE(w->palette().color(QPalette::WindowText), colour);
    QCOMPARE(int(w->alignment() & Qt::AlignHorizontal_Mask), alignment);
}

void tst_layout::window()
{
    frmMainWindow *w = m_editor->window.get();
    QCOMPARE(w->windowTitle(), "KORVALIN - Mission File Creator - Version Alpha-01c");
    QCOMPARE(w->size(), QSize(674, 544));
    QCOMPARE(w->minimumSize(), QSize(674, 544));
    QCOMPARE(w->maximumSize(), QSize(674, 544));
    const QPoint centre = w->screen()->availableGeometry().center();
    QVERIFY2((w->frameGeometry().center() - centre).manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2")
                                .arg(w->frameGeometry().center().x())
                                .arg(w->frameGeometry().center().y())));
    QCOMPARE(w->font().pointSizeF(), 8.0);
    const QStringList faces{"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial"};
    const QString face = QFontInfo(w->font()).family();
    QVERIFY2(faces.contains(face), qPrintable(face));
    QVERIFY(m_editor->find<QPushButton>("cmdOpen")->isEnabled());
    QCOMPARE(m_editor->find<QGroupBox>("Frame1")->title(), "Edit Mission");
}

void tst_layout::picture()
{
    auto *picture = m_editor->find<QLabel>("Picture1");
    QVERIFY(picture);
    QCOMPARE(picture->pixmap().size(), QSize(365, 124));
    QCOMPARE(int(picture->alignment()), int(Qt::AlignLeft | Qt::AlignTop));
    QCOMPARE(QImage(":/picture1.png").size(), QSize(365, 124));
}

void tst_layout::focusOrder()
{
    QStringList expected = {"txtLLabel",          "txtLStartAt",        "txtLWakeUp",
                            "txtLBase(0)",        "txtLBase(1)",        "txtLBase(2)",
                            "txtLHeading",        "txtLHoverAt",        "txtLThrust",
                            "txtLOrientation(0)", "txtLOrientation(1)", "txtLOrientation(2)",
                            "txtLCompleteAt",     "SSTab1Strip",        "txtAName"};
    for (const char *row : {"txtAHeight", "txtAPitch", "txtAThrust"})
        for (int i = 0; i < 8; ++i)
            expected << QStringLiteral("%1(%2)").arg(row).arg(i);
    expected += QStringList{
            "txtALockVz",        "txtAAlignWith",     "txtACompleteAt", "txtPALabel",
            "txtPAReference",    "txtPAAlign",        "txtSName",       "txtSReference",
            "txtSCapDist",       "txtSCompleteAt",    "txtAppName",     "txtAppReference",
            "txtAppNav",         "txtAppCompleteAt",  "txtDName",       "txtDReference",
            "txtDPort",          "txtDNAV",           "chkDCmdsK",      "chkDCmdsCC",
            "txtULabel",         "txtUStartAt",       "txtUReference",  "txtUPort",
            "txtUVRel",          "txtRName",          "txtRStartAt",    "txtRAoa",
            "txtRBase",          "txtRCompleteAt",    "txtLndName",     "txtLndBase",
            "txtLndHoverPad(0)", "txtLndHoverPad(1)", "txtLndNAV",      "txtFileName",
            "txtDirectory",      "txtMissionName",    "txtInsert",      "cmdMakeMission"};
    for (const char *pair : {"optPAOmmit", "optSOmmit", "optAppOmmit", "optDOmmit", "optUOmmit",
                             "optROmmit", "optLndOmmit"})
        expected << QString(pair) + "(1)"; // one stop a pair: "No", checked at creation
    expected << "cmdOpen";

    QStringList chain;
    QWidget *w = m_editor->window->control("txtLLabel");
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w != m_editor->window->control("txtLLabel"));
    QCOMPARE(chain, expected);
}

void tst_layout::tabbingSkipsHiddenPages()
{
    frmMainWindow *w = m_editor->window.get();
    w->activateWindow();
    m_editor->window->tabs()->setCurrentIndex(0);
    QWidget *last = w->control("txtLCompleteAt");
    last->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), last);
    QTest::keyClick(last, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w->tabs()->tabStrip());
    QTest::keyClick(w->tabs()->tabStrip(), Qt::Key_Right);
    QTest::keyClick(w->tabs()->tabStrip(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w->control("txtAName"));
    QCOMPARE(w->tabs()->currentIndex(), 1);
}

void tst_layout::accessibleNames_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("single field") << "txtLStartAt"
                                  << "Start At";
    QTest::newRow("first of an array") << "txtAHeight(0)"
                                       << "Height 1";
    QTest::newRow("array element") << "txtAHeight(3)"
                                   << "Height 4";
    QTest::newRow("base port") << "txtLBase(2)"
                               << "Base (port)";
    QTest::newRow("base planet") << "txtLBase(0)"
                                 << "Base (planet)";
    QTest::newRow("hover pad") << "txtLndHoverPad(1)"
                               << "Hover Pad 2";
    QTest::newRow("entry") << "txtInsert"
                           << "Please insert into \"missions.lst\"";
    QTest::newRow("check box") << "chkDCmdsCC"
                               << "Docking Clearance";
    QTest::newRow("option") << "optDOmmit(0)"
                            << "Ommit Docking: Yes";
}

void tst_layout::accessibleNames()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QWidget *w = m_editor->window->control(control);
    QVERIFY(w);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), name);
    if (control == "txtLStartAt") {
        const auto *caption = m_editor->find<QLabel>("lblLStartAtCaption");
        QCOMPARE(caption->buddy(), w);
    }
}

void tst_layout::noTextIsCut()
{
    for (QLabel *label : m_editor->window->findChildren<QLabel *>()) {
        if (label->text().isEmpty())
            continue;
        const QFontMetrics metrics(label->font());
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed = metrics.boundingRect(label->contentsRect(), flags, label->text());
        QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height() + 1,
                 qPrintable(label->objectName() + ": " + label->text()));
    }
    for (QAbstractButton *button : m_editor->window->findChildren<QAbstractButton *>()) {
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
                 qPrintable(QStringLiteral("%1: %2 needs %3, has %4")
                                    .arg(button->objectName(), button->text())
                                    .arg(text.width())
                                    .arg(room.width())));
    }
}

void tst_layout::noControlsOverlap_data()
{
    QTest::addColumn<int>("tab"); // -1: the window itself
    QTest::newRow("window") << -1;
    for (int tab = 0; tab < 10; ++tab)
        QTest::newRow(qPrintable(m_editor->window->tabs()->tabText(tab))) << tab;
}

void tst_layout::noControlsOverlap()
{
    QFETCH(int, tab);
    QWidget *parent = tab < 0 ? m_editor->window.get() : m_editor->window->tabs()->page(tab);
    QList<QWidget *> controls;
    for (QWidget *w : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const auto *frame = qobject_cast<QFrame *>(w);
        const bool rule = frame && !qobject_cast<QLabel *>(w)
                && (frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine);
        if (!rule && !w->objectName().isEmpty())
            controls << w;
    }
    if (tab < 0)
        controls.removeAll(m_editor->window->tabs());
    QVERIFY(controls.size() > 2);
    // The layout lets some neighbours share their edge pixel ("Yes" is 975 twips wide and
    // "No" starts 960 twips after it); anything more would hide part of a control.
    for (qsizetype i = 0; i < controls.size(); ++i) {
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            const QRect shared = controls[i]->geometry() & controls[j]->geometry();
            QVERIFY2(shared.isEmpty() || shared.width() <= 1 || shared.height() <= 1,
                     qPrintable(controls[i]->objectName() + " and " + controls[j]->objectName()));
        }
    }
}

QTEST_MAIN(tst_layout)
#include "tst_layout.moc"
