// The one routine that puts a whole state into the window, and the undoable
// steps between states.

#include <QSignalBlocker>
#include <QUndoCommand>

#include "StateFile.h"
#include "StateKeys.h"
#include "main.h"

namespace editor {

namespace {

// Steps kept for undo; the oldest go first. A step holds two states.
constexpr int kUndoLimit = 1000;

// A step from one state to another. The user's action has already shown the
// new state when the step is pushed, so the first redo does nothing; later
// ones, and every undo, apply a whole state.
class Step final : public QUndoCommand {
 public:
  Step(main& window, const scene::State& before, const scene::State& after, main::UndoMerge merge)
      : window_(window), before_(before), after_(after), merge_(merge) {}

  void undo() override { window_.ApplyState(before_); }
  void redo() override {
    if (pushed_) window_.ApplyState(after_);
    pushed_ = true;
  }
  int id() const override {
    return merge_ == main::UndoMerge::None ? -1 : static_cast<int>(merge_);
  }
  bool mergeWith(const QUndoCommand* other) override {
    after_ = static_cast<const Step*>(other)->after_;
    // Moves that came back to where they began leave no step.
    setObsolete(state::SameWindowState(before_, after_));
    return true;
  }

 private:
  main& window_;
  scene::State before_;
  scene::State after_;
  main::UndoMerge merge_;
  bool pushed_ = false;
};

}  // namespace

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
    Label2->setText(QString::fromUtf8(i18n::Tr(kDistanceTextPrefix)) +
                    QString::number(HScroll1->value()));
  }
  if (stateKeys_ != nullptr) stateKeys_->Applied(CurrentState());
  Redraw();
}

void main::RecordStep(const scene::State& before, UndoMerge merge) {
  if (stateKeys_ != nullptr) stateKeys_->Record(before, merge);
}

std::unique_ptr<main> OpenWindow(const state::WindowStart& start) {
  auto window = std::make_unique<main>();
  if (start.given) window->ApplyState(start.state);
  return window;
}

void main::InstallStateKeys() { stateKeys_ = new StateKeys(*this); }

StateKeys::StateKeys(main& window) : QObject(&window), window_(window) {
  stack_.setUndoLimit(kUndoLimit);
  committed_ = window_.CurrentState();
  ConnectActions();
}

void StateKeys::Record(const scene::State& before, main::UndoMerge merge) {
  // `before` may be committed_ itself: it is read before it is replaced.
  const scene::State after = window_.CurrentState();
  if (!state::SameWindowState(before, after)) stack_.push(new Step(window_, before, after, merge));
  committed_ = after;
}

void StateKeys::Commit() {
  if (!Busy()) Record(committed_, main::UndoMerge::None);
}

bool StateKeys::Busy() const { return held_ || window_.HScroll1->isSliderDown(); }

void StateKeys::Undo() {
  if (!Busy()) stack_.undo();
}

void StateKeys::Redo() {
  if (!Busy()) stack_.redo();
}

void StateKeys::Reset() {
  if (!Busy()) Take(scene::State{}, QString());
}

}  // namespace editor
