// Selecting and linking group addresses for a communication object.
#include "miraval/app/Main.h"

#include "miraval/devinst/DevInstAz.h"
#include "miraval/ui/DlgLinkToGrpAdr.h"
#include "miraval/ui/DlgSelGrpAddr.h"
#include "quillon/EtsObjekt.h"
#include "tamsel/Tamsel.h"

#include <memory>
#include <new>

// The dialog writes the links on OK only; the current device instance answers its searches
// and makes the group addresses typed into it.
int TFormMain::DlgSelGrpAddr(TObjektBasis& objekt, std::vector<TObjektBasis::RecGrpAdrId>& links,
                             const std::map<int32_t, TVireoGrpAdrSub*>& auswahl, int)
{
    LOG_FKT("TFormMain::DlgSelGrpAddr");
    TEtsGruppenAdressen* reader = AktDevInst != nullptr ? AktDevInst->GetEtsGruppenAdressen() : nullptr;
    std::unique_ptr<TDlgSelGrpAddr> dialog;
    try {
        dialog = std::make_unique<TDlgSelGrpAddr>(this, GetGrpAdrLevel(), &objekt, &links, &auswahl, reader,
                                                  AktDevInst);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    return dialog->exec();
}

void TFormMain::LinkToGrpAdr()
{
    LOG_FKT("TFormMain::LinkToGrpAdr");
    if (AktDevInst == nullptr)
        return;
    TDataBasis* daten = GetSelTreeData();
    if (daten == nullptr || daten->GetTyp() != TEtsObjekt::kTyp)
        return;
    auto* objekt = dynamic_cast<TObjektBasis*>(daten);
    if (objekt == nullptr)
        return;
    bool dreiEbenen = true;
    std::string vorschlag;
    AktDevInst->GetNextHighestAndFreeGrpAdr(&dreiEbenen, vorschlag);
    std::string name;
    uint16_t main = 0;
    uint16_t middle = 0;
    uint16_t sub = 0;
    TDlgLinkToGrpAdr dialog(this, vorschlag, &name, &main, &middle, &sub, dreiEbenen);
    if (dialog.exec() != 1)
        return;
    // An address that exists already is answered by ETS and linked as it is.
    AktDevInst->CreateGrpAdr(objekt, static_cast<int16_t>(main), static_cast<int16_t>(middle),
                             static_cast<int16_t>(sub), name);
}
