#include "controls/toolkit_class.h"

#include "controls/knob.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tests/win32/win32_test_support.h"

namespace {

// Classes that take the program's "psize" cursor.
const std::vector<std::string> kPsizeClasses = {"Zut_VSClass", "Zut_KnobClass", "Zut_DigitExClass"};

bool IsPsizeClass(const std::string& name) {
    for (const std::string& c : kPsizeClasses)
        if (c == name) return true;
    return false;
}

// The two orders hold the same distinct rows (as many as the class list has) and part only at
// positions 10 to 12 (bitmap gauge, bitmap text and digit display, reversed); every class is
// registered with the shared attributes and unregistered again.
TEST(ToolkitCore, BothOrdersHoldEveryClassOnceWithTheSharedAttributes) {
    int count = 0, n = 0;
    const ToolkitClass* const* classes = ToolkitClasses(&count);
    const ToolkitClass* const* order = ToolkitUnregisterOrder(&n);
    ASSERT_GE(count, 12) << "the unregistration order swaps positions 10 and 12";
    ASSERT_EQ(n, count);
    std::set<std::string> names;
    for (int i = 0; i < count; ++i) names.insert(classes[i]->name);
    EXPECT_EQ(names.size(), static_cast<size_t>(count)) << "a class stands twice in the registration order";
    std::vector<const ToolkitClass*> reg(classes, classes + count), unreg(order, order + n);
    EXPECT_TRUE(std::is_permutation(reg.begin(), reg.end(), unreg.begin(), unreg.end()))
        << "the unregistration order names other rows";
    std::vector<int> differ;
    for (int i = 0; i < count; ++i)
        if (reg[i] != unreg[i]) differ.push_back(i + 1);
    EXPECT_EQ(differ, std::vector<int>({10, 12}));
    EXPECT_EQ(unreg[10 - 1], reg[12 - 1]);
    EXPECT_EQ(unreg[12 - 1], reg[10 - 1]);
    EXPECT_STREQ(reg[10 - 1]->name, "Zut_DigitClass");
    EXPECT_STREQ(reg[12 - 1]->name, "Zut_BmpGageClass");

    EnsureToolkitRegistered();
    HINSTANCE instance = TestInstance();
    EXPECT_EQ(g_toolkitInstance, instance);
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR psize = LoadCursorA(instance, "psize");
    ASSERT_NE(psize, nullptr);
    for (int i = 0; i < count; ++i) {
        WNDCLASSA wc = {};
        ASSERT_TRUE(GetClassInfoA(instance, classes[i]->name, &wc)) << classes[i]->name;
        EXPECT_EQ(wc.lpfnWndProc, classes[i]->proc) << classes[i]->name;
        EXPECT_EQ(wc.style, 0x4003u) << classes[i]->name;
        EXPECT_EQ(wc.cbClsExtra, 0);
        EXPECT_EQ(wc.cbWndExtra, 4);
        EXPECT_EQ(wc.hIcon, nullptr);
        EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(6));
        EXPECT_EQ(wc.lpszMenuName, nullptr);
        EXPECT_EQ(wc.hCursor, IsPsizeClass(classes[i]->name) ? psize : arrow) << classes[i]->name;
    }
    LOGFONTA lf = {};
    ASSERT_NE(SharedFont, nullptr);
    ASSERT_EQ(GetObjectA(SharedFont, sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, 14);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    EXPECT_EQ(lf.lfWidth, 0);
    EXPECT_EQ(lf.lfQuality, 0);

    HBITMAP cached = LoadCachedBitmap(instance, "start_on");
    ASSERT_NE(cached, nullptr);
    HFONT font = SharedFont;
    RegisterControlClasses(instance);  // again, without an unregistration: the same font
    EXPECT_EQ(SharedFont, font);
    UnregisterControlClasses();
    for (int i = 0; i < count; ++i) {
        WNDCLASSA wc;
        EXPECT_FALSE(GetClassInfoA(instance, classes[i]->name, &wc)) << classes[i]->name;
    }
    EXPECT_EQ(SharedFont, nullptr);
    EXPECT_EQ(GetObjectType(font), 0u) << "the shared font is deleted";
    EXPECT_EQ(GetObjectType(cached), 0u) << "cached bitmaps are deleted";
    // The cache is empty: the same name loads a fresh bitmap.
    HBITMAP again = LoadCachedBitmap(instance, "start_on");
    EXPECT_NE(again, nullptr);
    EXPECT_EQ(GetObjectType(again), static_cast<DWORD>(OBJ_BITMAP));
    FreeCachedBitmaps();
    EnsureToolkitRegistered();
}

TEST(BitmapCache, SharesHandlesCaseSensitivelyAndIgnoresTheInstanceOfLaterRequests) {
    FreeCachedBitmaps();
    HINSTANCE instance = TestInstance();
    HBITMAP a = LoadCachedBitmap(instance, "24_on");
    ASSERT_NE(a, nullptr);
    BITMAP bm = {};
    ASSERT_TRUE(GetObjectA(a, sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth, 40);
    EXPECT_EQ(bm.bmHeight, 21);
    EXPECT_EQ(LoadCachedBitmap(instance, "24_on"), a);
    // Another instance with a cached name: the cached handle.
    EXPECT_EQ(LoadCachedBitmap(GetModuleHandleA("user32.dll"), "24_on"), a);
    // Upper case is another entry (the resource itself is found either way).
    HBITMAP upper = LoadCachedBitmap(instance, "24_ON");
    EXPECT_NE(upper, nullptr);
    EXPECT_NE(upper, a);
    FreeCachedBitmaps();
    EXPECT_EQ(GetObjectType(a), 0u);
    EXPECT_EQ(GetObjectType(upper), 0u);
}

TEST(BitmapCache, MissingBitmapShowsOneNotFoundBoxUntilItsEntryIsTakenOver) {
    FreeCachedBitmaps();
    HINSTANCE instance = TestInstance();
    BoxWatcher boxes("NotFound");
    EXPECT_EQ(LoadCachedBitmap(instance, "no_such_bitmap"), nullptr);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>({"no_such_bitmap"}));
    EXPECT_EQ(LoadCachedBitmap(instance, "no_such_bitmap"), nullptr);
    EXPECT_EQ(boxes.Texts().size(), 1u) << "a failed name answers null without a new box";
    EXPECT_NE(LoadCachedBitmap(instance, "smptebak"), nullptr);  // takes the entry over
    EXPECT_EQ(LoadCachedBitmap(instance, "no_such_bitmap"), nullptr);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>({"no_such_bitmap", "no_such_bitmap"}));
    // The empty name equals an unused entry: null, no box.
    EXPECT_EQ(LoadCachedBitmap(instance, ""), nullptr);
    EXPECT_EQ(boxes.Texts().size(), 2u);
    FreeCachedBitmaps();
}

TEST(BitmapCache, IntegerIdentifiersAreRecordedAndReportedByNumber) {
    FreeCachedBitmaps();
    BoxWatcher boxes("NotFound");
    EXPECT_EQ(LoadCachedBitmap(TestInstance(), MAKEINTRESOURCEA(0x81)), nullptr);
    EXPECT_EQ(LoadCachedBitmap(TestInstance(), MAKEINTRESOURCEA(0x81)), nullptr);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>({"#129"}));
    FreeCachedBitmaps();
}

TEST(ToolkitCore, NotificationsUseSixteenBitIdsAndHandles) {
    HWND parent = CreateTestParent();
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(0x12345)),
                                 TestInstance(), nullptr);
    ASSERT_NE(child, nullptr);
    DrainPosted();
    PostCommandNotify(child, 2);
    PostScrollNotify(child, WM_HSCROLL, SB_THUMBTRACK, -2);
    const std::vector<PostedMessage> posted = DrainPosted();
    ASSERT_EQ(posted.size(), 2u);
    const LPARAM handle = LOWORD(reinterpret_cast<UINT_PTR>(child));
    EXPECT_EQ(posted[0].window, parent);
    EXPECT_EQ(posted[0].message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(posted[0].wParam, static_cast<WPARAM>(0x00022345));
    EXPECT_EQ(posted[0].lParam, handle);
    EXPECT_EQ(posted[1].message, static_cast<UINT>(WM_HSCROLL));
    EXPECT_EQ(posted[1].wParam, static_cast<WPARAM>(0xFFFE0005));
    EXPECT_EQ(posted[1].lParam, handle);
    DestroyWindow(parent);
}

// Whatever the allocator hands out, a new state block reads all zero: a knob made by hand has
// no save-under bitmap for WM_DESTROY to delete.
TEST(ToolkitCore, StateBlocksAreZeroedWhereTheyAreAllocated) {
    EnsureToolkitRegistered();
    void* (*const saved)(SIZE_T) = g_stateBlockAlloc;
    g_stateBlockAlloc = [](SIZE_T size) -> void* {
        void* block = HeapAlloc(GetProcessHeap(), 0, size);
        if (block) FillMemory(block, size, 0xCD);
        return block;
    };
    HWND parent = CreateTestParent();
    HWND knob = CreateWindowExA(0, "Zut_KnobClass", "", WS_CHILD, 0, 0, 64, 64, parent, nullptr, TestInstance(), nullptr);
    g_stateBlockAlloc = saved;
    ASSERT_NE(knob, nullptr);
    const KnobState* state = GetStateBlock<KnobState>(knob);
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->saveBitmap, nullptr);
    EXPECT_EQ(state->pos, 0);
    EXPECT_EQ(state->centerX, 32) << "the knob's own first values still stand";
    DestroyWindow(parent);
}

}  // namespace
