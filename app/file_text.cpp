#include "file_text.h"

#include <QFile>

#include "atomic_file.h"

namespace orvane::app {

namespace {

QString FileMessage(const char* verb, const QString& path, const QString& reason) {
  return QStringLiteral("Cannot %1 \"%2\": %3").arg(QLatin1String(verb), path, reason);
}

}  // namespace

std::filesystem::path FilePath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

bool ReadTextFile(const QString& path, DecodedFile* result, QString* error) {
  QFile file(path);
  QByteArray bytes;
  if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
  if (!file.isOpen() || file.error() != QFileDevice::NoError) {
    if (error) *error = FileMessage("read", path, file.errorString());
    return false;
  }
  const DecodedText decoded =
      DecodeFileText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  result->text = QString::fromStdString(decoded.text);
  result->encoding = decoded.encoding;
  return true;
}

bool WriteWholeFile(const QString& path, const std::string& bytes, QString* error) {
  try {
    WriteFileAtomically(FilePath(path), bytes);
    return true;
  } catch (const FileError& failure) {
    if (error) {
      *error = FileMessage("write", path, QString::fromStdString(failure.Code().message()));
    }
    return false;
  }
}

std::vector<std::string> Utf8Lines(const QStringList& lines) {
  std::vector<std::string> utf8;
  utf8.reserve(static_cast<std::size_t>(lines.size()));
  for (const QString& line : lines) utf8.push_back(line.toStdString());
  return utf8;
}

QString FaultDataFileName(const QString& chosen) {
  return QString::fromStdString(orvane::FaultDataFileName(chosen.toStdString()));
}

}  // namespace orvane::app
