// The redraw's drawing and report steps over a plain state, under one error
// rule, recording what each step computed.

#include "Scene.h"

#include "OffsetCurves.h"
#include "Vendrel.h"

namespace scene {

namespace {

// The redraw's error rule, written once: a step that raises the program's
// error is abandoned, the next step runs, and the error is handed back so the
// result can say what stopped the step.
template <class Step>
StepError Attempt(Step&& step) {
  try {
    step();
    return std::nullopt;
  } catch (const geometry::Error& error) {
    return error.kind();
  }
}

}  // namespace

Result Draw(const State& state, drawing::DrawingSurface& surface, Vertices vertices) {
  Result r;
  r.state = state;
  const std::array<IntPoint, 4>& P = state.P;

  surface.Cls();
  surface.ForeColor(kCurveColour);
  surface.DrawWidth(1);

  for (int i = 0; i <= 3; ++i) {
    surface.FillStyle(state.grabIndex == i ? drawing::kFillSolid : drawing::kFillTransparent);
    surface.Circle(static_cast<float>(P[i].x), static_cast<float>(P[i].y), 3);
    if (i > 0) {
      surface.Line(static_cast<float>(P[i - 1].x), static_cast<float>(P[i - 1].y),
                   static_cast<float>(P[i].x), static_cast<float>(P[i].y), kPolygonColour);
    }
    r.pointLines[i] = scene::ControlPointLine(i, P[i]);
  }
  surface.FillStyle(drawing::kFillTransparent);

  // A chord is computed, added to the total and written as one step.
  for (int i = 1; i <= 3; ++i) {
    ChordStep& chord = r.chords[i - 1];
    chord.error = Attempt([&] {
      chord.d = scene::ChordLength(P, i);
      r.total += *chord.d;
      chord.line = scene::ChordLine(i, *chord.d);
    });
  }
  r.totalError = Attempt([&] { r.totalLine = scene::TotalLine(r.total); });

  for (int i = 0; i <= 3; ++i) {
    if (!state.divisions[i]) continue;
    LengthStep& step = r.lengths.emplace_back();
    step.divisions = scene::DivisionCount(i);
    step.error = Attempt([&] {
      step.length = Vendrel::CurveLength(P, step.divisions);
      step.line = scene::CurveLengthLine(step.divisions, *step.length);
    });
  }

  surface.DrawWidth(2);
  drawing::PolyBezier(surface.hDC(), P.data(), 4);
  if (state.approximate) {
    ApproximateStep& step = r.approximate.emplace();
    step.error = Attempt([&] { step.Q = DrawApproximateOffsetCurve(P, state.dist, surface); });
  }
  if (state.accurate) {
    AccurateStep& step = r.accurate.emplace();
    if (vertices == Vertices::kKeep) step.vertices.reserve(geometry::kLastOffsetSample + 1);
    step.error = Attempt([&] { DrawAccurateOffsetCurve(P, state.dist, surface, &step, vertices); });
    if (step.error) step.stoppedAt = step.drawn;
  }
  return r;
}

std::string Report(const Result& result) {
  std::string report;
  for (const std::string& line : result.pointLines) report += line;
  report += scene::kEmptyLine;
  for (const ChordStep& chord : result.chords) report += chord.line;
  report += result.totalLine;
  for (const LengthStep& step : result.lengths) report += step.line;
  return report;
}

geometry::Analysis Analyse(const Result& result, geometry::Figures figures) {
  std::vector<geometry::ComputedLength> lengths;
  for (const LengthStep& step : result.lengths) {
    if (step.length) lengths.push_back({step.divisions, *step.length});
  }
  std::optional<std::array<IntPoint, 4>> Q;
  if (result.approximate) Q = result.approximate->Q;
  return geometry::Analyse(result.state.P, lengths, Q, result.state.dist, figures);
}

void LazyAnalysis::Reset(const Result& result) {
  result_ = &result;
  lengths_.reset();
  deviation_.reset();
}

const geometry::Analysis& LazyAnalysis::Lengths() {
  return Part(lengths_, geometry::Figures::kLengths);
}

const geometry::Analysis& LazyAnalysis::Deviation() {
  return Part(deviation_, geometry::Figures::kDeviation);
}

const geometry::Analysis& LazyAnalysis::Part(std::optional<geometry::Analysis>& part,
                                             geometry::Figures figures) {
  if (!part) {
    part = Analyse(*result_, figures);
    ++computed_;
  }
  return *part;
}

std::array<IntPoint, 4> DrawApproximateOffsetCurve(std::span<const IntPoint> P, float dist,
                                                   drawing::DrawingSurface& surface) {
  // All four points are known before anything is drawn.
  const std::array<IntPoint, 4> Q = geometry::ApproximateOffsetPoints(P, dist);
  surface.ForeColor(kApproximateColour);
  surface.DrawWidth(2);
  drawing::PolyBezier(surface.hDC(), Q.data(), 4);
  surface.ForeColor(kApproximatePolygonColour);
  surface.DrawWidth(1);
  for (int i = 0; i <= 3; ++i) {
    surface.Circle(static_cast<float>(Q[i].x), static_cast<float>(Q[i].y), 3);
    if (i == 0) drawing::MoveToEx(surface.hDC(), Q[0].x, Q[0].y, nullptr);
    drawing::LineTo(surface.hDC(), Q[i].x, Q[i].y);
  }
  return Q;
}

void DrawAccurateOffsetCurve(std::span<const IntPoint> P, float dist,
                             drawing::DrawingSurface& surface, AccurateStep* step,
                             Vertices vertices) {
  // What was drawn before a failing sample stays; nothing after it is drawn.
  surface.ForeColor(kAccurateColour);
  surface.DrawWidth(2);
  for (std::int32_t i = 0; i <= geometry::kLastOffsetSample; i = geometry::Add(i, 1)) {
    const IntPoint o = geometry::AccurateOffsetPoint(P, dist, i);
    if (i == 0) drawing::MoveToEx(surface.hDC(), o.x, o.y, nullptr);
    drawing::LineTo(surface.hDC(), o.x, o.y);
    if (step == nullptr) continue;
    ++step->drawn;
    if (vertices == Vertices::kKeep) step->vertices.push_back(o);
  }
}

}  // namespace scene
