#ifndef TESTS_CONTROLS_TEST_ACTIVEX_TEST_ACTIVEX_H_
#define TESTS_CONTROLS_TEST_ACTIVEX_TEST_ACTIVEX_H_

#include <windows.h>

#include <ocidl.h>

#include <string>
#include <vector>

namespace veneer::test {

// The class ids of the test ActiveX control (test_activex.cc): one asks for its client site before
// initialisation, the other after.
inline constexpr wchar_t kSiteFirstClassText[] = L"{5C1E7F3A-9B2D-4E61-8A47-2F0D3C9B6E15}";
inline constexpr wchar_t kInitFirstClassText[] = L"{5C1E7F3A-9B2D-4E61-8A47-2F0D3C9B6E16}";

// The test control's module, loaded by its path in the environment variable TESSARO_TEST_ACTIVEX, and
// what it recorded. The module stays loaded while this object lives (the control under test loads it
// too). UI thread only.
class TestActiveX {
 public:
  TestActiveX();
  TestActiveX(const TestActiveX&) = delete;
  TestActiveX& operator=(const TestActiveX&) = delete;
  ~TestActiveX();

  bool IsLoaded() const { return module_ != nullptr; }
  const std::wstring& path() const { return path_; }
  // The calls recorded since the last ClearCalls, in order.
  std::vector<std::wstring> Calls() const;
  void ClearCalls() const;
  // What the last object holds (not AddRef'd), or null.
  IOleClientSite* ClientSite() const;
  IDispatch* EventSink() const;
  HWND HostWindow() const;

 private:
  template <typename Function>
  Function Export(const char* name) const {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

  std::wstring path_;
  HMODULE module_ = nullptr;
};

}  // namespace veneer::test

#endif  // TESTS_CONTROLS_TEST_ACTIVEX_TEST_ACTIVEX_H_
