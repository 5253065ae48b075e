#ifndef TESTS_SUPPORT_ENVIRONMENT_PATH_H_
#define TESTS_SUPPORT_ENVIRONMENT_PATH_H_

#include <string>

namespace veneer::test {

// Paths that CTest hands to the test programs in environment variables. CTest runs on the Unix side,
// so they arrive as Unix paths; Wine maps the Unix root to drive Z:.

// A Unix path ("/work/x") as a Wine program opens it ("Z:\work\x"); other paths are returned as they
// are.
std::wstring WindowsPathFromUnix(const std::wstring& path);

// The value of an environment variable as a Windows path ("" when not set).
std::wstring EnvironmentPath(const wchar_t* name);

}  // namespace veneer::test

#endif  // TESTS_SUPPORT_ENVIRONMENT_PATH_H_
