// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Prompter.h"

// Message boxes as QMessageBox, modal over the active window.
class QtPrompter final : public Prompter {
public:
    Answer ask(const Message& message) override;
};
