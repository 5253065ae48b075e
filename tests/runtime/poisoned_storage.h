#ifndef TESTS_RUNTIME_POISONED_STORAGE_H_
#define TESTS_RUNTIME_POISONED_STORAGE_H_

#include <cstring>
#include <new>

namespace veneer::test {

// Holds one default-constructed T in its own storage. Destroy runs T's destructor and fills the storage
// with a poison byte: code that goes on using the destroyed object reads poisoned pointers (and
// crashes) or writes into the storage (which StillPoisoned reveals). For objects destroyed by their own
// callbacks.
template <typename T>
class PoisonedStorage {
 public:
  PoisonedStorage() : object_(new (storage_) T) {}
  PoisonedStorage(const PoisonedStorage&) = delete;
  PoisonedStorage& operator=(const PoisonedStorage&) = delete;
  ~PoisonedStorage() {
    if (object_) object_->~T();
  }

  T* get() const { return object_; }
  bool destroyed() const { return object_ == nullptr; }
  void Destroy() {
    T* object = object_;
    object_ = nullptr;
    object->~T();
    std::memset(storage_, kPoison, sizeof(storage_));
  }
  bool StillPoisoned() const {
    for (unsigned char byte : storage_) {
      if (byte != kPoison) return false;
    }
    return true;
  }

 private:
  static constexpr unsigned char kPoison = 0xA5;
  alignas(T) unsigned char storage_[sizeof(T)];
  T* object_;
};

}  // namespace veneer::test

#endif  // TESTS_RUNTIME_POISONED_STORAGE_H_
