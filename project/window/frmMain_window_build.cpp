// SPDX-License-Identifier: MIT

// Building the window from the form table: every control in its place, with its caption,
// style, focus order and the names assistive tools read.
#include "frmMain_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <limits>

#include "accessibility.h"
#include "appearance.h"
#include "formlayout.h"
#include "optiongroup.h"
#include "tworowtabwidget.h"

namespace {

using Form::Kind;
using Layout::Style;

constexpr qreal HeadingPointSize = 9.75;

void applyStyle(QLabel *label, Style style)
{
    switch (style) {
    case Style::Plain:
    case Style::FixedLeft: label->setAlignment(Qt::AlignLeft | Qt::AlignTop); break;
    case Style::RowCaption:
    case Style::FixedRight: label->setAlignment(Qt::AlignRight | Qt::AlignTop); break;
    case Style::Centred: label->setAlignment(Qt::AlignHCenter | Qt::AlignTop); break;
    case Style::Ommit: {
        QFont font = Platform::formFont(HeadingPointSize);
        font.setBold(true);
        label->setFont(font);
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        Platform::setTextColour(label, QColor(255, 0, 0));
        break;
    }
    case Style::CannotOmmit: {
        QFont font = Platform::formFont(HeadingPointSize);
        font.setItalic(true);
        label->setFont(font);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        break;
    }
    case Style::FileEdit: {
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        Platform::setTextColour(label, QColor(0, 0, 255));
        break;
    }
    }
}

QLabel *makeLabel(const QString &text, const QString &name, Style style, const Layout::Twips &at,
                  QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(at.toPixels());
    applyStyle(label, style);
    return label;
}

void makeRule(const Layout::Line &line, QWidget *parent)
{
    auto *rule = new QFrame(parent);
    const bool horizontal = line.y1 == line.y2;
    rule->setFrameShape(horizontal ? QFrame::HLine : QFrame::VLine);
    rule->setFrameShadow(QFrame::Plain);
    const QPoint from = Layout::Twips{line.x1, line.y1, 0, 0}.toPixels().topLeft();
    const QPoint to = Layout::Twips{line.x2, line.y2, 0, 0}.toPixels().topLeft();
    rule->setGeometry(QRect(from, to));
    rule->lower();
    rule->show();
}

} // namespace

void frmMainWindow::build(Part part)
{
    const auto inPart = [part](int tab) { return (tab <= 0) == (part == Part::First); };
    for (int row = 0; row < Form::RowCount; ++row) {
        const Form::Control &control = Form::Table::Controls[row];
        if (!inPart(control.tab))
            continue;
        QWidget *parent = parentFor({row});
        const Shown shown = createControl({row}, parent);
        QWidget *widget = shown.widget;
        widget->setObjectName(Form::objectName(control));
        widget->setGeometry(Layout::placeOf({row}).at.toPixels());
        m_shown[Form::Id{row}] = shown;
        m_controls.insert(widget->objectName(), widget);
        if (control.caption) {
            QLabel *caption =
                    makeLabel(QString::fromUtf8(control.caption), Form::captionObjectName(control),
                              Style::RowCaption, Layout::captionGeometry({row}), parent);
            caption->setWordWrap(control.kind == Kind::MultiLineBox);
            // Fixed text ("K") takes no focus, so the caption has nothing to lead to.
            if (control.kind != Kind::Label)
                caption->setBuddy(widget);
            m_controls.insert(caption->objectName(), caption);
            caption->show();
        }
        // Controls made once their page is on the screen show with it.
        widget->show();
        widget->installEventFilter(this);
        nameForAssistiveTools({row});
        bind({row});
    }
    for (int tab = 0; tab < m_tabs->count(); ++tab) {
        if (inPart(tab))
            addTabFurniture(tab);
    }
    for (const Layout::Line &line : Layout::Table::Lines) {
        if (inPart(line.tab))
            makeRule(line, m_tabs->page(line.tab));
    }
    for (int row = 0; row < Form::RowCount; ++row) {
        if (inPart(Form::Table::Controls[row].tab))
            linkForAssistiveTools({row});
    }
    setFocusOrder();
}

QWidget *frmMainWindow::parentFor(Form::Id id)
{
    const Form::Control &control = id.control();
    if (const int parent = Form::RowLinks[id].parent; parent >= 0)
        return m_shown[Form::Id{parent}].widget;
    if (control.tab == Form::OnWindow)
        return this;
    return m_tabs->page(control.tab);
}

// Nothing here is needed to put the window on the screen, so it runs just after that,
// before the window is first painted.
void frmMainWindow::finishAppearance()
{
    m_shown[Form::id("Picture1")].label->setPixmap(QPixmap(QStringLiteral(":/picture1.png")));
    for (QLabel *label : findChildren<QLabel *>())
        Platform::fitText(label);
}

// The fields of the first tab, the tab strip, the fields of the other tabs, "Make Mission",
// the option buttons, and "Load MFC File" last.
void frmMainWindow::setFocusOrder()
{
    QList<QWidget *> chain;
    QList<QWidget *> options;
    for (int row = 0; row < Form::RowCount; ++row) {
        const Form::Control &control = Form::Table::Controls[row];
        if (control.tab > 0 && !chain.contains(m_tabs->tabStrip()))
            chain.append(m_tabs->tabStrip());
        QWidget *widget = m_shown[Form::Id{row}].widget;
        if (!widget)
            continue;
        switch (control.kind) {
        case Kind::TextBox:
        case Kind::MultiLineBox:
        case Kind::CheckBox: chain.append(widget); break;
        case Kind::OptionButton: options.append(widget); break;
        case Kind::Button:
            if (control.tab != Form::OnWindow)
                chain.append(widget);
            break;
        default: break;
        }
    }
    chain += options;
    chain.append(m_shown[Form::id("cmdOpen")].widget);
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

namespace {

bool isField(Kind kind)
{
    return kind == Kind::TextBox || kind == Kind::MultiLineBox || kind == Kind::CheckBox;
}

// Controls on one row of a tab stand at the same height in the same container.
bool sameRow(Form::Id first, Form::Id second)
{
    const Form::Control &a = first.control();
    const Form::Control &b = second.control();
    return a.tab == b.tab && QLatin1StringView(a.parent) == QLatin1StringView(b.parent)
            && Layout::placeOf(first).at.top == Layout::placeOf(second).at.top;
}

QString stepName(int tab) { return QString::fromLatin1(Form::steps()[std::size_t(tab)].section); }

} // namespace

// Screen readers announce a field by its caption; boxes without one of their own get a name
// that says which part of the row they are.
void frmMainWindow::nameForAssistiveTools(Form::Id id)
{
    const Form::Control &control = id.control();
    QWidget *widget = m_shown[id].widget;
    switch (control.kind) {
    case Kind::TextBox:
    case Kind::MultiLineBox: widget->setAccessibleName(Form::accessibleName(control)); break;
    case Kind::CheckBox: widget->setAccessibleDescription(QStringLiteral("Commands")); break;
    case Kind::OptionButton:
        widget->setAccessibleName(
                QStringLiteral("Ommit %1: %2")
                        .arg(stepName(control.tab), QString::fromUtf8(control.text)));
        break;
    case Kind::Container:
        widget->setAccessibleName(QStringLiteral("Ommit %1").arg(stepName(control.tab)));
        break;
    case Kind::Picture: widget->setAccessibleName(QStringLiteral("QAV Mission Maker")); break;
    default: break;
    }
}

// The caption of a row names every control on it (all boxes of an array, both check boxes),
// and the labels on a field's row (its unit, the readout its rule writes, "D(" and ") =")
// are read as its description. The "Ommit:" of a tab names its option pair.
void frmMainWindow::linkForAssistiveTools(Form::Id id)
{
    const Form::Control &control = id.control();
    QWidget *widget = m_shown[id].widget;
    if (control.kind == Kind::OptionButton) {
        const QString ommit = Form::objectName("lblOmmit", control.tab);
        Platform::addAccessibleLabel(m_tabs->page(control.tab)->findChild<QLabel *>(ommit), widget);
        return;
    }
    if (!isField(control.kind))
        return;
    for (int row = 0; row < Form::RowCount; ++row) {
        const Form::Control &other = Form::Table::Controls[row];
        if (!sameRow(id, {row}))
            continue;
        if (other.caption && isField(other.kind))
            Platform::addAccessibleLabel(m_controls.value(Form::captionObjectName(other)), widget);
        if (other.kind == Kind::Label || other.kind == Kind::Readout)
            Platform::addAccessibleDescription(m_shown[Form::Id{row}].label, widget);
    }
}

frmMainWindow::Shown frmMainWindow::createControl(Form::Id id, QWidget *parent)
{
    const Form::Control &control = id.control();
    const QString text = m_form.text(id);
    switch (control.kind) {
    case Kind::TextBox: {
        auto *box = new QLineEdit(text, parent);
        box->setMaxLength(std::numeric_limits<int>::max());
        return {.widget = box, .box = box};
    }
    case Kind::MultiLineBox: {
        auto *box = new QPlainTextEdit(text, parent);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setTabChangesFocus(true);
        return {.widget = box, .lines = box};
    }
    case Kind::CheckBox: {
        auto *box = new QCheckBox(text, parent);
        box->setChecked(m_form.isChecked(id));
        return {.widget = box, .button = box};
    }
    case Kind::OptionButton: {
        auto *option = new QRadioButton(text, parent);
        option->setChecked(m_form.isChecked(id));
        // Each pair is one group, whether it stands in a container of its own or on the page.
        const Form::Id first = Form::option(control.tab, 0);
        auto *pair = id == first ? new OptionGroup(this)
                                 : qobject_cast<OptionGroup *>(m_shown[first].button->group());
        pair->add(option);
        return {.widget = option, .button = option};
    }
    case Kind::Button: {
        auto *button = new QPushButton(text, parent);
        button->setEnabled(m_form.isEnabled(id));
        return {.widget = button, .button = button};
    }
    case Kind::Label:
    case Kind::Readout: {
        auto *label = new QLabel(text, parent);
        applyStyle(label, Layout::placeOf(id).style);
        return {.widget = label, .label = label};
    }
    case Kind::Frame: return {.widget = new QGroupBox(text, parent)};
    case Kind::Picture: {
        // The picture is drawn from the box's corner; what does not fit is cut off.
        auto *picture = new QLabel(parent);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return {.widget = picture, .label = picture};
    }
    case Kind::Container: return {.widget = new QWidget(parent)};
    case Kind::Tabs:
        m_tabs = new TwoRowTabWidget(Form::tabCaptions(),
                                     Layout::TabRowHeight / Layout::TwipsPerPixel, parent);
        return {.widget = m_tabs};
    }
    Q_UNREACHABLE();
}

void frmMainWindow::addTabFurniture(int tab)
{
    QWidget *page = m_tabs->page(tab);
    makeLabel(QStringLiteral("Ommit:"), Form::objectName("lblOmmit", tab), Style::Ommit,
              Layout::OmmitCaption, page)
            ->show();
    makeRule(Layout::HeaderRule, page);
    makeRule(Layout::CaptionRule, page);
}
