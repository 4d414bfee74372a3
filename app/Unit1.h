// The main window: input and output panes, the Convert button, the declination and
// untilting controls, the save button and the menu.
#pragma once

#include <QMainWindow>
#include <array>
#include <optional>
#include <string>

#include "conversion_options.h"
#include "export_as.h"
#include "file_text.h"
#include "stereonet_drawing.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTextEdit;
class QToolButton;
class QDragEnterEvent;
class QDropEvent;

namespace orvane::app {

class ClickableImage;
class TrackBar;
class StereonetView;
class TForm2;
class TForm3;

// Caption " Orvane", 445 x 351 when first shown, centred, never smaller than
// 300 x 250. A fixed column of controls at the left; the page control with the
// "Input" and "Output" panes takes the rest and grows with the window.
//
// The untilting percentage is shown three ways that keep each other in step: the
// track bar writes its position into Edit2, the five presets move the track bar,
// and a whole number of 1 or more typed into Edit2 moves the track bar (clamped to
// 0..100, so a typed 150 reads 100 afterwards unless the bar already stood there).
// The conversion reads Edit2's text, not the bar.
class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  // `options` and `version` are the dialogs the menu opens. They are created after
  // this window, as its children, and are first used when the window is shown.
  TForm1(TForm2& options, TForm3& version);

  // The conversion run behind Convert: the input pane's lines, a snapshot of the
  // options (switches from the options dialog, texts from Edit1 and Edit2) and the
  // output pane. Enables SpeedButton1 when the run reaches its end. Throws
  // RunStopped when the run stops at a line; the output so far stays.
  void ConvertAllLines();

  // The options as a run, or a save, would take them now.
  orvane::ConversionOptions Options() const;

  // Controls, named as in the window (also their object names).
  QPushButton* Button2;       // "Convert"; Enter in the column's controls presses it
  QToolButton* SpeedButton1;  // save; enabled when a run completes
  QLabel* Label2;             // declination caption
  QLineEdit* Edit1;           // declination in degrees, positive to the west
  QLabel* Label7;             // "degree(s)"
  ClickableImage* Image1;     // presets 0 %, 25 %, 50 %, 75 %, 100 %
  ClickableImage* Image2;
  ClickableImage* Image3;
  ClickableImage* Image4;
  ClickableImage* Image5;
  TrackBar* TrackBar1;  // untilting percentage, 0..100
  QLabel* Label3;       // "Untilting :"
  QLineEdit* Edit2;     // untilting percentage as text: what a run reads
  QLabel* Label4;       // "%"
  QTabWidget* PageControl1;
  QWidget* TabSheet1;         // "Input"
  QWidget* TabSheet2;         // "Output"
  QTextEdit* RichEdit1;       // input pane, rich text: bad lines are red and bold
  QPlainTextEdit* RichEdit2;  // output pane, plain text, editable
  QWidget* TabSheet3;         // "Stereonet": the converted lines of the last completed run
  StereonetView* Stereonet1;
  QMenu* File1;  // "&File"
  QAction* Open1;
  QAction* Save1;
  QAction* ExportAs1;   // "Export as...": CSV, TectonicsFP, SG2PS or fault data file
  QAction* ExportNet1;  // "Export stereonet..."
  QAction* N1;          // separator
  QAction* Exit1;
  QAction* Options1;  // "&Options", acts at once
  QMenu* Help1;       // "&Help"
  QAction* Version1;

 public slots:
  void Button2Click();
  void SpeedButton1Click();
  void Edit1Change();
  void Edit2Change();
  void TrackBar1Change();
  void Image1Click();
  void Image2Click();
  void Image3Click();
  void Image4Click();
  void Image5Click();
  void Open1Click();
  void Save1Click();
  void Exit1Click();
  void Options1Click();
  void Version1Click();
  void ExportNet1Click();
  void ExportAs1Click();

 public:
  // Replaces the input pane with the file's text, as Open and a drop do: caption
  // = the full path, page "Input", save button disabled. A spreadsheet, StraboSpot,
  // TectonicsFP or SG2PS file shows as its field-book lines, and the caption adds how
  // many records it held in which format. False, with an error box naming the file
  // and nothing changed, when the file cannot be read or its reader stops.
  bool LoadInputFile(const QString& path);
  // The settings file the window reads when shown and writes when closed.
  static void SetSettingsPathForTesting(const QString& path);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void FormShow();
  void FormClose();
  void BuildColumn(QWidget* column);
  void BuildPages();
  void BuildMenu();
  void PlacePresetMarkers();
  void NotifyUser(const std::string& text);

  void ShowInput(const DecodedFile& file, const QString& path);
  QStringList OutputLines() const;
  std::optional<QString> AskSavePath();
  QString SettingsPath() const;

  TForm2& options_;
  TForm3& version_;
  std::array<ClickableImage*, 5> presets_{};
  bool shown_ = false;
  TextEncoding inputEncoding_ = TextEncoding::Utf8;  // the last opened file's: Save writes in it
  QString lastOpenName_;
  QString lastSaveName_;
  QString lastNetName_;
  QString inputPath_;        // the file the input was loaded from; empty when typed
  ExportChoice lastExport_;  // the name and format last exported
};

// The main window of the running program; created first at start-up.
extern TForm1* Form1;

}  // namespace orvane::app
