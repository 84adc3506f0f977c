#pragma once

// The window 長さの収束 (F2): the convergence plot for the main window's
// current control points, beside it. It follows the main window's redraws
// without slowing them: the table is computed off the interface thread, only
// for the latest state, at most every 100 ms while a point is dragged and once
// after the release. The plot is painted there too, so the interface thread
// only shows the finished picture. While it is closed nothing is computed.
// A check box above the plot switches it to the length rules' plot of the
// same points (their table computed the same way), the rows below to its
// summary.

#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <array>
#include <optional>

#include "Convergence.h"
#include "ConvergencePlot.h"
#include "IntPoint.h"
#include "LengthRules.h"
#include "Studies.h"

class QCheckBox;
class QLabel;

namespace editor {

class main;

class ConvergenceWindow final : public QWidget {
  Q_OBJECT

 public:
  // The interval between two tables while a point is dragged.
  static constexpr int kDragIntervalMs = scene::kStudyDragIntervalMs;

  explicit ConvergenceWindow(main& owner);
  ~ConvergenceWindow() override;

  // Called after every redraw of the main window.
  void Follow();
  // Opens the window beside the main window, or closes it.
  void Toggle();

  // What is shown: the latest table computed, and how many tables were.
  const std::optional<geometry::ConvergenceTable>& Table() const { return table_; }
  int TablesComputed() const { return computed_; }
  // The rules' table, when the rules' plot is shown.
  const std::optional<geometry::LengthRulesTable>& RulesTable() const { return rules_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  // What one computation is for: the points, the ticked counts, the
  // plot's size on the screen and whether it is the rules' plot.
  struct Job {
    std::array<geometry::IntPoint, 4> P;
    surface::Ticked ticked;
    QSize size;
    qreal pixelRatio;
    bool rules = false;
    bool operator==(const Job& other) const;
  };
  struct Done {
    geometry::ConvergenceTable table;
    std::optional<geometry::LengthRulesTable> rules;  // for a job of the rules' plot
    QImage picture;                                   // null for an empty plot area
  };
  static Done Run(const Job& job, std::optional<geometry::ConvergenceTable> known,
                  std::optional<geometry::LengthRulesTable> knownRules);

  void Compute();
  void Finished();
  void ShowTable();

  main& owner_;
  QWidget* plot_;
  QLabel* rows_;
  QCheckBox* rulesSwitch_;
  QTimer dragTimer_;
  QFutureWatcher<Done> watcher_;
  std::optional<Job> pending_;  // the latest state not yet handed to a computation
  Job running_{};               // the computation under way
  std::optional<Job> shown_;    // what table_ and picture_ show
  std::optional<geometry::ConvergenceTable> table_;
  std::optional<geometry::LengthRulesTable> rules_;
  QImage picture_;
  int computed_ = 0;
  bool placed_ = false;
};

// Makes the convergence window of `window` and binds F2 to open and close it.
ConvergenceWindow* InstallConvergenceWindow(main& window);

}  // namespace editor
