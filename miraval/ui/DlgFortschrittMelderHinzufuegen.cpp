#include "miraval/ui/DlgFortschrittMelderHinzufuegen.h"

#include "tamsel/Tamsel.h"

TDlgFortschrittMelderHinzufuegen::TDlgFortschrittMelderHinzufuegen(QWidget* owner) : QDialog(owner)
{
    LOG_FKT("TDlgFortschrittMelderHinzufuegen::TDlgFortschrittMelderHinzufuegen");
    setObjectName(QStringLiteral("DlgFortschrittMelderHinzufuegen"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    resize(342, 162);
}
