#pragma once

#include "base/Text.h"
#include "script/ScriptLines.h"
#include "script/StagePlan.h"

#include <gtest/gtest.h>

#include <algorithm>

// The sections a generator reports are where the labels stand, so a host can follow a run by them.
inline void expectSectionsAtTheirLabels(const ferrowind::ScriptLines& lines, const ferrowind::ScriptSections& sections)
{
    for (const ferrowind::ScriptSections::Stage& stage : sections.stages)
        EXPECT_EQ(lines.at(stage.line), "::Run " + base::toLowerAscii(stage.name));
    EXPECT_EQ(lines.at(sections.afterStages), "::After compilation");
    EXPECT_EQ(lines.at(sections.errorSection), ":ERRORCOMPILATION");
    if (sections.pause)
        EXPECT_EQ(lines.at(*sections.pause), ":PAUSEITEM");
    else
        EXPECT_EQ(std::count(lines.begin(), lines.end(), ":PAUSEITEM"), 0);
}
