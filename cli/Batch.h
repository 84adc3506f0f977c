#pragma once

// --batch: one state per input line, one JSON object per output line, in
// order. A bad line gives an object with its error, and the lines after it
// are read as usual; so is a line longer than a state file may be (1 MiB),
// which is never held whole. Blank lines and comment lines (the first character that
// is not blank is `#`) give nothing, but count for the line numbers.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "FanOutSurface.h"
#include "Pointer.h"

namespace cli {

class BatchRunner {
 public:
  // The compact JSON object, without a line end, for input line `number`
  // (counted from 1) with the text `line` (without its line end).
  std::string Line(std::string_view line, std::int64_t number);

 private:
  // No picture is written: the scene draws on nothing.
  drawing::FanOutSurface nothing_{scene::kAreaSize, scene::kAreaSize};
};

// Reads `in` to its end and writes to `out`. Returns nothing, or the one
// line that says why the run ended early: `in` could not be read (after the
// objects of the lines read before were written) or `out` not written.
std::optional<std::string> RunBatch(std::FILE* in, std::FILE* out);

}  // namespace cli
