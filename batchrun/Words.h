#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace batchrun {

// How command text is cut into words. Three rules exist side by side, as in the command interpreter:
// the program word, a program's own arguments, and the arguments of built-in commands.

// Blank characters between words: space and tab.
bool isBlank(char c);
// Characters that separate words of built-in commands: blanks, comma, semicolon, equals sign.
bool isDelimiter(char c);

std::string_view trimBlanks(std::string_view text);
std::string_view trimLeadingDelimiters(std::string_view text);

struct ProgramWord {
    std::string program; // without its quotes
    std::string arguments; // the rest of the text after the blanks that follow the program
};

// The first word is the program: quoted up to the next quote, otherwise up to a blank. Backslashes are
// plain characters there.
ProgramWord splitProgramWord(std::string_view text);

// A program's arguments by the Windows rules: blanks separate outside quotes; 2n backslashes before a
// quote give n backslashes and the quote toggles quoting; 2n+1 give n backslashes and a literal quote;
// other backslashes are literal; "" inside quotes gives a literal quote and quoting goes on.
std::vector<std::string> splitProgramArguments(std::string_view text);

// Words of a built-in command (copy, del, shutdown): delimiters separate outside quotes; quotes group and are
// kept, so that a quoted "/x" stays a path.
std::vector<std::string> splitCommandWords(std::string_view text);

// An unquoted "/X" or "/-X" word.
bool isSwitch(std::string_view word);

// Removes every double quote.
std::string withoutQuotes(std::string_view text);

} // namespace batchrun
