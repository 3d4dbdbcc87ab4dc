// Clipboard transfer of configuration data.
#include "miraval/app/Main.h"
#include "tamsel/Tamsel.h"

void TFormMain::Kopieren() {}
void TFormMain::Einfuegen() {}
