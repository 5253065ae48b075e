#ifndef UI_CORE_COM_PTR_H_
#define UI_CORE_COM_PTR_H_

#include <unknwn.h>

namespace veneer {

// Owns one reference to a COM interface and releases it when destroyed, reset or assigned over.
// Movable, not copyable; a null pointer is never released. Not synchronised: one owner at a time, on
// the thread (apartment) the interface belongs to.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over the one reference that `owned` carries (from a creating call); null holds nothing.
  explicit ComPtr(Interface* owned) : pointer_(owned) {}
  ComPtr(ComPtr&& other) noexcept : pointer_(other.pointer_) { other.pointer_ = nullptr; }
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      pointer_ = other.pointer_;
      other.pointer_ = nullptr;
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { reset(); }

  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  void reset() {
    if (pointer_) pointer_->Release();
    pointer_ = nullptr;
  }
  // Releases the held reference and returns where a creating call (CoCreateInstance, QueryInterface)
  // may store a new one, as the untyped out-parameter those calls take.
  void** receive() {
    reset();
    return reinterpret_cast<void**>(&pointer_);
  }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace veneer

#endif  // UI_CORE_COM_PTR_H_
