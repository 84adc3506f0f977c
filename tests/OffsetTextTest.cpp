// The offset study's text against the study's own figures and the tool tip's
// line, in both languages: a line that drops a figure, rounds one differently
// or words one language with other numbers fails here.

#include "OffsetText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "AnalysisText.h"
#include "Language.h"
#include "OffsetCurves.h"
#include "TextColumns.h"
#include "Tr.h"

namespace {

using geometry::IntPoint;
using i18n::Language;
using Points = std::array<IntPoint, 4>;

struct Case {
  Points P;
  float dist;
};

// The start state, the same at a negative distance, the two-cusp state, a
// state that does not converge at once, and one with a zero tangent at t = 0.
const std::vector<Case>& Cases() {
  static const std::vector<Case> cases{
      {{{{50, 50}, {150, 50}, {150, 150}, {50, 150}}}, 30},
      {{{{50, 50}, {150, 50}, {150, 150}, {50, 150}}}, -45},
      {{{{50, 150}, {150, 150}, {150, 50}, {50, 50}}}, 50},
      {{{{183, 204}, {67, 25}, {152, 81}, {139, 131}}}, 30},
      {{{{60, 60}, {60, 60}, {200, 80}, {120, 220}}}, 30},
  };
  return cases;
}

class InLanguage {
 public:
  explicit InLanguage(Language language) { i18n::SetLanguage(language); }
  ~InLanguage() { i18n::SetLanguage(Language::Japanese); }
  InLanguage(const InLanguage&) = delete;
  InLanguage& operator=(const InLanguage&) = delete;
};

std::vector<std::string> LinesIn(Language language, const geometry::OffsetStudy& study) {
  const InLanguage in(language);
  return scene::OffsetLines(study);
}

// The numbers of a line, sorted: the same figures whatever the word order.
std::vector<std::string> Figures(const std::string& line) {
  static const std::regex number(R"(-?[0-9]+(\.[0-9]+)?(e[-+][0-9]+)?)");
  std::vector<std::string> figures;
  for (auto it = std::sregex_iterator(line.begin(), line.end(), number);
       it != std::sregex_iterator(); ++it) {
    figures.push_back(it->str());
  }
  std::sort(figures.begin(), figures.end());
  return figures;
}

const std::string* LineStarting(const std::vector<std::string>& lines, const std::string& head) {
  for (const std::string& line : lines) {
    if (line.rfind(head, 0) == 0) return &line;
  }
  return nullptr;
}

TEST(OffsetText, AsDrawnIsTheTipsLineAndEveryRowAndCuspIsTheStudys) {
  for (const Case& c : Cases()) {
    const geometry::OffsetStudy study = geometry::StudyOffset(c.P, c.dist);
    const std::vector<std::string> lines = scene::OffsetLines(study);
    SCOPED_TRACE(scene::JoinLines(lines));
    ASSERT_GE(lines.size(), 2U);
    // The tip computes its deviation from the window's own yellow curve.
    std::optional<std::array<IntPoint, 4>> Q;
    try {
      Q = geometry::ApproximateOffsetPoints(c.P, c.dist);
    } catch (const geometry::Error&) {
    }
    const geometry::Analysis tip =
        geometry::Analyse(c.P, {}, Q, c.dist, geometry::Figures::kDeviation);
    EXPECT_EQ(lines[1], scene::DeviationLine(tip));

    for (const geometry::SplitRow& row : study.splitting) {
      const std::string* line = LineStarting(lines, scene::Cell(std::to_string(row.pieces), 12));
      ASSERT_NE(line, nullptr) << row.pieces;
      const std::string cell = line->substr(12, 14);
      if (row.deviation) {
        EXPECT_NEAR(std::stod(cell), *row.deviation, 5e-5) << *line;
      } else {
        EXPECT_EQ(cell, std::string(13, ' ') + "-");
      }
      EXPECT_EQ(line->find("（精度未達）") != std::string::npos, row.deviation && !row.converged)
          << *line;
    }

    const std::string* cusps = LineStarting(lines, "真のオフセット曲線の尖点: ");
    ASSERT_NE(cusps, nullptr);
    const std::regex at(R"(t = ([0-9.]+)（)");
    std::vector<double> listed;
    for (auto it = std::sregex_iterator(cusps->begin(), cusps->end(), at);
         it != std::sregex_iterator(); ++it) {
      listed.push_back(std::stod((*it)[1].str()));
    }
    ASSERT_EQ(listed.size(), study.cusps.size());
    for (std::size_t i = 0; i < listed.size(); ++i) {
      EXPECT_NEAR(listed[i], study.cusps[i].t, 5e-10);
    }

    for (std::size_t i = 0; i < geometry::kStudyTargets.size(); ++i) {
      const std::string& line = lines[lines.size() - 2 + i];
      if (study.fewest[i]) {
        EXPECT_TRUE(line.ends_with(" = " + std::to_string(*study.fewest[i]))) << line;
      } else {
        EXPECT_NE(line.find("64 分割まででは届きません"), std::string::npos) << line;
        for (double t : study.zeroTangents) {
          EXPECT_NE(line.find(scene::ParameterFigure(t)), std::string::npos) << line;
        }
      }
    }
  }
}

TEST(OffsetText, EnglishHasTheSameLinesWithTheSameFigures) {
  for (const Case& c : Cases()) {
    const geometry::OffsetStudy study = geometry::StudyOffset(c.P, c.dist);
    const std::vector<std::string> ja = LinesIn(Language::Japanese, study);
    const std::vector<std::string> en = LinesIn(Language::English, study);
    ASSERT_EQ(ja.size(), en.size());
    for (std::size_t i = 0; i < ja.size(); ++i) {
      EXPECT_EQ(Figures(ja[i]), Figures(en[i])) << ja[i] << "\n" << en[i];
      const bool words = std::any_of(ja[i].begin(), ja[i].end(), [](char ch) {
        return static_cast<unsigned char>(ch) >= 0x80;
      });
      if (words) {
        EXPECT_NE(ja[i], en[i]);
      }
    }
  }
}

}  // namespace
