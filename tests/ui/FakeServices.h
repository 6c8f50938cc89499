#pragma once

#include "app/ui/Services.h"
#include "tests/support/FakePrompts.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

class FakeDialogs : public Dialogs {
public:
    std::optional<std::string> OpenFile(const OpenFileRequest& request) override
    {
        openRequests.push_back(request);
        return Next(openAnswers);
    }
    std::optional<SaveFileAnswer> SaveFile(const SaveFileRequest& request) override
    {
        saveRequests.push_back(request);
        return Next(saveAnswers);
    }

    std::vector<OpenFileRequest> openRequests;
    std::vector<SaveFileRequest> saveRequests;
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<SaveFileAnswer>> saveAnswers;

private:
    template <typename T> static std::optional<T> Next(std::deque<std::optional<T>>& queue)
    {
        if (queue.empty())
            return std::nullopt;
        auto answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

class FakeShell : public Shell {
public:
    bool OpenDocument(const std::string& pathOrUrl) override
    {
        opened.push_back(pathOrUrl);
        return true;
    }
    ShellResult StartScript(const std::string& scriptPath) override
    {
        started.push_back(scriptPath);
        return result;
    }

    std::vector<std::string> opened;
    std::vector<std::string> started;
    ShellResult result{true, {}};
};

class FakeSound : public Sound {
public:
    void PlayCompletionSound(std::function<void()> finished) override
    {
        ++played;
        finished();
    }
    int played = 0;
};

struct FakeServices {
    FakePrompts prompts;
    FakeDialogs dialogs;
    FakeShell shell;
    FakeSound sound;

    Services Get() { return {prompts, dialogs, shell, sound}; }
};
