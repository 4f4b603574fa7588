// The face the window's texts are set in: "MS Sans Serif" where the system has it,
// otherwise a face of the same width class, so that the fixed-size labels hold their text.
#pragma once

#include <QFont>

namespace Platform {

QFont formFont(qreal pointSize = 8.0);

} // namespace Platform
