#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>

namespace starveil::platform {

class Surface;

// An indexed group of controls of one name, X(0), X(1), ... Elements made at run time are hidden
// copies of the lowest-indexed element and live as long as the array.
template <class T>
class ControlArray {
 public:
  // Places a design-time element.
  T& Design(int index, Surface& surface) { return Put(index, std::make_unique<T>(surface)); }

  // Creates element `index` as a hidden copy of the lowest-indexed element.
  T& Load(int index) {
    if (elements_.empty()) throw std::logic_error("a control array needs an element to copy");
    return Put(index, elements_.begin()->second->HiddenCopy());
  }

  T& operator[](int index) const {
    auto it = elements_.find(index);
    if (it == elements_.end()) throw std::out_of_range("no element " + std::to_string(index));
    return *it->second;
  }

  bool Contains(int index) const { return elements_.contains(index); }
  int LBound() const { return elements_.begin()->first; }
  int UBound() const { return elements_.rbegin()->first; }
  int Count() const { return static_cast<int>(elements_.size()); }

 private:
  T& Put(int index, std::unique_ptr<T> element) {
    auto [it, added] = elements_.try_emplace(index, std::move(element));
    if (!added) throw std::logic_error("element " + std::to_string(index) + " already exists");
    return *it->second;
  }

  std::map<int, std::unique_ptr<T>> elements_;
};

}  // namespace starveil::platform
