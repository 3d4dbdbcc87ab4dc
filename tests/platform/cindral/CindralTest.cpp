#include "cindral/qt/CindralQt.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace {

TEST(Cindral, DetailTextNamesDetailsPlaceAndGermanDateAndTime)
{
    const QDateTime shown(QDate(2024, 3, 7), QTime(9, 5, 2));
    EXPECT_EQ(DetailText("Objekt 3:\n\rnicht gefunden", "DevInst", 1160, "TDeviceInstanz::UpdateGroupAddressFromId",
                         shown)
                  .toStdString(),
              "Objekt 3:\nnicht gefunden\n\nDatei: DevInst\nZeile: 1160\n"
              "Funktion: TDeviceInstanz::UpdateGroupAddressFromId\nDatum: 07.03.2024\nUhrzeit: 09:05:02");
    EXPECT_EQ(DetailText("", "Main", 1, "f", shown).toStdString(),
              "Datei: Main\nZeile: 1\nFunktion: f\nDatum: 07.03.2024\nUhrzeit: 09:05:02");
}

} // namespace
