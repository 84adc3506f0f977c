#include "History.h"

#include "StateRules.h"

namespace state {

void History::Commit(const scene::State& shown) {
  if (!KeysWait()) Record(committed_, shown, Merge::None);
}

void History::Record(const scene::State& before, const scene::State& shown, Merge merge) {
  // `before` may be committed_ itself: it is read before it is replaced.
  const bool same = SameWindowState(before, shown);
  if (!same) {
    redo_.clear();
    if (merge != Merge::None && !undo_.empty() && undo_.back().merge == merge) {
      undo_.back().after = shown;
      if (SameWindowState(undo_.back().before, shown)) undo_.pop_back();
    } else {
      undo_.push_back({before, shown, merge});
      if (undo_.size() > kLimit) undo_.erase(undo_.begin());
    }
  }
  committed_ = shown;
}

std::optional<scene::State> History::Take(const scene::State& shown, scene::State wanted) {
  if (KeysWait()) return std::nullopt;
  Commit(shown);
  wanted.grabIndex = scene::kStartGrabIndex;
  if (SameWindowState(shown, wanted)) return std::nullopt;
  Record(shown, wanted, Merge::None);
  return wanted;
}

std::optional<scene::State> History::Undo() {
  if (KeysWait() || undo_.empty()) return std::nullopt;
  redo_.push_back(undo_.back());
  undo_.pop_back();
  committed_ = redo_.back().before;
  return committed_;
}

std::optional<scene::State> History::Redo() {
  if (KeysWait() || redo_.empty()) return std::nullopt;
  undo_.push_back(redo_.back());
  redo_.pop_back();
  committed_ = undo_.back().after;
  return committed_;
}

}  // namespace state
