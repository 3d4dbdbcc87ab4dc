// The variant dialog: every code in and out, the check-box chain, an unknown code, and the
// help text of the chosen code from both kinds of help file.
#include "miraval/ui/DlgDefinitionAlarmzentrale.h"
#include "tests/support/TestOrdner.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class DlgDefinitionAlarmzentraleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ordner = TestOrdner("miraval-variante");
        fs::remove_all(ordner);
        fs::create_directories(ordner);
        // Each section names its id; "#id200" stands before "#id20" so that a key found
        // inside a longer one shows the wrong text.
        std::string rtf = R"({\rtf1 Vorspann\par #id200\par Hilfe 200\par )";
        for (int id = 8; id <= 22; ++id)
            rtf += "#id" + std::to_string(id) + "\\par Hilfe " + std::to_string(id) + "\\par ";
        rtf += "}";
        std::ofstream(ordner / "az_deu.rtf", std::ios::binary) << rtf;
    }
    void TearDown() override { fs::remove_all(ordner); }

    std::string Hilfe() const { return (ordner / "az_deu.rtf").string(); }

    fs::path ordner;
};

std::string Text(const TDlgDefinitionAlarmzentrale& d)
{
    return d.RichEditFeld->toPlainText().trimmed().toStdString();
}

bool Aktiv(const TDlgDefinitionAlarmzentrale& d, const QWidget* panel)
{
    return panel->palette().color(QPalette::Window) == d.FarbeAktiv();
}

struct TZeile {
    uint32_t code;
    int variante;
    std::vector<bool> boxen; // the variant's chain, checked
    int hilfe;
};

TEST_F(DlgDefinitionAlarmzentraleTest, EveryCodeOpensItsVariantAndComesBackOnOk)
{
    const TZeile tabelle[] = {
        {0x00000000, 1, {}, 8},
        {0x11330000, 2, {false}, 9},
        {0x113344CC, 2, {true}, 10},
        {0x11000000, 3, {false, false, false}, 11},
        {0x11220000, 3, {true, false, false}, 12},
        {0x11224400, 3, {true, true, false}, 13},
        {0x11224488, 3, {true, true, true}, 14},
        {0x11000098, 4, {false, false}, 15},
        {0x112200B8, 4, {true, false}, 16},
        {0x112244F8, 4, {true, true}, 17},
        {0x110044CC, 5, {false}, 18},
        {0x112244CC, 5, {true}, 19},
        {0x11004498, 6, {false}, 20},
        {0x11224498, 6, {true}, 21},
        {0x112244B8, 7, {}, 22},
    };
    for (const TZeile& z : tabelle) {
        SCOPED_TRACE(z.code);
        uint32_t code = z.code;
        TDlgDefinitionAlarmzentrale d(nullptr, &code, Hilfe());
        d.FormShow();
        const std::vector<std::vector<QCheckBox*>> ketten = {
            {},
            {d.ChkVariante2Sb3Sb4},
            {d.ChkVariante3Sb2, d.ChkVariante3Sb3, d.ChkVariante3Sb4},
            {d.ChkVariante4Sb2, d.ChkVariante4Sb3},
            {d.ChkVariante5Sb2},
            {d.ChkVariante6Sb2},
            {}};
        for (int v = 1; v <= 7; ++v) {
            const auto i = static_cast<std::size_t>(v - 1);
            EXPECT_EQ(d.RbtnAzVariante[i]->isChecked(), v == z.variante) << v;
            EXPECT_EQ(d.PanelAzVariante[i]->isEnabled(), v == z.variante) << v;
            for (int n = 1; n <= 4 && v > 1; ++n) {
                const bool vorhanden = v == z.variante && ((z.code >> (8 * (4 - n))) & 0xFF) != 0;
                EXPECT_EQ(Aktiv(d, d.PanelVarianteSb[i][static_cast<std::size_t>(n - 1)]), vorhanden) << v << n;
            }
        }
        const auto& kette = ketten[static_cast<std::size_t>(z.variante - 1)];
        ASSERT_EQ(kette.size(), z.boxen.size());
        bool davorAn = true;
        for (std::size_t b = 0; b < kette.size(); ++b) {
            EXPECT_EQ(kette[b]->isChecked(), z.boxen[b]) << b;
            EXPECT_EQ(kette[b]->isEnabled(), davorAn) << b;
            davorAn = davorAn && z.boxen[b];
        }
        EXPECT_EQ(d.GetHilfeId(), z.hilfe);
        EXPECT_EQ(Text(d), "Hilfe " + std::to_string(z.hilfe));
        EXPECT_TRUE(Aktiv(d, d.PanelVariante1Feuer));
        EXPECT_TRUE(Aktiv(d, d.PanelVariante1Ueberfall));

        code = 0xDEADBEEF;
        d.BtnOkClick();
        EXPECT_EQ(d.result(), 1);
        EXPECT_EQ(code, z.code);
    }
}

TEST_F(DlgDefinitionAlarmzentraleTest, UnknownCodeOpensAsVariantTwoWithAllAreas)
{
    uint32_t code = 0x12345678;
    TDlgDefinitionAlarmzentrale d(nullptr, &code, Hilfe());
    d.FormShow();
    EXPECT_TRUE(d.RbtnAzVariante[1]->isChecked());
    EXPECT_TRUE(d.ChkVariante2Sb3Sb4->isChecked());
    d.BtnOkClick();
    EXPECT_EQ(code, 0x113344CCu);
}

TEST_F(DlgDefinitionAlarmzentraleTest, AnUncheckedBoxEndsTheChain)
{
    uint32_t code = 0x11224488;
    TDlgDefinitionAlarmzentrale d(nullptr, &code, Hilfe());
    d.FormShow();
    d.ChkVariante3Sb2->click();
    EXPECT_EQ(d.GetVariante(), 0x11000000u);
    EXPECT_FALSE(d.ChkVariante3Sb3->isEnabled());
    EXPECT_FALSE(d.ChkVariante3Sb4->isEnabled());
    EXPECT_TRUE(d.ChkVariante3Sb4->isChecked()) << "a box behind the end keeps its state";
    EXPECT_EQ(Text(d), "Hilfe 11");
    d.ChkVariante3Sb2->click();
    EXPECT_EQ(d.GetVariante(), 0x11224488u);

    // Another radio: its own chain counts, the old variant is switched off.
    d.RbtnAzVariante[5]->click();
    EXPECT_EQ(d.GetVariante(), 0x11004498u);
    EXPECT_FALSE(d.PanelAzVariante[2]->isEnabled());
    EXPECT_FALSE(d.ChkVariante3Sb2->isEnabled());
    EXPECT_FALSE(Aktiv(d, d.PanelVarianteSb[2][0]));
    EXPECT_EQ(Text(d), "Hilfe 20") << "the key #id20 must not match #id200";
}

TEST_F(DlgDefinitionAlarmzentraleTest, CancelLeavesTheCallersCode)
{
    uint32_t code = 0x11330000;
    TDlgDefinitionAlarmzentrale d(nullptr, &code, Hilfe());
    d.FormShow();
    d.ChkVariante2Sb3Sb4->click();
    d.BtnAbbrechenClick();
    EXPECT_EQ(d.result(), 2);
    EXPECT_EQ(code, 0x11330000u);
}

TEST_F(DlgDefinitionAlarmzentraleTest, HelpFromATextFileAndNothingFromAMissingFile)
{
    std::ofstream(ordner / "hilfe.txt") << "#id90\nneunzig\n#ID9\nneun\nzweite Zeile\n#id10\nzehn\n";
    uint32_t code = 0x11330000;
    TDlgDefinitionAlarmzentrale text(nullptr, &code, (ordner / "hilfe.txt").string());
    text.FormShow();
    EXPECT_EQ(Text(text), "neun\nzweite Zeile");

    TDlgDefinitionAlarmzentrale fehlt(nullptr, &code, (ordner / "fehlt.rtf").string());
    fehlt.RichEditFeld->setPlainText("vorher");
    fehlt.FormShow();
    EXPECT_EQ(Text(fehlt), "vorher");
}

} // namespace
