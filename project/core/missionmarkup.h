// SPDX-License-Identifier: MIT

// The bounds a mission file's markup keeps before the XML parser reads it. The file's bytes
// are decoded once into the text both this check and the parser read, so that both see the
// same characters; one pass over that text then refuses what would make the parser's time
// or memory grow beyond the file's size (deep nesting, countless elements or attributes,
// entities that expand without end), and notes the entities that stand for outside files.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "QAVMmod.h"

namespace MissionMarkup {

// Far beyond what a mission holds: it nests five deep and has some hundred elements of a few
// attributes each, and no entity but the five XML predefines.
inline constexpr int DepthLimit = 256;
inline constexpr int ElementLimit = 10000;
inline constexpr int AttributeLimit = 64;
inline constexpr int DeclarationLimit = 1000;
inline constexpr int EntityNestingLimit = 32;
inline constexpr int EntityReferenceLimit = 10000;
inline constexpr qint64 EntityTextLimit = 1024 * 1024;

// The text of a mission file: as its byte-order mark or its first character says, UTF-8
// where it declares a Unicode encoding, otherwise the 8-bit text the writer wrote. Fails on
// bytes that are not what the encoding allows.
bool decode(const QByteArray &bytes, QString *text, MissionOddity *error);

// Whether the parser may read the text; otherwise the first reason why not, and its line.
// Each entity that stands for an outside file is noted once, at its first use.
bool check(QStringView text, QList<MissionOddity> *outsideEntities, MissionOddity *refusal);

} // namespace MissionMarkup
