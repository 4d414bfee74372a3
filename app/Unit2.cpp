#include "Unit2.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "controls.h"

namespace orvane::app {

TForm2* Form2 = nullptr;

TForm2::TForm2(QWidget* parent) : NoCancelDialog(parent) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("Options"));
  // A title bar without buttons: there is nothing to cancel.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

  GroupBox2 = Named<QGroupBox>("GroupBox2", QStringLiteral("Input Data"), this);
  CheckBox2 = Named<QCheckBox>("CheckBox2", QStringLiteral("surface data"), GroupBox2);
  CheckBox3 = Named<QCheckBox>("CheckBox3", QStringLiteral("liniation data"), GroupBox2);
  CheckBox4 = Named<QCheckBox>("CheckBox4", QStringLiteral("character data"), GroupBox2);
  auto* inputLayout = new QVBoxLayout(GroupBox2);
  inputLayout->setSpacing(2);
  inputLayout->addWidget(CheckBox2);
  inputLayout->addWidget(CheckBox3);
  inputLayout->addWidget(CheckBox4);

  GroupBox1 = Named<QGroupBox>("GroupBox1", QStringLiteral("Output Format"), this);
  Label3 = Named<QLabel>("Label3", QStringLiteral("format"), GroupBox1);
  RadioButton3 = Named<OptionRadioButton>("RadioButton3", QStringLiteral("123"), GroupBox1);
  RadioButton4 = Named<OptionRadioButton>("RadioButton4", QStringLiteral("123.4"), GroupBox1);
  CheckBox1 = Named<QCheckBox>("CheckBox1", GroupBox1);
  Label1 = Named<QLabel>(
      "Label1", QStringLiteral("Orthogonal projection of lineation data onto surface data"),
      GroupBox1);
  Label1->setWordWrap(true);
  CheckBox5 = Named<QCheckBox>("CheckBox5", QStringLiteral("Remove comment line"), GroupBox1);
  Label2 = Named<QLabel>("Label2", QStringLiteral("(recommended)"), GroupBox1);

  auto* outputLayout = new QGridLayout(GroupBox1);
  outputLayout->setVerticalSpacing(2);
  outputLayout->addWidget(Label3, 0, 0);
  outputLayout->addWidget(RadioButton3, 0, 1);
  outputLayout->addWidget(RadioButton4, 1, 1);
  outputLayout->addWidget(CheckBox1, 2, 0, Qt::AlignTop | Qt::AlignRight);
  outputLayout->addWidget(Label1, 2, 1);
  outputLayout->addWidget(CheckBox5, 3, 0, 1, 2);
  // "(recommended)" stands under the check box's caption, not under its box.
  const int captionIndent = CheckBox5->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                            CheckBox5->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
  Label2->setContentsMargins(captionIndent, 0, 0, 0);
  outputLayout->addWidget(Label2, 4, 0, 1, 2);
  outputLayout->setColumnStretch(1, 1);

  Button1 = Named<QPushButton>("Button1", QStringLiteral("OK"), this);
  Button1->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(GroupBox2);
  layout->addWidget(GroupBox1);
  layout->addStretch(1);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);

  CheckBox2->setChecked(true);
  CheckBox3->setChecked(true);
  CheckBox4->setChecked(true);
  RadioButton3->setChecked(true);
  CheckBox1->setChecked(true);
  CheckBox5->setChecked(true);

  // The pair excludes each other: checking one clears the other, and clearing one
  // leaves the other as it is.
  connect(RadioButton3, &QRadioButton::toggled, this, [this](bool checked) {
    if (checked) RadioButton4->setChecked(false);
  });
  connect(RadioButton4, &QRadioButton::toggled, this, [this](bool checked) {
    if (checked) RadioButton3->setChecked(false);
  });
  // Runs on every change of the tick, also one made by the program.
  connect(CheckBox3, &QCheckBox::toggled, this, &TForm2::CheckBox3Click);
  connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);

  // 163 x 295 at 96 dpi with the classic 8-point font; larger desktop fonts get
  // the room their captions need, and the frame stays fixed either way.
  Label1->setMinimumWidth(
      Label1->fontMetrics().horizontalAdvance(QStringLiteral("projection of lineation")));
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setMinimumSize(163, 295);
}

orvane::ConversionOptions TForm2::ReadSwitches(orvane::ConversionOptions base) const {
  base.SurfaceData = CheckBox2->isChecked();
  base.LineationData = CheckBox3->isChecked();
  base.SenseData = CheckBox4->isChecked();
  base.ProjectionToSurface = CheckBox1->isChecked();
  base.OneDecimal = !RadioButton3->isChecked();
  base.RemoveComment = CheckBox5->isChecked();
  return base;
}

void TForm2::Button1Click() {
  accept();
}

void TForm2::CheckBox3Click() {
  CheckBox1->setEnabled(CheckBox3->isChecked());
}

}  // namespace orvane::app
