#include "miraval/app/RueckgabeGrund.h"

namespace {

const char* Ursache(TEts2Cdi::TStoreFault fehler)
{
    using F = TEts2Cdi::TStoreFault;
    switch (fehler) {
    case F::Locked:
        return "Die Projektdatenbank ist von einem anderen Programm gesperrt.";
    case F::ReadOnly:
        return "Die Projektdatenbank ist schreibgeschützt.";
    case F::Full:
        return "Der Datenträger der Projektdatenbank ist voll.";
    case F::Io:
        return "Die Projektdatenbank konnte nicht geschrieben werden (Ein-/Ausgabefehler).";
    case F::Other:
        return "Die Projektdatenbank meldet einen Fehler.";
    case F::None:
        break;
    }
    return "Die ETS hat die Rückgabe abgelehnt.";
}

} // namespace

std::string RueckgabeGrund(TEts2Cdi::TStoreFault fehler, const std::string& meldung)
{
    return std::string(Ursache(fehler)) + "\n" + meldung;
}
