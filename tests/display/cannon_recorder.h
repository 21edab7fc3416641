// The cannon's pictures as the X server shows them through a game, watched from a thread of its
// own many times in each explosion frame.
#pragma once

#include <xcb/xcb.h>

#include <QImage>
#include <QRect>
#include <QString>
#include <array>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "game/facts.h"
#include "x_desktop.h"

namespace starveil::display {

// Watches the cannon's box on the screen from a thread of its own, many times in each explosion
// frame, and notes every change to another of the cannon's pictures shown whole: SE(0) to SE(8),
// by index. A rocket crossing the box hides the picture and is passed over.
class Recorder {
 public:
  Recorder(const QString& display, xcb_window_t game);
  ~Recorder();

  void Aim(QPoint cannon);
  void Stop();
  std::vector<int> Frames();

 private:
  void Record();

  xdrive::XDesktop x_;
  xcb_window_t game_;
  std::array<std::vector<QRgb>, game::kCannonPicture + 1> pictures_;
  std::mutex mutex_;
  QRect box_;
  std::vector<int> frames_;
  std::atomic<bool> stop_ = false;
  std::thread thread_;
};

// The explosion frames of each loss, in the order seen: the runs between the cannon's own picture.
std::vector<std::vector<int>> Losses(const std::vector<int>& frames);

std::string Describe(const std::vector<std::vector<int>>& losses);

}  // namespace starveil::display
