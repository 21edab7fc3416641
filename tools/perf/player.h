// The measuring tool's player: plays a program's window through the keys, as a player would.
#pragma once

#include <xcb/xcb.h>

#include <QString>
#include <chrono>
#include <vector>

#include "program_run.h"
#include "x_desktop.h"

namespace starveil::perf {

// Plays one program's window through the keys alone, as a player at the keyboard would: Space on
// the Start button, which has the focus when the window opens, the arrows and Space while it
// plays, Return on a message box and then Shift+Tab and Space, back from the hidden text box to
// Start.
class Player {
 public:
  Player(xdrive::XDesktop& x, ProgramRun& run);

  // Waits for the window played; false if it did not show.
  bool FindWindow();
  // Brings the window to the front with the focus, and starts it playing if it has not been.
  void TakeFocus();
  // Sweeps the cannon left and right, firing at every fourth step, 25 keys a second, for `span`.
  void PlayFor(std::chrono::milliseconds span);
  // Leaves the cannon still until the program shows a message box, then answers it without
  // starting again; false if none showed within `patience`.
  bool LoseAGame(std::chrono::milliseconds patience);
  // Presses Left and Right in turn, each timed from the press to the first moment the window has
  // drawn the whole of the cannon's new place, in milliseconds.
  std::vector<double> KeyToScreenMs(const QString& display, int presses);

  int BoxesAnswered() const { return boxes_; }
  // Presses the window drew no answer to in half a second, and presses answered by something else
  // drawn in the cannon's new place, which are left out of the times.
  int Unseen() const { return unseen_; }
  int Spoilt() const { return spoilt_; }

 private:
  // One key, unless a message box has taken the focus: then the box is answered and the program
  // started again, in place of the key.
  void Press(const char* key);
  bool AnswerAnyBox();
  void Start();

  xdrive::XDesktop& x_;
  ProgramRun& run_;
  xcb_window_t window_ = XCB_WINDOW_NONE;
  bool started_ = false;
  int boxes_ = 0;
  int unseen_ = 0;
  int spoilt_ = 0;
};

}  // namespace starveil::perf
