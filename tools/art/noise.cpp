#include "noise.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace art {

namespace {

std::uint32_t Mix(std::uint32_t h) {
  h ^= h >> 16;
  h *= 0x7feb352dU;
  h ^= h >> 15;
  h *= 0x846ca68bU;
  h ^= h >> 16;
  return h;
}

std::uint32_t LatticeHash(int x, int y, int z) {
  return Mix(static_cast<std::uint32_t>(x) * 0x8da6b343U ^
             static_cast<std::uint32_t>(y) * 0xd8163841U ^
             static_cast<std::uint32_t>(z) * 0xcb1ab31fU);
}

// One of the twelve edge directions of a cube, picked by the lattice point's hash.
double Gradient(int x, int y, int z, double dx, double dy, double dz) {
  switch (LatticeHash(x, y, z) % 12) {
    case 0:
      return dx + dy;
    case 1:
      return -dx + dy;
    case 2:
      return dx - dy;
    case 3:
      return -dx - dy;
    case 4:
      return dx + dz;
    case 5:
      return -dx + dz;
    case 6:
      return dx - dz;
    case 7:
      return -dx - dz;
    case 8:
      return dy + dz;
    case 9:
      return -dy + dz;
    case 10:
      return dy - dz;
    default:
      return -dy - dz;
  }
}

double Fade(double t) {
  return t * t * t * (t * (t * 6 - 15) + 10);
}
double Lerp(double a, double b, double t) {
  return a + (b - a) * t;
}

}  // namespace

Vec3 Normalized(Vec3 v) {
  const double length = std::sqrt(Dot(v, v));
  return length > 0 ? v * (1.0 / length) : v;
}

double Noise(Vec3 p) {
  const int x0 = static_cast<int>(std::floor(p.x));
  const int y0 = static_cast<int>(std::floor(p.y));
  const int z0 = static_cast<int>(std::floor(p.z));
  const double fx = p.x - x0, fy = p.y - y0, fz = p.z - z0;
  const double u = Fade(fx), v = Fade(fy), w = Fade(fz);
  auto corner = [&](int i, int j, int k) {
    return Gradient(x0 + i, y0 + j, z0 + k, fx - i, fy - j, fz - k);
  };
  const double x00 = Lerp(corner(0, 0, 0), corner(1, 0, 0), u);
  const double x10 = Lerp(corner(0, 1, 0), corner(1, 1, 0), u);
  const double x01 = Lerp(corner(0, 0, 1), corner(1, 0, 1), u);
  const double x11 = Lerp(corner(0, 1, 1), corner(1, 1, 1), u);
  return Lerp(Lerp(x00, x10, v), Lerp(x01, x11, v), w);
}

double Fbm(Vec3 p, int octaves) {
  double sum = 0, weight = 0.5;
  for (int i = 0; i < octaves; ++i) {
    sum += weight * Noise(p);
    // A slight turn per octave keeps the lattice from lining up between octaves.
    p = Vec3{p.x * 1.6 + p.z * 1.2, p.y * 2.0, p.z * 1.6 - p.x * 1.2} + Vec3{17.3, 9.1, 4.7};
    weight *= 0.5;
  }
  return sum;
}

double Hash01(int x, int y, int salt) {
  return (LatticeHash(x, y, salt) & 0xffffff) / static_cast<double>(0x1000000);
}

double SmoothStep(double edge0, double edge1, double x) {
  const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

}  // namespace art
