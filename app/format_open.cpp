#include "format_open.h"

#include <QFileInfo>

#include "format_readers.h"

namespace orvane::app {

bool OpenInputFile(const QString& path, const ConversionOptions& options, OpenedInput* result,
                   QString* error) {
  DecodedFile file;
  if (!ReadTextFile(path, &file, error)) return false;
  const std::string text = file.text.toStdString();
  const InputFormat& format = InputFormatOfFile(QFile::encodeName(path).toStdString(), text);
  if (!format.read) {
    *result = {std::move(file), path};
    return true;
  }
  ReaderOptions reader;
  reader.surface = options.SurfaceData;
  reader.lineation = options.LineationData;
  reader.sense = options.SenseData;
  if (format.name == "rgf") {
    const QString set =
        QFile::decodeName(RgfSettingsFileName(QFile::encodeName(path).toStdString()).c_str());
    DecodedFile setFile;
    reader.rightHandRuleStrikes = QFileInfo::exists(set) && ReadTextFile(set, &setFile, nullptr) &&
                                  RgfSettingsSayRightHandRule(setFile.text.toStdString());
  }
  try {
    const TranslatedBook book = format.read(text, reader);
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(book.lines.size()));
    for (const auto& line : book.lines) lines.append(QString::fromStdString(line));
    result->file.text = lines.join(QLatin1Char('\n'));
    result->file.encoding = file.encoding;
    result->caption = QStringLiteral("%1 (%2 records, %3)")
                          .arg(path)
                          .arg(book.records)
                          .arg(QString::fromUtf8(format.title.data(),
                                                 static_cast<qsizetype>(format.title.size())));
    return true;
  } catch (const ReaderStopped& stop) {
    QString where = QStringLiteral("\"%1\"").arg(path);
    if (stop.Line() > 0) where += QStringLiteral(", line %1").arg(stop.Line());
    *error = where + QStringLiteral(": ") + QString::fromStdString(stop.what());
    return false;
  }
}

QString OpenDialogFilter() {
  QString filter = QStringLiteral(
      "Text File (*.txt);;Text File with Comma Delimiter (*.csv);;"
      "Text File with Tab Delimiter (*.tsv);;Text File with Space Delimiter (*.prn);;"
      "Fault DaTa File (*.fdt);;");
  for (const InputFormat& format : InputFormats()) {
    if (!format.read) continue;
    filter += QString::fromUtf8(format.title.data(), static_cast<qsizetype>(format.title.size())) +
              QStringLiteral(" (") +
              QString::fromUtf8(format.extensions.data(),
                                static_cast<qsizetype>(format.extensions.size())) +
              QStringLiteral(");;");
  }
  return filter + QStringLiteral("all files (*.*)");
}

}  // namespace orvane::app
