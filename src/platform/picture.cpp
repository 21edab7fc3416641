#include "platform/picture.h"

#include <QImage>
#include <QPixmap>
#include <optional>

namespace starveil::platform {

struct Picture::Data : Shared {
  explicit Data(QImage pixels) : image(std::move(pixels)) {}

  QImage image;
  // Made on first paint: a pixmap needs the application, a picture only its pixels.
  std::optional<QPixmap> pixmap;
};

Picture::Picture(const QImage& image)
    : data_(new Data(image.convertToFormat(QImage::Format_ARGB32_Premultiplied))) {}

void Picture::Destroy(Shared* data) {
  delete static_cast<Data*>(data);
}

Picture::Data& Picture::Pixels() const {
  return *static_cast<Data*>(data_);
}

int Picture::PixelWidth() const {
  return data_ ? Pixels().image.width() : 0;
}

int Picture::PixelHeight() const {
  return data_ ? Pixels().image.height() : 0;
}

const QImage& Picture::Image() const {
  static const QImage kNone;
  return data_ ? Pixels().image : kNone;
}

const QPixmap& Picture::Pixmap() const {
  Data& data = Pixels();
  if (!data.pixmap) data.pixmap = QPixmap::fromImage(data.image);
  return *data.pixmap;
}

Picture Picture::Copy() const {
  return data_ ? Picture(Pixels().image.copy()) : Picture();
}

}  // namespace starveil::platform
