#pragma once

// The scene and its report over a plain state: what the window draws on its
// drawing area and writes beside it, for any control points and options. The
// window and the command-line report tool both draw through Draw, and both
// build their texts from the Result it returns, which records, step by step,
// the value each step computed or the error that abandoned it. Nothing here
// needs Qt: it draws on any DrawingSurface.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "Analysis.h"
#include "Arithmetic.h"
#include "DrawingSurface.h"
#include "IntPoint.h"
#include "Report.h"

namespace scene {

using geometry::ErrorKind;
using geometry::IntPoint;

// Scene colours (0xBBGGRR).
inline constexpr drawing::Colour kCurveColour = 0x404040;
inline constexpr drawing::Colour kPolygonColour = 0x7F7F7F;
inline constexpr drawing::Colour kApproximateColour = 0x00FFFF;
inline constexpr drawing::Colour kApproximatePolygonColour = 0x80E0E0;
inline constexpr drawing::Colour kAccurateColour = 0xFF0000;

// Everything a redraw reads: the control points, the grabbed point and the
// options of the six boxes and the scroll bar. Defaults are the start state.
struct State {
  std::array<IntPoint, 4> P = scene::kStartPoints;
  std::int32_t grabIndex = scene::kStartGrabIndex;
  // Check1(0..3): the curve length with 10, 100, 1000, 10000 divisions.
  std::array<bool, 4> divisions{false, false, true, false};
  bool approximate = true;  // Check2(0), the yellow curve
  bool accurate = true;     // Check2(1), the blue curve
  float dist = 30;          // the offset distance, single precision
};

// The error that abandoned a step, if one did.
using StepError = std::optional<ErrorKind>;

// One side of the control polygon: its length, when it could be computed, and
// its report line, when that could be written too.
struct ChordStep {
  std::optional<double> d;
  std::string line;
  StepError error;
};

// One ticked division count: the curve length, when CurveLength finished, and
// its line, when that could be written too.
struct LengthStep {
  double divisions = 0;
  std::optional<double> length;
  std::string line;
  StepError error;
};

// The yellow curve: its four control points, or where it stopped.
struct ApproximateStep {
  std::optional<std::array<IntPoint, 4>> Q;
  StepError error;
};

// The blue polyline: how many vertices were drawn (and which, when the caller
// asked for them), and the sample it stopped at.
struct AccurateStep {
  std::int32_t drawn = 0;
  std::vector<IntPoint> vertices;
  std::optional<std::int32_t> stoppedAt;
  StepError error;
};

struct Result {
  State state;
  std::array<std::string, 4> pointLines;
  std::array<ChordStep, 3> chords;
  double total = 0;  // the sum of the chords that could be computed
  std::string totalLine;
  StepError totalError;
  std::vector<LengthStep> lengths;             // ticked counts only, ascending
  std::optional<ApproximateStep> approximate;  // absent when switched off
  std::optional<AccurateStep> accurate;        // absent when switched off
};

// Whether Draw keeps the blue polyline's vertices in its result: the window
// needs only their count, the report tool's JSON lists them.
enum class Vertices { kCount, kKeep };

// Erases `surface` and draws the scene for `state` in its order: control
// points and polygon sides, the curve, the yellow curve, the blue polyline.
// Computes the report's values on the way. A step that fails is abandoned
// and the next one runs; no error leaves this function.
Result Draw(const State& state, drawing::DrawingSurface& surface,
            Vertices vertices = Vertices::kCount);

// The report for a result, as the window shows it: every line ends in "\r\n".
std::string Report(const Result& result);

// The error analysis of what a result computed: the sums that finished (their
// lines need not have been written) and the yellow curve, when it was drawn.
// Computes nothing the scene did.
geometry::Analysis Analyse(const Result& result,
                           geometry::Figures figures = geometry::Figures::kAll);

// The analysis of one result, each of its two parts computed the first time it
// is asked for and then kept: the window's tool tips show one part each, and
// a pointer that rests over a control asks again and again.
class LazyAnalysis {
 public:
  // Forgets what was computed; `result` must outlive the next Reset.
  void Reset(const Result& result);
  // The reference length, the sums' errors and the zero tangents.
  const geometry::Analysis& Lengths();
  // The yellow curve's deviation.
  const geometry::Analysis& Deviation();
  // How many parts have been computed since construction.
  int Computed() const { return computed_; }

 private:
  const geometry::Analysis& Part(std::optional<geometry::Analysis>& part,
                                 geometry::Figures figures);

  const Result* result_ = nullptr;
  std::optional<geometry::Analysis> lengths_;
  std::optional<geometry::Analysis> deviation_;
  int computed_ = 0;
};

// The yellow curve and its pale control polygon, drawn once all four control
// points are known; returns them. Throws geometry::Error where it stops, and
// then has drawn nothing.
std::array<IntPoint, 4> DrawApproximateOffsetCurve(std::span<const IntPoint> P, float dist,
                                                   drawing::DrawingSurface& surface);

// The blue polyline through the 501 offset samples. Throws geometry::Error at
// the first sample that fails, after drawing the samples before it. Counts the
// vertices drawn in `step` and keeps them there when `vertices` says so.
void DrawAccurateOffsetCurve(std::span<const IntPoint> P, float dist,
                             drawing::DrawingSurface& surface, AccurateStep* step = nullptr,
                             Vertices vertices = Vertices::kCount);

}  // namespace scene
