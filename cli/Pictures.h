#pragma once

// The tool's pictures (--png, --svg) and plots (--plot) come from a module of
// their own, a shared library loaded only when one is asked for, so that the
// text, JSON and batch outputs load no Qt at all. The module is found beside
// the tool (the build tree) or where the install puts it relative to the
// tool's folder (PictureLoader.cpp). PictureJob is all the two sides share.
//
// A new plot is one more PlotJob member below, set by the tool when its
// option is given (Tool.cpp: its table, its format, its file among the
// outputs), and painted by the module (PictureModule.cpp) like --plot.

#include <optional>
#include <string>
#include <variant>

#include "Convergence.h"
#include "Language.h"
#include "LengthRules.h"
#include "OffsetStudy.h"
#include "Options.h"
#include "Scene.h"

namespace cli {

// One plot asked for: the table it is drawn from (computed by the tool; null
// when the plot is not asked for), its format ("svg" or "png"), and the
// file's bytes the module made of it.
template <typename Table>
struct PlotJob {
  const Table* table = nullptr;
  std::string format;
  std::string bytes;
};

// What the tool asks of the module, and what the module gives back.
struct PictureJob {
  // In: the run's request (the state, --png, --svg, --scale) and the
  // language of the run's texts.
  const Request* request = nullptr;
  i18n::Language language = i18n::Language::Japanese;
  // In and out: each plot.
  PlotJob<geometry::ConvergenceTable> convergence;  // --plot
  PlotJob<geometry::LengthRulesTable> rules;        // --rules-plot
  PlotJob<geometry::OffsetStudy> offsets;           // --offset-plot
  // Out: the scene as it was drawn on the pictures, each picture's bytes,
  // or the one line that says why something could not be made.
  scene::Result result;
  std::string png;
  std::string svg;
  std::optional<std::string> failure;
};

// The module's entry: draws the scene once on every picture asked for and
// paints every plot whose table is given.
using MakePicturesFunction = void (*)(PictureJob& job);

// The module's file name and the name of its entry, a MakePicturesFunction.
inline constexpr const char* kPictureModule = "bezierlab-report-pictures.so";
inline constexpr const char* kPictureEntry = "bezierlab_report_make_pictures";

// The module's entry, loaded on the first call, or the one line that says
// why the module cannot be loaded.
std::variant<MakePicturesFunction, std::string> LoadPictures();

}  // namespace cli
