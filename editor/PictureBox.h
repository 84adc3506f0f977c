#pragma once

#include <QFrame>
#include <QPointF>
#include <optional>

#include "Design.h"
#include "DrawingSurface.h"
#include "RasterSurface.h"

namespace editor {

// The drawing-area control: a frame with a 2-pixel sunken border around an
// inner area that shows the retained picture. It is itself a DrawingSurface
// that draws on its picture, or on another surface a test redirects it to.
// Mouse positions are reported in inner-area pixels, fractions kept.
//
// Only the inner area is the drawing area. A mouse event over the border is
// not reported, unless a button that went down over the inner area is still
// held: then every move, press and release is reported, wherever it happens,
// so that a drag goes on outside the area and ends with its button-up.
//
// When the keyboard focus arrives by Tab or Backtab, a dotted focus mark is
// drawn on the border (never on the inner area) until the focus leaves or a
// mouse button goes down; focus from a click, at start or on activation
// shows none.
class PictureBox final : public QFrame, public drawing::DrawingSurface {
  Q_OBJECT

 public:
  static constexpr int kBorder = scene::kPicture1Border;

  // `inner` is the size of the inner area in pixels.
  PictureBox(QSize inner, QWidget* parent = nullptr);

  surface::RasterSurface& Raster() { return raster_; }
  // Sends every drawing operation to `target` instead of the picture; nullptr
  // restores the picture.
  void RedirectDrawing(drawing::DrawingSurface* target) { target_ = target ? target : &raster_; }

  void Cls() override { target_->Cls(); }
  void ForeColor(drawing::Colour colour) override { target_->ForeColor(colour); }
  void DrawWidth(int width) override { target_->DrawWidth(width); }
  void FillStyle(int style) override { target_->FillStyle(style); }
  void Circle(float x, float y, float radius) override { target_->Circle(x, y, radius); }
  void Line(float x1, float y1, float x2, float y2, drawing::Colour colour) override {
    target_->Line(x1, y1, x2, y2, colour);
  }
  drawing::HDC hDC() override { return target_->hDC(); }
  float ScaleWidth() const override { return target_->ScaleWidth(); }
  float ScaleHeight() const override { return target_->ScaleHeight(); }

  // Position of a mouse event in inner-area pixels, fraction kept.
  QPointF InnerPosition(const QMouseEvent& event);
  // Whether `p`, in inner-area pixels, lies on the inner area: 0 <= x < width,
  // 0 <= y < height, fraction included.
  bool InInnerArea(QPointF p) const;
  // Whether a button that went down over the inner area, by a press or by the
  // second press of a double click, is still held: a drag goes on until its
  // last button-up. A point picked by key holds no button.
  bool ButtonsHeld() const { return dragButtons_ != Qt::NoButton; }

 signals:
  // Button: 1 left, 2 right, 4 middle (for moves, the buttons held); Shift:
  // 1 shift, 2 control, 4 alt.
  void MouseDown(short Button, short Shift, float x, float y);
  void MouseMove(short Button, short Shift, float x, float y);
  void MouseUp(short Button, short Shift, float x, float y);
  // ButtonsHeld() has changed: sent before the event that changed it is
  // reported.
  void ButtonsHeldChanged(bool held);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  surface::RasterSurface raster_;
  drawing::DrawingSurface* target_;
  // The exact global position of the latest mouse event at the top-level
  // window: Qt rounds positions on their way to a child widget.
  // Each is used for one event only.
  std::optional<QPointF> exactGlobal_;
  bool watching_ = false;
  // The buttons held that went down over the inner area: while any is held,
  // every mouse event is reported.
  Qt::MouseButtons dragButtons_;
  // Sets dragButtons_, telling when whether any is held changes.
  void HoldButtons(Qt::MouseButtons buttons);
  bool focusMark_ = false;
  void ShowFocusMark(bool show);
};

}  // namespace editor
