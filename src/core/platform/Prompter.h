// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Every modal message box and question of the program goes through this interface,
// so tests can read the exact texts and answer questions from a script.
class Prompter {
public:
    enum class Icon { None, Information, Question, Warning, Critical };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    struct Message {
        std::string text;
        // Empty: the box shows the application's title.
        std::string title;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        Answer defaultButton = Answer::Ok;
    };

    virtual ~Prompter() = default;
    virtual Answer ask(const Message& message) = 0;

    void inform(std::string text, std::string title = {}, Icon icon = Icon::None) {
        ask({std::move(text), std::move(title), Buttons::Ok, icon, Answer::Ok});
    }
};
