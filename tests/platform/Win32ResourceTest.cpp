#include "platform/win32/Win32Resource.h"
#include "platform/win32/Win32Sound.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace ferrowind;

namespace {
std::uint32_t little(std::string_view bytes, size_t at, size_t size)
{
    std::uint32_t value = 0;
    for (size_t i = size; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}
} // namespace

TEST(Win32ResourceTest, CarriesTheBuiltPayloadsUnderTheirNames)
{
    const std::string_view wave = programResource("ENDCOMP", ResourceType::Wave);
    EXPECT_EQ(wave, readBytes(FERROWIND_ENDCOMP_WAV));
    ASSERT_GE(wave.size(), 44u);
    EXPECT_EQ(wave.substr(0, 4), "RIFF");
    EXPECT_EQ(wave.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(little(wave, 20, 2), 1u); // PCM
    EXPECT_EQ(little(wave, 22, 2), 2u);
    EXPECT_EQ(little(wave, 24, 4), 44100u);
    EXPECT_EQ(little(wave, 34, 2), 16u);

    const std::string_view decompiler = programResource("DECOM", ResourceType::Data);
    EXPECT_EQ(decompiler, readBytes(FERROWIND_DECOM_PAYLOAD));
    ASSERT_GE(decompiler.size(), 2u);
    EXPECT_EQ(decompiler.substr(0, 2), "\x78\xDA");
}

TEST(Win32ResourceTest, AMissingOrMistypedResourceIsEmpty)
{
    EXPECT_TRUE(programResource("MISSING", ResourceType::Data).empty());
    EXPECT_TRUE(programResource("DECOM", ResourceType::Wave).empty());
    EXPECT_TRUE(programResource("ENDCOMP", ResourceType::Data).empty());
}

TEST(Win32SoundTest, PlaysToItsEndAndReportsOnce)
{
    Win32Sound sound;
    int finished = 0;
    sound.playCompletionSound([&] { ++finished; });
    EXPECT_EQ(finished, 1);
}
