#include "app/md5_digest.h"

#include <windows.h>
#include <wincrypt.h>

#include <climits>

#include "ui/core/win_handles.h"

namespace tessaro {
namespace {

constexpr DWORD kMd5Bytes = 16;

struct CryptProviderTraits {
  using Handle = HCRYPTPROV;
  static Handle Empty() { return 0; }
  static void Close(Handle provider) { CryptReleaseContext(provider, 0); }
};
struct CryptHashTraits {
  using Handle = HCRYPTHASH;
  static Handle Empty() { return 0; }
  static void Close(Handle hash) { CryptDestroyHash(hash); }
};

}  // namespace

std::string Md5Hex(const std::string& bytes) {
  if (bytes.size() > UINT_MAX) return std::string();
  veneer::UniqueHandle<CryptProviderTraits> provider;
  if (!CryptAcquireContextW(provider.receive(), nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) {
    return std::string();
  }
  veneer::UniqueHandle<CryptHashTraits> hash;
  if (!CryptCreateHash(provider.get(), CALG_MD5, 0, 0, hash.receive())) return std::string();
  if (!CryptHashData(hash.get(), reinterpret_cast<const BYTE*>(bytes.data()),
                     static_cast<DWORD>(bytes.size()), 0)) {
    return std::string();
  }
  BYTE digest[kMd5Bytes];
  DWORD digest_size = sizeof digest;
  if (!CryptGetHashParam(hash.get(), HP_HASHVAL, digest, &digest_size, 0) || digest_size != kMd5Bytes) {
    return std::string();
  }
  static const char kHexDigits[] = "0123456789abcdef";
  std::string hex;
  for (BYTE byte : digest) {
    hex += kHexDigits[byte >> 4];
    hex += kHexDigits[byte & 0xF];
  }
  return hex;
}

}  // namespace tessaro
