#pragma once
// An owning COM reference: assignment takes a reference on the new object and releases the old.

#include <unknwn.h>

#include <utility>

namespace corvane {

template <class T>
class ComRef {
 public:
  ComRef() = default;
  ComRef(T* object) : object_(object) {  // NOLINT(google-explicit-constructor): takes a reference
    if (object_) object_->AddRef();
  }
  ComRef(const ComRef& other) : ComRef(other.object_) {}
  ComRef(ComRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComRef& operator=(ComRef other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ~ComRef() { Reset(); }

  // Takes over a reference the caller already owns (a fresh object, or an out-parameter's).
  static ComRef Adopt(T* object) {
    ComRef result;
    result.object_ = object;
    return result;
  }

  void Reset() {
    if (T* old = std::exchange(object_, nullptr)) old->Release();
  }

  // For out-parameters: releases what is held and lends the slot to receive a new reference.
  T** Put() {
    Reset();
    return &object_;
  }

  T* get() const { return object_; }
  T* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  T* object_ = nullptr;
};

// Releases CoTaskMemAlloc'd text handed out by COM calls.
class CoTaskText {
 public:
  CoTaskText() = default;
  CoTaskText(const CoTaskText&) = delete;
  CoTaskText& operator=(const CoTaskText&) = delete;
  ~CoTaskText() { CoTaskMemFree(text_); }

  LPWSTR* Put() {
    CoTaskMemFree(text_);
    text_ = nullptr;
    return &text_;
  }
  const wchar_t* get() const { return text_; }
  explicit operator bool() const { return text_ != nullptr; }

 private:
  LPWSTR text_ = nullptr;
};

}  // namespace corvane
