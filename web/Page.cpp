#include "Page.h"

#include "Arithmetic.h"
#include "StateRules.h"
#include "WindowTexts.h"

namespace web {

namespace {

// Steps kept for undo, as in the window; the oldest go first.
constexpr std::size_t kUndoLimit = 1000;
// A press grabs a point less than 4 pixels away; a dragged point stays 5
// pixels inside each edge.
constexpr double kReachSquared = 16.0;
constexpr std::int32_t kMargin = 5;

}  // namespace

Page::Page() : caption_(scene::kDesignCaption), distanceText_(scene::kDesignDistanceText) {
  Redraw();
  committed_ = Current();
}

scene::State Page::Current() const {
  scene::State state = state_;
  state.grabIndex = scene::kStartGrabIndex;
  return state;
}

void Page::Redraw() {
  recorder_.Clear();
  last_ = scene::Draw(state_, recorder_);
  analysis_.Reset(last_);
}

void Page::PointerDown(double x, double y) {
  if (keyPicked_) ReleasePoint();
  held_ = true;
  for (int i = 0; i <= 3; ++i) {
    const geometry::IntPoint& p = state_.P[static_cast<std::size_t>(i)];
    const double dy = geometry::Checked(static_cast<double>(static_cast<float>(y)) - p.y);
    const double dx = geometry::Checked(static_cast<double>(static_cast<float>(x)) - p.x);
    if (geometry::Checked(dx * dx + dy * dy) < kReachSquared) state_.grabIndex = i;
  }
  Redraw();
}

void Page::PointerMove(double x, double y) {
  const geometry::IntPoint at{geometry::RoundToInt32(static_cast<float>(x)),
                              geometry::RoundToInt32(static_cast<float>(y))};
  const bool moved = !pointer_ || pointer_->x != at.x || pointer_->y != at.y;
  pointer_ = at;
  if (keyPicked_ && state_.grabIndex >= 0) {
    if (!moved) return;  // a jitter within the same pixel keeps a picked point
    ReleasePoint();
  }
  caption_ = std::string(scene::kPointerCaptionPrefix) + std::to_string(at.x) + "," +
             std::to_string(at.y) + ")";
  if (state_.grabIndex < 0) return;
  MoveGrabbedPoint(at.x, at.y);
}

void Page::MoveGrabbedPoint(std::int32_t cx, std::int32_t cy) {
  geometry::CheckSubscript(state_.P.size(), static_cast<std::size_t>(state_.grabIndex) + 1);
  geometry::IntPoint& point = state_.P[static_cast<std::size_t>(state_.grabIndex)];
  point = {cx, cy};
  if (point.x < kMargin) point.x = kMargin;
  if (point.y < kMargin) point.y = kMargin;
  const double right = geometry::Checked(static_cast<double>(recorder_.ScaleWidth()) - kMargin);
  if (point.x > right) point.x = geometry::RoundToInt32(right);
  const double bottom = geometry::Checked(static_cast<double>(recorder_.ScaleHeight()) - kMargin);
  if (point.y > bottom) point.y = geometry::RoundToInt32(bottom);
  Redraw();
}

void Page::PointerUp() {
  held_ = false;
  if (state_.grabIndex >= 0) {
    state_.grabIndex = -1;
    Redraw();
  }
  Commit();
}

void Page::PickPoint(int i) {
  if (held_ || i < 0 || i > 3) return;
  state_.grabIndex = i;
  keyPicked_ = true;
  Redraw();
}

void Page::MovePoint(int dx, int dy) {
  if (held_ || state_.grabIndex < 0) return;
  const geometry::IntPoint from = state_.P[static_cast<std::size_t>(state_.grabIndex)];
  const scene::State before = Current();
  MoveGrabbedPoint(geometry::Add(from.x, dx), geometry::Add(from.y, dy));
  Record(before, 1 + state_.grabIndex);
}

void Page::ReleasePoint() {
  if (held_) return;
  keyPicked_ = false;
  if (state_.grabIndex < 0) return;
  state_.grabIndex = -1;
  Redraw();
}

void Page::SetDivisions(int i, bool on) {
  if (i < 0 || i > 3) return;
  state_.divisions[static_cast<std::size_t>(i)] = on;
  Redraw();
  Commit();
}

void Page::SetApproximate(bool on) {
  state_.approximate = on;
  Redraw();
  Commit();
}

void Page::SetAccurate(bool on) {
  state_.accurate = on;
  Redraw();
  Commit();
}

void Page::SetDistance(int distance) {
  state_.dist = static_cast<float>(distance);
  distanceText_ = std::string(scene::kDistanceTextPrefix) + std::to_string(distance);
  Redraw();
  Commit();
}

void Page::Apply(const scene::State& state) {
  const float distance = state_.dist;
  state_ = state;
  state_.grabIndex = scene::kStartGrabIndex;
  keyPicked_ = false;
  if (state_.dist != distance) {
    distanceText_ =
        std::string(scene::kDistanceTextPrefix) + std::to_string(static_cast<int>(state_.dist));
  }
  Redraw();
  committed_ = Current();
}

void Page::Take(const scene::State& state) {
  if (held_) return;
  Commit();
  const scene::State before = Current();
  if (state::SameWindowState(before, state)) return;
  Apply(state);
  Record(before, 0);
}

void Page::Commit() {
  if (!held_) Record(committed_, 0);
}

void Page::Record(scene::State before, int merge) {
  const scene::State after = Current();
  committed_ = after;
  if (state::SameWindowState(before, after)) return;
  redo_.clear();
  if (merge != 0 && !undo_.empty() && undo_.back().merge == merge) {
    undo_.back().after = after;
    // Moves that came back to where they began leave no step.
    if (state::SameWindowState(undo_.back().before, after)) undo_.pop_back();
    return;
  }
  undo_.push_back({before, after, merge});
  if (undo_.size() > kUndoLimit) undo_.erase(undo_.begin());
}

void Page::Undo() {
  if (held_ || undo_.empty()) return;
  Commit();
  if (undo_.empty()) return;
  Step step = undo_.back();
  undo_.pop_back();
  Apply(step.before);
  redo_.push_back(step);
}

void Page::Redo() {
  if (held_ || redo_.empty()) return;
  Step step = redo_.back();
  redo_.pop_back();
  Apply(step.after);
  undo_.push_back(step);
}

void Page::Reset() { Take(scene::State{}); }

}  // namespace web
