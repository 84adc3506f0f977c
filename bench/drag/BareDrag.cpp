// The yardstick for the window's cost per pointer move during a drag: a bare
// window of the same size that, on each move with the button held, does what
// the window must do at the least: sets its caption three times, redraws a
// 260 x 260 image with one cubic through four points (the third one follows
// the pointer) and rewrites a 14-line label. Run by scripts/bench-drag.sh
// beside bezierlab. On the release of the button it prints the number of
// moves it handled and ends.

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>
#include <array>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kBorder = 2;
constexpr int kSide = 260;

class Area final : public QWidget {
 public:
  Area(QWidget* parent, QLabel* label)
      : QWidget(parent), label_(label), image_(kSide, kSide, QImage::Format_RGB32) {
    setGeometry(8, 16, kSide + 2 * kBorder, kSide + 2 * kBorder);
    Draw();
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::darkGray);
    painter.drawImage(kBorder, kBorder, image_);
  }

  void mouseMoveEvent(QMouseEvent* event) override {
    ++moves_;
    const QPoint at = event->position().toPoint() - QPoint(kBorder, kBorder);
    QWidget* window = this->window();
    window->setWindowTitle(QString("drag - (%1,%2)").arg(at.x()).arg(at.y()));
    const QString caption = window->windowTitle();
    window->setWindowTitle("busy");
    points_[2] = at;
    Draw();
    label_->setText(Report());
    window->setWindowTitle(caption);
  }

  void mouseReleaseEvent(QMouseEvent* /*event*/) override {
    std::printf("%d\n", moves_);
    std::fflush(stdout);
    QApplication::quit();
  }

 private:
  void Draw() {
    image_.fill(Qt::white);
    QPainter painter(&image_);
    QPainterPath path(points_[0]);
    path.cubicTo(points_[1], points_[2], points_[3]);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawPath(path);
    update();
  }

  QString Report() const {
    QString text;
    for (std::size_t i = 0; i < points_.size(); ++i)
      text += QString("P(%1) = (%2, %3)\n").arg(i).arg(points_[i].x()).arg(points_[i].y());
    text += '\n';
    double chords = 0;
    for (std::size_t i = 1; i < points_.size(); ++i) {
      const QPoint d = points_[i] - points_[i - 1];
      chords += std::hypot(d.x(), d.y());
    }
    for (int line = 0; line < 9; ++line)
      text += QString("%1分割: 長さ = %2\n").arg(1 << line).arg(chords * (1.0 - 0.5 / (line + 1)));
    return text;
  }

  QLabel* label_;
  QImage image_;
  std::array<QPoint, 4> points_{{{50, 50}, {150, 50}, {150, 150}, {50, 150}}};
  int moves_ = 0;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("bare drag");
  window.setFixedSize(631, 288);
  auto* label = new QLabel(&window);
  label->setGeometry(280, 16, 177, 265);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setTextFormat(Qt::PlainText);
  new Area(&window, label);
  window.show();
  return QApplication::exec();
}
