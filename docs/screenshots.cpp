// Makes the README's screenshots: the real window with a sample field book, at its
// first size and enlarged, with each page and both dialogs. Run under a display
// (xvfb-run) with the output folder as argument.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>

#include "dialogs.h"
#include "program_windows.h"

using namespace orvane::app;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString out = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(".");
  const QString book = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
  TForm1::SetSettingsPathForTesting(QDir(out).filePath("screenshots-ORV.ini"));
  SetMessageHook([](MessageKind, const QString&) {});
  ProgramWindows windows;
  TForm1& form1 = windows.form1;
  TForm2& form2 = windows.form2;
  TForm3& form3 = windows.form3;
  form1.show();
  const auto settle = [] {
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
  };
  settle();
  if (!book.isEmpty()) form1.LoadInputFile(book);
  form1.Edit1->setText("2");
  if (argc > 3) form1.Edit2->setText(QString::fromLocal8Bit(argv[3]));
  const QString prefix = argc > 4 ? QString::fromLocal8Bit(argv[4]) : QString();
  if (!prefix.isEmpty()) {
    // Only the stereonet page, for a named field book.
    form1.Button2Click();
    form1.resize(900, 600);
    form1.PageControl1->setCurrentWidget(form1.TabSheet3);
    settle();
    form1.grab().save(QDir(out).filePath(prefix + ".png"));
    QFile::remove(QDir(out).filePath("screenshots-ORV.ini"));
    return 0;
  }
  settle();
  form1.RichEdit1->document()->setModified(false);
  form1.Button2Click();
  form1.PageControl1->setCurrentWidget(form1.TabSheet1);
  settle();
  form1.grab().save(QDir(out).filePath("main-window.png"));
  form1.PageControl1->setCurrentWidget(form1.TabSheet2);
  settle();
  form1.grab().save(QDir(out).filePath("main-window-output.png"));
  form1.resize(900, 600);
  form1.PageControl1->setCurrentWidget(form1.TabSheet3);
  settle();
  form1.grab().save(QDir(out).filePath("main-window-stereonet.png"));
  form1.PageControl1->setCurrentWidget(form1.TabSheet1);
  settle();
  form1.grab().save(QDir(out).filePath("main-window-large.png"));
  form2.show();
  settle();
  form2.grab().save(QDir(out).filePath("options.png"));
  form2.hide();
  form3.show();
  settle();
  form3.grab().save(QDir(out).filePath("version.png"));
  form3.hide();
  QFile::remove(QDir(out).filePath("screenshots-ORV.ini"));
  return 0;
}
