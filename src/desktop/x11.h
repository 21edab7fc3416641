#pragma once

#include <xcb/xcb.h>

#include <QMargins>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// Reads of the X server's window properties, by which window managers say what they do, and the
// messages by which they are asked to do it.
namespace starveil::desktop::x11 {

xcb_atom_t Atom(xcb_connection_t* x, const char* name);

// A property of 32-bit values; empty when the window or the property is missing.
std::vector<std::uint32_t> Property(xcb_connection_t* x, xcb_window_t window, xcb_atom_t name,
                                    xcb_atom_t type);

// A manager runs when the root names a check window that names itself; a manager that has died
// may leave the root's properties behind, but not its window.
bool ManagerRunning(xcb_connection_t* x, xcb_window_t root);

// Sends the manager a request about `window`, such as _NET_ACTIVE_WINDOW, with its first values.
void AskManager(xcb_connection_t* x, xcb_window_t root, xcb_window_t window, const char* request,
                std::array<std::uint32_t, 2> values = {});

// The window's ancestor among the root's children: the frame window a manager puts it in, or the
// window itself where none does. None where the window has gone.
xcb_window_t TopLevel(xcb_connection_t* x, xcb_window_t window);

// A frame window smaller than the window it holds is still being made: KWin maps its frame window
// at 1x1 and sizes it a moment later.
bool FrameBeingMade(xcb_connection_t* x, xcb_window_t window);

// The frame drawn around a top-level window, in the server's pixels: what its top-level ancestor,
// the frame window a manager puts it in, adds on each side, less the invisible edges a frame drawn
// by a GTK program declares (_GTK_FRAME_EXTENTS), where shadows and resize handles go. Empty
// where the window is its own top level, where the frame window adds nothing to it (KWin 6 draws
// its frames itself, off X), where the frame is still being made, and where the window has gone.
std::optional<QMargins> DrawnFrame(xcb_connection_t* x, xcb_window_t window);

}  // namespace starveil::desktop::x11
