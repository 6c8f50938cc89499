#pragma once

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

// Expected outputs kept once under tests/golden/ and reviewed like code. Run the tests with
// FERROWIND_UPDATE_GOLDEN=1 (scripts/update-golden.sh) to rewrite them after a deliberate change.

inline std::string goldenPath(const std::string& name)
{
    return std::string(FERROWIND_SOURCE_DIR) + "/tests/golden/" + name;
}

// Lines as the program writes them: each one ended by CR LF.
inline std::string asWritten(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

inline void expectGolden(const std::string& name, const std::string& bytes)
{
    const char* update = std::getenv("FERROWIND_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        std::ofstream(goldenPath(name), std::ios::binary) << bytes;
        return;
    }
    EXPECT_EQ(readBytes(goldenPath(name)), bytes) << "differs from tests/golden/" << name;
}
