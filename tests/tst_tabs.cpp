// SPDX-License-Identifier: MIT

#include <QSignalSpy>
#include <QTest>

#include "tworowtabwidget.h"

// The two-row tab container on its own.
class tst_tabs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void rowsOfFiveEachAFifthWide_data();
    void rowsOfFiveEachAFifthWide();
    void rowsStayWhereTheyAre();
    void pagesCoverTheContainer();
    void keysMoveBetweenTabs_data();
    void keysMoveBetweenTabs();
    void settingTheCurrentTabTwiceSignalsOnce();

private:
    std::unique_ptr<TwoRowTabWidget> m_tabs;
};

void tst_tabs::init()
{
    QStringList captions;
    for (int i = 1; i <= 10; ++i)
        captions << QString::number(i);
    m_tabs = std::make_unique<TwoRowTabWidget>(captions, 33);
    m_tabs->resize(657, 339);
}

void tst_tabs::rowsOfFiveEachAFifthWide_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("first, top row") << 0 << QRect(0, 0, 131, 33);
    QTest::newRow("last, top row") << 4 << QRect(525, 0, 132, 33);
    QTest::newRow("first, bottom row") << 5 << QRect(0, 33, 131, 33);
    QTest::newRow("middle, bottom row") << 7 << QRect(262, 33, 132, 33);
    QTest::newRow("last, bottom row") << 9 << QRect(525, 33, 132, 33);
}

void tst_tabs::rowsOfFiveEachAFifthWide()
{
    QFETCH(int, index);
    QFETCH(QRect, rect);
    QCOMPARE(m_tabs->tabRect(index), rect);
    QCOMPARE(m_tabs->tabAt(rect.center()), index);
}

void tst_tabs::rowsStayWhereTheyAre()
{
    const QRect before = m_tabs->tabRect(2);
    m_tabs->setCurrentIndex(7);
    QCOMPARE(m_tabs->tabRect(2), before);
    QCOMPARE(m_tabs->tabRect(7).top(), 33);
}

void tst_tabs::pagesCoverTheContainer()
{
    m_tabs->show();
    for (int i = 0; i < m_tabs->count(); ++i)
        QCOMPARE(m_tabs->page(i)->geometry(), QRect(0, 0, 657, 339));
    QCOMPARE(m_tabs->tabStrip()->geometry(), QRect(0, 0, 657, 66));
}

void tst_tabs::keysMoveBetweenTabs_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");
    QTest::newRow("right") << 0 << int(Qt::Key_Right) << 1;
    QTest::newRow("right wraps") << 9 << int(Qt::Key_Right) << 0;
    QTest::newRow("left wraps") << 0 << int(Qt::Key_Left) << 9;
    QTest::newRow("down to the other row") << 2 << int(Qt::Key_Down) << 7;
    QTest::newRow("up to the other row") << 7 << int(Qt::Key_Up) << 2;
    QTest::newRow("end") << 3 << int(Qt::Key_End) << 9;
    QTest::newRow("home") << 6 << int(Qt::Key_Home) << 0;
}

void tst_tabs::keysMoveBetweenTabs()
{
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, to);
    m_tabs->setCurrentIndex(from);
    QTest::keyClick(m_tabs->tabStrip(), Qt::Key(key));
    QCOMPARE(m_tabs->currentIndex(), to);
}

void tst_tabs::settingTheCurrentTabTwiceSignalsOnce()
{
    QSignalSpy spy(m_tabs.get(), &TwoRowTabWidget::currentChanged);
    m_tabs->setCurrentIndex(3);
    m_tabs->setCurrentIndex(3);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 3);
}

QTEST_MAIN(tst_tabs)
#include "tst_tabs.moc"
