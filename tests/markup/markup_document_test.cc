#include "ui/markup/markup_document.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veneer {
namespace {

std::wstring TextAtData(const CMarkupDocument& doc, uint32_t element) {
  return doc.DocumentBuffer() + doc.ElementRecord(element)->data;
}

void ExpectEmpty(const CMarkupDocument& doc) {
  EXPECT_FALSE(doc.RootElement().IsValid());
  EXPECT_EQ(nullptr, doc.DocumentBuffer());
  EXPECT_EQ(0u, doc.ElementCount());
}

// --- Structure --------------------------------------------------------------------------------

TEST(MarkupStructureTest, WindowWithIncludeGivesLinkedRecords) {
  CMarkupDocument doc;
  ASSERT_TRUE(
      doc.LoadFromText(L"<Window size=\"960,720\">\r\n  <Include source=\"Default.xml\" />\r\n"
                       L"  <VerticalLayout name=\"ver_main\"/>\r\n</Window>\r\n"));
  EXPECT_STREQ(L"", doc.LastErrorMessage());
  EXPECT_STREQ(L"", doc.LastErrorLocation());
  ASSERT_EQ(4u, doc.ElementCount());
  EXPECT_EQ(nullptr, doc.ElementRecord(0));
  EXPECT_EQ(nullptr, doc.ElementRecord(4));

  const MarkupElement* window = doc.ElementRecord(1);
  const MarkupElement* include = doc.ElementRecord(2);
  const MarkupElement* layout = doc.ElementRecord(3);
  EXPECT_EQ(1u, window->start);
  EXPECT_EQ(2u, window->first_child);
  EXPECT_EQ(0u, window->next_sibling);
  EXPECT_EQ(0u, window->parent);
  EXPECT_EQ(1u, include->parent);
  EXPECT_EQ(3u, include->next_sibling);
  EXPECT_EQ(0u, include->first_child);
  EXPECT_EQ(1u, layout->parent);
  EXPECT_EQ(0u, layout->next_sibling);

  CMarkupCursor root = doc.RootElement();
  EXPECT_STREQ(L"Window", root.ElementName());
  EXPECT_TRUE(root.HasChildElements());
  CMarkupCursor child = root.FirstChild();
  EXPECT_STREQ(L"Include", child.ElementName());
  EXPECT_FALSE(child.HasChildElements());
  EXPECT_FALSE(child.FirstChild().IsValid());
  ASSERT_EQ(1, child.AttributeCount());
  EXPECT_STREQ(L"source", child.AttributeNameAt(0));
  EXPECT_STREQ(L"Default.xml", child.AttributeValueAt(0));
  CMarkupCursor second = child.NextSibling();
  EXPECT_STREQ(L"VerticalLayout", second.ElementName());
  EXPECT_STREQ(L"ver_main", second.AttributeValueAt(0));
  EXPECT_FALSE(second.NextSibling().IsValid());
  EXPECT_FALSE(root.NextSibling().IsValid());
}

TEST(MarkupStructureTest, BufferIsTransformedInPlace) {
  CMarkupDocument doc;
  ASSERT_TRUE(doc.LoadFromText(L"<a x=\"1&amp;2\" y=\"z\">t&lt;u</a>"));
  const wchar_t expected[] = L"\0a\0x\0\"1&2\0     y\0\"z\0>t<u\0  \0/a>";
  EXPECT_EQ(std::wstring(expected, 31), std::wstring(doc.DocumentBuffer(), 31));
  EXPECT_EQ(21u, doc.ElementRecord(1)->data);
  EXPECT_STREQ(L"1&2", doc.RootElement().AttributeValueAt(0));
  EXPECT_STREQ(L"z", doc.RootElement().AttributeValueAt(1));
  EXPECT_EQ(L"t<u", TextAtData(doc, 1));
}

TEST(MarkupStructureTest, DocumentsWithoutElementsLoadEmpty) {
  for (const wchar_t* text : {L"", L"  \r\n\t ", L"<!-- only a comment -->", L"<?xml version=\"1.0\"?>",
                              L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!-- a - b -->\n"}) {
    CMarkupDocument doc;
    EXPECT_TRUE(doc.LoadFromText(text)) << text;
    EXPECT_FALSE(doc.RootElement().IsValid()) << text;
    EXPECT_EQ(1u, doc.ElementCount()) << text;
    EXPECT_STREQ(L"", doc.LastErrorMessage());
  }
}

TEST(MarkupStructureTest, DeclarationAndCommentsCreateNoElement) {
  CMarkupDocument doc;
  ASSERT_TRUE(doc.LoadFromText(L"<?xml version=\"1.0\"?><!-- <b/> --><Window><!-- c --><Label/></Window>"));
  EXPECT_EQ(3u, doc.ElementCount());
  EXPECT_STREQ(L"Window", doc.RootElement().ElementName());
  EXPECT_STREQ(L"Label", doc.RootElement().FirstChild().ElementName());
  EXPECT_FALSE(doc.RootElement().FirstChild().NextSibling().IsValid());
}

// The search for a processing instruction's "?>" starts at its own '?', so "<?>" is complete.
TEST(MarkupStructureTest, ProcessingInstructionEndsAtTheFirstQuestionMarkAndBracket) {
  CMarkupDocument doc;
  ASSERT_TRUE(doc.LoadFromText(L"<?><a/>"));
  EXPECT_EQ(2u, doc.ElementCount());
  EXPECT_STREQ(L"a", doc.RootElement().ElementName());
  ASSERT_TRUE(doc.LoadFromText(L"<? ?><!-><b/>"));  // A comment ends at the first "->" after its '!'.
  EXPECT_EQ(2u, doc.ElementCount());
  EXPECT_STREQ(L"b", doc.RootElement().ElementName());
}

// A document may end inside its first element or inside a direct child of it; the open names are
// still terminated.
TEST(MarkupStructureTest, UnclosedFirstElementOrDirectChildLoads) {
  CMarkupDocument doc;
  ASSERT_TRUE(doc.LoadFromText(L"<Window>"));
  EXPECT_STREQ(L"Window", doc.RootElement().ElementName());
  ASSERT_TRUE(doc.LoadFromText(L"<Window><Label>some &amp; text"));
  EXPECT_STREQ(L"Window", doc.RootElement().ElementName());
  EXPECT_STREQ(L"Label", doc.RootElement().FirstChild().ElementName());
  EXPECT_EQ(L"some & text", TextAtData(doc, 2));
  ASSERT_TRUE(doc.LoadFromText(L"<Window><Label/>\n"));
  ASSERT_TRUE(doc.LoadFromText(L"<a/><b x=\"1\">"));
  EXPECT_STREQ(L"b", doc.RootElement().NextSibling().ElementName());
}

TEST(MarkupStructureTest, WhiteSpaceInsideTagsIsAccepted) {
  CMarkupDocument doc;
  ASSERT_TRUE(
      doc.LoadFromText(L"< Window\r\n  size = \"1,2\"\tcaption=\"0,0,0,36\"\n>< Label\n/></Window\n>"));
  CMarkupCursor root = doc.RootElement();
  EXPECT_STREQ(L"Window", root.ElementName());
  ASSERT_EQ(2, root.AttributeCount());
  EXPECT_STREQ(L"size", root.AttributeNameAt(0));
  EXPECT_STREQ(L"1,2", root.AttributeValueAt(0));
  EXPECT_STREQ(L"caption", root.AttributeNameAt(1));
  EXPECT_STREQ(L"0,0,0,36", root.AttributeValueAt(1));
  EXPECT_STREQ(L"Label", root.FirstChild().ElementName());
}

TEST(MarkupStructureTest, ElementArrayGrowsBy500PlusHalf) {
  struct Case {
    int elements;
    uint32_t capacity;
  } cases[] = {{1, 500}, {499, 500}, {500, 1250}, {1249, 1250}, {1250, 2375}};
  for (const Case& c : cases) {
    std::wstring text = L"<r>";
    for (int i = 1; i < c.elements; ++i) text += L"<e/>";
    text += L"</r>";
    CMarkupDocument doc;
    ASSERT_TRUE(doc.LoadFromText(text.c_str()));
    EXPECT_EQ(static_cast<uint32_t>(c.elements) + 1, doc.ElementCount());
    EXPECT_EQ(c.capacity, doc.ElementCapacity()) << c.elements;
  }
}

// Nesting is not recursion: a very deep document neither overflows the stack nor loses links.
TEST(MarkupStructureTest, DeepNestingIsSafe) {
  const int depth = 200000;
  std::wstring open, close;
  for (int i = 0; i < depth; ++i) open += L"<a>", close += L"</a>";
  CMarkupDocument doc;
  ASSERT_TRUE(doc.LoadFromText((open + close).c_str()));
  EXPECT_EQ(static_cast<uint32_t>(depth) + 1, doc.ElementCount());
  EXPECT_EQ(static_cast<uint32_t>(depth - 1), doc.ElementRecord(depth)->parent);
  EXPECT_FALSE(doc.LoadFromText(open.c_str()));
  EXPECT_STREQ(L"Expected end-tag start", doc.LastErrorMessage());
  ExpectEmpty(doc);
}

TEST(MarkupStructureTest, AnEndTagWithNothingOpenEndsTheDocument) {
  CMarkupDocument doc;
  ASSERT_TRUE(doc.LoadFromText(L"<a/></a><b/>"));
  EXPECT_STREQ(L"a", doc.RootElement().ElementName());
  EXPECT_FALSE(doc.RootElement().NextSibling().IsValid());
}

TEST(MarkupStructureTest, ReloadAndClearInvalidateTheOldDocument) {
  CMarkupDocument doc(L"<a><b/></a>");
  EXPECT_STREQ(L"a", doc.RootElement().ElementName());
  ASSERT_FALSE(doc.LoadFromText(L"<a></b>"));
  EXPECT_STREQ(L"Unmatched closing tag", doc.LastErrorMessage());
  ExpectEmpty(doc);
  ASSERT_TRUE(doc.LoadFromText(L"<c/>"));
  EXPECT_STREQ(L"", doc.LastErrorMessage());
  EXPECT_STREQ(L"c", doc.RootElement().ElementName());
  ASSERT_FALSE(doc.LoadFromText(L"x"));
  doc.Clear();
  EXPECT_STREQ(L"Expected start tag", doc.LastErrorMessage());  // Clear keeps the texts.
  ExpectEmpty(doc);
}

// --- Encodings --------------------------------------------------------------------------------

TEST(MarkupBytesTest, Utf8WithAndWithoutMarkGiveTheSameElements) {
  const std::string body =
      "<Window text=\"\xE7\xAD\x89\xE5\xBE\x85\xE5\xAE\x89\xE8\xA3\x85\xE2\x80\xA6\"><Label/></Window>";
  const std::string with_mark = "\xEF\xBB\xBF" + body;
  for (const std::string& bytes : {body, with_mark}) {
    CMarkupDocument doc;
    ASSERT_TRUE(doc.LoadFromBytes(bytes.data(), bytes.size(), MarkupEncoding::Utf8));
    EXPECT_STREQ(L"Window", doc.RootElement().ElementName());
    EXPECT_STREQ(L"\x7B49\x5F85\x5B89\x88C5\x2026", doc.RootElement().AttributeValueAt(0));
    EXPECT_STREQ(L"Label", doc.RootElement().FirstChild().ElementName());
  }
}

TEST(MarkupBytesTest, LoadFromBytesFailsWithoutByteOrderMark) {
  const unsigned char little[] = {0xFF, 0xFE, '<', 0, 'a', 0, '/', 0, '>', 0};
  CMarkupDocument doc;
  ASSERT_TRUE(doc.LoadFromBytes(little, sizeof(little), MarkupEncoding::Utf16));
  EXPECT_STREQ(L"a", doc.RootElement().ElementName());
  EXPECT_FALSE(doc.LoadFromBytes(little + 2, sizeof(little) - 2, MarkupEncoding::Utf16));
  EXPECT_STREQ(L"Could not convert document", doc.LastErrorMessage());
  EXPECT_STREQ(L"", doc.LastErrorLocation());
  ExpectEmpty(doc);
}

TEST(MarkupBytesTest, NullOrEmptyInput) {
  CMarkupDocument doc;
  EXPECT_FALSE(doc.LoadFromBytes(nullptr, 5, MarkupEncoding::Utf8));
  EXPECT_STREQ(L"Could not convert document", doc.LastErrorMessage());
  EXPECT_FALSE(doc.LoadFromText(nullptr));
  EXPECT_TRUE(doc.LoadFromBytes(nullptr, 0, MarkupEncoding::Utf8));
  EXPECT_FALSE(doc.RootElement().IsValid());
}

// --- Entities ---------------------------------------------------------------------------------

TEST(MarkupEntityTest, DecodingIsSinglePass) {
  CMarkupDocument doc;
  ASSERT_TRUE(
      doc.LoadFromText(L"<a v=\"file='x.png' dest=&quot;0,0,1,1&quot;\" w=\"&amp;lt;\" u=\"&nbsp;&amp\">"
                       L"&amp;&amp;&lt;&gt;&apos;&quot; &amp;lt; &unknown; &</a>"));
  CMarkupCursor root = doc.RootElement();
  EXPECT_STREQ(L"file='x.png' dest=\"0,0,1,1\"", root.AttributeValueAt(0));
  EXPECT_STREQ(L"&lt;", root.AttributeValueAt(1));
  EXPECT_STREQ(L"&nbsp;&amp", root.AttributeValueAt(2));
  EXPECT_EQ(L"&&<>'\" &lt; &unknown; &", TextAtData(doc, 1));
}

TEST(MarkupEntityTest, ShortenedValuesLeaveSpacesAndAQuoteTurnedToSpace) {
  CMarkupDocument doc;
  ASSERT_TRUE(doc.LoadFromText(L"<a v=\"&lt;&gt;\" w=\"ab\"/>"));
  const wchar_t* buffer = doc.DocumentBuffer();
  EXPECT_EQ(std::wstring(L"<>\0       w", 11), std::wstring(buffer + 6, 11));
  // Not shortened: the closing quote holds the terminator (and the '/' of "/>" the next one).
  EXPECT_EQ(std::wstring(L"ab\0\0>", 5), std::wstring(buffer + 19, 5));
  EXPECT_EQ(22u, doc.ElementRecord(1)->data);  // An empty element's data is the '/' of "/>".
  EXPECT_EQ(2, doc.RootElement().AttributeCount());
}

// --- Errors -----------------------------------------------------------------------------------

struct ErrorCase {
  const wchar_t* text;
  const wchar_t* message;
  const wchar_t* location;
};

class MarkupErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(MarkupErrorTest, FailsWithMessageAndLocation) {
  const ErrorCase& c = GetParam();
  CMarkupDocument doc(L"<loaded/>");
  EXPECT_FALSE(doc.LoadFromText(c.text));
  EXPECT_STREQ(c.message, doc.LastErrorMessage());
  EXPECT_STREQ(c.location, doc.LastErrorLocation());
  ExpectEmpty(doc);
}

INSTANTIATE_TEST_SUITE_P(
    AllParserMessages, MarkupErrorTest,
    ::testing::Values(ErrorCase{L"hello", L"Expected start tag", L"hello"},
                      ErrorCase{L"<a/> x", L"Expected start tag", L"x"},
                      ErrorCase{L"<a><b/>tail</a>", L"Expected start tag", L"tail</a>"},
                      ErrorCase{L"<a><b><c/>", L"Expected start tag", L""},
                      ErrorCase{L"<!-- a -> b --><a/>", L"Expected start tag", L"b --><a/>"},
                      ErrorCase{L"<Window", L"Error parsing element name", L"Window"},
                      ErrorCase{L"<a><", L"Error parsing element name", L""},
                      ErrorCase{L"<a x=\"1\"", L"Expected start-tag closing", L""},
                      ErrorCase{L"<a x=\"1\" / >", L"Expected start-tag closing", L"/ >"},
                      ErrorCase{L"<a><b><c>text", L"Expected end-tag start", L""},
                      ErrorCase{L"<a></b>", L"Unmatched closing tag", L"b>"},
                      ErrorCase{L"<a></A>", L"Unmatched closing tag", L"A>"},
                      ErrorCase{L"<a></ab>", L"Unmatched closing tag", L"ab>"},
                      ErrorCase{L"<a></a x>", L"Unmatched closing tag", L"a x>"},
                      ErrorCase{L"<a><b></a></b>", L"Unmatched closing tag", L"a></b>"},
                      ErrorCase{L"<a></a", L"Unmatched closing tag", L"a"},
                      ErrorCase{L"<a shadow-size=\"2\"/>", L"Error while parsing attributes",
                                L"-size=\"2\"/>"},
                      ErrorCase{L"<a x y=\"1\"/>", L"Error while parsing attributes", L"y=\"1\"/>"},
                      ErrorCase{L"<a/b>", L"Error while parsing attributes", L">"},
                      ErrorCase{L"<a x='1'/>", L"Expected attribute value", L"'1'/>"},
                      ErrorCase{L"<a x=", L"Expected attribute value", L""},
                      ErrorCase{L"<a x=\"1/>", L"Error while parsing attribute string", L""},
                      ErrorCase{L"<a x=\"1&amp;", L"Error while parsing attribute string", L""}));

TEST(MarkupErrorTextTest, LocationIsCutAt49Characters) {
  std::wstring text = L"<a></";
  for (int i = 0; i < 80; ++i) text += static_cast<wchar_t>(L'a' + i % 26);
  CMarkupDocument doc;
  ASSERT_FALSE(doc.LoadFromText(text.c_str()));
  EXPECT_EQ(text.substr(5, 49), doc.LastErrorLocation());
}

// --- Attributes -------------------------------------------------------------------------------

TEST(MarkupAttributeTest, OnlySixtyFourAttributesAreVisible) {
  std::wstring text = L"<a";
  for (int i = 0; i < 65; ++i) text += L" a" + std::to_wstring(i) + L"=\"" + std::to_wstring(i * 2) + L"\"";
  text += L"><b/></a>";
  CMarkupDocument doc;
  ASSERT_TRUE(doc.LoadFromText(text.c_str()));
  CMarkupCursor root = doc.RootElement();
  ASSERT_EQ(64, root.AttributeCount());
  EXPECT_STREQ(L"a63", root.AttributeNameAt(63));
  EXPECT_STREQ(L"126", root.AttributeValueAt(63));
  EXPECT_STREQ(L"", root.AttributeNameAt(64));
  wchar_t value[8] = {};
  EXPECT_FALSE(root.CopyAttributeValue(L"a64", value, 7));
  EXPECT_STREQ(L"b", root.FirstChild().ElementName());
}

TEST(MarkupAttributeTest, CopyFindsTheFirstNameIgnoringCase) {
  CMarkupDocument doc;
  ASSERT_TRUE(doc.LoadFromText(L"<a Size=\"abcdef\" size=\"second\" empty=\"\"/>"));
  CMarkupCursor root = doc.RootElement();
  wchar_t buffer[10];
  wmemset(buffer, L'#', 10);
  EXPECT_TRUE(root.CopyAttributeValue(L"SIZE", buffer, 3));
  EXPECT_EQ(std::wstring(L"abc#"), std::wstring(buffer, 4));  // Not terminated at the maximum.
  wmemset(buffer, L'#', 10);
  EXPECT_TRUE(root.CopyAttributeValue(L"size", buffer, 6));
  EXPECT_EQ(std::wstring(L"abcdef#"), std::wstring(buffer, 7));
  EXPECT_TRUE(root.CopyAttributeValue(L"size", buffer, 9));
  EXPECT_STREQ(L"abcdef", buffer);
  EXPECT_TRUE(root.CopyAttributeValue(L"EMPTY", buffer, 9));
  EXPECT_STREQ(L"", buffer);
  EXPECT_FALSE(root.CopyAttributeValue(L"siz", buffer, 9));
  EXPECT_FALSE(root.CopyAttributeValue(L"sizes", buffer, 9));
}

TEST(MarkupAttributeTest, OutOfRangeAndInvalidNodes) {
  CMarkupDocument doc(L"<a x=\"1\"><b/></a>");
  CMarkupCursor root = doc.RootElement();
  EXPECT_TRUE(root.HasAttributeList());
  EXPECT_STREQ(L"", root.AttributeNameAt(-1));
  EXPECT_STREQ(L"", root.AttributeValueAt(1));
  EXPECT_FALSE(root.FirstChild().HasAttributeList());
  EXPECT_EQ(0, root.FirstChild().AttributeCount());

  CMarkupCursor invalid;
  EXPECT_FALSE(invalid.IsValid());
  EXPECT_EQ(nullptr, invalid.ElementName());
  EXPECT_EQ(nullptr, invalid.AttributeNameAt(0));
  EXPECT_EQ(nullptr, invalid.AttributeValueAt(0));
  EXPECT_FALSE(invalid.HasAttributeList());
  EXPECT_EQ(0, invalid.AttributeCount());
  EXPECT_FALSE(invalid.HasChildElements());
  EXPECT_FALSE(invalid.FirstChild().IsValid());
  EXPECT_FALSE(invalid.NextSibling().IsValid());
  wchar_t buffer[4] = {};
  EXPECT_FALSE(invalid.CopyAttributeValue(L"x", buffer, 3));
}

// The attribute walk stops at the start tag's end, whatever the element's text looks like.
TEST(MarkupAttributeTest, TextAfterTheTagIsNeverAnAttribute) {
  CMarkupDocument doc;
  ASSERT_TRUE(doc.LoadFromText(L"<a x=\"\" >\"q\" y=\"2\"</a>"));
  ASSERT_EQ(1, doc.RootElement().AttributeCount());
  EXPECT_STREQ(L"", doc.RootElement().AttributeValueAt(0));
  ASSERT_TRUE(doc.LoadFromText(L"<a x=\"1\" >"));
  EXPECT_EQ(1, doc.RootElement().AttributeCount());
}

TEST(MarkupAttributeTest, NamesFollowTheLetterAndDigitRule) {
  CMarkupDocument doc;
  ASSERT_TRUE(doc.LoadFromText(L"<ns:Win_2 a_b:c9=\"1\" \x540D\x79F0=\"\x503C\"/>"));
  CMarkupCursor root = doc.RootElement();
  EXPECT_STREQ(L"ns:Win_2", root.ElementName());
  EXPECT_STREQ(L"a_b:c9", root.AttributeNameAt(0));
  EXPECT_STREQ(L"\x540D\x79F0", root.AttributeNameAt(1));
  EXPECT_STREQ(L"\x503C", root.AttributeValueAt(1));
}

}  // namespace
}  // namespace veneer
