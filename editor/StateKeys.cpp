// The state keys: their shortcuts, the hooks that record the user's own
// actions as undoable steps, copy and paste of states, open and save.

#include "StateKeys.h"

#include <QClipboard>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "StateFile.h"
#include "Tr.h"
#include "WholeFiles.h"

namespace editor {

namespace {

constexpr const char* kFileFilter = i18n::Mark("bezierlab の状態 (*.bezierlab)");
constexpr const char* kJsonFilter = "JSON (*.json)";
constexpr const char* kAnyFilter = i18n::Mark("すべてのファイル (*)");

}  // namespace

template <class Action>
void StateKeys::AddKey(const QKeySequence& key, Action action) {
  connect(new QShortcut(key, &window_), &QShortcut::activated, this, action);
}

void StateKeys::ConnectActions() {
  AddKey(QKeySequence(Qt::CTRL | Qt::Key_Z), &StateKeys::Undo);
  AddKey(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &StateKeys::Redo);
  AddKey(QKeySequence(Qt::CTRL | Qt::Key_Y), &StateKeys::Redo);
  AddKey(QKeySequence(Qt::CTRL | Qt::Key_R), &StateKeys::Reset);
  AddKey(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &StateKeys::CopyLine);
  AddKey(QKeySequence(Qt::CTRL | Qt::Key_V), &StateKeys::Paste);
  AddKey(QKeySequence(Qt::CTRL | Qt::Key_O), &StateKeys::Open);
  AddKey(QKeySequence(Qt::CTRL | Qt::Key_S), [this] { Save(false); });
  AddKey(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { Save(true); });
  AddKey(QKeySequence(Qt::Key_F1), &StateKeys::ShowHelp);

  // The user's own actions are recorded once their handlers have run (these
  // connections come after the handlers'): a drag when its last button goes
  // up, a box on every change, the scroll bar on every change but those
  // while the thumb is held, and once more when the thumb is let go.
  window_.Picture1->installEventFilter(this);
  connect(window_.Picture1, &PictureBox::MouseUp, this, [this] { Commit(); });
  for (QCheckBox* box : window_.Check1)
    connect(box, &QCheckBox::toggled, this, [this] { Commit(); });
  for (QCheckBox* box : window_.Check2)
    connect(box, &QCheckBox::toggled, this, [this] { Commit(); });
  connect(window_.HScroll1, &QScrollBar::valueChanged, this, [this] { Commit(); });
  connect(window_.HScroll1, &QScrollBar::sliderReleased, this, [this] { Commit(); });
}

bool StateKeys::eventFilter(QObject* watched, QEvent* event) {
  // The event's type first: while the window is destroyed, Picture1 still
  // sends focus events here, and the window is no longer whole to be read.
  if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) &&
      watched == window_.Picture1) {
    held_ = static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton;
  }
  return false;
}

bool StateKeys::Take(const std::variant<scene::State, state::UsageError>& chosen,
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

void StateKeys::Complain(const QString& title, const std::string& message) {
  QMessageBox box(QMessageBox::Warning, title, QString::fromStdString(message), QMessageBox::Ok,
                  &window_);
  box.exec();
}

void StateKeys::CopyLine() {
  QGuiApplication::clipboard()->setText(state::StateLine(window_.CurrentState()));
}

void StateKeys::Paste() {
  if (Busy()) return;
  Take(state::ParseStateText(QGuiApplication::clipboard()->text()),
       QString::fromUtf8(i18n::Tr("状態を貼り付けられません")));
}

void StateKeys::Open() {
  if (Busy()) return;
  QFileDialog dialog(&window_, QString::fromUtf8(i18n::Tr("状態ファイルを開く")));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({QString::fromUtf8(i18n::Tr(kFileFilter)), QString::fromUtf8(kJsonFilter),
                         QString::fromUtf8(i18n::Tr(kAnyFilter))});
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().constFirst();
  if (Take(state::LoadStateFile(path), QString::fromUtf8(i18n::Tr("状態ファイルを開けません")))) {
    openedFile_ = path;
  }
}

void StateKeys::Save(bool askForName) {
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
  }
  const QByteArray bytes = state::StateFileBytes(window_.CurrentState());
  if (auto error = files::WriteWhole(path.toStdString(), bytes.toStdString())) {
    Complain(QString::fromUtf8(i18n::Tr("状態を保存できません")), *error);
    return;
  }
  savedFile_ = path;
}

void StateKeys::ShowHelp() {
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

}  // namespace editor
