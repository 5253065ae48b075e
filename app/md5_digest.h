#ifndef APP_MD5_DIGEST_H_
#define APP_MD5_DIGEST_H_

#include <string>

namespace tessaro {

// The MD5 digest (RFC 1321) of `bytes` as 32 lower-case hexadecimal digits, computed by the
// platform's cryptographic provider (CryptDigest). Names cache files; not used for anything secret. Returns
// "" only when the provider cannot be used at all. Any thread.
std::string Md5Hex(const std::string& bytes);

}  // namespace tessaro

#endif  // APP_MD5_DIGEST_H_
