#include "PathBytes.h"

#include <QStringDecoder>

#include "Readable.h"

namespace state {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool IsEscape(QChar c) {
  return c.unicode() >= kEscapeBase + 0x80 && c.unicode() <= kEscapeBase + 0xFF;
}

// Valid UTF-8 as text, a leading byte order mark included (QString::fromUtf8
// would drop it, and with it the bytes of a name that starts with one).
QString Decoded(std::string_view valid) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom);
  return utf8(QByteArrayView(valid.data(), static_cast<qsizetype>(valid.size())));
}

}  // namespace

QString FromBytes(std::string_view bytes) {
  QString text;
  std::size_t run = 0;  // the valid UTF-8 not yet decoded, at the start of `bytes`
  while (run < bytes.size()) {
    const std::size_t length = files::Utf8Length(bytes.substr(run));
    if (length > 0) {
      run += length;
      continue;
    }
    text += Decoded(bytes.substr(0, run));
    text += QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[run])));
    bytes.remove_prefix(run + 1);
    run = 0;
  }
  return text + Decoded(bytes);
}

std::string ToBytes(const QString& text) {
  std::string bytes;
  qsizetype run = 0;  // where the text not yet encoded starts
  for (qsizetype i = 0; i < text.size(); ++i) {
    const bool paired = i > 0 && text[i - 1].isHighSurrogate();
    if (!IsEscape(text[i]) || paired) continue;
    bytes += text.mid(run, i - run).toStdString();
    bytes += static_cast<char>(text[i].unicode() - kEscapeBase);
    run = i + 1;
  }
  return bytes + text.mid(run).toStdString();
}

QStringList Arguments(int argc, const char* const* argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.append(FromBytes(argv[i]));
  return arguments;
}

std::vector<std::string> OptionBytes(const QStringList& arguments) {
  std::vector<std::string> bytes;
  for (qsizetype i = 1; i < arguments.size(); ++i) bytes.push_back(ToBytes(arguments[i]));
  return bytes;
}

}  // namespace state
