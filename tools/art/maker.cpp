// The maker's logo, and the same name on the splash picture's white label.

#include <QFont>
#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "art.h"

namespace art {

namespace {

constexpr int kLogoWidth = 123;
constexpr int kLogoHeight = 36;
const QColor kRed(214, 22, 30);

QPainterPath NamePath(int pixelSize, QPointF baseline) {
  QFont font = LiberationFont("LiberationSans-BoldItalic.ttf", pixelSize);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
  QPainterPath path;
  path.addText(baseline, font, "PELLAMY");
  return path;
}

// A soft shadow in the given colour from the coverage of a mask: three box blurs, close to a
// Gaussian.
QImage SoftShadow(const QImage& mask, int radius, QColor colour) {
  QImage image(mask.size(), QImage::Format_ARGB32);
  const int w = image.width(), h = image.height();
  const auto pixels = static_cast<std::size_t>(w) * h;
  std::vector<double> alpha(pixels), scratch(pixels);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x)
      alpha[y * w + x] = qAlpha(mask.pixel(x, y));
  }
  for (int pass = 0; pass < 3; ++pass) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        double sum = 0;
        for (int k = -radius; k <= radius; ++k)
          sum += alpha[y * w + std::clamp(x + k, 0, w - 1)];
        scratch[y * w + x] = sum / (2 * radius + 1);
      }
    }
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        double sum = 0;
        for (int k = -radius; k <= radius; ++k)
          sum += scratch[std::clamp(y + k, 0, h - 1) * w + x];
        alpha[y * w + x] = sum / (2 * radius + 1);
      }
    }
  }
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int a = std::clamp(static_cast<int>(std::lround(alpha[y * w + x])), 0, 255);
      image.setPixel(x, y, qRgba(colour.red(), colour.green(), colour.blue(), a));
    }
  }
  return image;
}

// The name with its shadow, drawn onto a transparent picture of the given size.
QImage NameWithShadow(QSize size, int pixelSize, QPointF baseline) {
  const QPainterPath name = NamePath(pixelSize, baseline);

  QImage mask(size, QImage::Format_ARGB32);
  mask.fill(Qt::transparent);
  {
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(name.translated(2.0, 2.0), Qt::black);
  }
  const QImage shadow = SoftShadow(mask, 1, QColor(110, 110, 110));

  QImage picture(size, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setOpacity(0.8);
  painter.drawImage(0, 0, shadow);
  painter.setOpacity(1.0);
  painter.fillPath(name, kRed);
  return picture;
}

}  // namespace

QFont LiberationFont(const QString& fileName, int pixelSize) {
  const int id =
      QFontDatabase::addApplicationFont("/usr/share/fonts/truetype/liberation/" + fileName);
  const QStringList families = QFontDatabase::applicationFontFamilies(id);
  if (families.isEmpty())
    qFatal("font %s is missing (Debian package fonts-liberation)", qPrintable(fileName));
  QFont font(families.first());
  font.setPixelSize(pixelSize);
  font.setBold(fileName.contains("Bold"));
  font.setItalic(fileName.contains("Italic"));
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

QImage MakerLogo() {
  QImage logo(kLogoWidth, kLogoHeight, QImage::Format_RGB32);
  logo.fill(Qt::white);
  QPainter painter(&logo);
  // The box that shows the logo is 33 pixels high, so the name sits clear of the lowest rows.
  painter.drawImage(0, 0, NameWithShadow(logo.size(), 23, QPointF(3, 26)));
  return logo;
}

QImage MakerLabel(int width, int height) {
  QImage label(width, height, QImage::Format_ARGB32);
  // White with rounded corners, fading out over the last few pixels towards each edge.
  constexpr double kFeather = 8.0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double dx = std::max(0.0, kFeather - std::min(x + 0.5, width - x - 0.5));
      const double dy = std::max(0.0, kFeather - std::min(y + 0.5, height - y - 0.5));
      const double edge = kFeather - std::hypot(dx, dy);
      const double t = std::clamp(edge / kFeather, 0.0, 1.0);
      label.setPixel(
          x, y, qRgba(255, 255, 255, static_cast<int>(std::lround(255 * t * t * (3 - 2 * t)))));
    }
  }
  QPainter painter(&label);
  painter.drawImage(0, 0, NameWithShadow(label.size(), 23, QPointF(14, 31)));
  return label;
}

}  // namespace art
