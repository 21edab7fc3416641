// Renders every sprite frame enlarged into one PNG, so the whole set can be reviewed at a glance.
//
//   contact_sheet <sprites dir> <output.png>
//
// Transparent pixels show as a dark checkerboard, so black figure pixels stay visible. Under the
// enlarged frames, a strip shows each frame at twice its size on the black playfield.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kZoom = 8;
constexpr int kGap = 12;
constexpr int kLabelHeight = 18;
constexpr int kPlayZoom = 2;

// One line of the sheet: the frames of one picture set, left to right.
const std::vector<QStringList> kSheetRows = {
    {"a0", "a1", "a2", "a3", "a4"},   {"b0", "b1", "b2", "b3", "b4"},
    {"c0", "c1", "c2", "c3", "c4"},   {"d0", "d1", "d2", "d3", "d4"},
    {"r0", "r1", "r3", "mi0", "mi1"}, {"se0", "se1", "se2", "se3", "se4"},
    {"se5", "se6", "se7", "se8"},
};

void DrawEnlarged(QPainter& painter, const QImage& frame, QPoint origin) {
  for (int y = 0; y < frame.height(); ++y) {
    for (int x = 0; x < frame.width(); ++x) {
      const QRgb pixel = frame.pixel(x, y);
      QColor colour(pixel);
      if (qAlpha(pixel) == 0) colour = ((x + y) % 2 == 0) ? QColor(40, 40, 48) : QColor(56, 56, 66);
      painter.fillRect(origin.x() + x * kZoom, origin.y() + y * kZoom, kZoom, kZoom, colour);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: contact_sheet <sprites dir> <output.png>\n");
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);

  std::vector<std::vector<std::pair<QString, QImage>>> rows;
  int sheetWidth = 0;
  int sheetHeight = 0;
  int playWidth = kGap;
  for (const QStringList& names : kSheetRows) {
    auto& row = rows.emplace_back();
    int rowWidth = kGap;
    int rowHeight = 0;
    for (const QString& name : names) {
      QImage frame(dir + "/" + name + ".xpm");
      if (frame.isNull()) {
        std::fprintf(stderr, "cannot read %s/%s.xpm\n", argv[1], qPrintable(name));
        return 1;
      }
      frame = frame.convertToFormat(QImage::Format_ARGB32);
      rowWidth += frame.width() * kZoom + kGap;
      playWidth += frame.width() * kPlayZoom + 6;
      rowHeight = std::max(rowHeight, frame.height() * kZoom);
      row.emplace_back(name, frame);
    }
    sheetWidth = std::max(sheetWidth, rowWidth);
    sheetHeight += kLabelHeight + rowHeight + kGap;
  }
  sheetWidth = std::max(sheetWidth, playWidth + kGap);
  const int playTop = sheetHeight + kGap;
  sheetHeight = playTop + 32 * kPlayZoom + 2 * kGap;

  QImage sheet(sheetWidth, sheetHeight, QImage::Format_RGB32);
  sheet.fill(QColor(24, 24, 28));
  QPainter painter(&sheet);
  painter.setPen(QColor(220, 220, 220));
  int y = kGap;
  int playX = kGap;
  for (const auto& row : rows) {
    int x = kGap;
    int rowHeight = 0;
    for (const auto& [name, frame] : row) {
      painter.drawText(QRect(x, y - kGap + 2, frame.width() * kZoom, kLabelHeight),
                       Qt::AlignLeft | Qt::AlignVCenter, name);
      DrawEnlarged(painter, frame, QPoint(x, y + kLabelHeight - kGap + 6));
      x += frame.width() * kZoom + kGap;
      rowHeight = std::max(rowHeight, frame.height() * kZoom);

      const QRect playRect(playX, playTop, frame.width() * kPlayZoom, frame.height() * kPlayZoom);
      painter.fillRect(playRect.adjusted(-2, -2, 2, 2), Qt::black);
      painter.drawImage(playRect, frame);
      playX += playRect.width() + 6;
    }
    y += kLabelHeight + rowHeight + kGap;
  }
  painter.end();

  if (!sheet.save(QString::fromLocal8Bit(argv[2]))) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
