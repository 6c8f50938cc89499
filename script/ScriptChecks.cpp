#include "script/ScriptChecks.h"

#include "base/Paths.h"
#include "base/Text.h"
#include "config/ProgramInfo.h"
#include "platform/Prompts.h"
#include "script/ScriptText.h"

namespace ferrowind {

std::optional<Finding> mapFileFinding(const std::string& mapEdit)
{
    const std::string mapFile = base::trim(mapEdit);
    if (!base::fileExists(mapFile))
        return Finding{FindingKind::MapMissing, "Map is not selected, please select map file..."};
    if (auto problem = unsafeMapProblem(mapFile))
        return Finding{FindingKind::Refusal, *problem};
    return std::nullopt;
}

std::optional<Finding> unsafePathFinding(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths)
        if (auto problem = unsafePathProblem(path))
            return Finding{FindingKind::Refusal, *problem};
    return std::nullopt;
}

void addStageToolFindings(std::initializer_list<StageTool> stages, Findings& findings)
{
    for (const StageTool& stage : stages)
        if (stage.selected && !base::fileExists(stage.tool))
            findings.push_back({FindingKind::Question,
                std::string(stage.name) + " compiler initialization error! (Please select correct path)"});
}

void addFolderFinding(const std::string& folder, const std::string& problem, Findings& findings)
{
    if (!base::folderExists(folder))
        findings.push_back({FindingKind::Question, problem});
}

CheckVerdict askAbout(const Findings& findings, Prompts& prompts)
{
    for (const Finding& finding : findings) {
        if (finding.kind != FindingKind::Question) {
            prompts.tell(kMainCaption, finding.text, PromptIcon::Exclamation);
            return finding.kind == FindingKind::MapMissing ? CheckVerdict::MapMissing : CheckVerdict::Refused;
        }
        const PromptButton answer =
            prompts.ask({kMainCaption, finding.text + "\r\nContinue compilation?", PromptIcon::Exclamation,
                {PromptButton::Yes, PromptButton::No}, finding.goOnByDefault ? PromptButton::Yes : PromptButton::No});
        if (answer != PromptButton::Yes)
            return CheckVerdict::Refused;
    }
    return CheckVerdict::Proceed;
}

} // namespace ferrowind
