#pragma once

#include <cstdio>
#include <span>
#include <string>

namespace cli {

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUnwritable = 1;
inline constexpr int kExitUsage = 2;

// The whole tool for `arguments` (program name first, each as its bytes):
// reads `in` for --batch, writes the report or pictures to `out` and messages
// to `err`, and returns the exit code. Needs no Qt: the pictures come from
// the picture module (Pictures.h), loaded only when one is asked for.
int Run(std::span<const std::string> arguments, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace cli
