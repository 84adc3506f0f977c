# Writes the bytes of INPUT as a C++ array named NAME (with NAME_SIZE) in
# namespace i18n to OUTPUT.
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.
#include <cstddef>
namespace i18n {
extern const unsigned char ${NAME}[];
extern const std::size_t ${NAME}Size;
const unsigned char ${NAME}[] = {${bytes}};
const std::size_t ${NAME}Size = ${size};
}  // namespace i18n
")
