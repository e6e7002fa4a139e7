#pragma once

#include "cells/formstate.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace quarvel {

// A plan file: the whole state of the window as JSON text, versioned, one
// entry a control by its name: a label's or a text box's text, a check box's
// tick, a list's text and whether it is open. Unsaved work kept for a window
// also names the plan file it belongs to, if any.
QByteArray planText(const FormState &state, const QString &planFile = QString());

// The state that a plan's bytes hold; or nothing, and in `why` the reason,
// worded to follow "it": "is not a Quarvel plan". `planFile`, if given,
// receives the plan file that kept work names.
std::optional<FormState> readPlan(const QByteArray &bytes, QString &why, QString *planFile = nullptr);

// The same for a file, which may be no plain file at all, too large or
// unreadable.
std::optional<FormState> readPlanFile(const QString &path, QString &why, QString *planFile = nullptr);

// Writes the file whole or not at all: on any failure the file that was
// there is left as it was, and `why` says what went wrong.
bool writePlanFile(const QString &path, const FormState &state, QString &why);

// The most bytes a plan may take: the whole window with every box full.
inline constexpr qint64 kMostPlanBytes = 16 << 20;

} // namespace quarvel
