#include "StateJson.h"

#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "Arithmetic.h"
#include "DivisionCounts.h"
#include "JsonRead.h"
#include "JsonText.h"
#include "StateRules.h"
#include "Tr.h"

namespace state {

using i18n::Format;
using i18n::Tr;

namespace {

UsageError BadMember(const char* name, const nlohmann::json& value, const std::string& why) {
  return {
      Format(Tr("\"state\" の \"%1\" の値「%2」は使えません: %3"), {name, ShownJson(value), why})};
}

std::optional<std::int32_t> WholeInt32(const nlohmann::json& value) {
  if (!value.is_number()) return std::nullopt;
  const double d = value.get<double>();
  if (std::trunc(d) != d || d < std::numeric_limits<std::int32_t>::min() ||
      d > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(d);
}

std::optional<UsageError> ReadPoints(const nlohmann::json& value, scene::State& state) {
  const std::string kWhy = Tr("32 ビット整数の組 [x,y] を 4 つ並べた配列を書きます");
  if (!value.is_array() || value.size() != 4) return BadMember("points", value, kWhy);
  for (std::size_t i = 0; i < 4; ++i) {
    const nlohmann::json& pair = value[i];
    if (!pair.is_array() || pair.size() != 2) return BadMember("points", value, kWhy);
    const std::optional<std::int32_t> x = WholeInt32(pair[0]);
    const std::optional<std::int32_t> y = WholeInt32(pair[1]);
    if (!x || !y) return BadMember("points", value, kWhy);
    state.P[i] = {*x, *y};
  }
  return std::nullopt;
}

std::optional<UsageError> ReadDivisions(const nlohmann::json& value, scene::State& state) {
  const std::string kWhy = Format(Tr("%1 から選んだ数の配列を書きます"), {DivisionCountList()});
  if (!value.is_array()) return BadMember("divisions", value, kWhy);
  state.divisions = {false, false, false, false};
  for (const nlohmann::json& count : value) {
    const std::optional<std::int32_t> n = WholeInt32(count);
    bool known = false;
    for (std::size_t i = 0; i < geometry::kDivisionCounts.size(); ++i) {
      if (n && *n == geometry::kDivisionCounts[i]) state.divisions[i] = known = true;
    }
    if (!known) return BadMember("divisions", value, kWhy);
  }
  return std::nullopt;
}

std::optional<UsageError> ReadMember(const std::string& name, const nlohmann::json& value,
                                     scene::State& state) {
  if (name == "points") return ReadPoints(value, state);
  if (name == "divisions") return ReadDivisions(value, state);
  if (name == "grabbed") {
    const std::optional<std::int32_t> grabbed = WholeInt32(value);
    if (!grabbed || *grabbed < -1 || *grabbed > 3) {
      return BadMember("grabbed", value, Tr("-1 から 3 の整数を書きます"));
    }
    state.grabIndex = *grabbed;
  } else if (name == "approximate" || name == "accurate") {
    const bool approximate = name == "approximate";
    if (!value.is_boolean()) {
      return BadMember(approximate ? "approximate" : "accurate", value,
                       Tr("true か false を書きます"));
    }
    (approximate ? state.approximate : state.accurate) = value.get<bool>();
  } else if (name == "distance") {
    if (!value.is_number()) return BadMember("distance", value, Tr("数を書きます"));
    try {
      state.dist = geometry::ToSingle(value.get<double>());
    } catch (const geometry::Error&) {
      return BadMember("distance", value, Tr("単精度の範囲を超えています"));
    }
  } else {
    return UsageError{Format(Tr("\"state\" に知らないメンバー \"%1\" があります（使えるのは "
                                "points, grabbed, divisions, approximate, accurate, distance）"),
                             {Shown(name)})};
  }
  return std::nullopt;
}

}  // namespace

nlohmann::json StateObject(const scene::State& state) {
  nlohmann::json points = nlohmann::json::array();
  for (const geometry::IntPoint& p : state.P) points.push_back({p.x, p.y});
  nlohmann::json divisions = nlohmann::json::array();
  for (std::size_t i = 0; i < geometry::kDivisionCounts.size(); ++i) {
    if (state.divisions[i]) divisions.push_back(static_cast<int>(geometry::kDivisionCounts[i]));
  }
  return {{"points", points},           {"grabbed", state.grabIndex},
          {"divisions", divisions},     {"approximate", state.approximate},
          {"accurate", state.accurate}, {"distance", static_cast<double>(state.dist)}};
}

std::string StateFileText(const scene::State& state) {
  return JsonText({{"state", StateObject(state)}}, JsonFormat::kIndented);
}

std::variant<scene::State, UsageError> ReadStateObject(const nlohmann::json& object) {
  scene::State chosen;
  for (auto it = object.begin(); it != object.end(); ++it) {
    if (auto problem = ReadMember(it.key(), it.value(), chosen)) return *problem;
  }
  return chosen;
}

std::variant<scene::State, UsageError> ParseStateJson(std::string_view bytes) {
  auto read = ReadJson(bytes);
  if (auto* error = std::get_if<UsageError>(&read)) return std::move(*error);
  const nlohmann::json& document = std::get<nlohmann::json>(read);
  if (!document.is_object()) return UsageError{Tr("JSON のオブジェクトではありません")};
  const auto member = document.find("state");
  if (member == document.end()) return UsageError{Tr("\"state\" メンバーがありません")};
  if (!member->is_object()) {
    return UsageError{
        Format(Tr("\"state\" の値「%1」はオブジェクトではありません"), {ShownJson(*member)})};
  }
  return ReadStateObject(*member);
}

std::string ShownJson(const nlohmann::json& value) {
  return Shown(JsonText(value, JsonFormat::kCompact));
}

}  // namespace state
