#pragma once

// Command-line arguments as text that gives their bytes back. A path may hold
// bytes that are no UTF-8 (a name written under a Latin-1 locale): each such
// byte becomes one of the unpaired surrogates U+DC80..U+DCFF, which valid
// UTF-8 never decodes to, so the option parser sees the text and a file is
// still opened by exactly the bytes it was given.

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

namespace state {

QString FromBytes(std::string_view bytes);

// The bytes `text` came from (UTF-8 for text that did not come from bytes).
std::string ToBytes(const QString& text);

// argv[0] to argv[argc - 1], each through FromBytes.
QStringList Arguments(int argc, const char* const* argv);

// The arguments after the program name, each through ToBytes: what the
// option rules read.
std::vector<std::string> OptionBytes(const QStringList& arguments);

}  // namespace state
