// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Closes every top-level window whose objectName is not `keepName` (compared exactly),
// hidden ones too; each runs its own closing steps. The window kept is left alone.
void UnloadOtherForms(const QString& keepName);
