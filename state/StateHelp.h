#pragma once

// The lines of --help for the options of the one table every program reads
// with: the state options of StateOptions(), in that order, each with its
// value and its text, and those of CommonOptions(). A program fills in what
// it says of its own ranges.

#include <string>

namespace state {

// What one program says of the values it takes.
struct StateHelpRanges {
  std::string points;    // after "4 つの制御点": the coordinates' range
  std::string distance;  // after "オフセット距離": the distance's range
  std::string grabbed;   // what --grabbed does there
};

// What the report tool says: its ranges are those of the computation.
StateHelpRanges ToolRanges();
// What the window says: the ranges of its reach.
StateHelpRanges WindowRanges();

// The lines, each "  --name VALUE" with its text from the 23rd column (or
// on the next line when the option is longer), every line ending in "\n".
std::string StateOptionsHelp(const StateHelpRanges& ranges);

// The lines of CommonOptions() (--language, -h, --help, --version), laid out
// the same way; `languageNote`, when not empty, is a last line of --language's
// text, for what a program's language leaves alone.
std::string CommonOptionsHelp(const std::string& languageNote = {});

}  // namespace state
