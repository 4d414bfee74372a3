#include "controls.h"

#include <QFile>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QSvgRenderer>
#include <stdexcept>

// Resources of a static library are registered by hand; this must stay outside any
// namespace.
static void RegisterPictures() {
  Q_INIT_RESOURCE(orvane);
}

namespace orvane::app {

QPixmap RenderPicture(const QString& name, QSize size, qreal devicePixelRatio) {
  static const bool registered = (RegisterPictures(), true);
  (void)registered;
  const QString path = QStringLiteral(":/pictures/%1.svg").arg(name);
  QSvgRenderer renderer(path);
  if (!renderer.isValid()) {
    throw std::runtime_error("picture " + name.toStdString() + " is missing");
  }
  QPixmap pixmap(size * devicePixelRatio);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  return pixmap;
}

QIcon ApplicationIcon() {
  QIcon icon;
  for (int side : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addPixmap(RenderPicture(QStringLiteral("orvane"), QSize(side, side)));
  }
  return icon;
}

ClickableImage::ClickableImage(QWidget* parent) : QLabel(parent) {}

void ClickableImage::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  QLabel::mousePressEvent(event);
}

void ClickableImage::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  QLabel::mouseReleaseEvent(event);
  if (click) emit clicked();
}

TrackBar::TrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

int TrackBar::HandleCentreAt(int value) const {
  QStyleOptionSlider option;
  initStyleOption(&option);
  option.sliderPosition = value;
  option.sliderValue = value;
  const QRect handle =
      style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
  return handle.center().x();
}

OptionRadioButton::OptionRadioButton(const QString& text, QWidget* parent)
    : QRadioButton(text, parent) {
  setAutoExclusive(false);
}

void OptionRadioButton::nextCheckState() {
  if (!isChecked()) setChecked(true);
}

}  // namespace orvane::app
