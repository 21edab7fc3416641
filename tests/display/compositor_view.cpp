#include "compositor_view.h"

#include <QColor>
#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "game/facts.h"
#include "platform/surface.h"
#include "window/frm_main.h"

namespace starveil::display {

namespace {

using platform::TwipsToPixels;

const QPoint kPlayfieldPx(TwipsToPixels(game::kPlayfield.left),
                          TwipsToPixels(game::kPlayfield.top));
const QSize kPlayfieldSizePx(TwipsToPixels(game::kPlayfield.width),
                             TwipsToPixels(game::kPlayfield.height));
const QSize kClientPx(TwipsToPixels(game::kClientWidth), TwipsToPixels(game::kLoadedClientHeight));
// Around the client area, what its frame and shadow may take, in the window's pixels: both change
// as the focus goes to the box and back.
constexpr int kFrameAndShadowPx = 64;
// Of the screen's pixels outside the game's frame, as many as a small window's side squared.
constexpr int kAnotherWindowSidePx = 40;
// mutter's screen casts dither its desktop's gradient anew in every picture, a step or two.
constexpr int kDitherSteps = 24;

bool Black(QRgb pixel) {
  return (pixel & RGB_MASK) == 0;
}

int Difference(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
         std::abs(qBlue(a) - qBlue(b));
}

long Difference(const QImage& a, const QImage& b) {
  long sum = 0;
  for (int y = 0; y < std::min(a.height(), b.height()); ++y) {
    for (int x = 0; x < std::min(a.width(), b.width()); ++x)
      sum += Difference(a.pixel(x, y), b.pixel(x, y));
  }
  return sum;
}

// A row of the playfield broken by something wider than any sprite.
bool CoveredByAWindow(const QImage& client) {
  const int widest = kPlayfieldSizePx.width() / 3;
  for (int y = kPlayfieldPx.y(); y < kPlayfieldPx.y() + kPlayfieldSizePx.height(); ++y) {
    int run = 0;
    for (int x = kPlayfieldPx.x(); x < kPlayfieldPx.x() + kPlayfieldSizePx.width(); ++x) {
      run = Black(client.pixel(x, y)) ? 0 : run + 1;
      if (run >= widest) return true;
    }
  }
  return false;
}

}  // namespace

int DesktopScale() {
  const int percent = qEnvironmentVariableIntValue("STARVEIL_DESKTOP_SCALE");
  return percent > 0 ? percent : 100;
}

std::optional<QRect> Playfield(const QImage& screen, double scale) {
  const auto face = [&](int x, int y) {
    const QRgb pixel = screen.pixel(std::clamp(x, 0, screen.width() - 1), y);
    constexpr int kNear = 24;
    return std::abs(qRed(pixel) - qRed(kFace)) <= kNear &&
           std::abs(qGreen(pixel) - qGreen(kFace)) <= kNear &&
           std::abs(qBlue(pixel) - qBlue(kFace)) <= kNear;
  };
  const auto black = [&](int x, int y) { return Black(screen.pixel(x, y)); };
  const int least = static_cast<int>(0.9 * kPlayfieldSizePx.width() * scale);
  const int most = static_cast<int>(kPlayfieldSizePx.width() * scale);
  QRect found;
  for (int y = 0; y < screen.height(); ++y) {
    for (int x = 0; x < screen.width();) {
      const int start = x;
      while (x < screen.width() && black(x, y))
        ++x;
      if (x - start >= least && (face(start - 2, y) || face(start - 3, y)))
        found |= QRect(start, y, std::min(x - start, most), 1);
      x = std::max(x, start + 1);
    }
  }
  if (found.isEmpty()) return std::nullopt;
  return found;
}

std::optional<ClientView> ReadClient(const QImage& screen, double scale) {
  const std::optional<QRect> field = Playfield(screen, scale);
  if (!field) return std::nullopt;
  const QPointF origin = QPointF(field->topLeft()) - QPointF(kPlayfieldPx) * scale;
  ClientView view{QImage(kClientPx, QImage::Format_RGB32),
                  QRectF(origin, QSizeF(kClientPx) * scale).toAlignedRect()};
  for (int y = 0; y < kClientPx.height(); ++y) {
    for (int x = 0; x < kClientPx.width(); ++x) {
      const QPointF middle = origin + QPointF(x + 0.5, y + 0.5) * scale;
      const QPoint at(static_cast<int>(std::floor(middle.x())),
                      static_cast<int>(std::floor(middle.y())));
      view.pixels.setPixel(x, y, screen.valid(at) ? screen.pixel(at) : qRgb(0, 0, 0));
    }
  }
  return view;
}

MarkerReader::MarkerReader() {
  frmMain design;
  for (int i = 0; i <= 2; ++i)
    markers_.at(i).box = platform::PixelRect(design.Lives[i].Rect());
  for (const bool lit : {true, false}) {
    for (int i = 0; i <= 2; ++i)
      design.Lives[i].SetVisible(lit);
    for (Marker& marker : markers_)
      (lit ? marker.lit : marker.out) =
          design.grab(marker.box).toImage().convertToFormat(QImage::Format_RGB32);
  }
}

int MarkerReader::Lit(const QImage& client) const {
  int lit = 0;
  for (const Marker& marker : markers_) {
    const QImage shown = client.copy(marker.box);
    lit += Difference(shown, marker.lit) < Difference(shown, marker.out) ? 1 : 0;
  }
  return lit;
}

BoxSeen BoxShown(const QImage& screen, const QImage& before, const ClientView& client) {
  const double scale = static_cast<double>(client.onScreen.width()) / kClientPx.width();
  const int margin = static_cast<int>(kFrameAndShadowPx * scale);
  const QRect game = client.onScreen.adjusted(-margin, -2 * margin, margin, margin);
  long changed = 0;
  for (int y = 0; y < std::min(screen.height(), before.height()); ++y) {
    for (int x = 0; x < std::min(screen.width(), before.width()); ++x) {
      if (!game.contains(x, y) && Difference(screen.pixel(x, y), before.pixel(x, y)) > kDitherSteps)
        ++changed;
    }
  }
  const double side = kAnotherWindowSidePx * scale;
  BoxSeen seen;
  seen.overThePlayfield = CoveredByAWindow(client.pixels);
  seen.shown = seen.overThePlayfield || changed >= side * side;
  return seen;
}

}  // namespace starveil::display
