#include "config/PresetName.h"
#include "support/FakePrompts.h"

#include <gtest/gtest.h>

using namespace ferrowind;

namespace {

TEST(PresetNameTest, LettersAndDigitsPassSilently)
{
    FakePrompts prompts;
    EXPECT_TRUE(checkPresetName("Full2013hl", prompts));
    EXPECT_TRUE(checkPresetName("", prompts));
    EXPECT_TRUE(prompts.asked.empty());
}

struct BadName {
    const char* name;
    const char* shown;
};

class PresetNameRefusalTest : public ::testing::TestWithParam<BadName> {};

TEST_P(PresetNameRefusalTest, FirstOtherCharacterIsShownBetweenQuotes)
{
    FakePrompts prompts;
    EXPECT_FALSE(checkPresetName(GetParam().name, prompts));
    const PromptRequest expected{"Ferrowind 1.2",
        std::string("Entered name  is not correctly! Uncorrect symbol: \"") + GetParam().shown + "\"",
        PromptIcon::Error, {PromptButton::Ok}, PromptButton::Ok};
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0], expected);
}

INSTANTIATE_TEST_SUITE_P(Names, PresetNameRefusalTest,
    ::testing::Values(BadName{"my preset", " "}, BadName{"a_b-c", "_"}, BadName{"caf\xc3\xa9", "\xc3\xa9"},
        BadName{"v1.2", "."}, BadName{"-x", "-"}));

} // namespace
