// Finding the game's pictures in what a window shows.
#pragma once

#include <QImage>
#include <QPoint>
#include <optional>

namespace starveil::xdrive {

// Where `picture` shows whole in `shot`: its top-left corner, the first found row by row. Every
// opaque pixel of the picture must show in its colour; its transparent ones may show anything.
std::optional<QPoint> FindPicture(const QImage& shot, const QImage& picture);

// The game's cannon as it stands when no rocket has hit it; its yardsticks show the same picture.
const QImage& CannonPicture();

}  // namespace starveil::xdrive
