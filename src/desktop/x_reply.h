#pragma once

#include <cstdlib>
#include <memory>

namespace starveil::desktop::x11 {

// A reply from the X server, which xcb leaves to its caller to free.
template <class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

}  // namespace starveil::desktop::x11
