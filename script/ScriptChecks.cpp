#include "script/ScriptChecks.h"

#include "base/Paths.h"
#include "base/Text.h"
#include "config/ProgramInfo.h"
#include "platform/Prompts.h"
#include "script/ScriptWriter.h"

namespace ferrowind {

std::optional<Finding> mapFileFinding(const std::string& mapEdit)
{
    if (!base::fileExists(base::trim(mapEdit)))
        return Finding{FindingKind::MapMissing, "Map is not selected, please select map file..."};
    return std::nullopt;
}

std::optional<Finding> refusalFinding(const std::function<void()>& generate)
{
    if (std::optional<std::string> refusal = refusalOf(generate))
        return Finding{FindingKind::Refusal, std::move(*refusal)};
    return std::nullopt;
}

void addStageToolFindings(const StagePlan& stages, Findings& findings)
{
    for (const PlannedStage& stage : stages)
        if (stage.run && !base::fileExists(stage.tool))
            findings.push_back(
                {FindingKind::Question, stage.name + " compiler initialization error! (Please select correct path)"});
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
