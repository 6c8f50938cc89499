#include "platform/TerminalCommand.h"

#include <gtest/gtest.h>

#include <set>

using namespace ferrowind;

namespace {

using Command = std::vector<std::string>;

// Resolves only the programs it was given, to /usr/bin/<name>, and remembers what was asked.
struct FakeFinder {
    std::set<std::string> installed;
    std::vector<std::string> asked;
    std::function<std::string(const std::string&)> fn()
    {
        return [this](const std::string& name) {
            asked.push_back(name);
            return installed.count(name) ? "/usr/bin/" + name : std::string();
        };
    }
};

TEST(TerminalCommandTest, TerminalVariableComesFirstWithDashE)
{
    FakeFinder finder{{"myterm", "xterm", "gnome-terminal"}, {}};
    EXPECT_EQ(terminalCommand("myterm", "/opt/ferrowind-cmd", "/t/Compile.bat", finder.fn()),
        (Command{"/usr/bin/myterm", "-e", "/opt/ferrowind-cmd", "/t/Compile.bat"}));
}

struct FallbackCase {
    const char* program;
    const char* commandSwitch;
};

class TerminalFallbackTest : public ::testing::TestWithParam<size_t> {};

// Each known emulator, with everything before it in the search order missing.
TEST_P(TerminalFallbackTest, FirstInstalledEmulatorInOrderWithItsSwitch)
{
    static const FallbackCase order[] = {
        {"x-terminal-emulator", "-e"},
        {"gnome-terminal", "--"},
        {"konsole", "-e"},
        {"xfce4-terminal", "-x"},
        {"xterm", "-e"},
    };
    const size_t index = GetParam();
    FakeFinder finder;
    for (size_t i = index; i < std::size(order); ++i)
        finder.installed.insert(order[i].program);
    const auto command = terminalCommand("", "run", "s.bat", finder.fn());
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(*command,
        (Command{std::string("/usr/bin/") + order[index].program, order[index].commandSwitch, "run", "s.bat"}));
}

INSTANTIATE_TEST_SUITE_P(Order, TerminalFallbackTest, ::testing::Range<size_t>(0, 5));

TEST(TerminalCommandTest, MissingTerminalVariableProgramFallsBackToTheList)
{
    FakeFinder finder{{"konsole"}, {}};
    EXPECT_EQ(terminalCommand("nosuchterm", "run", "s.bat", finder.fn()),
        (Command{"/usr/bin/konsole", "-e", "run", "s.bat"}));
    EXPECT_EQ(finder.asked.front(), "nosuchterm");
}

TEST(TerminalCommandTest, NoTerminalGivesNothing)
{
    FakeFinder finder;
    EXPECT_EQ(terminalCommand(nullptr, "run", "s.bat", finder.fn()), std::nullopt);
    EXPECT_EQ(finder.asked,
        (std::vector<std::string>{"x-terminal-emulator", "gnome-terminal", "konsole", "xfce4-terminal", "xterm"}));
}

} // namespace
