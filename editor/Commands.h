#pragma once

// The window's commands on whole states, behind the state keys: undo and
// redo of whole states (the history's steps, state/History.h), back to the start state, copy and
// paste of a state as text, open and save of state files, and the help window. Every state that
// enters goes through main::ApplyState; steps are recorded after the user's own actions have run
// their handlers, so recording never redraws.

#include <QObject>
#include <QPointer>
#include <QString>
#include <variant>

#include "History.h"
#include "Scene.h"
#include "StateOptions.h"
#include "main.h"

namespace editor {

class Commands final : public QObject {
 public:
  explicit Commands(main& window);

  void Record(const scene::State& before, main::UndoMerge merge);
  // The state the latest step or apply left: a user action that has changed
  // the window since is recorded from here.
  void Applied(const scene::State& state) { history_.Applied(state); }
  // Whether the keys that change the state wait for a button held over
  // Picture1 or on the scroll bar's thumb to be let go.
  bool KeysWait() const { return history_.KeysWait(); }

  void Undo();
  void Redo();
  void Reset();
  void CopyLine();
  void Paste();
  void Open();
  void Save(bool askForName);
  void ShowHelp();

 private:
  void ConnectActions();
  template <class Action>
  void AddKey(const QKeySequence& key, Action action);
  // Records what the user's latest action changed, unless a drag still goes on.
  void Commit();
  // Applies a state the history gives back, if it gives one.
  void Apply(const std::optional<scene::State>& state);
  // Applies `chosen`, as one undoable step, when the window can reach it;
  // else says why in a message box titled `title`. Returns whether it could.
  bool Take(const std::variant<scene::State, state::UsageError>& chosen, const QString& title);
  void Complain(const QString& title, const std::string& message);

  main& window_;
  state::History history_;
  // The file the latest Save wrote: Ctrl+S writes there again. An opened file
  // only proposes its name, since it may hold more than a state.
  QString savedFile_;
  QString openedFile_;
  QPointer<QWidget> help_;
};

// The help window's text (Japanese, rich text): the keys, the tool tips, the
// state file and the report tool.
QString HelpText();

}  // namespace editor
