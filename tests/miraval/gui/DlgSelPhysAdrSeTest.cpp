// The switching-device address dialog: which devices it offers in which order, what is
// preselected, and what OK, "Keine PA", Cancel and the close box leave in the result.
#include "miraval/ui/DlgSelPhysAdrSe.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "support/qt/ModalDialog.h"
#include "support/Zeilenname.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

int Zeigen(TDlgSelPhysAdrSe& dialog, const std::function<void(TDlgSelPhysAdrSe&)>& aktion)
{
    return ZeigeModal(dialog, aktion);
}

// Rows as "name|address text", in list order, the selected one marked with "*".
std::vector<std::string> Zeilen(const QTreeWidget& liste)
{
    std::vector<std::string> zeilen;
    for (int i = 0; i < liste.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = liste.topLevelItem(i);
        zeilen.push_back((item->isSelected() ? "*" : "") + item->text(0).toStdString() + "|" +
                         item->text(1).toStdString());
    }
    return zeilen;
}

std::string Text(const TPhysAdrEintrag& e)
{
    return e.Text + "=" + std::to_string(e.Adresse) + " " + e.Name;
}

// Device 02.00.007 is the switching device being edited; 01.02.009 is another one's of the
// same area, so both are in the area's list.
const std::list<TPhysAdrEintrag> Geraete{{0x2007, "02.00.007", "Aktor"},
                                         {0x1209, "01.02.009", "Tür"},
                                         {0x1203, "01.02.003", "Taster"}};
const std::list<int32_t> Benutzt{0x1209, 0x2007};

TEST(DlgSelPhysAdrSe, OffersTheFreeDevicesAndTheCurrentOneSortedByAddress)
{
    TPhysAdrEintrag ergebnis{0x2007, "02.00.007"};
    TDlgSelPhysAdrSe dialog(nullptr, &ergebnis, Geraete, Benutzt);
    EXPECT_EQ(Zeilen(*dialog.lvPhysAdrSe), (std::vector<std::string>{"Taster|01.02.003", "*Aktor|02.00.007"}));
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Physikalische Adresse Schalteinrichtung auswählen");
    EXPECT_EQ(dialog.lvPhysAdrSe->headerItem()->text(0).toStdString(), "Geräte-Name");
    EXPECT_EQ(dialog.lvPhysAdrSe->headerItem()->text(1).toStdString(), "Physikalische Adresse");
    EXPECT_EQ(dialog.lvPhysAdrSe->toolTip().toStdString(), "Physikalische Adresse der Schalteinrichtung auswählen");
    EXPECT_EQ(dialog.LabelPhysAdr->text().toStdString(),
              "Parametrierte Physikalische Adresse Schalteinrichtung:   02.00.007");
    EXPECT_EQ(dialog.BtnOk->text().toStdString(), "Ok");
    EXPECT_EQ(dialog.BtnAbbrechen->text().toStdString(), "Abbrechen");
    EXPECT_EQ(dialog.BtnNoPhysAdr->text().toStdString(), "Keine PA");
}

TEST(DlgSelPhysAdrSe, WithoutAnAddressNothingIsPreselectedAndUsedDevicesAreLeftOut)
{
    TPhysAdrEintrag ergebnis;
    TDlgSelPhysAdrSe dialog(nullptr, &ergebnis, Geraete, Benutzt);
    EXPECT_EQ(Zeilen(*dialog.lvPhysAdrSe), (std::vector<std::string>{"Taster|01.02.003"}));
    EXPECT_EQ(dialog.LabelPhysAdr->text().toStdString(), "Parametrierte Physikalische Adresse Schalteinrichtung:   ...");

    TDlgSelPhysAdrSe leer(nullptr, &ergebnis, {}, {});
    EXPECT_EQ(leer.lvPhysAdrSe->topLevelItemCount(), 0);
}

struct TZeile {
    const char* name;
    TPhysAdrEintrag vorher;
    int klickZeile; // the row clicked first; -1 none
    enum { Ok, KeinePa, Abbrechen, Schliessen } wie;
    int ergebnis;
    const char* nachher; // the result record as "text=word name"
};

struct DlgSelPhysAdrSeErgebnis : ::testing::TestWithParam<TZeile> {};

TEST_P(DlgSelPhysAdrSeErgebnis, LeavesTheChoiceInTheRecord)
{
    const TZeile& z = GetParam();
    TPhysAdrEintrag ergebnis = z.vorher;
    TDlgSelPhysAdrSe dialog(nullptr, &ergebnis, Geraete, Benutzt);
    const int modal = Zeigen(dialog, [&](TDlgSelPhysAdrSe& d) {
        if (z.klickZeile >= 0) {
            QTreeWidget* liste = d.lvPhysAdrSe;
            const QRect feld = liste->visualItemRect(liste->topLevelItem(z.klickZeile));
            QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, feld.center());
        }
        switch (z.wie) {
        case TZeile::Ok:
            d.BtnOk->click();
            break;
        case TZeile::KeinePa:
            d.BtnNoPhysAdr->click();
            break;
        case TZeile::Abbrechen:
            d.BtnAbbrechen->click();
            break;
        case TZeile::Schliessen:
            d.close();
            break;
        }
    });
    EXPECT_EQ(modal, z.ergebnis);
    EXPECT_EQ(Text(ergebnis), z.nachher);
}

INSTANTIATE_TEST_SUITE_P(
    Knoepfe, DlgSelPhysAdrSeErgebnis,
    ::testing::Values(
        TZeile{"OkTakesThePreselectedDevice", {0x2007, "02.00.007"}, -1, TZeile::Ok, 1, "02.00.007=8199 Aktor"},
        TZeile{"OkTakesTheClickedDevice", {0x2007, "02.00.007"}, 0, TZeile::Ok, 1, "01.02.003=4611 Taster"},
        TZeile{"OkWithoutSelectionLeavesTheRecord", {}, -1, TZeile::Ok, 1, "=0 "},
        TZeile{"KeinePaClearsTheAddressOnly", {0x2007, "02.00.007", "Aktor"}, 0, TZeile::KeinePa, 1, "=0 Aktor"},
        TZeile{"CancelLeavesTheRecord", {0x2007, "02.00.007"}, 0, TZeile::Abbrechen, 2, "02.00.007=8199 "},
        TZeile{"TheCloseBoxLeavesTheRecord", {0x2007, "02.00.007"}, 0, TZeile::Schliessen, 2, "02.00.007=8199 "}),
    TZeilenName());

} // namespace
