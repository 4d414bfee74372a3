// Text files as the program reads and writes them: the encoding of field books,
// and the fault data file with its comment and name rules.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace orvane {

// A file that is valid UTF-8 is UTF-8; any other is taken as Windows-1252, the
// encoding of old Windows field books.
enum class TextEncoding { Utf8, Windows1252 };

struct DecodedText {
  QString text;  // line breaks as "\n" (CR LF and lone CR included)
  TextEncoding encoding = TextEncoding::Utf8;
};

// Decodes a file's bytes; a UTF-8 byte order mark is dropped.
DecodedText DecodeFileText(const QByteArray& bytes);

// Encodes text for saving; characters that Windows-1252 lacks become "?".
QByteArray EncodeText(const QString& text, TextEncoding encoding);

// The lines that Save writes: every output line, less those beginning with "#"
// when `removeComment` is set. "  # note" is kept either way.
QStringList FaultFileLines(const QStringList& outputLines, bool removeComment);

// ".fdt" appended unless the name already ends in exactly ".fdt": "result" ->
// "result.fdt", "result.FDT" -> "result.FDT.fdt".
QString FaultDataFileName(const QString& chosen);

// Writes the lines, each ended by CR LF, to a temporary file beside `path` that is
// then renamed over it; the old file stays as it was when anything fails. False with
// a message that names the file.
bool WriteFaultDataFile(const QString& path, const QStringList& lines, TextEncoding encoding,
                        QString* error);

// Reads a whole file. False with a message that names the file.
bool ReadTextFile(const QString& path, DecodedText* result, QString* error);

}  // namespace orvane
