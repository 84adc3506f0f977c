#include "ConvergenceWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QShortcut>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <cmath>

#include "Beside.h"
#include "Design.h"
#include "DivisionCounts.h"
#include "PlotPainter.h"
#include "RulesFigure.h"
#include "RulesPlot.h"
#include "main.h"

namespace editor {

namespace {

// The plot itself, painted from the window's latest table.
class PlotArea final : public QWidget {
 public:
  using Source = std::function<void(QPainter&, QSizeF)>;
  PlotArea(Source paint, QWidget* parent) : QWidget(parent), paint_(std::move(paint)) {
    setMinimumSize(surface::kPlotWidth / 2, surface::kPlotHeight / 2);
  }
  QSize sizeHint() const override { return {surface::kPlotWidth, surface::kPlotHeight}; }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    paint_(painter, size());
  }

 private:
  Source paint_;
};

QString Fixed(double v) { return QString::number(v, 'f', 4); }

}  // namespace

ConvergenceWindow::ConvergenceWindow(main& owner) : owner_(owner) {
  setObjectName("ConvergenceWindow");
  setWindowTitle(QString::fromUtf8(i18n::Tr("長さの収束")));
  setAttribute(Qt::WA_QuitOnClose, false);
  plot_ = new PlotArea(
      [this](QPainter& painter, QSizeF size) {
        if (!picture_.isNull() && picture_.deviceIndependentSize() == size) {
          painter.drawImage(0, 0, picture_);
        } else if (shown_ && shown_->rules && rules_) {
          // Resized since: drawn here once, until the new picture is ready.
          surface::PaintFitted(painter, size, surface::RulesFigure(*rules_));
        } else if (table_ && shown_) {
          surface::PaintConvergence(painter, size, *table_, shown_->ticked);
        } else {
          painter.fillRect(QRectF(QPointF(0, 0), size), surface::ToQt(scene::plot::kBackground));
        }
      },
      this);
  plot_->setObjectName("ConvergencePlot");
  plot_->setAccessibleName(QString::fromUtf8(i18n::Tr("長さの収束の図")));
  rows_ = new QLabel(this);
  rows_->setObjectName("ConvergenceRows");
  rows_->setTextFormat(Qt::PlainText);
  rows_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  rows_->setFocusPolicy(Qt::StrongFocus);
  // The switch to the rules' plot, reached by Tab like the rows.
  rulesSwitch_ = new QCheckBox(QString::fromUtf8(i18n::Tr("長さの規則の図")), this);
  rulesSwitch_->setObjectName("RulesSwitch");
  rulesSwitch_->setAccessibleName(QString::fromUtf8(i18n::Tr("長さの規則の図に切り替える")));
  rulesSwitch_->setFocusPolicy(Qt::StrongFocus);
  connect(rulesSwitch_, &QCheckBox::toggled, this, [this] { Follow(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(rulesSwitch_);
  layout->addWidget(plot_, 1);
  layout->addWidget(rows_);
  setFocusProxy(rows_);

  dragTimer_.setSingleShot(true);
  dragTimer_.setInterval(kDragIntervalMs);
  connect(&dragTimer_, &QTimer::timeout, this, [this] { Compute(); });
  connect(&watcher_, &QFutureWatcher<Done>::finished, this, [this] { Finished(); });
  auto* close = new QShortcut(Qt::Key_F2, this);
  connect(close, &QShortcut::activated, this, [this] { Toggle(); });
}

ConvergenceWindow::~ConvergenceWindow() { watcher_.waitForFinished(); }

void ConvergenceWindow::Toggle() {
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

void ConvergenceWindow::Follow() {
  if (!isVisible()) return;
  Job job{owner_.P, {}, plot_->size(), plot_->devicePixelRatioF(), rulesSwitch_->isChecked()};
  for (std::size_t i = 0; i < job.ticked.size(); ++i) job.ticked[i] = owner_.Check1[i]->isChecked();
  pending_ = job;
  if (owner_.grabIndex >= 0) {
    // While a point is dragged: at most one table per interval.
    if (!dragTimer_.isActive()) dragTimer_.start();
    return;
  }
  dragTimer_.stop();
  Compute();
}

void ConvergenceWindow::Compute() {
  if (!pending_ || watcher_.isRunning()) return;  // Finished() picks the latest up
  if (pending_ == shown_) {
    pending_.reset();
    return;
  }
  running_ = *pending_;
  pending_.reset();
  // Only the boxes or the size changed: the table is kept, the plot redrawn.
  std::optional<geometry::ConvergenceTable> known;
  std::optional<geometry::LengthRulesTable> knownRules;
  if (shown_ && table_ && shown_->P == running_.P) {
    known = table_;
    knownRules = rules_;
  }
  watcher_.setFuture(QtConcurrent::run(
      [job = running_, known = std::move(known), knownRules = std::move(knownRules)]() mutable {
        return Run(job, std::move(known), std::move(knownRules));
      }));
}

bool ConvergenceWindow::Job::operator==(const Job& other) const {
  return P == other.P && ticked == other.ticked && size == other.size &&
         pixelRatio == other.pixelRatio && rules == other.rules;
}

ConvergenceWindow::Done ConvergenceWindow::Run(
    const Job& job, std::optional<geometry::ConvergenceTable> known,
    std::optional<geometry::LengthRulesTable> knownRules) {
  Done done{known ? std::move(*known) : geometry::Convergence(job.P), std::move(knownRules), {}};
  if (job.rules && !done.rules) done.rules = geometry::LengthRules(job.P);
  // Qt 6 draws text on an image in any thread.
  if (!job.size.isEmpty()) {
    done.picture = QImage(job.size * job.pixelRatio, QImage::Format_ARGB32_Premultiplied);
    done.picture.setDevicePixelRatio(job.pixelRatio);
    QPainter painter(&done.picture);
    if (job.rules) {
      surface::PaintFitted(painter, job.size, surface::RulesFigure(*done.rules));
    } else {
      surface::PaintConvergence(painter, job.size, done.table, job.ticked);
    }
  }
  return done;
}

void ConvergenceWindow::Finished() {
  Done done = watcher_.result();
  if (!shown_ || !(shown_->P == running_.P)) ++computed_;
  table_ = std::move(done.table);
  rules_ = std::move(done.rules);
  picture_ = std::move(done.picture);
  shown_ = running_;
  ShowTable();
  // A state that arrived meanwhile is computed now, unless the drag interval
  // is still running; then the timer will.
  if (pending_ && !dragTimer_.isActive()) Compute();
}

void ConvergenceWindow::ShowTable() {
  if (!table_) return;
  QStringList lines;
  const bool rules = shown_ && shown_->rules && rules_;
  for (const std::string& line :
       rules ? scene::plot::RulesSummaryLines(*rules_) : scene::plot::WindowCountLines(*table_)) {
    lines << QString::fromStdString(line);
  }
  rows_->setText(lines.join('\n'));
  plot_->setAccessibleName(
      QString::fromUtf8(rules ? i18n::Tr("長さの規則の図") : i18n::Tr("長さの収束の図")));
  const surface::PlotCounts counts = surface::CountRows(*table_);
  plot_->setAccessibleDescription(
      QString::fromUtf8(
          i18n::Tr("真の長さ（参照値） %1。点 %2 個、うち標本数が分割数と違う点 %3 個。"))
          .arg(Fixed(table_->referenceLength))
          .arg(counts.shown)
          .arg(counts.quirks));
  plot_->update();
}

void ConvergenceWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Follow();
}

void ConvergenceWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Follow();
}

void ConvergenceWindow::hideEvent(QHideEvent* event) {
  // Closed: nothing more is computed; a computation under way just ends.
  dragTimer_.stop();
  pending_.reset();
  QWidget::hideEvent(event);
}

ConvergenceWindow* InstallConvergenceWindow(main& window) {
  auto* convergence = new ConvergenceWindow(window);
  KeepWith(window, convergence);
  auto* key = new QShortcut(Qt::Key_F2, &window);
  QObject::connect(key, &QShortcut::activated, convergence,
                   [convergence] { convergence->Toggle(); });
  QObject::connect(&window, &main::Redrawn, convergence, [convergence] { convergence->Follow(); });
  return convergence;
}

}  // namespace editor
