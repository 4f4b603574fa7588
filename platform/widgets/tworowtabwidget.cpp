// SPDX-License-Identifier: MIT

#include "tworowtabwidget.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

#include "accessibility.h"

namespace {

void notifyTab(QWidget *strip, QAccessible::Event type, int index)
{
    QAccessibleEvent event(strip, type);
    event.setChild(index);
    Platform::notifyAccessibility(&event);
}

} // namespace

// Screen readers know it by its class name (see accessibility.cpp).
class TabStrip : public QWidget
{
    Q_OBJECT

public:
    explicit TabStrip(TwoRowTabWidget *tabs) : QWidget(tabs), m_tabs(tabs)
    {
        setFocusPolicy(Qt::StrongFocus);
        setAccessibleName(QStringLiteral("Tabs"));
    }

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        QWidget::focusInEvent(event);
        // The strip has the focus, but a screen reader is to read the tab it stands on: told
        // once Qt has announced the strip itself, which it does after this.
        QMetaObject::invokeMethod(this, &TabStrip::announceCurrentTab, Qt::QueuedConnection);
    }

    void paintEvent(QPaintEvent *) override
    {
        QStylePainter painter(this);
        for (int i = 0; i < m_tabs->count(); ++i) {
            const QRect r = m_tabs->tabRect(i).adjusted(0, 0, -1, -1);
            const bool current = i == m_tabs->currentIndex();
            // The current tab opens onto the page; the others stand back a shade.
            const QColor face = palette().color(QPalette::Window);
            painter.fillRect(r, current ? palette().color(QPalette::Base) : face.darker(112));
            painter.setPen(palette().color(QPalette::Mid));
            painter.drawRect(r);
            if (current) {
                painter.setPen(palette().color(QPalette::Highlight));
                painter.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
                painter.drawLine(r.left() + 1, r.top() + 2, r.right() - 1, r.top() + 2);
            }
            QFont font = painter.font();
            font.setBold(current);
            painter.setFont(font);
            painter.setPen(palette().color(QPalette::ButtonText));
            painter.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, m_tabs->tabText(i));
            if (current && hasFocus()) {
                QStyleOptionFocusRect focus;
                focus.initFrom(this);
                focus.rect = r.adjusted(3, 3, -3, -3);
                painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
            }
        }
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        const int index = m_tabs->tabAt(event->position().toPoint());
        if (index >= 0)
            m_tabs->setCurrentIndex(index);
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        const int count = m_tabs->count();
        const int perRow = m_tabs->tabsPerRow();
        int index = m_tabs->currentIndex();
        switch (event->key()) {
        case Qt::Key_Left: index = (index + count - 1) % count; break;
        case Qt::Key_Right: index = (index + 1) % count; break;
        case Qt::Key_Up:
        case Qt::Key_Down: index = (index + perRow) % count; break;
        case Qt::Key_Home: index = 0; break;
        case Qt::Key_End: index = count - 1; break;
        default: QWidget::keyPressEvent(event); return;
        }
        m_tabs->setCurrentIndex(index);
    }

private:
    void announceCurrentTab()
    {
        if (hasFocus())
            notifyTab(this, QAccessible::Focus, m_tabs->currentIndex());
    }

    TwoRowTabWidget *m_tabs;
};

TwoRowTabWidget::TwoRowTabWidget(const QStringList &captions, int rowHeight, QWidget *parent)
    : QWidget(parent), m_captions(captions), m_rowHeight(rowHeight)
{
    Platform::installAccessibleInterfaces();
    for (int i = 0; i < captions.size(); ++i) {
        auto *page = new QWidget(this);
        page->setObjectName(QStringLiteral("SSTab1Page(%1)").arg(i));
        page->setAccessibleName(captions[i]);
        page->hide();
        m_pages.append(page);
    }
    m_strip = new TabStrip(this);
    m_strip->setObjectName(QStringLiteral("SSTab1Strip"));
    m_strip->raise();
    setCurrentIndex(0);
}

QWidget *TwoRowTabWidget::tabStrip() const { return m_strip; }

int TwoRowTabWidget::tabsPerRow() const { return (count() + 1) / 2; }

void TwoRowTabWidget::setCurrentIndex(int index)
{
    if (index < 0 || index >= count() || index == m_current)
        return;
    // A page that is hidden while it holds the focus would leave the window without a
    // focused control; the strip keeps it instead.
    const bool stripHadFocus = m_strip->hasFocus();
    if (m_current >= 0 && m_pages[m_current]->isAncestorOf(focusWidget()))
        m_strip->setFocus();
    const int previous = m_current;
    if (m_current >= 0)
        m_pages[m_current]->hide();
    m_current = index;
    m_pages[m_current]->show();
    m_strip->update();
    // What a screen reader announces: the tab now focused, if the strip kept the focus (one
    // that takes it over from the page announces it itself), and the change of the selected
    // tab in any case, whether by mouse, key or program.
    if (stripHadFocus)
        notifyTab(m_strip, QAccessible::Focus, index);
    if (previous >= 0)
        notifyTab(m_strip, QAccessible::SelectionRemove, previous);
    notifyTab(m_strip, QAccessible::Selection, index);
    emit currentChanged(index);
}

QRect TwoRowTabWidget::tabRect(int index) const
{
    const int perRow = tabsPerRow();
    const int row = index / perRow;
    const int column = index % perRow;
    const int left = width() * column / perRow;
    const int right = width() * (column + 1) / perRow;
    return QRect(left, row * m_rowHeight, right - left, m_rowHeight);
}

int TwoRowTabWidget::tabAt(const QPoint &pos) const
{
    for (int i = 0; i < count(); ++i) {
        if (tabRect(i).contains(pos))
            return i;
    }
    return -1;
}

void TwoRowTabWidget::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    const int stripHeight = 2 * m_rowHeight;
    frame.rect = rect().adjusted(0, stripHeight, 0, 0);
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

void TwoRowTabWidget::resizeEvent(QResizeEvent *)
{
    m_strip->setGeometry(0, 0, width(), 2 * m_rowHeight);
    for (QWidget *page : std::as_const(m_pages))
        page->setGeometry(rect());
}

#include "tworowtabwidget.moc"
