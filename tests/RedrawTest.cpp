// What a redraw draws, in which order and with which pen, through a recording
// surface; and the caption and report around it.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "RecordingSurface.h"
#include "main.h"

namespace {

using testing_support::Call;
using testing_support::RecordingSurface;

// One call as text, with the pen it draws with: "Circle(50,50,3) 404040 w1 fill1".
std::string Describe(const Call& c) {
  std::string s = c.op;
  if (c.op == "Cls") return s;
  const std::size_t shown = c.op == "Line" ? 4 : c.args.size();
  for (std::size_t i = 0; i < shown; ++i) {
    char number[32];
    std::snprintf(number, sizeof number, "%g", c.args[i]);
    s += i == 0 ? "(" : ",";
    s += number;
  }
  s += ")";
  if (c.op == "MoveToEx") return s;
  char pen[48];
  std::snprintf(pen, sizeof pen, " %06x w%d",
                c.op == "Line" ? static_cast<unsigned>(c.args[4]) : c.colour, c.width);
  s += pen;
  if (c.op == "Circle") s += " fill" + std::to_string(c.fill);
  return s;
}

std::vector<std::string> Describe(const std::vector<Call>& calls, std::size_t count) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < count && i < calls.size(); ++i) out.push_back(Describe(calls[i]));
  return out;
}

// The start scene up to the curve itself.
const std::vector<std::string> kStartScene{
    "Cls",
    "Circle(50,50,3) 404040 w1 fill1",
    "Circle(150,50,3) 404040 w1 fill1",
    "Line(50,50,150,50) 7f7f7f w1",
    "Circle(150,150,3) 404040 w1 fill1",
    "Line(150,50,150,150) 7f7f7f w1",
    "Circle(50,150,3) 404040 w1 fill1",
    "Line(150,150,50,150) 7f7f7f w1",
    "PolyBezier(50,50,150,50,150,150,50,150) 404040 w2",
};

class RedrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.Picture1->RedirectDrawing(&rec);
    rec.onCall = [this](const Call& c) {
      if (c.op != "Cls") captions.push_back(window.windowTitle().toStdString());
    };
  }
  void TearDown() override { window.Picture1->RedirectDrawing(nullptr); }

  editor::main window;
  RecordingSurface rec;
  std::vector<std::string> captions;  // the caption at each call after Cls
};

TEST_F(RedrawTest, StartSceneIsDrawnInLayers) {
  window.setWindowTitle("before");
  window.Redraw();
  const std::vector<Call> drawing = rec.Drawing();

  std::vector<std::string> expected = kStartScene;
  const std::vector<std::string> approximate{
      "PolyBezier(50,20,170,20,170,180,50,180) 00ffff w2",
      "Circle(50,20,3) 80e0e0 w1 fill1",
      "MoveToEx(50,20)",
      "LineTo(50,20) 80e0e0 w1",
      "Circle(170,20,3) 80e0e0 w1 fill1",
      "LineTo(170,20) 80e0e0 w1",
      "Circle(170,180,3) 80e0e0 w1 fill1",
      "LineTo(170,180) 80e0e0 w1",
      "Circle(50,180,3) 80e0e0 w1 fill1",
      "LineTo(50,180) 80e0e0 w1",
      "MoveToEx(50,20)",
  };
  expected.insert(expected.end(), approximate.begin(), approximate.end());
  EXPECT_EQ(Describe(drawing, expected.size()), expected);

  // Then the blue polyline through the 501 samples, and nothing after it.
  ASSERT_EQ(drawing.size(), expected.size() + 501);
  const std::vector<Call> blue(drawing.begin() + static_cast<std::ptrdiff_t>(expected.size()),
                               drawing.end());
  for (const Call& c : blue) {
    ASSERT_TRUE(c.op == "LineTo" && c.colour == 0xFF0000u && c.width == 2) << Describe(c);
  }
  EXPECT_EQ(Describe(blue[0]), "LineTo(50,20) ff0000 w2");
  EXPECT_EQ(Describe(blue[1]), "LineTo(51,20) ff0000 w2");
  EXPECT_EQ(Describe(blue[250]), "LineTo(155,100) ff0000 w2");
  EXPECT_EQ(Describe(blue[499]), "LineTo(51,180) ff0000 w2");
  EXPECT_EQ(Describe(blue[500]), "LineTo(50,180) ff0000 w2");

  // The busy caption while drawing, the caption from before afterwards.
  ASSERT_FALSE(captions.empty());
  for (const std::string& c : captions) ASSERT_EQ(c, "計算中...");
  EXPECT_EQ(window.windowTitle().toStdString(), "before");
}

TEST_F(RedrawTest, OnlyTheGrabbedPointIsFilled) {
  window.grabIndex = 3;
  window.Redraw();
  std::vector<int> fills;
  for (const Call& c : rec.calls) {
    if (c.op == "Circle") fills.push_back(c.fill);
  }
  // Four control points, then the circles of the yellow polygon: open again
  // although the last control point left the fill solid.
  EXPECT_EQ(fills, (std::vector<int>{1, 1, 1, 0, 1, 1, 1, 1}));
}

TEST_F(RedrawTest, OffsetCurvesFollowTheirBoxes) {
  // Each change of a box redraws on its own; the recording starts after them.
  window.Check2[0]->setChecked(false);
  window.Check2[1]->setChecked(false);
  rec.Clear();
  window.Redraw();
  EXPECT_EQ(Describe(rec.Drawing(), 100), kStartScene);

  window.Check2[1]->setChecked(true);
  rec.Clear();
  window.Redraw();
  EXPECT_EQ(rec.Count("PolyBezier"), 1u);
  EXPECT_EQ(rec.Count("LineTo"), 501u);

  window.Check2[0]->setChecked(true);
  window.Check2[1]->setChecked(false);
  rec.Clear();
  window.Redraw();
  EXPECT_EQ(rec.Count("PolyBezier"), 2u);
  EXPECT_EQ(rec.Count("LineTo"), 4u);
}

TEST_F(RedrawTest, DegenerateTangentsLeaveOutOnlyWhatFails) {
  // P(1) on P(0): neither offset curve can start, the rest of the redraw goes on.
  window.P = {{{50, 50}, {50, 50}, {150, 150}, {50, 150}}};
  window.setWindowTitle("ベジェ曲線の長さ計算サンプル - (50,50)");
  window.Redraw();
  EXPECT_EQ(rec.Count("PolyBezier"), 1u);
  EXPECT_EQ(rec.Count("MoveToEx") + rec.Count("LineTo"), 0u);
  EXPECT_EQ(window.windowTitle().toStdString(), "ベジェ曲線の長さ計算サンプル - (50,50)");
  const std::string report = window.Label1->text().toStdString();
  const std::string head =
      "P(0) = ( 50 , 50 )\r\nP(1) = ( 50 , 50 )\r\nP(2) = ( 150 , 150 )\r\n"
      "P(3) = ( 50 , 150 )\r\n\r\nd(P(0),P(1)) = 0\r\nd(P(1),P(2)) = 141\r\n"
      "d(P(2),P(3)) = 100\r\nTotal Length = 241\r\n\r\nLength(1000分割) = ";
  EXPECT_EQ(report.substr(0, head.size()), head);
  EXPECT_EQ(window.Label1->text().count("\r\n"), 11);
  EXPECT_EQ(report.substr(report.size() - 2), "\r\n");

  // P(3) on P(2): the yellow curve is missing, the blue one stops before its last sample.
  rec.Clear();
  window.P = {{{50, 50}, {150, 50}, {50, 150}, {50, 150}}};
  window.Redraw();
  EXPECT_EQ(rec.Count("PolyBezier"), 1u);
  EXPECT_EQ(rec.Count("MoveToEx"), 1u);
  ASSERT_EQ(rec.Count("LineTo"), 500u);
  EXPECT_EQ(Describe(rec.calls.back()), "LineTo(71,171) ff0000 w2");
}

}  // namespace
