// Selecting and linking group addresses for a communication object.
#include "miraval/app/Main.h"
#include "tamsel/Tamsel.h"

int TFormMain::DlgSelGrpAddr(TObjektBasis&, std::vector<TObjektBasis::RecGrpAdrId>&,
                             const std::map<int32_t, TVireoGrpAdrSub*>&, int)
{
    return -1;
}

void TFormMain::LinkToGrpAdr()
{
    LOG_FKT("TFormMain::LinkToGrpAdr");
    // The link dialog is not part of the program yet.
}

