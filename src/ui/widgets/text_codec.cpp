#include "ui/widgets/text_codec.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>

#include "core/platform/code_page.h"

namespace scriptdesk {
namespace {

QStringDecoder MakeDecoder() {
#ifdef Q_OS_WIN
  return QStringDecoder(QStringConverter::System, QStringConverter::Flag::Stateless);
#else
  return QStringDecoder("windows-1252", QStringConverter::Flag::Stateless);
#endif
}

QStringEncoder MakeEncoder() {
#ifdef Q_OS_WIN
  return QStringEncoder(QStringConverter::System, QStringConverter::Flag::Stateless);
#else
  return QStringEncoder("windows-1252", QStringConverter::Flag::Stateless);
#endif
}

bool QtCodecAvailable() {
  static const bool available = MakeDecoder().isValid() && MakeEncoder().isValid();
  return available;
}

// Encoders differ in what they do with a character they lack (a substitute byte, '?', or a
// "best fit" letter), so a text only counts as encoded when it decodes back unchanged.
std::optional<std::string> EncodeWithQt(QStringView text) {
  QStringEncoder encoder = MakeEncoder();
  const QByteArray bytes = encoder.encode(text);
  if (encoder.hasError()) return std::nullopt;
  std::string result(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  if (ToQt(result) != text) return std::nullopt;
  return result;
}

std::optional<std::string> Encode(QStringView text) {
  if (QtCodecAvailable()) return EncodeWithQt(text);
  return EncodeWindows1252(text.toString());
}

}  // namespace

QString DecodeWindows1252(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    text.append(QChar(static_cast<char16_t>(Windows1252CodePoint(byte))));
  }
  return text;
}

std::optional<std::string> EncodeWindows1252(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (const QChar c : text) {
    const std::optional<char> byte = Windows1252Byte(c.unicode());
    if (!byte) return std::nullopt;
    bytes.push_back(*byte);
  }
  return bytes;
}

QString ToQt(std::string_view ansi) {
  if (!QtCodecAvailable()) return DecodeWindows1252(ansi);
  // Made once: the pages show hundreds of texts, and a stateless decoder carries nothing over.
  static QStringDecoder decoder = MakeDecoder();
  return decoder.decode(QByteArrayView(ansi.data(), static_cast<qsizetype>(ansi.size())));
}

std::optional<std::string> EncodeAnsi(const QString& text) {
  return Encode(text);
}

std::string FromQt(const QString& text) {
  if (std::optional<std::string> whole = Encode(text)) return *std::move(whole);
  // Slow path, only for texts with a foreign character: one code point at a time, so a
  // character outside the BMP becomes a single '?'.
  std::string bytes;
  qsizetype i = 0;
  while (i < text.size()) {
    qsizetype length = 1;
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      length = 2;
    }
    const std::optional<std::string> piece = Encode(QStringView(text).mid(i, length));
    bytes += piece ? *piece : std::string("?");
    i += length;
  }
  return bytes;
}

Lines LinesFromQt(const QString& paneText) {
  Lines lines;
  if (paneText.isEmpty()) return lines;
  // "\n" is byte 0x0A in the code page, so splitting the bytes equals splitting the text.
  const std::string bytes = FromQt(paneText);
  std::size_t start = 0;
  while (true) {
    const std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(start));
      return lines;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 1;
  }
}

QString LinesToQt(const Lines& lines) {
  QString text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text.append(QLatin1Char('\n'));
    text.append(ToQt(lines[i]));
  }
  return text;
}

QString DocumentToQt(const TextDocument& file) {
  const bool utf8 = file.encoding() == TextEncoding::Utf8;
  QString text;
  for (const DocumentLine& line : file.lines()) {
    text += utf8 ? QString::fromUtf8(line.text.data(), static_cast<qsizetype>(line.text.size()))
                 : ToQt(line.text);
    if (!line.end.empty()) text += QLatin1Char('\n');
  }
  return text;
}

std::optional<std::string> DocumentBytesFromQt(const QString& paneText, const TextDocument& file,
                                               int& badLine) {
  const bool utf8 = file.encoding() == TextEncoding::Utf8;
  const auto& was = file.lines();
  const QStringList lines = paneText.split(QLatin1Char('\n'));
  std::string bytes = file.bom();
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const bool last = i + 1 == lines.size();
    // After the last "\n" stands a line without an end, or nothing.
    if (last && lines[i].isEmpty()) break;
    if (utf8) {
      bytes += lines[i].toUtf8().toStdString();
    } else if (std::optional<std::string> ansi = EncodeAnsi(lines[i])) {
      bytes += *ansi;
    } else {
      badLine = static_cast<int>(i) + 1;
      return std::nullopt;
    }
    if (last) break;
    const auto index = static_cast<std::size_t>(i);
    bytes += index < was.size() && !was[index].end.empty() ? was[index].end : file.lineEnd();
  }
  return bytes;
}

QString PathToQt(const std::filesystem::path& path) {
#ifdef Q_OS_WIN
  return QString::fromStdWString(path.native());
#else
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

std::filesystem::path PathFromQt(const QString& text) {
#ifdef Q_OS_WIN
  return std::filesystem::path(text.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(text).toStdString());
#endif
}

QString UserTextToQt(const UserText& text) {
  QString shown;
  for (const UserText::Part& part : text.parts()) {
    shown += part.isPath ? PathToQt(part.path) : ToQt(part.text);
  }
  return shown;
}

std::string AnsiFromNativePath(const std::string& native) {
  return FromQt(PathToQt(native));
}

std::string NativeFromAnsiPath(const std::string& ansi) {
  return PathFromQt(ToQt(ansi)).string();
}

}  // namespace scriptdesk
