// The one JSON reader: nlohmann/json's parser, with a walk over the text for
// what it reads otherwise than the programs do (JsonRead.h). The walk knows
// only strings and their escapes, brackets and numbers: wherever the text is
// no JSON, the parser stops first and says where.

#include "JsonRead.h"

#include <cmath>
#include <cstddef>
#include <string>

#include "Tr.h"

namespace state {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The UTF-16 unit of the escape \uXXXX at text[at], or -1 when none is there.
int EscapedUnit(std::string_view text, std::size_t at) {
  if (at + 6 > text.size() || text[at] != '\\' || text[at + 1] != 'u') return -1;
  int unit = 0;
  for (std::size_t i = at + 2; i < at + 6; ++i) {
    const int digit = HexDigit(text[i]);
    if (digit < 0) return -1;
    unit = unit * 16 + digit;
  }
  return unit;
}

bool IsSurrogate(int unit) { return unit >= 0xD800 && unit <= 0xDFFF; }
bool IsHighSurrogate(int unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(int unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Every escaped surrogate without its partner made \ufffd, in place: the same
// six bytes, so the parser's byte positions stay those of the text given.
void ReplaceLoneSurrogates(std::string& text) {
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"') inString = !inString;
    if (!inString || text[i] != '\\') continue;
    const int unit = EscapedUnit(text, i);
    if (unit < 0) {
      ++i;  // another escape; the character escaped ends no string
    } else if (IsHighSurrogate(unit) && IsLowSurrogate(EscapedUnit(text, i + 6))) {
      i += 11;
    } else {
      if (IsSurrogate(unit)) text.replace(i, 6, "\\ufffd");
      i += 5;
    }
  }
}

// The brackets and numbers outside strings, met in the order the parser
// meets them; each cursor only goes forward, so that a whole text is walked
// once however many of them are asked for.
class Tokens {
 public:
  explicit Tokens(std::string_view text) : text_(text) {}

  // The byte (counted from one) of the n-th opening bracket, n from one.
  std::size_t BracketEnd(std::size_t n) {
    while (Next(brackets_)) {
      const char c = text_[brackets_.at];
      if ((c == '[' || c == '{') && ++brackets_.seen == n) return ++brackets_.at;
      ++brackets_.at;
    }
    return text_.size();
  }

  // The byte (counted from one) where `part`, of the text, ends.
  std::size_t End(std::string_view part) const {
    return static_cast<std::size_t>(part.data() - text_.data()) + part.size();
  }

  // The n-th number, n from one.
  std::string_view Number(std::size_t n) {
    while (Next(numbers_)) {
      const std::size_t start = numbers_.at;
      const char c = text_[start];
      if (c != '-' && (c < '0' || c > '9')) {
        ++numbers_.at;
        continue;
      }
      std::size_t end = start;
      while (end < text_.size() &&
             std::string_view("0123456789+-.eE").find(text_[end]) != std::string_view::npos) {
        ++end;
      }
      numbers_.at = end;
      if (++numbers_.seen == n) return text_.substr(start, end - start);
    }
    return {};
  }

 private:
  struct Cursor {
    std::size_t at = 0;
    std::size_t seen = 0;
  };

  // Moves `cursor` past strings to the next byte outside one; false at the end.
  bool Next(Cursor& cursor) const {
    while (cursor.at < text_.size() && text_[cursor.at] == '"') {
      std::size_t i = cursor.at + 1;
      while (i < text_.size() && text_[i] != '"') i += text_[i] == '\\' ? 2 : 1;
      cursor.at = i + 1;
    }
    return cursor.at < text_.size();
  }

  std::string_view text_;
  Cursor brackets_;
  Cursor numbers_;
};

// Whether a number's digits before its exponent are not all zeros.
bool HasNonZeroDigit(std::string_view number) {
  for (const char c : number.substr(0, number.find_first_of("eE"))) {
    if (c >= '1' && c <= '9') return true;
  }
  return false;
}

// Where the reader stopped by its own rules: at the end of this byte.
struct StoppedAt {
  std::size_t byte;
};

UsageError Unreadable(std::size_t byte) {
  return {i18n::Format(i18n::Tr("JSON として読めません（%1 バイト目）"), {std::to_string(byte)})};
}

}  // namespace

std::variant<nlohmann::json, UsageError> ReadJson(std::string_view bytes) {
  std::string text(bytes);
  ReplaceLoneSurrogates(text);
  Tokens tokens(text);
  std::size_t brackets = 0;
  std::size_t numbers = 0;
  using Event = nlohmann::json::parse_event_t;
  const nlohmann::json::parser_callback_t check = [&](int depth, Event event,
                                                      nlohmann::json& parsed) {
    if (event == Event::object_start || event == Event::array_start) {
      ++brackets;
      if (depth >= kDeepestJsonNesting) throw StoppedAt{tokens.BracketEnd(brackets)};
    } else if (event == Event::value && parsed.is_number()) {
      ++numbers;
      const double value = parsed.is_number_float() ? parsed.get<double>() : 1;
      if (!std::isfinite(value) || value == 0) {
        const std::string_view number = tokens.Number(numbers);
        if (!std::isfinite(value) || HasNonZeroDigit(number)) {
          throw StoppedAt{tokens.End(number)};
        }
      }
    }
    return true;
  };
  try {
    return nlohmann::json::parse(text, check);
  } catch (const nlohmann::json::parse_error& e) {
    return Unreadable(e.byte);
  } catch (const nlohmann::json::out_of_range&) {
    // A number beyond a double's range, met before the callback sees it.
    return Unreadable(tokens.End(tokens.Number(numbers + 1)));
  } catch (const StoppedAt& stopped) {
    return Unreadable(stopped.byte);
  }
}

}  // namespace state
