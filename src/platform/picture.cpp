#include "platform/picture.h"

#include <QImage>
#include <QPixmap>
#include <optional>

namespace starveil::platform {

struct Picture::Data {
  QImage image;
  // Made on first paint: a pixmap needs the application, a picture only its pixels.
  std::optional<QPixmap> pixmap;
};

Picture::Picture(const QImage& image)
    : data_(std::make_shared<Data>(
          Data{image.convertToFormat(QImage::Format_ARGB32_Premultiplied), std::nullopt})) {}

int Picture::PixelWidth() const {
  return data_ ? data_->image.width() : 0;
}

int Picture::PixelHeight() const {
  return data_ ? data_->image.height() : 0;
}

const QImage& Picture::Image() const {
  static const QImage kNone;
  return data_ ? data_->image : kNone;
}

const QPixmap& Picture::Pixmap() const {
  if (!data_->pixmap) data_->pixmap = QPixmap::fromImage(data_->image);
  return *data_->pixmap;
}

Picture Picture::Copy() const {
  return data_ ? Picture(data_->image.copy()) : Picture();
}

}  // namespace starveil::platform
