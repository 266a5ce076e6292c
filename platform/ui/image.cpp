#include "platform/ui/image.h"
#include "platform/ui/graphiccontrol.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

namespace platform {

TImage::TImage(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 105, 105); }

void TImage::Publish(TProps<TImage>& p) {
  p.Bool("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize);
  p.Bool("Center", &TImage::Center, &TImage::SetCenter);
  p.Bool("Proportional", &TImage::Proportional, &TImage::SetProportional);
  p.Bool("Stretch", &TImage::Stretch, &TImage::SetStretch);
  p.Bool("Transparent", &TImage::Transparent, &TImage::SetTransparent);
}

void TImage::SetPicture(const QImage& image) {
  picture_ = image;
  Changed();
}

void TImage::Changed() {
  if (autoSize_ && !picture_.isNull()) SetBounds(Left(), Top(), picture_.width(), picture_.height());
  Invalidate();
}

void TImage::SetAutoSize(bool v) {
  autoSize_ = v;
  Changed();
}

void TImage::Paint(QPainter& p) {
  if (picture_.isNull()) return;
  QImage img = picture_;
  if (transparent_) {
    img = img.convertToFormat(QImage::Format_ARGB32);
    QRgb key = img.pixel(0, img.height() - 1);
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if (img.pixel(x, y) == key) img.setPixel(x, y, qRgba(0, 0, 0, 0));
  }
  int w = img.width(), h = img.height();
  if (stretch_) {
    if (proportional_) {
      double f = std::min(static_cast<double>(Width()) / w, static_cast<double>(Height()) / h);
      w = static_cast<int>(w * f);
      h = static_cast<int>(h * f);
    } else {
      w = Width();
      h = Height();
    }
  }
  int x = center_ ? (Width() - w) / 2 : 0, y = center_ ? (Height() - h) / 2 : 0;
  p.drawImage(QRect(x, y, w, h), img);
}

}  // namespace platform
