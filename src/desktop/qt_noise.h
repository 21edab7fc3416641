#pragma once

#include <QString>
#include <QtGlobal>
#include <string_view>

namespace starveil::desktop {

// Leaves out of the game's output the warnings Qt writes about its own workings, which tell a
// player nothing, and passes every other line on. Call it before the application object is made.
void LeaveOutQtNoise();

// Whether a line Qt writes, in its logging category, is such a warning.
bool IsQtNoise(QtMsgType type, std::string_view category, const QString& message);

}  // namespace starveil::desktop
