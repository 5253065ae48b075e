// config_fetch_probe.exe: starts up as the installer does as far as the configuration client goes
// (host from the build, catalogue name from its own file name), runs both fetches and waits for both
// hand-overs. Tests copy it under other file names ("My App.exe") and read the server's log to see
// what a renamed program asks for. Prints the two body lengths; exit code 0 when both arrived.

#include <windows.h>

#include <cstdio>

#include "app/config_client.h"
#include "app/config_identity.h"
#include "tests/app/hand_over_recorder.h"
#include "ui/core/win_handles.h"

int main() {
  tessaro::ConfigHost = tessaro::kBuiltConfigHost;
  tessaro::GoodsName = tessaro::ModuleGoodsName();
  tessaro::test::HandOverRecorder recorder;
  for (LPTHREAD_START_ROUTINE procedure : {tessaro::FetchGlobalConfig, tessaro::FetchGoodsConfig}) {
    const veneer::ScopedKernelHandle thread(CreateThread(nullptr, 0, procedure, recorder.hwnd(), 0, nullptr));
    if (!thread) return 2;
  }
  const bool both = recorder.WaitForBoth(1, 20000);
  printf("\nglobal %d bytes, goods %d bytes\n", static_cast<int>(recorder.global().body.size()),
         static_cast<int>(recorder.goods().body.size()));
  return both ? 0 : 1;
}
