#pragma once

// The window オフセットの誤差 (F3): the offset study of the main window's
// current state beside it: the plot of the yellow curve's error and of the
// factor that scales its handles, the curve drawn again with the true offset
// curve's cusps and the yellow curve's worst point ringed, and the study's
// table as text a screen reader reads and a user can select and copy. Like the
// convergence window it follows the main window's redraws without slowing
// them: the study and both pictures are made off the interface thread, only
// for the latest state, at most every 100 ms while a point is dragged and
// once after the release; while it is closed nothing is computed.

#include <QFutureWatcher>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <string>

#include "OffsetStudy.h"
#include "Scene.h"

class QPlainTextEdit;

namespace editor {

class main;

class OffsetWindow final : public QWidget {
  Q_OBJECT

 public:
  explicit OffsetWindow(main& owner);
  ~OffsetWindow() override;

  // Called after every redraw of the main window.
  void Follow();
  // Opens the window beside the main window, or closes it.
  void Toggle();

  // What is shown: the latest study, and how many studies were made.
  const std::optional<geometry::OffsetStudy>& Study() const { return study_; }
  int StudiesComputed() const { return computed_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  // What one computation is for: the state drawn and the pictures' pixel ratio.
  struct Job {
    scene::State state;
    qreal pixelRatio = 1;
    bool operator==(const Job& other) const;
  };
  struct Done {
    geometry::OffsetStudy study;
    QImage curve;
    QImage plot;
    std::string caption;  // the plot's description: the fewest pieces
    std::string text;
    std::string description;
  };
  static Done Run(const Job& job);

  void Compute();
  void Finished();

  main& owner_;
  QWidget* plot_;
  QWidget* curve_;
  QPlainTextEdit* rows_;
  QTimer dragTimer_;
  QFutureWatcher<Done> watcher_;
  std::optional<Job> pending_;  // the latest state not yet handed to a computation
  Job running_{};               // the computation under way
  std::optional<Job> shown_;    // what is shown
  std::optional<geometry::OffsetStudy> study_;
  QImage curvePicture_;
  QImage plotPicture_;
  int computed_ = 0;
  bool placed_ = false;
};

// Makes the offset window of `window` and binds F3 to open and close it.
OffsetWindow* InstallOffsetWindow(main& window);

}  // namespace editor
