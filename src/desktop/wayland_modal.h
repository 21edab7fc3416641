#pragma once

class QWidget;

namespace starveil::desktop {

// Natively on Wayland, tells a compositor that offers mutter's shell protocol that the box about
// to be shown is a modal dialog: mutter centres only dialogs over their parent window, and places
// any other window where there is room. Call before showing the box; elsewhere it does nothing.
void MarkModalOnWayland(QWidget& box);

}  // namespace starveil::desktop
