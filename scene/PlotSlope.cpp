#include "PlotSlope.h"

#include <algorithm>
#include <vector>

namespace scene::plot {

namespace {

using geometry::ConvergenceRow;

// Below this relative error a sum is lost in the rounding of its single-
// precision parameter and samples (16 units of the last place of 1): such
// rows no longer fall with n, and they would drag the line down.
constexpr double kFloor = 16.0 / (1 << 24);

// The least-squares slope of log |e| against log n, at least three rows.
std::optional<double> LogSlope(const std::vector<const ConvergenceRow*>& rows) {
  if (rows.size() < 3) return std::nullopt;
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (const ConvergenceRow* row : rows) {
    const double x = std::log10(row->divisions), y = std::log10(std::fabs(*row->relativeError));
    sx += x;
    sy += y;
    sxx += x * x;
    sxy += x * y;
  }
  const double count = static_cast<double>(rows.size());
  const double spread = count * sxx - sx * sx;
  if (!(spread > 0)) return std::nullopt;
  return (count * sxy - sx * sy) / spread;
}

// The median of n |e| over `rows`.
double MedianConstant(const std::vector<const ConvergenceRow*>& rows) {
  std::vector<double> c;
  c.reserve(rows.size());
  for (const ConvergenceRow* row : rows)
    c.push_back(row->divisions * std::fabs(*row->relativeError));
  std::sort(c.begin(), c.end());
  const std::size_t middle = c.size() / 2;
  return c.size() % 2 == 1 ? c[middle] : (c[middle - 1] + c[middle]) / 2;
}

}  // namespace

// The rows above the floor fall in two families: the full sums (samples = n),
// whose error falls as 1/n or, for a symmetric curve, as 1/n^2, and the sums
// that stop a sample early, whose error is about the missing last piece and
// so falls as 1/n. The line goes through the median of n |e| of the first
// family that falls as 1/n (a fitted slope between -1.25 and -0.75), the full
// sums first; when neither does, through that of all those rows.
std::optional<double> SlopeConstant(const geometry::ConvergenceTable& table) {
  std::vector<const ConvergenceRow*> full, short_, all;
  for (const ConvergenceRow& row : table.rows) {
    if (!Showable(row) || std::fabs(*row.relativeError) < kFloor) continue;
    (Quirk(row) ? short_ : full).push_back(&row);
    all.push_back(&row);
  }
  if (all.empty()) return std::nullopt;
  for (const std::vector<const ConvergenceRow*>* family : {&full, &short_}) {
    const std::optional<double> slope = LogSlope(*family);
    if (slope && *slope > -1.25 && *slope < -0.75) return MedianConstant(*family);
  }
  return MedianConstant(all);
}

}  // namespace scene::plot
