// The desktop program driven as a user would, offscreen: start-up, the untilting
// and declination controls, Convert, the options dialog, the settings file, and
// opening, dropping and saving files. Every modal box goes through a test hook.
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <QUrl>
#include <QtTest>
#include <memory>

#include "Unit1.h"
#include "Unit2.h"
#include "VersionForm.h"
#include "controls.h"
#include "dialogs.h"
#include "program_windows.h"
#include "stereonet_view.h"

using namespace orvane::app;

namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// The three windows as the program creates them, with the boxes answered by the test.
struct Program {
  explicit Program(const QString& settings) {
    TForm1::SetSettingsPathForTesting(settings);
    SetMessageHook([this](MessageKind kind, const QString& text) {
      (kind == MessageKind::Error ? errors : messages).append(text);
    });
    SetFileDialogHook([this](const FileDialogRequest& r) -> std::optional<QString> {
      requests.append(r);
      if (nextFileNames.isEmpty()) return std::nullopt;
      return nextFileNames.takeFirst();
    });
    SetQuestionHook([this](const QString& text) {
      questions.append(text);
      return answer;
    });
    windows = std::make_unique<ProgramWindows>();
    form1 = &windows->form1;
    form2 = &windows->form2;
    form3 = &windows->form3;
    form1->show();
  }
  ~Program() {
    form1->close();
    windows.reset();
    SetMessageHook({});
    SetFileDialogHook({});
    SetQuestionHook({});
  }
  void Type(const QString& input) { form1->RichEdit1->setPlainText(input); }
  QString Output() const { return form1->RichEdit2->toPlainText(); }

  std::unique_ptr<ProgramWindows> windows;
  TForm1* form1;
  TForm2* form2;
  TForm3* form3;
  QStringList messages, errors, questions, nextFileNames;
  QList<FileDialogRequest> requests;
  bool answer = true;
};

QTextCharFormat FormatOfLine(QTextEdit* edit, int line) {
  const QTextBlock block = edit->document()->findBlockByNumber(line);
  QTextCursor c(block);
  c.setPosition(block.position() + 1);
  return c.charFormat();
}

}  // namespace

class AppTest : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;
  QString Settings() const { return dir_.filePath("ORV.ini"); }

 private slots:
  void init() { QFile::remove(Settings()); }

  void startUpState() {
    Program p(Settings());
    TForm1& w = *p.form1;
    QCOMPARE(w.windowTitle(), QString(" Orvane"));
    QCOMPARE(w.size(), QSize(445, 351));
    QCOMPARE(w.minimumSize(), QSize(300, 250));
    QCOMPARE(w.Edit1->text(), QString("0"));
    QCOMPARE(w.Edit2->text(), QString("0"));
    QCOMPARE(w.TrackBar1->value(), 0);
    QCOMPARE(w.TrackBar1->tickInterval(), 10);
    QCOMPARE(w.PageControl1->currentWidget(), w.TabSheet1);
    QCOMPARE(w.PageControl1->tabText(0), QString("Input"));
    QCOMPARE(w.PageControl1->tabText(1), QString("Output"));
    QVERIFY(!w.SpeedButton1->isEnabled());
    QCOMPARE(w.Button2->text(), QString("Convert"));
    QCOMPARE(w.Image4->toolTip(), QString("75%"));
    QVERIFY(w.findChild<QLineEdit*>("Edit1") == w.Edit1);
    QCOMPARE(p.form2->windowTitle(), QString("Options"));
    QCOMPARE(p.form3->windowTitle(), QString("Version Info"));
    QCOMPARE(p.form3->Label1->text(), QString("Orvane"));
    QCOMPARE(p.form3->Label2->text(), QString("Version 2.3"));
    QVERIFY(p.form2->Button1->isDefault());
    QVERIFY(p.messages.isEmpty());
  }

  void untiltingControlsKeepInStep() {
    Program p(Settings());
    TForm1& w = *p.form1;
    w.Image4Click();
    QCOMPARE(w.TrackBar1->value(), 75);
    QCOMPARE(w.Edit2->text(), QString("75"));
    w.Image1Click();
    QCOMPARE(w.TrackBar1->value(), 0);
    QCOMPARE(w.Edit2->text(), QString("0"));
    const struct {
      const char* typed;
      int bar;
      const char* shown;
      int messages;
    } rows[] = {
        {"50", 50, "50", 0},    {"0", 50, "0", 0},          {"150", 100, "100", 0},
        {"150", 100, "150", 0}, {"30-10", 100, "30-10", 0}, {"-7", 100, "-7", 0},
        {"", 100, "", 0},       {"abc", 100, "abc", 1},     {"40", 40, "40", 0},
        {"101", 100, "100", 0},
    };
    for (const auto& r : rows) {
      p.messages.clear();
      w.Edit2->setText(r.typed);
      QCOMPARE(w.TrackBar1->value(), r.bar);
      QCOMPARE(w.Edit2->text(), QString(r.shown));
      QCOMPARE(p.messages.size(), r.messages);
    }
    QCOMPARE(p.messages.value(0), QString());  // cleared above; "abc" said it before
  }

  void declinationWarns() {
    Program p(Settings());
    for (const char* ok : {"12.5", "-7", ""}) {
      p.form1->Edit1->setText(ok);
      QVERIFY2(p.messages.isEmpty(), ok);
    }
    p.form1->Edit1->setText("7W");
    QCOMPARE(p.messages, QStringList{"Input rotation angle"});
    QCOMPARE(p.form1->Edit1->text(), QString("7W"));
  }

  void convertFillsOutputAndMarksLines() {
    Program p(Settings());
    TForm1& w = *p.form1;
    p.form2->CheckBox1->setChecked(false);
    p.Type("120 30 45 20 N # site\n120 x 45 20 N\n\n# note");
    QTest::mouseClick(w.Button2, Qt::LeftButton);
    QCOMPARE(w.PageControl1->currentWidget(), w.TabSheet2);
    QCOMPARE(p.Output(), QString(" 120 30  45 20 N # site\n# error in surface data with 'ddd dd' "
                                 "format [120 x 45 20 N]\n\n# note\n"));
    QVERIFY(w.SpeedButton1->isEnabled());
    QCOMPARE(FormatOfLine(w.RichEdit1, 1).foreground().color(), QColor(255, 0, 0));
    QCOMPARE(FormatOfLine(w.RichEdit1, 1).fontWeight(), int(QFont::Bold));
    QCOMPARE(FormatOfLine(w.RichEdit1, 0).foreground().color(), QColor(0, 0, 0));
    QCOMPARE(w.Stereonet1->Data().faults.size(), std::size_t{1});
    // The line fixed, a second run marks it black again.
    w.RichEdit1->setPlainText("120 30 45 20 N\n120 30 45 20 N");
    w.Button2Click();
    QCOMPARE(FormatOfLine(w.RichEdit1, 1).foreground().color(), QColor(0, 0, 0));
    QVERIFY(p.errors.isEmpty());
  }

  void stoppedRunShowsOneMessage() {
    Program p(Settings());
    TForm1& w = *p.form1;
    p.Type("120 30 45 20 N 90/30\n120 30 45 20 N 90/30\n");
    w.Edit2->setText("abc");
    p.messages.clear();
    w.Button2Click();
    QCOMPARE(p.messages, QStringList{"input [0-100]"});
    QVERIFY(p.errors.isEmpty());
    QVERIFY(!w.SpeedButton1->isEnabled());
    w.Edit2->setText("0");
    w.Edit1->setText("x");
    p.messages.clear();
    w.Button2Click();
    QCOMPARE(p.errors, QStringList{"Declination \"x\" is not a number"});
  }

  void optionsDialogMapsToConversionOptions() {
    Program p(Settings());
    TForm2& o = *p.form2;
    auto opts = [&] { return p.form1->Options(); };
    QVERIFY(opts().SurfaceData && opts().LineationData && opts().SenseData);
    QVERIFY(opts().ProjectionToSurface && !opts().OneDecimal && opts().RemoveComment);
    o.CheckBox2->setChecked(false);
    QVERIFY(!opts().SurfaceData);
    o.CheckBox4->setChecked(false);
    QVERIFY(!opts().SenseData);
    o.CheckBox5->setChecked(false);
    QVERIFY(!opts().RemoveComment);
    o.CheckBox3->setChecked(false);
    QVERIFY(!opts().LineationData);
    QVERIFY(!o.CheckBox1->isEnabled());
    QVERIFY(opts().ProjectionToSurface);  // the greyed box still counts
    o.CheckBox1->setChecked(false);
    QVERIFY(!opts().ProjectionToSurface);
    o.CheckBox3->setChecked(true);
    QVERIFY(o.CheckBox1->isEnabled());
    o.RadioButton4->click();
    QVERIFY(o.RadioButton4->isChecked() && !o.RadioButton3->isChecked());
    QVERIFY(opts().OneDecimal);
    o.RadioButton4->setChecked(false);  // neither: one decimal
    QVERIFY(opts().OneDecimal);
    o.RadioButton3->click();
    QVERIFY(!opts().OneDecimal);
    p.form1->Edit1->setText("7");
    p.form1->Edit2->setText("30-10");
    QCOMPARE(opts().DeclinationText, std::string("7"));
    QCOMPARE(opts().UntiltingText, std::string("30-10"));
  }

  void settingsWithoutFileAndAfterClose() {
    {
      Program p(Settings());
      QVERIFY(p.form2->RadioButton3->isChecked());
      QVERIFY(p.form2->CheckBox1->isEnabled());
    }
    QCOMPARE(ReadAll(Settings()),
             QByteArray("[correction]\nwest=0\n[bedding dip correction]\nratio=0\n[OutputForm]\n"
                        "int=1\ndouble=0\n[Options]\nprojection to the surface=1\n"
                        "liniation data=1\nsense data=1\nremove comment=1\n"));
  }

  void settingsFromAHandEditedFile() {
    WriteAll(Settings(),
             "; written by hand\r\n[CORRECTION]\r\nWest = \"5.5W\"\r\n[Other]\r\n"
             "keep=me\r\n[bedding dip correction]\r\nratio=250\r\n[outputform]\r\n"
             "int=yes\r\ndouble=1\r\n[options]\r\nliniation data=0\r\n");
    {
      Program p(Settings());
      QCOMPARE(p.form1->Edit1->text(), QString("5.5W"));
      QCOMPARE(p.messages, QStringList{"Input rotation angle"});
      QCOMPARE(p.form1->TrackBar1->value(), 100);
      QCOMPARE(p.form1->Edit2->text(), QString("100"));
      QVERIFY(p.form2->RadioButton4->isChecked());
      QVERIFY(!p.form2->RadioButton3->isChecked());  // "int" fell back to 1, "double" cleared it
      QVERIFY(!p.form2->CheckBox3->isChecked());
      QVERIFY(!p.form2->CheckBox1->isEnabled());
      QVERIFY(p.form2->CheckBox1->isChecked());
    }
    const QByteArray saved = ReadAll(Settings());
    QVERIFY(
        saved.startsWith("; written by hand\r\n[CORRECTION]\r\nWest = \"5.5W\"\r\n[Other]\r\n"
                         "keep=me\r\n[bedding dip correction]\r\nratio=100\r\n"));
    QVERIFY(saved.contains("int=0\r\ndouble=1\r\n"));
    QVERIFY(saved.contains("liniation data=0\r\n"));
    QVERIFY(saved.contains("remove comment=1\r\n"));
  }

  void settingsFormatCombinations() {
    const struct {
      const char* intValue;
      const char* doubleValue;
      bool integers, decimals;
    } rows[] = {{"1", "0", true, false},
                {"0", "1", false, true},
                {"0", "0", false, false},
                {"1", "1", false, true}};
    for (const auto& r : rows) {
      WriteAll(Settings(), QByteArray("[OutputForm]\nint=") + r.intValue + "\ndouble=" +
                               r.doubleValue + "\n[bedding dip correction]\nratio=0x1E\n");
      Program p(Settings());
      QCOMPARE(p.form2->RadioButton3->isChecked(), r.integers);
      QCOMPARE(p.form2->RadioButton4->isChecked(), r.decimals);
      QCOMPARE(p.form1->Options().OneDecimal, !r.integers);
      QCOMPARE(p.form1->TrackBar1->value(), 30);
    }
  }

  void settingsStoreTheTrackBar() {
    {
      Program p(Settings());
      p.form1->Image3Click();
      p.form1->Edit2->setText("0");  // the bar stays at 50
    }
    QVERIFY(ReadAll(Settings()).contains("ratio=50\n"));
  }

  void settingsAreSavedWhenTheDeclinationHoldsALineBreak() {
    {
      Program p(Settings());
      QGuiApplication::clipboard()->setText("5.5\r\n");
      p.form1->Edit1->selectAll();
      p.form1->Edit1->paste();
      QVERIFY(p.form1->Edit1->text().contains('\n'));  // kept as pasted
      p.form1->Image4Click();
      p.form2->CheckBox4->setChecked(false);
      p.form1->close();
      QVERIFY(p.errors.isEmpty());
    }
    QCOMPARE(ReadAll(Settings()),
             QByteArray("[correction]\nwest=5.5\n[bedding dip correction]\nratio=75\n[OutputForm]\n"
                        "int=1\ndouble=0\n[Options]\nprojection to the surface=1\n"
                        "liniation data=1\nsense data=0\nremove comment=1\n"));
  }

  void settingsInAReadOnlyPlace() {
    // A folder in place of the file cannot be replaced: the error shows once and
    // the window still closes.
    QTemporaryDir blocked;
    const QString path = blocked.filePath("ORV.ini");
    QDir().mkpath(path + "/inside");
    Program p(path);
    QVERIFY(p.errors.size() <= 1);  // reading a folder may already complain
    p.errors.clear();
    p.form1->close();
    QCOMPARE(p.errors.size(), 1);
    QVERIFY(p.errors.first().contains("ORV.ini"));
    QVERIFY(!p.form1->isVisible());
  }

  void saveRules() {
    Program p(Settings());
    TForm1& w = *p.form1;
    w.RichEdit2->setPlainText("# comment\n# error in x [y]\n 120 30 \n  # note\n 10 5 ");
    const struct {
      const char* chosen;
      const char* written;
    } names[] = {{"result", "result.fdt"},
                 {"result.fdt", "result.fdt"},
                 {"result.FDT", "result.FDT.fdt"},
                 {"result.txt", "result.txt.fdt"}};
    for (const auto& n : names) {
      QFile::remove(dir_.filePath(n.written));
      p.nextFileNames = {dir_.filePath(n.chosen)};
      w.Save1Click();
      QCOMPARE(ReadAll(dir_.filePath(n.written)), QByteArray(" 120 30 \r\n  # note\r\n 10 5 \r\n"));
    }
    p.form2->CheckBox5->setChecked(false);
    p.nextFileNames = {dir_.filePath("all.fdt")};
    w.SpeedButton1Click();
    QCOMPARE(ReadAll(dir_.filePath("all.fdt")),
             QByteArray("# comment\r\n# error in x [y]\r\n 120 30 \r\n  # note\r\n 10 5 \r\n"));
    // Cancel writes nothing; an empty pane writes an empty file.
    w.RichEdit2->clear();
    p.nextFileNames.clear();
    w.Save1Click();
    p.nextFileNames = {dir_.filePath("empty")};
    w.Save1Click();
    QCOMPARE(ReadAll(dir_.filePath("empty.fdt")), QByteArray());
    QVERIFY(!QFile::exists(dir_.filePath("empty")));
  }

  void saveAsksBeforeReplacingACompletedName() {
    Program p(Settings());
    TForm1& w = *p.form1;
    WriteAll(dir_.filePath("old.fdt"), "keep\r\n");
    w.RichEdit2->setPlainText(" 1 2 ");
    p.answer = false;
    p.nextFileNames = {dir_.filePath("old")};
    w.Save1Click();
    QCOMPARE(p.questions.size(), 1);
    QCOMPARE(ReadAll(dir_.filePath("old.fdt")), QByteArray("keep\r\n"));
    p.answer = true;
    p.nextFileNames = {dir_.filePath("old")};
    w.Save1Click();
    QCOMPARE(ReadAll(dir_.filePath("old.fdt")), QByteArray(" 1 2 \r\n"));
    // A save that fails leaves the old file and names it in the error.
    QTemporaryDir ro;
    QDir().mkpath(ro.filePath("target.fdt/x"));
    p.nextFileNames = {ro.filePath("target.fdt")};
    w.Save1Click();
    QCOMPARE(p.errors.size(), 1);
    QVERIFY(p.errors.first().contains("target.fdt"));
    QVERIFY(QFileInfo(ro.filePath("target.fdt")).isDir());
  }

  void openAndDrop() {
    Program p(Settings());
    TForm1& w = *p.form1;
    const QString a = dir_.filePath("a.txt"), b = dir_.filePath("b.txt");
    WriteAll(a, "120 30 45 20 N\r\n");
    WriteAll(b, "b\n");
    w.RichEdit2->setPlainText("earlier result");
    w.SpeedButton1->setEnabled(true);
    w.PageControl1->setCurrentWidget(w.TabSheet2);
    p.nextFileNames = {a};
    w.Open1Click();
    QCOMPARE(p.requests.last().filter.section(";;", 0, 0), QString("Text File (*.txt)"));
    // The six of the field books, a filter per other format before "all files".
    const QStringList filters = p.requests.last().filter.split(";;");
    QCOMPARE(filters.size(), 10);
    QCOMPARE(filters[4], QString("Fault DaTa File (*.fdt)"));
    QCOMPARE(filters.mid(5, 4),
             (QStringList{"Spreadsheet with a header row (*.csv)", "StraboSpot project (*.json)",
                          "TectonicsFP fault file (*.fpl *.cor)", "SG2PS data file (*.rgf)"}));
    QCOMPARE(filters.last(), QString("all files (*.*)"));
    QCOMPARE(w.RichEdit1->toPlainText(), QString("120 30 45 20 N\n"));
    QCOMPARE(w.windowTitle(), a);
    QCOMPARE(w.PageControl1->currentWidget(), w.TabSheet1);
    QVERIFY(!w.SpeedButton1->isEnabled());
    QCOMPARE(w.RichEdit2->toPlainText(), QString("earlier result"));

    // A drop of three files loads the first.
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(b), QUrl::fromLocalFile(a), QUrl::fromLocalFile(a)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &drop);
    QCOMPARE(w.RichEdit1->toPlainText(), QString("b\n"));
    QCOMPARE(w.windowTitle(), b);

    // An unreadable file changes nothing.
    p.nextFileNames = {dir_.filePath("missing.txt")};
    w.Open1Click();
    QCOMPARE(p.errors.size(), 1);
    QVERIFY(p.errors.first().contains("missing.txt"));
    QCOMPARE(w.windowTitle(), b);
    QCOMPARE(w.RichEdit1->toPlainText(), QString("b\n"));
  }

  // Other programs' files arrive as field-book lines that Convert converts; a reader
  // that stops shows why and changes nothing.
  void openOtherFormats() {
    Program p(Settings());
    TForm1& w = *p.form1;
    const QString csv = dir_.filePath("site.csv"), fpl = dir_.filePath("site.fpl");
    const QString codes = dir_.filePath("codes.csv");
    WriteAll(csv,
             "Station;Dip Direction;Dip;Trend;Plunge;Sense\r\n"
             "A1;120;30;45;20;normal\r\nA2;120;30;45;20;\r\n");
    WriteAll(fpl, "12,120,30,45,20,wall\n");
    WriteAll(codes, "dip_direction,dip,trend,plunge,sense\n120,30,45,20,2\n");
    p.nextFileNames = {csv};
    w.Open1Click();
    QCOMPARE(w.RichEdit1->toPlainText(),
             QString("# Station;Dip Direction;Dip;Trend;Plunge;Sense\n"
                     "120 30 45 20 N # Station A1\n120 30 45 20 # Station A2"));
    QCOMPARE(w.windowTitle(), csv + " (2 records, Spreadsheet with a header row)");
    w.Button2Click();
    QCOMPARE(w.RichEdit2->toPlainText(),
             QString("# Station;Dip Direction;Dip;Trend;Plunge;Sense\n"
                     " 120 30  50 11 N # Station A1\n"
                     "# error in character data [120 30 45 20 # Station A2]\n"));

    // A drop goes the same way.
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(fpl)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &drop);
    QCOMPARE(w.RichEdit1->toPlainText(), QString("120 30 45 20 R # quality 2; wall"));
    QCOMPARE(w.windowTitle(), fpl + " (1 records, TectonicsFP fault file)");

    // Numeric senses of unknown meaning: the reader's message, nothing changed.
    p.nextFileNames = {codes};
    w.Open1Click();
    QCOMPARE(p.errors.size(), 1);
    QCOMPARE(p.errors.first(),
             "\"" + codes +
                 "\", line 2: column \"sense\" gives the sense as numbers, whose meaning "
                 "differs between programs: choose apsg (1 normal, -1 reverse) or tectonicsfp "
                 "(1 reverse, 2 normal, 3 dextral, 4 sinistral)");
    QCOMPARE(w.RichEdit1->toPlainText(), QString("120 30 45 20 R # quality 2; wall"));
    QCOMPARE(w.windowTitle(), fpl + " (1 records, TectonicsFP fault file)");
  }

  void roundTripOfAWindowsFieldBook() {
    Program p(Settings());
    TForm1& w = *p.form1;
    p.form2->CheckBox5->setChecked(false);
    p.form2->CheckBox1->setChecked(false);
    // CR LF and Windows-1252: a degree sign (0xB0) and an e acute (0xE9).
    const QString book = dir_.filePath("book.prn");
    WriteAll(book, "# Caf\xe9 quarry, 12\xb0 slope\r\n120 30 45 20 N # r\xe9sum\xe9\r\n120 30\r\n");
    p.nextFileNames = {book};
    w.Open1Click();
    QVERIFY(w.RichEdit1->toPlainText().contains(QString::fromUtf8("Café")));
    w.Button2Click();
    p.nextFileNames = {dir_.filePath("book")};
    w.Save1Click();
    QCOMPARE(ReadAll(dir_.filePath("book.fdt")),
             QByteArray("# Caf\xe9 quarry, 12\xb0 slope\r\n 120 30  45 20 N # r\xe9sum\xe9\r\n"
                        "# more data are expected [120 30]\r\n"));
  }

  void fieldBookWithAByteOrderMarkIsSavedWithOne() {
    Program p(Settings());
    TForm1& w = *p.form1;
    p.form2->CheckBox1->setChecked(false);
    const QString marked = dir_.filePath("marked.txt"), plain = dir_.filePath("plain.txt");
    WriteAll(marked,
             "\xEF\xBB\xBF"
             "120 30 45 20 N # S\xC3\xBC"
             "d\r\n# note\r\n");
    WriteAll(plain,
             "120 30 45 20 N # S\xC3\xBC"
             "d\n");
    const QByteArray converted =
        " 120 30  45 20 N # S\xC3\xBC"
        "d\r\n";
    p.nextFileNames = {marked};
    w.Open1Click();
    // The mark is not part of the first line, which therefore converts.
    QCOMPARE(w.RichEdit1->document()->firstBlock().text(),
             QString::fromUtf8("120 30 45 20 N # Süd"));
    w.Button2Click();
    p.nextFileNames = {dir_.filePath("marked")};
    w.Save1Click();
    QCOMPARE(ReadAll(dir_.filePath("marked.fdt")), "\xEF\xBB\xBF" + converted);
    // The next file opened decides again.
    p.nextFileNames = {plain};
    w.Open1Click();
    w.Button2Click();
    p.nextFileNames = {dir_.filePath("plain")};
    w.Save1Click();
    QCOMPARE(ReadAll(dir_.filePath("plain.fdt")), converted);
    QVERIFY(p.errors.isEmpty());
  }

  void stereonetExport() {
    Program p(Settings());
    TForm1& w = *p.form1;
    p.Type("90 60 90 60 N\n270 40 270 40 R\n");
    w.Button2Click();
    QCOMPARE(w.Stereonet1->Data().faults.size(), std::size_t{2});
    p.nextFileNames = {dir_.filePath("net")};
    w.ExportNet1Click();
    QVERIFY(ReadAll(dir_.filePath("net.svg")).contains("<svg"));
    QVERIFY(p.errors.isEmpty());
  }
};

QTEST_MAIN(AppTest)
#include "app_test.moc"
