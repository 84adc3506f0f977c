// Tool tips with the error analysis: over Label1, how far each listed curve
// length lies from the true length; over Check2(0), how far the yellow curve
// lies from the true offset curve. They are computed from what the latest
// redraw found, only when the user hovers, so a redraw costs nothing more;
// each tip computes only its own part of the analysis, once per redraw.

#include <QEvent>
#include <QHelpEvent>
#include <QToolTip>

#include "AnalysisText.h"
#include "main.h"

namespace editor {

namespace {

// Answers the tool-tip requests of the report and of the yellow curve's box.
class AnalysisTips final : public QObject {
 public:
  explicit AnalysisTips(main* window) : QObject(window), window_(window) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return false;
    auto* widget = static_cast<QWidget*>(watched);
    try {
      const QString text = QString::fromStdString(
          widget == window_->Label1 ? window_->LengthAnalysisText() : window_->DeviationText());
      QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, widget);
    } catch (const std::exception&) {
      // No analysis, no tip; the window goes on as it is.
      QToolTip::hideText();
    }
    return true;
  }

 private:
  main* window_;
};

}  // namespace

std::string main::LengthAnalysisText() const {
  return scene::JoinLines(scene::LengthLines(analysis_.Lengths()));
}

std::string main::DeviationText() const { return scene::DeviationLine(analysis_.Deviation()); }

void main::InstallToolTips() {
  auto* tips = new AnalysisTips(this);
  Label1->installEventFilter(tips);
  Check2[0]->installEventFilter(tips);
}

}  // namespace editor
