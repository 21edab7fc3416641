#include "assets/picture_checks.h"

#include <algorithm>
#include <cstdlib>

void PrintTo(const QImage& image, std::ostream* out) {
  *out << image.width() << "x" << image.height() << "\n";
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x)
      *out << (qAlpha(image.pixel(x, y)) ? '#' : '.');
    *out << "\n";
  }
}

namespace starveil::assets::checks {

QImage Sprite(const std::string& name) {
  return QImage(QString(":/sprites/%1.xpm").arg(QString::fromStdString(name)))
      .convertToFormat(QImage::Format_ARGB32);
}

QImage Mirrored(const QImage& image) {
  return image.mirrored(/*horizontally=*/true, false);
}

int OpaqueCount(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x)
      count += qAlpha(image.pixel(x, y)) != 0;
  }
  return count;
}

QRect OpaqueBounds(const QImage& image) {
  QRect bounds;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(image.pixel(x, y))) bounds |= QRect(x, y, 1, 1);
    }
  }
  return bounds;
}

double Centroid(const QImage& image) {
  double sum = 0;
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (!qAlpha(image.pixel(x, y))) continue;
      sum += x;
      ++count;
    }
  }
  return count ? sum / count : 0;
}

bool HasColour(const QImage& image, const QColor& colour) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (qAlpha(p) && (p & 0xffffff) == (colour.rgb() & 0xffffff)) return true;
    }
  }
  return false;
}

bool Near(const QColor& a, const QColor& b, int tolerance) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

int CountNear(const QImage& image, const QColor& colour, int tolerance) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x)
      count += Near(image.pixelColor(x, y), colour, tolerance);
  }
  return count;
}

QColor Average(const QImage& image, const QRect& area) {
  long r = 0, g = 0, b = 0, n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb p = image.pixel(x, y);
      r += qRed(p);
      g += qGreen(p);
      b += qBlue(p);
      ++n;
    }
  }
  return n ? QColor(int(r / n), int(g / n), int(b / n)) : QColor();
}

GifLayout ReadGifLayout(const QByteArray& bytes) {
  GifLayout gif;
  auto at = [&](qsizetype i) {
    return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
  };
  auto word = [&](qsizetype i) { return at(i) | at(i + 1) << 8; };
  // Skips a chain of data sub-blocks and returns the position after its terminator.
  auto skipBlocks = [&](qsizetype i) {
    while (i < bytes.size() && at(i) != 0)
      i += at(i) + 1;
    return i + 1;
  };

  gif.width = word(6);
  gif.height = word(8);
  const int packed = at(10);
  gif.backgroundIndex = at(11);
  qsizetype i = 13;
  if (packed & 0x80) {
    gif.paletteSize = 2 << (packed & 7);
    if (gif.paletteSize > 255) gif.palette255 = QColor(at(i + 765), at(i + 766), at(i + 767));
    i += qsizetype{3} * gif.paletteSize;
  }
  while (i < bytes.size()) {
    const int introducer = at(i);
    if (introducer == 0x3B) break;  // trailer
    if (introducer == 0x21) {
      if (at(i + 1) == 0xF9 && (at(i + 3) & 1)) gif.transparentIndex = at(i + 6);
      i = skipBlocks(i + 2);
    } else if (introducer == 0x2C) {
      ++gif.images;
      const int imagePacked = at(i + 9);
      gif.interlaced = gif.interlaced || (imagePacked & 0x40);
      i += 10;
      if (imagePacked & 0x80) i += qsizetype{3} * (2 << (imagePacked & 7));
      i = skipBlocks(i + 1);  // after the LZW code size
    } else {
      break;  // not a GIF block: stop rather than misread
    }
  }
  return gif;
}

}  // namespace starveil::assets::checks
