// Paints the title logo, the maker's logo and the splash picture into the game's assets.
//
// Build and run from the repository root (needs qt6-base-dev, libgif-dev, fonts-liberation):
//   cmake -S tools/art -B build-tools && cmake --build build-tools
//   build-tools/logos src/assets
//
// The output is the same on every run; commit the pictures together with any change made here.

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "art.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: logos <assets dir>\n");
    return 2;
  }
  const QDir assets(QString::fromLocal8Bit(argv[1]));

  const QImage title = art::TitleLogo();
  if (!art::WriteGif(title, 255, assets.filePath("title.gif"))) {
    std::fprintf(stderr, "cannot write title.gif\n");
    return 1;
  }
  if (!art::MakerLogo().save(assets.filePath("pellamy.jpg"), "JPG", 92)) {
    std::fprintf(stderr, "cannot write pellamy.jpg\n");
    return 1;
  }
  if (!art::Splash().save(assets.filePath("splash.png"), "PNG")) {
    std::fprintf(stderr, "cannot write splash.png\n");
    return 1;
  }
  return 0;
}
