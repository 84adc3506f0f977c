// The one routine that puts a whole state into the window, and the window's
// current state.

#include <QSignalBlocker>

#include "Commands.h"
#include "StateFile.h"
#include "main.h"

namespace editor {

scene::State main::CurrentState() const {
  scene::State state = SceneState();
  state.grabIndex = scene::kStartGrabIndex;
  return state;
}

void main::ApplyState(const scene::State& state) {
  P = state.P;
  grabIndex = scene::kStartGrabIndex;
  keyPicked_ = false;
  for (std::size_t i = 0; i < Check1.size(); ++i) {
    const QSignalBlocker quiet(Check1[i]);
    Check1[i]->setChecked(state.divisions[i]);
  }
  for (std::size_t i = 0; i < Check2.size(); ++i) {
    const QSignalBlocker quiet(Check2[i]);
    Check2[i]->setChecked(i == 0 ? state.approximate : state.accurate);
  }
  const int distance = static_cast<int>(state.dist);
  if (distance != HScroll1->value()) {
    {
      const QSignalBlocker quiet(HScroll1);
      HScroll1->setValue(distance);
    }
    Label2->setText(QString::fromStdString(scene::DistanceText(HScroll1->value())));
  }
  if (commands_ != nullptr) commands_->Applied(CurrentState());
  Redraw();
}

void main::RecordStep(const scene::State& before, UndoMerge merge) {
  if (commands_ != nullptr) commands_->Record(before, merge);
}

bool main::KeysWait() const { return commands_ != nullptr && commands_->KeysWait(); }

std::unique_ptr<main> OpenWindow(const state::WindowStart& start) {
  auto window = std::make_unique<main>();
  if (start.given) window->ApplyState(start.state);
  return window;
}

void main::InstallCommands() { commands_ = new Commands(*this); }

}  // namespace editor
