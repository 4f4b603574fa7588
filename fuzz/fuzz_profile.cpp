// SPDX-License-Identifier: MIT

// Arbitrary bytes as a project file: parsing, loading and editing must neither crash nor
// hang, a file passes through unchanged, and a stored value reads back as it was stored.
// The same bytes as a mission file to import, and as each of the simulator's files the
// editor reads names from, must neither crash nor hang either.
#include <cstdint>
#include <cstdlib>

#include "INIMod.h"
#include "ansitext.h"
#include "orbiterfiles.h"
#include "profiledocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes =
            QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    ProfileDocument doc = ProfileDocument::fromBytes(bytes);
    if (doc.toBytes() != bytes)
        std::abort();

    const QList<FieldAssignment> assignments = projectAssignments(doc, QStringLiteral("f.mfc"));
    if (assignments.isEmpty() || assignments.first().kind != FieldAssignment::Caption)
        std::abort();

    // The input's first bytes as a value, stored under a key the loader reads.
    const QString value = Platform::decodeAnsi(bytes.left(24));
    if (doc.setValue(u"Launch", u"Label", value)) {
        if (doc.value(u"Launch", u"Label") != value)
            std::abort();
        if (ProfileDocument::fromBytes(doc.toBytes()).value(u"Launch", u"Label") != value)
            std::abort();
    }
    QList<FieldAssignment> fromMission;
    QList<MissionOddity> oddities;
    MissionOddity error;
    if (!readMission(bytes, &fromMission, &oddities, &error) && error.what.isEmpty())
        std::abort();

    const QString text = Orbiter::decodeText(bytes);
    Orbiter::systemBodies(text);
    Orbiter::readBody(text);
    if (const auto base = Orbiter::readBase(text, QStringLiteral("file")); base && base->pads < 0)
        std::abort();
    Orbiter::readScenario(text);
    return 0;
}
