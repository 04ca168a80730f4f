// The real progress window and the Index command's worker, under Windows
// (Wine): the window's place, style and caption, the black bar's width, and
// a rebuild of the dictionary in the current folder through the worker.
#include "translator/app/workers.h"
#include "translator/storage/dictionary.h"
#include "translator/storage/dictionary_guard.h"
#include "translator/storage/integrity_check.h"
#include "translator/storage/progress_wnd.h"

#include "storage_test_util.h"
#include "tests/support/recording_presenter.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

bool IsBlack(HDC dc, int x, int y)
{
    return GetPixel(dc, x, y) == RGB(0, 0, 0);
}

TEST(ProgressWindowTest, IsAnOverlappedWindowAtTheTopLeftWithABlankTitle)
{
    CProgressWnd window;
    ASSERT_TRUE(window.Create(10));
    HWND hwnd = window.Handle();
    ASSERT_NE(hwnd, nullptr);
    RECT rect;
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(rect.top, 1);
    EXPECT_EQ(rect.right, 300);
    EXPECT_EQ(rect.bottom, 50);
    char title[16] = {};
    GetWindowTextA(hwnd, title, sizeof title);
    EXPECT_STREQ(title, "  ");
    LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(GetParent(hwnd), nullptr);
    window.Destroy();
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(ProgressWindowTest, TheBarGrowsFromTheLeftInBlack)
{
    CProgressWnd window;
    ASSERT_TRUE(window.Create(300));
    HDC dc = window.GetDrawingContext();
    ASSERT_NE(dc, nullptr);
    RECT client;
    GetClientRect(window.Handle(), &client);
    ASSERT_GT(client.right, 120);
    ASSERT_GT(client.bottom, 5);
    EXPECT_FALSE(IsBlack(dc, 5, 2));
    window.Update(100);   // 100 pixels
    EXPECT_TRUE(IsBlack(dc, 0, 2));
    EXPECT_TRUE(IsBlack(dc, 99, 2));
    EXPECT_FALSE(IsBlack(dc, 101, 2));
    window.Update(300);   // the full width
    EXPECT_TRUE(IsBlack(dc, client.right - 1, client.bottom - 1));
    window.ReleaseDrawingContext();
}

TEST(ProgressWindowTest, ATotalOfZeroDrawsNothing)
{
    CProgressWnd window;
    ASSERT_TRUE(window.Create(0));
    HDC dc = window.GetDrawingContext();
    window.Update(5);
    EXPECT_FALSE(IsBlack(dc, 2, 2));
}

TEST(ReindexWorkerTest, RebuildsTheDictionaryInTheCurrentFolder)
{
    ScopedRecordingPresenter presenter;
    TempFolder folder;
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    DictionaryFiles files;   // bare names
    ASSERT_EQ(0, CreateDictionary(files, 2026, 12, 8));
    for (int i = 0; i < 60; ++i)
        ASSERT_EQ(0, AddWordPair(("w" + std::to_string(i)).c_str(), ("p" + std::to_string(i)).c_str(), "n", files));
    std::vector<unsigned char> english = ReadBytes(files.english_index);
    ASSERT_TRUE(DeleteFileA(kSpanishIndexFileName));
    EXPECT_EQ(Reindex(nullptr), 0u);
    EXPECT_TRUE(CheckDictionary(files).Consistent());
    EXPECT_EQ(ReadBytes(files.english_index), english) << "rebuilt in table order: the same file";
    {
        DictionaryUse busy;   // another command holds the dictionary
        EXPECT_EQ(Reindex(nullptr), 3u);
    }
    EXPECT_EQ(presenter->Errors(), std::vector<std::string>{kDictionaryBusyInUse});
    SetCurrentDirectoryA(previous);
}

}  // namespace
