// The JSON the report tool writes for states whose steps fail: every value
// the scene computed, each failure under its error's name, and the report
// itself, all read back from the text exactly as they were computed.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "FanOutSurface.h"
#include "JsonText.h"
#include "ReportJson.h"

namespace {

using geometry::IntPoint;

// The object as a reader gets it: written out and parsed back.
QJsonObject RoundTrip(const scene::Result& result, const geometry::Analysis* analysis = nullptr) {
  const std::string text =
      state::JsonText(cli::ToJson(result, analysis), state::JsonFormat::kCompact);
  return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

scene::Result Draw(std::array<IntPoint, 4> P,
                   std::array<bool, 4> divisions = {false, false, true, false}) {
  scene::State state;
  state.P = P;
  state.divisions = divisions;
  drawing::FanOutSurface nothing(260, 260);
  return scene::Draw(state, nothing, scene::Vertices::kKeep);
}

TEST(ReportJson, StartStateKeepsEveryValueToTheLastBit) {
  const scene::Result r = Draw(scene::kStartPoints, {true, true, true, true});
  const QJsonObject o = RoundTrip(r);
  EXPECT_EQ(o.keys(), (QStringList{"accurate", "approximate", "chords", "distance", "grabbed",
                                   "lengths", "points", "report", "state", "total"}));
  EXPECT_EQ(o["points"], (QJsonArray{QJsonArray{50, 50}, QJsonArray{150, 50}, QJsonArray{150, 150},
                                     QJsonArray{50, 150}}));
  EXPECT_EQ(o["grabbed"], -1);
  EXPECT_EQ(o["distance"], 30);
  EXPECT_EQ(o["total"], 300);
  ASSERT_EQ(o["lengths"].toArray().size(), 4);
  EXPECT_EQ(o["lengths"][1].toObject(),  // the sum as computed, not rounded
            (QJsonObject{{"divisions", 100}, {"length", 197.06940000000003}}));
  EXPECT_EQ(o["approximate"].toObject(),
            (QJsonObject{{"points", QJsonArray{QJsonArray{50, 20}, QJsonArray{170, 20},
                                               QJsonArray{170, 180}, QJsonArray{50, 180}}}}));
  const QJsonObject accurate = o["accurate"].toObject();
  EXPECT_EQ(accurate["vertices"].toArray().size(), 501);
  EXPECT_EQ(accurate["vertices"][250], (QJsonArray{155, 100}));
  EXPECT_TRUE(accurate["stoppedAt"].isNull());
  EXPECT_TRUE(accurate["error"].isNull());
  EXPECT_EQ(o["report"].toString().toStdString(), scene::Report(r));
}

TEST(ReportJson, FailedStepsAreNamedAndKeepWhatWasComputed) {
  {  // P(1) = P(0): no tangent at the start; the yellow curve and the blue
     // polyline's first sample fail.
    const QJsonObject o = RoundTrip(Draw({{{10, 10}, {10, 10}, {100, 50}, {200, 200}}}));
    EXPECT_EQ(o["approximate"].toObject(), (QJsonObject{{"error", "InvalidOperation"}}));
    EXPECT_EQ(
        o["accurate"].toObject(),
        (QJsonObject{{"vertices", QJsonArray{}}, {"stoppedAt", 0}, {"error", "InvalidOperation"}}));
    EXPECT_EQ(o["chords"][0], 0);
  }
  {  // P(3) = P(2): the polyline stops at its last sample, 500 vertices drawn.
    const QJsonObject accurate =
        RoundTrip(Draw({{{10, 10}, {100, 10}, {100, 100}, {100, 100}}}))["accurate"].toObject();
    EXPECT_EQ(accurate["stoppedAt"], 500);
    EXPECT_EQ(accurate["vertices"].toArray().size(), 500);
  }
  {  // A side longer than 2^31 px: its length is known, its line overflows,
     // and so does the total's; a side whose differences overflow has none.
    const scene::Result r =
        Draw({{{0, 0}, {2000000000, 2000000000}, {-2000000000, 0}, {0, 0}}}, {});
    const QJsonObject o = RoundTrip(r);
    EXPECT_EQ(o["chords"][0].toDouble(), std::sqrt(8e18));
    EXPECT_TRUE(o["chords"][1].isNull());
    EXPECT_EQ(o["chords"][2], 2000000000);
    EXPECT_EQ(o["total"].toDouble(), std::sqrt(8e18) + 2e9);
    EXPECT_EQ(o["report"].toString().toStdString(), scene::Report(r));
    EXPECT_EQ(scene::Report(r).find("Total"), std::string::npos);
  }
  {  // A curve of 300,000 px: its sum is known but too long for its line.
     // With P(1).x = 4e8, 6·P(1).x leaves the 32-bit range: no sum at all.
    const QJsonObject line =
        RoundTrip(Draw({{{0, 0}, {100000, 0}, {200000, 0}, {300000, 0}}}))["lengths"][0].toObject();
    EXPECT_EQ(line.keys(), (QStringList{"divisions", "length", "lineError"}));
    EXPECT_NEAR(line["length"].toDouble(), 299700, 1);
    EXPECT_EQ(line["lineError"], "Overflow");
    const QJsonObject sum =
        RoundTrip(Draw({{{0, 0}, {400000000, 0}, {0, 5}, {9, 9}}}))["lengths"][0].toObject();
    EXPECT_EQ(sum, (QJsonObject{{"divisions", 1000}, {"error", "Overflow"}}));
  }
}

TEST(ReportJson, AnalysisIsMadeFromTheResultsOwnSumsAndYellowCurve) {
  // The 300,000 px line: its sum's line failed but the sum is known, so it is
  // analysed; the yellow curve is drawn, so its deviation is measured.
  const scene::Result line =
      Draw({{{0, 0}, {100000, 0}, {200000, 0}, {300000, 0}}}, {true, true, true, true});
  const geometry::Analysis analysis = scene::Analyse(line);
  const QJsonObject a = RoundTrip(line, &analysis)["analysis"].toObject();
  EXPECT_EQ(a["referenceLength"], 300000);  // a straight line: its chord, exactly
  EXPECT_EQ(a["degenerate"], false);
  ASSERT_EQ(a["sums"].toArray().size(), 4);
  const std::array<int, 4> samples{10, 99, 999, 10000};
  for (std::size_t i = 0; i < 4; ++i) {
    const QJsonObject sum = a["sums"][static_cast<qsizetype>(i)].toObject();
    EXPECT_EQ(sum["samples"], samples[i]);
    EXPECT_EQ(sum["length"].toDouble(), *line.lengths[i].length);  // the scene's, not recomputed
    EXPECT_EQ(sum["absoluteError"].toDouble(), *line.lengths[i].length - 300000);
    EXPECT_EQ(sum["relativeError"].toDouble(), (*line.lengths[i].length - 300000) / 300000);
  }
  EXPECT_TRUE(a["approximateDeviation"].isObject());
  EXPECT_EQ(a["zeroTangent"], QJsonArray{});
  // Legs of 10^5 px are too long for the deviation's 0.01 px at a kink.
  EXPECT_EQ(a["converged"], (QJsonObject{{"referenceLength", true},
                                         {"approximateDeviation", false},
                                         {"zeroTangent", true}}));

  // P(1) = P(0): no yellow curve to measure, a zero tangent at t = 0; a sum
  // that failed is not analysed; no analysis unless one is given.
  const scene::Result stuck = Draw({{{10, 10}, {10, 10}, {100, 50}, {200, 200}}});
  const geometry::Analysis analysed = scene::Analyse(stuck);
  const QJsonObject b = RoundTrip(stuck, &analysed)["analysis"].toObject();
  EXPECT_TRUE(b["approximateDeviation"].isNull());
  EXPECT_EQ(b["zeroTangent"], QJsonArray{0});
  EXPECT_FALSE(RoundTrip(stuck).contains("analysis"));
  EXPECT_TRUE(scene::Analyse(Draw({{{0, 0}, {400000000, 0}, {0, 5}, {9, 9}}})).sums.empty());
}

}  // namespace
