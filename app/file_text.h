// Qt's side of the text files the program reads and writes. The rules (encodings,
// the byte order mark, line ends, the comment and name rules) are the engine's, in
// fault_file.h; this only moves between QString and UTF-8 bytes and names files.
#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <string>
#include <vector>

#include "fault_file.h"

namespace orvane::app {

struct DecodedFile {
  QString text;  // line breaks as "\n"; no byte order mark
  TextEncoding encoding = TextEncoding::Utf8;
};

// Reads and decodes a whole file (DecodeFileText). False with the message
// "Cannot read \"PATH\": reason" when it cannot be read.
bool ReadTextFile(const QString& path, DecodedFile* result, QString* error);

// Replaces the file at `path` with `bytes` through an AtomicFile: the old file
// stays as it was when anything fails. False with the message
// "Cannot write \"PATH\": reason".
bool WriteWholeFile(const QString& path, const std::string& bytes, QString* error);

// The lines as UTF-8, for the engine.
std::vector<std::string> Utf8Lines(const QStringList& lines);

// FaultDataFileName on a QString: "result" -> "result.fdt".
QString FaultDataFileName(const QString& chosen);

// The path of a file name as the file system takes it.
std::filesystem::path FilePath(const QString& path);

}  // namespace orvane::app
