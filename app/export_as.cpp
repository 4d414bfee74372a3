#include "export_as.h"

#include <QFileInfo>
#include <string>
#include <vector>

#include "dialogs.h"
#include "file_formats.h"
#include "file_text.h"

namespace orvane::app {

namespace {

QString FilterEntry(const FileFormat& format) {
  return QStringLiteral("%1 (*%2)")
      .arg(QString::fromUtf8(format.title.data(), static_cast<int>(format.title.size())),
           QString::fromUtf8(format.extension.data(), static_cast<int>(format.extension.size())));
}

const FileFormat& FormatOfFilterEntry(const QString& entry) {
  for (const FileFormat& format : FileFormats()) {
    if (format.writer && FilterEntry(format) == entry) return format;
  }
  return FileFormats().front();
}

}  // namespace

QString ExportFilter() {
  QStringList entries;
  for (const FileFormat& format : FileFormats()) {
    if (format.writer) entries.append(FilterEntry(format));
  }
  return entries.join(QStringLiteral(";;"));
}

QString InputLocation(const QString& openedPath) {
  if (openedPath.isEmpty()) return QStringLiteral("typed input");
  return QFileInfo(openedPath).completeBaseName();
}

std::optional<QString> ExportOutput(QWidget* parent, const ExportSource& source,
                                    ExportChoice& last) {
  QString filter = last.filter;
  const auto chosen =
      AskFileName(parent, {FileDialogKind::Save, ExportFilter(), last.name, last.filter, &filter});
  if (!chosen) return std::nullopt;
  last.name = *chosen;
  last.filter = filter;
  const FileFormat& format = FormatOfFilterEntry(filter);
  const QString path = QString::fromStdString(WrittenFileName(format, chosen->toStdString()));
  // The dialog asked about the name as chosen; a completed name is asked about here.
  if (path != *chosen && QFileInfo::exists(path) &&
      !AskQuestion(parent, QStringLiteral("%1 already exists.\nDo you want to replace it?")
                               .arg(QFileInfo(path).fileName()))) {
    return std::nullopt;
  }
  WriteOptions options;
  options.run = source.options;
  options.location = source.location.toStdString();
  std::string bytes;
  try {
    bytes = FormatFileBytes(*format.writer, Utf8Lines(source.lines), options, source.encoding);
  } catch (const FormatError& refused) {
    ShowError(
        parent,
        QStringLiteral("Cannot write \"%1\": %2").arg(path, QString::fromUtf8(refused.what())));
    return std::nullopt;
  }
  QString error;
  if (!WriteWholeFile(path, bytes, &error)) {
    ShowError(parent, error);
    return std::nullopt;
  }
  return path;
}

}  // namespace orvane::app
