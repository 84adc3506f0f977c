// What a screen reader hears: the window as a window named by its caption,
// Picture1 as a named canvas that describes the scene, Label1 as the report,
// the scroll bar named and labelled by Label2, and the check boxes with their
// figures. Descriptions are computed from the latest redraw when a screen
// reader asks for them, never by a redraw itself.

#include <QAccessible>
#include <QAccessibleWidget>
#include <functional>

#include "AnalysisText.h"
#include "Descriptions.h"
#include "WindowTexts.h"
#include "main.h"

namespace editor {

namespace {

using scene::kDistanceName;
using scene::kPictureName;
using scene::kReportName;

// A control whose description is computed when asked for.
class Described : public QAccessibleWidget {
 public:
  Described(QWidget* widget, QAccessible::Role role, std::function<std::string()> describe)
      : QAccessibleWidget(widget, role), describe_(std::move(describe)) {}

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Description) return QAccessibleWidget::text(t);
    try {
      return QString::fromStdString(describe_());
    } catch (const std::exception&) {
      return {};  // no figures, no description; the window goes on
    }
  }

 private:
  std::function<std::string()> describe_;
};

// A check box of the window: named by its caption, checkable, with the Press
// and Toggle actions; described by its figures.
class CheckBox final : public Described {
 public:
  CheckBox(QCheckBox* box, const main* window)
      : Described(box, QAccessible::CheckBox,
                  [box, window] { return window->BoxDescription(box); }),
        box_(box) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && box_->accessibleName().isEmpty()) return box_->text();
    return Described::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = Described::state();
    s.checkable = true;
    s.checked = box_->isChecked();
    return s;
  }
  QStringList actionNames() const override {
    return QStringList{pressAction(), toggleAction()} + Described::actionNames();
  }
  // Both change the value, and the box's handler runs through its toggled signal.
  void doAction(const QString& action) override {
    if (!box_->isEnabled()) return;
    if (action == pressAction()) {
      box_->click();
    } else if (action == toggleAction()) {
      box_->toggle();
    } else {
      Described::doAction(action);
    }
  }

 private:
  QCheckBox* box_;
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) return nullptr;
  // A top-level QWidget would be a mere client area: the window is a window.
  if (className == QLatin1String("editor::main")) {
    return new QAccessibleWidget(widget, QAccessible::Window);
  }
  const auto* window = qobject_cast<main*>(widget->parentWidget());
  if (window == nullptr) return nullptr;
  if (className == QLatin1String("editor::PictureBox")) {
    return new Described(widget, QAccessible::Canvas,
                         [window] { return window->PictureDescription(); });
  }
  if (className == QLatin1String("QCheckBox")) {
    return new CheckBox(static_cast<QCheckBox*>(widget), window);
  }
  if (className == QLatin1String("QLabel") && widget == window->Label1) {
    auto* label = window->Label1;
    return new Described(widget, QAccessible::StaticText,
                         [label] { return label->text().toStdString(); });
  }
  return nullptr;
}

}  // namespace

void main::InstallAccessibleFactory() {
  // Installed after QApplication's own, so it is asked first for these classes.
  static const bool installed = [] {
    QAccessible::installFactory(&Factory);
    return true;
  }();
  (void)installed;
}

void main::InstallAccessibility() {
  Picture1->setAccessibleName(QString::fromUtf8(i18n::Tr(kPictureName)));
  Label1->setAccessibleName(QString::fromUtf8(i18n::Tr(kReportName)));
  HScroll1->setAccessibleName(QString::fromUtf8(i18n::Tr(kDistanceName)));
  // Label2 labels the scroll bar (the accessible Label relation); its text
  // holds no mnemonic, so no shortcut comes with it.
  Label2->setBuddy(HScroll1);
}

std::string main::PictureDescription() const { return scene::PictureDescription(lastScene_); }

std::string main::BoxDescription(const QCheckBox* box) const {
  for (std::size_t i = 0; i < Check1.size(); ++i) {
    if (box == Check1[i]) {
      return scene::SumDescription(lastScene_, analysis_.Lengths(), static_cast<int>(i));
    }
  }
  if (box == Check2[0]) {
    return scene::ApproximateDescription(lastScene_, analysis_.Deviation());
  }
  if (box == Check2[1]) return scene::AccurateDescription(lastScene_);
  return {};
}

}  // namespace editor
