// SPDX-License-Identifier: MIT

// A tabbed container whose captions stand in two fixed rows above the pages, as the
// Windows tabbed dialog control shows them. Pages cover the whole container, so a child
// of a page is placed in the container's coordinates, strip included; only the current
// page is visible. The strip is one focus stop: arrow keys move between tabs.
#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>

class TabStrip;

class TwoRowTabWidget : public QWidget
{
    Q_OBJECT

public:
    TwoRowTabWidget(const QStringList &captions, int rowHeight, QWidget *parent = nullptr);

    int count() const { return int(m_pages.size()); }
    QWidget *page(int index) const { return m_pages.value(index); }
    QString tabText(int index) const { return m_captions.value(index); }
    int currentIndex() const { return m_current; }
    void setCurrentIndex(int index);

    int tabsPerRow() const;
    QRect tabRect(int index) const;
    int tabAt(const QPoint &pos) const;
    QWidget *tabStrip() const;

signals:
    void currentChanged(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QStringList m_captions;
    QList<QWidget *> m_pages;
    TabStrip *m_strip = nullptr;
    int m_rowHeight;
    int m_current = -1;
};
