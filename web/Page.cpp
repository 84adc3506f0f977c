#include "Page.h"

#include <cmath>

#include "Arithmetic.h"
#include "Pointer.h"
#include "StateRules.h"

namespace web {

Page::Page() : history_(state_) { Redraw(); }

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
  if (keyPicked_) LetGo();
  history_.SetHeld(state::History::Hold::Area, true);
  scene::ButtonDown(state_.P, state_.grabIndex, static_cast<float>(x), static_cast<float>(y));
  Redraw();
}

void Page::PointerMove(double x, double y) {
  const geometry::IntPoint at = scene::PointerPixel(static_cast<float>(x), static_cast<float>(y));
  const bool moved = !pointer_ || pointer_->x != at.x || pointer_->y != at.y;
  pointer_ = at;
  if (keyPicked_ && state_.grabIndex >= 0) {
    if (!moved) return;  // a jitter within the same pixel keeps a picked point
    LetGo();
  }
  if (state_.grabIndex < 0) return;
  MoveGrabbedPoint(at.x, at.y);
}

void Page::MoveGrabbedPoint(std::int32_t cx, std::int32_t cy) {
  scene::MoveGrabbed(state_.P, state_.grabIndex, {cx, cy}, recorder_.ScaleWidth(),
                     recorder_.ScaleHeight());
  Redraw();
}

void Page::PointerUp(bool stillHeld) {
  if (!stillHeld) history_.SetHeld(state::History::Hold::Area, false);
  if (scene::ButtonUp(state_.grabIndex)) Redraw();
  Commit();
}

int Page::TouchReaches(double x, double y, double cssScale) const {
  return scene::NearestWithin(state_.P, x, y, scene::kTouchReachCss * cssScale);
}

bool Page::TouchDown(double x, double y, double cssScale) {
  const int picked = keyPicked_ ? state_.grabIndex : -1;
  const int grabbed = TouchReaches(x, y, cssScale);
  touch_ = Touch{x, y, scene::kTapSlopCss * cssScale, picked, grabbed};
  if (grabbed < 0) return false;
  keyPicked_ = false;
  history_.SetHeld(state::History::Hold::Area, true);
  state_.grabIndex = grabbed;
  const geometry::IntPoint p = state_.P[static_cast<std::size_t>(grabbed)];
  touch_->dx = p.x - x;
  touch_->dy = p.y - y;
  Redraw();
  return true;
}

void Page::TouchMove(double x, double y) {
  if (!touch_) return;
  pointer_ = scene::PointerPixel(static_cast<float>(x), static_cast<float>(y));
  Touch& t = *touch_;
  if (std::hypot(x - t.x, y - t.y) > t.slop) t.moved = true;
  if (t.grabbed < 0) return;
  const std::size_t i = static_cast<std::size_t>(t.grabbed);
  const geometry::IntPoint before = state_.P[i];
  const geometry::IntPoint at =
      scene::PointerPixel(static_cast<float>(x + t.dx), static_cast<float>(y + t.dy));
  MoveGrabbedPoint(at.x, at.y);
  if (state_.P[i].x != before.x || state_.P[i].y != before.y) t.moved = true;
}

void Page::TouchUp(double x, double y) {
  if (!touch_) return;
  const Touch t = *touch_;
  if (t.grabbed >= 0) {
    if (!t.moved && t.picked != t.grabbed) {
      // A tap on a point: it stays grabbed, picked as by its key.
      touch_.reset();
      history_.SetHeld(state::History::Hold::Area, false);
      keyPicked_ = true;
      return;
    }
    EndTouchDrag();
    return;
  }
  touch_.reset();
  if (t.moved || t.picked < 0 || history_.KeysWait()) return;
  const scene::State before = Current();
  const geometry::IntPoint at = scene::PointerPixel(static_cast<float>(x), static_cast<float>(y));
  MoveGrabbedPoint(at.x, at.y);
  history_.Record(before, Current(), state::History::Merge::None);
}

void Page::TouchCancel() {
  if (touch_ && touch_->grabbed >= 0) EndTouchDrag();
  touch_.reset();
}

void Page::EndTouchDrag() {
  touch_.reset();
  PointerUp();
}

void Page::HoldThumb(bool held) {
  history_.SetHeld(state::History::Hold::Thumb, held);
  if (!held) Commit();
}

void Page::PickPoint(int i) {
  if (history_.KeysWait() || i < 0 || i > 3) return;
  state_.grabIndex = i;
  keyPicked_ = true;
  Redraw();
}

void Page::MovePoint(int dx, int dy) {
  if (history_.KeysWait() || state_.grabIndex < 0) return;
  const geometry::IntPoint from = state_.P[static_cast<std::size_t>(state_.grabIndex)];
  const scene::State before = Current();
  MoveGrabbedPoint(geometry::Add(from.x, dx), geometry::Add(from.y, dy));
  history_.Record(before, Current(), state::History::KeyMoveOf(state_.grabIndex));
}

void Page::ReleasePoint() {
  if (!history_.KeysWait()) LetGo();
}

void Page::LetGo() {
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
  history_.Applied(Current());
}

void Page::Apply(const std::optional<scene::State>& state) {
  if (state) Apply(*state);
}

void Page::Take(const scene::State& state) { Apply(history_.Take(Current(), state)); }

void Page::Commit() { history_.Commit(Current()); }

void Page::Undo() { Apply(history_.Undo()); }

void Page::Redo() { Apply(history_.Redo()); }

void Page::Reset() { Take(scene::State{}); }

bool Page::CanReset() const { return !state::SameWindowState(Current(), scene::State{}); }

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
