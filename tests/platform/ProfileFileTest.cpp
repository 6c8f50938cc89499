#include "platform/ProfileFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    TempFolder temp;
    std::string path = temp.Path("test.ini");
};

TEST_F(ProfileFileTest, SectionAndKeyNamesIgnoreLetterCase)
{
    temp.Write("test.ini", "[GsPath]\r\nwadRoot=/wads\r\n");
    EXPECT_EQ(ReadProfileString(path, "GSPATH", "WADroot"), "/wads");
    EXPECT_EQ(ReadProfileString(path, "gspath", "WADROOT"), "/wads");
}

TEST_F(ProfileFileTest, KeysAreLookedUpOnlyInTheirOwnSection)
{
    temp.Write("test.ini", "[GSPATH]\r\nBSP=/hl/bsp\r\n[SPATH]\r\nBSP=/hl2/bsp\r\n");
    EXPECT_EQ(ReadProfileString(path, "GSPATH", "BSP"), "/hl/bsp");
    EXPECT_EQ(ReadProfileString(path, "SPATH", "BSP"), "/hl2/bsp");
    EXPECT_EQ(ReadProfileString(path, "SYSTEMS", "BSP", "none"), "none");
}

TEST_F(ProfileFileTest, MissingFileSectionOrKeyGivesTheFallback)
{
    EXPECT_EQ(ReadProfileString(path, "A", "k", "fallback"), "fallback");
    temp.Write("test.ini", "[A]\r\nother=1\r\n");
    EXPECT_EQ(ReadProfileString(path, "A", "k"), "");
    EXPECT_EQ(ReadProfileString(path, "B", "other", "x"), "x");
}

struct ValueCase {
    const char* stored;
    const char* read;
};

class ProfileValueTest : public ProfileFileTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(ProfileValueTest, ValueIsReadByTheProfileRules)
{
    temp.Write("test.ini", std::string("[A]\r\nk=") + GetParam().stored + "\r\n");
    EXPECT_EQ(ReadProfileString(path, "A", "k"), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(Values, ProfileValueTest,
                         ::testing::Values(ValueCase{"  /tools/hlcsg  \t", "/tools/hlcsg"}, ValueCase{"\"/my tools/hlcsg\"", "/my tools/hlcsg"},
                                           ValueCase{"'quoted'", "quoted"}, ValueCase{" \"  inner blanks stay  \" ", "  inner blanks stay  "},
                                           ValueCase{"\"unbalanced", "\"unbalanced"}, ValueCase{"\"mixed'", "\"mixed'"},
                                           ValueCase{"a \"middle\" quote", "a \"middle\" quote"}, ValueCase{"a=b", "a=b"}, ValueCase{"", ""}));

TEST_F(ProfileFileTest, AtMost2047CharactersOfAValueAreReturned)
{
    const std::string longValue(3000, 'v');
    temp.Write("test.ini", "[A]\r\nk=" + longValue + "\r\n");
    EXPECT_EQ(ReadProfileString(path, "A", "k"), std::string(2047, 'v'));
}

TEST_F(ProfileFileTest, WritingUpdatesTheKeyInPlaceAndKeepsEveryOtherByte)
{
    const std::string before = "; my settings\r\n"
                               "[GSPATH]\r\n"
                               "Foreign = kept as is  \r\n"
                               "csg=/old/hlcsg\r\n"
                               "BSP=/hl/bsp\r\n"
                               "\r\n"
                               "[Mine]\n"
                               "x=1\n";
    temp.Write("test.ini", before);
    WriteProfileString(path, "gspath", "CSG", "/new/hlcsg");
    std::string expected = before;
    expected.replace(expected.find("csg=/old/hlcsg"), 14, "CSG=/new/hlcsg");
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST_F(ProfileFileTest, NewKeyGoesAtTheEndOfItsSectionBeforeBlankLines)
{
    temp.Write("test.ini", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
    WriteProfileString(path, "A", "z", "3");
    EXPECT_EQ(ReadBytes(path), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n");
}

TEST_F(ProfileFileTest, AddingToAnEarlierSectionLeavesAnUnterminatedLastLineAlone)
{
    temp.Write("test.ini", "[A]\r\nx=1\r\n[B]\r\ny=2");
    WriteProfileString(path, "A", "z", "3");
    EXPECT_EQ(ReadBytes(path), "[A]\r\nx=1\r\nz=3\r\n[B]\r\ny=2");
}

TEST_F(ProfileFileTest, MissingFileAndSectionAreCreated)
{
    WriteProfileString(path, "A", "x", "1");
    EXPECT_EQ(ReadBytes(path), "[A]\r\nx=1\r\n");
    WriteProfileString(path, "B", "y", "2");
    EXPECT_EQ(ReadBytes(path), "[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
}

TEST_F(ProfileFileTest, NewSectionAfterAnUnterminatedLastLineStartsOnItsOwnLine)
{
    for (const char* lastLineEnd : {"", "\r"}) {
        temp.Write("test.ini", std::string("[A]\r\nx=1") + lastLineEnd);
        WriteProfileString(path, "B", "y", "2");
        EXPECT_EQ(ReadBytes(path), "[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
        EXPECT_EQ(ReadProfileString(path, "A", "x"), "1");
    }
}

TEST_F(ProfileFileTest, CommentedKeyIsNotTakenForTheKey)
{
    temp.Write("test.ini", "[A]\r\n;k=old\r\n");
    EXPECT_EQ(ReadProfileString(path, "A", "k", "none"), "none");
    WriteProfileString(path, "A", "k", "new");
    EXPECT_EQ(ReadBytes(path), "[A]\r\n;k=old\r\nk=new\r\n");
}

TEST_F(ProfileFileTest, FailedWriteNamesThePath)
{
    const std::string folder = temp.MakeFolder("a folder.ini");
    const std::string missing = temp.Path("missing/test.ini");
    for (const std::string& target : {folder, missing}) {
        try {
            WriteProfileString(target, "A", "k", "v");
            ADD_FAILURE() << "no error for " << target;
        } catch (const ProfileWriteError& error) {
            EXPECT_EQ(std::string(error.what()), "Unable to write to " + target);
        }
    }
}

} // namespace
