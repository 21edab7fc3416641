#include "assets/pictures.h"

#include <QImage>
#include <QString>
#include <stdexcept>
#include <string>

namespace starveil::assets {

namespace {

QString ResourcePath(std::string_view name) {
  const QString base = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  if (name == "title") return ":/title.gif";
  if (name == "pellamy") return ":/pellamy.jpg";
  if (name == "splash") return ":/splash.png";
  return ":/sprites/" + base + ".xpm";
}

}  // namespace

platform::Picture Load(std::string_view name) {
  const QImage image(ResourcePath(name));
  if (image.isNull()) throw std::invalid_argument("no built-in picture " + std::string(name));
  return platform::Picture(image);
}

}  // namespace starveil::assets
