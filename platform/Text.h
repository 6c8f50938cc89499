#pragma once

#include <string>
#include <string_view>

// Byte-string helpers shared by the Qt-free code; strings hold the platform's narrow encoding.

// Drops leading and trailing blanks and control characters (every byte up to and including the blank).
std::string Trim(std::string_view text);

// ASCII lower case; other bytes are left alone.
std::string ToLowerAscii(std::string_view text);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix);

// Integer in decimal, or hexadecimal with a leading "0x" or "$", optionally signed; fallback otherwise.
int ParseIntOr(std::string_view text, int fallback);
