#pragma once

// A state in a page's address fragment, in the state file's member names:
//
//   points=20,200,90,15,240,30,130,250&divisions=10,1000&approximate=1&accurate=0&distance=12
//
// A missing member keeps the start state's value; an unknown member, a
// malformed value or a state the window cannot reach is refused with a
// message that names it.

#include <string>
#include <string_view>
#include <variant>

#include "Scene.h"

namespace web {

struct FragmentError {
  std::string message;
};

std::string FragmentOf(const scene::State& state);
std::variant<scene::State, FragmentError> ParseFragment(std::string_view fragment);

}  // namespace web
