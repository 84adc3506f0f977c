#pragma once

// The state options' lines of --help, made from one table for every program
// that reads them: the options of StateOptions(), in that order, each with
// its value and its text. A program fills in what it says of its own ranges.

#include <string>

namespace state {

// What one program says of the values it takes.
struct StateHelpRanges {
  std::string points;    // after "4 つの制御点": the coordinates' range
  std::string distance;  // after "オフセット距離": the distance's range
  std::string grabbed;   // what --grabbed does there
};

// The lines, each "  --name VALUE" with its text from the 23rd column (or
// on the next line when the option is longer), every line ending in "\n".
std::string StateOptionsHelp(const StateHelpRanges& ranges);

}  // namespace state
