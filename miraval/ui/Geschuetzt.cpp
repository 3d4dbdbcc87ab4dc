#include "miraval/ui/Geschuetzt.h"

#include "miraval/app/Main.h"

void MeldeUnerwartetenFehler(const std::string& what)
{
    TFormMain::ApplicationEventsException(what);
}
