#include "pointer.h"

#include "kwin_keyboard.h"
#include "kwin_pointer.h"
#include "mutter_keyboard.h"
#include "mutter_pointer.h"

namespace starveil::xdrive {

void Pointer::ClickAt(QPoint at) {
  MoveTo(at);
  Button(true);
  Button(false);
}

std::unique_ptr<Pointer> SessionPointer(Keyboard& keyboard) {
  if (auto* mutter = dynamic_cast<MutterKeyboard*>(&keyboard))
    return std::make_unique<MutterPointer>(mutter->Session());
  if (auto* kwin = dynamic_cast<KWinKeyboard*>(&keyboard))
    return std::make_unique<KWinPointer>(kwin->Display(), kwin->FakeInput());
  return nullptr;
}

}  // namespace starveil::xdrive
