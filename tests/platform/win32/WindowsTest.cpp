#include "win32/MessageBox.h"
#include "support/RecordingWindow.h"
#include "win32/StringTable.h"
#include "win32/Windows.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Messages, SendCallsProcedureAtOnceAndPostWaitsForThePump)
{
    std::vector<UINT> seen;
    HWND w = CreateWindowHandle([&](HWND, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        seen.push_back(m);
        return static_cast<LRESULT>(wp) + lp;
    });
    EXPECT_EQ(SendMessage(w, WM_USER + 1, 2, 3), 5);
    EXPECT_TRUE(PostMessage(w, WM_USER + 2, 0, 0));
    EXPECT_EQ(seen, std::vector<UINT>{WM_USER + 1});
    EXPECT_EQ(PendingMessageCount(), 1);
    EXPECT_EQ(PumpMessages(), 1);
    EXPECT_EQ(seen, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
    DestroyWindow(w);
}

TEST(Messages, SendIsReentrantAndPostsDuringThePumpAreDelivered)
{
    HWND w = nullptr;
    std::vector<UINT> seen;
    w = CreateWindowHandle([&](HWND self, UINT m, WPARAM wp, LPARAM) -> LRESULT {
        seen.push_back(m);
        if (m == WM_USER + 1 && wp > 0)
            return 1 + SendMessage(self, WM_USER + 1, wp - 1, 0);
        if (m == WM_USER + 2)
            PostMessage(self, WM_USER + 3, 0, 0);
        return 0;
    });
    EXPECT_EQ(SendMessage(w, WM_USER + 1, 3, 0), 3);
    PostMessage(w, WM_USER + 2, 0, 0);
    EXPECT_EQ(PumpMessages(), 2);
    EXPECT_EQ(seen.back(), WM_USER + 3);
    DestroyWindow(w);
}

TEST(Messages, UnknownOrDestroyedWindowsAnswerZeroAndLoseTheirQueue)
{
    HWND w = CreateWindowHandle([](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 7; });
    PostMessage(w, WM_USER, 0, 0);
    DestroyWindow(w);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 0);
    EXPECT_FALSE(PostMessage(w, WM_USER, 0, 0));
    EXPECT_EQ(SendMessage(nullptr, WM_USER, 0, 0), 0);
    EXPECT_EQ(PumpMessages(), 0);
}

TEST(Messages, WordHelpersSplitAndJoinHalves)
{
    EXPECT_EQ(MAKELONG(0xFFFF, 0x0002), 0x0002FFFFu);
    EXPECT_EQ(LOWORD(0x1234ABCDu), 0xABCD);
    EXPECT_EQ(HIWORD(0x1234ABCDu), 0x1234);
    EXPECT_EQ(sizeof(WPARAM), sizeof(void*));
    EXPECT_EQ(sizeof(LPARAM), sizeof(void*));
    EXPECT_EQ(WM_USER, 1024u);
}

TEST(RecordingWindow, KeepsTheOrderOfSendsAndPostsAndAnswersFromItsTable)
{
    TRecordingWindow window;
    window.Answer(WM_USER + 5, 42);
    PostMessage(window.Handle(), WM_USER + 1, 1, 2);
    EXPECT_EQ(SendMessage(window.Handle(), WM_USER + 5, 3, 4), 42);
    EXPECT_EQ(SendMessage(window.Handle(), WM_USER + 6, 0, 0), 0);
    ASSERT_EQ(window.Messages().size(), 3u);
    EXPECT_EQ(window.Messages()[0], (TRecordedMessage{TMessageKind::Post, WM_USER + 1, 1, 2}));
    EXPECT_EQ(window.Messages()[1], (TRecordedMessage{TMessageKind::Send, WM_USER + 5, 3, 4}));
    EXPECT_EQ(window.Posts().size(), 1u);
    EXPECT_EQ(window.Sends().size(), 2u);
    PumpMessages();
}

TEST(MessageBox, HookSeesTextCaptionAndFlagsAndAnswers)
{
    std::string text, caption;
    UINT flags = 0;
    auto old = SetMessageBoxHook([&](HWND, const std::string& t, const std::string& c, UINT f) {
        text = t;
        caption = c;
        flags = f;
        return IDNO;
    });
    EXPECT_EQ(MessageBox(nullptr, "Frage", "Überschrift", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(text, "Frage");
    EXPECT_EQ(caption, "Überschrift");
    EXPECT_EQ(flags, MB_YESNO | MB_ICONQUESTION);
    SetMessageBoxHook(old);
    EXPECT_EQ(DefaultMessageBoxAnswer(MB_YESNO), IDYES);
    EXPECT_EQ(DefaultMessageBoxAnswer(MB_OK), IDOK);
}

// Without a hook nobody answers: standard error shows the box and the answer it took.
TEST(MessageBox, WithoutAHookTheBoxAndItsAnswerGoToStandardError)
{
    const auto old = SetMessageBoxHook({});
    const struct {
        UINT flags;
        int answer;
        const char* line;
    } cases[] = {
        {MB_OK, IDOK, "[Fehler] Nicht da -> OK\n"},
        {MB_YESNO | MB_DEFBUTTON2, IDYES, "[Fehler] Nicht da -> Ja\n"},
        {MB_RETRYCANCEL, IDRETRY, "[Fehler] Nicht da -> Wiederholen\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(MessageBox(nullptr, "Nicht da", "Fehler", c.flags), c.answer);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.line);
    }
    SetMessageBoxHook(old);
}

TEST(Messages, PostNotifierRunsOncePerSuccessfulPost)
{
    TRecordingWindow window;
    int notified = 0;
    SetPostNotifier([&] {
        ++notified;
        EXPECT_GT(PendingMessageCount(), 0);
    });
    PostMessage(window.Handle(), WM_USER + 1, 0, 0);
    PostMessage(window.Handle(), WM_USER + 2, 0, 0);
    PostMessage(nullptr, WM_USER + 3, 0, 0);
    SendMessage(window.Handle(), WM_USER + 4, 0, 0);
    SetPostNotifier({});
    PostMessage(window.Handle(), WM_USER + 5, 0, 0);
    EXPECT_EQ(notified, 2);
    PumpMessages();
}

TEST(InputBox, HookGetsTheTextAndItsLastStateIsTheAnswerEvenWhenCancelled)
{
    EXPECT_EQ(InputBox(nullptr, "Devicetype", "Set module name, e.g. 244_ID", "vorher"), "vorher");
    std::string caption, prompt, shown;
    auto old = SetInputBoxHook([&](HWND, const std::string& c, const std::string& p, std::string& value) {
        caption = c;
        prompt = p;
        shown = value;
        value = "244_ID";
        return false;
    });
    EXPECT_EQ(InputBox(nullptr, "Devicetype", "Set module name, e.g. 244_ID", "vorher"), "244_ID");
    EXPECT_EQ(caption, "Devicetype");
    EXPECT_EQ(prompt, "Set module name, e.g. 244_ID");
    EXPECT_EQ(shown, "vorher");
    SetInputBoxHook(old);
}

TEST(StringTable, ReadsIdsAndEscapesAndAnswersEmptyForMissingIds)
{
    auto table = TStringTable::FromTsv("1\tEins\n2\tZwei\\nDrei\\r\r\nkein\tWert\n4\t\n");
    EXPECT_EQ(table.LoadStr(1), "Eins");
    EXPECT_EQ(table.LoadStr(2), "Zwei\nDrei\r");
    EXPECT_TRUE(table.Has(4));
    EXPECT_EQ(table.LoadStr(4), "");
    EXPECT_EQ(table.LoadStr(3), "");
    EXPECT_EQ(table.Count(), 3u);
}

} // namespace
