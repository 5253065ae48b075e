#include "app/config_client.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/config_identity.h"
#include "tests/app/hand_over_recorder.h"
#include "tests/app/server_log.h"
#include "tests/app/stdout_capture.h"
#include "tests/app/test_documents.h"
#include "tests/support/message_pump.h"
#include "tests/support/temp_files.h"
#include "ui/core/win_handles.h"

// These tests talk to the local configuration server on 127.0.0.1:443 that CTest starts around them
// (tests/app/CMakeLists.txt); its products and faults are in tests/app/config_server/.

namespace tessaro::test {
namespace {

constexpr DWORD kHandOverTimeoutMs = 15000;

std::string GlobalRequestLine(const std::string& query_name) {
  return "GET /installer/config/global?name=" + query_name + "&os=windows HTTP/1.1";
}

std::string GoodsRequestLine(const std::string& query_name) {
  return "GET /installer/config/goods?name=" + query_name + "&os=windows HTTP/1.1";
}

std::vector<std::string> Sorted(std::vector<std::string> lines) {
  std::sort(lines.begin(), lines.end());
  return lines;
}

// Runs the fetch threads as the main window starts them (handles closed at once) against the local
// server, with `recorder` standing in for the main window.
class ConfigFetchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(ReadServedDocument("tessaro_test", "global").empty())
        << "TESSARO_CONFIG_DOCUMENTS is not set";
    ConfigHost = L"localhost";
  }

  void StartFetch(LPTHREAD_START_ROUTINE procedure) {
    const veneer::ScopedKernelHandle thread(
        CreateThread(nullptr, 0, procedure, recorder_.hwnd(), 0, nullptr));
    ASSERT_NE(thread.get(), nullptr);
  }

  void FetchBoth(const wchar_t* goods_name) {
    GoodsName = goods_name;
    start_ms_ = GetTickCount64();
    StartFetch(FetchGlobalConfig);
    StartFetch(FetchGoodsConfig);
    ASSERT_TRUE(recorder_.WaitForBoth(1, kHandOverTimeoutMs));
  }

  void FetchGlobal(const wchar_t* goods_name) {
    GoodsName = goods_name;
    start_ms_ = GetTickCount64();
    StartFetch(FetchGlobalConfig);
    ASSERT_TRUE(recorder_.WaitForGlobal(kHandOverTimeoutMs));
  }

  ULONGLONG start_ms_ = 0;
  HandOverRecorder recorder_;
};

TEST_F(ConfigFetchTest, GoodRepliesAreHandedOverWholeAndTheServerSeesBothPaths) {
  ServerLog log;
  FetchBoth(L"tessaro_test");
  const std::string global = ReadServedDocument("tessaro_test", "global");
  const std::string goods = ReadServedDocument("tessaro_test", "goods");
  EXPECT_EQ(recorder_.global().body, global);
  EXPECT_EQ(recorder_.global().length, static_cast<LPARAM>(global.size()));
  EXPECT_EQ(recorder_.goods().body, goods);
  EXPECT_EQ(recorder_.goods().length, static_cast<LPARAM>(goods.size()));
  EXPECT_EQ(Sorted(log.NewLines()),
            Sorted({GlobalRequestLine("tessaro_test"), GoodsRequestLine("tessaro_test")}));
}

// The server answers "together" only while both requests wait at the same time (alone, a request
// gets "alone"), so equal bodies prove that the two fetches overlap.
TEST_F(ConfigFetchTest, BothFetchesRunAtOnceAndEachReachesTheWindowOnce) {
  FetchBoth(L"together");
  veneer::test::PumpMessagesFor(500);
  EXPECT_EQ(recorder_.global().count, 1);
  EXPECT_EQ(recorder_.goods().count, 1);
  EXPECT_EQ(recorder_.global().body, ReadServedDocument("tessaro_test", "global"));
  EXPECT_EQ(recorder_.goods().body, ReadServedDocument("tessaro_test", "goods"));
}

TEST_F(ConfigFetchTest, AgentTextIsUserAgent) {
  FetchBoth(L"echo");
  const std::string& echo = recorder_.goods().body;
  EXPECT_EQ(echo.rfind(GoodsRequestLine("echo") + "\n", 0), 0u) << echo;
  EXPECT_NE(echo.find("\nUser-Agent: User-Agent\n"), std::string::npos) << echo;
  EXPECT_NE(echo.find("\nHost: localhost\n"), std::string::npos) << echo;
}

TEST_F(ConfigFetchTest, ChunksSentWithPausesAreJoinedInOrder) {
  FetchGlobal(L"chunked");
  EXPECT_EQ(recorder_.global().body, ReadServedDocument("tessaro_test", "global"));
}

// The server's "large" body: `size` bytes of numbered 64-byte lines.
std::string LargeBody(size_t size) {
  std::string body;
  for (int number = 0; body.size() < size; ++number) {
    char line[16];
    snprintf(line, sizeof line, "%010d ", number);
    body += line + std::string(52, 'x') + "\n";
  }
  body.resize(size);
  return body;
}

TEST_F(ConfigFetchTest, LargeBodyArrivesWhole) {
  FetchGlobal(L"large");
  EXPECT_EQ(recorder_.global().length, 300000);
  EXPECT_TRUE(recorder_.global().body == LargeBody(300000));
}

TEST_F(ConfigFetchTest, ErrorPageIsHandedOverUnchanged) {
  FetchGlobal(L"error_page");
  EXPECT_EQ(recorder_.global().body,
            "<html><head><title>404 Not Found</title></head>\n"
            "<body><h1>Not Found</h1><p>The requested URL was not found on this server.</p></body></html>\n");
}

TEST_F(ConfigFetchTest, EmptyBodyIsHandedOverOnce) {
  FetchBoth(L"empty");
  veneer::test::PumpMessagesFor(300);
  EXPECT_EQ(recorder_.global().count, 1);
  EXPECT_EQ(recorder_.global().body, "");
  EXPECT_EQ(recorder_.global().length, 0);
  EXPECT_EQ(recorder_.goods().count, 1);
  EXPECT_EQ(recorder_.goods().length, 0);
}

TEST_F(ConfigFetchTest, NulByteCutsTheBody) {
  const std::string before_nul = ReadServedDocument("tessaro_test", "global").substr(0, 10);
  FetchGlobal(L"nul");
  EXPECT_EQ(recorder_.global().body, before_nul);
  EXPECT_EQ(recorder_.global().length, 10);
}

// Bytes in chunks after the NUL must not be joined onto the part before it.
TEST_F(ConfigFetchTest, NulByteCutsTheBodyWhenMoreChunksFollow) {
  const std::string before_nul = ReadServedDocument("tessaro_test", "global").substr(0, 10);
  FetchGlobal(L"nul_chunked");
  EXPECT_EQ(recorder_.global().body, before_nul);
  EXPECT_EQ(recorder_.global().length, 10);
}

// Nothing listens on 127.0.0.2:443 (the server binds 127.0.0.1 only): the connection is refused.
TEST_F(ConfigFetchTest, UnreachableServerHandsOverEmptyBodiesWithinSeconds) {
  ConfigHost = L"127.0.0.2";
  FetchBoth(L"tessaro_test");
  const ULONGLONG last = std::max(recorder_.global().arrived_ms, recorder_.goods().arrived_ms);
  printf("\nhand-over after %llu ms with the port unreachable\n", last - start_ms_);
  EXPECT_EQ(recorder_.global().body, "");
  EXPECT_EQ(recorder_.global().length, 0);
  EXPECT_EQ(recorder_.goods().body, "");
  EXPECT_LT(last - start_ms_, 6000u);
}

TEST_F(ConfigFetchTest, SilentServerHandsOverEmptyBodiesWithinSeconds) {
  FetchBoth(L"silent");
  const ULONGLONG last = std::max(recorder_.global().arrived_ms, recorder_.goods().arrived_ms);
  printf("\nhand-over after %llu ms with a server that never answers\n", last - start_ms_);
  EXPECT_EQ(recorder_.global().body, "");
  EXPECT_EQ(recorder_.goods().body, "");
  EXPECT_LT(last - start_ms_, 6000u);
}

TEST_F(ConfigFetchTest, ClosedConnectionHandsOverWhatWasRead) {
  FetchGlobal(L"closed");
  EXPECT_EQ(recorder_.global().body, ReadServedDocument("tessaro_test", "global").substr(0, 100));
}

// Wine reports a connection closed before the announced length as the end of the data, so no
// diagnostic follows the chunk (Windows fails the next query with 12030 and prints it).
TEST(HttpGetTest, PrintsEachChunkItReads) {
  StdoutCapture capture;
  const std::string body = HttpGet(L"localhost", GlobalConfigPath(L"closed"));
  const std::string printed = capture.Finish();
  EXPECT_EQ(body, ReadServedDocument("tessaro_test", "global").substr(0, 100));
  EXPECT_EQ(printed, body);
}

// 100 bytes more than the client keeps: it stops at 8 MiB as if memory had run out.
TEST(HttpGetTest, BodyStopsAtItsSizeLimit) {
  StdoutCapture capture;
  const std::string body = HttpGet(L"localhost", GlobalConfigPath(L"endless"));
  const std::string printed = capture.Finish();
  EXPECT_EQ(body.size(), 8u << 20);
  EXPECT_TRUE(body == LargeBody(8u << 20));
  EXPECT_EQ(printed, body + "Out of memory\n");
}

TEST(HttpGetTest, RequestPathsCarryTheNamePercentEncoded) {
  EXPECT_EQ(GlobalConfigPath(L"My App"), L"/installer/config/global?name=My%20App&os=windows");
  EXPECT_EQ(GoodsConfigPath(L"a&b"), L"/installer/config/goods?name=a%26b&os=windows");
  EXPECT_EQ(GoodsConfigPath(L""), L"/installer/config/goods?name=&os=windows");
}

// A copy of config_fetch_probe.exe under `file_name`, run to its end; returns the request lines the
// server logged meanwhile.
std::vector<std::string> RequestLinesOfProgramNamed(const wchar_t* file_name) {
  wchar_t module[MAX_PATH];
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring probe = module;
  probe = probe.substr(0, probe.rfind(L'\\') + 1) + L"config_fetch_probe.exe";
  const std::wstring folder =
      veneer::test::TempPath(L"tessaro_names_" + std::to_wstring(GetCurrentProcessId()));
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring copy = folder + L"\\" + file_name;
  EXPECT_TRUE(CopyFileW(probe.c_str(), copy.c_str(), FALSE)) << "cannot copy the probe";

  ServerLog log;
  std::wstring command = L"\"" + copy + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  DWORD exit_code = 99;
  if (CreateProcessW(copy.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                     &process)) {
    const veneer::ScopedKernelHandle thread(process.hThread);
    const veneer::ScopedKernelHandle child(process.hProcess);
    EXPECT_EQ(WaitForSingleObject(child.get(), 30000), WAIT_OBJECT_0);
    GetExitCodeProcess(child.get(), &exit_code);
  }
  EXPECT_EQ(exit_code, 0u) << "the probe did not receive both hand-overs";
  DeleteFileW(copy.c_str());
  RemoveDirectoryW(folder.c_str());
  return Sorted(log.NewLines());
}

// The name goes into the query percent-encoded, so the server reads every one of these names whole;
// WinHTTP has nothing left to escape. A browser's " (1)" for a second download is not part of it.
TEST(RenamedProgramTest, RequestLinesTheServerReceives) {
  const struct {
    const wchar_t* file_name;
    const char* query_name;
  } cases[] = {
      {L"My App.exe", "My%20App"},     {L"a&b.exe", "a%26b"},
      {L"50%.exe", "50%25"},           {L"a#b.exe", "a%23b"},
      {L"tessaro (1).exe", "tessaro"}, {L"\u6d4b\u8bd5.exe", "%E6%B5%8B%E8%AF%95"},  // "测试"
  };
  for (const auto& named : cases) {
    EXPECT_EQ(RequestLinesOfProgramNamed(named.file_name),
              Sorted({GlobalRequestLine(named.query_name), GoodsRequestLine(named.query_name)}))
        << named.query_name;
  }
}

}  // namespace
}  // namespace tessaro::test
