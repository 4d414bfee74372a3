#include "stereonet_view.h"

#include <QPainter>
#include <utility>

namespace orvane::app {

StereonetView::StereonetView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(120, 100);
}

void StereonetView::SetData(NetData net) {
  data_ = std::move(net);
  update();
}

void StereonetView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawStereonet(painter, QRectF(rect()), data_);
}

}  // namespace orvane::app
