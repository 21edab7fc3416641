#include "cannon_recorder.h"

#include <QImage>
#include <algorithm>
#include <chrono>

#include "assets/pictures.h"
#include "platform/picture.h"

namespace starveil::display {

using game::kCannonPicture;
using game::kCannonPx;

namespace {
constexpr int kRecordEveryMs = 3;  // many grabs to each 0.1 s explosion frame
}  // namespace

Recorder::Recorder(const QString& display, xcb_window_t game) : x_(display), game_(game) {
  for (int frame = 0; frame <= kCannonPicture; ++frame) {
    const QImage picture =
        assets::Load("se" + std::to_string(frame)).Image().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < kCannonPx; ++y) {
      for (int x = 0; x < kCannonPx; ++x) {
        const QRgb pixel = picture.pixel(x, y);
        // Drawn over the playfield's black.
        pictures_[frame].push_back(qAlpha(pixel) == 0 ? 0 : pixel & RGB_MASK);
      }
    }
  }
}

Recorder::~Recorder() {
  Stop();
}

void Recorder::Aim(QPoint cannon) {
  const std::lock_guard lock(mutex_);
  box_ = QRect(cannon, QSize(kCannonPx, kCannonPx));
  if (!thread_.joinable()) thread_ = std::thread([this] { Record(); });
}

void Recorder::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

std::vector<int> Recorder::Frames() {
  const std::lock_guard lock(mutex_);
  return frames_;
}

void Recorder::Record() {
  while (!stop_) {
    QRect box;
    {
      const std::lock_guard lock(mutex_);
      box = box_;
    }
    const std::vector<QRgb> shown = x_.Pixels(game_, box);
    const auto match = std::ranges::find(pictures_, shown);
    if (match != pictures_.end()) {
      const auto frame = static_cast<int>(match - pictures_.begin());
      const std::lock_guard lock(mutex_);
      if (frames_.empty() || frames_.back() != frame) frames_.push_back(frame);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(kRecordEveryMs));
  }
}

std::vector<std::vector<int>> Losses(const std::vector<int>& frames) {
  std::vector<std::vector<int>> losses(1);
  for (const int frame : frames) {
    if (frame != kCannonPicture) {
      losses.back().push_back(frame);
    } else if (!losses.back().empty()) {
      losses.emplace_back();
    }
  }
  if (losses.back().empty()) losses.pop_back();
  return losses;
}

std::string Describe(const std::vector<std::vector<int>>& losses) {
  std::string text;
  for (const std::vector<int>& loss : losses) {
    text += " [";
    for (const int frame : loss)
      text += std::to_string(frame);
    text += "]";
  }
  return text.empty() ? " none" : text;
}

}  // namespace starveil::display
