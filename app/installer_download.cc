#include "app/installer_download.h"

#include <sddl.h>

#include <json/json.h>

#include <cstdint>
#include <ctime>
#include <memory>

#include "app/app_messages.h"
#include "app/crypt_digest.h"
#include "app/task_info.h"
#include "app/utf8_text.h"
#include "app/web_url.h"
#include "ui/core/win_handles.h"

namespace tessaro {
namespace {

// Upper bound of an installer: more than any real one, less than a disk fills up with.
constexpr uint64_t kMaxInstallerBytes = uint64_t{4} << 30;
constexpr size_t kDigestDigits = 64;
// What a malformed "sha256" member turns into: not 64 hexadecimal digits, so no file matches it.
constexpr wchar_t kUnmatchableDigest[] = L"malformed";
constexpr size_t kFolderNameBytes = 16;

bool IsLowerHexDigest(const std::wstring& text) {
  if (text.size() != kDigestDigits) return false;
  for (wchar_t c : text) {
    if (!((c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f'))) return false;
  }
  return true;
}

std::wstring LowerAscii(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return text;
}

std::wstring ExpectedDigest(const Json::Value& info) {
  if (!info.isMember("sha256")) return std::wstring();
  const Json::Value& member = info["sha256"];
  const std::wstring digest = member.isString() ? LowerAscii(WideFromUtf8(member.asString())) : L"";
  return IsLowerHexDigest(digest) ? digest : kUnmatchableDigest;
}

bool LooksLikeProgram(HANDLE file) {
  char head[2] = {};
  DWORD read = 0;
  return ReadFile(file, head, sizeof head, &read, nullptr) && read == 2 && head[0] == 'M' && head[1] == 'Z';
}

bool DigestMatches(HANDLE file, const std::wstring& expected) {
  return expected.empty() || WideFromUtf8(Sha256HexOfOpenFile(file)) == expected;
}

// Downloads and checks the installer; nothing left behind (no lock) on any failure.
CheckedInstaller FetchInstaller(const TaskInfo& task) {
  if (!IsInstallerUrl(task.url)) return CheckedInstaller();
  const std::wstring folder = MakeDownloadFolder();
  if (folder.empty()) return CheckedInstaller();
  const std::wstring path = folder + L"\\" + InstallerFileName(_time64(nullptr));
  DownloadProgress progress(task.window);
  CheckedInstaller checked;
  if (HttpGetFile(task.url, path, kMaxInstallerBytes, &progress)) checked = CheckInstaller(path, task.extra);
  if (!checked.lock) RemoveDownloadFolder(path);
  return checked;
}

}  // namespace

CheckedInstaller CheckInstaller(const std::wstring& path, const std::wstring& expected_sha256) {
  CheckedInstaller checked{
      path, veneer::ScopedFileHandle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))};
  if (checked.lock &&
      !(LooksLikeProgram(checked.lock.get()) && DigestMatches(checked.lock.get(), expected_sha256)))
    checked.lock.reset();
  return checked;
}

bool ParseInstallRequest(const std::wstring& install_info, InstallRequest* request) {
  const std::string text = Utf8FromWide(install_info);
  if (text.empty()) return false;
  Json::CharReaderBuilder builder;
  const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  Json::Value info;
  if (!reader->parse(text.data(), text.data() + text.size(), &info, nullptr) || !info.isObject())
    return false;
  const Json::Value& url = info["downloadUrl"];
  const Json::Value& dialog = info["dialogOpen"];
  request->download_url = url.isString() ? WideFromUtf8(url.asString()) : std::wstring();
  request->sha256 = ExpectedDigest(info);
  request->confirm_first = dialog.isBool() && dialog.asBool();
  return true;
}

bool IsInstallerUrl(const std::wstring& url) {
  return IsWebUrl(url) && LowerAscii(url.substr(0, 8)) == L"https://";
}

unsigned DownloadPercent(uint64_t received, uint64_t total) {
  if (total == 0) return 0;
  if (received >= total) return 100;
  // received * 100 / total without a wider type: add `received` a hundred times to a remainder kept
  // below `total`, counting the wraps. Nothing overflows, since the remainder stays below `total`.
  unsigned percent = 0;
  uint64_t remainder = 0;
  for (int step = 0; step < 100; ++step) {
    if (remainder >= total - received) {
      remainder -= total - received;
      ++percent;
    } else {
      remainder += received;
    }
  }
  return percent;
}

std::wstring InstallerFileName(int64_t seconds) { return std::to_wstring(seconds) + L".exe"; }

veneer::ScopedLocalMemory DownloadFolderSecurity() {
  // Protected ("P"): nothing inherited. Each entry: allowed, to objects and containers made inside,
  // full access, for SYSTEM, the Administrators, the owner.
  constexpr wchar_t kDescriptor[] = L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;OW)";
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kDescriptor, SDDL_REVISION_1, &descriptor,
                                                            nullptr))
    return veneer::ScopedLocalMemory();
  return veneer::ScopedLocalMemory(descriptor);
}

std::wstring MakeDownloadFolder() {
  wchar_t temp[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  if (length == 0 || length > MAX_PATH) return std::wstring();
  const std::wstring name = RandomHex(kFolderNameBytes);
  if (name.empty()) return std::wstring();
  std::wstring folder(temp, length);
  if (folder.back() != L'\\') folder += L'\\';
  folder += L"tessaro-" + name;
  const veneer::ScopedLocalMemory security = DownloadFolderSecurity();
  if (!security) return std::wstring();
  SECURITY_ATTRIBUTES attributes = {sizeof attributes, security.get(), FALSE};
  return CreateDirectoryW(folder.c_str(), &attributes) ? folder : std::wstring();
}

void RemoveDownloadFolder(const std::wstring& installer_path) {
  DeleteFileW(installer_path.c_str());
  const size_t separator = installer_path.rfind(L'\\');
  if (separator != std::wstring::npos) RemoveDirectoryW(installer_path.substr(0, separator).c_str());
}

void DownloadProgress::OnFileProgress(uint64_t received, uint64_t total) {
  if (total == 0) return;
  const unsigned percent = DownloadPercent(received, total);
  if (percent == posted_percent_) return;
  posted_percent_ = percent;
  const uint64_t max_lparam = static_cast<uint64_t>(static_cast<ULONG_PTR>(~ULONG_PTR{0}) >> 1);
  PostMessageW(window_, UM_DOWNLOAD_PROGRESS, percent,
               static_cast<LPARAM>(total < max_lparam ? total : max_lparam));
}

DWORD WINAPI DownloadInstaller(LPVOID parameter) {
  const std::unique_ptr<TaskInfo> task(static_cast<TaskInfo*>(parameter));
  CheckedInstaller installer = FetchInstaller(*task);
  if (!installer.lock) {
    PostMessageW(task->window, UM_DOWNLOAD_FAILED, 0, 0);
  } else if (SendMessageW(task->window, UM_DOWNLOAD_DONE, reinterpret_cast<WPARAM>(&installer), 0) !=
             kInstallerTaken) {
    installer.lock.reset();
    RemoveDownloadFolder(installer.path);
  }
  return 0;
}

}  // namespace tessaro
