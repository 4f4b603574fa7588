// SPDX-License-Identifier: MIT

// What screen readers learn of a window beyond what Qt tells them of each widget on its own:
// the two-row tab container as a list of page tabs, a caption that names a whole row of
// controls, the labels beside a field read as its description, ruled lines left out, the
// window as a frame, and one focused object at a time.
#pragma once

class QAccessibleEvent;
class QLabel;
class QWidget;

namespace Platform {

// Gives `window`, and every widget made in it from now on, the interfaces of this unit. Call
// it before the window makes its children, so that none is first seen with Qt's own.
void makeAccessible(QWidget *window);
// Lets screen readers read every two-row tab container; the container calls it itself.
void installAccessibleInterfaces();

// `label` names `control`, as a buddy does; unlike a buddy it may name several controls.
void addAccessibleLabel(QWidget *label, QWidget *control);
// The text of `label` (a unit, or what the program shows beside a field) is part of the
// description of `control`, and is read with it rather than on its own. Labels that stand
// before the control read as one phrase; those after it follow.
void addAccessibleDescription(QLabel *label, QWidget *control);
// The text of a description label changed: screen readers hear of the new description.
void accessibleDescriptionChanged(QLabel *label);

// Hands an event to screen readers. Where the platform has no accessibility bridge, as the
// offscreen platform of the tests, an update handler that was installed still hears it.
void notifyAccessibility(QAccessibleEvent *event);

} // namespace Platform
