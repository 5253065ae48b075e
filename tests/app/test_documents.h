#ifndef TESTS_APP_TEST_DOCUMENTS_H_
#define TESTS_APP_TEST_DOCUMENTS_H_

#include <string>

namespace tessaro::test {

// The bytes of a document the local configuration server serves: `kind` ("global" or "goods") of
// `product`, read from the folder that TESSARO_CONFIG_DOCUMENTS names ("" when it is not set or the
// file is missing).
std::string ReadServedDocument(const char* product, const char* kind);

}  // namespace tessaro::test

#endif  // TESTS_APP_TEST_DOCUMENTS_H_
