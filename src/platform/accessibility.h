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

// Makes every surface expose its named controls; once is enough, more calls do nothing.
void InstallAccessibility();

// Tells assistive technology about every named control on `surface` whose reading has changed
// since it was last told. Without a screen reader listening it does nothing.
void AnnounceChangedReadings(Surface& surface);

// Has the screen reader speak `news` of the game on `surface`, if one listens. The news waits
// until no clock pause holds the game: a screen reader that asks the game about the news while
// it cannot answer gives up on it.
void Announce(Surface& surface, const std::string& news);

// Hands changed readings and news to `listener` in place of the platform's screen reader bridge,
// which a headless platform lacks; a test listens so. An empty listener gives them back to the
// bridge.
void ListenToReadings(std::function<void(QAccessibleEvent&)> listener);

}  // namespace starveil::platform
