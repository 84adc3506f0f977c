#include "Page.h"

#include "Arithmetic.h"
#include "Pointer.h"
#include "StateRules.h"

namespace web {

namespace {

// Steps kept for undo, as in the window; the oldest go first.
constexpr std::size_t kUndoLimit = 1000;

}  // namespace

Page::Page() {
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
  scene::ButtonDown(state_.P, state_.grabIndex, static_cast<float>(x), static_cast<float>(y));
  Redraw();
}

void Page::PointerMove(double x, double y) {
  const geometry::IntPoint at = scene::PointerPixel(static_cast<float>(x), static_cast<float>(y));
  const bool moved = !pointer_ || pointer_->x != at.x || pointer_->y != at.y;
  pointer_ = at;
  if (keyPicked_ && state_.grabIndex >= 0) {
    if (!moved) return;  // a jitter within the same pixel keeps a picked point
    ReleasePoint();
  }
  if (state_.grabIndex < 0) return;
  MoveGrabbedPoint(at.x, at.y);
}

void Page::MoveGrabbedPoint(std::int32_t cx, std::int32_t cy) {
  scene::MoveGrabbed(state_.P, state_.grabIndex, {cx, cy}, recorder_.ScaleWidth(),
                     recorder_.ScaleHeight());
  Redraw();
}

void Page::PointerUp() {
  held_ = false;
  if (scene::ButtonUp(state_.grabIndex)) Redraw();
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
  distanceShown_ = distance;
  Redraw();
  Commit();
}

void Page::Apply(const scene::State& state) {
  const float distance = state_.dist;
  state_ = state;
  state_.grabIndex = scene::kStartGrabIndex;
  keyPicked_ = false;
  if (state_.dist != distance) distanceShown_ = static_cast<int>(state_.dist);
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

void Page::FollowBrowser(std::string_view languages) {
  browser_ = i18n::LanguageOfBrowser(languages);
  SpeakChosenLanguage();
}

void Page::ChooseLanguage(std::optional<i18n::Language> language) {
  chosen_ = language;
  SpeakChosenLanguage();
}

void Page::SpeakChosenLanguage() {
  i18n::SetLanguage(chosen_.value_or(browser_));
  Redraw();
}

std::string Page::Fragment() const { return state::FragmentOf(Current(), chosen_); }

std::string Page::Caption() const {
  return pointer_ ? scene::PointerCaption(pointer_->x, pointer_->y)
                  : i18n::Tr(scene::kDesignCaption);
}

std::string Page::DistanceText() const {
  return distanceShown_ ? scene::DistanceText(*distanceShown_)
                        : i18n::Tr(scene::kDesignDistanceText);
}

}  // namespace web
