// The "Stereonet" page: the converted faults of the last completed run.
#pragma once

#include <QWidget>

#include "stereonet_drawing.h"

namespace orvane::app {

class StereonetView : public QWidget {
  Q_OBJECT
 public:
  explicit StereonetView(QWidget* parent);
  void SetData(NetData net);
  const NetData& Data() const { return data_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  NetData data_;
};

}  // namespace orvane::app
