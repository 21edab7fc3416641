#pragma once

#include <string_view>

#include "platform/picture.h"

namespace starveil::assets {

// Loads one of the built-in pictures by name: a sprite frame ("a0" to "d4", "r0", "r1", "r3",
// "mi0", "mi1", "se0" to "se8") or a logo ("title", "pellamy", "splash"). Every call gives a new,
// separate picture; to share one, hand the returned picture on.
platform::Picture Load(std::string_view name);

}  // namespace starveil::assets
