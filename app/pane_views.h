// The engine's views of the two panes of the main window.
//
// A pane holds lines; a final line break does not start another line, so "a\nb\n"
// and "a\nb" are both the two lines "a" and "b", and an empty pane has no lines.
// Both views batch their edits so that a run over 100,000 lines stays fast: the
// input view applies all marks in one edit block, the output view collects lines
// and puts them into the widget in one go. Finish() (or the destructor) ends the
// batch; the widgets show the changes only from then on.
#pragma once

#include <QTextBlock>
#include <QTextCursor>
#include <string>
#include <string_view>
#include <vector>

#include "panes.h"

class QPlainTextEdit;
class QTextDocument;
class QTextEdit;

namespace orvane::app {

// The number of lines of a pane's document, as counted above.
int PaneLineCount(const QTextDocument& document);

// The input pane: lines of a rich-text edit, with error marks (red, bold).
class RichEditInputPane : public orvane::InputPane {
 public:
  explicit RichEditInputPane(QTextEdit& edit);
  ~RichEditInputPane() override;
  RichEditInputPane(const RichEditInputPane&) = delete;
  RichEditInputPane& operator=(const RichEditInputPane&) = delete;

  int LineCount() const override;
  // Line i as UTF-8, without its line break.
  std::string LineAt(int i) const override;
  // All characters of line i become red (255, 0, 0) and bold. Text typed at the caret
  // after Finish() is black and plain again.
  void MarkLineAsError(int i) override;
  // All characters of line i become black (0, 0, 0) and not bold.
  void MarkLineAsNormal(int i) override;

  // Ends the batch of marks. Called by the destructor; harmless twice.
  void Finish();

 private:
  QTextBlock BlockAt(int i) const;
  void Mark(int i, const QTextCharFormat& format);

  QTextEdit& edit_;
  QTextDocument& document_;
  int lineCount_;
  QTextCursor cursor_;
  bool inEditBlock_ = false;
  bool markedErrors_ = false;
  // The runs walk the lines in order: the last block found is the next one's start.
  mutable QTextBlock lastBlock_;
  mutable int lastIndex_ = -1;
};

// The output pane: lines of a plain-text edit.
class PlainTextOutputPane : public orvane::OutputPane {
 public:
  explicit PlainTextOutputPane(QPlainTextEdit& edit);
  ~PlainTextOutputPane() override;
  PlainTextOutputPane(const PlainTextOutputPane&) = delete;
  PlainTextOutputPane& operator=(const PlainTextOutputPane&) = delete;

  void Clear() override;
  void AppendLine(std::string_view text) override;
  // Line i; throws std::out_of_range for a line that does not exist.
  std::string LineAt(int i) const override;
  // Throws std::out_of_range for a line that does not exist.
  void ReplaceLine(int i, std::string_view text) override;
  int LineCount() const override;

  // Puts the collected lines into the widget, each followed by a line break. Called
  // by the destructor; does nothing when the lines have not changed.
  void Finish();

 private:
  void Load() const;

  QPlainTextEdit& edit_;
  // The widget's lines are copied only when a reading or changing call comes
  // before Clear(); a conversion run clears first and so never copies.
  mutable std::vector<std::string> lines_;
  mutable bool loaded_ = false;
  bool changed_ = false;
};

}  // namespace orvane::app
