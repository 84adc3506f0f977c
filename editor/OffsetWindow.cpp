#include "OffsetWindow.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <functional>

#include "AnalysisText.h"
#include "Beside.h"
#include "Design.h"
#include "Fonts.h"
#include "OffsetPlot.h"
#include "OffsetText.h"
#include "OffsetView.h"
#include "PlotFigure.h"
#include "Pointer.h"
#include "RasterSurface.h"
#include "Studies.h"
#include "main.h"

namespace editor {

namespace {

// The room the study's text is given, in characters and lines.
constexpr int kRowsColumns = 96;
constexpr int kRowsLines = 20;

// A picture made by the worker, shown as it is; the area's background until
// the first one is there.
class PictureView final : public QWidget {
 public:
  using Source = std::function<const QImage&()>;
  PictureView(QSize size, Source picture, QWidget* parent)
      : QWidget(parent), picture_(std::move(picture)) {
    setFixedSize(size);
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    const QImage& picture = picture_();
    if (picture.isNull()) {
      painter.fillRect(rect(), surface::ToQColor(scene::kAreaBackColour));
    } else {
      painter.drawImage(0, 0, picture);
    }
  }

 private:
  Source picture_;
};

// The window's content, scrolled where the screen is smaller than it: its
// size hint is the whole content's, so that the window opens at that size
// where the screen has room.
class Scrolled final : public QScrollArea {
 public:
  Scrolled(QWidget* content, QWidget* parent) : QScrollArea(parent) {
    setWidget(content);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
  }
  QSize sizeHint() const override {
    return widget()->sizeHint() + QSize(2 * frameWidth(), 2 * frameWidth());
  }
};

}  // namespace

OffsetWindow::OffsetWindow(main& owner) : owner_(owner) {
  setObjectName("OffsetWindow");
  setWindowTitle(QString::fromUtf8(i18n::Tr("オフセットの誤差")));
  setAttribute(Qt::WA_QuitOnClose, false);
  curve_ = new PictureView(
      {scene::kAreaSize, scene::kAreaSize}, [this]() -> const QImage& { return curvePicture_; },
      this);
  curve_->setObjectName("OffsetCurve");
  curve_->setAccessibleName(QString::fromUtf8(i18n::Tr("曲線と尖点")));
  plot_ = new PictureView(
      {scene::plot::kWidth, scene::plot::kHeight},
      [this]() -> const QImage& { return plotPicture_; }, this);
  plot_->setObjectName("OffsetPlot");
  plot_->setAccessibleName(QString::fromUtf8(i18n::Tr("オフセットの誤差の図")));
  // The study's lines: read-only text a user selects and copies, in a
  // fixed-pitch font so that the splitting table's columns line up, sized
  // for a table of two cusps before the first study arrives, so that the
  // window is placed at the size it keeps.
  rows_ = new QPlainTextEdit(this);
  rows_->setObjectName("OffsetRows");
  rows_->setAccessibleName(QString::fromUtf8(i18n::Tr("オフセットの誤差")));
  rows_->setReadOnly(true);
  rows_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  rows_->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setFamilies(surface::FixedPitchFamilies());
  rows_->setFont(fixed);
  const QFontMetrics metrics(rows_->font());
  rows_->setMinimumSize(metrics.horizontalAdvance(QLatin1Char('0')) * kRowsColumns,
                        metrics.lineSpacing() * kRowsLines);
  auto* content = new QWidget;
  auto* pictures = new QHBoxLayout;
  pictures->addWidget(plot_, 0, Qt::AlignTop);
  pictures->addWidget(curve_, 0, Qt::AlignTop);
  auto* inner = new QVBoxLayout(content);
  inner->addLayout(pictures);
  inner->addWidget(rows_, 1);
  auto* scroll = new Scrolled(content, this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll);
  setFocusProxy(rows_);

  dragTimer_.setSingleShot(true);
  dragTimer_.setInterval(scene::kStudyDragIntervalMs);
  connect(&dragTimer_, &QTimer::timeout, this, [this] { Compute(); });
  connect(&watcher_, &QFutureWatcher<Done>::finished, this, [this] { Finished(); });
  auto* close = new QShortcut(Qt::Key_F3, this);
  connect(close, &QShortcut::activated, this, [this] { Toggle(); });
}

OffsetWindow::~OffsetWindow() { watcher_.waitForFinished(); }

void OffsetWindow::Toggle() {
  if (isVisible()) {
    close();
    return;
  }
  if (!placed_) {
    PlaceBeside(*this, owner_);
    placed_ = true;
  }
  show();
  raise();
  activateWindow();
}

void OffsetWindow::Follow() {
  if (!isVisible()) return;
  Job job{owner_.CurrentState(), curve_->devicePixelRatioF()};
  job.state.grabIndex = owner_.grabIndex;
  pending_ = job;
  if (owner_.grabIndex >= 0) {
    // While a point is dragged: at most one study per interval.
    if (!dragTimer_.isActive()) dragTimer_.start();
    return;
  }
  dragTimer_.stop();
  Compute();
}

void OffsetWindow::Compute() {
  if (!pending_ || watcher_.isRunning()) return;  // Finished() picks the latest up
  if (pending_ == shown_) {
    pending_.reset();
    return;
  }
  running_ = *pending_;
  pending_.reset();
  watcher_.setFuture(QtConcurrent::run(&OffsetWindow::Run, running_));
}

bool OffsetWindow::Job::operator==(const Job& other) const {
  const scene::State& a = state;
  const scene::State& b = other.state;
  return a.P == b.P && a.grabIndex == b.grabIndex && a.divisions == b.divisions &&
         a.approximate == b.approximate && a.accurate == b.accurate && a.dist == b.dist &&
         pixelRatio == other.pixelRatio;
}

OffsetWindow::Done OffsetWindow::Run(const Job& job) {
  Done done;
  done.study = geometry::StudyOffset(job.state.P, job.state.dist);
  // Qt 6 paints on an image in any thread.
  surface::RasterSurface curve(scene::kAreaSize, scene::kAreaSize, job.pixelRatio,
                               surface::ToQColor(scene::kAreaBackColour));
  scene::DrawOffsetView(job.state, done.study, curve);
  done.curve = curve.Picture();
  const QSize plotSize(scene::plot::kWidth, scene::plot::kHeight);
  done.plot = QImage(plotSize * job.pixelRatio, QImage::Format_ARGB32_Premultiplied);
  done.plot.setDevicePixelRatio(job.pixelRatio);
  QPainter painter(&done.plot);
  surface::PaintOffsets(painter, plotSize, job.state.P, done.study);
  done.description = scene::OffsetViewDescription(done.study);
  done.caption = scene::FewestLine(done.study, 0) + "\n" + scene::FewestLine(done.study, 1);
  done.text = scene::JoinLines(scene::OffsetLines(done.study));
  return done;
}

void OffsetWindow::Finished() {
  Done done = watcher_.result();
  const bool sameStudy =
      shown_ && shown_->state.P == running_.state.P && shown_->state.dist == running_.state.dist;
  if (!sameStudy) ++computed_;
  study_ = std::move(done.study);
  curvePicture_ = std::move(done.curve);
  plotPicture_ = std::move(done.plot);
  shown_ = running_;
  rows_->setPlainText(QString::fromStdString(done.text));
  curve_->setAccessibleDescription(QString::fromStdString(done.description));
  curve_->update();
  plot_->setAccessibleDescription(QString::fromStdString(done.caption));
  plot_->update();
  // A state that arrived meanwhile is computed now, unless the drag interval
  // is still running; then the timer will.
  if (pending_ && !dragTimer_.isActive()) Compute();
}

void OffsetWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Follow();
}

void OffsetWindow::hideEvent(QHideEvent* event) {
  // Closed: nothing more is computed; a computation under way just ends.
  dragTimer_.stop();
  pending_.reset();
  QWidget::hideEvent(event);
}

OffsetWindow* InstallOffsetWindow(main& window) {
  auto* offsets = new OffsetWindow(window);
  KeepWith(window, offsets);
  auto* key = new QShortcut(Qt::Key_F3, &window);
  QObject::connect(key, &QShortcut::activated, offsets, [offsets] { offsets->Toggle(); });
  QObject::connect(&window, &main::Redrawn, offsets, [offsets] { offsets->Follow(); });
  return offsets;
}

}  // namespace editor
