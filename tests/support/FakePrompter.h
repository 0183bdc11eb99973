// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Prompter.h"

#include <deque>
#include <functional>
#include <vector>

// Records every box and answers questions from a script; with no scripted answer left it
// presses the box's default button. `whileOpen` runs while a box is shown, as the event
// loop runs behind a modal box.
class FakePrompter final : public Prompter {
public:
    Answer ask(const Message& message) override {
        shown.push_back(message);
        if (whileOpen)
            whileOpen();
        if (answers.empty())
            return message.defaultButton;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<Message> shown;
    std::deque<Answer> answers;
    std::function<void()> whileOpen;
};
