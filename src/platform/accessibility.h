#pragma once

#include <functional>
#include <string>

class QAccessibleEvent;

// Lightweight controls have no widget of their own, so a screen reader sees them only through
// their surface: each named control is an accessible child of the surface it lies on.
namespace starveil::platform {

class Surface;

// Lets a screen reader find the game whenever it starts, before the game or after it: otherwise
// Qt looks for one only as the program starts. Call it before the application object is made.
void OpenToScreenReaders();

// Where assistive technology hears what the game tells it: the platform's screen reader bridge,
// or, on a headless platform, a test listening in its place.
using ScreenReaderBridge = std::function<void(QAccessibleEvent&)>;

// Makes every surface expose its named controls, and has `surface` tell assistive technology of
// each reading that changes, through `bridge`; an empty one is the platform's own.
void MakeAccessible(Surface& surface, ScreenReaderBridge bridge = {});

// Has the screen reader speak `news` of the game on `surface`, if one listens. The news waits
// until no clock pause holds the game: a screen reader that asks the game about the news while
// it cannot answer gives up on it.
void Announce(Surface& surface, const std::string& news);

}  // namespace starveil::platform
