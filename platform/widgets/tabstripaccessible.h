// SPDX-License-Identifier: MIT

// The two-row tab container as screen readers see it: its strip is a list of page tabs, one
// item per caption, and while the strip has the focus the current tab is the focused object.
// The accessible-interface factory asks for the strip's interface here.
#pragma once

class QAccessibleInterface;
class QWidget;

namespace Platform {

QAccessibleInterface *tabStripInterface(QWidget *strip);

} // namespace Platform
