#pragma once
// A stack that keeps only its newest entries: pushing onto a full stack drops
// the oldest one. The snapshot history's back and forward stacks use it.

#include <cstddef>
#include <deque>
#include <stdexcept>
#include <utility>

namespace kt {

template <typename T>
class limited_stack {
 public:
  using value_type = T;
  using size_type = std::size_t;

  explicit limited_stack(size_type capacity) : m_capacity(capacity) {}

  // Pushes value; when the stack already holds capacity() entries the oldest
  // (the bottom) is dropped. A stack of capacity 0 stays empty.
  void push(T value) {
    if (m_capacity == 0) return;
    if (m_items.size() == m_capacity) m_items.pop_front();
    m_items.push_back(std::move(value));
  }

  // The newest entry. Throws std::out_of_range on an empty stack.
  T& top() {
    if (m_items.empty()) throw std::out_of_range("kt::limited_stack::top on an empty stack");
    return m_items.back();
  }
  T const& top() const {
    if (m_items.empty()) throw std::out_of_range("kt::limited_stack::top on an empty stack");
    return m_items.back();
  }

  // Removes the newest entry; does nothing on an empty stack.
  void pop() {
    if (!m_items.empty()) m_items.pop_back();
  }

  bool empty() const noexcept { return m_items.empty(); }
  size_type size() const noexcept { return m_items.size(); }
  size_type capacity() const noexcept { return m_capacity; }
  void clear() noexcept { m_items.clear(); }

 private:
  std::deque<T> m_items;  // front = oldest, back = newest
  size_type m_capacity;
};

}  // namespace kt
