// The window's commands on whole states: their keys, the undoable steps and
// the hooks that record the user's own actions as steps, copy and paste of
// states, open and save, and the help window.

#include "Commands.h"

#include <QClipboard>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QShortcut>
#include <QTextBrowser>
#include <QUndoCommand>
#include <QVBoxLayout>

#include "PathBytes.h"
#include "StateFile.h"
#include "Tr.h"
#include "WholeFiles.h"

namespace editor {

namespace {

constexpr const char* kFileFilter = i18n::Mark("bezierlab の状態 (*.bezierlab)");
constexpr const char* kJsonFilter = "JSON (*.json)";
constexpr const char* kAnyFilter = i18n::Mark("すべてのファイル (*)");
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

// A file dialog gives a name whose bytes are no UTF-8 with U+FFFD in their
// place, which names another file: such a name is refused, not used.
std::optional<std::string> UnusableName(const QString& path) {
  if (!path.contains(QChar::ReplacementCharacter)) return std::nullopt;
  return i18n::Format(i18n::Tr("ファイル名「%1」には UTF-8 でないバイトがあり、"
                               "ダイアログからは開くことも保存することもできません"),
                      {state::Shown(path)});
}

}  // namespace

template <class Action>
void Commands::AddKey(const QKeySequence& key, Action action) {
  connect(new QShortcut(key, &window_), &QShortcut::activated, this, action);
}

void Commands::ConnectActions() {
  AddKey(QKeySequence(Qt::CTRL | Qt::Key_Z), &Commands::Undo);
  AddKey(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &Commands::Redo);
  AddKey(QKeySequence(Qt::CTRL | Qt::Key_Y), &Commands::Redo);
  AddKey(QKeySequence(Qt::CTRL | Qt::Key_R), &Commands::Reset);
  AddKey(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &Commands::CopyLine);
  AddKey(QKeySequence(Qt::CTRL | Qt::Key_V), &Commands::Paste);
  AddKey(QKeySequence(Qt::CTRL | Qt::Key_O), &Commands::Open);
  AddKey(QKeySequence(Qt::CTRL | Qt::Key_S), [this] { Save(false); });
  AddKey(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { Save(true); });
  AddKey(QKeySequence(Qt::Key_F1), &Commands::ShowHelp);

  // The user's own actions are recorded once their handlers have run (these
  // connections come after the handlers'): a drag when its last button goes
  // up, a box on every change, the scroll bar on every change but those
  // while the thumb is held, and once more when the thumb is let go.
  connect(window_.Picture1, &PictureBox::MouseUp, this, [this] { Commit(); });
  for (QCheckBox* box : window_.Check1)
    connect(box, &QCheckBox::toggled, this, [this] { Commit(); });
  for (QCheckBox* box : window_.Check2)
    connect(box, &QCheckBox::toggled, this, [this] { Commit(); });
  connect(window_.HScroll1, &QScrollBar::valueChanged, this, [this] { Commit(); });
  connect(window_.HScroll1, &QScrollBar::sliderReleased, this, [this] { Commit(); });
}

bool Commands::Take(const std::variant<scene::State, state::UsageError>& chosen,
                    const QString& title) {
  if (const auto* error = std::get_if<state::UsageError>(&chosen)) {
    Complain(title, error->message);
    return false;
  }
  scene::State wanted = std::get<scene::State>(chosen);
  wanted.grabIndex = scene::kStartGrabIndex;
  if (auto error = state::CheckWindowReach(wanted)) {
    Complain(title, error->message);
    return false;
  }
  Commit();
  const scene::State before = window_.CurrentState();
  if (state::SameWindowState(before, wanted)) return true;
  window_.ApplyState(wanted);
  Record(before, main::UndoMerge::None);
  return true;
}

void Commands::Complain(const QString& title, const std::string& message) {
  QMessageBox box(QMessageBox::Warning, title, QString::fromStdString(message), QMessageBox::Ok,
                  &window_);
  box.exec();
}

void Commands::CopyLine() {
  QGuiApplication::clipboard()->setText(state::StateLine(window_.CurrentState()));
}

void Commands::Paste() {
  if (Busy()) return;
  Take(state::ParseStateText(QGuiApplication::clipboard()->text()),
       QString::fromUtf8(i18n::Tr("状態を貼り付けられません")));
}

void Commands::Open() {
  if (Busy()) return;
  QFileDialog dialog(&window_, QString::fromUtf8(i18n::Tr("状態ファイルを開く")));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({QString::fromUtf8(i18n::Tr(kFileFilter)), QString::fromUtf8(kJsonFilter),
                         QString::fromUtf8(i18n::Tr(kAnyFilter))});
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().constFirst();
  if (auto unusable = UnusableName(path)) {
    Complain(QString::fromUtf8(i18n::Tr("状態ファイルを開けません")), *unusable);
    return;
  }
  if (Take(state::LoadWindowStateFile(path),
           QString::fromUtf8(i18n::Tr("状態ファイルを開けません")))) {
    openedFile_ = path;
  }
}

void Commands::Save(bool askForName) {
  QString path = savedFile_;
  if (askForName || path.isEmpty()) {
    QFileDialog dialog(&window_, QString::fromUtf8(i18n::Tr("状態を保存")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromLatin1(state::kStateFileSuffix));
    dialog.setNameFilters(
        {QString::fromUtf8(i18n::Tr(kFileFilter)), QString::fromUtf8(i18n::Tr(kAnyFilter))});
    const QString proposed = savedFile_.isEmpty() ? openedFile_ : savedFile_;
    if (!proposed.isEmpty()) dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    path = dialog.selectedFiles().constFirst();
    if (auto unusable = UnusableName(path)) {
      Complain(QString::fromUtf8(i18n::Tr("状態を保存できません")), *unusable);
      return;
    }
  }
  const QByteArray bytes = state::StateFileBytes(window_.CurrentState());
  if (auto error = files::WriteWhole(state::ToBytes(path), bytes.toStdString())) {
    Complain(QString::fromUtf8(i18n::Tr("状態を保存できません")), *error);
    return;
  }
  savedFile_ = path;
}

void Commands::ShowHelp() {
  if (help_ == nullptr) {
    auto* help = new QDialog(&window_);
    help->setWindowTitle(QString::fromUtf8(i18n::Tr("bezierlab のキーと使い方")));
    help->setAttribute(Qt::WA_DeleteOnClose);
    auto* text = new QTextBrowser(help);
    text->setObjectName("HelpText");
    text->setAccessibleName(QString::fromUtf8(i18n::Tr("キーと使い方")));
    text->setHtml(HelpText());
    auto* layout = new QVBoxLayout(help);
    layout->addWidget(text);
    help->resize(560, 480);
    help_ = help;
  }
  help_->show();
  help_->raise();
  help_->activateWindow();
}

Commands::Commands(main& window) : QObject(&window), window_(window) {
  stack_.setUndoLimit(kUndoLimit);
  committed_ = window_.CurrentState();
  ConnectActions();
}

void Commands::Record(const scene::State& before, main::UndoMerge merge) {
  // `before` may be committed_ itself: it is read before it is replaced.
  const scene::State after = window_.CurrentState();
  if (!state::SameWindowState(before, after)) stack_.push(new Step(window_, before, after, merge));
  committed_ = after;
}

void Commands::Commit() {
  if (!Busy()) Record(committed_, main::UndoMerge::None);
}

bool Commands::Busy() const {
  return window_.Picture1->ButtonsHeld() || window_.HScroll1->isSliderDown();
}

void Commands::Undo() {
  if (!Busy()) stack_.undo();
}

void Commands::Redo() {
  if (!Busy()) stack_.redo();
}

void Commands::Reset() {
  if (!Busy()) Take(scene::State{}, QString());
}

}  // namespace editor
