#pragma once

// Gradient noise on a fixed lattice, so every run of the generator paints the same pixels.
namespace art {

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, double s) {
  return {a.x * s, a.y * s, a.z * s};
}
inline double Dot(Vec3 a, Vec3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Normalized(Vec3 v);

// Smooth noise in about [-1, 1].
double Noise(Vec3 p);

// Fractal sum of octaves, each at double the frequency and half the weight of the one before.
double Fbm(Vec3 p, int octaves);

// A repeatable value in [0, 1) for an integer position, used for stars and film grain.
double Hash01(int x, int y, int salt);

double SmoothStep(double edge0, double edge1, double x);

}  // namespace art
