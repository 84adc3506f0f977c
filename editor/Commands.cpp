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

  // What the user holds, as the history's rules need it: a button over
  // Picture1 and the scroll bar's thumb.
  connect(window_.Picture1, &PictureBox::ButtonsHeldChanged, this,
          [this](bool held) { history_.SetHeld(state::History::Hold::Area, held); });
  connect(window_.HScroll1, &QScrollBar::sliderPressed, this,
          [this] { history_.SetHeld(state::History::Hold::Thumb, true); });
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
  connect(window_.HScroll1, &QScrollBar::sliderReleased, this, [this] {
    history_.SetHeld(state::History::Hold::Thumb, false);
    Commit();
  });
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
  Apply(history_.Take(window_.CurrentState(), wanted));
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
  if (history_.KeysWait()) return;
  Take(state::ParseStateText(QGuiApplication::clipboard()->text()),
       QString::fromUtf8(i18n::Tr("状態を貼り付けられません")));
}

void Commands::Open() {
  if (history_.KeysWait()) return;
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

Commands::Commands(main& window)
    : QObject(&window), window_(window), history_(window.CurrentState()) {
  ConnectActions();
}

void Commands::Record(const scene::State& before, main::UndoMerge merge) {
  history_.Record(before, window_.CurrentState(), merge);
}

void Commands::Commit() { history_.Commit(window_.CurrentState()); }

void Commands::Apply(const std::optional<scene::State>& state) {
  if (state) window_.ApplyState(*state);
}

void Commands::Undo() { Apply(history_.Undo()); }

void Commands::Redo() { Apply(history_.Redo()); }

void Commands::Reset() { Take(scene::State{}, QString()); }

}  // namespace editor
