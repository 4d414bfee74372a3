#include "file_text.h"

#include <QFile>
#include <QSaveFile>
#include <string_view>

#include "fault_file.h"
#include "text.h"

namespace orvane {

namespace {

// Windows-1252 differs from Latin-1 in 0x80..0x9F; five of those bytes are unused
// and map to themselves, as Windows does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString UnifyLineBreaks(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

}  // namespace

DecodedText DecodeFileText(const QByteArray& bytes) {
  DecodedText result;
  const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  if (IsValidUtf8(view)) {
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF")) body.remove(0, 3);
    result.text = UnifyLineBreaks(QString::fromUtf8(body));
    result.encoding = TextEncoding::Utf8;
    return result;
  }
  QString text;
  text.reserve(bytes.size());
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    text.append(QChar(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char16_t{b}));
  }
  result.text = UnifyLineBreaks(text);
  result.encoding = TextEncoding::Windows1252;
  return result;
}

QByteArray EncodeText(const QString& text, TextEncoding encoding) {
  if (encoding == TextEncoding::Utf8) return text.toUtf8();
  QByteArray bytes;
  bytes.reserve(text.size());
  for (const QChar ch : text) {
    const char16_t u = ch.unicode();
    char out = '?';
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      out = static_cast<char>(u);
    } else {
      for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] == u) out = static_cast<char>(0x80 + i);
      }
    }
    bytes.append(out);
  }
  return bytes;
}

QStringList FaultFileLines(const QStringList& outputLines, bool removeComment) {
  QStringList lines;
  lines.reserve(outputLines.size());
  for (const QString& line : outputLines) {
    if (removeComment && line.startsWith(QLatin1Char('#'))) continue;
    lines.append(line);
  }
  return lines;
}

QString FaultDataFileName(const QString& chosen) {
  return QString::fromStdString(orvane::FaultDataFileName(chosen.toStdString()));
}

bool WriteFaultDataFile(const QString& path, const QStringList& lines, TextEncoding encoding,
                        QString* error) {
  QByteArray bytes;
  for (const QString& line : lines) {
    bytes.append(EncodeText(line, encoding));
    bytes.append("\r\n");
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    if (error) {
      *error = QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString());
    }
    return false;
  }
  return true;
}

bool ReadTextFile(const QString& path, DecodedText* result, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString());
    return false;
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    if (error) *error = QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString());
    return false;
  }
  *result = DecodeFileText(bytes);
  return true;
}

}  // namespace orvane
