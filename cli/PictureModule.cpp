// The picture module of bezierlab-report: the scene drawn on the raster
// picture and the SVG recorder, and each plot asked for, every one encoded as
// its file's bytes. Loaded by the tool only when a picture is asked for
// (Pictures.h), so that only then are Qt Gui and Qt Svg loaded.
//
// A QCoreApplication is enough for the scene's pictures: they are painted on
// images and SVG generators, with no platform plugin and no fonts. A plot has
// text, and fonts need a GUI application: only then is one made, on the
// offscreen platform, so no display is needed. Qt then wants a usable runtime
// folder (RuntimeFolder.h): where the user has none, the run gets a private
// one, so that Qt prints nothing of its own.

#include <QBuffer>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <memory>
#include <optional>
#include <string>

#include "FanOutSurface.h"
#include "PainterSurface.h"
#include "Pictures.h"
#include "PlotOutput.h"
#include "Pointer.h"
#include "RasterSurface.h"
#include "RuntimeFolder.h"
#include "Tr.h"
#include "VectorSurface.h"

namespace cli {

namespace {

// The window's design caption.
constexpr const char* kSvgTitle = i18n::Mark("ベジェ曲線の長さ計算・オフセット曲線サンプル");

// The application the pictures need: a GUI one for the plots' fonts.
class PictureApplication {
 public:
  explicit PictureApplication(bool plots) {
    if (plots) {
      qputenv("QT_QPA_PLATFORM", "offscreen");
      runtime_ = std::make_unique<files::PrivateRuntimeFolder>("bezierlab-report");
      app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    } else {
      app_ = std::make_unique<QCoreApplication>(argc_, argv_);
    }
    // The tool needs no other plugin: PNG is built into Qt Gui. Without a
    // search path, writing a PNG does not first load every image-format plugin.
    QCoreApplication::setLibraryPaths({});
  }

 private:
  int argc_ = 1;
  char name_[17] = "bezierlab-report";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<files::PrivateRuntimeFolder> runtime_;  // outlives the application
  std::unique_ptr<QCoreApplication> app_;
};

// The picture with a palette of exactly its own colours, when it has at most
// 256: the same pixels, written as a palette PNG in a third of the time and
// half the size. The scene is drawn without antialiasing, so it has a handful.
QImage Palettized(const QImage& picture) {
  constexpr qsizetype kPaletteSize = 256;
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  QList<QRgb> colours;
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    QRgb last = colours.isEmpty() ? 0 : colours.first();
    for (int x = 0; x < rgb.width(); ++x) {
      if (row[x] == last) continue;
      last = row[x];
      if (colours.contains(last)) continue;
      if (colours.size() == kPaletteSize) return picture;
      colours.append(last);
    }
  }
  // Every pixel's colour is in the table, so the nearest entry is its own.
  return rgb.convertToFormat(QImage::Format_Indexed8, colours, Qt::ThresholdDither);
}

void MakePictures(PictureJob& job) {
  const Request& request = *job.request;
  const PictureApplication application(job.convergence.table != nullptr ||
                                       job.rules.table != nullptr || job.offsets.table != nullptr);
  using scene::kAreaSize;
  const QColor background = surface::ToQColor(scene::kAreaBackColour);
  drawing::FanOutSurface surface(kAreaSize, kAreaSize);
  std::optional<surface::RasterSurface> raster;
  if (request.png) {
    raster.emplace(kAreaSize, kAreaSize, request.scale, background);
    surface.Add(*raster);
  }
  QByteArray svg;
  QBuffer svgBuffer(&svg);
  std::optional<surface::VectorSurface> vector;
  if (request.svg) {
    svgBuffer.open(QIODevice::WriteOnly);
    vector.emplace(kAreaSize, kAreaSize, request.scale, background, &svgBuffer,
                   QString::fromUtf8(i18n::Tr(kSvgTitle)));
    surface.Add(*vector);
  }
  job.result = scene::Draw(request.state, surface,
                           request.json ? scene::Vertices::kKeep : scene::Vertices::kCount);
  if (raster) {
    QByteArray png;
    QBuffer pngBuffer(&png);
    pngBuffer.open(QIODevice::WriteOnly);
    if (!Palettized(raster->Picture()).save(&pngBuffer, "PNG")) {
      job.failure = i18n::Tr("--png の画像を PNG に符号化できません（何も書いていません）");
      return;
    }
    job.png = png.toStdString();
  }
  if (vector) {
    vector->Finish();
    job.svg = svg.toStdString();
  }
  if (job.convergence.table != nullptr) {
    job.failure = PaintConvergencePlot(job.convergence, request);
    if (job.failure) return;
  }
  if (job.rules.table != nullptr) {
    job.failure = PaintRulesPlot(job.rules, request);
    if (job.failure) return;
  }
  if (job.offsets.table != nullptr) {
    job.failure = PaintOffsetPlot(job.offsets, request);
    if (job.failure) return;
  }
}

}  // namespace

}  // namespace cli

// The module's entry (Pictures.h). The module has its own copy of the texts'
// layer, so it is told the language of the run first.
extern "C" __attribute__((visibility("default"))) void bezierlab_report_make_pictures(
    cli::PictureJob& job) {
  i18n::SetLanguage(job.language);
  cli::MakePictures(job);
}
