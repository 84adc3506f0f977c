// The window and its controls: the design table, captions, initial values,
// tab order and the connections of the eight events.

#include <QPalette>

#include "Design.h"
#include "main.h"

namespace editor {

namespace {

// Runs a handler at the Qt boundary. An error that leaves a handler is not
// handled by the program; here it is caught and the event dropped, so that it
// can neither end the program nor unwind through Qt's event dispatch.
template <class Handler>
auto Guarded(Handler handler) {
  return [handler](auto&&... args) {
    try {
      handler(args...);
    } catch (const std::exception&) {
    }
  };
}

}  // namespace

main::main(QWidget* parent) : QWidget(parent) {
  CreateControls();
  ConnectEvents();
  Form_Load();
}

void main::CreateControls() {
  setWindowTitle(QString::fromUtf8(kDesignCaption));
  setObjectName("main");
  QPalette pal = palette();
  pal.setColor(QPalette::Window, surface::ToQColor(kBackColour));
  setPalette(pal);
  setAutoFillBackground(true);
  setFixedSize(kClientWidth, kClientHeight);

  const QRect picture = kPicture1.Pixels();
  Picture1 =
      new surface::PictureBox(picture.size() - QSize(2, 2) * surface::PictureBox::kBorder, this);
  Picture1->setObjectName("Picture1");
  Picture1->setGeometry(picture);

  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(kLabel1.Pixels());
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label1->setTextFormat(Qt::PlainText);
  Label1->setFocusPolicy(Qt::NoFocus);

  for (std::size_t i = 0; i < Check1.size(); ++i) {
    Check1[i] = new QCheckBox(QString::fromUtf8(kCheck1Captions[i]), this);
    Check1[i]->setObjectName(QString("Check1(%1)").arg(i));
    Check1[i]->setGeometry(kCheck1[i].Pixels());
    Check1[i]->setChecked(kCheck1Initial[i]);
  }
  for (std::size_t i = 0; i < Check2.size(); ++i) {
    Check2[i] = new QCheckBox(QString::fromUtf8(kCheck2Captions[i]), this);
    Check2[i]->setObjectName(QString("Check2(%1)").arg(i));
    Check2[i]->setGeometry(kCheck2[i].Pixels());
    Check2[i]->setChecked(true);
  }

  HScroll1 = new QScrollBar(Qt::Horizontal, this);
  HScroll1->setObjectName("HScroll1");
  HScroll1->setGeometry(kHScroll1.Pixels());
  HScroll1->setRange(0, 50);
  HScroll1->setSingleStep(1);
  HScroll1->setPageStep(1);
  HScroll1->setValue(30);
  HScroll1->setFocusPolicy(Qt::StrongFocus);

  Label2 = new QLabel(QString::fromUtf8(kDesignDistanceText), this);
  Label2->setObjectName("Label2");
  Label2->setGeometry(kLabel2.Pixels());
  Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label2->setFocusPolicy(Qt::NoFocus);

  // Keyboard order: the drawing area, the six boxes, the scroll bar.
  QWidget* previous = Picture1;
  for (QWidget* next : {static_cast<QWidget*>(Check1[0]), static_cast<QWidget*>(Check1[1]),
                        static_cast<QWidget*>(Check1[2]), static_cast<QWidget*>(Check1[3]),
                        static_cast<QWidget*>(Check2[0]), static_cast<QWidget*>(Check2[1]),
                        static_cast<QWidget*>(HScroll1)}) {
    setTabOrder(previous, next);
    previous = next;
  }
  setFocusProxy(Picture1);
  Picture1->setFocus();
}

void main::ConnectEvents() {
  using surface::PictureBox;
  connect(Picture1, &PictureBox::MouseDown, this,
          Guarded([this](short b, short s, float x, float y) { Picture1_MouseDown(b, s, x, y); }));
  connect(Picture1, &PictureBox::MouseMove, this,
          Guarded([this](short b, short s, float x, float y) { Picture1_MouseMove(b, s, x, y); }));
  connect(Picture1, &PictureBox::MouseUp, this,
          Guarded([this](short b, short s, float x, float y) { Picture1_MouseUp(b, s, x, y); }));
  for (std::size_t i = 0; i < Check1.size(); ++i) {
    const auto index = static_cast<short>(i);
    connect(Check1[i], &QCheckBox::clicked, this,
            Guarded([this, index](bool) { Check1_Click(index); }));
  }
  for (std::size_t i = 0; i < Check2.size(); ++i) {
    const auto index = static_cast<short>(i);
    connect(Check2[i], &QCheckBox::clicked, this,
            Guarded([this, index](bool) { Check2_Click(index); }));
  }
  // A value change while the thumb is held is a scroll; any other is a change.
  connect(HScroll1, &QScrollBar::valueChanged, this, Guarded([this](int) {
            if (HScroll1->isSliderDown()) {
              HScroll1_Scroll();
            } else {
              HScroll1_Change();
            }
          }));
}

}  // namespace editor
