#include "app/CorrectName.h"
#include "support/FakePrompts.h"

#include <gtest/gtest.h>

namespace {

TEST(CorrectNameTest, LettersAndDigitsPassSilently)
{
    FakePrompts prompts;
    EXPECT_TRUE(System_CorrectName("Full2013hl", prompts));
    EXPECT_TRUE(System_CorrectName("", prompts));
    EXPECT_TRUE(prompts.asked.empty());
}

struct BadName {
    const char* name;
    const char* shown;
};

class CorrectNameRefusalTest : public ::testing::TestWithParam<BadName> {};

TEST_P(CorrectNameRefusalTest, FirstOtherCharacterIsShownBetweenQuotes)
{
    FakePrompts prompts;
    EXPECT_FALSE(System_CorrectName(GetParam().name, prompts));
    const PromptRequest expected{"Ferrowind 1.2", std::string("Entered name  is not correctly! Uncorrect symbol: \"") + GetParam().shown + "\"",
                                 PromptIcon::Error, {PromptButton::Ok}, PromptButton::Ok};
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0], expected);
}

INSTANTIATE_TEST_SUITE_P(Names, CorrectNameRefusalTest,
                         ::testing::Values(BadName{"my preset", " "}, BadName{"a_b-c", "_"}, BadName{"caf\xc3\xa9", "\xc3\xa9"},
                                           BadName{"v1.2", "."}, BadName{"-x", "-"}));

} // namespace
