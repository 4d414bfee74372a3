#include "pane_views.h"

#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextEdit>
#include <stdexcept>

namespace orvane::app {

namespace {

QTextCharFormat MarkFormat(bool error) {
  QTextCharFormat format;
  format.setForeground(error ? QColor(255, 0, 0) : QColor(0, 0, 0));
  format.setFontWeight(error ? QFont::Bold : QFont::Normal);
  return format;
}

std::string ToUtf8(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int PaneLineCount(const QTextDocument& document) {
  const int blocks = document.blockCount();
  // The document always has a block; an empty last one follows a final line break
  // (or is the empty document) and is no line.
  return document.lastBlock().length() <= 1 ? blocks - 1 : blocks;
}

RichEditInputPane::RichEditInputPane(QTextEdit& edit)
    : edit_(edit),
      document_(*edit.document()),
      lineCount_(PaneLineCount(document_)),
      cursor_(&document_) {}

RichEditInputPane::~RichEditInputPane() {
  Finish();
}

int RichEditInputPane::LineCount() const {
  return lineCount_;
}

QTextBlock RichEditInputPane::BlockAt(int i) const {
  if (i < 0 || i >= lineCount_) throw std::out_of_range("input line out of range");
  if (i != lastIndex_) {
    lastBlock_ = i == lastIndex_ + 1 && lastBlock_.isValid() ? lastBlock_.next()
                                                             : document_.findBlockByNumber(i);
    lastIndex_ = i;
  }
  return lastBlock_;
}

std::string RichEditInputPane::LineAt(int i) const {
  return ToUtf8(BlockAt(i).text());
}

void RichEditInputPane::Mark(int i, const QTextCharFormat& format) {
  const QTextBlock block = BlockAt(i);
  if (!inEditBlock_) {
    // Each change outside an edit block lays the whole document out again.
    cursor_.beginEditBlock();
    inEditBlock_ = true;
  }
  cursor_.setPosition(block.position());
  cursor_.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
  cursor_.mergeCharFormat(format);
}

void RichEditInputPane::MarkLineAsError(int i) {
  static const QTextCharFormat format = MarkFormat(true);
  Mark(i, format);
  markedErrors_ = true;
}

void RichEditInputPane::MarkLineAsNormal(int i) {
  static const QTextCharFormat format = MarkFormat(false);
  Mark(i, format);
}

void RichEditInputPane::Finish() {
  if (inEditBlock_) {
    cursor_.endEditBlock();
    inEditBlock_ = false;
  }
  if (markedErrors_) {
    // Text typed next to a red line would take its format; the caret's typing
    // format goes back to black and plain.
    QTextCursor caret = edit_.textCursor();
    caret.clearSelection();
    caret.mergeCharFormat(MarkFormat(false));
    edit_.setTextCursor(caret);
    markedErrors_ = false;
  }
}

PlainTextOutputPane::PlainTextOutputPane(QPlainTextEdit& edit) : edit_(edit) {}

PlainTextOutputPane::~PlainTextOutputPane() {
  Finish();
}

void PlainTextOutputPane::Load() const {
  if (loaded_) return;
  const QTextDocument& document = *edit_.document();
  const int count = PaneLineCount(document);
  lines_.clear();
  lines_.reserve(static_cast<std::size_t>(count));
  QTextBlock block = document.begin();
  for (int i = 0; i < count; ++i, block = block.next()) lines_.push_back(ToUtf8(block.text()));
  loaded_ = true;
}

void PlainTextOutputPane::Clear() {
  lines_.clear();
  loaded_ = true;
  changed_ = true;
}

void PlainTextOutputPane::AppendLine(std::string_view text) {
  Load();
  lines_.emplace_back(text);
  changed_ = true;
}

std::string PlainTextOutputPane::LineAt(int i) const {
  Load();
  return lines_.at(static_cast<std::size_t>(i));
}

void PlainTextOutputPane::ReplaceLine(int i, std::string_view text) {
  Load();
  lines_.at(static_cast<std::size_t>(i)).assign(text);
  changed_ = true;
}

int PlainTextOutputPane::LineCount() const {
  if (!loaded_) return PaneLineCount(*edit_.document());
  return static_cast<int>(lines_.size());
}

void PlainTextOutputPane::Finish() {
  if (!changed_) return;
  std::size_t bytes = 0;
  for (const std::string& line : lines_) bytes += line.size() + 1;
  std::string text;
  text.reserve(bytes);
  for (const std::string& line : lines_) {
    text.append(line);
    text.push_back('\n');
  }
  edit_.setPlainText(FromUtf8(text));
  changed_ = false;
}

}  // namespace orvane::app
