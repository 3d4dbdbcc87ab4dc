// Safety copy, recovery and templates.
#include "miraval/app/Main.h"
#include "tamsel/Tamsel.h"

void TFormMain::Import() {}
void TFormMain::Export() {}
void TFormMain::RestoreSaveCopy() {}
bool TFormMain::SaveToFile(const std::string&)
{
    return true;
}
void TFormMain::RecoveryCheck(bool, int32_t) {}
