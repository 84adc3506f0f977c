#include "Fragment.h"

#include <array>
#include <charconv>
#include <optional>
#include <vector>

namespace web {

namespace {

constexpr std::array<int, 4> kDivisionCounts{10, 100, 1000, 10000};
constexpr int kReachLow = 5;
constexpr int kReachHigh = 255;
constexpr int kDistanceHigh = 50;

FragmentError Bad(std::string_view name, std::string_view value, const char* why) {
  return {"リンクの \"" + std::string(name) + "\" の値「" + std::string(value.substr(0, 40)) +
          "」は使えません: " + why};
}

// The comma-separated whole numbers of `value`, each from `low` to `high`.
std::optional<std::vector<int>> Numbers(std::string_view value, int low, int high) {
  std::vector<int> out;
  while (true) {
    const std::size_t comma = value.find(',');
    const std::string_view field = value.substr(0, comma);
    int n = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), n);
    if (field.empty() || error != std::errc() || end != field.data() + field.size() || n < low ||
        n > high) {
      return std::nullopt;
    }
    out.push_back(n);
    if (comma == std::string_view::npos) return out;
    value.remove_prefix(comma + 1);
  }
}

std::optional<FragmentError> ReadMember(std::string_view name, std::string_view value,
                                        scene::State& state) {
  if (name == "points") {
    const auto n = Numbers(value, kReachLow, kReachHigh);
    if (!n || n->size() != 8) {
      return Bad(name, value, "5 から 255 の整数 8 つ（x,y を 4 組）を書きます");
    }
    for (std::size_t i = 0; i < 4; ++i) state.P[i] = {(*n)[2 * i], (*n)[2 * i + 1]};
  } else if (name == "divisions") {
    state.divisions = {false, false, false, false};
    if (value.empty()) return std::nullopt;
    const auto n = Numbers(value, 10, 10000);
    bool known = n.has_value();
    for (int count : n.value_or(std::vector<int>{})) {
      bool one = false;
      for (std::size_t i = 0; i < kDivisionCounts.size(); ++i) {
        if (count == kDivisionCounts[i]) state.divisions[i] = one = true;
      }
      known = known && one;
    }
    if (!known) return Bad(name, value, "10, 100, 1000, 10000 から選んだ数を書きます");
  } else if (name == "approximate" || name == "accurate") {
    if (value != "0" && value != "1") return Bad(name, value, "1 か 0 を書きます");
    (name == "approximate" ? state.approximate : state.accurate) = value == "1";
  } else if (name == "distance") {
    const auto n = Numbers(value, 0, kDistanceHigh);
    if (!n || n->size() != 1) return Bad(name, value, "0 から 50 の整数を書きます");
    state.dist = static_cast<float>(n->front());
  } else {
    return FragmentError{"リンクに知らないメンバー \"" + std::string(name.substr(0, 40)) +
                         "\" があります（使えるのは points, divisions, approximate, accurate, "
                         "distance）"};
  }
  return std::nullopt;
}

}  // namespace

std::string FragmentOf(const scene::State& state) {
  std::string out = "points=";
  for (std::size_t i = 0; i < state.P.size(); ++i) {
    if (i > 0) out += ',';
    out += std::to_string(state.P[i].x) + ',' + std::to_string(state.P[i].y);
  }
  out += "&divisions=";
  bool first = true;
  for (std::size_t i = 0; i < kDivisionCounts.size(); ++i) {
    if (!state.divisions[i]) continue;
    if (!first) out += ',';
    out += std::to_string(kDivisionCounts[i]);
    first = false;
  }
  out += std::string("&approximate=") + (state.approximate ? "1" : "0");
  out += std::string("&accurate=") + (state.accurate ? "1" : "0");
  out += "&distance=" + std::to_string(static_cast<int>(state.dist));
  return out;
}

std::variant<scene::State, FragmentError> ParseFragment(std::string_view fragment) {
  scene::State state;
  if (!fragment.empty() && fragment.front() == '#') fragment.remove_prefix(1);
  while (!fragment.empty()) {
    const std::size_t amp = fragment.find('&');
    const std::string_view member = fragment.substr(0, amp);
    const std::size_t eq = member.find('=');
    if (eq == std::string_view::npos) {
      return FragmentError{"リンクの「" + std::string(member.substr(0, 40)) +
                           "」は 名前=値 の形ではありません"};
    }
    if (auto error = ReadMember(member.substr(0, eq), member.substr(eq + 1), state)) return *error;
    if (amp == std::string_view::npos) break;
    fragment.remove_prefix(amp + 1);
  }
  return state;
}

}  // namespace web
