// SPDX-License-Identifier: MIT

#include "orbiternames.h"

#include <QSet>

#include <algorithm>
#include <numeric>

#include "frmMain.h"
#include "installation.h"
#include "messages.h"

namespace {

using Form::Names;

constexpr Form::Id fieldNaming(Names names)
{
    for (int row = 0; row < Form::RowCount; ++row) {
        if (Form::Table::Controls[row].names == names)
            return {row};
    }
    throw "no field names this";
}

// The launch body and its base, which the fields after them refer to.
constexpr Form::Id BodyField = fieldNaming(Names::Body);
constexpr Form::Id BaseField = fieldNaming(Names::BodyBase);

QStringList baseNames(const OrbiterBody &body)
{
    QStringList names;
    for (const Orbiter::Base &base : body.bases)
        names.append(base.name);
    return names;
}

QStringList bodyNames(const OrbiterInstallation &installation)
{
    QStringList names;
    for (const OrbiterBody &body : installation.bodies)
        names.append(body.name);
    return names;
}

// Each name once, in the case it first has.
class UniqueNames
{
public:
    void add(const QString &name)
    {
        if (!m_seen.contains(name.toCaseFolded())) {
            m_seen.insert(name.toCaseFolded());
            m_names.append(name);
        }
    }
    QStringList list() const { return m_names; }

private:
    QSet<QString> m_seen;
    QStringList m_names;
};

QStringList allBaseNames(const OrbiterInstallation &installation)
{
    UniqueNames names;
    for (const OrbiterBody &body : installation.bodies) {
        for (const Orbiter::Base &base : body.bases)
            names.add(base.name);
    }
    return names.list();
}

QStringList vesselsAndBodies(const OrbiterInstallation &installation)
{
    UniqueNames names;
    for (const Orbiter::Vessel &vessel : installation.vessels)
        names.add(vessel.name);
    return names.list() + bodyNames(installation);
}

// The texts are the boxes' while the user types, the mission's values when checked.
template<class Texts>
const Orbiter::Base *launchBase(const OrbiterInstallation &installation, const Texts &text,
                                const OrbiterBody **body)
{
    *body = installation.body(text(BodyField));
    return *body != nullptr ? findBase(**body, text(BaseField)) : nullptr;
}

int editDistance(const QString &a, const QString &b)
{
    QList<int> row(b.size() + 1);
    std::iota(row.begin(), row.end(), 0);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            row[j] = std::min(
                    {row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The known name a misspelling most likely means, or none when none is near.
QString closest(const QString &name, const QStringList &known)
{
    const QString folded = name.toCaseFolded();
    QString best;
    int bestDistance = std::max<int>(1, int(name.size()) / 3) + 1;
    for (const QString &candidate : known) {
        const int distance = editDistance(folded, candidate.toCaseFolded());
        if (distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

bool isWritten(const frmMain &form, int step)
{
    return !Form::isOptional(step) || form.isChecked(Form::option(step, 1));
}

} // namespace

QStringList namesFor(const OrbiterInstallation &installation, const frmMain &form, Form::Id id)
{
    const OrbiterBody *body = nullptr;
    const auto text = [&form](Form::Id field) { return form.text(field); };
    const Orbiter::Base *base = launchBase(installation, text, &body);
    switch (id.control().names) {
    case Names::None: return {};
    case Names::Body: return bodyNames(installation);
    case Names::BodyBase: return body != nullptr ? baseNames(*body) : QStringList();
    case Names::Pad: {
        QStringList pads;
        for (int pad = 1; base != nullptr && pad <= base->pads; ++pad)
            pads.append(QString::number(pad));
        return pads;
    }
    case Names::Base: return body != nullptr ? baseNames(*body) : allBaseNames(installation);
    case Names::Vessel: return vesselsAndBodies(installation);
    }
    Q_UNREACHABLE();
}

QStringList unknownNames(const OrbiterInstallation &installation, const frmMain &form)
{
    const OrbiterBody *body = nullptr;
    // What the mission holds, which at start-up is not what the boxes show.
    const auto value = [&form](Form::Id field) { return form.model().value(field); };
    const Orbiter::Base *base = launchBase(installation, value, &body);
    QStringList lines;
    for (const Form::Control &control : Form::controls()) {
        const Form::Id id{int(&control - Form::controls().data())};
        const QString name = value(id);
        if (control.names == Names::None || name.isEmpty() || !isWritten(form, control.tab))
            continue;
        const auto unknown = [&](const QStringList &known, const QString &where) {
            if (!known.contains(name, Qt::CaseInsensitive))
                lines.append(Messages::unknownNameLine(control.names, name, where,
                                                       closest(name, known)));
        };
        switch (control.names) {
        case Names::None: break;
        case Names::Body: unknown(bodyNames(installation), installation.system); break;
        case Names::BodyBase:
            if (body != nullptr)
                unknown(baseNames(*body), body->name);
            break;
        case Names::Pad: {
            bool number = false;
            const int pad = name.toInt(&number);
            if (base != nullptr && (!number || pad < 1 || pad > base->pads))
                lines.append(Messages::unknownPadLine(name, base->name, base->pads));
            break;
        }
        case Names::Base:
            if (body != nullptr)
                unknown(baseNames(*body), body->name);
            else
                unknown(allBaseNames(installation), QString());
            break;
        case Names::Vessel: unknown(vesselsAndBodies(installation), installation.system); break;
        }
    }
    return lines;
}
