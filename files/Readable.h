#pragma once

// Bytes as text for a message: valid UTF-8 as it is, anything else readable
// on one line. No system calls, so that the page's messages use it too.

#include <cstddef>
#include <string>
#include <string_view>

namespace files {

// How many bytes the valid UTF-8 character at the start of `bytes` takes, or 0
// when it does not start with one (a stray byte, an overlong form, a
// surrogate, a code point beyond U+10FFFF, a cut-off sequence).
std::size_t Utf8Length(std::string_view bytes);

// `bytes` readable on one line: valid UTF-8 as it is, other bytes and control
// characters as \xhh.
std::string Readable(std::string_view bytes);

}  // namespace files
