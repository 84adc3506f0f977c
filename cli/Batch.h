#pragma once

// --batch: one state per input line, one JSON object per output line, in
// order. A bad line gives an object with its error, and the lines after it
// are read as usual.

#include <QByteArray>
#include <cstdio>
#include <string_view>

#include "FanOutSurface.h"

namespace cli {

class BatchRunner {
 public:
  // The compact JSON object, without a line end, for input line `number`
  // (counted from 1) with the text `line` (without its line end).
  QByteArray Line(std::string_view line, qint64 number);

 private:
  // No picture is written: the scene draws on nothing.
  drawing::FanOutSurface nothing_{260, 260};
};

// Reads `in` to its end and writes to `out`. Returns 0, or 1 when `out`
// could not be written.
int RunBatch(std::FILE* in, std::FILE* out);

}  // namespace cli
