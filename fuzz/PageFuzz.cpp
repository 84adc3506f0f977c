// libFuzzer target for what the page takes from other people: a link's
// fragment, a pasted text and the bytes of a file chosen to open, through the
// functions the page's C interface calls (web/Inputs.h), built natively. A
// refusal must be one non-empty line and leave the page as it was (a link may
// still switch the language); an accepted state, written back as a link, a
// line and a file, must read back as itself on a fresh page.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "Inputs.h"
#include "Page.h"
#include "StateJson.h"
#include "StateRules.h"

namespace {

using fuzz::Require;

// The same state, the distance to the bit (a zero's sign included).
bool Same(const scene::State& a, const scene::State& b) {
  return state::SameWindowState(a, b) && a.grabIndex == b.grabIndex &&
         std::bit_cast<std::uint32_t>(a.dist) == std::bit_cast<std::uint32_t>(b.dist);
}

bool OneLine(const std::string& message) {
  return !message.empty() && message.find('\n') == std::string::npos;
}

void ReadsBack(const scene::State& taken) {
  web::Page page;
  page.Take(taken);
  const std::string fragment = page.Fragment();
  web::Page fromLink;
  Require(web::TakeFragment(fromLink, fragment).empty() && Same(fromLink.Current(), taken),
          "an accepted state, written as a link, does not read back as itself");
  web::Page fromLine;
  Require(web::TakeText(fromLine, state::StateLineText(taken)).empty() &&
              Same(fromLine.Current(), taken),
          "an accepted state, written as a line, does not read back as itself");
  const std::string file = state::StateFileText(taken);
  web::Page fromFile;
  Require(
      web::TakeFile(fromFile, "state.bezierlab", static_cast<double>(file.size()), file).empty() &&
          Same(fromFile.Current(), taken),
      "an accepted state, written as a file, does not read back as itself");
}

// One input taken by `take`: a refusal is one line and changes nothing; an
// accepted state reads back as itself.
template <typename Take>
void Check(Take take, bool refusalKeepsState, const char* what) {
  web::Page page;
  const scene::State before = page.Current();
  const std::string message = take(page);
  if (!message.empty()) {
    Require(OneLine(message), what);
    if (refusalKeepsState) Require(Same(page.Current(), before), "a refusal changed the state");
    return;
  }
  ReadsBack(page.Current());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The page passes a fragment and a paste as C strings, a file as its bytes.
  const std::string_view text = bytes.substr(0, bytes.find('\0'));
  Check([&](web::Page& p) { return web::TakeFragment(p, text); }, false,
        "link: a refusal that is not one line");
  Check([&](web::Page& p) { return web::TakeText(p, text); }, true,
        "paste: a refusal that is not one line");
  Check(
      [&](web::Page& p) {
        return web::TakeFile(p, "x.bezierlab", static_cast<double>(size), bytes);
      },
      true, "file: a refusal that is not one line");
  return 0;
}
