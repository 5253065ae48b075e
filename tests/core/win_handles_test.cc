#include "ui/core/win_handles.h"

#include <gtest/gtest.h>

#include <utility>

namespace veneer {
namespace {

// True while `object` names a live GDI object.
bool IsLiveGdiObject(HGDIOBJ object) { return GetObjectType(object) != 0; }

DWORD GdiObjectCount() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

DWORD MemoryState(const void* address) {
  MEMORY_BASIC_INFORMATION info = {};
  return VirtualQuery(address, &info, sizeof(info)) ? info.State : 0;
}

TEST(WinHandlesTest, EveryGdiKindIsDeletedWithItsOwner) {
  const DWORD count_before = GdiObjectCount();
  HGDIOBJ objects[6] = {};
  {
    const ScopedFont font(
        CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    const ScopedBitmap bitmap(CreateBitmap(4, 4, 1, 32, nullptr));
    const ScopedBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
    const ScopedPen pen(CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
    const ScopedRegion region(CreateRectRgn(0, 0, 5, 5));
    const ScopedMemoryDC dc(CreateCompatibleDC(nullptr));
    const HGDIOBJ made[] = {font.get(), bitmap.get(), brush.get(), pen.get(), region.get(), dc.get()};
    for (int index = 0; index < 6; ++index) {
      objects[index] = made[index];
      ASSERT_TRUE(IsLiveGdiObject(objects[index])) << index;
    }
    if (count_before != 0) {
      EXPECT_EQ(count_before + 6, GdiObjectCount());
    }
  }
  for (int index = 0; index < 6; ++index) EXPECT_FALSE(IsLiveGdiObject(objects[index])) << index;
  EXPECT_EQ(count_before, GdiObjectCount());
}

TEST(WinHandlesTest, ResetReleaseAndMoveHandOwnershipOn) {
  ScopedBrush first(CreateSolidBrush(RGB(1, 1, 1)));
  const HBRUSH first_brush = first.get();
  HBRUSH second_brush = CreateSolidBrush(RGB(2, 2, 2));
  first.reset(second_brush);
  EXPECT_FALSE(IsLiveGdiObject(first_brush));
  first.reset(second_brush);  // Taking the handle it holds keeps it.
  EXPECT_TRUE(IsLiveGdiObject(second_brush));

  ScopedBrush moved(std::move(first));
  EXPECT_FALSE(first);
  EXPECT_EQ(second_brush, moved.get());
  {
    ScopedBrush target;
    target = std::move(moved);
    EXPECT_TRUE(IsLiveGdiObject(second_brush));
  }
  EXPECT_FALSE(IsLiveGdiObject(second_brush));

  ScopedBrush released(CreateSolidBrush(RGB(3, 3, 3)));
  const HBRUSH kept = released.release();
  released.reset();
  EXPECT_TRUE(IsLiveGdiObject(kept));
  DeleteObject(kept);
}

TEST(WinHandlesTest, ASelectionPutsThePreviousObjectBack) {
  const ScopedMemoryDC dc(CreateCompatibleDC(nullptr));
  const ScopedMemoryDC other(CreateCompatibleDC(nullptr));
  const ScopedBitmap bitmap(CreateCompatibleBitmap(dc.get(), 4, 4));
  const HGDIOBJ original = GetCurrentObject(dc.get(), OBJ_BITMAP);
  {
    const ScopedSelection selection(dc.get(), bitmap.get());
    EXPECT_TRUE(selection.IsSelected());
    EXPECT_EQ(bitmap.get(), GetCurrentObject(dc.get(), OBJ_BITMAP));
    // A bitmap selected into one context cannot be selected into another: nothing changes there.
    const ScopedSelection refused(other.get(), bitmap.get());
    EXPECT_FALSE(refused.IsSelected());
  }
  EXPECT_EQ(original, GetCurrentObject(dc.get(), OBJ_BITMAP));
  EXPECT_FALSE(ScopedSelection(dc.get(), nullptr).IsSelected());
  EXPECT_EQ(original, GetCurrentObject(dc.get(), OBJ_BITMAP));
}

TEST(WinHandlesTest, KernelFileAndModuleHandlesAreClosed) {
  HANDLE event = nullptr;
  {
    const ScopedKernelHandle owned(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    event = owned.get();
    DWORD flags = 0;
    ASSERT_TRUE(GetHandleInformation(event, &flags));
  }
  DWORD flags = 0;
  EXPECT_FALSE(GetHandleInformation(event, &flags));

  // INVALID_HANDLE_VALUE is a file handle's empty value: nothing is closed.
  const ScopedFileHandle missing(
      CreateFileW(L"Z:\\no\\such\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_FALSE(missing);

  // A copy of this program loaded as a data file is unmapped by FreeLibrary (the handle is its base
  // address plus flag bits), which makes the release visible.
  wchar_t program[MAX_PATH] = {};
  wchar_t copy[MAX_PATH] = {};
  ASSERT_NE(0u, GetModuleFileNameW(nullptr, program, MAX_PATH));
  ASSERT_NE(0u, GetTempPathW(MAX_PATH, copy));
  ASSERT_NE(0u, GetTempFileNameW(copy, L"vwh", 0, copy));
  ASSERT_TRUE(CopyFileW(program, copy, FALSE));
  const void* base = nullptr;
  {
    const ScopedModule library(LoadLibraryExW(copy, nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(library);
    base = reinterpret_cast<const void*>(reinterpret_cast<UINT_PTR>(library.get()) & ~UINT_PTR{3});
    EXPECT_EQ(static_cast<DWORD>(MEM_COMMIT), MemoryState(base));
  }
  EXPECT_EQ(static_cast<DWORD>(MEM_FREE), MemoryState(base));
  EXPECT_TRUE(DeleteFileW(copy));
}

TEST(WinHandlesTest, AWindowContextIsTakenOnlyForAWindow) {
  EXPECT_EQ(nullptr, ScopedWindowDC(nullptr).get());
  ScopedWindowDC desktop(GetDesktopWindow());
  EXPECT_NE(nullptr, desktop.get());
  ScopedWindowDC moved(std::move(desktop));
  EXPECT_EQ(nullptr, desktop.get());
  EXPECT_NE(nullptr, moved.get());
}

}  // namespace
}  // namespace veneer
