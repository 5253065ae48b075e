#ifndef APP_IMAGE_CACHE_H_
#define APP_IMAGE_CACHE_H_

#include <string>

namespace tessaro {

// Where pictures from the configuration documents are kept: one file per URL in the user's temporary
// folder, named after the MD5 digest of the URL. The folder is never cleaned and a file is never
// refreshed: a changed picture is published under a new URL. Pure functions except where noted; any
// thread.

// The file name extension kept for `url`, dot included: taken from the last segment of the URL's path
// (before any '?' or '#'), after its last '.', and kept only when it is 1 to 8 ASCII letters or
// digits; otherwise "".
std::wstring CacheFileExtension(const std::wstring& url);

// The cache file's name: 32 lower-case hexadecimal digits of the MD5 digest of the URL's UTF-8 bytes,
// then CacheFileExtension. For a URL whose path ends in a plain extension this is the name earlier
// versions gave, so files they cached stay in use. "" when the digest cannot be computed.
std::wstring CacheFileName(const std::wstring& url);

// The temporary folder (GetTempPathW, ending in a backslash) + CacheFileName(url); "" when either is
// unavailable. Reads the environment.
std::wstring CacheFilePath(const std::wstring& url);

// Whether `path` holds a cached file: a file (not a folder) of at least one byte. An empty file is
// what a failed download may leave and counts as missing. Reads the file system.
bool IsCacheFilePresent(const std::wstring& path);

}  // namespace tessaro

#endif  // APP_IMAGE_CACHE_H_
