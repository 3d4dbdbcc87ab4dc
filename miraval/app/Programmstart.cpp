#include "miraval/app/Programmstart.h"

#include "miraval/app/Main.h"
#include "miraval/ui/Geschuetzt.h"
#include "win32/MessageBox.h"

#include <ostream>

int StarteGeschuetzt(const std::function<int()>& lauf)
{
    int ergebnis = 0;
    Geschuetzt([&] { ergebnis = lauf(); });
    return ergebnis;
}

int StoreAbgelehnt(std::ostream& fehler, const std::string& programm, const std::string& grund, bool anzeige)
{
    fehler << programm << ": " << grund << '\n' << std::flush;
    if (anzeige)
        MessageBox(nullptr, grund, GetAnwendungsTitel(), MB_OK | MB_ICONERROR);
    return 1;
}
