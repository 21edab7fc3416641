// Writes the desktop icons from the game window's own icon picture:
//   make_icons <output dir> <icon name> <size>...
// gives <output dir>/<size>x<size>/apps/<icon name>.png for each size. Each icon is the picture
// blown up by the largest whole factor that fits, one source pixel to a square block, and centred
// on a transparent square; nothing is smoothed, so the icon holds only the picture's own colours.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "window/frm_main.h"

namespace {

// The largest icon the window carries, straight as it was given.
QImage WindowIcon() {
  const starveil::frmMain window;
  const QIcon icon = window.windowIcon();
  const QList<QSize> sizes = icon.availableSizes();
  if (sizes.isEmpty()) return {};
  return icon.pixmap(sizes.last()).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage Enlarged(const QImage& picture, int side) {
  const int factor = std::min(side / picture.width(), side / picture.height());
  const QImage blocks =
      picture.scaled(picture.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  QImage icon(side, side, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage((side - blocks.width()) / 2, (side - blocks.height()) / 2, blocks);
  return icon;
}

}  // namespace

int main(int argc, char* argv[]) {
  // A build machine may have no display; the window is only built, never shown.
  setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/1);
  QApplication app(argc, argv);
  if (argc < 4) {
    std::fprintf(stderr, "usage: make_icons <output dir> <icon name> <size>...\n");
    return EXIT_FAILURE;
  }
  const QImage picture = WindowIcon();
  if (picture.isNull()) {
    std::fprintf(stderr, "make_icons: the game window has no icon\n");
    return EXIT_FAILURE;
  }
  const QDir output(QString::fromLocal8Bit(argv[1]));
  const QString name = QString::fromLocal8Bit(argv[2]);
  for (int i = 3; i < argc; ++i) {
    const int side = std::atoi(argv[i]);
    if (side < picture.width() || side < picture.height()) {
      std::fprintf(stderr, "make_icons: %s px is smaller than the picture\n", argv[i]);
      return EXIT_FAILURE;
    }
    const QString dir = QStringLiteral("%1x%1/apps").arg(side);
    const QString path = output.filePath(dir + "/" + name + ".png");
    if (!output.mkpath(dir) || !Enlarged(picture, side).save(path, "PNG")) {
      std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(path));
      return EXIT_FAILURE;
    }
  }
  return EXIT_SUCCESS;
}
