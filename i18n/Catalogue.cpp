#include "Catalogue.h"

#include <optional>

namespace i18n {

namespace {

constexpr std::uint32_t kMagic = 0x950412de;
constexpr std::uint32_t kMagicSwapped = 0xde120495;
constexpr std::size_t kHeaderSize = 20;  // magic, revision, count, two table offsets

class Reader {
 public:
  explicit Reader(std::span<const unsigned char> bytes) : bytes_(bytes) {}

  std::optional<std::uint32_t> Word(std::size_t offset) const {
    if (offset > bytes_.size() || bytes_.size() - offset < 4) return std::nullopt;
    std::uint32_t w = 0;
    for (int k = 0; k < 4; ++k) {
      const std::uint32_t b = bytes_[offset + static_cast<std::size_t>(k)];
      w |= b << (8 * (bigEndian_ ? 3 - k : k));
    }
    return w;
  }

  bool ReadMagic() {
    const std::uint32_t magic = Word(0).value_or(0);
    bigEndian_ = magic == kMagicSwapped;
    return bigEndian_ || magic == kMagic;
  }

  // String `index` of the table at `table`: a NUL-terminated string of the
  // stated length inside the catalogue.
  std::optional<std::string_view> String(std::uint32_t table, std::uint32_t index) const {
    const std::size_t entry = table + std::size_t{8} * index;
    const auto length = Word(entry);
    const auto offset = Word(entry + 4);
    if (!length || !offset || *offset >= bytes_.size() || bytes_.size() - *offset <= *length ||
        bytes_[*offset + *length] != 0) {
      return std::nullopt;
    }
    return std::string_view(reinterpret_cast<const char*>(bytes_.data()) + *offset, *length);
  }

 private:
  std::span<const unsigned char> bytes_;
  bool bigEndian_ = false;
};

}  // namespace

Catalogue::Catalogue(std::span<const unsigned char> bytes) {
  Reader reader(bytes);
  if (bytes.size() < kHeaderSize || !reader.ReadMagic()) return;
  const auto revision = reader.Word(4);
  const auto count = reader.Word(8);
  const auto msgids = reader.Word(12);
  const auto translations = reader.Word(16);
  if (!revision || (*revision >> 16) > 1 || !count || !msgids || !translations) return;
  for (std::uint32_t i = 0; i < *count; ++i) {
    const auto msgid = reader.String(*msgids, i);
    const auto translation = reader.String(*translations, i);
    if (!msgid || !translation) {
      translations_.clear();
      return;
    }
    // The entry with the empty msgid is the catalogue's header.
    if (!msgid->empty()) translations_.emplace(*msgid, translation->data());
  }
}

const char* Catalogue::Find(std::string_view msgid) const {
  const auto found = translations_.find(msgid);
  return found == translations_.end() ? nullptr : found->second;
}

}  // namespace i18n
