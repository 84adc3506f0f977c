#pragma once

// The undo rules as sequences of the user's events, each with the state it
// leaves shown, run against both front ends: the window through real Qt
// events (StateKeysTest.cpp) and the page's core, web::Page
// (web/PageTest.cpp). A front end runs each event as its user would make it.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "Scene.h"
#include "StateRules.h"

namespace undo_scenarios {

enum class Do {
  Press,         // `button` (1 left, 2 right, 4 middle) goes down over the area at (a, b)
  Move,          // the pointer moves to (a, b) over the area
  Release,       // `button` goes up where the pointer is
  Pick,          // the drawing area's key 1 to 4: P(a)
  KeyMove,       // one arrow key, with Shift for 10: the grabbed point by (a, 0) or (0, b)
  Box,           // a click on Check1(a), or Check2(a - 4) for a = 4, 5
  ThumbPress,    // the scroll bar's thumb pressed
  ThumbTo,       // the held thumb dragged on until the distance is a
  ThumbRelease,  // the thumb let go
  Undo,          // Ctrl+Z
  Redo,          // Ctrl+Y
  Reset,         // Ctrl+R
};

struct Event {
  Do what;
  int a = 0;
  int b = 0;
  int button = 1;
  // The state shown afterwards, in a link's form (a member left out keeps
  // the start state's value); none: not checked.
  const char* shown = nullptr;
  int times = 1;  // the event made this many times in a row
};

inline Event At(Do what, int x, int y, int button = 1, const char* shown = nullptr) {
  return {what, x, y, button, shown};
}
inline Event Key(Do what, const char* shown = nullptr, int times = 1) {
  return {what, 0, 0, 1, shown, times};
}
inline Event With(Do what, int a, int b = 0, const char* shown = nullptr, int times = 1) {
  return {what, a, b, 1, shown, times};
}

struct Scenario {
  const char* name;
  std::vector<Event> events;
};

constexpr int kRight = 2;
constexpr int kMiddle = 4;
constexpr const char* kStart = "distance=30";
constexpr const char* kP2Dragged = "points=50,50,150,50,200,120,50,150";

inline const std::vector<Scenario>& Scenarios() {
  static const std::vector<Scenario> all{
      {"AThumbDragIsOneStepAndTheKeysWaitWhileItIsHeld",
       {Key(Do::ThumbPress), With(Do::ThumbTo, 40, 0, "distance=40"), Key(Do::Undo, "distance=40"),
        Key(Do::Reset, "distance=40"), With(Do::Pick, 0), With(Do::KeyMove, 10, 0, "distance=40"),
        Key(Do::ThumbRelease, "distance=40"), Key(Do::Undo, kStart), Key(Do::Redo, "distance=40"),
        Key(Do::ThumbPress), With(Do::ThumbTo, 35), Key(Do::ThumbRelease),
        Key(Do::Undo, "distance=40")}},
      {"EveryButtonDragsAndADragIsOneStepAtItsLastButtonUp",
       {At(Do::Press, 150, 150, kRight), At(Do::Move, 200, 120, kRight, kP2Dragged),
        Key(Do::Undo, kP2Dragged), Key(Do::Reset, kP2Dragged), With(Do::KeyMove, 10, 0, kP2Dragged),
        At(Do::Release, 0, 0, kRight, kP2Dragged), At(Do::Press, 150, 50, kMiddle),
        At(Do::Move, 170, 30), At(Do::Release, 0, 0, kMiddle), Key(Do::Undo, kP2Dragged),
        Key(Do::Undo, kStart), Key(Do::Redo, kP2Dragged),
        // Two buttons: the first up lets the point go, the last up ends the step.
        At(Do::Press, 50, 150), At(Do::Press, 50, 150, kRight), At(Do::Move, 60, 140),
        At(Do::Release, 0, 0, 1, "points=50,50,150,50,200,120,60,140"), At(Do::Move, 90, 90),
        Key(Do::Undo, "points=50,50,150,50,200,120,60,140"),
        At(Do::Release, 0, 0, kRight, "points=50,50,150,50,200,120,60,140"),
        Key(Do::Undo, kP2Dragged)}},
      {"KeyMovesOfOnePointMergeAndANewStepDropsTheRedo",
       {With(Do::Pick, 1), With(Do::KeyMove, 1, 0), With(Do::KeyMove, 0, 10),
        With(Do::Box, 0, 0, "points=50,50,151,60,150,150,50,150&divisions=10,1000"),
        Key(Do::Undo, "points=50,50,151,60,150,150,50,150"),
        // Merged into the step on top, which came back to where it began.
        With(Do::Pick, 1), With(Do::KeyMove, -1, 0), With(Do::KeyMove, 0, -10, kStart),
        Key(Do::Undo, kStart), Key(Do::Redo, kStart), With(Do::KeyMove, 1, 0), With(Do::Pick, 2),
        With(Do::KeyMove, 0, 1), Key(Do::Undo, "points=50,50,151,50,150,150,50,150"),
        Key(Do::Undo, kStart)}},
      {"ResetIsOneStepAndNoneAtTheStartState",
       {With(Do::Box, 3), Key(Do::Reset, kStart), Key(Do::Reset, kStart),
        Key(Do::Undo, "divisions=1000,10000"), Key(Do::Undo, kStart)}},
      {"TheOldestStepsGoBeyondAThousand",
       {With(Do::Box, 0, 0, nullptr, 1001), Key(Do::Undo, "divisions=10,1000", 1001)}},
  };
  return all;
}

// A front end as the scenarios drive it.
class FrontEnd {
 public:
  virtual ~FrontEnd() = default;
  virtual void Run(const Event& event) = 0;
  virtual scene::State Shown() = 0;
};

inline void Run(FrontEnd& front, const Scenario& scenario) {
  for (std::size_t i = 0; i < scenario.events.size(); ++i) {
    const Event& event = scenario.events[i];
    for (int n = 0; n < event.times; ++n) front.Run(event);
    if (event.shown == nullptr) continue;
    const auto wanted = state::ParseFragment(event.shown);
    ASSERT_TRUE(std::holds_alternative<scene::State>(wanted)) << event.shown;
    const scene::State shown = front.Shown();
    EXPECT_TRUE(state::SameWindowState(shown, std::get<scene::State>(wanted)))
        << scenario.name << ", event " << i << ": shows " << state::FragmentOf(shown) << ", not "
        << event.shown;
  }
}

// A scenario by its name, in a test's messages.
inline void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

// The scenarios' names for a parameterized test.
inline std::string NameOf(const ::testing::TestParamInfo<Scenario>& info) {
  return info.param.name;
}

}  // namespace undo_scenarios
