#include "picture_finder.h"

#include <string>
#include <vector>

#include "assets/pictures.h"
#include "game/facts.h"
#include "platform/picture.h"

namespace starveil::xdrive {

namespace {

struct Pixel {
  QPoint at;
  QRgb colour;
};

std::vector<Pixel> OpaquePixels(const QImage& picture) {
  const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
  std::vector<Pixel> pixels;
  for (int y = 0; y < argb.height(); ++y) {
    for (int x = 0; x < argb.width(); ++x) {
      const QRgb pixel = argb.pixel(x, y);
      if (qAlpha(pixel) != 0) pixels.push_back({{x, y}, pixel & RGB_MASK});
    }
  }
  return pixels;
}

}  // namespace

std::optional<QPoint> FindPicture(const QImage& shot, const QImage& picture) {
  const std::vector<Pixel> pixels = OpaquePixels(picture);
  const auto showsAt = [&](QPoint corner) {
    for (const Pixel& pixel : pixels) {
      if ((shot.pixel(corner + pixel.at) & RGB_MASK) != pixel.colour) return false;
    }
    return true;
  };
  for (int y = 0; y + picture.height() <= shot.height(); ++y) {
    for (int x = 0; x + picture.width() <= shot.width(); ++x) {
      if (showsAt({x, y})) return QPoint(x, y);
    }
  }
  return std::nullopt;
}

const QImage& CannonPicture() {
  static const QImage cannon = assets::Load("se" + std::to_string(game::kCannonPicture)).Image();
  return cannon;
}

}  // namespace starveil::xdrive
