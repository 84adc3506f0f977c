#include "ConvergencePlot.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPolygonF>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "Fonts.h"
#include "PlotAxes.h"
#include "Tr.h"
#include "VectorSurface.h"

namespace surface {

namespace {

using geometry::ConvergenceRow;
using geometry::ConvergenceTable;

// Margins of the plotting area in the 640 x 400 design: room for the decade
// labels and axis titles, the labels of the window's counts above the area,
// and two caption lines below.
constexpr double kLeft = 72, kRight = 24, kTop = 30, kBottom = 78;

constexpr std::array<double, 4> kWindowCounts{10, 100, 1000, 10000};
constexpr std::array<const char*, 4> kWindowLabels{i18n::Mark("10分割"), i18n::Mark("100分割"),
                                                   i18n::Mark("1000分割"), i18n::Mark("10000分割")};

QString Text(const char* japanese) { return QString::fromUtf8(i18n::Tr(japanese)); }

const QColor kLineColour(0x20, 0x40, 0xA0);
const QColor kQuirkColour(0xD0, 0x20, 0x20);
const QColor kTickedColour(0xE0, 0x80, 0x00);
const QColor kUntickedColour(0x90, 0x90, 0x90);
const QColor kSlopeColour(0x30, 0x90, 0x30);

bool Showable(const ConvergenceRow& row) {
  return row.relativeError && std::isfinite(*row.relativeError) && *row.relativeError != 0;
}

bool Quirk(const ConvergenceRow& row) { return static_cast<double>(row.samples) != row.divisions; }

QPointF At(const LogAxes& axes, const ConvergenceRow& row) {
  return {axes.X(row.divisions), axes.Y(std::fabs(*row.relativeError))};
}

LogAxes AxesFor(const ConvergenceTable& table, QSizeF size) {
  LogAxes axes;
  axes.area = QRectF(kLeft, kTop, size.width() - kLeft - kRight, size.height() - kTop - kBottom);
  double least = INFINITY, most = 0;
  for (const ConvergenceRow& row : table.rows) {
    if (!Showable(row)) continue;
    least = std::min(least, std::fabs(*row.relativeError));
    most = std::max(most, std::fabs(*row.relativeError));
  }
  if (most > 0) {
    axes.low = static_cast<int>(std::floor(std::log10(least)));
    axes.high = std::max(static_cast<int>(std::ceil(std::log10(most))), axes.low + 1);
  }
  return axes;
}

// The reference line e = c / n through the last full row (samples = n) that
// can be shown, or through the last showable row.
void DrawSlope(QPainter& painter, const LogAxes& axes, const ConvergenceTable& table) {
  const ConvergenceRow* anchor = nullptr;
  for (const ConvergenceRow& row : table.rows) {
    if (Showable(row) && (anchor == nullptr || !Quirk(row) || Quirk(*anchor))) anchor = &row;
  }
  if (anchor == nullptr) return;
  const double c = std::fabs(*anchor->relativeError) * anchor->divisions;
  painter.save();
  painter.setClipRect(axes.area);
  painter.setPen(QPen(kSlopeColour, 1, Qt::DashLine));
  painter.drawLine(QPointF(axes.X(1), axes.Y(c)), QPointF(axes.X(1e5), axes.Y(c / 1e5)));
  painter.restore();
}

void DrawWindowCounts(QPainter& painter, const LogAxes& axes, const ConvergenceTable& table,
                      const Ticked& ticked) {
  for (std::size_t i = 0; i < kWindowCounts.size(); ++i) {
    const double x = axes.X(kWindowCounts[i]);
    QFont font = painter.font();
    font.setBold(ticked[i]);
    painter.save();
    painter.setFont(font);
    painter.setPen(ticked[i] ? QPen(kTickedColour, 2) : QPen(kUntickedColour, 1, Qt::DashLine));
    painter.drawLine(QPointF(x, axes.area.top()), QPointF(x, axes.area.bottom()));
    const QString label = Text(kWindowLabels[i]);
    const double width = QFontMetricsF(font).horizontalAdvance(label);
    painter.setPen(ticked[i] ? kTickedColour.darker(130) : kUntickedColour.darker(150));
    painter.drawText(QPointF(x - width / 2, axes.area.top() - 8), label);
    for (const ConvergenceRow& row : table.rows) {
      if (row.divisions != kWindowCounts[i] || !Showable(row) || !ticked[i]) continue;
      painter.setPen(QPen(kTickedColour, 2));
      painter.setBrush(Qt::NoBrush);
      painter.drawEllipse(At(axes, row), 7, 7);
    }
    painter.restore();
  }
}

void DrawRows(QPainter& painter, const LogAxes& axes, const ConvergenceTable& table) {
  QPolygonF line;
  for (const ConvergenceRow& row : table.rows) {
    if (Showable(row)) line << At(axes, row);
  }
  // The line only joins the points in order; the points carry the story.
  painter.setPen(QPen(kLineColour.lighter(170), 0.8));
  painter.setBrush(Qt::NoBrush);
  painter.drawPolyline(line);
  for (const ConvergenceRow& row : table.rows) {
    if (!Showable(row)) continue;
    if (Quirk(row)) {
      painter.setPen(QPen(kQuirkColour, 1.5));
      painter.setBrush(Qt::NoBrush);
      painter.drawEllipse(At(axes, row), 4, 4);
    } else {
      painter.setPen(Qt::NoPen);
      painter.setBrush(kLineColour);
      painter.drawEllipse(At(axes, row), 1.8, 1.8);
    }
  }
}

void DrawLegend(QPainter& painter, const LogAxes& axes) {
  const QFontMetricsF metrics(painter.font());
  const QString texts[] = {Text(i18n::Mark("和の相対誤差")),
                           Text(i18n::Mark("標本数 ≠ n の和（99点 など）")),
                           Text(i18n::Mark("傾き −1（誤差 ∝ 1/n）"))};
  double width = 0;
  for (const QString& text : texts) width = std::max(width, metrics.horizontalAdvance(text));
  const double line = metrics.height() + 2;
  const QRectF box(axes.area.right() - width - 40, axes.area.top() + 6, width + 34, 3 * line + 6);
  painter.setPen(QPen(kUntickedColour, 1));
  painter.setBrush(QColor(255, 255, 255, 230));
  painter.drawRect(box);
  for (int i = 0; i < 3; ++i) {
    const double y = box.top() + 3 + line * (i + 0.5);
    const QPointF from(box.left() + 6, y), to(box.left() + 24, y);
    painter.setBrush(Qt::NoBrush);
    if (i == 0) {
      painter.setPen(QPen(kLineColour.lighter(170), 0.8));
      painter.drawLine(from, to);
      painter.setPen(Qt::NoPen);
      painter.setBrush(kLineColour);
      painter.drawEllipse((from + to) / 2, 1.8, 1.8);
    } else if (i == 1) {
      painter.setPen(QPen(kQuirkColour, 1.5));
      painter.drawEllipse((from + to) / 2, 4, 4);
    } else {
      painter.setPen(QPen(kSlopeColour, 1, Qt::DashLine));
      painter.drawLine(from, to);
    }
    painter.setPen(Qt::black);
    painter.drawText(QPointF(to.x() + 6, y + metrics.ascent() / 2 - 1), texts[i]);
  }
}

void DrawCaption(QPainter& painter, QSizeF size, const ConvergenceTable& table) {
  const PlotCounts counts = CountRows(table);
  QString reference;
  for (std::size_t i = 0; i < table.P.size(); ++i) {
    reference += QStringLiteral("P(%1) = (%2, %3)   ").arg(i).arg(table.P[i].x).arg(table.P[i].y);
  }
  reference +=
      Text(i18n::Mark("真の長さ（参照値）")) + QStringLiteral(" = ") +
      (std::isfinite(table.referenceLength) ? QString::number(table.referenceLength, 'f', 4)
                                            : Text(i18n::Mark("求められません")));
  if (!table.referenceConverged) reference += Text(i18n::Mark("（精度未達）"));
  const QString points = Text(i18n::Mark("点 %1 個（うち標本数 ≠ n %2 個）。描けない行 %3 個"
                                         "（誤差 0: %4、計算の失敗: %5）"))
                             .arg(counts.shown)
                             .arg(counts.quirks)
                             .arg(counts.zero + counts.failed)
                             .arg(counts.zero)
                             .arg(counts.failed);
  const QFontMetricsF metrics(painter.font());
  painter.setPen(Qt::black);
  painter.drawText(QPointF(kLeft, size.height() - 8 - metrics.height()), reference);
  painter.drawText(QPointF(kLeft, size.height() - 8), points);
}

}  // namespace

PlotCounts CountRows(const ConvergenceTable& table) {
  PlotCounts counts;
  for (const ConvergenceRow& row : table.rows) {
    if (Showable(row)) {
      ++counts.shown;
      if (Quirk(row)) ++counts.quirks;
    } else if (row.absoluteError && *row.absoluteError == 0) {
      ++counts.zero;
    } else {
      ++counts.failed;
    }
  }
  return counts;
}

void PaintConvergence(QPainter& painter, QSizeF size, const ConvergenceTable& table,
                      const Ticked& ticked) {
  // The design is 640 x 400; a larger or smaller target scales it evenly and
  // gives the plotting area whatever room is left in the other direction.
  const double scale = std::min(size.width() / kPlotWidth, size.height() / kPlotHeight);
  if (!(scale > 0)) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(scale, scale);
  const QSizeF logical = size / scale;
  painter.fillRect(QRectF(QPointF(0, 0), logical), Qt::white);
  painter.setFont(JapaneseFont(kPlotFontPixels));
  const LogAxes axes = AxesFor(table, logical);
  DrawLogAxes(painter, axes);
  DrawSlope(painter, axes, table);
  DrawWindowCounts(painter, axes, table, ticked);
  DrawRows(painter, axes, table);
  DrawLegend(painter, axes);
  DrawCaption(painter, logical, table);
  painter.restore();
}

QByteArray ConvergencePng(const ConvergenceTable& table, const Ticked& ticked, int scale) {
  QImage image(kPlotWidth * scale, kPlotHeight * scale, QImage::Format_RGB32);
  {
    QPainter painter(&image);
    PaintConvergence(painter, image.size(), table, ticked);
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

QByteArray ConvergenceSvg(const ConvergenceTable& table, const Ticked& ticked, int scale) {
  constexpr int kDotsPerInch = 96;
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  // Like the scene's SVG: the same drawing in 640 x 400 user units, only its
  // width and height are `scale` times larger.
  generator.setSize(QSize(kPlotWidth * scale, kPlotHeight * scale));
  generator.setViewBox(QRect(0, 0, kPlotWidth, kPlotHeight));
  generator.setResolution(kDotsPerInch);
  generator.setTitle(Text(i18n::Mark("長さの収束")));
  {
    QPainter painter(&generator);
    if (!painter.isActive()) return {};
    PaintConvergence(painter, QSizeF(kPlotWidth, kPlotHeight), table, ticked);
  }
  DeclarePixelSize(bytes, generator.size());
  return bytes;
}

}  // namespace surface
