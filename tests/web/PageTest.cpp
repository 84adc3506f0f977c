// The page's state and handlers without a browser: the link's fragment
// (state/StateRules.h) with the page's language, the undo scenarios the
// window runs too, the apply routine as web::Page keeps it, and a switch of
// language.

#include <gtest/gtest.h>

#include <variant>

#include "Page.h"
#include "StateRules.h"
#include "UndoScenarios.h"

namespace {

scene::State FromFragment(const char* text) {
  const auto parsed = state::ParseFragment(text);
  EXPECT_TRUE(std::holds_alternative<scene::State>(parsed))
      << text << ": " << std::get<state::UsageError>(parsed).message;
  return std::holds_alternative<scene::State>(parsed) ? std::get<scene::State>(parsed)
                                                      : scene::State{};
}

std::string Refusal(const char* text) {
  const auto parsed = state::ParseFragment(text);
  return std::holds_alternative<state::UsageError>(parsed)
             ? std::get<state::UsageError>(parsed).message
             : std::string("(taken)");
}

TEST(Fragment, ReadsTheLinkFormAndWritesItBack) {
  const char* link =
      "points=20,200,90,15,240,30,130,250&divisions=10,1000&approximate=1&accurate=0&distance=12";
  const scene::State s = FromFragment(link);
  EXPECT_EQ(s.P[1].x, 90);
  EXPECT_EQ(s.P[3].y, 250);
  EXPECT_EQ(s.divisions, (std::array<bool, 4>{true, false, true, false}));
  EXPECT_TRUE(s.approximate);
  EXPECT_FALSE(s.accurate);
  EXPECT_EQ(s.dist, 12.0f);
  EXPECT_EQ(state::FragmentOf(s), link);
  // A missing member keeps the start value; an empty list ticks no box.
  const scene::State d = FromFragment("#distance=7&divisions=");
  EXPECT_EQ(d.P, scene::kStartPoints);
  EXPECT_EQ(d.divisions, (std::array<bool, 4>{false, false, false, false}));
  EXPECT_EQ(state::FragmentOf(d).find("&divisions=&"),
            std::string("points=50,50,150,50,150,150,50,150").size());
}

TEST(Fragment, RefusesWhatTheWindowCouldNotShowByName) {
  // Beyond the window's reach: the window's own words.
  EXPECT_EQ(Refusal("points=4,50,150,50,150,150,50,150"),
            "P(0) の x = 4 はウィンドウで動かせる範囲（5 から 255）の外です");
  EXPECT_NE(Refusal("points=50,50,150,50,150,150,50,256").find("P(3) の y = 256"),
            std::string::npos);
  EXPECT_NE(Refusal("distance=51").find("オフセット距離 51 はウィンドウでは使えません"),
            std::string::npos);
  // What cannot be read at all: the member by name.
  EXPECT_NE(Refusal("points=50,50,150,50").find("\"points\""), std::string::npos);
  EXPECT_NE(Refusal("distance=12.5").find("\"distance\""), std::string::npos);
  EXPECT_NE(Refusal("divisions=10,20").find("\"divisions\""), std::string::npos);
  EXPECT_NE(Refusal("accurate=yes").find("\"accurate\""), std::string::npos);
  EXPECT_NE(Refusal("colour=red").find("\"colour\""), std::string::npos);
  EXPECT_NE(Refusal("points").find("points"), std::string::npos);
  // A value is quoted as everywhere else: whole characters, "…" when cut.
  std::string accents;
  for (int i = 0; i < 30; ++i) accents += "é";
  EXPECT_NE(Refusal(("distance=x" + accents).c_str()).find("「x" + accents + "」"),
            std::string::npos);
  EXPECT_NE(
      Refusal(("distance=" + std::string(70, '7')).c_str()).find(std::string(60, '7') + "…」"),
      std::string::npos);
}

TEST(Fragment, CarriesThePagesLanguageApartFromTheState) {
  const std::string link =
      "points=20,200,90,15,240,30,130,250&divisions=10,1000&approximate=1&accurate=0&distance=12";
  const scene::State s = FromFragment(link.c_str());
  EXPECT_EQ(state::FragmentOf(s, i18n::Language::English), link + "&lang=en");
  EXPECT_EQ(state::FragmentOf(s, i18n::Language::Japanese), link + "&lang=ja");
  // The state reads the same with the member, wherever it stands.
  EXPECT_TRUE(state::SameWindowState(FromFragment((link + "&lang=en").c_str()), s));
  EXPECT_TRUE(state::SameWindowState(FromFragment(("lang=xx&" + link).c_str()), s));
  // The language read: its name, "none", or the message.
  const auto language = [](const std::string& fragment) -> std::string {
    const auto read = state::FragmentLanguage(fragment);
    if (const auto* error = std::get_if<state::UsageError>(&read)) return error->message;
    const auto named = std::get<std::optional<i18n::Language>>(read);
    return named ? std::string(i18n::NameOf(*named)) : "none";
  };
  EXPECT_EQ(language("#" + link + "&lang=en"), "en");
  EXPECT_EQ(language("lang=ja&distance=3"), "ja");
  EXPECT_EQ(language(link), "none");
  EXPECT_EQ(language(link + "&lang=xx"),
            "リンクの \"lang\" の値「xx」は使えません: ja か en を書きます");
}

// An empty member, a "&" at either end or two in a row, is passed over
// wherever it stands, by the state and by the language alike.
TEST(Fragment, PassesOverEmptyMembersWhereverTheyStand) {
  for (const char* link : {"#&lang=en&distance=7", "lang=en&distance=7&", "&&lang=en&&distance=7&&",
                           "#&&distance=7&lang=en"}) {
    EXPECT_EQ(FromFragment(link).dist, 7.0f) << link;
    const auto language = state::FragmentLanguage(link);
    ASSERT_TRUE(std::holds_alternative<std::optional<i18n::Language>>(language)) << link;
    EXPECT_EQ(std::get<std::optional<i18n::Language>>(language), i18n::Language::English) << link;
  }
  EXPECT_EQ(FromFragment("#&").P, scene::kStartPoints);
  // A member that is not empty still needs its "=".
  EXPECT_EQ(Refusal("&distance=7&&x&"), "リンクの「x」は 名前=値 の形ではありません");
}

// A refusal is shown after a title and a colon ("Cannot open the link's
// state: ..."), so in English it reads on in lower case, as every other.
TEST(Fragment, EnglishRefusalsReadOnInLowerCaseAfterAColon) {
  i18n::SetLanguage(i18n::Language::English);
  for (const char* link : {"points=1,2", "colour=red", "distance", "lang=xx", "distance=51",
                           "points=4,50,150,50,150,150,50,150"}) {
    const auto parsed = state::ParseFragment(link);
    const auto language = state::FragmentLanguage(link);
    const std::string message = std::holds_alternative<state::UsageError>(parsed)
                                    ? std::get<state::UsageError>(parsed).message
                                    : std::get<state::UsageError>(language).message;
    EXPECT_FALSE(message.empty() || (message[0] >= 'A' && message[0] <= 'Z')) << message;
  }
  i18n::SetLanguage(i18n::Language::Japanese);
}

TEST(PageSteps, ADragIsOneStepAndKeyMovesOfOnePointMerge) {
  web::Page page;
  page.PointerDown(150, 150);  // P(2)
  page.PointerMove(170, 160);
  page.PointerMove(200, 120);
  page.PointerUp();
  EXPECT_EQ(page.Current().P[2].x, 200);
  page.PickPoint(0);
  page.MovePoint(1, 0);
  page.MovePoint(0, 10);
  page.ReleasePoint();
  EXPECT_EQ(page.Current().P[0].y, 60);
  page.Undo();  // both key moves of P(0)
  EXPECT_EQ(page.Current().P[0].x, 50);
  EXPECT_EQ(page.Current().P[0].y, 50);
  EXPECT_EQ(page.Current().P[2].x, 200);
  page.Undo();  // the whole drag
  EXPECT_EQ(page.Current().P, scene::kStartPoints);
  page.Undo();  // nothing left
  EXPECT_EQ(page.Current().P, scene::kStartPoints);
  page.Redo();
  page.Redo();
  EXPECT_EQ(page.Current().P[0].y, 60);
  EXPECT_EQ(page.Current().P[2].y, 120);
}

// The buttons' disabled states: [undo, redo, reset] have a step to make.
std::array<bool, 3> Can(const web::Page& page) {
  return {page.CanUndo(), page.CanRedo(), page.CanReset()};
}

TEST(PageSteps, UndoRedoAndResetHaveAStepExactlyWhenTheirKeysWouldChangeTheState) {
  using A = std::array<bool, 3>;
  web::Page page;
  EXPECT_EQ(Can(page), (A{false, false, false}));
  page.PickPoint(2);  // a pick alone changes nothing
  EXPECT_EQ(Can(page), (A{false, false, false}));
  page.ReleasePoint();
  page.PointerDown(150, 150);  // P(2), held: the step comes with the release
  page.PointerMove(200, 120);
  EXPECT_EQ(Can(page), (A{false, false, true}));
  page.PointerUp();
  EXPECT_EQ(Can(page), (A{true, false, true}));
  page.Undo();  // back at the start: nothing to reset
  EXPECT_EQ(Can(page), (A{false, true, false}));
  page.Redo();
  EXPECT_EQ(Can(page), (A{true, false, true}));
  page.Reset();  // a step of its own, which undo takes back
  EXPECT_EQ(Can(page), (A{true, false, false}));
  page.SetDistance(30);  // the start's distance: no step
  EXPECT_EQ(Can(page), (A{true, false, false}));
  page.SetDistance(12);
  page.Undo();
  page.Undo();
  page.Undo();  // the distance, the reset, then the drag
  EXPECT_EQ(Can(page), (A{false, true, false}));
  EXPECT_EQ(page.Current().P, scene::kStartPoints);
}

TEST(PageSteps, NothingIsRecordedForNoChangeAndKeysWaitWhileAButtonIsHeld) {
  web::Page page;
  page.PointerDown(100, 100);  // no point in reach
  page.PointerUp();
  page.PickPoint(1);
  page.MovePoint(1, 0);
  page.MovePoint(-1, 0);  // back where it began: no step
  page.SetDistance(31);
  page.Undo();
  EXPECT_EQ(page.Current().dist, 30.0f);
  page.Undo();
  EXPECT_EQ(page.Current().P, scene::kStartPoints);
  page.Redo();
  EXPECT_EQ(page.Current().dist, 31.0f);

  page.PointerDown(150, 150);
  page.PickPoint(0);
  page.MovePoint(5, 5);
  page.Undo();
  page.Reset();
  EXPECT_EQ(page.Current().dist, 31.0f);
  EXPECT_EQ(page.Last().state.grabIndex, 2);
  page.PointerUp();
}

// The undo scenarios as the page's scripts hand the browser's events to
// the core: a second button arrives as a press, the range control's values
// one by one while its thumb is held.
class PageFront final : public undo_scenarios::FrontEnd {
 public:
  void Run(const undo_scenarios::Event& event) override {
    using undo_scenarios::Do;
    const scene::State shown = page_.Current();
    switch (event.what) {
      case Do::Press:
        held_ |= event.button;
        page_.PointerDown(event.a, event.b);
        break;
      case Do::Move:
        page_.PointerMove(event.a, event.b);
        break;
      case Do::Release:
        held_ &= ~event.button;
        page_.PointerUp(held_ != 0);
        break;
      case Do::Pick:
        page_.PickPoint(event.a);
        break;
      case Do::KeyMove:
        page_.MovePoint(event.a, event.b);
        break;
      case Do::Box:
        if (event.a < 4) {
          page_.SetDivisions(event.a, !shown.divisions[static_cast<std::size_t>(event.a)]);
        } else if (event.a == 4) {
          page_.SetApproximate(!shown.approximate);
        } else {
          page_.SetAccurate(!shown.accurate);
        }
        break;
      case Do::ThumbPress:
        page_.HoldThumb(true);
        break;
      case Do::ThumbTo:
        for (int d = static_cast<int>(shown.dist); d != event.a;) {
          d += d < event.a ? 1 : -1;
          page_.SetDistance(d);
        }
        break;
      case Do::ThumbRelease:
        page_.HoldThumb(false);
        break;
      case Do::Undo:
        page_.Undo();
        break;
      case Do::Redo:
        page_.Redo();
        break;
      case Do::Reset:
        page_.Reset();
        break;
    }
  }
  scene::State Shown() override { return page_.Current(); }

 private:
  web::Page page_;
  int held_ = 0;
};

class PageScenarios : public ::testing::TestWithParam<undo_scenarios::Scenario> {};

TEST_P(PageScenarios, UndoStepsAsInTheWindow) {
  PageFront front;
  undo_scenarios::Run(front, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Undo, PageScenarios, ::testing::ValuesIn(undo_scenarios::Scenarios()),
                         undo_scenarios::NameOf);

TEST(PageApply, WritesLabel2OnlyWhenTheDistanceChanges) {
  web::Page page;
  scene::State s;
  s.P[0] = {20, 200};
  page.Take(s);
  EXPECT_EQ(page.DistanceText(), "オフセット距離：30");
  EXPECT_EQ(page.Last().state.grabIndex, -1);
  s.dist = 12;
  page.Take(s);
  EXPECT_EQ(page.DistanceText(), "オフセット距離:12");
  page.Reset();
  EXPECT_EQ(page.DistanceText(), "オフセット距離:30");
  EXPECT_EQ(page.Current().P, scene::kStartPoints);
  page.Undo();
  EXPECT_EQ(page.Current().dist, 12.0f);
}

TEST(PageLanguage, ASwitchRewritesEveryTextAndKeepsTheState) {
  web::Page page;
  page.PointerMove(70, 80);
  page.SetDistance(12);
  page.SetDivisions(0, true);
  page.FollowBrowser("en-US,ja");
  const scene::State shown = page.Current();
  EXPECT_EQ(page.Caption(), "Bézier curve length - (70,80)");
  EXPECT_EQ(page.DistanceText(), "Offset distance: 12");
  web::Recorder surface;
  EXPECT_EQ(page.Report(), scene::Report(scene::Draw(shown, surface)));  // drawn in English
  EXPECT_NE(page.Report().find("Length(10 div.)"), std::string::npos) << page.Report();
  EXPECT_EQ(page.Fragment(), state::FragmentOf(shown));  // the browser's: not in the link

  page.ChooseLanguage(i18n::Language::Japanese);  // over the browser's
  EXPECT_EQ(page.Caption(), "ベジェ曲線の長さ計算サンプル - (70,80)");
  EXPECT_EQ(page.Report(), scene::Report(scene::Draw(shown, surface)));
  EXPECT_EQ(page.Fragment(), state::FragmentOf(shown) + "&lang=ja");
  EXPECT_TRUE(state::SameWindowState(page.Current(), shown));
  page.Undo();  // the box: a switch of language is no step
  EXPECT_FALSE(page.Current().divisions[0]);
  page.ChooseLanguage(std::nullopt);  // back to the browser's
  EXPECT_EQ(page.DistanceText(), "Offset distance: 12");
  page.FollowBrowser("");
  EXPECT_EQ(i18n::CurrentLanguage(), i18n::Language::Japanese);
}

}  // namespace
