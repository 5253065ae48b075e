#include "app/installer_download.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/app_messages.h"
#include "app/crypt_digest.h"
#include "app/installer_launch.h"
#include "app/task_info.h"
#include "app/utf8_text.h"
#include "tests/support/message_pump.h"
#include "tests/support/temp_files.h"
#include "ui/core/win_handles.h"

namespace tessaro::test {
namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A message-only window whose queue the tests read back.
class MessageWindow {
 public:
  MessageWindow()
      : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
  ~MessageWindow() { DestroyWindow(window_); }
  HWND get() const { return window_; }

  // The messages in `first`..`last` waiting in the queue, as (message, wParam) pairs.
  std::vector<std::pair<UINT, WPARAM>> Take(UINT first, UINT last) {
    std::vector<std::pair<UINT, WPARAM>> taken;
    MSG message;
    while (PeekMessageW(&message, window_, first, last, PM_REMOVE))
      taken.emplace_back(message.message, message.wParam);
    return taken;
  }

 private:
  HWND window_;
};

TEST(DownloadPercentTest, ClampedAndNeverHundredBeforeTheEnd) {
  const struct {
    uint64_t received, total;
    unsigned percent;
  } cases[] = {
      {0, 0, 0},
      {512, 2048, 25},
      {2047, 2048, 99},
      {2048, 2048, 100},
      {5000, 2048, 100},
      {1, 3, 33},
      {uint64_t{1} << 40, uint64_t{1} << 41, 50},
      {UINT64_MAX / 2, UINT64_MAX, 49},
      {UINT64_MAX - 1, UINT64_MAX, 99},
      {UINT64_MAX, UINT64_MAX, 100},
      {UINT64_MAX / 100 * 99, UINT64_MAX / 100, 100},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DownloadPercent(c.received, c.total), c.percent) << c.received << " of " << c.total;
  }
}

TEST(DownloadProgressTest, PostsOnlyChangesWithAKnownTotal) {
  MessageWindow window;
  DownloadProgress progress(window.get());
  const uint64_t reports[][2] = {{0, 0},      {100, 0},    {0, 2048},    {1, 2048},    {512, 2048},
                                 {600, 2048}, {610, 2048}, {2047, 2048}, {2048, 2048}, {4096, 2048}};
  for (const auto& report : reports) progress.OnFileProgress(report[0], report[1]);
  const std::vector<std::pair<UINT, WPARAM>> expected = {{UM_DOWNLOAD_PROGRESS, 0},
                                                         {UM_DOWNLOAD_PROGRESS, 25},
                                                         {UM_DOWNLOAD_PROGRESS, 29},
                                                         {UM_DOWNLOAD_PROGRESS, 99},
                                                         {UM_DOWNLOAD_PROGRESS, 100}};
  EXPECT_EQ(window.Take(WM_USER, WM_USER + 100), expected);
}

TEST(InstallRequestTest, ReadsMembersOfTheRightKindOnly) {
  const std::wstring digest(64, L'a');
  const struct {
    const wchar_t* text;
    bool parsed;
    const wchar_t* url;
    std::wstring sha256;
    bool confirm;
  } cases[] = {
      {L"", false, L"", L"", false},
      {L"not json", false, L"", L"", false},
      {L"[1, 2]", false, L"", L"", false},
      {L"{\"downloadUrl\": \"https://h/a.exe\"}", true, L"https://h/a.exe", L"", false},
      {L"{\"downloadUrl\": 5, \"dialogOpen\": \"yes\"}", true, L"", L"", false},
      {L"{\"downloadUrl\": \"https://h/a.exe\", \"dialogOpen\": true}", true, L"https://h/a.exe", L"", true},
      {L"{\"sha256\": \"AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\"}", true, L"",
       digest, false},
      {L"{\"sha256\": \"abc\"}", true, L"", L"malformed", false},
      {L"{\"sha256\": 12}", true, L"", L"malformed", false},
  };
  for (const auto& c : cases) {
    InstallRequest request;
    ASSERT_EQ(ParseInstallRequest(c.text, &request), c.parsed) << c.text;
    if (!c.parsed) continue;
    EXPECT_EQ(request.download_url, c.url) << c.text;
    EXPECT_EQ(request.sha256, c.sha256) << c.text;
    EXPECT_EQ(request.confirm_first, c.confirm) << c.text;
  }
}

TEST(InstallerUrlTest, OnlyHttpsWebUrls) {
  const struct {
    const wchar_t* url;
    bool allowed;
  } cases[] = {
      {L"https://localhost/a.exe", true},   {L"HTTPS://host/a.exe", true},
      {L"http://localhost/a.exe", false},   {L"file:///C:/windows/a.exe", false},
      {L"\\\\server\\share\\a.exe", false}, {L"C:\\a.exe", false},
      {L"https:/host/a.exe", false},        {L"", false},
      {L"ftp://host/a.exe", false},         {L"https://host/a b.exe", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsInstallerUrl(c.url), c.allowed) << c.url;
}

TEST(DownloadFolderTest, EachDownloadGetsAFolderOfItsOwn) {
  EXPECT_EQ(InstallerFileName(1700000000), L"1700000000.exe");
  EXPECT_EQ(InstallerFileName(-5), L"-5.exe");
  const std::wstring first = MakeDownloadFolder();
  const std::wstring second = MakeDownloadFolder();
  ASSERT_FALSE(first.empty());
  ASSERT_FALSE(second.empty());
  EXPECT_NE(first, second);  // The same second, two paths.
  EXPECT_EQ(first.rfind(veneer::test::TempFolder(), 0), 0u) << first;
  EXPECT_EQ(first.size(), veneer::test::TempFolder().size() + 8 + 32) << first;
  const std::wstring installer = first + L"\\" + InstallerFileName(1);
  ASSERT_TRUE(veneer::test::WriteFileBytes(installer, std::string("MZ")));
  RemoveDownloadFolder(installer);
  RemoveDownloadFolder(second + L"\\1.exe");
  EXPECT_FALSE(Exists(first));
  EXPECT_FALSE(Exists(second));
}

// Nobody but SYSTEM, the Administrators and the owner may write into a download folder; in
// particular the descriptor must not have a null DACL, which would let everybody in.
TEST(DownloadFolderTest, OnlySystemAdministratorsAndTheOwnerGetIn) {
  const veneer::ScopedLocalMemory security = DownloadFolderSecurity();
  ASSERT_TRUE(security);
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  ASSERT_TRUE(GetSecurityDescriptorControl(security.get(), &control, &revision));
  EXPECT_TRUE(control & SE_DACL_PROTECTED) << "the temporary folder's entries would be inherited";
  BOOL present = FALSE;
  BOOL defaulted = FALSE;
  PACL dacl = nullptr;
  ASSERT_TRUE(GetSecurityDescriptorDacl(security.get(), &present, &dacl, &defaulted));
  ASSERT_TRUE(present && dacl) << "no DACL or a null one: everybody gets in";
  const WELL_KNOWN_SID_TYPE expected[] = {WinLocalSystemSid, WinBuiltinAdministratorsSid,
                                          WinCreatorOwnerRightsSid};
  ASSERT_EQ(dacl->AceCount, std::size(expected));
  for (DWORD index = 0; index < dacl->AceCount; ++index) {
    ACCESS_ALLOWED_ACE* ace = nullptr;
    ASSERT_TRUE(GetAce(dacl, index, reinterpret_cast<void**>(&ace)));
    EXPECT_EQ(ace->Header.AceType, ACCESS_ALLOWED_ACE_TYPE) << index;
    EXPECT_EQ(ace->Header.AceFlags, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE) << index;
    EXPECT_EQ(ace->Mask, static_cast<DWORD>(FILE_ALL_ACCESS)) << index;
    BYTE sid[SECURITY_MAX_SID_SIZE] = {};
    DWORD size = sizeof sid;
    ASSERT_TRUE(CreateWellKnownSid(expected[index], nullptr, sid, &size));
    EXPECT_TRUE(EqualSid(&ace->SidStart, sid)) << index;
  }
}

TEST(Sha256Test, KnownDigests) {
  const veneer::test::TempFile abc(std::string("abc"));
  EXPECT_EQ(Sha256HexOfFile(abc.path()), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  const veneer::test::TempFile empty(std::string(""));
  EXPECT_EQ(Sha256HexOfFile(empty.path()),
            "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Sha256HexOfFile(L"C:\\no such folder\\x"), "");
  EXPECT_EQ(RandomHex(16).size(), 32u);
  EXPECT_NE(RandomHex(16), RandomHex(16));
}

// What passes the checks stays locked until it starts: readable by others, never writable or
// deletable, so nobody can swap the file between the digest check and CreateProcessW.
TEST(CheckInstallerTest, OnlyAProgramWithTheRightDigestIsLockedAndNobodyCanChangeIt) {
  const std::string program = "MZ and the rest of a program";
  const veneer::test::TempFile file(program);
  const std::wstring digest = WideFromUtf8(Sha256HexOfFile(file.path()));
  const veneer::test::TempFile text(std::string("#!/bin/sh"));
  const struct {
    const char* what;
    std::wstring path, sha256;
    bool locked;
  } cases[] = {
      {"program, no digest", file.path(), L"", true},
      {"program, its digest", file.path(), digest, true},
      {"program, another digest", file.path(), std::wstring(64, L'0'), false},
      {"not a program", text.path(), L"", false},
      {"missing", L"C:\\no such folder\\1.exe", L"", false},
  };
  for (const auto& c : cases) {
    const CheckedInstaller checked = CheckInstaller(c.path, c.sha256);
    EXPECT_EQ(static_cast<bool>(checked.lock), c.locked) << c.what;
    if (!checked.lock) continue;
    const veneer::ScopedFileHandle writer(CreateFileW(c.path.c_str(), GENERIC_WRITE,
                                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_FALSE(writer) << c.what;
    EXPECT_FALSE(DeleteFileW(c.path.c_str())) << c.what;
    EXPECT_FALSE(MoveFileW(c.path.c_str(), (c.path + L".moved").c_str())) << c.what;
    const veneer::ScopedFileHandle reader(CreateFileW(c.path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(reader) << c.what;
  }
  EXPECT_EQ(veneer::test::ReadFileBytes(file.path()), program);
}

// An installer that cannot start reports failure (the window shows state 3, so the user can try
// again) and leaves no folder behind.
TEST(RunInstallerTest, AnInstallerThatCannotStartReportsFailure) {
  enum class Hold { kNothing, kExclusiveOpen };
  const struct {
    const char* what;
    const char* bytes;  // The file's contents, or null for no file at all.
    Hold hold;
  } cases[] = {
      {"not a program", "MZ but nothing else", Hold::kNothing},
      {"missing", nullptr, Hold::kNothing},
      {"locked by another writer", "MZ but nothing else", Hold::kExclusiveOpen},
  };
  for (const auto& c : cases) {
    MessageWindow window;
    const std::wstring folder = MakeDownloadFolder();
    ASSERT_FALSE(folder.empty());
    auto task = std::make_unique<InstallerTask>();
    task->window = window.get();
    task->installer.path = folder + L"\\1.exe";
    if (c.bytes) {
      ASSERT_TRUE(veneer::test::WriteFileBytes(task->installer.path, std::string(c.bytes)));
    }
    const std::wstring path = task->installer.path;
    {
      const veneer::ScopedFileHandle lock(
          c.hold == Hold::kExclusiveOpen ? CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                                         : INVALID_HANDLE_VALUE);
      ASSERT_EQ(static_cast<bool>(lock), c.hold == Hold::kExclusiveOpen) << c.what;
      RunInstaller(task.release());
    }
    const std::vector<std::pair<UINT, WPARAM>> expected = {{UM_INSTALLER_FAILED, 0}};
    EXPECT_EQ(window.Take(WM_USER, WM_USER + 100), expected) << c.what;
    // Only a file someone else holds keeps its folder; it goes once the file is free again.
    EXPECT_EQ(Exists(folder), c.hold == Hold::kExclusiveOpen) << c.what;
    RemoveDownloadFolder(path);
    EXPECT_FALSE(Exists(folder)) << c.what;
  }
}

TEST(RunInstallerTest, CommandLineIsTheQuotedPath) {
  EXPECT_EQ(InstallerCommandLine(L"C:\\a b\\1.exe"), L"\"C:\\a b\\1.exe\"");
}

}  // namespace
}  // namespace tessaro::test
