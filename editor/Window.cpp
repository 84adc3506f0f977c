// The window and its controls: the design table, captions, initial values,
// tab order and the connections of the eight events; and the window's extras:
// its icon, the copy key, and the scroll bar's keys and focus rectangle.

#include <QClipboard>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QPalette>
#include <QShortcut>
#include <QStyleOptionFocusRect>
#include <QStyleOptionSlider>

#include "ConvergenceWindow.h"
#include "OffsetWindow.h"
#include "Pointer.h"
#include "main.h"

// The program's icon is compiled into this library; a static library must
// register its resources itself, from outside any namespace.
static void InitIconResource() { Q_INIT_RESOURCE(icon); }

namespace editor {

namespace {

// A control's place in the design, as Qt places it.
QRect Rect(const scene::Design& design) {
  const scene::PixelRect r = scene::Pixels(design);
  return {r.x, r.y, r.width, r.height};
}

// A scroll bar whose arrow keys go the standard way. QScrollBar inverts its
// key controls, which is right for a horizontal bar's Up and PageUp (a step
// less) and Down and PageDown (a step more), and for its wheel, but turns Left
// and Right the wrong way round: only those two keys are swapped here, so that
// Right gives a step more and Left a step less. Home and End go to the ends.
//
// A focused bar draws a focus rectangle around its groove, since the style
// shows nothing there; an unfocused bar is painted exactly as QScrollBar
// paints it.
class ScrollBar final : public QScrollBar {
 public:
  using QScrollBar::QScrollBar;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const int key = event->key();
    if (orientation() != Qt::Horizontal || (key != Qt::Key_Left && key != Qt::Key_Right)) {
      QScrollBar::keyPressEvent(event);
      return;
    }
    QKeyEvent swapped(event->type(), key == Qt::Key_Left ? Qt::Key_Right : Qt::Key_Left,
                      event->modifiers(), event->text(), event->isAutoRepeat(), event->count());
    QScrollBar::keyPressEvent(&swapped);
    event->setAccepted(swapped.isAccepted());
  }

  void paintEvent(QPaintEvent* event) override {
    QScrollBar::paintEvent(event);
    if (!hasFocus()) return;
    QStyleOptionSlider bar;
    initStyleOption(&bar);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    // Shown whenever the bar has the focus, however it got there.
    focus.state |= QStyle::State_KeyboardFocusChange;
    focus.rect =
        style()->subControlRect(QStyle::CC_ScrollBar, &bar, QStyle::SC_ScrollBarGroove, this);
    focus.backgroundColor = palette().color(QPalette::Window);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
};

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
  InstallAccessibleFactory();
  CreateControls();
  ConnectEvents();
  InstallToolTips();
  InstallKeys();
  InstallAccessibility();
  InstallConvergenceWindow(*this);
  InstallOffsetWindow(*this);
  Form_Load();
  InstallCommands();
}

void main::CopyToClipboard() {
  auto* data = new QMimeData;
  data->setText(Label1->text());
  data->setImageData(Picture1->Raster().Picture());
  QGuiApplication::clipboard()->setMimeData(data);
}

void main::CreateControls() {
  setWindowTitle(QString::fromUtf8(i18n::Tr(kDesignCaption)));
  setObjectName("main");
  QPalette pal = palette();
  pal.setColor(QPalette::Window, surface::ToQColor(scene::kBackColour));
  setPalette(pal);
  setAutoFillBackground(true);
  setFixedSize(scene::kClientWidth, scene::kClientHeight);
  // Nothing to maximise to: the title bar offers no such button (X11 window
  // managers read it from the Motif hints, Qt's Wayland decoration from the flag).
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  InitIconResource();
  setWindowIcon(QIcon(":/bezierlab/bezierlab.png"));

  const QRect picture = Rect(scene::kPicture1);
  Picture1 = new editor::PictureBox(QSize(scene::kAreaSize, scene::kAreaSize), this);
  Picture1->setObjectName("Picture1");
  Picture1->setGeometry(picture);

  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(Rect(scene::kLabel1));
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label1->setTextFormat(Qt::PlainText);
  Label1->setFocusPolicy(Qt::NoFocus);

  for (std::size_t i = 0; i < Check1.size(); ++i) {
    Check1[i] = new QCheckBox(QString::fromUtf8(i18n::Tr(scene::kCheck1Captions[i])), this);
    Check1[i]->setObjectName(QString("Check1(%1)").arg(i));
    Check1[i]->setGeometry(Rect(scene::kCheck1[i]));
    Check1[i]->setChecked(scene::kCheck1Initial[i]);
  }
  for (std::size_t i = 0; i < Check2.size(); ++i) {
    Check2[i] = new QCheckBox(QString::fromUtf8(i18n::Tr(scene::kCheck2Captions[i])), this);
    Check2[i]->setObjectName(QString("Check2(%1)").arg(i));
    Check2[i]->setGeometry(Rect(scene::kCheck2[i]));
    Check2[i]->setChecked(true);
  }

  HScroll1 = new ScrollBar(Qt::Horizontal, this);
  HScroll1->setObjectName("HScroll1");
  HScroll1->setGeometry(Rect(scene::kHScroll1));
  HScroll1->setRange(scene::kDistanceLow, scene::kDistanceHigh);
  HScroll1->setSingleStep(1);
  HScroll1->setPageStep(1);
  HScroll1->setValue(30);
  HScroll1->setFocusPolicy(Qt::StrongFocus);

  Label2 = new QLabel(QString::fromUtf8(i18n::Tr(kDesignDistanceText)), this);
  Label2->setObjectName("Label2");
  Label2->setGeometry(Rect(scene::kLabel2));
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

  // No menus: no control opens a context menu, nor passes the request on.
  // Right-button presses, moves and releases still reach every control.
  setContextMenuPolicy(Qt::PreventContextMenu);
  for (QWidget* child : findChildren<QWidget*>())
    child->setContextMenuPolicy(Qt::PreventContextMenu);
}

void main::ConnectEvents() {
  using editor::PictureBox;
  connect(Picture1, &PictureBox::MouseDown, this,
          Guarded([this](short b, short s, float x, float y) { PointerDown(b, s, x, y); }));
  connect(Picture1, &PictureBox::MouseMove, this,
          Guarded([this](short b, short s, float x, float y) { PointerMove(b, s, x, y); }));
  connect(Picture1, &PictureBox::MouseUp, this,
          Guarded([this](short b, short s, float x, float y) { Picture1_MouseUp(b, s, x, y); }));
  // Every change of a box's value, whatever its source (a click, Space, an
  // accessibility action, code), runs its handler once; the initial values
  // were set before this, so they run none.
  for (std::size_t i = 0; i < Check1.size(); ++i) {
    const auto index = static_cast<short>(i);
    connect(Check1[i], &QCheckBox::toggled, this,
            Guarded([this, index](bool) { Check1_Click(index); }));
  }
  for (std::size_t i = 0; i < Check2.size(); ++i) {
    const auto index = static_cast<short>(i);
    connect(Check2[i], &QCheckBox::toggled, this,
            Guarded([this, index](bool) { Check2_Click(index); }));
  }
  // The copy key puts the report and the picture on the clipboard.
  auto* copy = new QShortcut(QKeySequence::Copy, this);
  connect(copy, &QShortcut::activated, this, [this] { CopyToClipboard(); });
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
