#pragma once
// TDlgSelPhysAdrSe: the modal dialog in which the installer picks the physical address of one
// switching device of an arming area from the devices of the project on the area's arming
// input (or sets none).
//
// Offered are the candidates whose address no other switching device of the area uses; the
// address of the result record itself is offered even when the used addresses list it (they
// are the area's whole list), so that the current device is there and preselected. Rows are
// sorted by address word, ascending.
//
// Modal results: 1 OK (the selected row, if any, goes into the result record) and "Keine PA"
// (text "" and word 0 into the record), 2 Cancel, Escape or the close box.

#include "miraval/devinst/EditorHost.h"

#include <QDialog>

#include <cstdint>
#include <list>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;
class QWidget;

class TDlgSelPhysAdrSe : public QDialog {
public:
    // ergebnis (not owned) is read now and written by OK and "Keine PA" only; both lists are
    // copied.
    TDlgSelPhysAdrSe(QWidget* owner, TPhysAdrEintrag* ergebnis, const std::list<TPhysAdrEintrag>& geraete,
                     const std::list<int32_t>& benutzt);

    void LadeDlgTexte();
    void FillListView();
    void BtnOkClick();
    void BtnNoPhysAdrClick();
    void BtnAbbrechenClick();
    // Cancel, also for Escape and the close box.
    void reject() override;

    // The candidate a row shows (index into the dialog's copy); null for no row.
    const TPhysAdrEintrag* Eintrag(int zeile) const;

    // ---- Components (names as the form has them) ---------------------------------------------
    QTreeWidget* lvPhysAdrSe = nullptr;
    QWidget* Panel1 = nullptr;
    QLabel* LabelPhysAdr = nullptr;
    QPushButton* BtnOk = nullptr;
    QPushButton* BtnAbbrechen = nullptr;
    QPushButton* BtnNoPhysAdr = nullptr;

private:
    TPhysAdrEintrag* m_ergebnis;
    std::vector<TPhysAdrEintrag> m_geraete;
    std::list<int32_t> m_benutzt;
};
