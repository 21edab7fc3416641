#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QProcess>
#include <QString>
#include <set>

#include "window/frm_main.h"

namespace starveil {
namespace {

const QDir kStage(STARVEIL_STAGE);
const QString kAppId = STARVEIL_APP_ID;

QString DesktopEntryPath() {
  return kStage.filePath("share/applications/" + kAppId + ".desktop");
}

// The desktop entry's keys as a plain key=value reading gives them; none of ours is localised.
QString EntryValue(const QString& key) {
  QFile file(DesktopEntryPath());
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  bool inEntry = false;
  while (!file.atEnd()) {
    const QString line = QString::fromUtf8(file.readLine()).trimmed();
    if (line.startsWith('[')) inEntry = line == "[Desktop Entry]";
    if (inEntry && line.startsWith(key + "=")) return line.mid(key.size() + 1);
  }
  return {};
}

// Every fully transparent pixel counts as one colour, whatever its RGB happens to be.
std::set<QRgb> Colours(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  std::set<QRgb> colours;
  for (int y = 0; y < argb.height(); ++y)
    for (int x = 0; x < argb.width(); ++x) {
      const QRgb pixel = argb.pixel(x, y);
      colours.insert(qAlpha(pixel) == 0 ? 0 : pixel);
    }
  return colours;
}

QImage WindowIcon() {
  const frmMain window;
  const QIcon icon = window.windowIcon();
  return icon.pixmap(icon.availableSizes().last()).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage InstalledIcon(int side) {
  return QImage(kStage.filePath(
      QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(side).arg(kAppId)));
}

TEST(DesktopEntry, StartsTheInstalledGameUnderItsIconAsAnArcadeGame) {
  ASSERT_TRUE(QFile::exists(DesktopEntryPath()));
  EXPECT_EQ(EntryValue("Type"), "Application");
  EXPECT_EQ(EntryValue("Name"), "Starveil");
  EXPECT_EQ(EntryValue("Icon"), kAppId);

  // The entry names the program by its full path, where Debian puts games, so no PATH need hold it.
  const QStringList command = QProcess::splitCommand(EntryValue("Exec"));
  ASSERT_EQ(command.size(), 1) << EntryValue("Exec").toStdString();
  const QFileInfo program(command.first());
  EXPECT_EQ(program.filePath(), kStage.filePath("games/starveil"));
  EXPECT_TRUE(program.isFile() && program.isExecutable()) << program.filePath().toStdString();

  const QStringList categories = EntryValue("Categories").split(';', Qt::SkipEmptyParts);
  EXPECT_TRUE(categories.contains("Game"));
  EXPECT_TRUE(categories.contains("ArcadeGame"));
}

TEST(DesktopIcons, ComeAtEverySizeInTheWindowIconsOwnColoursOnly) {
  const std::set<QRgb> source = Colours(WindowIcon());
  for (int side : {16, 24, 32, 48, 64, 128, 256, 512}) {
    SCOPED_TRACE(side);
    const QImage icon = InstalledIcon(side);
    ASSERT_EQ(icon.size(), QSize(side, side));
    const std::set<QRgb> colours = Colours(icon);
    for (QRgb colour : colours)
      EXPECT_TRUE(source.contains(colour)) << std::hex << colour;
    EXPECT_GT(colours.size(), 1u) << "a blank icon";
  }
}

// At a whole multiple each source pixel becomes one square block of its own colour.
TEST(DesktopIcons, BlowThePictureUpInSquareBlocks) {
  const QImage source = WindowIcon();
  const QImage icon = InstalledIcon(256).convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(source.size(), QSize(16, 16));
  for (int y = 0; y < icon.height(); ++y)
    for (int x = 0; x < icon.width(); ++x) {
      const QRgb want = source.pixel(x / 16, y / 16);
      const QRgb got = icon.pixel(x, y);
      if (qAlpha(want) == 0 && qAlpha(got) == 0) continue;
      ASSERT_EQ(got, want) << "at " << x << "," << y;
    }
}

}  // namespace
}  // namespace starveil
