#pragma once

// The state's rules that need no Qt, for the desktop programs and the page
// alike: the window's reach, the one-line form of a state, the state in a
// page's address fragment, and how a value is quoted in a message.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "Language.h"
#include "Pointer.h"
#include "Scene.h"
#include "UsageError.h"

namespace state {

// The window's reach (scene/Pointer.h): a dragged point's coordinates and the
// scroll bar's distances.
using scene::kDistanceHigh;
using scene::kDistanceLow;
using scene::kReachHigh;
using scene::kReachLow;

// The division counts written as a list, "10, 100, 1000, 10000".
std::string DivisionCountList();

// Nothing when the window can show `state`, else which limit it passes.
std::optional<UsageError> CheckWindowReach(const scene::State& state);
// The distance part alone: an integer the scroll bar can take.
std::optional<UsageError> CheckWindowDistance(float distance);

// Whether two states show the same picture and report in the window, which
// holds no grabbed point between events: everything but grabIndex.
bool SameWindowState(const scene::State& a, const scene::State& b);

// A value as it is quoted in a message: one line, its first 60 UTF-16 units
// (a character that straddles the 60th whole), then "…" when there is more;
// control characters and bytes that are no UTF-8 as \xhh.
std::string Shown(std::string_view value);

// `text` without the white space at its ends: ASCII's, the next line
// character, and Unicode's space, line and paragraph separators (no-break and
// ideographic spaces among them), the characters a text field trims.
std::string_view Trimmed(std::string_view text);

// The largest state text read: a state file, a paste, a line of batch input.
// A state is a few hundred bytes; the report tool's JSON with its 501 vertices
// and analysis stays far below this. Anything larger is refused unread.
inline constexpr std::size_t kLargestStateText = std::size_t{1} << 20;

// The limit as the messages that refuse something larger name it: "1 MiB".
std::string LargestStateTextShown();

// A pasted text before it is read: nothing when it may be, else why not
// (larger than kLargestStateText, or nothing but white space).
std::optional<UsageError> CheckPastedText(std::string_view text);

// A state file's refusals, the file named as `shown` (Shown of its path or
// name): larger than kLargestStateText, or `error` in its text.
UsageError StateFileTooLarge(std::string_view shown);
UsageError InStateFile(std::string_view shown, const UsageError& error);
// A state file's state as the window takes it: nothing when the window can
// show it, else CheckWindowReach's refusal with the file named, as every other
// refusal of a state file names it.
std::optional<UsageError> CheckFileWindowReach(std::string_view shown, const scene::State& state);

// The shortest decimal that reads back as the same single-precision value.
std::string Decimal(float value);

// The state as one line of options that both programs accept.
std::string StateLineText(const scene::State& state);

// The state in a page's address fragment, in the state file's names:
//   points=20,200,90,15,240,30,130,250&divisions=10,1000&approximate=1&accurate=0&distance=12
// A missing member keeps the start value. A member that cannot be read is
// refused by name, and a state the window cannot reach as CheckWindowReach
// says. The link may also carry the page's language, "&lang=en" or
// "&lang=ja", which is not part of the state: FragmentOf writes it last when
// given one, ParseFragment passes over it and FragmentLanguage reads it
// (nothing when the link names none).
std::string FragmentOf(const scene::State& state,
                       std::optional<i18n::Language> language = std::nullopt);
std::variant<scene::State, UsageError> ParseFragment(std::string_view fragment);
std::variant<std::optional<i18n::Language>, UsageError> FragmentLanguage(std::string_view fragment);

}  // namespace state
