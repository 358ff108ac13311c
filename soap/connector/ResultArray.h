// The block a connector operation hands its results back in: it owns its
// elements and knows how many it holds, and it is always allocated, even
// empty, so a caller never has to tell "no results" from "no array".
// Moving one leaves the source as a valid empty array.
#pragma once

#include <cstddef>
#include <memory>
#include <utility>

namespace soap {

template <typename T>
class ResultArray {
 public:
  ResultArray() : items_(std::make_unique<T[]>(0)) {}
  // Room for `capacity` elements, none of them filled yet.
  explicit ResultArray(std::size_t capacity)
      : items_(std::make_unique<T[]>(capacity)), capacity_(capacity) {}

  ResultArray(ResultArray&& other) noexcept : ResultArray() { Swap(other); }
  ResultArray& operator=(ResultArray&& other) noexcept {
    ResultArray taken(std::move(other));
    Swap(taken);
    return *this;
  }
  ResultArray(const ResultArray&) = delete;
  ResultArray& operator=(const ResultArray&) = delete;

  // The filled elements, which is what the operation's count says.
  int Count() const { return static_cast<int>(count_); }
  bool Empty() const { return count_ == 0; }
  bool IsAllocated() const { return items_ != nullptr; }

  T& operator[](std::size_t index) { return items_[index]; }
  const T& operator[](std::size_t index) const { return items_[index]; }
  T* begin() { return items_.get(); }
  T* end() { return items_.get() + count_; }
  const T* begin() const { return items_.get(); }
  const T* end() const { return items_.get() + count_; }

  // Fills the next element; false once the allocated room is used up.
  bool Append(T value) {
    if (count_ == capacity_) return false;
    items_[count_++] = std::move(value);
    return true;
  }

 private:
  void Swap(ResultArray& other) noexcept {
    std::swap(items_, other.items_);
    std::swap(capacity_, other.capacity_);
    std::swap(count_, other.count_);
  }

  std::unique_ptr<T[]> items_;
  std::size_t capacity_ = 0;
  std::size_t count_ = 0;
};

}  // namespace soap
