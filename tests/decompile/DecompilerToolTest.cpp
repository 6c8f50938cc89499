#include "decompile/DecompilerTool.h"
#include "decompile/BspVersion.h"

#include "base/AtomicFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ferrowind {
namespace {

namespace fs = std::filesystem;

struct Provisioning : testing::Test {
    TempFolder temp;
    WorkingFolders folders = foldersUnder(temp.path() + "/");
    std::string tool = folders.tempDir + kDecompilerName;
    std::string packed = folders.tempDir + kPayloadFileName;
    int payloadReads = 0;

    std::function<std::string()> payloadOf(std::string bytes)
    {
        return [this, bytes] {
            ++payloadReads;
            return bytes;
        };
    }
};

#ifdef FERROWIND_DECOM_PAYLOAD
TEST_F(Provisioning, WritesTheBuiltDecompilerAsAProgram)
{
    const std::string payload = readBytes(FERROWIND_DECOM_PAYLOAD);
    ASSERT_GE(payload.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(payload[0]), 0x78);
    EXPECT_EQ(static_cast<unsigned char>(payload[1]), 0xDA);

    EXPECT_EQ(provisionDecompiler(folders, payloadOf(payload)), tool);
    EXPECT_EQ(readBytes(tool), readBytes(FERROWIND_BSPTWOMAP));
    EXPECT_NE(fs::status(tool).permissions() & fs::perms::owner_exec, fs::perms::none);
    EXPECT_FALSE(fs::exists(packed));
}
#endif

TEST_F(Provisioning, UsesAnExistingToolAsItIs)
{
    for (const std::string content : {"", "a build of the user's own"}) {
        temp.write("Ferrowind/Temp/BspTwoMap.exe", content);
        EXPECT_EQ(provisionDecompiler(folders, payloadOf("never read")), tool);
        EXPECT_EQ(readBytes(tool), content);
    }
    EXPECT_EQ(payloadReads, 0);
}

TEST_F(Provisioning, DamagedPayloadLeavesNothingAndTheNextAttemptProvisionsAgain)
{
    const std::string good("\x78\xDA\x4B\xCC\x4B\x04\x00\x02\x63\x01\x31", 11); // "ana" at best compression
    const std::string cutOff = good.substr(0, 6);
    for (const std::string& damaged : {cutOff, std::string("not zlib at all"), std::string()}) {
        EXPECT_THROW(provisionDecompiler(folders, payloadOf(damaged)), UnpackError) << damaged;
        EXPECT_FALSE(fs::exists(tool));
        EXPECT_FALSE(fs::exists(packed));
    }
    provisionDecompiler(folders, payloadOf(good));
    EXPECT_FALSE(fs::exists(packed));
    EXPECT_EQ(readBytes(tool), "ana");
}

TEST_F(Provisioning, UnwritableTempFolderReportsTheWrite)
{
    const std::string blocker = temp.write("blocker");
    const WorkingFolders blocked = foldersUnder(blocker + "/");
    EXPECT_THROW(provisionDecompiler(blocked, payloadOf("\x78\xDA")), base::WriteError);
}

struct VersionCase {
    std::string head;
    std::int32_t version;
};

TEST(BspVersion, ReadsTheSignedLittleEndianField)
{
    const std::string rest(128, '\0');
    const VersionCase cases[] = {
        {std::string("\x1E\0\0\0", 4), 30},
        {std::string("\x1D\0\0\0", 4), 29},
        {std::string("\xFF\xFF\xFF\xFF", 4), -1},
        {std::string("\x1E\x01\0\0", 4), 286},
    };
    TempFolder temp;
    for (const VersionCase& c : cases)
        EXPECT_EQ(readBspVersion(temp.write("map.bsp", c.head + rest)), c.version);
}

TEST(BspVersion, MissingFileIsVersionZeroShortFileIsAnError)
{
    TempFolder temp;
    EXPECT_EQ(readBspVersion(temp.path("missing.bsp")), 0);
    EXPECT_THROW(readBspVersion(temp.write("short.bsp", std::string(131, '\x1E'))), BspReadError);
}

TEST(BspVersion, ReadOnlyFileIsRead)
{
    TempFolder temp;
    const std::string path = temp.write("map.bsp", std::string("\x1E\0\0\0", 4) + std::string(128, '\0'));
    fs::permissions(path, fs::perms::owner_read, fs::perm_options::replace);
    EXPECT_EQ(readBspVersion(path), 30);
}

} // namespace
} // namespace ferrowind
