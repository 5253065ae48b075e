#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ui/runtime/attribute_list.h"

namespace veneer {
namespace {

using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;

TEST(AttributeListReaderTest, SeparatorsAndBrokenPairs) {
  const struct {
    const wchar_t* list;
    Pairs expected;
  } cases[] = {
      {LR"(a="1" b="2")", {{L"a", L"1"}, {L"b", L"2"}}},
      {LR"(a="1"x,b="2")", {{L"a", L"1"}, {L"b", L"2"}}},   // One stray character, then a comma.
      {LR"(a="1",b="2")", {{L"a", L"1"}}},                  // The comma is the stray character.
      {LR"(a="1"b="2")", {{L"a", L"1"}}},                   // The next name follows at once.
      {LR"(a="1"  b="2")", {{L"a", L"1"}, {L" b", L"2"}}},  // Only one space separates.
      {LR"(a="1"x)", {{L"a", L"1"}}},
      {LR"(a="1" b=2 c="3")", {{L"a", L"1"}}},  // No quote after '='.
      {LR"(a="1" b="2)", {{L"a", L"1"}}},       // No closing quote.
      {LR"(a = "1")", {}},
      {nullptr, {}},
      {LR"(a="" ="x")", {{L"a", L""}, {L"", L"x"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.list ? c.list : L"(null)");
    Pairs pairs;
    CAttributeListReader reader(c.list);
    CUIString name;
    CUIString value;
    while (reader.Next(&name, &value)) pairs.emplace_back(name.GetData(), value.GetData());
    EXPECT_FALSE(reader.Next(&name, &value));
    EXPECT_EQ(c.expected, pairs);
  }
}

}  // namespace
}  // namespace veneer
