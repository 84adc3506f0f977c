// The page's C interface to the core: one Page, its handlers, the drawing
// calls to replay and the texts to show. Strings are returned as UTF-8 in a
// buffer that stays valid until the next call that returns a string. An error
// that leaves a handler drops the event, as the window's boundary does.

#include <emscripten/emscripten.h>

#include <exception>
#include <string>
#include <utility>

#include "AnalysisText.h"
#include "Descriptions.h"
#include "Inputs.h"
#include "Layout.h"
#include "Offsets.h"
#include "Page.h"
#include "Plot.h"
#include "StateJson.h"
#include "StateRules.h"
#include "Texts.h"

namespace {

web::Page& ThePage() {
  static web::Page page;
  return page;
}

std::string& Text() {
  static std::string text;
  return text;
}

const char* Give(std::string text) {
  Text() = std::move(text);
  return Text().c_str();
}

template <typename F>
void Guarded(F&& f) {
  try {
    f(ThePage());
  } catch (const std::exception&) {
    // The event is dropped.
  }
}

// A text from the page's inputs (Inputs.h): "" also when taking it failed
// and the event was dropped.
template <typename F>
const char* Taken(F&& f) {
  std::string message;
  Guarded([&](web::Page& p) { message = f(p); });
  return Give(std::move(message));
}

// The bytes of the file the page opens next, copied in by the page.
std::string& FileBytes() {
  static std::string bytes;
  return bytes;
}

// The drawing calls of the latest offset view's curve.
web::Recorder& OffsetCurve() {
  static web::Recorder curve;
  return curve;
}

// The page's font metrics, from its canvas (plot.js).
EM_JS(double, MeasureWidth, (const char* text, int pixels, int bold),
      { return BezierlabPlot.width(UTF8ToString(text), pixels, bold); });
EM_JS(double, MeasureHeight, (int pixels, int bold),
      { return BezierlabPlot.height(pixels, bold); });
EM_JS(double, MeasureAscent, (int pixels, int bold),
      { return BezierlabPlot.ascent(pixels, bold); });

// The plots' text measure in the page's fonts.
scene::plot::Measure PageMeasure() {
  return {
      [](const std::string& text, scene::plot::TextStyle style) {
        return MeasureWidth(text.c_str(), style.pixels, style.bold ? 1 : 0);
      },
      [](scene::plot::TextStyle style) { return MeasureHeight(style.pixels, style.bold ? 1 : 0); },
      [](scene::plot::TextStyle style) { return MeasureAscent(style.pixels, style.bold ? 1 : 0); }};
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void bl_pointer_down(double x, double y) {
  Guarded([=](web::Page& p) { p.PointerDown(x, y); });
}
EMSCRIPTEN_KEEPALIVE void bl_pointer_move(double x, double y) {
  Guarded([=](web::Page& p) { p.PointerMove(x, y); });
}
EMSCRIPTEN_KEEPALIVE void bl_pointer_up() {
  Guarded([](web::Page& p) { p.PointerUp(); });
}
// One of two buttons held over the area goes up; another holds it yet.
EMSCRIPTEN_KEEPALIVE void bl_pointer_up_held() {
  Guarded([](web::Page& p) { p.PointerUp(true); });
}
// A finger or a pen on the area (Page::TouchDown and the rest), `scale` the
// area's pixels to a CSS pixel.
EMSCRIPTEN_KEEPALIVE int bl_touch_reaches(double x, double y, double scale) {
  return ThePage().TouchReaches(x, y, scale);
}
EMSCRIPTEN_KEEPALIVE int bl_touch_down(double x, double y, double scale) {
  bool grabbed = false;
  Guarded([&](web::Page& p) { grabbed = p.TouchDown(x, y, scale); });
  return grabbed ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE void bl_touch_move(double x, double y) {
  Guarded([=](web::Page& p) { p.TouchMove(x, y); });
}
EMSCRIPTEN_KEEPALIVE void bl_touch_up(double x, double y) {
  Guarded([=](web::Page& p) { p.TouchUp(x, y); });
}
EMSCRIPTEN_KEEPALIVE void bl_touch_cancel() {
  Guarded([](web::Page& p) { p.TouchCancel(); });
}
EMSCRIPTEN_KEEPALIVE void bl_thumb(int held) {
  Guarded([=](web::Page& p) { p.HoldThumb(held != 0); });
}
EMSCRIPTEN_KEEPALIVE int bl_button_held() { return ThePage().ButtonHeld() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE void bl_pick(int i) {
  Guarded([=](web::Page& p) { p.PickPoint(i); });
}
EMSCRIPTEN_KEEPALIVE void bl_move_point(int dx, int dy) {
  Guarded([=](web::Page& p) { p.MovePoint(dx, dy); });
}
EMSCRIPTEN_KEEPALIVE void bl_release() {
  Guarded([](web::Page& p) { p.ReleasePoint(); });
}
EMSCRIPTEN_KEEPALIVE void bl_division(int i, int on) {
  Guarded([=](web::Page& p) { p.SetDivisions(i, on != 0); });
}
EMSCRIPTEN_KEEPALIVE void bl_approximate(int on) {
  Guarded([=](web::Page& p) { p.SetApproximate(on != 0); });
}
EMSCRIPTEN_KEEPALIVE void bl_accurate(int on) {
  Guarded([=](web::Page& p) { p.SetAccurate(on != 0); });
}
EMSCRIPTEN_KEEPALIVE void bl_distance(int d) {
  Guarded([=](web::Page& p) { p.SetDistance(d); });
}
EMSCRIPTEN_KEEPALIVE void bl_undo() {
  Guarded([](web::Page& p) { p.Undo(); });
}
EMSCRIPTEN_KEEPALIVE void bl_redo() {
  Guarded([](web::Page& p) { p.Redo(); });
}
EMSCRIPTEN_KEEPALIVE void bl_reset() {
  Guarded([](web::Page& p) { p.Reset(); });
}
// Which of undo, redo and reset have a step to make: "1" or "0" for each, in
// that order, separated by spaces.
EMSCRIPTEN_KEEPALIVE const char* bl_can() {
  const web::Page& p = ThePage();
  return Give(std::string(p.CanUndo() ? "1" : "0") + (p.CanRedo() ? " 1" : " 0") +
              (p.CanReset() ? " 1" : " 0"));
}

// The drawing calls of the latest redraw (see Recorder.h).
EMSCRIPTEN_KEEPALIVE const double* bl_calls() { return ThePage().Drawing().Calls().data(); }
EMSCRIPTEN_KEEPALIVE int bl_calls_size() {
  return static_cast<int>(ThePage().Drawing().Calls().size());
}

// What the controls show: the state, one value per line in the order
// grabbed, four division boxes, yellow, blue, distance.
EMSCRIPTEN_KEEPALIVE const char* bl_controls() {
  const scene::State& s = ThePage().Last().state;
  std::string out = std::to_string(s.grabIndex);
  for (bool d : s.divisions) out += d ? " 1" : " 0";
  out += s.approximate ? " 1" : " 0";
  out += s.accurate ? " 1" : " 0";
  out += " " + std::to_string(static_cast<int>(s.dist));
  return Give(out);
}

EMSCRIPTEN_KEEPALIVE const char* bl_report() { return Give(ThePage().Report()); }
EMSCRIPTEN_KEEPALIVE const char* bl_caption() { return Give(ThePage().Caption()); }
EMSCRIPTEN_KEEPALIVE const char* bl_distance_text() { return Give(ThePage().DistanceText()); }
EMSCRIPTEN_KEEPALIVE const char* bl_description() {
  return Give(scene::PictureDescription(ThePage().Last()));
}
EMSCRIPTEN_KEEPALIVE const char* bl_length_tip() {
  return Give(scene::JoinLines(scene::LengthLines(ThePage().Analysis().Lengths())));
}
EMSCRIPTEN_KEEPALIVE const char* bl_deviation_tip() {
  return Give(scene::DeviationLine(ThePage().Analysis().Deviation()));
}

// The link's fragment for the state shown, and a fragment taken as the state
// and the language (the browser's when it names none): "" when both were
// applied, else the message that names the problem.
EMSCRIPTEN_KEEPALIVE const char* bl_fragment() { return Give(ThePage().Fragment()); }
EMSCRIPTEN_KEEPALIVE const char* bl_take_fragment(const char* fragment) {
  return Taken([=](web::Page& p) { return web::TakeFragment(p, fragment); });
}

// The state as one line of options, as the window copies it.
EMSCRIPTEN_KEEPALIVE const char* bl_state_line() {
  return Give(state::StateLineText(ThePage().Current()));
}

// The state file the window would write for the state shown.
EMSCRIPTEN_KEEPALIVE const char* bl_state_file() {
  return Give(state::StateFileText(ThePage().Current()));
}

// A state file's JSON, a line of state options or a link's fragment pasted
// (web::TakeText): "" when it was applied, else the message.
EMSCRIPTEN_KEEPALIVE const char* bl_take_text(const char* text) {
  return Taken([=](web::Page& p) { return web::TakeText(p, text); });
}

// Room for the `length` bytes of a file chosen to open, which the page writes
// there before bl_take_file.
EMSCRIPTEN_KEEPALIVE char* bl_file_bytes(double length) {
  FileBytes().assign(static_cast<std::size_t>(length), '\0');
  return FileBytes().data();
}

// The file chosen to open, of `size` bytes, named `name`, with the bytes the
// page wrote (none beyond the largest state text): "" when it was applied,
// else the message.
EMSCRIPTEN_KEEPALIVE const char* bl_take_file(const char* name, double size) {
  return Taken([=](web::Page& p) { return web::TakeFile(p, name, size, FileBytes()); });
}
EMSCRIPTEN_KEEPALIVE double bl_largest_state_text() {
  return static_cast<double>(state::kLargestStateText);
}

// The plot's design size, [width, height] in CSS pixels.
EMSCRIPTEN_KEEPALIVE const char* bl_plot_size() {
  return Give("[" + std::to_string(scene::plot::kWidth) + "," +
              std::to_string(scene::plot::kHeight) + "]");
}

// The convergence plot for the points shown, `width` x `height` design pixels;
// the length rules' plot instead when `rules` is not 0.
EMSCRIPTEN_KEEPALIVE const char* bl_plot(double width, double height, double rules) {
  std::string json;
  Guarded([&](web::Page& p) {
    json = rules != 0 ? web::RulesPlotJson(p.Current(), width, height, PageMeasure())
                      : web::PlotJson(p.Current(), width, height, PageMeasure());
  });
  return Give(json);
}

// The offset view for the state shown with point `grabbed` drawn as grabbed
// (web/Offsets.h), its curve view's drawing calls kept for the two below.
EMSCRIPTEN_KEEPALIVE const char* bl_offsets(int grabbed) {
  std::string json;
  Guarded([&](web::Page& p) {
    scene::State state = p.Current();
    state.grabIndex = grabbed;
    json = web::OffsetsJson(state, OffsetCurve(), PageMeasure());
  });
  return Give(json);
}
EMSCRIPTEN_KEEPALIVE const double* bl_offset_calls() { return OffsetCurve().Calls().data(); }
EMSCRIPTEN_KEEPALIVE int bl_offset_calls_size() {
  return static_cast<int>(OffsetCurve().Calls().size());
}

EMSCRIPTEN_KEEPALIVE const char* bl_layout() { return Give(web::LayoutJson()); }

// The language of the texts: the browser's languages (comma-separated, in
// order), and the one chosen with the switch ("ja" or "en"). Then the page's
// own texts in it, and a link's problem again, in it, without taking the link.
EMSCRIPTEN_KEEPALIVE void bl_follow_browser(const char* languages) {
  Guarded([=](web::Page& p) { p.FollowBrowser(languages); });
}
EMSCRIPTEN_KEEPALIVE void bl_choose_language(const char* name) {
  Guarded([=](web::Page& p) { p.ChooseLanguage(i18n::LanguageNamed(name)); });
}
EMSCRIPTEN_KEEPALIVE const char* bl_texts() { return Give(web::TextsJson()); }
EMSCRIPTEN_KEEPALIVE const char* bl_manifest() { return Give(web::ManifestJson()); }
EMSCRIPTEN_KEEPALIVE const char* bl_link_problem(const char* fragment) {
  return Give(web::LinkProblem(fragment));
}

}  // extern "C"
