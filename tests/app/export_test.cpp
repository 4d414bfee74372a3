// File, "Export as..." driven through the real window, offscreen: every format, the
// remembered choice, the completed name, the location, the encoding, and the error
// box of a format that refuses the run or a file that cannot be written.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>
#include <memory>

#include "Unit1.h"
#include "Unit2.h"
#include "dialogs.h"
#include "program_windows.h"

using namespace orvane::app;

namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The windows as the program makes them; each file dialog is answered with the
// next name and filter entry, and every box is recorded.
struct Program {
  explicit Program(const QString& settings) {
    TForm1::SetSettingsPathForTesting(settings);
    SetMessageHook([this](MessageKind kind, const QString& text) {
      (kind == MessageKind::Error ? errors : messages).append(text);
    });
    SetFileDialogHook([this](const FileDialogRequest& r) -> std::optional<QString> {
      requests.append(r);
      if (answers.isEmpty()) return std::nullopt;
      const auto [name, filter] = answers.takeFirst();
      if (r.chosenFilter && !filter.isEmpty()) *r.chosenFilter = filter;
      return name;
    });
    SetQuestionHook([this](const QString& text) {
      questions.append(text);
      return answer;
    });
    windows = std::make_unique<ProgramWindows>();
    form1 = &windows->form1;
    form2 = &windows->form2;
    form1->show();
  }
  ~Program() {
    form1->close();
    windows.reset();
    SetMessageHook({});
    SetFileDialogHook({});
    SetQuestionHook({});
  }
  void Convert(const QString& input) {
    form1->RichEdit1->setPlainText(input);
    QTest::mouseClick(form1->Button2, Qt::LeftButton);
  }
  // File, "Export as..." answered with `name` and the filter entry `filter`.
  void Export(const QString& name, const QString& filter) {
    answers.append({name, filter});
    form1->ExportAs1->trigger();
  }

  std::unique_ptr<ProgramWindows> windows;
  TForm1* form1;
  TForm2* form2;
  QStringList messages, errors, questions;
  QList<QPair<QString, QString>> answers;
  QList<FileDialogRequest> requests;
  bool answer = true;
};

const char kBook[] =
    "# Valle Scura\n120 30 45 20 N # site 1, quarry\n210/65 215/60 R\n35 50 N # site 6";
const QString kCsv = "CSV table (*.csv)";
const QString kFpl = "TectonicsFP fault file (*.fpl)";
const QString kRgf = "SG2PS data file (*.rgf)";
const QString kFdt = "Fault data file (*.fdt)";

}  // namespace

class ExportTest : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;
  QString Path(const QString& name) const { return dir_.filePath(name); }

 private slots:
  void init() { QFile::remove(Path("ORV.ini")); }

  void everyFormatFromTheMenu() {
    Program p(Path("ORV.ini"));
    TForm1& w = *p.form1;
    QCOMPARE(w.ExportAs1->text(), QString("Export as..."));
    p.form2->CheckBox1->setChecked(false);  // no projection: the numbers as typed
    p.Convert(kBook);
    p.Export(Path("net"), kCsv);
    QCOMPARE(p.requests.last().filter, kFdt + ";;" + kCsv + ";;" + kFpl + ";;" + kRgf);
    QCOMPARE(ReadAll(Path("net.csv")),
             QByteArray("dip_direction,dip,trend,plunge,sense,comment,line\r\n"
                        "120,30,45,20,N,\"site 1, quarry\",2\r\n"
                        "210,65,215,60,R,,3\r\n"));
    p.Export(Path("net.fpl"), kFpl);
    QCOMPARE(ReadAll(Path("net.fpl")), QByteArray("2,120,30,45,20,site 1, quarry\r\n"
                                                  "1,210,65,215,60\r\n"));
    p.Export(Path("net"), kRgf);
    QCOMPARE(ReadAll(Path("net.rgf")),
             QByteArray("DATA_ID\tDEPTH\tGROUP_CODE\tCOLOR_CODE\tLOCATION\tLOC_X\tLOC_Y\t"
                        "FORMATION\tDATATYPE\tDIP_DIR\tDIP\tL_DIP_DIR\tL_DIP\tSENSE\t"
                        "PALEONORTH\tCOMMENT\t\r\n"
                        "L2\t\t\t\ttyped input\t0.000000\t0.000000\t\tSTRIAE\t120.0\t30.0\t"
                        "45.0\t20.0\tNORMAL\t\tsite 1, quarry\t\r\n"
                        "L3\t\t\t\ttyped input\t0.000000\t0.000000\t\tSTRIAE\t210.0\t65.0\t"
                        "215.0\t60.0\tINVERSE\t\t\t\r\n"));
    // The fault data file is what Save writes, comment rule included.
    p.form2->CheckBox5->setChecked(false);
    p.Export(Path("net"), kFdt);
    p.answers.append({Path("saved"), QString()});
    w.Save1Click();
    QCOMPARE(ReadAll(Path("net.fdt")), ReadAll(Path("saved.fdt")));
    QVERIFY(ReadAll(Path("net.fdt")).startsWith("# Valle Scura\r\n 120 30  45 20 N # site 1"));
    // And the comment rule reaches TectonicsFP's comment lines.
    p.Export(Path("net"), kFpl);
    QVERIFY(ReadAll(Path("net.fpl")).startsWith("; Valle Scura\r\n2,120,30,45,20"));
    QVERIFY(
        ReadAll(Path("net.fpl")).endsWith("\r\n; error in liniation data [35 50 N # site 6]\r\n"));
    QVERIFY(p.errors.isEmpty());
  }

  void choiceIsRememberedAndNamesCompleted() {
    Program p(Path("ORV.ini"));
    p.Convert(kBook);
    p.Export(Path("first"), kRgf);
    QCOMPARE(p.requests.last().selectedFilter, QString());  // the dialog's first entry
    p.Export(Path("second.txt"), kCsv);
    QCOMPARE(p.requests.last().selectedFilter, kRgf);
    QCOMPARE(p.requests.last().suggestedName, Path("first"));
    QVERIFY(QFile::exists(Path("first.rgf")));
    QVERIFY(QFile::exists(Path("second.txt.csv")));
    // Cancelled: nothing written, the choice kept.
    p.form1->ExportAs1->trigger();
    QCOMPARE(p.requests.last().selectedFilter, kCsv);
    QCOMPARE(p.requests.last().suggestedName, Path("second.txt"));
    // A completed name that exists is asked about; "no" writes nothing.
    p.answer = false;
    QFile::remove(Path("first.csv"));
    QFile(Path("first.csv")).open(QIODevice::WriteOnly);
    p.Export(Path("first"), kCsv);
    QCOMPARE(p.questions, QStringList{"first.csv already exists.\nDo you want to replace it?"});
    QCOMPARE(ReadAll(Path("first.csv")), QByteArray());
    QVERIFY(p.errors.isEmpty());
  }

  void locationAndEncodingOfAnOpenedFile() {
    Program p(Path("ORV.ini"));
    // A Windows-1252 field book: the export keeps its encoding, as Save does.
    QFile book(Path("Valle Scura 3.txt"));
    QVERIFY(book.open(QIODevice::WriteOnly));
    book.write("120 30 45 20 N # Caf\xE9 12\xB0\r\n");
    book.close();
    QVERIFY(p.form1->LoadInputFile(Path("Valle Scura 3.txt")));
    p.form2->CheckBox1->setChecked(false);
    QTest::mouseClick(p.form1->Button2, Qt::LeftButton);
    p.Export(Path("net"), kRgf);
    QVERIFY(ReadAll(Path("net.rgf")).contains("\r\nL1\t\t\t\tValle Scura 3\t0.000000\t"));
    QVERIFY(ReadAll(Path("net.rgf")).endsWith("\tNORMAL\t\tCaf\xE9 12\xB0\t\r\n"));
    p.Export(Path("net"), kCsv);
    QCOMPARE(ReadAll(Path("net.csv")), QByteArray("dip_direction,dip,trend,plunge,sense,comment,"
                                                  "line\r\n120,30,45,20,N,Caf\xE9 12\xB0,1\r\n"));
  }

  void failuresShowTheErrorBoxNamingTheFile() {
    Program p(Path("ORV.ini"));
    // TectonicsFP needs lineations.
    p.form2->CheckBox3->setChecked(false);
    p.Convert("120 30 N\n");
    p.Export(Path("planes"), kFpl);
    QCOMPARE(p.errors, QStringList{"Cannot write \"" + Path("planes.fpl") +
                                   "\": a TectonicsFP fault file (fpl) needs a lineation on "
                                   "every line, and this run reads none (lineation data is off)"});
    QVERIFY(!QFile::exists(Path("planes.fpl")));
    p.Export(Path("planes"), kCsv);  // the same run is fine as CSV
    QCOMPARE(ReadAll(Path("planes.csv")),
             QByteArray("dip_direction,dip,trend,plunge,sense,comment,line\r\n120,30,,,N,,1\r\n"));
    // A line edited by hand into something else.
    p.errors.clear();
    p.form1->RichEdit2->setPlainText(" 120 30 N \nlooks like nothing");
    p.Export(Path("edited"), kCsv);
    QCOMPARE(p.errors, QStringList{"Cannot write \"" + Path("edited.csv") +
                                   "\": line 2 is not a converted line: looks like nothing"});
    QVERIFY(!QFile::exists(Path("edited.csv")));
    // A folder that does not exist.
    p.errors.clear();
    p.Export(Path("no/such/folder/net"), kCsv);
    QCOMPARE(p.errors.size(), 1);
    QVERIFY2(p.errors[0].startsWith("Cannot write \"" + Path("no/such/folder/net.csv") + "\": "),
             qPrintable(p.errors[0]));
  }
};

QTEST_MAIN(ExportTest)
#include "export_test.moc"
