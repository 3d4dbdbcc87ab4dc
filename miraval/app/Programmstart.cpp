#include "miraval/app/Programmstart.h"

#include "miraval/ui/Geschuetzt.h"

int StarteGeschuetzt(const std::function<int()>& lauf)
{
    int ergebnis = 0;
    Geschuetzt([&] { ergebnis = lauf(); });
    return ergebnis;
}
