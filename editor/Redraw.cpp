// The window's state, its redraw of scene and report, and the two offset-curve
// drawing procedures.

#include <string>

#include "Arithmetic.h"
#include "OffsetCurves.h"
#include "Report.h"
#include "Vendrel.h"
#include "main.h"

namespace editor {

namespace {

// The redraw's error rule, written once: a step that raises the program's
// error is abandoned and the redraw goes on with the next step.
template <class Step>
void Attempt(Step&& step) {
  try {
    step();
  } catch (const geometry::Error&) {
  }
}

bool Ticked(const QCheckBox* box) { return box->isChecked(); }

}  // namespace

void main::Form_Load() {
  grabIndex = kStartGrabIndex;
  P = kStartPoints;
  Redraw();
}

void main::Redraw() {
  std::string report;
  double total = 0;

  Picture1->Cls();
  const QString savedCaption = windowTitle();
  setWindowTitle(QString::fromUtf8(kBusyCaption));
  Picture1->ForeColor(kCurveColour);
  Picture1->DrawWidth(1);

  for (int i = 0; i <= 3; ++i) {
    Picture1->FillStyle(grabIndex == i ? surface::kFillSolid : surface::kFillTransparent);
    Picture1->Circle(static_cast<float>(P[i].x), static_cast<float>(P[i].y), 3);
    if (i > 0) {
      Picture1->Line(static_cast<float>(P[i - 1].x), static_cast<float>(P[i - 1].y),
                     static_cast<float>(P[i].x), static_cast<float>(P[i].y), kPolygonColour);
    }
    report += ControlPointLine(i, P[i]);
  }
  Picture1->FillStyle(surface::kFillTransparent);
  report += kEmptyLine;

  for (int i = 1; i <= 3; ++i) {
    Attempt([&] {
      const double d = ChordLength(P, i);
      total += d;
      report += ChordLine(i, d);
    });
  }
  Attempt([&] { report += TotalLine(total); });

  for (int i = 0; i <= 3; ++i) {
    if (!Ticked(Check1[i])) continue;
    Attempt([&] {
      const double n = DivisionCount(i);
      report += CurveLengthLine(n, Vendrel::CurveLength(P, n));
    });
  }

  Picture1->DrawWidth(2);
  surface::PolyBezier(Picture1->hDC(), P.data(), 4);
  if (Ticked(Check2[0])) {
    Attempt([&] { DrawApproximateOffsetCurve(static_cast<float>(HScroll1->value())); });
  }
  if (Ticked(Check2[1])) {
    Attempt([&] { DrawAccurateOffsetCurve(static_cast<float>(HScroll1->value())); });
  }

  Label1->setText(QString::fromStdString(report));
  setWindowTitle(savedCaption);
}

void main::DrawApproximateOffsetCurve(float dist) {
  // All four points are known before anything is drawn.
  const std::array<geometry::IntPoint, 4> Q = geometry::ApproximateOffsetPoints(P, dist);
  Picture1->ForeColor(kApproximateColour);
  Picture1->DrawWidth(2);
  surface::PolyBezier(Picture1->hDC(), Q.data(), 4);
  Picture1->ForeColor(kApproximatePolygonColour);
  Picture1->DrawWidth(1);
  for (int i = 0; i <= 3; ++i) {
    Picture1->Circle(static_cast<float>(Q[i].x), static_cast<float>(Q[i].y), 3);
    if (i == 0) surface::MoveToEx(Picture1->hDC(), Q[0].x, Q[0].y, nullptr);
    surface::LineTo(Picture1->hDC(), Q[i].x, Q[i].y);
  }
}

void main::DrawAccurateOffsetCurve(float dist) {
  // What was drawn before a failing sample stays; nothing after it is drawn.
  Picture1->ForeColor(kAccurateColour);
  Picture1->DrawWidth(2);
  for (std::int32_t i = 0; i <= geometry::kLastOffsetSample; i = geometry::Add(i, 1)) {
    const geometry::IntPoint o = geometry::AccurateOffsetPoint(P, dist, i);
    if (i == 0) surface::MoveToEx(Picture1->hDC(), o.x, o.y, nullptr);
    surface::LineTo(Picture1->hDC(), o.x, o.y);
  }
}

}  // namespace editor
