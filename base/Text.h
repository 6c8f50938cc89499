#pragma once

#include <string>
#include <string_view>

// Byte-string helpers shared by every program; strings hold the platform's narrow encoding.
namespace base {

// Drops leading and trailing blanks and control characters (every byte up to and including the blank).
std::string trim(std::string_view text);

// ASCII lower case; other bytes are left alone.
std::string toLowerAscii(std::string_view text);
std::string toUpperAscii(std::string_view text);

bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool endsWithIgnoringCase(std::string_view text, std::string_view suffix);

// Integer in decimal, or hexadecimal with a leading "0x" or "$", optionally signed; fallback otherwise.
int parseIntOr(std::string_view text, int fallback);

} // namespace base
