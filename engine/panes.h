// The engine's views of the window: the input and output panes and the message box.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace orvane {

// Lines of the input pane, 0-based, without line breaks.
class InputPane {
 public:
  virtual ~InputPane() = default;
  virtual int LineCount() const = 0;
  virtual std::string LineAt(int i) const = 0;
  // Line i, comment included, becomes red and bold; text typed later stays plain.
  virtual void MarkLineAsError(int i) = 0;
  // Line i becomes black and not bold.
  virtual void MarkLineAsNormal(int i) = 0;
};

// Lines of the output pane, 0-based.
class OutputPane {
 public:
  virtual ~OutputPane() = default;
  virtual void Clear() = 0;
  virtual void AppendLine(std::string_view text) = 0;
  virtual std::string LineAt(int i) const = 0;
  virtual void ReplaceLine(int i, std::string_view text) = 0;
  virtual int LineCount() const = 0;
};

// Shows a text to the user and returns once it has been acknowledged.
using NotifyUser = std::function<void(const std::string&)>;

}  // namespace orvane
