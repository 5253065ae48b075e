#ifndef TESTS_APP_TEST_DOCUMENTS_H_
#define TESTS_APP_TEST_DOCUMENTS_H_

#include <string>

namespace tessaro::test {

// The bytes of a document the local configuration server serves: `kind` ("global" or "goods") of
// `product`, read from the folder that TESSARO_CONFIG_DOCUMENTS names ("" when it is not set or the
// file is missing).
std::string ReadServedDocument(const char* product, const char* kind);

// Hands the product's skin archive embedded in the test program (tessaro_skin) to the skin source,
// once per process; true when the skin source holds it.
bool UseEmbeddedSkinArchive();

}  // namespace tessaro::test

#endif  // TESTS_APP_TEST_DOCUMENTS_H_
