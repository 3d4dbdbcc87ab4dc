// The display areas dialog: masks in and out against the variant's arming areas.
#include "miraval/ui/DlgAnzeige.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

bool Aktiv(const TDlgAnzeige& d, const QWidget* panel)
{
    return panel->palette().color(QPalette::Window) == d.FarbeAktiv();
}

struct TZeile {
    uint32_t variante;
    uint32_t maskeEin;
    uint32_t benutzbar; // SSB boxes (bits 0-3) that can be used
    uint32_t maskeAus;  // OK without a click
};

TEST(DlgAnzeige, MaskInAndOutFollowsTheAreasOfTheVariant)
{
    const TZeile tabelle[] = {
        {0x11000098, 0x3F, 0x9, 0x39},
        {0x00000000, 0x3F, 0x0, 0x30},
        {0x00000000, 0x0F, 0x0, 0x00},
        {0x112244B8, 0x15, 0xF, 0x15},
        {0x11330000, 0x2A, 0x3, 0x22},
        {0x11224400, 0x07, 0x7, 0x07},
        {0x110044CC, 0xFFFFFFFF, 0xD, 0x3D},
    };
    for (const TZeile& z : tabelle) {
        SCOPED_TRACE(::testing::Message() << std::hex << z.variante << " " << z.maskeEin);
        uint32_t maske = z.maskeEin;
        TDlgAnzeige d(nullptr, &maske, z.variante);
        d.FormShow();
        for (std::size_t n = 0; n < 4; ++n) {
            const bool benutzbar = (z.benutzbar & (1u << n)) != 0;
            EXPECT_EQ(TDlgAnzeige::SsbVorhanden(z.variante, static_cast<int>(n + 1)), benutzbar) << n;
            EXPECT_EQ(d.ChkSsb[n]->isEnabled(), benutzbar) << n;
            EXPECT_EQ(d.ChkSsb[n]->isChecked(), benutzbar && (z.maskeEin & (1u << n)) != 0) << n;
            EXPECT_EQ(Aktiv(d, d.PanelSsb[n]), d.ChkSsb[n]->isChecked()) << n;
        }
        EXPECT_TRUE(d.ChkFeuer->isEnabled());
        EXPECT_TRUE(d.ChkUeberfall->isEnabled());
        EXPECT_EQ(Aktiv(d, d.PanelFeuer), (z.maskeEin & TDlgAnzeige::BitFeuer) != 0);
        d.BtnOkClick();
        EXPECT_EQ(d.result(), 1);
        EXPECT_EQ(maske, z.maskeAus);
    }
}

TEST(DlgAnzeige, ClicksColourThePanelsAndCancelKeepsTheMask)
{
    uint32_t maske = 0x01;
    TDlgAnzeige d(nullptr, &maske, 0x11330000);
    d.FormShow();
    EXPECT_EQ(d.PanelFeuer->text(), QStringLiteral("Feuermelder"));
    EXPECT_EQ(d.PanelUeberfall->text(), QStringLiteral("Überfallmelder"));
    d.ChkSsb[1]->click();
    d.ChkUeberfall->click();
    d.ChkSsb[0]->click();
    EXPECT_TRUE(Aktiv(d, d.PanelSsb[1]));
    EXPECT_TRUE(Aktiv(d, d.PanelUeberfall));
    EXPECT_FALSE(Aktiv(d, d.PanelSsb[0]));
    d.ChkSsb[3]->click(); // disabled: no effect
    d.BtnAbbrechenClick();
    EXPECT_EQ(d.result(), 2);
    EXPECT_EQ(maske, 0x01u);
    d.BtnOkClick();
    EXPECT_EQ(maske, 0x22u);
}

} // namespace
