#pragma once

#include "platform/Dialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace ferrowind {

// Records every dialog request and answers from a queue per dialog; an empty queue cancels.
class FakeDialogs : public Dialogs {
public:
    std::optional<std::string> openFile(const OpenFileRequest& request) override
    {
        openRequests.push_back(request);
        return next(openAnswers);
    }
    std::optional<SaveFileAnswer> saveFile(const SaveFileRequest& request) override
    {
        saveRequests.push_back(request);
        return next(saveAnswers);
    }
    std::optional<std::string> browseFolder(const std::string& caption, const std::string& current) override
    {
        folderCaptions.push_back(caption);
        folderStarts.push_back(current);
        return next(folderAnswers);
    }
    std::optional<std::string> askName(const NameRequest& request) override
    {
        nameRequests.push_back(request);
        return next(nameAnswers);
    }

    std::vector<OpenFileRequest> openRequests;
    std::vector<SaveFileRequest> saveRequests;
    std::vector<std::string> folderCaptions;
    std::vector<std::string> folderStarts;
    std::vector<NameRequest> nameRequests;
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<SaveFileAnswer>> saveAnswers;
    std::deque<std::optional<std::string>> folderAnswers;
    std::deque<std::optional<std::string>> nameAnswers;

private:
    template <typename T> static std::optional<T> next(std::deque<std::optional<T>>& queue)
    {
        if (queue.empty())
            return std::nullopt;
        auto answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

} // namespace ferrowind
