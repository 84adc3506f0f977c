#pragma once

// The undo history of the window and the page: what makes a step, which
// steps merge, how many are kept, and when the keys that change the state
// wait for a button to be let go. The front ends tell it what the user holds
// and what each action left; it gives back the whole states that undo, redo
// and a taken state put in, which each front end applies in its own way
// (an apply that reports back through Applied).

#include <cstddef>
#include <optional>
#include <vector>

#include "Scene.h"

namespace state {

class History {
 public:
  // Steps kept for undo; the oldest go first.
  static constexpr std::size_t kLimit = 1000;

  // How a step merges with the one recorded just before it: consecutive key
  // moves of the same point make one step. Nothing else merges.
  enum class Merge { None, MovePoint0, MovePoint1, MovePoint2, MovePoint3 };
  static Merge KeyMoveOf(int point) { return static_cast<Merge>(1 + point); }

  // What the user can hold down: a button that went down over the drawing
  // area (any button, until the last of them goes up), and the scroll bar's
  // thumb. While either is held the drag owns the state: changes are
  // recorded when it is let go, as one step, and the keys that change the
  // state (undo, redo, reset, paste, open, the drawing area's keys) wait.
  enum class Hold { Area, Thumb };

  explicit History(const scene::State& shown) : committed_(shown) {}

  void SetHeld(Hold hold, bool held) { (hold == Hold::Area ? area_ : thumb_) = held; }
  bool Held(Hold hold) const { return hold == Hold::Area ? area_ : thumb_; }
  bool KeysWait() const { return area_ || thumb_; }

  // A whole state has been applied: later changes are recorded from it.
  void Applied(const scene::State& shown) { committed_ = shown; }
  // A user's action has run its handlers and left `shown`: one step from
  // the state the latest step or apply left, unless something is held.
  void Commit(const scene::State& shown);
  // One step from `before` to `shown`, merged by `merge`; none when the two
  // show the same (a merged step that comes back to where it began goes).
  void Record(const scene::State& before, const scene::State& shown, Merge merge);
  // A state given whole (a link, a file, a paste, reset) while `shown` is
  // shown: what the user changed is committed first, then the step to
  // `wanted` (no point grabbed) is recorded and `wanted` returned to apply.
  // Nothing while the keys wait or when `wanted` shows what is shown.
  std::optional<scene::State> Take(const scene::State& shown, scene::State wanted);
  // The states to apply for undo and redo; nothing while the keys wait or
  // when there is no step to undo or redo.
  std::optional<scene::State> Undo();
  std::optional<scene::State> Redo();
  // Whether there is a step to undo or redo (the keys may wait yet).
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }

 private:
  struct Step {
    scene::State before;
    scene::State after;
    Merge merge;
  };

  scene::State committed_;  // the state the latest step or apply left
  std::vector<Step> undo_;
  std::vector<Step> redo_;
  bool area_ = false;
  bool thumb_ = false;
};

}  // namespace state
