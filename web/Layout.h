#pragma once

// The window's layout for the page, as JSON: the client area's size, each
// control's place in pixels with its caption, and the names a screen reader
// hears, in the language of the texts. The page places its elements from it.

#include <string>

namespace web {

std::string LayoutJson();

}  // namespace web
