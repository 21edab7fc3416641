// The splash picture: the Earth seen from orbit, the ocean under fields of cloud, the horizon
// curving across the top with a thin glowing atmosphere, and black space above it holding the
// title and the maker's label.

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "art.h"
#include "noise.h"

namespace art {

namespace {

constexpr int kWidth = 547;
constexpr int kHeight = 411;
constexpr int kSupersample = 2;  // rendered larger and averaged down, so edges come out soft

// The planet's disc in picture pixels: a centre far below the picture makes a gentle curve,
// with the horizon at about a fifth of the height in the middle and lower towards the sides.
constexpr double kPlanetX = 300.0;
constexpr double kPlanetY = 860.0;
constexpr double kPlanetRadius = 775.0;

constexpr double kCloudScale = 26.0;

struct Rgb {
  double r = 0, g = 0, b = 0;
};

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb Scale(Rgb a, double s) {
  return {a.r * s, a.g * s, a.b * s};
}
Rgb Add(Rgb a, Rgb b) {
  return {a.r + b.r, a.g + b.g, a.b + b.b};
}

// The sun stands high beyond the horizon, so the ocean nearest the camera catches its sheen.
const Vec3 kSun = Normalized({-0.15, -0.95, 0.27});

// Turns a point of the visible face into the planet's own frame, choosing which clouds we see.
Vec3 ToPlanet(Vec3 n) {
  constexpr double kTilt = 0.6, kSpin = 2.1;
  const Vec3 a{n.x, n.y * std::cos(kTilt) - n.z * std::sin(kTilt),
               n.y * std::sin(kTilt) + n.z * std::cos(kTilt)};
  return {a.x * std::cos(kSpin) + a.z * std::sin(kSpin), a.y,
          -a.x * std::sin(kSpin) + a.z * std::cos(kSpin)};
}

// Broad regions of clear sky and overcast, in about [-0.5, 0.5].
double Coverage(Vec3 p) {
  return Fbm(p * 3.2 + Vec3{40.0, 2.0, 9.0}, 5);
}

// Thin high veils drawn out by the wind, strongest where the weather is cloudy anyway.
double Veil(Vec3 p) {
  const Vec3 streaked{p.x * 2.5, p.y * 0.5, p.z * 2.5};
  return 0.4 * SmoothStep(0.05, 0.45, Fbm(streaked * kCloudScale * 0.8, 5) + 0.8 * Coverage(p));
}

// Cloud cover in [0, 1] at a point of the planet's surface.
double CloudDensity(Vec3 p) {
  const Vec3 q = p * kCloudScale;
  // Warping the lookup by more noise bends the fields into the swirls and streets of real weather.
  const Vec3 warp{Fbm(q * 0.45 + Vec3{3.1, 0.0, 7.7}, 4), Fbm(q * 0.45 + Vec3{11.4, 5.2, 0.3}, 4),
                  Fbm(q * 0.45 + Vec3{0.9, 13.6, 2.5}, 4)};
  const Vec3 warped = q + warp * 1.5;
  // Puffy cells on top of the broad shapes, as in fields of fair-weather cumulus.
  const double billows = 0.5 - std::abs(Noise(warped * 3.1));
  const double base = Fbm(warped, 6) + 0.22 * billows;
  const double threshold = 0.06 - 1.2 * Coverage(p);
  return SmoothStep(threshold, threshold + 0.4, base);
}

Rgb Surface(double u, double v) {
  const double z = std::sqrt(std::max(0.0, 1.0 - u * u - v * v));
  const Vec3 n{u, v, z};
  const Vec3 p = ToPlanet(n);
  const double light = std::max(0.0, Dot(n, kSun));

  // Deep blue ocean, darker towards the limb where we look across it at a grazing angle.
  const double depth = 0.5 + 0.5 * Fbm(p * 90.0, 3);
  Rgb ocean = Mix(Rgb{3, 22, 62}, Rgb{10, 55, 125}, std::clamp(depth * light, 0.0, 1.0));
  ocean = Scale(ocean, 0.3 + 0.7 * std::pow(z, 0.55));
  const Vec3 halfway = Normalized(kSun + Vec3{0, 0, 1});
  const double sheen = std::pow(std::max(0.0, Dot(n, halfway)), 18.0);
  ocean = Add(ocean, Scale(Rgb{70, 95, 125}, sheen));

  // Clouds cast their shadows on the sea a little away from the sun.
  const Vec3 towardsSun = Normalized(kSun - n * Dot(kSun, n));
  const double shadow = CloudDensity(p - ToPlanet(towardsSun) * 0.004);
  ocean = Scale(ocean, 1.0 - 0.45 * shadow);

  const double cloud = std::max(CloudDensity(p), Veil(p));
  // Cloud tops facing the sun are brighter than their far sides.
  const double lit =
      std::clamp(0.5 + 2.5 * (cloud - CloudDensity(p + ToPlanet(towardsSun) * 0.008)), 0.0, 1.0);
  const Rgb cloudColour = Mix(Rgb{150, 165, 190}, Rgb{250, 251, 255},
                              std::clamp(0.35 + 0.45 * light + 0.3 * lit, 0.0, 1.0));
  // Lumpy cloud tops catch the light unevenly.
  const double tops = 0.9 + 0.18 * Fbm(p * (kCloudScale * 5.0), 3);
  Rgb colour = Mix(ocean, Scale(cloudColour, tops), std::pow(cloud, 0.85));

  // Close to the limb the surface fades into the blue of the air above it.
  const double haze = std::exp(-z * 14.0);
  return Mix(colour, Rgb{90, 150, 240}, 0.85 * haze);
}

// The lit air above the horizon: a thin bright line with a fainter glow spreading into space.
Rgb Atmosphere(double heightPixels) {
  const double rim = std::exp(-heightPixels / 1.3);
  const double glow = std::exp(-heightPixels / 5.5);
  return Add(Scale(Rgb{175, 215, 255}, rim), Scale(Rgb{25, 70, 190}, 0.55 * glow));
}

Rgb Render(double x, double y) {
  const double dx = x - kPlanetX, dy = y - kPlanetY;
  const double r = std::sqrt(dx * dx + dy * dy);
  if (r < kPlanetRadius) return Surface(dx / kPlanetRadius, dy / kPlanetRadius);
  return Atmosphere(r - kPlanetRadius);
}

int Channel(double value) {
  return std::clamp(static_cast<int>(std::lround(value)), 0, 255);
}

// A few faint stars in the black band, none too close to the horizon's glow.
void DrawStars(QImage& image) {
  constexpr int kStars = 34;
  for (int i = 0; i < kStars; ++i) {
    const int x = static_cast<int>(Hash01(i, 1, 71) * kWidth);
    const int y = static_cast<int>(Hash01(i, 2, 71) * kHeight);
    const double dx = x - kPlanetX, dy = y - kPlanetY;
    if (std::sqrt(dx * dx + dy * dy) < kPlanetRadius + 14) continue;
    const double brightness = 35 + 120 * std::pow(Hash01(i, 3, 71), 3.0);
    const QColor tint =
        QColor::fromRgbF(0.95f, static_cast<float>(0.95 + 0.05 * Hash01(i, 4, 71)), 1.0f);
    auto add = [&](int px, int py, double amount) {
      if (px < 0 || py < 0 || px >= kWidth || py >= kHeight) return;
      const QColor old = image.pixelColor(px, py);
      image.setPixelColor(px, py,
                          QColor(Channel(old.red() + amount * tint.redF()),
                                 Channel(old.green() + amount * tint.greenF()),
                                 Channel(old.blue() + amount * tint.blueF())));
    };
    add(x, y, brightness);
    if (brightness > 90) {
      for (auto [ox, oy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
        add(x + ox, y + oy, brightness * 0.3);
    }
  }
}

void DrawTitle(QImage& image) {
  QFont font = LiberationFont("LiberationSerif-Bold.ttf", 40);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 2.0);
  QPainterPath path;
  path.addText(22, 50, font, "STARVEIL");

  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  // A faint red bloom, as bright letters have on film.
  for (int spread = 4; spread >= 1; --spread) {
    painter.strokePath(path, QPen(QColor(200, 20, 20, 14), spread * 2.0, Qt::SolidLine,
                                  Qt::RoundCap, Qt::RoundJoin));
  }
  QLinearGradient fill(0, 18, 0, 50);
  fill.setColorAt(0.0, QColor(235, 45, 40));
  fill.setColorAt(1.0, QColor(175, 12, 16));
  painter.fillPath(path, fill);
}

void AddGrain(QImage& image) {
  for (int y = 0; y < kHeight; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < kWidth; ++x) {
      const double grain = (Hash01(x, y, 5) + Hash01(x, y, 6) - 1.0) * 4.0;
      const QRgb p = line[x];
      line[x] =
          qRgb(Channel(qRed(p) + grain), Channel(qGreen(p) + grain), Channel(qBlue(p) + grain));
    }
  }
}

}  // namespace

QImage Splash() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  constexpr double kStep = 1.0 / kSupersample;
  for (int y = 0; y < kHeight; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < kWidth; ++x) {
      Rgb sum;
      for (int sy = 0; sy < kSupersample; ++sy) {
        for (int sx = 0; sx < kSupersample; ++sx) {
          sum = Add(sum, Render(x + (sx + 0.5) * kStep, y + (sy + 0.5) * kStep));
        }
      }
      sum = Scale(sum, kStep * kStep);
      line[x] = qRgb(Channel(sum.r), Channel(sum.g), Channel(sum.b));
    }
  }
  DrawStars(image);
  AddGrain(image);
  DrawTitle(image);

  const QImage label = MakerLabel(142, 44);
  QPainter painter(&image);
  painter.drawImage(kWidth - label.width() - 14, 10, label);
  return image;
}

}  // namespace art
