#ifndef TOOLS_BENCH_PUGIXML_PARSE_H_
#define TOOLS_BENCH_PUGIXML_PARSE_H_

#include <cstddef>

// pugixml_parse.cc is compiled twice, once per pugixml build: as it is usually built (namespace
// pugi, UTF-8 text) and in its wide-character mode (renamed to pugi_wide), which converts the UTF-8
// input to UTF-16 text as the skin parser does.
//
// Parses `size` bytes of UTF-8 markup with pugixml's default options into a document that lives
// for the call. Returns the number of elements when `count` is set, else 0; -1 when parsing fails.
// The bytes are only read.
namespace pugi {
int ParseAndCountElements(const char* bytes, size_t size, bool count);
}  // namespace pugi

namespace pugi_wide {
int ParseAndCountElements(const char* bytes, size_t size, bool count);
}  // namespace pugi_wide

#endif  // TOOLS_BENCH_PUGIXML_PARSE_H_
