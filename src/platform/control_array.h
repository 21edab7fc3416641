#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace starveil::platform {

class Surface;

// An indexed group of controls of one name, X(0), X(1), ... Elements made at run time are hidden
// copies of the lowest-indexed element and live as long as the array.
template <class T>
class ControlArray {
 public:
  static constexpr int kHighestIndex = 32767;

  // Places a design-time element.
  T& Design(int index, Surface& surface) { return Put(index, std::make_unique<T>(surface)); }

  // Creates element `index` as a hidden copy of the lowest-indexed element.
  T& Load(int index) {
    if (count_ == 0) throw std::logic_error("a control array needs an element to copy");
    return Put(index, (*this)[LBound()].HiddenCopy());
  }

  // The rules index their pools on every tick, so an element is found by its place, not looked up.
  T& operator[](int index) const {
    if (!Contains(index)) throw std::out_of_range("no element " + std::to_string(index));
    return *elements_[static_cast<std::size_t>(index)];
  }

  bool Contains(int index) const {
    return index >= 0 && index < static_cast<int>(elements_.size()) &&
           elements_[static_cast<std::size_t>(index)] != nullptr;
  }
  int LBound() const {
    int index = 0;
    while (index < UBound() && !Contains(index))
      ++index;
    return index;
  }
  int UBound() const { return static_cast<int>(elements_.size()) - 1; }
  int Count() const { return count_; }

 private:
  T& Put(int index, std::unique_ptr<T> element) {
    if (index < 0 || index > kHighestIndex) {
      throw std::out_of_range("no element can have index " + std::to_string(index));
    }
    if (Contains(index))
      throw std::logic_error("element " + std::to_string(index) + " already exists");
    if (index >= static_cast<int>(elements_.size()))
      elements_.resize(static_cast<std::size_t>(index) + 1);
    elements_[static_cast<std::size_t>(index)] = std::move(element);
    ++count_;
    return *elements_[static_cast<std::size_t>(index)];
  }

  std::vector<std::unique_ptr<T>> elements_;  // by index, empty where there is no element
  int count_ = 0;
};

}  // namespace starveil::platform
