#pragma once

// The window's state and handlers for the page, without Qt: the control
// points and the grabbed point, the six boxes and the distance, the pointer's
// press, move and release, the drawing area's keys, the texts the window
// shows (report, caption, Label2), the undo steps and the language of the
// texts. Every change redraws once onto a Recorder, whose calls the page's
// canvas replays.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "History.h"
#include "Language.h"
#include "Recorder.h"
#include "Scene.h"

namespace web {

class Page {
 public:
  Page();  // the window's Form_Load

  // The pointer over the drawing area, in its pixels (fractions kept): a
  // press of any button (a second one too), a move, a button going up
  // (`stillHeld` when another is held yet: the drag's step waits for it).
  void PointerDown(double x, double y);
  void PointerMove(double x, double y);
  void PointerUp(bool stillHeld = false);
  bool ButtonHeld() const { return history_.Held(state::History::Hold::Area); }
  // A finger or a pen on the drawing area, in its pixels (fractions kept),
  // `cssScale` area pixels to a CSS pixel. A press grabs the point nearest
  // to it within the touch reach (TouchReaches names it, -1 for none) and
  // returns whether it did; a move drags that point by the touch's movement,
  // keeping the offset it had from the touch at the press. A release that
  // moved no point is a tap: on a point it picks it, as the keys 1-4 do (the
  // picked point it lets go); elsewhere it moves the picked point to where
  // it lies, one step. A cancel ends a drag as a release does, and taps
  // nothing.
  int TouchReaches(double x, double y, double cssScale) const;
  bool TouchDown(double x, double y, double cssScale);
  void TouchMove(double x, double y);
  void TouchUp(double x, double y);
  void TouchCancel();
  // The range control's thumb pressed or let go: while it is held its
  // values make no step and the state keys wait; its release makes one.
  void HoldThumb(bool held);

  // The drawing area's keys: 1-4 pick, arrows move by (dx, dy), Escape lets go.
  void PickPoint(int i);
  void MovePoint(int dx, int dy);
  void ReleasePoint();

  // The boxes and the range control, as their change handlers.
  void SetDivisions(int i, bool on);
  void SetApproximate(bool on);
  void SetAccurate(bool on);
  void SetDistance(int distance);

  // A whole state, as the window's apply routine puts it in: no point
  // grabbed, Label2 written only when the distance changes; one redraw.
  void Apply(const scene::State& state);
  // A state from a link, Open or Paste: applied, and one undo step when it
  // differs from what is shown. Nothing while a button or the thumb is held.
  void Take(const scene::State& state);
  // Records the changes since the last step (a drag, a box, the distance).
  void Commit();
  void Undo();
  void Redo();
  void Reset();
  // Whether undo, redo and reset have a step to make: the page's buttons for
  // them are disabled when not.
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  bool CanReset() const;

  // The language of the texts: the one chosen with the page's switch or by
  // its link, else the one the browser's languages ask for (`languages`, as
  // i18n::LanguageOfBrowser takes them). A change redraws, for the report's
  // lines, and leaves the state and the undo steps as they were.
  void FollowBrowser(std::string_view languages);
  void ChooseLanguage(std::optional<i18n::Language> language);
  // The link's fragment for the state shown, with the chosen language.
  std::string Fragment() const;

  // The state as a state file keeps it: no point grabbed.
  scene::State Current() const;
  const scene::Result& Last() const { return last_; }
  scene::LazyAnalysis& Analysis() { return analysis_; }
  const Recorder& Drawing() const { return recorder_; }
  // The caption and Label2 as the window shows them, in the language of the
  // texts: the design's until a pointer move and a change of distance.
  std::string Caption() const;
  std::string DistanceText() const;
  std::string Report() const { return scene::Report(last_); }

 private:
  void Redraw();
  void SpeakChosenLanguage();
  void MoveGrabbedPoint(std::int32_t cx, std::int32_t cy);
  void LetGo();  // the point picked by key, let go
  void Apply(const std::optional<scene::State>& state);
  void EndTouchDrag();

  // The touch on the area, from its press to its release.
  struct Touch {
    double x, y;            // where it began
    double slop;            // the tap's slop, in area pixels
    int picked;             // the point picked before it, -1 for none
    int grabbed;            // the point it grabbed, -1 for none
    double dx = 0, dy = 0;  // the grabbed point's offset from the touch
    bool moved = false;     // beyond the slop, or the grabbed point moved
  };
  std::optional<Touch> touch_;

  scene::State state_;
  bool keyPicked_ = false;  // the grabbed point was picked by key
  std::optional<geometry::IntPoint> pointer_;
  state::History history_;  // the undo steps and what is held
  Recorder recorder_;
  scene::Result last_;
  scene::LazyAnalysis analysis_;
  std::optional<int> distanceShown_;  // Label2's distance, once written
  i18n::Language browser_ = i18n::Language::Japanese;
  std::optional<i18n::Language> chosen_;
};

}  // namespace web
