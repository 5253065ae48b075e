#include "app/md5_digest.h"

#include "app/crypt_digest.h"

namespace tessaro {

std::string Md5Hex(const std::string& bytes) {
  CryptDigest digest(DigestKind::kMd5);
  digest.Add(bytes.data(), bytes.size());
  return digest.Hex();
}

}  // namespace tessaro
