#include "ConvergencePlot.h"

#include <QBuffer>
#include <QImage>
#include <QPolygonF>
#include <QSvgGenerator>
#include <algorithm>

#include "PlotAxes.h"
#include "Tr.h"
#include "VectorSurface.h"

namespace surface {

using geometry::ConvergenceTable;

namespace {

using scene::plot::Layout;

void DrawSlope(QPainter& painter, const Layout& layout) {
  if (!layout.slope) return;
  painter.save();
  painter.setClipRect(ToQt(layout.area));
  painter.setPen(ToQt(layout.slopePen));
  painter.drawLine(ToQt((*layout.slope)[0]), ToQt((*layout.slope)[1]));
  painter.restore();
}

void DrawWindowCounts(QPainter& painter, const Layout& layout) {
  for (const scene::plot::CountMark& mark : layout.marks) {
    QFont font = painter.font();
    font.setBold(mark.label.style.bold);
    painter.save();
    painter.setFont(font);
    painter.setPen(ToQt(mark.pen));
    painter.drawLine(QPointF(mark.x, layout.area.top), QPointF(mark.x, layout.area.Bottom()));
    painter.setPen(ToQt(mark.label.colour));
    DrawPlotText(painter, mark.label);
    if (mark.ring) {
      painter.setPen(ToQt(mark.pen));
      painter.setBrush(Qt::NoBrush);
      painter.drawEllipse(ToQt(*mark.ring), scene::plot::kCountRingRadius,
                          scene::plot::kCountRingRadius);
    }
    painter.restore();
  }
}

// A row's mark at `at`: a filled dot, or a ring for a row whose sample count
// differs from n.
void DrawMark(QPainter& painter, const Layout& layout, QPointF at, scene::plot::LegendMark mark) {
  if (mark == scene::plot::LegendMark::kRing) {
    painter.setPen(ToQt(layout.ringPen));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, scene::plot::kQuirkRingRadius, scene::plot::kQuirkRingRadius);
  } else if (mark == scene::plot::LegendMark::kDot) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToQt(layout.dotColour));
    painter.drawEllipse(at, scene::plot::kDotRadius, scene::plot::kDotRadius);
  }
}

void DrawRows(QPainter& painter, const Layout& layout) {
  QPolygonF line;
  for (const scene::plot::Point& point : layout.line) line << ToQt(point);
  // The line only joins the points in order; the points carry the story.
  painter.setPen(ToQt(layout.linePen));
  painter.setBrush(Qt::NoBrush);
  painter.drawPolyline(line);
  for (const scene::plot::Dot& dot : layout.dots) {
    DrawMark(painter, layout, ToQt(dot.at),
             dot.quirk ? scene::plot::LegendMark::kRing : scene::plot::LegendMark::kDot);
  }
}

void DrawLegend(QPainter& painter, const Layout& layout) {
  painter.setPen(ToQt(layout.legendPen));
  painter.setBrush(ToQt(layout.legendFill));
  painter.drawRect(ToQt(layout.legendBox));
  for (const scene::plot::LegendEntry& entry : layout.legend) {
    const QPointF from = ToQt(entry.from), to = ToQt(entry.to);
    painter.setBrush(Qt::NoBrush);
    if (entry.line) {
      painter.setPen(ToQt(*entry.line));
      painter.drawLine(from, to);
    }
    DrawMark(
        painter, layout,
        ToQt(scene::plot::Point{(entry.from.x + entry.to.x) / 2, (entry.from.y + entry.to.y) / 2}),
        entry.mark);
    painter.setPen(ToQt(entry.text.colour));
    DrawPlotText(painter, entry.text);
  }
}

void DrawCaption(QPainter& painter, const Layout& layout) {
  for (const scene::plot::Text& line : layout.caption) {
    painter.setPen(ToQt(line.colour));
    DrawPlotText(painter, line);
  }
}

}  // namespace

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
  painter.fillRect(QRectF(QPointF(0, 0), logical), ToQt(scene::plot::kBackground));
  painter.setFont(PlotFont({}));
  const Layout layout =
      scene::plot::LayOut(table, ticked, logical.width(), logical.height(), PlotMeasure());
  DrawLogAxes(painter, layout);
  DrawSlope(painter, layout);
  DrawWindowCounts(painter, layout);
  DrawRows(painter, layout);
  DrawLegend(painter, layout);
  DrawCaption(painter, layout);
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
  generator.setTitle(QString::fromUtf8(i18n::Tr("長さの収束")));
  {
    QPainter painter(&generator);
    if (!painter.isActive()) return {};
    PaintConvergence(painter, QSizeF(kPlotWidth, kPlotHeight), table, ticked);
  }
  DeclarePixelSize(bytes, generator.size());
  return bytes;
}

}  // namespace surface
