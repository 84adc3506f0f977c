// libFuzzer target for the states that arrive from other people: the bytes of
// a state file (opened from a file manager) and a pasted text. Each goes
// through the function the programs use (ParseStateFile, ParseStateText);
// a refusal must be one non-empty line, and an accepted state, written back
// out as a file and as a line, must read back as itself.

#include <QByteArray>
#include <QString>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

#include "FuzzCheck.h"
#include "StateFile.h"

namespace {

using fuzz::Require;
using Parsed = std::variant<scene::State, state::UsageError>;

// The same state, the distance to the bit (a zero's sign included).
bool Same(const scene::State& a, const scene::State& b) {
  return state::SameWindowState(a, b) && a.grabIndex == b.grabIndex &&
         std::bit_cast<std::uint32_t>(a.dist) == std::bit_cast<std::uint32_t>(b.dist);
}

// A refusal's message is one line; an accepted state survives both of its
// written forms.
void Check(const Parsed& parsed, const char* source) {
  if (const auto* error = std::get_if<state::UsageError>(&parsed)) {
    Require(!error->message.empty() && error->message.find('\n') == std::string::npos, source);
    return;
  }
  const scene::State& first = std::get<scene::State>(parsed);
  const Parsed file = state::ParseStateFile(state::StateFileBytes(first));
  Require(std::holds_alternative<scene::State>(file) && Same(std::get<scene::State>(file), first),
          "an accepted state, written as a file, does not read back as itself");
  const Parsed line = state::ParseStateText(state::StateLine(first));
  Require(std::holds_alternative<scene::State>(line) && Same(std::get<scene::State>(line), first),
          "an accepted state, written as a line, does not read back as itself");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  Check(state::ParseStateFile(bytes), "state file: a refusal that is not one line");
  Check(state::ParseStateText(QString::fromUtf8(bytes)), "paste: a refusal that is not one line");
  return 0;
}
