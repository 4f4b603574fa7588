// SPDX-License-Identifier: MIT

// Reading a mission file back into the fields that make it: each Var's text loses the
// decorations the writer put around it, by the same formats from the form table.
#include "QAVMmod.h"

#include <QHash>
#include <QXmlStreamReader>

#include <algorithm>
#include <functional>

#include "missionmarkup.h"

using Form::Id;

namespace {

// The step a processor line names, by its type and mode.
int stepOf(QStringView type, QStringView mode)
{
    static const auto processors = [] {
        QList<std::pair<QString, QString>> list;
        for (const Form::Step &step : Form::steps()) {
            QXmlStreamReader xml(QString::fromLatin1(step.processor ? step.processor : "<none>")
                                 + QStringLiteral("</Processor>"));
            xml.readNextStartElement();
            list.append({xml.attributes().value(QLatin1StringView("type")).toString(),
                         xml.attributes().value(QLatin1StringView("mode")).toString()});
        }
        return list;
    }();
    for (int step = 0; step < Form::MakeFileTab; ++step) {
        if (processors[step].first == type && processors[step].second == mode)
            return step;
    }
    return -1;
}

// The fields of a step that share a Var line, in order.
QList<Id> lineFields(int step, QStringView var)
{
    QList<Id> fields = Form::missionFields(step);
    fields.removeIf([var](Id id) { return var != QLatin1StringView(id.control().mission.var); });
    return fields;
}

// An element's text with its children's, read in a loop rather than by recursion so that
// no nesting can exhaust the stack.
QString elementText(QXmlStreamReader &xml)
{
    QString text;
    for (int depth = 0;;) {
        switch (xml.readNext()) {
        case QXmlStreamReader::Characters:
        case QXmlStreamReader::EntityReference: text += xml.text(); break;
        case QXmlStreamReader::StartElement: ++depth; break;
        case QXmlStreamReader::EndElement:
            if (depth-- == 0)
                return text;
            break;
        case QXmlStreamReader::Invalid:
        case QXmlStreamReader::EndDocument: return text;
        default: break;
        }
    }
}

class Reader
{
public:
    Reader(QList<FieldAssignment> *assignments, QList<MissionOddity> *oddities)
        : m_assignments(assignments), m_oddities(oddities)
    { }

    void step(QXmlStreamReader &xml);
    const std::array<bool, Form::StepCount> &present() const { return m_present; }

private:
    void odd(qint64 line, const QString &what) { m_oddities->append({line, what}); }
    void place(int step, const QString &var, const QString &text, qint64 line);
    void text(Id id, const QString &text)
    {
        m_assignments->append({FieldAssignment::Text, id, text});
    }

    QList<FieldAssignment> *m_assignments;
    QList<MissionOddity> *m_oddities;
    std::array<bool, Form::StepCount> m_present{};
};

void Reader::step(QXmlStreamReader &xml)
{
    const qint64 line = xml.lineNumber();
    int step = -1;
    QString label;
    bool labelled = false;
    QList<std::tuple<QString, QString, qint64>> vars;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"Label") {
            label = elementText(xml);
            labelled = true;
        } else if (xml.name() == u"Processor") {
            const QXmlStreamAttributes attributes = xml.attributes();
            step = stepOf(attributes.value(QLatin1StringView("type")),
                          attributes.value(QLatin1StringView("mode")));
            if (step < 0) {
                odd(xml.lineNumber(),
                    QStringLiteral("a processor of type \"%1\" is no step of a mission")
                            .arg(attributes.value(QLatin1StringView("type"))));
            }
            while (xml.readNextStartElement()) {
                const qint64 at = xml.lineNumber();
                if (xml.name() != u"Var") {
                    odd(at, QStringLiteral("an element \"%1\" is no Var").arg(xml.name()));
                    xml.skipCurrentElement();
                    continue;
                }
                const QString name = xml.attributes().value(QLatin1StringView("name")).toString();
                vars.append({name, elementText(xml), at});
            }
        } else {
            odd(xml.lineNumber(),
                QStringLiteral("an element \"%1\" is no part of a step").arg(xml.name()));
            xml.skipCurrentElement();
        }
    }
    if (step < 0)
        return;
    if (m_present[std::size_t(step)]) {
        odd(line, QStringLiteral("a second step \"%1\"").arg(Form::steps()[step].section));
        return;
    }
    m_present[std::size_t(step)] = true;
    if (labelled)
        text(Form::labelOf(step), label);
    for (const auto &[name, value, at] : std::as_const(vars))
        place(step, name, value, at);
}

void Reader::place(int step, const QString &var, const QString &written, qint64 line)
{
    const QString where = QStringLiteral("the Var \"%1\" of the step \"%2\"")
                                  .arg(var, QLatin1StringView(Form::steps()[step].section));
    const QList<Id> fields = lineFields(step, var);
    if (fields.isEmpty())
        return odd(line, where + QStringLiteral(" is not one the program writes"));
    // The writer puts one blank on either side of the value.
    QStringView value = written;
    if (value.startsWith(u' '))
        value = value.sliced(1);
    if (value.endsWith(u' '))
        value.chop(1);
    const Form::Control &first = fields.first().control();
    // A field whose rule never ran leaves its value empty, without decorations.
    const std::optional<QString> shown =
            value.isEmpty() ? QString() : Form::unformat(first.mission.format, value);
    if (!shown)
        return odd(line, where + QStringLiteral(" lacks what the program writes around it"));

    // A line is one field, the elements of an array, or fields that share it.
    QList<Id> targets;
    for (const Id field : fields)
        targets += Form::elements(field);
    const QStringList parts =
            targets.size() > 1 ? shown->split(QChar(first.separator)) : QStringList{*shown};
    if (parts.size() != targets.size()) {
        odd(line,
            where
                    + QStringLiteral(" holds %1 parts, not %2")
                              .arg(parts.size())
                              .arg(targets.size()));
    }
    for (qsizetype i = 0; i < targets.size() && i < parts.size(); ++i) {
        const Id target = targets[i];
        const Form::Control &field = Form::field(target);
        if (field.kind == Form::Kind::Label) {
            if (parts[i] != QString::fromUtf8(field.text))
                odd(line, where + QStringLiteral(" is always \"%1\"").arg(field.text));
        } else if (field.command) {
            const bool on = parts[i] == QLatin1StringView(field.command);
            if (!on && !parts[i].isEmpty())
                odd(line, where + QStringLiteral(" holds an unknown command \"%1\"").arg(parts[i]));
            m_assignments->append({FieldAssignment::Check, target, {}, on});
        } else if (const std::optional<QString> typed = parts[i].isEmpty()
                           ? QString()
                           : Form::unformat(field.modelFormat, parts[i])) {
            text(target, *typed);
        } else {
            odd(line, where + QStringLiteral(" lacks what the program writes around it"));
        }
    }
}

} // namespace

bool readMission(const QByteArray &bytes, QList<FieldAssignment> *assignments,
                 QList<MissionOddity> *oddities, MissionOddity *error)
{
    QString text;
    QList<MissionOddity> outside;
    if (!MissionMarkup::decode(bytes, &text, error) || !MissionMarkup::check(text, &outside, error))
        return false;
    QXmlStreamReader xml(text);
    QList<FieldAssignment> read;
    QList<MissionOddity> odd;
    Reader reader(&read, &odd);
    if (xml.readNextStartElement() && xml.name() == u"QAV") {
        // Steps stand in the sequence; tolerate them a level higher or lower too. Counted
        // rather than recursed, so that deep nesting cannot exhaust the stack.
        for (int depth = 0; !xml.atEnd();) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            if (token == QXmlStreamReader::StartElement && xml.name() == u"Step")
                reader.step(xml);
            else if (token == QXmlStreamReader::StartElement)
                ++depth;
            else if (token == QXmlStreamReader::EndElement && depth-- == 0)
                break;
        }
        // What follows the root must still be well-formed.
        while (!xml.atEnd())
            xml.readNext();
    } else if (!xml.hasError()) {
        *error = {0, QStringLiteral("not a QAV mission file")};
        return false;
    }
    if (xml.hasError()) {
        *error = {0,
                  QStringLiteral("not well-formed XML: %1 (line %2)")
                          .arg(xml.errorString())
                          .arg(xml.lineNumber())};
        return false;
    }
    if (std::none_of(reader.present().begin(), reader.present().end(), std::identity())) {
        *error = {0, QStringLiteral("a QAV file that holds no step of a mission")};
        return false;
    }
    for (int step = 0; step < Form::MakeFileTab; ++step) {
        if (Form::isOptional(step) && !reader.present()[std::size_t(step)])
            read.append({FieldAssignment::Select, Form::option(step, 0)});
    }
    *assignments = read;
    odd += outside;
    std::stable_sort(odd.begin(), odd.end(), [](const MissionOddity &a, const MissionOddity &b) {
        return a.line < b.line;
    });
    *oddities = odd;
    return true;
}
