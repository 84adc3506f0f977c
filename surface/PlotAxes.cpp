#include "PlotAxes.h"

#include <QFontMetricsF>
#include <QString>

#include "Tr.h"

namespace surface {

namespace {

// At most this many labelled decades on the error axis; more are thinned.
constexpr int kMostErrorLabels = 8;

// "10" with the exponent raised, right-aligned at `right`, centred on `y`.
void DrawPower(QPainter& painter, double right, double y, int exponent) {
  const QFont base = painter.font();
  QFont small = base;
  small.setPixelSize(kPlotSmallPixels - 1);
  const QString power =
      exponent < 0 ? QString(u'−') + QString::number(-exponent) : QString::number(exponent);
  const double powerWidth = QFontMetricsF(small).horizontalAdvance(power);
  const double tenWidth = QFontMetricsF(base).horizontalAdvance(QStringLiteral("10"));
  const double baseline = y + QFontMetricsF(base).ascent() / 2 - 1;
  painter.drawText(QPointF(right - powerWidth - tenWidth, baseline), QStringLiteral("10"));
  painter.setFont(small);
  painter.drawText(QPointF(right - powerWidth, baseline - kPlotFontPixels / 2.0), power);
  painter.setFont(base);
}

}  // namespace

void DrawLogAxes(QPainter& painter, const LogAxes& axes) {
  const QRectF& a = axes.area;
  painter.setPen(QPen(QColor(0xE0, 0xE0, 0xE0), 1));
  const int step = (axes.high - axes.low + kMostErrorLabels - 1) / kMostErrorLabels;
  for (int k = 0; k <= LogAxes::kDecadesOfN; ++k) {
    painter.drawLine(QPointF(axes.X(std::pow(10.0, k)), a.top()),
                     QPointF(axes.X(std::pow(10.0, k)), a.bottom()));
  }
  for (int e = axes.low; e <= axes.high; ++e) {
    painter.drawLine(QPointF(a.left(), axes.Y(std::pow(10.0, e))),
                     QPointF(a.right(), axes.Y(std::pow(10.0, e))));
  }
  painter.setPen(QPen(Qt::black, 1));
  painter.drawRect(a);
  const QFontMetricsF metrics(painter.font());
  for (int k = 0; k <= LogAxes::kDecadesOfN; ++k) {
    const QString label = QString::number(std::pow(10.0, k), 'f', 0);
    const double x = axes.X(std::pow(10.0, k)) - metrics.horizontalAdvance(label) / 2;
    painter.drawText(QPointF(x, a.bottom() + metrics.height()), label);
  }
  for (int e = axes.high; e >= axes.low; e -= step) {
    DrawPower(painter, a.left() - 4, axes.Y(std::pow(10.0, e)), e);
  }
  const QString xTitle = QString::fromUtf8(i18n::Tr("分割数 n"));
  painter.drawText(QPointF(a.center().x() - metrics.horizontalAdvance(xTitle) / 2,
                           a.bottom() + 2 * metrics.height() + 2),
                   xTitle);
  const QString yTitle = QString::fromUtf8(i18n::Tr("相対誤差 |L − 真の長さ| ÷ 真の長さ"));
  painter.save();
  painter.translate(metrics.height(), a.center().y() + metrics.horizontalAdvance(yTitle) / 2);
  painter.rotate(-90);
  painter.drawText(QPointF(0, 0), yTitle);
  painter.restore();
}

}  // namespace surface
