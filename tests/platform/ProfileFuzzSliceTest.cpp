// A short, seeded run of the fuzz entry over mutated configuration files; the full run is
// platform/fuzz/run_fuzz.sh.
#include "platform/fuzz/ProfileExercise.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

constexpr int kMutations = 4000;

TEST(ProfileFuzzSlice, MutatedFilesKeepTheirBytesAndReadBackWhatIsWritten)
{
    const std::string seeds[] = {
        "[GSPATH]\r\nCSG=/hl/csg\r\n; kept\r\n[SPATH]\r\nBin = \"/hl2/bin\"\r\n\r\n[SYSTEMS]\r\nTextColor=0x0C\r\n",
        "\xEF\xBB\xBF[GSPATH]\rCSG=/hl/csg\r[A]\rk=1",
        "[a]\nk\n=\n[\n]\n;k=2\n  [ A ]  \n k = \" v \" \n",
        std::string("\xFF\xFE[\0A\0]\0", 8),
    };
    std::mt19937 rng(20240602);
    const auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
    static constexpr char kAlphabet[] = "[]=;\"' \t\r\n\xEF\xBB\xBF\xFF\xFE\0ACGKPSkv/";
    const std::string alphabet(kAlphabet, sizeof kAlphabet - 1);
    for (int i = 0; i < kMutations; ++i) {
        std::string bytes = seeds[pick(std::size(seeds))];
        for (size_t step = 0, steps = 1 + pick(6); step < steps; ++step) {
            const size_t at = pick(bytes.size() + 1);
            const char c = alphabet[pick(alphabet.size())];
            switch (pick(3)) {
            case 0: bytes.insert(at, 1, c); break;
            case 1:
                if (at < bytes.size())
                    bytes.erase(at, 1);
                break;
            default:
                if (at < bytes.size())
                    bytes[at] = c;
                break;
            }
        }
        EXPECT_EQ(ferrowind::fuzz::profileProblem(bytes), "") << "mutation " << i;
    }
}

} // namespace
