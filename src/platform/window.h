#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "desktop/centring.h"
#include "platform/surface.h"

class QEventLoop;

namespace starveil::platform {

class Clock;
class Picture;
class Rest;
class Timer;

// A top-level window built from lightweight controls, windowed controls and timers.
// Its life: created, loaded (Form_Load runs, its timers start), shown, unloaded (timers stop).
class Window : public Surface {
 public:
  Window();
  ~Window() override;

  void Load();       // runs Form_Load once
  void Show();       // loads first if need be
  void ShowModal();  // loads and shows, and returns only once the window has been unloaded
  // Runs Form_Unload, stops the timers and takes the window off the screen: natively on Wayland,
  // once its last frame has been answered.
  void Unload();

  // Lets the timers sleep whenever `atRest` holds after a tick: no tick can then change what the
  // window shows until the player acts. The ticks skipped meanwhile run, timed by `clock`, before
  // the player's next input is handled.
  void RestWhile(Clock& clock, std::function<bool()> atRest);

  bool IsLoaded() const { return state_ == State::kLoaded; }
  bool IsUnloaded() const { return state_ == State::kUnloaded; }

  // A window's width is its client width; its height is the outer height, caption and borders
  // included, of which the client area gets all but a fixed allowance.
  float Width() const;
  float Height() const;
  void SetClientSize(float widthTwips, float heightTwips);
  void SetHeight(float outerTwips);

  void SetCaption(const std::string& caption);
  void SetIcon(const Picture& picture);

  // A fixed single border has a title bar with a close button only: where the game draws title
  // bars itself, the window is put in a frame of the game's own.
  enum class Border { kNone, kFixedSingle };
  void SetBorder(Border border);

 protected:
  virtual void Form_Load() {}
  virtual void Form_Unload() {}
  virtual void Form_Click() {}
  virtual void Form_KeyDown(std::int16_t /*keyCode*/, std::int16_t /*shift*/) {}

  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  friend class Timer;
  void Adopt(Timer& timer);
  void Release(Timer& timer);
  void SyncTimers();
  void AfterTick();
  void Present();

  enum class State { kCreated, kLoaded, kUnloaded };
  State state_ = State::kCreated;
  std::vector<Timer*> timers_;
  std::unique_ptr<Rest> rest_;
  std::unique_ptr<QWidget> frame_;
  QEventLoop* modalLoop_ = nullptr;
  bool centred_ = false;
  desktop::FrameCentring centring_{*this};
  bool clickStarted_ = false;
  bool painted_ = false;
};

}  // namespace starveil::platform
