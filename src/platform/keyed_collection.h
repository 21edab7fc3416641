#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace starveil::platform {

// An ordered list with 1-based positions whose entries may carry a text key.
template <class T>
class KeyedCollection {
 public:
  void Add(T item, std::string key = {}) {
    if (!key.empty() && Find(key) != kNotFound) {
      throw std::invalid_argument("key already in the collection: " + key);
    }
    entries_.push_back({std::move(key), std::move(item)});
  }

  int Count() const { return static_cast<int>(entries_.size()); }

  const T& Item(int position) const {
    if (position < 1 || position > Count()) throw std::out_of_range("no entry at that position");
    return entries_[position - 1].item;
  }

  const T& Item(std::string_view key) const {
    const auto index = Find(key);
    if (index == kNotFound) throw std::out_of_range("no entry under that key");
    return entries_[index].item;
  }

 private:
  struct Entry {
    std::string key;
    T item;
  };
  static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

  // A row holds a dozen entries, so a straight scan beats any index.
  std::size_t Find(std::string_view key) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i].key == key) return i;
    }
    return kNotFound;
  }

  std::vector<Entry> entries_;
};

}  // namespace starveil::platform
