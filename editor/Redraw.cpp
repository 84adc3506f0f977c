// The window's redraw: the caption around the scene, and the report into
// Label1. The scene itself, with the two offset curves, is drawn by the scene
// routine on the drawing area.

#include "Scene.h"
#include "main.h"

namespace editor {

void main::Form_Load() {
  grabIndex = scene::kStartGrabIndex;
  P = scene::kStartPoints;
  Redraw();
}

scene::State main::SceneState() const {
  scene::State state;
  state.P = P;
  state.grabIndex = grabIndex;
  for (std::size_t i = 0; i < Check1.size(); ++i) state.divisions[i] = Check1[i]->isChecked();
  state.approximate = Check2[0]->isChecked();
  state.accurate = Check2[1]->isChecked();
  state.dist = static_cast<float>(HScroll1->value());
  return state;
}

void main::Redraw() {
  const QString savedCaption = windowTitle();
  setWindowTitle(QString::fromUtf8(i18n::Tr(kBusyCaption)));
  lastScene_ = scene::Draw(SceneState(), *Picture1);
  analysis_.Reset(lastScene_);
  Label1->setText(QString::fromStdString(scene::Report(lastScene_)));
  setWindowTitle(savedCaption);
  emit Redrawn();
}

void main::DrawApproximateOffsetCurve(float dist) {
  scene::DrawApproximateOffsetCurve(P, dist, *Picture1);
}

void main::DrawAccurateOffsetCurve(float dist) {
  scene::DrawAccurateOffsetCurve(P, dist, *Picture1);
}

}  // namespace editor
