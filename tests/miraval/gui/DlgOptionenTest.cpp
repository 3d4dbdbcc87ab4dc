// The options dialog: INI values in and out, the minutes' range, Cancel, and the ETS
// profile values of the hidden page (written only after a complete read).
#include "miraval/ui/DlgOptionen.h"

#include "miraval/dienste/DaMo.h"
#include "miraval/dienste/IniKeys.h"
#include "miraval/dienste/IniRegistry.h"
#include "DemoProject.h"
#include "kestrin/Ets2Cdi.h"
#include "morrow/EtsProfile.h"
#include "quillon/UserMessages.h"
#include "support/RecordingWindow.h"
#include "support/ScriptedMessageBox.h"
#include "tests/support/TestOrdner.h"
#include "win32/Shell.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class DlgOptionenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ordner = TestOrdner("miraval-optionen");
        fs::remove_all(ordner);
        fs::create_directories(ordner);
        SetModuleFileNameOverride((ordner / "miraval").string());
        dm = std::make_unique<TDM>();
        DM = dm.get();
        DM->MainHandle = hauptfenster.Handle();
        ASSERT_TRUE(BuildDemoProject(ordner / "demo.db").ok);
        ASSERT_TRUE(ets.OpenProjectStore(ordner / "demo.db").ok);
    }
    void TearDown() override
    {
        ets.CloseProjectStore();
        dm.reset();
        DM = nullptr;
        SetModuleFileNameOverride("");
        fs::remove_all(ordner);
    }

    int32_t IniInt(const TIniIntKey& key) const { return TIniRegistry().Read(DM->IniDatei, key); }
    bool IniBool(const TIniBoolKey& key) const { return TIniRegistry().Read(DM->IniDatei, key); }
    bool IniHat(const char* key) const { return TIniRegistry().ValueExists(DM->IniDatei, "Options", key); }
    std::string Profil(const std::string& section, const std::string& key)
    {
        std::string wert;
        EXPECT_TRUE(TEtsProfile(&ets).Read(section, key, std::string("-"), wert));
        return wert;
    }

    fs::path ordner;
    std::unique_ptr<TDM> dm;
    TRecordingWindow hauptfenster;
    TEts2Cdi ets{nullptr, kDemoModuleName, false};
};

TEST_F(DlgOptionenTest, WithoutIniFileTheDefaultsReplaceTheDataModulesValues)
{
    DM->GridAutoSize = false;
    DM->GridColDefSize = 77;
    DM->TableAutoCellActivate = false;
    TDlgOptionen d(nullptr, &ets);
    EXPECT_TRUE(d.CBGridAutoSize->isChecked());
    EXPECT_EQ(d.EditGridColDefSize->text(), QStringLiteral("150"));
    EXPECT_FALSE(d.EditGridColDefSize->isEnabled());
    EXPECT_TRUE(d.CheckBoxAutoCell->isChecked());
    EXPECT_EQ(d.EditAutoCellRow->text(), QStringLiteral("1"));
    EXPECT_TRUE(d.CBAutoSave->isChecked());
    EXPECT_EQ(d.UpDownAutoSave->value(), 5);
    EXPECT_TRUE(DM->GridAutoSize);
    EXPECT_EQ(DM->GridColDefSize, 150);
    EXPECT_TRUE(DM->TableAutoCellActivate);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Optionen"));
}

TEST_F(DlgOptionenTest, OkWritesTheIniFileAndTheNextOpeningReadsIt)
{
    {
        TDlgOptionen d(nullptr, &ets);
        d.CBGridAutoSize->click();
        d.EditGridColDefSizeEnter();
        d.EditGridColDefSize->setText(QStringLiteral("222"));
        d.EditGridColDefSizeExit();
        d.EditAutoCellRow->setText(QStringLiteral("3"));
        d.CBAutoSave->click();
        d.UpDownAutoSave->setValue(17);
        d.CBGridLine->click();
        d.CBAskOverwrite->setChecked(false);
        d.Farbwahl = [](uint32_t& farbe) {
            farbe = 0x123456;
            return true;
        };
        d.EditColorGridTitleDblClick();
        hauptfenster.Clear();
        d.BitBtn1Click();
        EXPECT_EQ(d.result(), TDlgOptionen::ModalOk);
        EXPECT_EQ(hauptfenster.MessageIds(), (std::vector<UINT>{UM_LoadColor, UM_LoadSize}));
    }
    EXPECT_FALSE(IniBool(IniKey::GridAutoSize));
    EXPECT_EQ(IniInt(IniKey::GridColDefSize), 222);
    EXPECT_EQ(IniInt(IniKey::TabelAutoCellActivateRowNumber), 2);
    EXPECT_FALSE(IniBool(IniKey::AutoSave));
    EXPECT_EQ(IniInt(IniKey::AutoSaveMinuten), 17);
    EXPECT_EQ(IniInt(IniKey::Gitternetzlinien), 0);
    EXPECT_EQ(IniInt(IniKey::ColorGridTitle), 0x123456);
    EXPECT_EQ(IniInt(IniKey::ColorGridCommmon), static_cast<int32_t>(0x8000000F)) << "the data module's value";
    EXPECT_FALSE(IniBool(IniKey::AskOverwrite));
    EXPECT_FALSE(DM->AutoSave);
    EXPECT_EQ(DM->AutoSaveMinuten, 17);
    EXPECT_FALSE(DM->TimerAutoSave()->isActive());

    DM->GridColDefSize = 1;
    TDlgOptionen wieder(nullptr, &ets);
    EXPECT_FALSE(wieder.CBGridAutoSize->isChecked());
    EXPECT_EQ(wieder.EditGridColDefSize->text(), QStringLiteral("222"));
    EXPECT_TRUE(wieder.EditGridColDefSize->isEnabled());
    EXPECT_EQ(DM->GridColDefSize, 222);
    EXPECT_EQ(wieder.EditAutoCellRow->text(), QStringLiteral("3"));
    EXPECT_FALSE(wieder.CBAutoSave->isChecked());
    EXPECT_EQ(wieder.UpDownAutoSave->value(), 17);
    EXPECT_FALSE(wieder.CBGridLine->isChecked());
    EXPECT_EQ(wieder.GetEditFarbe(2), 0x123456u);
    EXPECT_FALSE(wieder.CBAskOverwrite->isChecked());
}

// The dialog switches the auto-save and sets its interval; whether it runs is the edit's to
// say: OK starts no timer while none runs, and stops a running one that was switched off.
TEST_F(DlgOptionenTest, OkStartsNoAutoSaveItselfAndStopsOneSwitchedOff)
{
    for (const bool lief : {false, true}) {
        SCOPED_TRACE(lief ? "a running timer" : "no timer running");
        DM->AutoSave = true;
        DM->AutoSaveMinuten = 5;
        DM->StartTimerAutoSave(lief);
        {
            TDlgOptionen d(nullptr, &ets);
            ASSERT_TRUE(d.CBAutoSave->isChecked());
            d.UpDownAutoSave->setValue(7);
            d.BitBtn1Click();
        }
        EXPECT_EQ(DM->TimerAutoSave()->isActive(), lief);
        EXPECT_EQ(DM->TimerAutoSave()->interval(), 7 * 60000);
        TDlgOptionen aus(nullptr, &ets);
        aus.CBAutoSave->click();
        aus.BitBtn1Click();
        EXPECT_FALSE(DM->TimerAutoSave()->isActive());
        fs::remove(DM->IniDatei);
    }
}

TEST_F(DlgOptionenTest, MinutesStayWithinOneToSixty)
{
    struct TZeile {
        const char* gespeichert; // nullptr: no entry
        int gezeigt;
    };
    const TZeile tabelle[] = {{nullptr, 5}, {"0", 1}, {"-4", 1}, {"1", 1}, {"60", 60}, {"61", 60}, {"70000", 60}};
    for (const TZeile& z : tabelle) {
        SCOPED_TRACE(z.gespeichert ? z.gespeichert : "none");
        fs::remove(DM->IniDatei);
        if (z.gespeichert) {
            ASSERT_TRUE(TIniRegistry().WriteString(DM->IniDatei, "Options", "AutoSaveMinuten", z.gespeichert));
        }
        TDlgOptionen d(nullptr, &ets);
        EXPECT_EQ(d.UpDownAutoSave->value(), z.gezeigt);
        d.BitBtn1Click();
        EXPECT_EQ(IniInt(IniKey::AutoSaveMinuten), z.gezeigt);
        EXPECT_EQ(DM->AutoSaveMinuten, z.gezeigt);
        EXPECT_EQ(DM->TimerAutoSave()->interval(), z.gezeigt * 60000);
    }
}

TEST_F(DlgOptionenTest, ANegativeNumberTypedIntoTheMinutesKeepsThePreviousValue)
{
    TDlgOptionen d(nullptr, &ets);
    d.show();
    d.UpDownAutoSave->setValue(10);
    d.UpDownAutoSave->selectAll();
    QTest::keyClicks(d.UpDownAutoSave, QStringLiteral("-5"));
    EXPECT_EQ(d.UpDownAutoSave->value(), 10);
    EXPECT_EQ(d.UpDownAutoSave->text(), QStringLiteral("10"));
}

TEST_F(DlgOptionenTest, CancelRestoresTheFiveGridSettingsOnly)
{
    DM->ColorGridCommmon = 0x010203;
    DM->ColorGridCell = 0x040506;
    DM->ColorGridTitle = 0x070809;
    DM->ColorGridCellReadOnly = 0x0A0B0C;
    DM->Gitternetzlinien = 1;
    TDlgOptionen d(nullptr, &ets);
    d.Farbwahl = [](uint32_t& farbe) {
        farbe = 0xFFFFFF;
        return true;
    };
    d.EditColorGridCommonDblClick();
    d.EditColorGridCellDblClick();
    d.EditColorGridTitleDblClick();
    d.EditColorGridCellReadOnlyDblClick();
    d.CBGridLine->click();
    d.CBGridAutoSize->click();
    EXPECT_EQ(DM->ColorGridCell, 0xFFFFFF) << "a chosen colour reaches the data module at once";
    EXPECT_EQ(DM->Gitternetzlinien, 0);
    hauptfenster.Clear();
    d.BitBtn2Click();
    EXPECT_EQ(d.result(), TDlgOptionen::ModalAbbrechen);
    EXPECT_EQ(hauptfenster.MessageIds(), (std::vector<UINT>{UM_LoadColor}));
    EXPECT_EQ(DM->ColorGridCommmon, 0x010203);
    EXPECT_EQ(DM->ColorGridCell, 0x040506);
    EXPECT_EQ(DM->ColorGridTitle, 0x070809);
    EXPECT_EQ(DM->ColorGridCellReadOnly, 0x0A0B0C);
    EXPECT_EQ(DM->Gitternetzlinien, 1);
    EXPECT_FALSE(DM->GridAutoSize) << "the automatic width stays changed in memory";
    EXPECT_FALSE(IniHat("GridAutoSize"));
    EXPECT_FALSE(IniHat("ColorGridCommmon"));
}

TEST_F(DlgOptionenTest, EditsPutBackUsableNumbersWhenLeft)
{
    TDlgOptionen d(nullptr, &ets);
    d.CBGridAutoSize->click();
    d.EditGridColDefSizeEnter();
    for (const char* text : {"0", "-3", "abc"}) {
        d.EditGridColDefSize->setText(QString::fromLatin1(text));
        d.EditGridColDefSizeExit();
        EXPECT_EQ(DM->GridColDefSize, 150) << text;
    }
    for (const char* text : {"abc", "0", "-7"}) {
        d.EditAutoCellRow->setText(QString::fromLatin1(text));
        d.EditAutoCellRowExit();
        EXPECT_EQ(d.EditAutoCellRow->text(), QStringLiteral("1")) << text;
    }
    // OK with the focus still in the row edit (the Enter key) stores what leaving it would.
    d.EditAutoCellRow->setText(QStringLiteral("abc"));
    d.BitBtn1Click();
    EXPECT_EQ(IniInt(IniKey::TabelAutoCellActivateRowNumber), 0);
    EXPECT_EQ(DM->TableAutoCellActivateRow, 0);
}

TEST_F(DlgOptionenTest, EtsProfileValuesAreShownAndWrittenOnOk)
{
    TScriptedMessageBox boxen;
    TDlgOptionen d(nullptr, &ets);
    EXPECT_TRUE(d.IsEtsProfilGelesen());
    EXPECT_EQ(d.EditBcuFirm->text(), QStringLiteral("18"));
    EXPECT_EQ(d.EditFileBcuFirm->text(), QStringLiteral("Firmware/Bcu12.s19"));
    EXPECT_EQ(d.EditIdFirm->text(), QStringLiteral("3"));
    EXPECT_EQ(d.EditFileIdFirm->text(), QStringLiteral("Firmware/Az244_V3.s19"));
    EXPECT_EQ(d.EditRepeat->text(), QStringLiteral("5"));
    EXPECT_TRUE(d.CheckBoxAllTransfer->isChecked());

    d.EditRepeat->setText(QStringLiteral("x"));
    d.EditRepeatExit();
    EXPECT_EQ(d.EditRepeat->text(), QStringLiteral("5"));
    d.EditFileIdFirm->setText(QString::fromStdString((ordner / "fehlt.s19").string()));
    d.EditFileIdFirmExit();
    EXPECT_EQ(d.EditFileIdFirm->text(), QStringLiteral("Firmware/Az244_V3.s19"));

    d.EditIdFirm->setText(QStringLiteral("4"));
    d.EditFileIdFirm->setText(QStringLiteral("Firmware/Az244_V4.s19"));
    d.EditRepeat->setText(QStringLiteral("7"));
    d.CheckBoxAllTransfer->setChecked(false);
    d.BitBtn1Click();
    EXPECT_EQ(boxen.Count(), 0u);
    EXPECT_EQ(Profil("Compiler", "BcuFirmwareVersion"), "18");
    EXPECT_EQ(Profil("Compiler", "UserFirmwareVersion"), "4");
    EXPECT_EQ(Profil("UserFirmware", "4"), "Firmware/Az244_V4.s19");
    EXPECT_EQ(Profil("UserFirmware", "3"), "Firmware/Az244_V3.s19");
    EXPECT_EQ(Profil("Download", "MaxRepeat"), "7");
    EXPECT_EQ(Profil("Download", "UserMemAlles"), "0");

    // The default button brings the "Default" section's values and writes them back there.
    d.ButtonDefaultClick();
    EXPECT_EQ(d.EditIdFirm->text(), QStringLiteral("3"));
    EXPECT_EQ(d.EditRepeat->text(), QStringLiteral("3"));
    EXPECT_FALSE(d.CheckBoxAllTransfer->isChecked());
    EXPECT_EQ(Profil("Default", "MaxRepeat"), "3");
}

TEST_F(DlgOptionenTest, AFailedProfileReadIsReportedAndOkLeavesTheProfileAlone)
{
    ASSERT_TRUE(ets.ExecuteSql("UPDATE ets_profile SET value = 'x' "
                               "WHERE section = 'Compiler' AND key = 'UserFirmwareVersion';")
                    .ok);
    TScriptedMessageBox boxen;
    TDlgOptionen d(nullptr, &ets);
    EXPECT_FALSE(d.IsEtsProfilGelesen());
    ASSERT_EQ(boxen.Count(), 2u);
    EXPECT_EQ(boxen.Shown()[0].text.rfind("Can't read: UserFirmwareVersion\nFile: DlgOption\nLine: ", 0), 0u)
        << boxen.Shown()[0].text;
    EXPECT_EQ(boxen.Shown()[0].text.back(), '\n');
    EXPECT_EQ(boxen.Shown()[0].caption, "TDlgOptionen::GetEtsRegData-Error");
    EXPECT_EQ(boxen.Shown()[0].flags, MB_OK | MB_ICONERROR);
    EXPECT_EQ(boxen.Shown()[1].text, "");
    EXPECT_EQ(boxen.Shown()[1].caption, "");
    // What was read before the failure is shown; the rest holds the documented defaults.
    EXPECT_EQ(d.EditBcuFirm->text(), QStringLiteral("18"));
    EXPECT_EQ(d.EditIdFirm->text(), QStringLiteral("0"));
    EXPECT_EQ(d.EditFileIdFirm->text(), QString());
    EXPECT_EQ(d.EditRepeat->text(), QStringLiteral("3"));

    d.BitBtn1Click();
    EXPECT_EQ(boxen.Count(), 2u);
    EXPECT_EQ(Profil("Compiler", "UserFirmwareVersion"), "x");
    EXPECT_EQ(Profil("Download", "MaxRepeat"), "5");
    EXPECT_EQ(Profil("UserFirmware", "0"), "-");
}

} // namespace
