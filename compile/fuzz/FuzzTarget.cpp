#include "compile/fuzz/HostileScripts.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

// Any problem is a finding: printed, then the process aborts so that libFuzzer keeps the input.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string scratch = [] {
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() / ("ferrowind-script-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        std::atexit([] {
            std::error_code error;
            std::filesystem::remove_all(
                std::filesystem::temp_directory_path() / ("ferrowind-script-fuzz-" + std::to_string(::getpid())),
                error);
        });
        return folder.string();
    }();
    const auto problems = ferrowind::fuzz::tryGenerators(ferrowind::fuzz::hostileValuesFrom({data, size}), scratch);
    for (const std::string& problem : problems)
        std::fprintf(stderr, "%s\n", problem.c_str());
    if (!problems.empty())
        std::abort();
    return 0;
}
