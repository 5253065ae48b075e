#ifndef APP_CRYPT_DIGEST_H_
#define APP_CRYPT_DIGEST_H_

#include <windows.h>
#include <wincrypt.h>

#include <string>

#include "ui/core/win_handles.h"

namespace tessaro {

enum class DigestKind { kMd5, kSha256 };

// A digest computed piece by piece by the platform's AES cryptographic provider (which also offers
// MD5). Add the bytes, then read Hex() once. A provider that cannot be used, or a failed step, makes
// Hex() return "". Owned by its creator; one thread at a time.
class CryptDigest {
 public:
  explicit CryptDigest(DigestKind kind);

  bool Add(const void* bytes, size_t size);
  // The digest as lower-case hexadecimal digits (32 for MD5, 64 for SHA-256), or "" after a failure.
  std::string Hex();

  struct ProviderTraits {
    using Handle = HCRYPTPROV;
    static Handle Empty() { return 0; }
    static void Close(Handle provider) { CryptReleaseContext(provider, 0); }
  };
  struct HashTraits {
    using Handle = HCRYPTHASH;
    static Handle Empty() { return 0; }
    static void Close(Handle hash) { CryptDestroyHash(hash); }
  };

 private:
  veneer::UniqueHandle<ProviderTraits> provider_;
  veneer::UniqueHandle<HashTraits> hash_;
  bool failed_ = false;
};

// The SHA-256 digest of the file at `path` as 64 lower-case hexadecimal digits; "" when the file
// cannot be read whole or the provider fails. Any thread.
std::string Sha256HexOfFile(const std::wstring& path);
// The same for a file already open for reading, read from its first byte whatever its position.
std::string Sha256HexOfOpenFile(HANDLE file);

// `count` bytes from the provider's random generator as 2 * count lower-case hexadecimal digits;
// "" when the generator fails. For names nobody else can predict. Any thread.
std::wstring RandomHex(size_t count);

}  // namespace tessaro

#endif  // APP_CRYPT_DIGEST_H_
