#include "app/crypt_digest.h"

#include <climits>
#include <vector>

namespace tessaro {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

template <typename Text>
Text HexOf(const BYTE* bytes, size_t size) {
  Text hex;
  for (size_t i = 0; i < size; ++i) {
    hex += static_cast<typename Text::value_type>(kHexDigits[bytes[i] >> 4]);
    hex += static_cast<typename Text::value_type>(kHexDigits[bytes[i] & 0xF]);
  }
  return hex;
}

bool AcquireProvider(HCRYPTPROV* provider) {
  return CryptAcquireContextW(provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT) != FALSE;
}

}  // namespace

CryptDigest::CryptDigest(DigestKind kind) {
  failed_ = !AcquireProvider(provider_.receive()) ||
            !CryptCreateHash(provider_.get(), kind == DigestKind::kMd5 ? CALG_MD5 : CALG_SHA_256, 0, 0,
                             hash_.receive());
}

bool CryptDigest::Add(const void* bytes, size_t size) {
  if (failed_) return false;
  const BYTE* next = static_cast<const BYTE*>(bytes);
  while (size > 0 && !failed_) {
    const DWORD piece = size > UINT_MAX ? UINT_MAX : static_cast<DWORD>(size);
    failed_ = !CryptHashData(hash_.get(), next, piece, 0);
    next += piece;
    size -= piece;
  }
  return !failed_;
}

std::string CryptDigest::Hex() {
  if (failed_) return std::string();
  DWORD size = 0;
  DWORD size_size = sizeof size;
  if (!CryptGetHashParam(hash_.get(), HP_HASHSIZE, reinterpret_cast<BYTE*>(&size), &size_size, 0) ||
      size == 0 || size > 64) {
    return std::string();
  }
  BYTE digest[64];
  if (!CryptGetHashParam(hash_.get(), HP_HASHVAL, digest, &size, 0)) return std::string();
  return HexOf<std::string>(digest, size);
}

std::string Sha256HexOfFile(const std::wstring& path) {
  const veneer::ScopedFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file ? Sha256HexOfOpenFile(file.get()) : std::string();
}

std::string Sha256HexOfOpenFile(HANDLE file) {
  const LARGE_INTEGER start = {};
  if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) return std::string();
  CryptDigest digest(DigestKind::kSha256);
  std::vector<char> buffer(256 * 1024);
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) {
      return std::string();
    }
    if (read == 0) return digest.Hex();
    if (!digest.Add(buffer.data(), read)) return std::string();
  }
}

std::wstring RandomHex(size_t count) {
  veneer::UniqueHandle<CryptDigest::ProviderTraits> provider;
  std::vector<BYTE> bytes(count);
  if (count > UINT_MAX || !AcquireProvider(provider.receive()) ||
      !CryptGenRandom(provider.get(), static_cast<DWORD>(count), bytes.data())) {
    return std::wstring();
  }
  return HexOf<std::wstring>(bytes.data(), count);
}

}  // namespace tessaro
