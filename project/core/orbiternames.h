// SPDX-License-Identifier: MIT

// The simulator's names where a field holds one: what completion offers while the user types
// into it, drawn from the installation and the form's other fields (the bases of the launch
// body, the pads of its base), and the names in a form that the installation does not know,
// each with the closest name it does know.
#pragma once

#include <QStringList>

#include "formtable.h"

class frmMain;
struct OrbiterInstallation;

// Nothing for a field that names nothing the installation knows of.
QStringList namesFor(const OrbiterInstallation &installation, const frmMain &form, Form::Id id);

// One line for each name in the steps the mission holds that the installation does not know.
// A base is checked only on a body the installation has, a pad only at a base it has.
QStringList unknownNames(const OrbiterInstallation &installation, const frmMain &form);
