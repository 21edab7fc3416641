#include "support/game_window.h"

#include <QTest>

namespace starveil::testing {

GameWindow::GameWindow(platform::ScreenReaderBridge screenReader) {
  auto ownedClock = std::make_unique<ScriptedClock>();
  auto ownedRandom = std::make_unique<ScriptedRandom>();
  auto ownedBox = std::make_unique<HeldMessageBox>();
  clock = ownedClock.get();
  random = ownedRandom.get();
  msgBox = ownedBox.get();
  frm = std::make_unique<frmMain>(Seams{std::move(ownedClock), std::move(ownedRandom),
                                        std::move(ownedBox), std::move(screenReader)});
  frm->Load();
}

GameWindow::~GameWindow() = default;

void PressKey(frmMain& frm, int qtKey, Qt::KeyboardModifiers modifiers) {
  QWidget* target = frm.focusWidget();
  if (!target) target = &frm;
  QTest::keyClick(target, static_cast<Qt::Key>(qtKey), modifiers);
}

}  // namespace starveil::testing
