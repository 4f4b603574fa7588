// SPDX-License-Identifier: MIT

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "tworowtabwidget.h"

// The two-row tab container on its own.
class tst_tabs : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_tabs = std::make_unique<TwoRowTabWidget>(QString("1 2 3 4 5 6 7 8 9 10").split(' '), 33);
        m_tabs->resize(657, 339);
        m_tabs->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_tabs.get()));
    }

    // Two rows of five tabs, each a fifth of the width, that stay where they are whichever tab
    // is in front; every page covers the container, strip included.
    void rowsOfFiveEachAFifthWide()
    {
        // clang-format off
        const std::pair<int, QRect> tabs[] = {{0, {0, 0, 131, 33}}, {4, {525, 0, 132, 33}}, {5, {0, 33, 131, 33}},
                                              {7, {262, 33, 132, 33}}, {9, {525, 33, 132, 33}}};
        // clang-format on
        for (int current : {0, 7}) {
            m_tabs->setCurrentIndex(current);
            for (const auto &[index, rect] : tabs) {
                QCOMPARE(m_tabs->tabRect(index), rect);
                QCOMPARE(m_tabs->tabAt(rect.center()), index);
            }
        }
        for (int i = 0; i < m_tabs->count(); ++i)
            QCOMPARE(m_tabs->page(i)->geometry(), QRect(0, 0, 657, 339));
        QCOMPARE(m_tabs->tabStrip()->geometry(), QRect(0, 0, 657, 66));
    }

    // Each tab is framed; the one in front opens onto the page under a double line of the
    // highlight, the others stand back a shade.
    void tabsAsDrawn()
    {
        m_tabs->setCurrentIndex(7);
        const QImage strip = m_tabs->tabStrip()->grab().toImage();
        const QPalette palette = m_tabs->tabStrip()->palette();
        const QColor mid = palette.color(QPalette::Mid),
                     highlight = palette.color(QPalette::Highlight);
        // clang-format off
        const std::tuple<QPoint, QColor> pixels[] = {
            {{0, 16}, mid}, {{130, 16}, mid}, {{60, 0}, mid}, {{60, 32}, mid},   // tab 1's frame
            {{60, 16}, palette.color(QPalette::Window).darker(112)},           // tab 1's face
            {{300, 34}, highlight}, {{300, 35}, highlight},                     // tab 8's top
            {{300, 50}, palette.color(QPalette::Base)}};                        // tab 8's face
        // clang-format on
        for (const auto &[at, colour] : pixels)
            QCOMPARE(strip.pixelColor(at).name(), colour.name());
    }

    // The keys move between tabs; a click shows the tab's page alone, and a tab chosen again
    // signals nothing.
    void keysAndClicksChooseTheTab()
    {
        // clang-format off
        const std::tuple<int, Qt::Key, int> moves[] = {{0, Qt::Key_Right, 1}, {9, Qt::Key_Right, 0}, {0, Qt::Key_Left, 9},
                {2, Qt::Key_Down, 7}, {7, Qt::Key_Up, 2}, {3, Qt::Key_End, 9}, {6, Qt::Key_Home, 0}};
        // clang-format on
        for (const auto &[from, key, to] : moves) {
            m_tabs->setCurrentIndex(from);
            QTest::keyClick(m_tabs->tabStrip(), key);
            QCOMPARE(std::pair(from, m_tabs->currentIndex()), std::pair(from, to));
        }
        QSignalSpy spy(m_tabs.get(), &TwoRowTabWidget::currentChanged);
        for (int i : {9, 4, 4, 0}) {
            QTest::mouseClick(m_tabs->tabStrip(), Qt::LeftButton, {}, m_tabs->tabRect(i).center());
            for (int page = 0; page < m_tabs->count(); ++page)
                QCOMPARE(m_tabs->page(page)->isVisible(), page == i);
        }
        QCOMPARE(spy.count(), 3);
        QCOMPARE(spy.at(1).at(0).toInt(), 4);
    }

    // A page hidden while it holds the focus hands it to the strip, not to whatever control
    // comes next; focus elsewhere stays where it is.
    void focusOnAHiddenPageGoesToTheStrip()
    {
        auto *field = new QLineEdit(m_tabs->page(0));
        auto *outside = new QLineEdit(m_tabs.get()); // next after the field in the focus chain
        field->show();
        outside->show();
        m_tabs->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_tabs.get()));
        field->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), field);
        m_tabs->setCurrentIndex(1);
        QCOMPARE(QApplication::focusWidget(), m_tabs->tabStrip());
        outside->setFocus();
        m_tabs->setCurrentIndex(0);
        m_tabs->setCurrentIndex(2);
        QCOMPARE(QApplication::focusWidget(), outside);
    }

private:
    std::unique_ptr<TwoRowTabWidget> m_tabs;
};

QTEST_MAIN(tst_tabs)
#include "tst_tabs.moc"
