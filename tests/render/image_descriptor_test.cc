#include "ui/render/image_descriptor.h"

#include <gtest/gtest.h>

namespace veneer {
namespace {

ImageDescriptor Parse(const wchar_t* descriptor, const wchar_t* modifier = nullptr, int scale = 100) {
  ImageDescriptor record;
  ParseImageDescriptor(&record, descriptor, modifier, scale);
  return record;
}

void ExpectRect(const RECT& rect, LONG left, LONG top, LONG right, LONG bottom) {
  EXPECT_EQ(left, rect.left);
  EXPECT_EQ(top, rect.top);
  EXPECT_EQ(right, rect.right);
  EXPECT_EQ(bottom, rect.bottom);
}

TEST(ImageDescriptorTest, NamesTheImage) {
  ImageDescriptor bare = Parse(L"bg.png");
  EXPECT_EQ(L"bg.png", bare.image_name);
  EXPECT_EQ(L"bg.png", bare.descriptor_text);
  EXPECT_EQ(255, bare.fade);
  EXPECT_TRUE(bare.resource_type.IsEmpty());

  EXPECT_EQ(L"bg.png", Parse(L"file='bg.png'").image_name);
  ImageDescriptor resource = Parse(L"res='101' restype='PNG'");
  EXPECT_EQ(L"101", resource.image_name);
  EXPECT_EQ(L"PNG", resource.resource_type);
  // Blanks and commas belong to the value.
  EXPECT_EQ(L"my pictures/a,b.png", Parse(L"file='my pictures/a,b.png'").image_name);
  // Keys are case-sensitive, and an empty value changes nothing: the whole text stays the name.
  EXPECT_EQ(L"FILE='x.png'", Parse(L"FILE='x.png'").image_name);
  EXPECT_EQ(L"file=''", Parse(L"file=''").image_name);
}

TEST(ImageDescriptorTest, ItemsAreSeparatedBySingleBlanks) {
  EXPECT_EQ(128, Parse(L"file='a.png'  fade='128'").fade);    // Extra blanks are skipped.
  EXPECT_EQ(128, Parse(L"file = 'a.png' fade= '128'").fade);  // Blanks around '='.
  ImageDescriptor comma = Parse(L"file='a.png',fade='128'");
  EXPECT_EQ(L"a.png", comma.image_name);
  EXPECT_EQ(255, comma.fade);
  ImageDescriptor glued = Parse(L"file='a.png'corner='1,1,1,1'");
  EXPECT_EQ(L"a.png", glued.image_name);
  ExpectRect(glued.corner, 0, 0, 0, 0);
  ImageDescriptor trailing = Parse(L"file='scroll.png' source='0,26,8,42' corner='5,5,5,5' ");
  ExpectRect(trailing.source, 0, 26, 8, 42);
  ExpectRect(trailing.corner, 5, 5, 5, 5);
  // A value without its closing quote is dropped; what came before stays.
  ImageDescriptor open = Parse(L"file='a.png' corner='1,1");
  EXPECT_EQ(L"a.png", open.image_name);
  ExpectRect(open.corner, 0, 0, 0, 0);
  // A key without '=' and a quote ends the scan.
  EXPECT_FALSE(Parse(L"file='a.png' hole hole='true'").hole);
}

TEST(ImageDescriptorTest, ReadsEveryKey) {
  ImageDescriptor record = Parse(
      L"file='a.png' dest='10,10,20,20' source='1,2,3' corner='2, 2, 2, 2' mask='#FFFF00FF' fade='300' "
      L"hole='TRUE' xtiled='true' ytiled='yes' hsl='True'");
  ExpectRect(record.dest, 10, 10, 20, 20);
  ExpectRect(record.source, 1, 2, 3, 0);  // A missing number reads as 0.
  ExpectRect(record.corner, 2, 2, 2, 2);
  EXPECT_EQ(0xFFFF00FFu, record.mask);
  EXPECT_EQ(300 & 0xFF, record.fade);
  EXPECT_TRUE(record.hole);
  EXPECT_TRUE(record.xtiled);
  EXPECT_FALSE(record.ytiled);
  EXPECT_TRUE(record.hsl);

  EXPECT_EQ(0, Parse(L"fade='256'").fade);
  EXPECT_EQ(255, Parse(L"fade='-1'").fade);
  EXPECT_EQ(0x00FF00u, Parse(L"mask='00ff00'").mask);
}

TEST(ImageDescriptorTest, ModifierOverridesTheDescriptor) {
  ImageDescriptor record = Parse(L"file='s.png' source='8,0,16,8' fade='100'", L"source='0,0,8,8'");
  EXPECT_EQ(L"s.png", record.image_name);
  ExpectRect(record.source, 0, 0, 8, 8);
  EXPECT_EQ(100, record.fade);
  EXPECT_EQ(L"source='0,0,8,8'", record.modifier_text);
}

TEST(ImageDescriptorTest, TheMiddleCellIsAHoleBeforeItIsTiled) {
  const struct {
    const wchar_t* text;
    NineGridMiddle middle;
  } cases[] = {
      {L"file='a.png'", NineGridMiddle::kStretch},
      {L"file='a.png' xtiled='true'", NineGridMiddle::kTileX},
      {L"file='a.png' ytiled='true'", NineGridMiddle::kTileY},
      {L"file='a.png' xtiled='true' ytiled='true'", NineGridMiddle::kTileXY},
      {L"file='a.png' xtiled='true' ytiled='true' hole='true'", NineGridMiddle::kHole},
  };
  for (const auto& c : cases) EXPECT_TRUE(c.middle == Parse(c.text).Middle()) << c.text;
}

TEST(ImageDescriptorTest, RectanglesFollowTheDisplayScale) {
  ImageDescriptor record = Parse(L"file='a.png' dest='10,10,20,21' corner='-3,1,3,4'", nullptr, 150);
  // Left and top scale; width and height scale separately (11 * 1.5 = 16.5 rounds to 17).
  ExpectRect(record.dest, 15, 15, 30, 32);
  // Halves round away from zero: -4.5 gives -5; width 6 gives 9.
  ExpectRect(record.corner, -5, 2, 4, 7);
}

TEST(ImageDescriptorTest, ParsingStartsFromACleanRecord) {
  ImageDescriptor record = Parse(L"file='a.png' hole='true' fade='7' mask='#12345678'");
  ParseImageDescriptor(&record, L"b.png", nullptr);
  EXPECT_EQ(L"b.png", record.image_name);
  EXPECT_FALSE(record.hole);
  EXPECT_EQ(255, record.fade);
  EXPECT_EQ(0u, record.mask);
  ClearImageDescriptor(&record);
  EXPECT_TRUE(record.image_name.IsEmpty());
  EXPECT_TRUE(record.descriptor_text.IsEmpty());
}

}  // namespace
}  // namespace veneer
