#include "VersionForm.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls.h"
#include "orvane_version.h"

namespace orvane::app {

TForm3* Form3 = nullptr;

TForm3::TForm3(QWidget* parent) : NoCancelDialog(parent) {
  setObjectName(QStringLiteral("Form3"));
  setWindowTitle(QStringLiteral("Version Info"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  const QSize pictureSize(180, 127);
  Image1->setPixmap(RenderPicture(QStringLiteral("version"), pictureSize, devicePixelRatioF()));
  Image1->setFixedSize(pictureSize);

  Label1 = new QLabel(QStringLiteral("Orvane"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  QFont nameFont = Label1->font();
  nameFont.setBold(true);
  nameFont.setItalic(true);
  nameFont.setPointSizeF(nameFont.pointSizeF() + 2);
  Label1->setFont(nameFont);
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setFixedSize(177, qMax(16, Label1->sizeHint().height()));

  Label2 = new QLabel(QStringLiteral("Version ") + QString::fromUtf8(kVersion), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label3 = new QLabel(QStringLiteral("Written by the Orvane developers"), this);
  Label3->setObjectName(QStringLiteral("Label3"));

  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 10, 12, 10);
  layout->addWidget(Image1, 0, Qt::AlignHCenter);
  layout->addSpacing(4);
  layout->addWidget(Label1, 0, Qt::AlignHCenter);
  layout->addWidget(Label2, 0, Qt::AlignHCenter);
  layout->addWidget(Label3, 0, Qt::AlignHCenter);
  layout->addStretch(1);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);

  resize(206, 270);
}

void TForm3::Button1Click() {
  accept();
}

}  // namespace orvane::app
