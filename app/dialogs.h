// The program's modal boxes and file dialogs, each behind a hook that tests replace,
// and the guard that turns an error escaping an event handler into an error box.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QKeyEvent;
class QWidget;

namespace orvane::app {

// The application title: the name of the program and the caption of every message box.
inline constexpr char kApplicationTitle[] = "Orvane";

enum class MessageKind {
  Information,  // a message to acknowledge (NotifyUser)
  Error,        // an error that ended a handler
};

// Shows `text` in a modal box titled "Orvane" with one OK button and returns when the
// user has closed it. `parent` may be null.
void ShowMessage(QWidget* parent, const QString& text);

// The same as an error box, for an error that ended an event handler.
void ShowError(QWidget* parent, const QString& text);

// While a hook is installed, ShowMessage and ShowError call it instead of opening a
// box. An empty hook brings the boxes back. Returns the hook it replaces.
using MessageHook = std::function<void(MessageKind kind, const QString& text)>;
MessageHook SetMessageHook(MessageHook hook);

// Asks a yes-or-no question in a modal box titled "Orvane"; true for yes.
bool AskQuestion(QWidget* parent, const QString& text);

// While a hook is installed, AskQuestion calls it instead of opening a box.
using QuestionHook = std::function<bool(const QString& text)>;
QuestionHook SetQuestionHook(QuestionHook hook);

enum class FileDialogKind { Open, Save };

// What a file dialog is asked to show: its kind, its filter ("Text (*.txt);;All (*)")
// and the name to offer; optionally the entry of the filter to preselect, and where
// to put the entry chosen (which a hook may set too).
struct FileDialogRequest {
  FileDialogKind kind;
  QString filter;
  QString suggestedName;
  QString selectedFilter = {};
  QString* chosenFilter = nullptr;
};

// Runs a modal file dialog. Returns the chosen full path, or nothing when cancelled.
std::optional<QString> AskFileName(QWidget* parent, const FileDialogRequest& request);

// While a hook is installed, AskFileName calls it instead of opening a dialog. An
// empty hook brings the dialogs back. Returns the hook it replaces.
using FileDialogHook = std::function<std::optional<QString>(const FileDialogRequest&)>;
FileDialogHook SetFileDialogHook(FileDialogHook hook);

// Runs an event handler. An exception that escapes it skips the rest of the handler
// and is shown in the error box, so the window stays usable; a stopped conversion run
// whose reason the user has already been told about is not shown again.
void RunHandler(QWidget* parent, const std::function<void()>& handler);

// A dialog without a Cancel button: Escape does nothing; Enter presses the default button.
class NoCancelDialog : public QDialog {
 public:
  explicit NoCancelDialog(QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace orvane::app
