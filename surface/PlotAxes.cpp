#include "PlotAxes.h"

#include <QFontMetricsF>
#include <QString>

#include "Fonts.h"

namespace surface {

using scene::plot::Layout;
using scene::plot::Text;
using scene::plot::TextStyle;

QFont PlotFont(TextStyle style) {
  QFont font = JapaneseFont(style.pixels);
  if (style.bold) font.setBold(true);
  return font;
}

scene::plot::Measure PlotMeasure() {
  return {[](const std::string& text, TextStyle style) {
            return QFontMetricsF(PlotFont(style)).horizontalAdvance(QString::fromStdString(text));
          },
          [](TextStyle style) { return QFontMetricsF(PlotFont(style)).height(); },
          [](TextStyle style) { return QFontMetricsF(PlotFont(style)).ascent(); }};
}

void DrawPlotText(QPainter& painter, const Text& text) {
  if (!text.rotated) {
    painter.drawText(ToQt(text.at), QString::fromStdString(text.text));
    return;
  }
  painter.save();
  painter.translate(ToQt(text.at));
  painter.rotate(-90);
  painter.drawText(QPointF(0, 0), QString::fromStdString(text.text));
  painter.restore();
}

void DrawLogAxes(QPainter& painter, const Layout& layout) {
  const QRectF a = ToQt(layout.area);
  painter.setPen(ToQt(layout.gridPen));
  for (double x : layout.gridX) painter.drawLine(QPointF(x, a.top()), QPointF(x, a.bottom()));
  for (double y : layout.gridY) painter.drawLine(QPointF(a.left(), y), QPointF(a.right(), y));
  painter.setPen(ToQt(layout.framePen));
  painter.drawRect(a);
  for (const Text& label : layout.xLabels) DrawPlotText(painter, label);
  // The decade labels come in pairs: "10" in the base font, its exponent smaller.
  const QFont base = painter.font();
  for (const Text& label : layout.yLabels) {
    if (label.style.pixels != base.pixelSize()) painter.setFont(PlotFont(label.style));
    DrawPlotText(painter, label);
    if (label.style.pixels != base.pixelSize()) painter.setFont(base);
  }
  DrawPlotText(painter, layout.xTitle);
  DrawPlotText(painter, layout.yTitle);
}

}  // namespace surface
