// The title logo: the game's name in tall hand-drawn blue letters, each ringed by a soft grey halo
// that fades into the window's own grey, written as a GIF with a transparent background.

#include <gif_lib.h>

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "art.h"
#include "noise.h"

namespace art {

namespace {

constexpr int kWidth = 77;
constexpr int kHeight = 57;
constexpr std::size_t kPixels = std::size_t{kWidth} * kHeight;
constexpr int kTransparent = 255;
const QRgb kBackground = qRgb(210, 210, 210);

constexpr double kLetterWidth = 13.0;
constexpr double kLetterHeight = 21.0;
constexpr double kStroke = 2.5;
constexpr double kHaloRadius = 3.3;
constexpr int kHaloNear = 222;  // grey right beside a letter
constexpr int kHaloFar = 206;   // grey at the halo's outer edge

// Draws one letter's strokes in a unit box; `at` maps box coordinates to picture coordinates with
// the slight wobble of a hand-held pen.
using Point = std::function<QPointF(double, double)>;

void Letter(QPainterPath& path, char letter, const Point& at) {
  auto line = [&](std::initializer_list<std::pair<double, double>> points) {
    bool first = true;
    for (auto [u, v] : points) {
      if (first)
        path.moveTo(at(u, v));
      else
        path.lineTo(at(u, v));
      first = false;
    }
  };
  switch (letter) {
    case 'S':
      path.moveTo(at(0.92, 0.13));
      path.cubicTo(at(0.72, -0.04), at(0.06, -0.02), at(0.08, 0.26));
      path.cubicTo(at(0.1, 0.5), at(0.92, 0.44), at(0.9, 0.73));
      path.cubicTo(at(0.88, 1.03), at(0.18, 1.02), at(0.05, 0.85));
      break;
    case 'T':
      line({{0.0, 0.05}, {1.0, 0.02}});
      line({{0.5, 0.04}, {0.53, 1.0}});
      break;
    case 'A':
      line({{0.02, 1.0}, {0.47, 0.0}, {0.98, 1.0}});
      line({{0.2, 0.64}, {0.8, 0.62}});
      break;
    case 'R':
      line({{0.1, 1.0}, {0.1, 0.02}});
      path.cubicTo(at(0.95, 0.0), at(1.0, 0.5), at(0.12, 0.5));
      line({{0.42, 0.5}, {0.95, 1.0}});
      break;
    case 'V':
      line({{0.0, 0.0}, {0.5, 1.0}, {1.0, 0.02}});
      break;
    case 'E':
      line({{0.92, 0.02}, {0.1, 0.0}, {0.1, 1.0}, {0.95, 0.98}});
      line({{0.1, 0.48}, {0.72, 0.5}});
      break;
    case 'I':
      line({{0.5, 0.0}, {0.5, 1.0}});
      line({{0.18, 0.01}, {0.82, 0.0}});
      line({{0.2, 1.0}, {0.84, 0.99}});
      break;
    case 'L':
      line({{0.14, 0.0}, {0.12, 1.0}, {0.94, 0.97}});
      break;
    default:
      throw std::invalid_argument(std::string("no strokes for the letter ") + letter);
  }
}

// The letters as strokes, two lines of four; each letter leans and sits a little differently.
QPainterPath Lettering() {
  const std::array<const char*, 2> lines{"STAR", "VEIL"};
  QPainterPath path;
  int letterIndex = 0;
  for (int row = 0; row < 2; ++row) {
    for (int col = 0; col < 4; ++col, ++letterIndex) {
      const double left = 6.0 + col * 17.7;
      const double top = 6.0 + row * 25.0 + (Hash01(letterIndex, 0, 3) - 0.5) * 1.6;
      const double lean = (Hash01(letterIndex, 1, 3) - 0.5) * 0.14;
      int pointIndex = 0;
      Point at = [&](double u, double v) {
        const double wobbleX = (Hash01(letterIndex, pointIndex, 11) - 0.5) * 0.9;
        const double wobbleY = (Hash01(letterIndex, pointIndex, 12) - 0.5) * 0.9;
        ++pointIndex;
        return QPointF(left + u * kLetterWidth + (0.5 - v) * lean * kLetterHeight + wobbleX,
                       top + v * kLetterHeight + wobbleY);
      };
      Letter(path, lines[row][col], at);
    }
  }
  return path;
}

// Coverage of the letters in [0, 1] per pixel, and the blue each pixel's ink has.
struct Ink {
  std::vector<double> coverage;
  QImage colour;
};

Ink DrawInk() {
  QImage ink(kWidth, kHeight, QImage::Format_ARGB32);
  ink.fill(Qt::transparent);
  QPainter painter(&ink);
  painter.setRenderHint(QPainter::Antialiasing);
  // Blues around the pen's own colour: lighter where the stroke starts, darker where ink pools.
  QLinearGradient blue(0, 0, 0, kHeight);
  blue.setColorAt(0.0, QColor(62, 138, 200));
  blue.setColorAt(0.45, QColor(41, 115, 181));
  blue.setColorAt(0.55, QColor(56, 130, 196));
  blue.setColorAt(1.0, QColor(30, 98, 162));
  painter.strokePath(Lettering(),
                     QPen(QBrush(blue), kStroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.end();

  Ink result{std::vector<double>(kPixels), ink};
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x)
      result.coverage[y * kWidth + x] = qAlpha(ink.pixel(x, y)) / 255.0;
  }
  return result;
}

// Distance from each pixel to the nearest pixel that is mostly ink.
std::vector<double> DistanceToInk(const std::vector<double>& coverage) {
  std::vector<double> distance(kPixels, 1e9);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (coverage[y * kWidth + x] < 0.5) continue;
      for (int ty = 0; ty < kHeight; ++ty) {
        for (int tx = 0; tx < kWidth; ++tx) {
          double& d = distance[ty * kWidth + tx];
          d = std::min(d, std::hypot(tx - x, ty - y));
        }
      }
    }
  }
  return distance;
}

// Channels rounded to a coarser step until the colours fit the palette beside the background.
QImage ToIndexed(const std::vector<QRgb>& pixels) {
  for (int step = 1;; ++step) {
    auto rounded = [step](QRgb c) {
      if (c == kBackground) return c;
      auto r = [step](int v) { return std::min(255, (v + step / 2) / step * step); };
      return qRgb(r(qRed(c)), r(qGreen(c)), r(qBlue(c)));
    };
    std::map<QRgb, int> index;
    for (QRgb c : pixels) {
      if (c != kBackground) index.emplace(rounded(c), 0);
    }
    if (index.size() > kTransparent) continue;

    QList<QRgb> table(256, qRgb(0, 0, 0));
    int next = 0;
    for (auto& [colour, i] : index) {
      // The background's exact grey is kept for the transparent entry alone.
      table[next] = colour == kBackground ? qRgb(210, 210, 211) : colour;
      i = next++;
    }
    table[kTransparent] = kBackground;

    QImage image(kWidth, kHeight, QImage::Format_Indexed8);
    image.setColorTable(table);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const QRgb c = pixels[y * kWidth + x];
        image.setPixel(x, y, c == kBackground ? kTransparent : index.at(rounded(c)));
      }
    }
    return image;
  }
}

}  // namespace

QImage TitleLogo() {
  const Ink ink = DrawInk();
  const std::vector<double> distance = DistanceToInk(ink.coverage);

  std::vector<QRgb> pixels(kPixels, kBackground);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const int i = y * kWidth + x;
      const double d = distance[i];
      const double a = ink.coverage[i];
      if (d > kHaloRadius && a == 0) continue;
      const double fade = std::clamp(d / kHaloRadius, 0.0, 1.0);
      const int grey = static_cast<int>(std::lround(kHaloNear - (kHaloNear - kHaloFar) * fade));
      const QRgb pen = ink.colour.pixel(x, y);
      auto blend = [a, grey](int channel) {
        return static_cast<int>(std::lround(channel * a + grey * (1 - a)));
      };
      pixels[i] = a == 0 ? qRgb(grey, grey, grey)
                         : qRgb(blend(qRed(pen)), blend(qGreen(pen)), blend(qBlue(pen)));
    }
  }
  return ToIndexed(pixels);
}

bool WriteGif(const QImage& indexed, int transparentIndex, const QString& path) {
  int error = 0;
  GifFileType* gif = EGifOpenFileName(path.toLocal8Bit().constData(), false, &error);
  if (!gif) return false;
  EGifSetGifVersion(gif, true);

  std::array<GifColorType, 256> colours{};
  const QList<QRgb> table = indexed.colorTable();
  for (int i = 0; i < 256; ++i) {
    const QRgb c = i < table.size() ? table[i] : qRgb(0, 0, 0);
    colours[i] =
        GifColorType{static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                     static_cast<GifByteType>(qBlue(c))};
  }
  ColorMapObject* map = GifMakeMapObject(256, colours.data());

  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSAL_UNSPECIFIED;
  control.UserInputFlag = false;
  control.DelayTime = 0;
  control.TransparentColor = transparentIndex;
  std::array<GifByteType, 4> extension{};
  const size_t extensionLength = EGifGCBToExtension(&control, extension.data());

  const int w = indexed.width(), h = indexed.height();
  bool ok = EGifPutScreenDesc(gif, w, h, 8, transparentIndex, map) == GIF_OK &&
            EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(extensionLength),
                             extension.data()) == GIF_OK &&
            EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
  for (int y = 0; ok && y < h; ++y) {
    ok = EGifPutLine(gif, const_cast<GifPixelType*>(indexed.constScanLine(y)), w) == GIF_OK;
  }
  GifFreeMapObject(map);
  ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
  // The library creates the file readable by its owner only.
  return ok && QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                               QFile::ReadOther);
}

}  // namespace art
