#include "dialogs.h"

#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <exception>
#include <utility>

#include "run_stopped.h"

namespace orvane::app {

namespace {

MessageHook& CurrentMessageHook() {
  static MessageHook hook;
  return hook;
}

QuestionHook& CurrentQuestionHook() {
  static QuestionHook hook;
  return hook;
}

FileDialogHook& CurrentFileDialogHook() {
  static FileDialogHook hook;
  return hook;
}

void ShowBox(QWidget* parent, MessageKind kind, const QString& text) {
  if (const MessageHook& hook = CurrentMessageHook()) {
    hook(kind, text);
    return;
  }
  const auto icon = kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::NoIcon;
  QMessageBox box(icon, QString::fromUtf8(kApplicationTitle), text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace

void ShowMessage(QWidget* parent, const QString& text) {
  ShowBox(parent, MessageKind::Information, text);
}

void ShowError(QWidget* parent, const QString& text) {
  ShowBox(parent, MessageKind::Error, text);
}

bool AskQuestion(QWidget* parent, const QString& text) {
  if (const QuestionHook& hook = CurrentQuestionHook()) return hook(text);
  return QMessageBox::question(parent, QString::fromUtf8(kApplicationTitle), text,
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

QuestionHook SetQuestionHook(QuestionHook hook) {
  return std::exchange(CurrentQuestionHook(), std::move(hook));
}

MessageHook SetMessageHook(MessageHook hook) {
  return std::exchange(CurrentMessageHook(), std::move(hook));
}

std::optional<QString> AskFileName(QWidget* parent, const FileDialogRequest& request) {
  if (const FileDialogHook& hook = CurrentFileDialogHook()) return hook(request);
  QString selected = request.selectedFilter;
  const QString name = request.kind == FileDialogKind::Open
                           ? QFileDialog::getOpenFileName(parent, QString(), request.suggestedName,
                                                          request.filter, &selected)
                           : QFileDialog::getSaveFileName(parent, QString(), request.suggestedName,
                                                          request.filter, &selected);
  if (name.isEmpty()) return std::nullopt;
  if (request.chosenFilter) *request.chosenFilter = selected;
  return name;
}

FileDialogHook SetFileDialogHook(FileDialogHook hook) {
  return std::exchange(CurrentFileDialogHook(), std::move(hook));
}

void RunHandler(QWidget* parent, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const orvane::RunStopped& stopped) {
    if (!stopped.AlreadyShown()) ShowError(parent, QString::fromUtf8(stopped.what()));
  } catch (const std::exception& error) {
    ShowError(parent, QString::fromUtf8(error.what()));
  }
}

NoCancelDialog::NoCancelDialog(QWidget* parent) : QDialog(parent) {}

void NoCancelDialog::keyPressEvent(QKeyEvent* event) {
  // QDialog maps Escape to reject(); with no Cancel button there is nothing to undo.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace orvane::app
