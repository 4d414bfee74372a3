// Small controls that the windows need beyond Qt's own, and the program's pictures.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QRadioButton>
#include <QSlider>
#include <QString>
#include <utility>

namespace orvane::app {

// Creates a widget with its object name, so that tests and styles find it by the
// name the window gives it.
template <typename Widget, typename... Args>
Widget* Named(const char* name, Args&&... args) {
  auto* widget = new Widget(std::forward<Args>(args)...);
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// Renders one of the program's SVG pictures (":/pictures/NAME.svg") at `size`
// logical pixels, sharp on high-density screens. Throws std::runtime_error when the
// picture is missing from the resources.
QPixmap RenderPicture(const QString& name, QSize size, qreal devicePixelRatio = 1.0);

// The application icon in the sizes a desktop asks for.
QIcon ApplicationIcon();

// A picture that acts on a left click (press and release on it).
class ClickableImage : public QLabel {
  Q_OBJECT
 public:
  explicit ClickableImage(QWidget* parent);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

// A horizontal slider that says where its handle stands, so that markers can be
// lined up with positions of the bar.
class TrackBar : public QSlider {
  Q_OBJECT
 public:
  explicit TrackBar(QWidget* parent);

  // The x coordinate, in the slider's own coordinates, of the handle's centre when
  // the slider stands at `value`.
  int HandleCentreAt(int value) const;
};

// A radio button of a pair that excludes each other by hand (the pair's owner
// clears the other one), so that the program can also clear both. A click on a
// checked button leaves it checked, as with an ordinary radio button.
class OptionRadioButton : public QRadioButton {
  Q_OBJECT
 public:
  OptionRadioButton(const QString& text, QWidget* parent);

 protected:
  void nextCheckState() override;
};

}  // namespace orvane::app
