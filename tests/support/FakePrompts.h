#pragma once

#include "platform/Prompts.h"

#include <deque>
#include <vector>

namespace ferrowind {

// Records every message box and answers from a queue; an empty queue answers with the box's default button.
class FakePrompts : public Prompts {
public:
    FakePrompts() = default;
    explicit FakePrompts(std::initializer_list<PromptButton> answers) : answers(answers) {}

    PromptButton ask(const PromptRequest& request) override
    {
        asked.push_back(request);
        if (answers.empty())
            return request.defaultButton;
        const PromptButton answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<PromptRequest> asked;
    std::deque<PromptButton> answers;
};

} // namespace ferrowind
