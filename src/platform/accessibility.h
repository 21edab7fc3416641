#pragma once

#include <functional>

class QAccessibleEvent;

// Lightweight controls have no widget of their own, so a screen reader sees them only through
// their surface: each named control is an accessible child of the surface it lies on.
namespace starveil::platform {

class Surface;

// Makes every surface expose its named controls; once is enough, more calls do nothing.
void InstallAccessibility();

// Tells assistive technology about every named control on `surface` whose reading has changed
// since it was last told. Without a screen reader listening it does nothing.
void AnnounceChangedReadings(Surface& surface);

// Hands changed readings to `listener` in place of the platform's screen reader bridge, which a
// headless platform lacks; a test listens so. An empty listener gives them back to the bridge.
void ListenToReadings(std::function<void(QAccessibleEvent&)> listener);

}  // namespace starveil::platform
