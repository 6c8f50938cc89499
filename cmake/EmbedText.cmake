# Turns a text file into a C++ source holding its bytes, so that a program carries its data inside itself:
#   cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DNAMESPACE=<ns> -DSYMBOL=<name> -P EmbedText.cmake
# defines `const std::string_view <ns>::<name>` over the bytes (as an array: string literals have length limits).
file(READ ${INPUT} bytes HEX)
string(LENGTH "${bytes}" length)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," array "${bytes}")
string(REGEX REPLACE "(('\\\\x[0-9a-f][0-9a-f]',){16})" "\\1\n    " array "${array}")
math(EXPR size "${length} / 2")
file(WRITE ${OUTPUT}.tmp "// Made from ${INPUT} at build time.\n#include <string_view>\n\nnamespace ${NAMESPACE} {\n"
  "namespace {\nconst char bytes[${size} + 1] = {\n    ${array}'\\0'};\n}\n"
  "extern const std::string_view ${SYMBOL};\nconst std::string_view ${SYMBOL}(bytes, ${size});\n} // namespace ${NAMESPACE}\n")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
