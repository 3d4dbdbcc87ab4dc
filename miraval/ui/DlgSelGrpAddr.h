#pragma once
// TDlgSelGrpAddr: the modal dialog in which the installer decides which group addresses a
// communication object is linked to. Left the addresses that may still be chosen, right those
// assigned; addresses move between them with ">", ">>", "<", "<<" or a double click. An
// address typed into the edit is found among the offered ones, or, when the project lacks it,
// made in ETS on the spot (its name asked by TDlgNewGrpAddrName) and offered.
//
// Offered are the sub groups of the map the caller gives whose size type fits the object's
// type (a free one fits every object); assigned at the start are those the caller's links
// name. The object's link limit (GetNumberSelectableGrpAdr, 0 or less: none) caps the
// assigned list.
//
// Modal results: 1 OK only (the caller's links become the assigned rows, in the order shown,
// each as (sub-group id, word 0)); 3 Cancel; 2 Escape or the close box. Only OK writes.

#include "quillon/ObjektBasis.h"
#include "win32/Windows.h"

#include <QDialog>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TDeviceInstanz;
class TEtsGruppenAdressen;
class TVireoGrpAdrSub;

class TDlgSelGrpAddr : public QDialog {
public:
    // One offered group address; the dialog owns them for its lifetime.
    struct TZeile {
        std::string Name;
        std::string AdrText;   // the ETS display text ("1/2/3" or "1/515")
        uint16_t Wort = 0;     // the complete address word
        std::string TypText;   // the size type's text ("Frei", "1 Bit" ...)
        bool Zugewiesen = false; // the id was among the caller's links at the start
        int32_t Id = 0;        // the ETS sub-group id
    };
    // Per list: the column it is sorted by (0 address, 1 name) and the direction.
    struct TSortierung {
        int Spalte = 0;
        bool Aufsteigend = true;
    };

    // ebenen: the level style (3 three levels, else two). links: read now, rewritten on OK.
    // auswahl: the sub groups that may be offered (ETS id -> node). reader: the ETS display
    // texts. instanz: the current device instance, which says whether a typed address is a
    // detector's, knows every group address of the project and makes new ones. Rows are made
    // only when object, map and reader are given. Nothing given is owned; all must outlive
    // the dialog.
    TDlgSelGrpAddr(QWidget* owner, int ebenen, TObjektBasis* objekt, std::vector<TObjektBasis::RecGrpAdrId>* links,
                   const std::map<int32_t, TVireoGrpAdrSub*>* auswahl, TEtsGruppenAdressen* reader,
                   TDeviceInstanz* instanz);
    ~TDlgSelGrpAddr() override;

    void LadeTexte();
    void MakeAdrList();
    void FillListViewSource();
    void FillListViewDest();
    // The states of ">", ">>", "<", "<<".
    void SetButtons();
    // Selects and focuses the list's item at index (clamped to the last; nothing for an empty
    // list or a negative index), then SetButtons().
    void SetButtons(QTreeWidget* liste, int index);
    // Moves the selected items of von to nach, in list order, while nach holds fewer than
    // grenze rows (grenze 0 or less: no limit); at the limit the limit message stops it. The
    // last item added, or null when none was.
    QTreeWidgetItem* MoveSelected(QTreeWidget* von, QTreeWidget* nach, int grenze);
    void btnIncludeClick();
    void btnIncludeAllClick();
    void btnExcludeClick();
    void btnExcludeAllClick();
    // Finds the address typed in the edit among the offered ones, or offers to make it.
    void btnSearchAddClick();
    void BtnOkClick();
    void BtnCancelClick();
    void BtnHelpClick();
    // A click on a column header of the list: that column sorts, a second click reverses.
    void ColumnClick(QTreeWidget* liste, int spalte);
    // Sorts the list by its sort state; selection and focus stay with their rows.
    void Sortieren(QTreeWidget* liste);
    const TSortierung& GetSortierung(const QTreeWidget* liste) const;

    // The parser and the search text in the dialog's level style (GrpAdrText).
    bool StringToGrpAddr(const std::string& text, uint16_t& main, uint16_t& middle, uint16_t& sub) const;
    std::string StringToSearchGrpAddr(const std::string& text, const std::string& trenner) const;

    // The row an item shows; null for none.
    const TZeile* Zeile(const QTreeWidgetItem* item) const;
    // Escape and the close box.
    void reject() override;

    // ---- Components (names as the form has them) ---------------------------------------------
    QGroupBox* grpbxSourceGrpAddr = nullptr;
    QTreeWidget* lvGrpAddrSource = nullptr;
    QLabel* lblGrpAddrEditText = nullptr;
    QLineEdit* edtGrpAddr = nullptr;
    QPushButton* btnSearchAdd = nullptr;
    QGroupBox* grpbxDestGrpAddr = nullptr;
    QTreeWidget* lvGrpAddrDest = nullptr;
    QPushButton* btnInclude = nullptr;
    QPushButton* btnIncludeAll = nullptr;
    QPushButton* btnExclude = nullptr;
    QPushButton* btnExcludeAll = nullptr;
    QWidget* Panel1 = nullptr;
    QPushButton* BtnOk = nullptr;
    QPushButton* BtnCancel = nullptr;
    QPushButton* BtnHelp = nullptr;

protected:
    // FormActivate: the address edit gets the focus.
    void showEvent(QShowEvent* event) override;

private:
    TZeile* NeueZeile(TVireoGrpAdrSub& node, bool zugewiesen);
    QTreeWidgetItem* NeuesItem(QTreeWidget* liste, const TZeile& zeile);
    void Fuellen(QTreeWidget* liste, bool zugewiesen);
    void SetzeFokus(QTreeWidget* liste, QTreeWidgetItem* item, bool auswaehlen);
    // The group address with that word among the sub groups of the map; null for none.
    static TVireoGrpAdrSub* SucheWort(const std::map<int32_t, TVireoGrpAdrSub*>& map, uint16_t wort);
    int Grenze() const;
    void Hinweis(const std::string& text, const std::string& such, UINT flags);

    int m_ebenen;
    TObjektBasis* m_objekt;
    std::vector<TObjektBasis::RecGrpAdrId>* m_links;
    const std::map<int32_t, TVireoGrpAdrSub*>* m_auswahl;
    TEtsGruppenAdressen* m_reader;
    TDeviceInstanz* m_instanz;
    TSortierung m_sortQuelle;
    TSortierung m_sortZiel;
    std::vector<std::unique_ptr<TZeile>> m_zeilen;
};
