#include "dorlin/Dorlin.h"
#include "dorlin/DorlinAnzeige.h"
#include "support/RecordingWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records what the display was asked to show, as "call position/steps text".
class TRecordingAnzeige : public TDorlinAnzeige {
public:
    TRecordingAnzeige() { m_previous = SetDorlinAnzeige(this); }
    ~TRecordingAnzeige() override { SetDorlinAnzeige(m_previous); }

    std::vector<std::string> calls;

    void Info(const std::string&, const std::string&, const std::string&, const std::string&) override {}
    bool Spracheinstellung(const TSpracheinstellungTexte&, const std::map<std::string, std::string>&, int) override
    {
        return true;
    }
    void ProgressStart(const TDlgProgressStand& s) override { Record("start", s); }
    void ProgressPosition(const TDlgProgressStand& s) override { Record("position", s); }
    void ProgressSchritte(const TDlgProgressStand& s) override { Record("schritte", s); }
    void ProgressStop() override { calls.push_back("stop"); }

private:
    void Record(const char* call, const TDlgProgressStand& s)
    {
        calls.push_back(std::string(call) + " " + std::to_string(s.position) + "/" + std::to_string(s.schritte) +
                        " " + s.text);
    }
    TDorlinAnzeige* m_previous = nullptr;
};

TEST(DlgProgress, KeepsPositionWithinTheStepsThroughStartStepsAndStop)
{
    TRecordingWindow owner;
    TRecordingAnzeige anzeige;
    SetDlgProgress(); // nothing open: nothing happens
    StartDlgProgress(owner.Handle(), "Anwendung schliessen", "Datenabgleich", 0, 9);
    EXPECT_TRUE(IsDlgProgressOpen());
    for (int i = 0; i < 7; ++i)
        SetDlgProgress();
    EXPECT_EQ(DlgProgressPosition(), 7);
    SetDlgProgressSchritte(5);
    EXPECT_EQ(DlgProgressSchritte(), 5);
    EXPECT_EQ(DlgProgressPosition(), 5);
    SetDlgProgress();
    SetDlgProgressPosition(2, "");
    SetDlgProgressPosition(-4, "weiter");
    EXPECT_EQ(DlgProgressStand().titel, "Anwendung schliessen");
    StopDlgProgress();
    StopDlgProgress();
    SetDlgProgressSchritte(3);
    EXPECT_FALSE(IsDlgProgressOpen());
    ASSERT_EQ(anzeige.calls.size(), 13u);
    EXPECT_EQ(anzeige.calls[0], "start 0/9 Datenabgleich");
    EXPECT_EQ(anzeige.calls[7], "position 7/9 Datenabgleich");
    EXPECT_EQ(anzeige.calls[8], "schritte 5/5 Datenabgleich");
    EXPECT_EQ(anzeige.calls[9], "position 5/5 Datenabgleich");
    EXPECT_EQ(anzeige.calls[10], "position 2/5 Datenabgleich");
    EXPECT_EQ(anzeige.calls[11], "position 0/5 weiter");
    EXPECT_EQ(anzeige.calls[12], "stop");
}

TEST(DlgProgress, CancelPostsToTheOwnerOfTheOpenDialogAndLeavesItOpen)
{
    TRecordingWindow first, second;
    CancelDlgProgress(); // nothing open: nothing posted
    StartDlgProgress(first.Handle(), "Plug-In starten", "Lade", 0, 6);
    StartDlgProgress(second.Handle(), "Plug-In starten", "Lade", 0, 6); // replaces the first
    CancelDlgProgress();
    EXPECT_TRUE(IsDlgProgressOpen());
    StartDlgProgress(second.Handle(), "Eingänge hinzufügen", "4 Eingänge einfügen", 0, 8, 3);
    CancelDlgProgress();
    StopDlgProgress();
    CancelDlgProgress();
    EXPECT_TRUE(first.Messages().empty());
    EXPECT_EQ(second.Messages(), (std::vector<TRecordedMessage>{PostedMessage(WM_USER + 123, 0, 1),
                                                                PostedMessage(WM_USER + 123, 0, 3)}));
    PumpMessages();
}

TEST(Dorlin, WithoutADisplayTheLanguageChoiceIsNotMade)
{
    EXPECT_FALSE(StartDlgSpracheinstellung({}, {{"deu", "Deutsch"}}, 1));
    TRecordingAnzeige anzeige;
    EXPECT_TRUE(StartDlgSpracheinstellung({}, {}, 1));
}

} // namespace
