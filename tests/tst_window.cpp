// SPDX-License-Identifier: MIT

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include "pathrules.h"
#include "testsupport.h"
#include "tworowtabwidget.h"

// The window worked with the keyboard and mouse, as a user would.
class tst_window : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void typingUpdatesTheModelKeyByKey();
    void typingFileAndMissionNameBuildsTheEntry();
    void backspaceRunsTheRuleToo();
    void clickingATabShowsItsPage();
    void switchingTabsChangesNothing();

private:
    std::unique_ptr<WorkingDirectory> m_cwd;
    std::unique_ptr<Editor> m_editor;
};

void tst_window::init()
{
    m_cwd = std::make_unique<WorkingDirectory>();
    m_editor = std::make_unique<Editor>();
    QVERIFY(m_editor->show());
}

void tst_window::cleanup()
{
    m_editor.reset();
    m_cwd.reset();
}

void tst_window::typingUpdatesTheModelKeyByKey()
{
    QLineEdit *wake = m_editor->box("txtLWakeUp");
    QStringList seen;
    connect(wake, &QLineEdit::textChanged, this,
            [this, &seen] { seen << modelValue(m_editor->model, "LWakeUp"); });
    QTest::keyClicks(wake, "120");
    QCOMPARE(seen, (QStringList{"1s", "12s", "120s"}));
    QCOMPARE(m_editor->caption("lblLs"), "T - 120s");
}

void tst_window::typingFileAndMissionNameBuildsTheEntry()
{
    m_editor->window->tabs()->setCurrentIndex(9);
    QTest::keyClicks(m_editor->box("txtFileName"), "m1");
    QTest::keyClicks(m_editor->box("txtMissionName"), "Test");
    QCOMPARE(m_editor->model.MissionPath,
             "C:\\Orbiter\\QAV" + QString(Platform::pathSeparator()) + "m1.qav");
    QCOMPARE(m_editor->find<QPlainTextEdit>("txtInsert")->toPlainText(),
             "<Entry>\n\t<Label>Test</Label>\n\t<XQAV>m1.qav</XQAV>\n</Entry>");
}

void tst_window::backspaceRunsTheRuleToo()
{
    m_editor->window->tabs()->setCurrentIndex(7);
    QLineEdit *height = m_editor->box("txtRCompleteAt");
    QTest::keyClicks(height, "4");
    QTest::keyClick(height, Qt::Key_Backspace);
    QCOMPARE(modelValue(m_editor->model, "RCompleteAt"), "");
    QCOMPARE(m_editor->caption("lblRCompleteAt"), "H = k");
}

void tst_window::clickingATabShowsItsPage()
{
    TwoRowTabWidget *tabs = m_editor->window->tabs();
    QSignalSpy spy(tabs, &TwoRowTabWidget::currentChanged);
    for (int i : {9, 4, 5, 0}) {
        QTest::mouseClick(tabs->tabStrip(), Qt::LeftButton, {}, tabs->tabRect(i).center());
        QCOMPARE(tabs->currentIndex(), i);
        QVERIFY(tabs->page(i)->isVisible());
    }
    QCOMPARE(spy.count(), 4);
}

void tst_window::switchingTabsChangesNothing()
{
    m_editor->set("txtLLabel", "L");
    const QString before = modelValue(m_editor->model, "LLabel");
    TwoRowTabWidget *tabs = m_editor->window->tabs();
    for (int i = 0; i < tabs->count(); ++i)
        tabs->setCurrentIndex(i);
    QCOMPARE(modelValue(m_editor->model, "LLabel"), before);
    QCOMPARE(m_editor->caption("lblFileEdit"), "New");
    QCOMPARE(m_editor->model.MissionPath, QString());
}

QTEST_MAIN(tst_window)
#include "tst_window.moc"
