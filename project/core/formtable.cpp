// SPDX-License-Identifier: MIT

#include "formtable.h"

#include <algorithm>

namespace Form {

std::span<const Control> controls() { return Table::Controls; }

std::span<const Step> steps() { return Table::Steps; }

QStringList tabCaptions()
{
    QStringList captions;
    for (const Step &step : steps())
        captions.append(QString::fromLatin1(step.caption));
    return captions;
}

QString objectName(const char *name, int index)
{
    const QString bare = QString::fromLatin1(name);
    return index == NoIndex ? bare : QStringLiteral("%1(%2)").arg(bare).arg(index);
}

QString objectName(const Control &control) { return objectName(control.name, control.index); }

QString objectName(Id id) { return objectName(id.control()); }

QString captionObjectName(const Control &control)
{
    if (control.captionName)
        return QString::fromLatin1(control.captionName);
    // "txtLStartAt" gives "lblLStartAtCaption".
    return QStringLiteral("lbl") + QString::fromLatin1(control.name).mid(3)
            + QStringLiteral("Caption");
}

std::optional<Id> find(QStringView name)
{
    for (int row = 0; row < RowCount; ++row) {
        if (objectName(Table::Controls[row]) == name)
            return Id{row};
    }
    return std::nullopt;
}

const Control &field(Id id) { return Table::Controls[RowLinks[id].field]; }

QList<Id> elements(Id id)
{
    const int first = RowLinks[id].field;
    if (id.control().index == NoIndex)
        return {id};
    QList<Id> all;
    for (int row = first; row < RowCount; ++row) {
        if (RowLinks[Id{row}].field == first)
            all.append(Id{row});
    }
    return all;
}

namespace {

// Every order names each field of its step that the file has, once, and nothing else.
constexpr bool ordersComplete(std::span<const Table::Order> orders, bool (*has)(const Control &))
{
    for (const Table::Order &order : orders) {
        int named = 0;
        for (const char *name : order.fields)
            named += name ? 1 : 0;
        for (int row = 0; row < RowCount; ++row) {
            const Control &c = Table::Controls[row];
            if (c.tab != order.step || !has(c) || RowLinks[Id{row}].field != row)
                continue;
            int listed = 0;
            for (const char *name : order.fields)
                listed += name && std::string_view(name) == c.name ? 1 : 0;
            if (listed != 1)
                return false;
            --named;
        }
        if (named != 0)
            return false;
    }
    return true;
}

constexpr bool hasLine(const Control &c) { return c.mission.var; }
constexpr bool hasKey(const Control &c) { return c.project.key; }

static_assert(ordersComplete(Table::LineOrder, hasLine));
static_assert(ordersComplete(Table::SaveOrder, hasKey));
static_assert(ordersComplete(Table::LoadOrder, hasKey));

QList<Id> fieldsOf(int step, bool (*has)(const Control &), std::span<const Table::Order> orders)
{
    QList<Id> fields;
    for (int row = 0; row < RowCount; ++row) {
        const Control &control = Table::Controls[row];
        if (control.tab == step && has(control) && RowLinks[Id{row}].field == row)
            fields.append(Id{row});
    }
    for (const Table::Order &order : orders) {
        if (order.step != step)
            continue;
        QList<Id> ordered;
        for (const char *name : order.fields) {
            for (const Id id : std::as_const(fields)) {
                if (name && std::string_view(name) == id.control().name)
                    ordered.append(id);
            }
        }
        return ordered;
    }
    return fields;
}

} // namespace

QList<Id> missionFields(int step) { return fieldsOf(step, hasLine, Table::LineOrder); }

QList<Id> projectFields(int step, std::span<const Table::Order> order)
{
    return fieldsOf(step, hasKey, order);
}

bool isOptional(int step) { return step >= 0 && step < StepCount && Table::Steps[step].flagKey; }

Id option(int step, int index)
{
    for (int row = 0; row < RowCount; ++row) {
        const Control &c = Table::Controls[row];
        if (c.kind == Kind::OptionButton && c.tab == step && c.index == index)
            return {row};
    }
    Q_UNREACHABLE();
}

Id labelOf(int step)
{
    for (int row = 0; row < RowCount; ++row) {
        const Control &c = Table::Controls[row];
        if (c.tab == step && c.project.key && qstrcmp(c.project.key, StepLabelKey) == 0)
            return {row};
    }
    Q_UNREACHABLE();
}

QString format(const char *pattern, const QString &value, const QString &reference)
{
    QString text = QString::fromLatin1(pattern);
    // Replaced in one pass, so that a value holding "%2" stays as typed.
    const qsizetype valueAt = text.indexOf(QLatin1StringView("%1"));
    const qsizetype referenceAt = text.indexOf(QLatin1StringView("%2"));
    if (referenceAt >= 0) {
        text.replace(referenceAt, 2, reference);
        if (valueAt > referenceAt)
            return text.replace(valueAt + reference.size() - 2, 2, value);
    }
    return text.replace(valueAt, 2, value);
}

std::optional<QString> unformat(const char *pattern, QStringView text)
{
    const QLatin1StringView whole(pattern);
    const qsizetype valueAt = whole.indexOf(QLatin1StringView("%1"));
    const qsizetype referenceAt = whole.indexOf(QLatin1StringView("%2"));
    // The reference stands before the value wherever the table has one.
    const QLatin1StringView prefix = whole.first(referenceAt >= 0 ? referenceAt : valueAt);
    const QLatin1StringView suffix = whole.sliced(valueAt + 2);
    if (!text.startsWith(prefix) || !text.endsWith(suffix)
        || text.size() < prefix.size() + suffix.size())
        return std::nullopt;
    QStringView value = text.sliced(prefix.size(), text.size() - prefix.size() - suffix.size());
    if (referenceAt >= 0) {
        const QLatin1StringView middle = whole.sliced(referenceAt + 2, valueAt - referenceAt - 2);
        const qsizetype at = value.indexOf(middle);
        if (at < 0)
            return std::nullopt;
        value = value.sliced(at + middle.size());
    }
    return value.toString();
}

std::optional<Id> readoutOf(Id id)
{
    const int readout = RowLinks[id].readout;
    return readout < 0 ? std::nullopt : std::optional<Id>(Id{readout});
}

QString textAtCreation(Id id)
{
    if (const int field = RowLinks[id].shownBy; field >= 0) {
        const Control &rule = Table::Controls[field];
        return format(rule.mission.format, format(rule.modelFormat, QString()));
    }
    return QString::fromUtf8(id.control().text);
}

QString displayName(const Control &control)
{
    const Control &first = field(Id{int(&control - Table::Controls)});
    if (control.index == NoIndex || !first.caption)
        return QString::fromUtf8(control.caption ? control.caption : control.name);
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(first.caption)).arg(control.index + 1);
}

QString accessibleName(const Control &control)
{
    const QString text = QString::fromUtf8(control.text);
    if (control.index == NoIndex || !text.startsWith(u'[') || !text.endsWith(u']'))
        return displayName(control);
    const Control &first = field(Id{int(&control - Table::Controls)});
    return QStringLiteral("%1 (%2)").arg(QString::fromUtf8(first.caption),
                                         text.mid(1, text.size() - 2));
}

} // namespace Form
