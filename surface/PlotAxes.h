#pragma once

// The log-log axes of the convergence plot: n from 10^0 to 10^5 across, the
// absolute relative error from 10^low to 10^high up, with a grid, labelled
// decades and Japanese axis titles.

#include <QPainter>
#include <QRectF>
#include <cmath>

namespace surface {

// The plot's text sizes in design pixels (640 x 400).
inline constexpr int kPlotFontPixels = 12;
inline constexpr int kPlotSmallPixels = 10;

struct LogAxes {
  static constexpr int kDecadesOfN = 5;  // the table's range of n

  QRectF area;   // the plotting area
  int low = -6;  // the error axis spans 10^low .. 10^high
  int high = 0;

  double X(double n) const { return area.left() + std::log10(n) / kDecadesOfN * area.width(); }
  double Y(double e) const {
    return area.bottom() - (std::log10(e) - low) / (high - low) * area.height();
  }
};

// The grid, the frame, the decade labels (powers of ten up the side, every
// decade or, past eight, every few) and the two axis titles, in the painter's font.
void DrawLogAxes(QPainter& painter, const LogAxes& axes);

}  // namespace surface
