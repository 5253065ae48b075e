#include "pugixml_parse.h"

#include "pugixml.hpp"

namespace pugi {
namespace {

int CountElements(const xml_node& node) {
  int count = 0;
  for (xml_node child = node.first_child(); child; child = child.next_sibling()) {
    if (child.type() == node_element) count += 1 + CountElements(child);
  }
  return count;
}

}  // namespace

int ParseAndCountElements(const char* bytes, size_t size, bool count) {
  xml_document document;
  if (!document.load_buffer(bytes, size, parse_default, encoding_utf8)) return -1;
  return count ? CountElements(document) : 0;
}

}  // namespace pugi
