#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRect>
#include <ostream>
#include <string>

// Failing comparisons show a picture as its grid of opaque (#) and transparent (.) pixels.
void PrintTo(const QImage& image, std::ostream* out);

namespace starveil::assets::checks {

// A sprite frame straight from the built-in resources, as 32-bit ARGB.
QImage Sprite(const std::string& name);

QImage Mirrored(const QImage& image);  // left to right

int OpaqueCount(const QImage& image);
QRect OpaqueBounds(const QImage& image);  // empty when nothing is opaque
double Centroid(const QImage& image);     // mean column of the opaque pixels

bool HasColour(const QImage& image, const QColor& colour);   // among the opaque pixels
bool Near(const QColor& a, const QColor& b, int tolerance);  // every channel within tolerance
int CountNear(const QImage& image, const QColor& colour, int tolerance);
QColor Average(const QImage& image, const QRect& area);

// What a GIF file's blocks say about it.
struct GifLayout {
  int width = 0, height = 0;
  int paletteSize = 0;  // entries of the global palette
  QColor palette255;
  int backgroundIndex = -1;
  int transparentIndex = -1;  // -1 when no entry is transparent
  int images = 0;
  bool interlaced = false;
};
GifLayout ReadGifLayout(const QByteArray& bytes);

}  // namespace starveil::assets::checks
