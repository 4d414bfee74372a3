#include "Unit1.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "Unit2.h"
#include "VersionForm.h"
#include "batch_run.h"
#include "controls.h"
#include "dialogs.h"
#include "format_open.h"
#include "line_conversion.h"
#include "numbers.h"
#include "pane_views.h"
#include "settings_io.h"
#include "stereonet_view.h"
#include "text.h"

namespace orvane::app {

TForm1* Form1 = nullptr;

namespace {

QString& SettingsPathOverride() {
  static QString path;
  return path;
}

const QString kSaveFilter = QStringLiteral("Fault Data Text file(*.fdt);;all file(*.*)");

}  // namespace

TForm1::TForm1(TForm2& options, TForm3& version) : options_(options), version_(version) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral(" Orvane"));
  setWindowIcon(ApplicationIcon());
  setMinimumSize(300, 250);

  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(6);
  auto* column = new QWidget(central);
  column->setFixedWidth(160);
  BuildColumn(column);
  layout->addWidget(column);
  BuildPages();
  layout->addWidget(PageControl1, 1);
  setCentralWidget(central);
  BuildMenu();
}

void TForm1::BuildColumn(QWidget* column) {
  Button2 = Named<QPushButton>("Button2", QStringLiteral("Convert"), column);
  Button2->setFixedSize(153, 65);
  QFont bigger = Button2->font();
  bigger.setPointSizeF(bigger.pointSizeF() + 2);
  bigger.setBold(true);
  Button2->setFont(bigger);

  SpeedButton1 = Named<QToolButton>("SpeedButton1", column);
  SpeedButton1->setFixedSize(23, 22);
  SpeedButton1->setAutoRaise(true);
  SpeedButton1->setToolTip(QStringLiteral("Save the output"));
  QIcon diskette;
  diskette.addPixmap(RenderPicture(QStringLiteral("diskette"), QSize(16, 16), devicePixelRatioF()),
                     QIcon::Normal);
  diskette.addPixmap(
      RenderPicture(QStringLiteral("diskette-disabled"), QSize(16, 16), devicePixelRatioF()),
      QIcon::Disabled);
  SpeedButton1->setIcon(diskette);
  SpeedButton1->setEnabled(false);

  Label2 = Named<QLabel>(
      "Label2", QStringLiteral("Correction of Magnetic Declination (positive in west) :"), column);
  Label2->setWordWrap(true);
  Label2->setFixedWidth(156);
  Edit1 = Named<QLineEdit>("Edit1", QStringLiteral("0"), column);
  Edit1->setFixedWidth(33);
  Edit1->setAttribute(Qt::WA_InputMethodEnabled, false);
  Label7 = Named<QLabel>("Label7", QStringLiteral("degree(s)"), column);

  // The preset markers stand over the track bar's positions 0, 25, 50, 75 and 100.
  auto* markers = new QWidget(column);
  markers->setObjectName(QStringLiteral("PresetRow"));
  markers->setFixedSize(150, 15);
  const char* names[] = {"Image1", "Image2", "Image3", "Image4", "Image5"};
  const char* hints[] = {"0%", "25%", "50%", "75%", "100%"};
  for (int i = 0; i < 5; ++i) {
    auto* image = Named<ClickableImage>(names[i], markers);
    const QSize size = (i % 2 == 0) ? QSize(15, 14) : QSize(11, 10);
    image->setFixedSize(size);
    image->setPixmap(RenderPicture(QStringLiteral("marker"), size, devicePixelRatioF()));
    image->setToolTip(QString::fromLatin1(hints[i]));
    image->setCursor(Qt::PointingHandCursor);
    image->setAttribute(Qt::WA_TranslucentBackground);
    presets_[static_cast<std::size_t>(i)] = image;
  }
  Image1 = presets_[0];
  Image2 = presets_[1];
  Image3 = presets_[2];
  Image4 = presets_[3];
  Image5 = presets_[4];
  TrackBar1 = Named<TrackBar>("TrackBar1", column);
  TrackBar1->setRange(0, 100);
  TrackBar1->setValue(0);
  TrackBar1->setFixedSize(150, 45);
  TrackBar1->setTickPosition(QSlider::TicksBelow);
  TrackBar1->setTickInterval(0);

  Label3 = Named<QLabel>("Label3", QStringLiteral("Untilting :"), column);
  Edit2 = Named<QLineEdit>("Edit2", QStringLiteral("0"), column);
  Edit2->setFixedWidth(49);
  Label4 = Named<QLabel>("Label4", QStringLiteral("%"), column);

  auto* v = new QVBoxLayout(column);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(4);
  v->addWidget(Button2);
  auto* saveRow = new QHBoxLayout;
  saveRow->setContentsMargins(0, 0, 0, 0);
  saveRow->addSpacing(153 - 23);
  saveRow->addWidget(SpeedButton1);
  saveRow->addStretch(1);
  v->addLayout(saveRow);
  v->addSpacing(6);
  v->addWidget(Label2);
  auto* declination = new QHBoxLayout;
  declination->addWidget(Edit1);
  declination->addWidget(Label7);
  declination->addStretch(1);
  v->addLayout(declination);
  v->addSpacing(10);
  v->addWidget(markers);
  v->addWidget(TrackBar1);
  auto* untilting = new QHBoxLayout;
  untilting->addWidget(Label3);
  untilting->addWidget(Edit2);
  untilting->addWidget(Label4);
  untilting->addStretch(1);
  v->addLayout(untilting);
  v->addStretch(1);

  setTabOrder(Button2, Edit1);
  setTabOrder(Edit1, TrackBar1);
  setTabOrder(TrackBar1, Edit2);

  connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
  connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
  connect(Edit1, &QLineEdit::textChanged, this, &TForm1::Edit1Change);
  connect(Edit2, &QLineEdit::textChanged, this, &TForm1::Edit2Change);
  // Enter in either field runs Convert, as the window's default button.
  connect(Edit1, &QLineEdit::returnPressed, this, &TForm1::Button2Click);
  connect(Edit2, &QLineEdit::returnPressed, this, &TForm1::Button2Click);
  connect(TrackBar1, &QSlider::valueChanged, this, &TForm1::TrackBar1Change);
  connect(Image1, &ClickableImage::clicked, this, &TForm1::Image1Click);
  connect(Image2, &ClickableImage::clicked, this, &TForm1::Image2Click);
  connect(Image3, &ClickableImage::clicked, this, &TForm1::Image3Click);
  connect(Image4, &ClickableImage::clicked, this, &TForm1::Image4Click);
  connect(Image5, &ClickableImage::clicked, this, &TForm1::Image5Click);
}

void TForm1::BuildPages() {
  PageControl1 = Named<QTabWidget>("PageControl1", this);
  PageControl1->setUsesScrollButtons(false);
  TabSheet1 = Named<QWidget>("TabSheet1");
  TabSheet2 = Named<QWidget>("TabSheet2");
  TabSheet3 = Named<QWidget>("TabSheet3");

  RichEdit1 = Named<QTextEdit>("RichEdit1", TabSheet1);
  RichEdit1->setAcceptRichText(false);  // pasted text arrives plain; marks are ours
  RichEdit1->setLineWrapMode(QTextEdit::NoWrap);
  RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit2 = Named<QPlainTextEdit>("RichEdit2", TabSheet2);
  RichEdit2->setLineWrapMode(QPlainTextEdit::NoWrap);
  RichEdit2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont fixed(QStringLiteral("Monospace"));
  fixed.setStyleHint(QFont::TypeWriter);
  RichEdit1->setFont(fixed);
  RichEdit2->setFont(fixed);
  // Files dropped on a pane go to the window, not into the text.
  RichEdit1->setAcceptDrops(false);
  RichEdit2->setAcceptDrops(false);
  Stereonet1 = new StereonetView(TabSheet3);
  Stereonet1->setObjectName(QStringLiteral("Stereonet1"));

  const auto fill = [](QWidget* page, QWidget* child) {
    auto* l = new QVBoxLayout(page);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(child);
  };
  fill(TabSheet1, RichEdit1);
  fill(TabSheet2, RichEdit2);
  fill(TabSheet3, Stereonet1);
  PageControl1->addTab(TabSheet1, QStringLiteral("Input"));
  PageControl1->addTab(TabSheet2, QStringLiteral("Output"));
  PageControl1->addTab(TabSheet3, QStringLiteral("Stereonet"));
  PageControl1->setCurrentWidget(TabSheet1);
}

void TForm1::BuildMenu() {
  File1 = menuBar()->addMenu(QStringLiteral("&File"));
  File1->setObjectName(QStringLiteral("File1"));
  Open1 = File1->addAction(QStringLiteral("&Open"));
  Open1->setObjectName(QStringLiteral("Open1"));
  Open1->setShortcut(QKeySequence::Open);
  Save1 = File1->addAction(QStringLiteral("&Save"));
  Save1->setObjectName(QStringLiteral("Save1"));
  Save1->setShortcut(QKeySequence::Save);
  ExportAs1 = File1->addAction(QStringLiteral("Export as..."));
  ExportAs1->setObjectName(QStringLiteral("ExportAs1"));
  ExportNet1 = File1->addAction(QStringLiteral("Export stereonet..."));
  ExportNet1->setObjectName(QStringLiteral("ExportNet1"));
  N1 = File1->addSeparator();
  N1->setObjectName(QStringLiteral("N1"));
  Exit1 = File1->addAction(QStringLiteral("&Exit"));
  Exit1->setObjectName(QStringLiteral("Exit1"));
  Options1 = menuBar()->addAction(QStringLiteral("&Options"));
  Options1->setObjectName(QStringLiteral("Options1"));
  Help1 = menuBar()->addMenu(QStringLiteral("&Help"));
  Help1->setObjectName(QStringLiteral("Help1"));
  Version1 = Help1->addAction(QStringLiteral("Version"));
  Version1->setObjectName(QStringLiteral("Version1"));

  connect(Open1, &QAction::triggered, this, &TForm1::Open1Click);
  connect(Save1, &QAction::triggered, this, &TForm1::Save1Click);
  connect(ExportNet1, &QAction::triggered, this, &TForm1::ExportNet1Click);
  connect(ExportAs1, &QAction::triggered, this, &TForm1::ExportAs1Click);
  connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
  connect(Options1, &QAction::triggered, this, &TForm1::Options1Click);
  connect(Version1, &QAction::triggered, this, &TForm1::Version1Click);
}

orvane::ConversionOptions TForm1::Options() const {
  orvane::ConversionOptions options = options_.ReadSwitches();
  options.DeclinationText = Edit1->text().toStdString();
  options.UntiltingText = Edit2->text().toStdString();
  return options;
}

void TForm1::NotifyUser(const std::string& text) {
  ShowMessage(this, QString::fromStdString(text));
}

void TForm1::ConvertAllLines() {
  const orvane::ConversionOptions options = Options();
  bool completed = false;
  {
    RichEditInputPane input(*RichEdit1);
    PlainTextOutputPane output(*RichEdit2);
    // The panes show the lines written so far even when the run stops.
    orvane::ConvertAllLines(
        options, input, output, [this](const std::string& text) { NotifyUser(text); },
        [&completed] { completed = true; });
  }
  if (completed) {
    SpeedButton1->setEnabled(true);
    Stereonet1->SetData(NetDataFromLines(OutputLines()));
  }
}

void TForm1::Button2Click() {
  RunHandler(this, [this] {
    PageControl1->setCurrentWidget(TabSheet2);
    ConvertAllLines();
  });
}

void TForm1::SpeedButton1Click() {
  Save1Click();
}

void TForm1::Edit1Change() {
  if (!IsNumber(Edit1->text().toStdString())) NotifyUser("Input rotation angle");
}

void TForm1::Edit2Change() {
  const std::string text = Edit2->text().toStdString();
  if (const auto value = StrToInt(text)) {
    // 0 or less leaves the bar alone; the bar clamps larger values into 0..100.
    if (*value >= 1) TrackBar1->setValue(*value);
    return;
  }
  // "30-10" is the difference form and "-" starts a negative number: both silent.
  if (text.find('-') != std::string::npos) return;
  if (!text.empty()) NotifyUser(std::string(kUntiltingRangeMessage));
}

void TForm1::TrackBar1Change() {
  Edit2->setText(QString::number(TrackBar1->value()));
}

void TForm1::Image1Click() {
  TrackBar1->setValue(0);
}
void TForm1::Image2Click() {
  TrackBar1->setValue(25);
}
void TForm1::Image3Click() {
  TrackBar1->setValue(50);
}
void TForm1::Image4Click() {
  TrackBar1->setValue(75);
}
void TForm1::Image5Click() {
  TrackBar1->setValue(100);
}

void TForm1::Options1Click() {
  options_.exec();
}

void TForm1::Version1Click() {
  version_.exec();
}

void TForm1::Exit1Click() {
  close();
}

bool TForm1::LoadInputFile(const QString& path) {
  // Files of other programs arrive translated into field-book lines.
  OpenedInput opened;
  QString error;
  if (!OpenInputFile(path, Options(), &opened, &error)) {
    ShowError(this, error);
    return false;
  }
  ShowInput(opened.file, path);
  setWindowTitle(opened.caption);
  return true;
}

void TForm1::ShowInput(const DecodedFile& file, const QString& path) {
  RichEdit1->setPlainText(file.text);
  inputEncoding_ = file.encoding;
  inputPath_ = path;
  setWindowTitle(path);
  PageControl1->setCurrentWidget(TabSheet1);
  SpeedButton1->setEnabled(false);
}

void TForm1::Open1Click() {
  const auto name = AskFileName(this, {FileDialogKind::Open, OpenDialogFilter(), lastOpenName_});
  if (!name) return;
  lastOpenName_ = *name;
  LoadInputFile(QFileInfo(*name).absoluteFilePath());
}

void TForm1::Save1Click() {
  // The file is made before the dialog opens: what the pane holds now is saved.
  const std::string bytes =
      FaultFileBytes(Utf8Lines(OutputLines()), Options().RemoveComment, inputEncoding_);
  const std::optional<QString> path = AskSavePath();
  if (!path) return;
  QString error;
  if (!WriteWholeFile(*path, bytes, &error)) ShowError(this, error);
}

QStringList TForm1::OutputLines() const {
  const QTextDocument& document = *RichEdit2->document();
  QStringList lines;
  const int count = PaneLineCount(document);
  lines.reserve(count);
  QTextBlock block = document.begin();
  for (int i = 0; i < count; ++i, block = block.next()) lines.append(block.text());
  return lines;
}

std::optional<QString> TForm1::AskSavePath() {
  const auto chosen = AskFileName(this, {FileDialogKind::Save, kSaveFilter, lastSaveName_});
  if (!chosen) return std::nullopt;
  lastSaveName_ = *chosen;
  const QString path = FaultDataFileName(*chosen);
  // The dialog asked about the name as chosen; a completed name is asked about here.
  if (path != *chosen && QFileInfo::exists(path) &&
      !AskQuestion(this, QStringLiteral("%1 already exists.\nDo you want to replace it?")
                             .arg(QFileInfo(path).fileName()))) {
    return std::nullopt;
  }
  return path;
}

void TForm1::ExportNet1Click() {
  const auto chosen =
      AskFileName(this, {FileDialogKind::Save,
                         QStringLiteral("SVG drawing (*.svg);;PNG image (*.png)"), lastNetName_});
  if (!chosen) return;
  lastNetName_ = *chosen;
  QString path = *chosen;
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix != QLatin1String("svg") && suffix != QLatin1String("png")) path += ".svg";
  QString error;
  if (!ExportStereonet(path, Stereonet1->Data(), &error)) ShowError(this, error);
}

void TForm1::ExportAs1Click() {
  // Like Save, the lines are taken before the dialog opens.
  ExportOutput(this, {OutputLines(), Options(), inputEncoding_, InputLocation(inputPath_)},
               lastExport_);
}

void TForm1::SetSettingsPathForTesting(const QString& path) {
  SettingsPathOverride() = path;
}

QString TForm1::SettingsPath() const {
  return SettingsPathOverride().isEmpty() ? SettingsFilePath() : SettingsPathOverride();
}

void TForm1::FormShow() {
  RunHandler(this, [this] { LoadSettings(*this, options_, SettingsPath()); });
  setAcceptDrops(true);
  TrackBar1->setTickInterval(10);
}

void TForm1::FormClose() {
  // A settings file that cannot be written is reported once; the window still closes.
  RunHandler(this, [this] { SaveSettings(*this, options_, SettingsPath()); });
}

void TForm1::PlacePresetMarkers() {
  for (int i = 0; i < 5; ++i) {
    ClickableImage* image = presets_[static_cast<std::size_t>(i)];
    const int centre = TrackBar1->HandleCentreAt(i * 25);
    image->move(centre - image->width() / 2, 15 - image->height());
  }
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  resize(445, 351);
  if (const QScreen* screen = this->screen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  PlacePresetMarkers();
  FormShow();
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (shown_) PlacePresetMarkers();
}

void TForm1::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  const QMimeData* mime = event->mimeData();
  if (mime->hasUrls() && !mime->urls().isEmpty() && mime->urls().first().isLocalFile()) {
    event->acceptProposedAction();
  }
}

void TForm1::dropEvent(QDropEvent* event) {
  // Only the first file of a drop is loaded, with its full path.
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  event->acceptProposedAction();
  LoadInputFile(QFileInfo(urls.first().toLocalFile()).absoluteFilePath());
}

}  // namespace orvane::app
