// SPDX-License-Identifier: MIT

#include "frmMain.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <limits>

#include "appearance.h"
#include "formtable.h"
#include "tworowtabwidget.h"

namespace {

using Form::Kind;
using Form::Style;

constexpr qreal HeadingPointSize = 9.75;

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

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
        setTextColour(label, QColor(255, 0, 0));
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
        setTextColour(label, QColor(0, 0, 255));
        break;
    }
    }
}

QLabel *makeLabel(const QString &text, const QString &name, Style style, const Form::Twips &at,
                  QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(at.toPixels());
    applyStyle(label, style);
    return label;
}

void makeRule(const Form::Line &line, QWidget *parent)
{
    auto *rule = new QFrame(parent);
    const bool horizontal = line.y1 == line.y2;
    rule->setFrameShape(horizontal ? QFrame::HLine : QFrame::VLine);
    rule->setFrameShadow(QFrame::Plain);
    const QPoint from = Form::Twips{line.x1, line.y1, 0, 0}.toPixels().topLeft();
    const QPoint to = Form::Twips{line.x2, line.y2, 0, 0}.toPixels().topLeft();
    rule->setGeometry(QRect(from, to));
    rule->lower();
}

} // namespace

void frmMain::buildForm()
{
    for (const Form::Control &row : Form::controls()) {
        QWidget *widget = createControl(row);
        widget->setObjectName(Form::objectName(row));
        widget->setGeometry(row.geometry.toPixels());
        m_controls.insert(widget->objectName(), widget);
        if (row.caption) {
            QLabel *caption = makeLabel(QString::fromUtf8(row.caption),
                                        Form::captionObjectName(row), Style::RowCaption,
                                        Form::captionGeometry(row), widget->parentWidget());
            caption->setWordWrap(row.kind == Kind::MultiLineBox);
            caption->setBuddy(widget);
            m_controls.insert(caption->objectName(), caption);
        }
    }
    for (const Form::Line &line : Form::lines())
        makeRule(line, m_tabs->page(line.tab));
    nameForAssistiveTools();
    setFocusOrder();
}

// Nothing here is needed to put the window on the screen, so it runs just after that,
// before the window is first painted.
void frmMain::finishAppearance()
{
    static_cast<QLabel *>(control(QStringLiteral("Picture1")))
            ->setPixmap(QPixmap(QStringLiteral(":/picture1.png")));
    for (QLabel *label : findChildren<QLabel *>())
        Platform::fitText(label);
}

// The fields of the first tab, the tab strip, the fields of the other tabs, "Make Mission",
// the option buttons, and "Load MFC File" last.
void frmMain::setFocusOrder()
{
    QList<QWidget *> chain;
    QList<QWidget *> options;
    for (const Form::Control &row : Form::controls()) {
        if (row.tab > 0 && !chain.contains(m_tabs->tabStrip()))
            chain.append(m_tabs->tabStrip());
        QWidget *widget = control(Form::objectName(row));
        switch (row.kind) {
        case Kind::TextBox:
        case Kind::MultiLineBox:
        case Kind::CheckBox: chain.append(widget); break;
        case Kind::OptionButton: options.append(widget); break;
        case Kind::Button:
            if (row.tab != Form::OnWindow)
                chain.append(widget);
            break;
        default: break;
        }
    }
    chain += options;
    chain.append(control(QStringLiteral("cmdOpen")));
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

// Screen readers announce a field by its caption; boxes without one of their own get a name
// that says which part of the row they are.
void frmMain::nameForAssistiveTools()
{
    for (const Form::Control &row : Form::controls()) {
        QWidget *widget = control(Form::objectName(row));
        switch (row.kind) {
        case Kind::TextBox:
        case Kind::MultiLineBox:
            widget->setAccessibleName(Form::accessibleName(row));
            widget->setAccessibleDescription(Form::tabCaptions().value(row.tab));
            break;
        case Kind::CheckBox: widget->setAccessibleDescription(QStringLiteral("Commands")); break;
        case Kind::OptionButton:
            widget->setAccessibleName(
                    QStringLiteral("Ommit %1: %2")
                            .arg(Form::tabCaptions().value(row.tab).section(u'-', 1).trimmed(),
                                 QString::fromUtf8(row.text)));
            break;
        default: break;
        }
    }
    control(QStringLiteral("Picture1"))->setAccessibleName(QStringLiteral("QAV Mission Maker"));
}

QWidget *frmMain::createControl(const Form::Control &row)
{
    QWidget *parent = row.parent        ? control(QString::fromLatin1(row.parent))
            : row.tab == Form::OnWindow ? static_cast<QWidget *>(this)
                                        : m_tabs->page(row.tab);
    const QString text = QString::fromUtf8(row.text);
    switch (row.kind) {
    case Kind::TextBox: {
        auto *box = new QLineEdit(text, parent);
        box->setMaxLength(std::numeric_limits<int>::max());
        return box;
    }
    case Kind::MultiLineBox: {
        auto *box = new QPlainTextEdit(text, parent);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setTabChangesFocus(true);
        return box;
    }
    case Kind::CheckBox: return new QCheckBox(text, parent);
    case Kind::OptionButton: {
        auto *option = new QRadioButton(text, parent);
        option->setChecked(row.index == 1);
        return option;
    }
    case Kind::Button: return new QPushButton(text, parent);
    case Kind::Label:
    case Kind::Readout: {
        auto *label = new QLabel(text, parent);
        applyStyle(label, row.style);
        return label;
    }
    case Kind::Frame: return new QGroupBox(text, parent);
    case Kind::Picture: {
        // The picture is drawn from the box's corner; what does not fit is cut off.
        auto *picture = new QLabel(parent);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return picture;
    }
    case Kind::Container: return new QWidget(parent);
    case Kind::Tabs:
        m_tabs = new TwoRowTabWidget(Form::tabCaptions(), Form::TabRowHeight / Form::TwipsPerPixel,
                                     parent);
        addTabFurniture();
        return m_tabs;
    }
    Q_UNREACHABLE();
}

void frmMain::addTabFurniture()
{
    for (int tab = 0; tab < m_tabs->count(); ++tab) {
        QWidget *page = m_tabs->page(tab);
        makeLabel(QStringLiteral("Ommit:"), Form::objectName("lblOmmit", tab), Style::Ommit,
                  Form::OmmitCaption, page);
        makeRule(Form::HeaderRule, page);
        makeRule(Form::CaptionRule, page);
    }
}
