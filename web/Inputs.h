#pragma once

// What the page takes from other people, read as the window reads it: a
// link's fragment, a pasted text and the bytes of a file chosen to open. Each
// gives "" when its state was taken (as the window takes one: no point
// grabbed, within its reach, one undo step), else the message that names the
// problem, and the page stays as it was. The page's C interface calls these;
// so does the fuzz target, natively.

#include <string>
#include <string_view>

#include "Page.h"

namespace web {

// A fragment ("#points=…&lang=en", or without its "#"): its language (the
// browser's when it names none) and its state.
std::string TakeFragment(Page& page, std::string_view fragment);

// What a link's fragment asks that cannot be done, "" when nothing: its
// state's problem first, then its language's.
std::string LinkProblem(std::string_view fragment);

// A state file's JSON, a line of state options (as Ctrl+Shift+C copies it) or
// a link (its fragment) pasted.
std::string TakeText(Page& page, std::string_view text);

// A file named `name` of `size` bytes chosen to open, with its bytes: refused
// unread beyond the largest state text (the page then passes none).
std::string TakeFile(Page& page, std::string_view name, double size, std::string_view bytes);

}  // namespace web
