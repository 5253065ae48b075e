#include "ui/core/ui_string.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace veneer {
namespace {

bool UsesInlineBuffer(const CUIString& s) {
  const auto* object = reinterpret_cast<const char*>(&s);
  const auto* data = reinterpret_cast<const char*>(s.GetData());
  return data >= object && data < object + sizeof(CUIString);
}

std::wstring Repeat(wchar_t ch, int count) { return std::wstring(count, ch); }

TEST(CUIStringStorageTest, InlineUpTo62CharactersHeapFrom63) {
  CUIString s(Repeat(L'x', 62).c_str());
  EXPECT_TRUE(UsesInlineBuffer(s));
  EXPECT_EQ(62, s.GetLength());

  s = Repeat(L'y', 63).c_str();
  EXPECT_FALSE(UsesInlineBuffer(s));
  EXPECT_EQ(63, s.GetLength());
  EXPECT_EQ(Repeat(L'y', 63), s.GetData());

  s = L"ten chars!";
  EXPECT_TRUE(UsesInlineBuffer(s));
  EXPECT_STREQ(L"ten chars!", s.GetData());
}

TEST(CUIStringStorageTest, EmptyAndNullTexts) {
  CUIString empty;
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_TRUE(UsesInlineBuffer(empty));
  EXPECT_STREQ(L"", empty.GetData());

  CUIString from_null(static_cast<const wchar_t*>(nullptr));
  EXPECT_TRUE(from_null.IsEmpty());
  from_null.Append(static_cast<const wchar_t*>(nullptr));
  EXPECT_EQ(0, from_null.Compare(nullptr));
  EXPECT_EQ(-1, from_null.Find(L"a"));
}

TEST(CUIStringStorageTest, AssignCopiesExactlyTheGivenLength) {
  CUIString s;
  s.Assign(L"abcdef", 3);
  EXPECT_STREQ(L"abc", s.GetData());
  s.Assign(L"abcdef", 0);
  EXPECT_TRUE(s.IsEmpty());
  const std::wstring long_text = Repeat(L'q', 100);
  s.Assign(long_text.c_str(), 70);
  EXPECT_EQ(70, s.GetLength());
  EXPECT_FALSE(UsesInlineBuffer(s));
}

TEST(CUIStringStorageTest, AnEmbeddedNulEndsTheTextInLengthAndStorageAlike) {
  const std::wstring text = L"abc" + std::wstring(1, L'\0') + Repeat(L'b', 80);
  CUIString s(text.c_str(), static_cast<int>(text.size()));
  EXPECT_EQ(3, s.GetLength());
  EXPECT_TRUE(UsesInlineBuffer(s));
  s.Append(L"x");
  EXPECT_STREQ(L"abcx", s.GetData());
  s.Assign(text.c_str(), 2);
  EXPECT_STREQ(L"ab", s.GetData());
}

// Reserves, without committing memory, every free stretch of the address space of 16 MB or more, so
// that no allocation of that size can succeed while it lives. Only a 32-bit process can be exhausted
// this way: 64-bit Wine keeps a protection byte per reserved page, so reserving its 128 TB would take
// tens of gigabytes.
constexpr bool kAddressSpaceCanBeExhausted = sizeof(void*) == 4;

class ExhaustedAddressSpace {
 public:
  ExhaustedAddressSpace() {
    for (SIZE_T size = SIZE_T{1} << 30; size >= kSmallestStretch;) {
      void* stretch = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS);
      if (stretch) {
        stretches_.push_back(stretch);
      } else {
        size /= 2;
      }
    }
  }
  ~ExhaustedAddressSpace() {
    for (void* stretch : stretches_) VirtualFree(stretch, 0, MEM_RELEASE);
  }
  static constexpr SIZE_T kSmallestStretch = SIZE_T{16} << 20;

 private:
  std::vector<void*> stretches_;
};

TEST(CUIStringStorageTest, WithoutMemoryAssignEmptiesAppendKeepsAndFormatFails) {
  if (!kAddressSpaceCanBeExhausted) GTEST_SKIP() << "runs in the 32-bit build, the one that ships";
  const std::wstring huge(20 << 20, L'h');  // 40 MB, more than any stretch left free below.
  CUIString assigned(L"before");
  CUIString appended_inline(L"short");
  CUIString appended_heap(Repeat(L'x', 100).c_str());
  CUIString formatted(L"before");
  {
    ExhaustedAddressSpace exhausted;
    assigned.Assign(huge.c_str());
    appended_inline.Append(huge.c_str());
    appended_heap.Append(huge.c_str());
    EXPECT_EQ(-1, formatted.Format(L"%20000000d", 1));
  }
  EXPECT_TRUE(assigned.IsEmpty());
  EXPECT_STREQ(L"short", appended_inline.GetData());
  EXPECT_EQ(Repeat(L'x', 100), appended_heap.GetData());
  EXPECT_TRUE(formatted.IsEmpty());
}

TEST(CUIStringStorageTest, AppendCrossesIntoTheHeapAndKeepsTheText) {
  CUIString s(Repeat(L'a', 60).c_str());
  s.Append(L"bc");
  EXPECT_TRUE(UsesInlineBuffer(s));
  s.Append(L'd');
  EXPECT_FALSE(UsesInlineBuffer(s));
  EXPECT_EQ(Repeat(L'a', 60) + L"bcd", s.GetData());
  s += Repeat(L'e', 200).c_str();
  EXPECT_EQ(263, s.GetLength());
  EXPECT_EQ(L'e', s.GetAt(262));
}

TEST(CUIStringStorageTest, SelfReferencingAssignAndAppend) {
  CUIString s(Repeat(L'z', 80).c_str());
  s.Assign(s.GetData() + 75);
  EXPECT_STREQ(L"zzzzz", s.GetData());

  CUIString t(L"abc");
  t.Append(t.GetData());
  EXPECT_STREQ(L"abcabc", t.GetData());
  CUIString u(Repeat(L'u', 62).c_str());
  u.Append(u.GetData());
  EXPECT_EQ(Repeat(L'u', 124), u.GetData());
}

TEST(CUIStringStorageTest, CopiesAndMovesAreIndependent) {
  CUIString heap(Repeat(L'h', 100).c_str());
  CUIString copy(heap);
  EXPECT_NE(heap.GetData(), copy.GetData());
  copy.MakeLower();
  CUIString moved(static_cast<CUIString&&>(heap));
  EXPECT_TRUE(heap.IsEmpty());
  EXPECT_EQ(100, moved.GetLength());

  CUIString small(L"small");
  CUIString moved_small(static_cast<CUIString&&>(small));
  EXPECT_TRUE(UsesInlineBuffer(moved_small));
  EXPECT_STREQ(L"small", moved_small.GetData());
  EXPECT_TRUE(small.IsEmpty());
}

TEST(CUIStringCompareTest, OrderAndCase) {
  CUIString s(L"abc");
  EXPECT_EQ(0, s.Compare(L"abc"));
  EXPECT_LT(s.Compare(L"abd"), 0);
  EXPECT_LT(s.Compare(L"abcd"), 0);  // A prefix orders first.
  EXPECT_GT(s.Compare(L"ab"), 0);
  EXPECT_GT(s.Compare(L"ABC"), 0);
  EXPECT_EQ(0, s.CompareNoCase(L"ABC"));
  EXPECT_LT(s.CompareNoCase(L"ABCD"), 0);
  EXPECT_TRUE(s == L"abc");
  EXPECT_TRUE(L"abc" == s);
  EXPECT_TRUE(s != L"abC");
  EXPECT_TRUE(CUIString(L"a") < L"b");
  EXPECT_FALSE(CUIString(L"b") < L"a");
}

TEST(CUIStringCompareTest, CaseFoldingCoversNonAsciiLetters) {
  CUIString s(L"ÄÖÜ Straße ΣΑΣ");
  s.MakeLower();
  EXPECT_STREQ(L"äöü straße σασ", s.GetData());
  EXPECT_EQ(0, CUIString(L"ÉCOLE").CompareNoCase(L"école"));
}

TEST(CUIStringSearchTest, FindTextAndCharacter) {
  CUIString s(L"abcabc");
  EXPECT_EQ(1, s.Find(L"bc"));
  EXPECT_EQ(4, s.Find(L"bc", 2));
  EXPECT_EQ(-1, s.Find(L"bc", 5));
  EXPECT_EQ(-1, s.Find(L"x"));
  EXPECT_EQ(3, s.Find(L'a', 1));
  EXPECT_EQ(-1, s.Find(L'a', -1));
  EXPECT_EQ(-1, s.Find(L"a", -1));
  EXPECT_EQ(-1, s.Find(L"a", 7));
}

TEST(CUIStringSearchTest, StartAtTheLengthFindsNothing) {
  CUIString s(L"abc");
  EXPECT_EQ(-1, s.Find(L"c", 3));
  EXPECT_EQ(-1, s.Find(L'c', 3));
  EXPECT_EQ(-1, s.Find(L'\0', 3));
  CUIString empty;
  EXPECT_EQ(-1, empty.Find(L""));
  EXPECT_EQ(-1, s.Find(L"", 1));
  EXPECT_EQ(-1, empty.Find(L'a'));
}

TEST(CUIStringSubstringTest, LeftMidRightClamp) {
  CUIString s(L"abc");
  EXPECT_STREQ(L"abc", s.Right(10).GetData());
  EXPECT_STREQ(L"bc", s.Right(2).GetData());
  EXPECT_STREQ(L"", s.Right(-1).GetData());
  EXPECT_STREQ(L"bc", s.Mid(1, -1).GetData());
  EXPECT_STREQ(L"bc", s.Mid(1, 99).GetData());
  EXPECT_STREQ(L"b", s.Mid(1, 1).GetData());
  EXPECT_STREQ(L"", s.Mid(3).GetData());
  EXPECT_STREQ(L"", s.Mid(5, 2).GetData());
  EXPECT_STREQ(L"", s.Left(-5).GetData());
  EXPECT_STREQ(L"ab", s.Left(2).GetData());
  EXPECT_STREQ(L"abc", s.Left(9).GetData());
}

TEST(CUIStringReplaceTest, CountsAndNeverRescansInsertedText) {
  CUIString path(L"a\\b\\c");
  EXPECT_EQ(2, path.Replace(L"\\", L"/"));
  EXPECT_STREQ(L"a/b/c", path.GetData());

  CUIString unchanged(L"abc");
  EXPECT_EQ(0, unchanged.Replace(L"x", L"y"));
  EXPECT_STREQ(L"abc", unchanged.GetData());
  EXPECT_EQ(0, unchanged.Replace(L"", L"y"));

  CUIString a(L"aaa");
  EXPECT_EQ(3, a.Replace(L"a", L"aa"));
  EXPECT_STREQ(L"aaaaaa", a.GetData());

  CUIString removed(L"x-y-z");
  EXPECT_EQ(2, removed.Replace(L"-", nullptr));
  EXPECT_STREQ(L"xyz", removed.GetData());
}

TEST(CUIStringReplaceTest, GrowsAndShrinksAcrossTheInlineBoundary) {
  CUIString s(Repeat(L'.', 40).c_str());
  EXPECT_EQ(40, s.Replace(L".", L"<>"));
  EXPECT_EQ(80, s.GetLength());
  EXPECT_FALSE(UsesInlineBuffer(s));
  EXPECT_EQ(L"<><>", std::wstring(s.GetData(), 4));

  EXPECT_EQ(40, s.Replace(L"<>", L"!"));
  EXPECT_EQ(Repeat(L'!', 40), s.GetData());
  EXPECT_TRUE(UsesInlineBuffer(s));
}

TEST(CUIStringFormatTest, FormatsAnyLength) {
  CUIString s;
  EXPECT_EQ(9, s.Format(L"%d-%s", 1234, L"wide"));
  EXPECT_STREQ(L"1234-wide", s.GetData());
  const std::wstring long_arg = Repeat(L'w', 500);
  EXPECT_EQ(502, s.Format(L"[%s]", long_arg.c_str()));
  EXPECT_EQ(L"[" + long_arg + L"]", s.GetData());
}

TEST(CUIStringFormatTest, AFormattingErrorLeavesTheEmptyText) {
  CUIString s(L"old text");
  EXPECT_EQ(-1, s.Format(L"%2147483647d", 1));  // Longer than a length can count.
  EXPECT_TRUE(s.IsEmpty());
}

TEST(CUIStringFormatTest, FormatShortStaysWithinItsBuffer) {
  CUIString s;
  EXPECT_EQ(16, s.FormatShort(L"dest='%d,%d,%d,%d'", 0, 0, 100, 8));
  EXPECT_STREQ(L"dest='0,0,100,8'", s.GetData());

  const std::wstring long_arg = Repeat(L'L', 100);
  EXPECT_EQ(-1, s.FormatShort(L"%s", long_arg.c_str()));
  EXPECT_EQ(63, s.GetLength());
  EXPECT_EQ(Repeat(L'L', 63), s.GetData());

  const std::wstring exactly = Repeat(L'E', 63);
  EXPECT_EQ(63, s.FormatShort(L"%s", exactly.c_str()));
  EXPECT_EQ(exactly, s.GetData());
}

TEST(CUIStringOperatorsTest, Concatenation) {
  CUIString s = CUIString(L"ab") + L"cd" + L'e';
  EXPECT_STREQ(L"abcde", s.GetData());
  EXPECT_STREQ(L"<abcde", (L"<" + s).GetData());
  s += L'\0';  // Appending the terminator changes nothing.
  EXPECT_EQ(5, s.GetLength());
}

}  // namespace
}  // namespace veneer
