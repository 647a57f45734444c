# Writes IN as a C++ source that defines the constant byte view embedded::SYMBOL (cmake -P).
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
# one escaped byte after another, in string pieces of eight bytes a line
string(REGEX REPLACE "([0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f])"
       "\\1\"\n\"" pieces "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${pieces}")
file(WRITE "${OUT}" "// made from ${IN} by cmake/EmbedFile.cmake\n#include <string_view>\nnamespace embedded {\nextern constexpr std::string_view ${SYMBOL}{\n\"${escaped}\", ${size}};\n}\n")
