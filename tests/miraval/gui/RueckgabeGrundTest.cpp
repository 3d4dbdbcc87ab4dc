// The reason line of a failed return to ETS: the cause in German, ETS's own words after it.
#include "miraval/app/RueckgabeGrund.h"

#include <gtest/gtest.h>

namespace {

using F = TEts2Cdi::TStoreFault;

TEST(RueckgabeGrund, SaysTheCauseInGermanBeforeWhatEtsSaid)
{
    const struct {
        const char* name;
        F fehler;
        const char* ursache;
    } faelle[] = {
        {"Locked", F::Locked, "Die Projektdatenbank ist von einem anderen Programm gesperrt."},
        {"ReadOnly", F::ReadOnly, "Die Projektdatenbank ist schreibgeschützt."},
        {"Full", F::Full, "Der Datenträger der Projektdatenbank ist voll."},
        {"Io", F::Io, "Die Projektdatenbank konnte nicht geschrieben werden (Ein-/Ausgabefehler)."},
        {"Other", F::Other, "Die Projektdatenbank meldet einen Fehler."},
        {"NotTheStores", F::None, "Die ETS hat die Rückgabe abgelehnt."},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(RueckgabeGrund(f.fehler, "ReturnToEts: disk I/O error"),
                  std::string(f.ursache) + "\nReturnToEts: disk I/O error");
    }
}

} // namespace
