#ifndef UI_CORE_SCOPED_VARIANT_H_
#define UI_CORE_SCOPED_VARIANT_H_

#include <windows.h>

#include <oleauto.h>

namespace veneer {

// Owns one automation string (BSTR) and frees it with SysFreeString when destroyed. A null string is
// never freed. Not copyable; one owner, on one thread.
class ScopedBstr {
 public:
  ScopedBstr() = default;
  explicit ScopedBstr(const wchar_t* text) : bstr_(text ? SysAllocString(text) : nullptr) {}
  ScopedBstr(const ScopedBstr&) = delete;
  ScopedBstr& operator=(const ScopedBstr&) = delete;
  ~ScopedBstr() { SysFreeString(bstr_); }

  BSTR get() const { return bstr_; }

 private:
  BSTR bstr_ = nullptr;
};

// Owns one VARIANT: VT_EMPTY when made, cleared (VariantClear, which frees a string it holds and
// releases an interface) when destroyed. Not copyable; one owner, on one thread.
class ScopedVariant {
 public:
  ScopedVariant() { VariantInit(&value_); }
  // A VT_BSTR variant holding a copy of `text`; VT_EMPTY when the copy could not be made.
  explicit ScopedVariant(const wchar_t* text) : ScopedVariant() {
    value_.bstrVal = SysAllocString(text);
    if (value_.bstrVal) value_.vt = VT_BSTR;
  }
  ScopedVariant(const ScopedVariant&) = delete;
  ScopedVariant& operator=(const ScopedVariant&) = delete;
  ~ScopedVariant() { VariantClear(&value_); }

  VARIANT* get() { return &value_; }
  const VARIANT& value() const { return value_; }

 private:
  VARIANT value_;
};

}  // namespace veneer

#endif  // UI_CORE_SCOPED_VARIANT_H_
