#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "Design.h"
#include "History.h"
#include "IntPoint.h"
#include "PictureBox.h"
#include "Scene.h"
#include "WindowArguments.h"
#include "WindowTexts.h"

namespace editor {

class Commands;

// The window's captions and texts, from the design (scene/Design.h).
using scene::kBusyCaption;
using scene::kDesignCaption;
using scene::kDesignDistanceText;
using scene::kDistanceTextPrefix;
using scene::kPointerCaptionPrefix;

// The one window: the control points, the drag state, the ten controls, the
// event handlers and the redraw of scene and report.
class main : public QWidget {
  Q_OBJECT

 public:
  // Creates the controls and runs Form_Load, so the first scene and report
  // exist before the window is first shown.
  explicit main(QWidget* parent = nullptr);

  // State.
  std::array<geometry::IntPoint, 4> P{};
  std::int32_t grabIndex = -1;

  // Controls.
  editor::PictureBox* Picture1;
  QLabel* Label1;
  QLabel* Label2;
  std::array<QCheckBox*, 4> Check1;
  std::array<QCheckBox*, 2> Check2;
  QScrollBar* HScroll1;

  // Event handlers.
  void Form_Load();
  void Picture1_MouseDown(short Button, short Shift, float x, float y);
  void Picture1_MouseMove(short Button, short Shift, float x, float y);
  void Picture1_MouseUp(short Button, short Shift, float x, float y);
  void Check1_Click(short Index);
  void Check2_Click(short Index);
  void HScroll1_Change();
  void HScroll1_Scroll();

  // Procedures.
  void Redraw();
  void DrawApproximateOffsetCurve(float dist);
  void DrawAccurateOffsetCurve(float dist);

  // Puts the report (the text of Label1) and the retained picture of Picture1
  // on the clipboard together; the copy key (Ctrl+C) calls it.
  void CopyToClipboard();

  // The tool tips' texts, from what the latest redraw computed: over Label1
  // the true length and each listed sum's error; over Check2(0) the yellow
  // curve's largest deviation. Computed when asked for, never by Redraw.
  std::string LengthAnalysisText() const;
  std::string DeviationText() const;

  // Editing with the keyboard (Picture1's keys 1-4, the arrows and Escape):
  // PickPoint makes P(i) the grabbed point, as a press on it would;
  // MovePoint moves the grabbed point by (dx, dy) within the move handler's
  // margins; ReleasePoint lets it go, as a button-up does. Each redraws once
  // and tells a screen reader the new state; a move or release with no point
  // grabbed does nothing. The window caption is left alone.
  void PickPoint(int i);
  void MovePoint(int dx, int dy);
  void ReleasePoint();

  // For a screen reader, computed from the latest redraw when asked: what the
  // drawing area shows, and a check box's figures.
  std::string PictureDescription() const;
  std::string BoxDescription(const QCheckBox* box) const;

  // The state the window shows, as a state file keeps it: no point grabbed.
  scene::State CurrentState() const;
  // The one way a whole state enters the window (command line, Open, Paste,
  // undo, redo, reset): sets P with no point grabbed, the six boxes and the
  // scroll bar without running their handlers, writes Label2 as
  // HScroll1_Change does when the distance changes, then calls Redraw once.
  // Records no undo step; `state` must be one the window can reach.
  void ApplyState(const scene::State& state);
  // How a step merges with the step recorded just before it (state/History.h).
  using UndoMerge = state::History::Merge;
  // Records one undoable step from `before` to the state the window shows
  // now; nothing when they are the same. Never redraws, runs no handler.
  void RecordStep(const scene::State& before, UndoMerge merge = UndoMerge::None);
  // Whether the keys that change the state wait: a button is held over
  // Picture1 or on the scroll bar's thumb.
  bool KeysWait() const;

 signals:
  // After every Redraw: the convergence window (F2) follows the state.
  void Redrawn();

 private:
  void CreateControls();
  void ConnectEvents();
  void InstallToolTips();
  static void InstallAccessibleFactory();
  void InstallAccessibility();
  void InstallKeys();
  // Steps 4 to 9 of the move handler: the grabbed point to (cx, cy), within
  // the margins, then Redraw.
  void MoveGrabbedPoint(std::int32_t cx, std::int32_t cy);
  // The pointer's press and move as they reach the handlers: a point picked
  // by key is let go first (editor/Keys.cpp).
  void PointerDown(short Button, short Shift, float x, float y);
  void PointerMove(short Button, short Shift, float x, float y);
  // Tells a screen reader that Picture1's description has changed.
  void AnnouncePicture();
  // The keys that open, save, undo, reset, copy and paste states, and F1.
  void InstallCommands();
  // The state the controls and the drag stand in, as the scene reads it.
  scene::State SceneState() const;

  // What the latest redraw computed, kept for the tool tips, and its analysis,
  // computed part by part when a tip first asks for it.
  scene::Result lastScene_;
  mutable scene::LazyAnalysis analysis_;
  // Whether the grabbed point was picked by key: it is held without a button.
  bool keyPicked_ = false;
  // The rounded position of the latest pointer move over the drawing area.
  std::optional<geometry::IntPoint> pointer_;
  Commands* commands_ = nullptr;
};

// The window as the program opens it: Form_Load's state, then the state
// the command line gave, if it gave one.
std::unique_ptr<main> OpenWindow(const state::WindowStart& start);

}  // namespace editor
