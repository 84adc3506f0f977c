#pragma once

#include <QStringList>
#include <cstdio>

namespace cli {

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUnwritable = 1;
inline constexpr int kExitUsage = 2;

// The whole tool for `arguments` (program name first): reads `in` for
// --batch, writes the report or pictures to `out` and messages to `err`, and
// returns the exit code. Needs a QCoreApplication and nothing more.
int Run(const QStringList& arguments, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace cli
