#include "platform/ProfileFile.h"
#include "base/AtomicFile.h"
#include "base/RegularFile.h"
#include "support/SpecialFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace ferrowind;

namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    TempFolder temp;
    std::string path = temp.path("test.ini");
};

TEST_F(ProfileFileTest, SectionAndKeyNamesIgnoreLetterCase)
{
    temp.write("test.ini", "[GsPath]\r\nwadRoot=/wads\r\n");
    EXPECT_EQ(readProfileString(path, "GSPATH", "WADroot"), "/wads");
    EXPECT_EQ(readProfileString(path, "gspath", "WADROOT"), "/wads");
}

TEST_F(ProfileFileTest, KeysAreLookedUpOnlyInTheirOwnSection)
{
    temp.write("test.ini", "[GSPATH]\r\nBSP=/hl/bsp\r\n[SPATH]\r\nBSP=/hl2/bsp\r\n");
    EXPECT_EQ(readProfileString(path, "GSPATH", "BSP"), "/hl/bsp");
    EXPECT_EQ(readProfileString(path, "SPATH", "BSP"), "/hl2/bsp");
    EXPECT_EQ(readProfileString(path, "SYSTEMS", "BSP", "none"), "none");
}

TEST_F(ProfileFileTest, MissingFileSectionOrKeyGivesTheFallback)
{
    EXPECT_EQ(readProfileString(path, "A", "k", "fallback"), "fallback");
    temp.write("test.ini", "[A]\r\nother=1\r\n");
    EXPECT_EQ(readProfileString(path, "A", "k"), "");
    EXPECT_EQ(readProfileString(path, "B", "other", "x"), "x");
}

struct ValueCase {
    const char* stored;
    const char* read;
};

class ProfileValueTest : public ProfileFileTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(ProfileValueTest, ValueIsReadByTheProfileRules)
{
    temp.write("test.ini", std::string("[A]\r\nk=") + GetParam().stored + "\r\n");
    EXPECT_EQ(readProfileString(path, "A", "k"), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(Values, ProfileValueTest,
    ::testing::Values(ValueCase{"  /tools/hlcsg  \t", "/tools/hlcsg"},
        ValueCase{"\"/my tools/hlcsg\"", "/my tools/hlcsg"}, ValueCase{"'quoted'", "quoted"},
        ValueCase{" \"  inner blanks stay  \" ", "  inner blanks stay  "}, ValueCase{"\"unbalanced", "\"unbalanced"},
        ValueCase{"\"mixed'", "\"mixed'"}, ValueCase{"a \"middle\" quote", "a \"middle\" quote"},
        ValueCase{"a=b", "a=b"}, ValueCase{"", ""}));

TEST_F(ProfileFileTest, AtMost2047CharactersOfAValueAreReturned)
{
    const std::string longValue(3000, 'v');
    temp.write("test.ini", "[A]\r\nk=" + longValue + "\r\n");
    EXPECT_EQ(readProfileString(path, "A", "k"), std::string(2047, 'v'));
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
    temp.write("test.ini", before);
    writeProfileString(path, "gspath", "CSG", "/new/hlcsg");
    std::string expected = before;
    expected.replace(expected.find("csg=/old/hlcsg"), 14, "CSG=/new/hlcsg");
    EXPECT_EQ(readBytes(path), expected);
}

TEST_F(ProfileFileTest, NewKeyGoesAtTheEndOfItsSectionBeforeBlankLines)
{
    temp.write("test.ini", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
    writeProfileString(path, "A", "z", "3");
    EXPECT_EQ(readBytes(path), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n");
}

TEST_F(ProfileFileTest, AddingToAnEarlierSectionLeavesAnUnterminatedLastLineAlone)
{
    temp.write("test.ini", "[A]\r\nx=1\r\n[B]\r\ny=2");
    writeProfileString(path, "A", "z", "3");
    EXPECT_EQ(readBytes(path), "[A]\r\nx=1\r\nz=3\r\n[B]\r\ny=2");
}

TEST_F(ProfileFileTest, MissingFileAndSectionAreCreated)
{
    writeProfileString(path, "A", "x", "1");
    EXPECT_EQ(readBytes(path), "[A]\r\nx=1\r\n");
    writeProfileString(path, "B", "y", "2");
    EXPECT_EQ(readBytes(path), "[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
}

TEST_F(ProfileFileTest, NewSectionAfterAnUnterminatedLastLineStartsOnItsOwnLine)
{
    temp.write("test.ini", "[A]\r\nx=1");
    writeProfileString(path, "B", "y", "2");
    EXPECT_EQ(readBytes(path), "[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
    EXPECT_EQ(readProfileString(path, "A", "x"), "1");
}

// Files saved by other editors: a byte-order mark before the first section, and any of the three line ends.
// Reading finds every key; writing changes only the key's text, and new lines take the file's own line end.
TEST_F(ProfileFileTest, ByteOrderMarkAndEveryLineEndAreUnderstoodAndKept)
{
    struct Case {
        const char* name;
        std::string mark;
        std::string end;
    };
    const std::string bom = "\xEF\xBB\xBF";
    const Case cases[] = {{"CR LF", "", "\r\n"}, {"LF", "", "\n"}, {"CR", "", "\r"}, {"mark, CR LF", bom, "\r\n"},
        {"mark, LF", bom, "\n"}, {"mark, CR", bom, "\r"}};
    for (const Case& c : cases) {
        const std::string e = c.end;
        temp.write(
            "test.ini", c.mark + "[GSPATH]" + e + "CSG=/hl/csg" + e + "; foreign" + e + "[SPATH]" + e + "Bin=/bin");
        ProfileFile file = ProfileFile::load(path);
        EXPECT_EQ(file.read("GSPATH", "CSG"), "/hl/csg") << c.name;
        EXPECT_EQ(file.read("SPATH", "Bin"), "/bin") << c.name;
        file.write("GSPATH", "CSG", "/new/csg");
        file.write("GSPATH", "BSP", "/hl/bsp");
        file.write("SYSTEMS", "TextColor", "7");
        file.save();
        EXPECT_EQ(readBytes(path),
            c.mark + "[GSPATH]" + e + "CSG=/new/csg" + e + "; foreign" + e + "BSP=/hl/bsp" + e + "[SPATH]" + e +
                "Bin=/bin" + e + "[SYSTEMS]" + e + "TextColor=7" + e)
            << c.name;
    }
    // Mixed ends stay as they were, line by line.
    temp.write("test.ini", "[A]\rx=1\n\r\ny=2\r");
    writeProfileString(path, "A", "x", "3");
    EXPECT_EQ(readBytes(path), "[A]\rx=3\n\r\ny=2\r");
}

// Two-byte text would be read as garbage and written back half converted; it reads as empty and stays as it is.
TEST_F(ProfileFileTest, Utf16FileReadsAsEmptyAndIsNeverWrittenOver)
{
    const std::string cases[] = {
        std::string("\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0v\0", 18),
        std::string("\xFE\xFF\0[\0A\0]\0\r\0\n\0k\0=\0v", 18),
        std::string("[\0A\0]\0\r\0\n\0k\0=\0v\0", 16),
    };
    for (const std::string& bytes : cases) {
        temp.write("test.ini", bytes);
        ProfileFile file = ProfileFile::load(path);
        EXPECT_EQ(file.read("A", "k", "none"), "none");
        file.write("A", "k", "new");
        try {
            file.save();
            ADD_FAILURE() << "saved over a UTF-16 file";
        } catch (const base::WriteError& error) {
            EXPECT_EQ(std::string(error.what()),
                "Unable to write to " + path +
                    ": the file is saved as UTF-16 text, which Ferrowind cannot read; it was left unchanged. Save it "
                    "as ANSI or UTF-8 text to use it.");
        }
        EXPECT_EQ(readBytes(path), bytes);
    }
    // A zero byte that is not half of a printable character is no two-byte text, before or after a write.
    temp.write("test.ini", std::string("\0", 1));
    writeProfileString(path, "A", "k", "v");
    EXPECT_EQ(readProfileString(path, "A", "k"), "v");
}

TEST_F(ProfileFileTest, CommentedKeyIsNotTakenForTheKey)
{
    temp.write("test.ini", "[A]\r\n;k=old\r\n");
    EXPECT_EQ(readProfileString(path, "A", "k", "none"), "none");
    writeProfileString(path, "A", "k", "new");
    EXPECT_EQ(readBytes(path), "[A]\r\n;k=old\r\nk=new\r\n");
}

TEST_F(ProfileFileTest, FailedWriteNamesThePathAndTheReason)
{
    const std::string folder = temp.makeFolder("a folder.ini");
    const std::string missing = temp.path("missing/test.ini");
    const std::pair<std::string, std::string> cases[] = {
        {folder, "it is a folder, not a regular file"},
        {missing, "its folder does not exist"},
    };
    for (const auto& [target, reason] : cases) {
        try {
            writeProfileString(target, "A", "k", "v");
            ADD_FAILURE() << "no error for " << target;
        } catch (const base::WriteError& error) {
            EXPECT_EQ(std::string(error.what()), "Unable to write to " + target + ": " + reason);
        }
    }
}

#ifndef _WIN32
// Reading a configuration or preset that is a pipe waited for a writer for ever; now every kind that is not a
// file is refused at once, for reading and for updating alike.
TEST_F(ProfileFileTest, AnythingButAFileIsRefusedWithoutWaiting)
{
    for (const SpecialFile& file : makeSpecialFiles(temp)) {
        try {
            ProfileFile::load(file.path);
            ADD_FAILURE() << file.kind << " was read";
        } catch (const base::ReadError& error) {
            EXPECT_EQ(std::string(error.what()), "Unable to read " + file.path + ": " + file.reason) << file.kind;
        }
        try {
            writeProfileString(file.path, "A", "k", "v");
            ADD_FAILURE() << file.kind << " was written";
        } catch (const base::WriteError& error) {
            EXPECT_EQ(std::string(error.what()), "Unable to write to " + file.path + ": " + file.reason) << file.kind;
        }
    }
}
#endif

} // namespace
