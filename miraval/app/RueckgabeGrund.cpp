#include "miraval/app/RueckgabeGrund.h"

std::string RueckgabeGrund(TEts2Cdi::TStoreFault fehler, const std::string& meldung)
{
    using F = TEts2Cdi::TStoreFault;
    const char* ursache = "Die ETS hat die Rückgabe abgelehnt.";
    switch (fehler) {
    case F::Locked:
        ursache = "Die Projektdatenbank ist von einem anderen Programm gesperrt.";
        break;
    case F::ReadOnly:
        ursache = "Die Projektdatenbank ist schreibgeschützt.";
        break;
    case F::Full:
        ursache = "Der Datenträger der Projektdatenbank ist voll.";
        break;
    case F::Io:
        ursache = "Die Projektdatenbank konnte nicht geschrieben werden (Ein-/Ausgabefehler).";
        break;
    case F::Other:
        ursache = "Die Projektdatenbank meldet einen Fehler.";
        break;
    case F::None:
        break;
    }
    return std::string(ursache) + "\n" + meldung;
}
