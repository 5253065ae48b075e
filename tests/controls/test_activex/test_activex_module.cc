#include "tests/controls/test_activex/test_activex.h"

#include "tests/support/environment_path.h"

namespace veneer::test {

TestActiveX::TestActiveX()
    : path_(EnvironmentPath(L"TESSARO_TEST_ACTIVEX")),
      module_(path_.empty() ? nullptr : LoadLibraryW(path_.c_str())) {}

TestActiveX::~TestActiveX() {
  if (module_) FreeLibrary(module_);
}

std::vector<std::wstring> TestActiveX::Calls() const {
  std::vector<std::wstring> calls;
  const wchar_t* text = Export<const wchar_t* (*)()>("TestActiveXCalls")();
  std::wstring line;
  for (; *text; ++text) {
    if (*text != L'\n') {
      line += *text;
      continue;
    }
    calls.push_back(line);
    line.clear();
  }
  return calls;
}

void TestActiveX::ClearCalls() const { Export<void (*)()>("TestActiveXClearCalls")(); }

IOleClientSite* TestActiveX::ClientSite() const {
  return Export<IOleClientSite* (*)()>("TestActiveXClientSite")();
}

IDispatch* TestActiveX::EventSink() const { return Export<IDispatch* (*)()>("TestActiveXEventSink")(); }

HWND TestActiveX::HostWindow() const { return Export<HWND (*)()>("TestActiveXHostWindow")(); }

}  // namespace veneer::test
