// The main window's safety copy and recovery, and the template export and import: each moves
// the current device's configuration container (the same bytes that ETS stores) between the
// device instance and a file.
//
// Files are written atomically and read whole before anything changes; a file that cannot be
// read or written takes the command's failure path (message, false) and never ends the
// editor. Commands that rebuild the device data stop the auto-save timer and lock every
// project window's tree; both are given back on every way out.
#include "miraval/app/Main.h"

#include "miraval/app/BaumSperre.h"

#include "miraval/devinst/DatenContainer.h"
#include "miraval/devinst/DevInstAz.h"
#include "miraval/dienste/DaMo.h"
#include "miraval/dienste/DateiZugriff.h"
#include "miraval/dienste/IniKeys.h"
#include "miraval/dienste/IniRegistry.h"
#include "miraval/dienste/Spredit.h"
#include "miraval/ui/CtrlTree.h"
#include "miraval/ui/FProjektierung.h"
#include "kestrin/Ets2Cdi.h"
#include "quillon/CursorHourGlass.h"
#include "tamsel/Tamsel.h"
#include "tessarin/SprAz.h"
#include "vcl/StringList.h"
#include "win32/MessageBox.h"

#include <QCryptographicHash>
#include <QFileDialog>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

namespace {

constexpr const char* kGeraetFehlt = "Device not found!!!";
constexpr int kRecoveryListeMax = 15;

// Empties every project window's tree: its items point at the nodes an import replaces.
void BaeumeLeeren(TFormMain& main)
{
    main.FuerAlleFormVerw([](TFormVerw* fenster) { fenster->DeleteTreeViewNodes(); });
}

// What the edit of a safety copy began from, beside it: "<id>.azb" beside "<id>.azs". A copy
// without one (written by an older program) is restored whole, as it was then.
std::string SicherungsBasis(const std::string& kopie)
{
    return std::filesystem::path(kopie).replace_extension(".azb").string();
}

// The ETS links of a stored configuration's objects; nothing for one that cannot be read.
std::optional<TDeviceInstanz::TObjektLinks> ObjektLinks(const std::string& container)
{
    DatenContainer::TContainerInhalt inhalt;
    if (!DatenContainer::ReadContainer(container, "", [](const std::string&) { return true; }, inhalt))
        return std::nullopt;
    return TDeviceInstanz::GetObjektLinks(inhalt.Datensaetze);
}

// Writes the bytes to the file, making its folder first.
bool Schreiben(const std::string& datei, const std::string& bytes)
{
    std::string fehler;
    return DateiZugriff::OrdnerAnlegen(datei, fehler) && DateiZugriff::SchreibenAtomar(datei, bytes, fehler);
}

} // namespace

// ---- Safety copy ------------------------------------------------------------------------------

// A project is its store file, so the store's canonical path identifies it. A copied store is
// a project of its own from then on and must not share copies with its origin (two copies of
// one store hold the same project name and ids, so nothing inside the store tells them
// apart); a moved store loses its offer, which is the safe way to err: a copy is never
// offered to a project it did not come from. Hashed, the path makes a short folder name
// that needs no quoting on the comma list.
std::string TFormMain::ProjektKennung() const
{
    if (m_ets == nullptr || m_ets->StoreFile().empty())
        return {};
    std::error_code ec;
    std::filesystem::path pfad = std::filesystem::absolute(m_ets->StoreFile(), ec);
    if (std::filesystem::path echt = std::filesystem::weakly_canonical(pfad, ec); !ec)
        pfad = std::move(echt);
    const QByteArray hash =
        QCryptographicHash::hash(QByteArray::fromStdString(pfad.string()), QCryptographicHash::Sha1);
    return hash.toHex().left(16).toStdString();
}

std::string TFormMain::GetSicherungsPfad(int32_t deviceId) const
{
    const std::string kennung = ProjektKennung();
    return GetProgrammOrdner() + "AZ/AutoSave/" + (kennung.empty() ? "" : kennung + "/") +
           std::to_string(deviceId) + ".azs";
}

bool TFormMain::SaveToFile(const std::string& datei)
{
    LOG_FKT("TFormMain::SaveToFile");
    if (AktDevInst == nullptr)
        return true;
    const std::string ziel = datei.empty() ? AktDevInst->GetSicherungsPfad() : datei;
    std::string container;
    // A container that cannot be made would replace the last good copy by nothing.
    if (DatenContainer::TContainerStatus status = AktDevInst->CopyStrukturDatenAlsEts(nullptr, &container); !status) {
        ShowMessageBox(status.Text, status.Caption, status.Flags);
        return false;
    }
    // The edit's safety copy goes with what the edit began from, written first: a restore
    // reads the edit's own changes from the two.
    const std::string* basis = datei.empty() ? m_bearbeitung.Basis(AktDevInst) : nullptr;
    if ((basis != nullptr && !Schreiben(SicherungsBasis(ziel), *basis)) || !Schreiben(ziel, container)) {
        ShowMessageBox("Cannot create save file:\n" + ziel, "Error Autosave", MB_OK);
        return false;
    }
    return true;
}

void TFormMain::RestoreSaveCopy()
{
    LOG_FKT("TFormMain::RestoreSaveCopy");
    TAutoSavePause pause;
    if (AktDevInst == nullptr) {
        ShowMessageBox(kGeraetFehlt, Spredit::Txt9080, MB_ICONEXCLAMATION);
        return;
    }
    const std::string pfad = AktDevInst->GetSicherungsPfad();
    const std::string zeit = DateiZugriff::AenderungsZeit(pfad);
    if (zeit.empty()) {
        ShowMessageBox(Spredit::Txt9084 + ":\n" + pfad, Spredit::Txt9080, MB_ICONEXCLAMATION);
        return;
    }
    if (ShowMessageBox(Spredit::Txt9085 + ":" + zeit + "\n" + Spredit::Txt9086, Spredit::Txt9013,
                       MB_YESNO | MB_ICONINFORMATION) != IDYES)
        return;

    // Read whole before anything is touched: a copy that cannot be read changes nothing.
    std::string strom;
    std::string fehler;
    if (!DateiZugriff::Lesen(pfad, strom, fehler)) {
        ShowMessageBox(Spredit::Txt9169, Spredit::Txt9154, MB_ICONEXCLAMATION);
        return;
    }
    TBaumSperre sperre(*this);
    if (FormVerw != nullptr) {
        sperre.AlleSperren([](TDrawGridSE& gitter) { gitter.Clear(); });
        FormVerw->GetGrid().DeleteZellenKomponente();
        BaeumeLeeren(*this);
    }
    // The copy puts back the edit's own changes over what ETS holds now: the links ETS made or
    // took away since the edit began stay (a copy that does not know what it began from
    // brings back its own links whole).
    std::string basis;
    const auto basisLinks = DateiZugriff::Lesen(SicherungsBasis(pfad), basis, fehler) ? ObjektLinks(basis)
                                                                                          : std::nullopt;
    const auto kopieLinks = basisLinks ? ObjektLinks(strom) : std::nullopt;
    const TDeviceInstanz::TObjektLinks etsJetzt = AktDevInst->GetObjektLinks();
    bool ok = AktDevInst->VireoImport(strom, true);
    strom.clear();
    if (ok && basisLinks && kopieLinks)
        ok = AktDevInst->LinksNachfuehren(*basisLinks, *kopieLinks, etsJetzt);
    // A refused copy leaves the nodes as they were, but not the emptied trees.
    if (!ok)
        FormVerwNeuAufbauen(*AktDevInst);
    AbgleichFormVerw(FormVerw);
    if (FormVerw != nullptr)
        FormVerw->AktualisiereAnsicht(nullptr, -1, -1);
    if (ok)
        ShowMessageBox(Spredit::Txt9168, Spredit::Txt9154, MB_OK);
    else if (!KonfigAbgelehnt())
        ShowMessageBox(Spredit::Txt9169, Spredit::Txt9154, MB_ICONEXCLAMATION);
    sperre.Ende();
    // Even after a failed import: what was loaded is checked against ETS and written.
    AktDevInst->EtsObjektCheck();
    AktDevInst->WriteDataToDb();
}

void TFormMain::RecoveryCheck(bool oeffnen, int32_t deviceId)
{
    LOG_FKT("TFormMain::RecoveryCheck");
    TIniRegistry ini;
    TStringList liste;
    liste.SetCommaText(ini.Read(DM->IniDatei, IniKey::NotClosed));
    // An entry names the store and the device; an entry without a store key (a bare id) is
    // never taken for this store's.
    const std::string kennung = ProjektKennung();
    const std::string id = (kennung.empty() ? "" : kennung + "/") + std::to_string(deviceId);
    if (oeffnen) {
        // Without its safety copy there is nothing to restore: the entry goes unasked.
        std::error_code ec;
        const bool kopie = std::filesystem::is_regular_file(GetSicherungsPfad(deviceId), ec);
        bool gefunden = false;
        for (int i = 0; i < liste.Count(); ++i) {
            if (liste[i] != id)
                continue;
            if (!kopie) {
                liste.Delete(i--);
                continue;
            }
            gefunden = true;
            if (ShowMessageBox(Spredit::Txt9089, Spredit::Txt9013, MB_YESNO | MB_ICONINFORMATION) == IDYES)
                RestoreSaveCopy();
        }
        if (liste.Count() > kRecoveryListeMax)
            liste.Delete(0);
        if (!gefunden)
            liste.Add(id);
    } else {
        // After a deletion the pass goes on with the next index: of two adjacent equal
        // entries the later one stays.
        for (int i = 0; i < liste.Count(); ++i)
            if (liste[i] == id)
                liste.Delete(i);
    }
    (void)ini.Write(DM->IniDatei, IniKey::NotClosed, liste.CommaText());
}

// ---- Templates --------------------------------------------------------------------------------

void TFormMain::Export()
{
    LOG_FKT("TFormMain::Export");
    if (AktDevInst == nullptr) {
        ShowMessageBox(kGeraetFehlt, Spredit::Txt9170, MB_ICONEXCLAMATION);
        return;
    }
    TCursorHourGlass sanduhr;
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("ExportDialog"));
    dialog.setWindowTitle(QString::fromStdString(Spredit::Txt9170));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(DateiZugriff::NamensFilter(SprAz::Txt10196));
    dialog.setDefaultSuffix(QStringLiteral("azx"));
    if (!(DateiDialogAusfuehren ? DateiDialogAusfuehren : DateiZugriff::DialogAusfuehren)(dialog))
        return;
    const std::string datei = DateiZugriff::GewaehlteDatei(dialog);
    if (datei.empty() || AktDevInst == nullptr)
        return;
    std::string container;
    if (DatenContainer::TContainerStatus status = AktDevInst->CopyStrukturDatenAlsEts(nullptr, &container); !status) {
        ShowMessageBox(status.Text, status.Caption, status.Flags);
        return;
    }
    if (!Schreiben(datei, container)) {
        ShowMessageBox("Can not create file :\n" + datei, Spredit::Txt9170, MB_ICONEXCLAMATION);
        return;
    }
    ShowMessageBox(Spredit::Txt9171, Spredit::Txt9170, MB_OK);
}

void TFormMain::Import()
{
    LOG_FKT("TFormMain::Import");
    if (ShowMessageBox(Spredit::Txt9167, Spredit::Txt9154, MB_YESNO | MB_ICONINFORMATION) != IDYES)
        return;
    if (AktDevInst == nullptr) {
        ShowMessageBox(kGeraetFehlt, SprAz::Txt10179, MB_ICONEXCLAMATION);
        return;
    }
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("ImportDialog"));
    dialog.setWindowTitle(QString::fromStdString(Spredit::Txt9154));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(DateiZugriff::NamensFilter(SprAz::Txt10196));
    dialog.setSizeGripEnabled(true);
    if (!(DateiDialogAusfuehren ? DateiDialogAusfuehren : DateiZugriff::DialogAusfuehren)(dialog))
        return;
    const std::string datei = DateiZugriff::GewaehlteDatei(dialog);
    if (datei.empty())
        return;
    if (DatenImport(datei))
        ShowMessageBox(Spredit::Txt9168, Spredit::Txt9154, MB_OK);
    else if (!KonfigAbgelehnt())
        ShowMessageBox(Spredit::Txt9169, Spredit::Txt9154, MB_ICONEXCLAMATION);
}

bool TFormMain::DatenImport(const std::string& datei)
{
    LOG_FKT("TFormMain::DatenImport");
    TAutoSavePause pause;
    TCursorHourGlass sanduhr;
    if (AktDevInst == nullptr)
        return false;
    AktDevInst->KonfigAbgelehntVergessen();
    // Read whole before anything is touched: a file that cannot be read changes nothing.
    std::string strom;
    std::string fehler;
    if (!DateiZugriff::Lesen(datei, strom, fehler))
        return false;
    // What each tree showed (open nodes, the current one) is shown again over the new nodes.
    std::vector<std::pair<TFormVerw*, TCtrlTree::TAnsicht>> ansichten;
    FuerAlleFormVerw([&](TFormVerw* fenster) { ansichten.emplace_back(fenster, fenster->GetCtrlTree().Ansicht()); });
    TBaumSperre sperre(*this);
    if (FormVerw != nullptr) {
        sperre.AlleSperren([](TDrawGridSE& gitter) { gitter.DeleteZellenKomponente(); });
        FormVerw->GetGrid().DeleteZellenKomponente();
        BaeumeLeeren(*this);
    }
    const bool ok = AktDevInst->VireoImport(strom, false);
    strom.clear();
    if (!ok)
        FormVerwNeuAufbauen(*AktDevInst);
    if (FormVerw != nullptr) {
        AbgleichFormVerw(FormVerw);
        FormVerw->AktualisiereAnsicht(nullptr, 1, 0);
    }
    sperre.Ende();
    for (const auto& [fenster, ansicht] : ansichten)
        if (IstLebendesFormVerw(fenster))
            fenster->GetCtrlTree().SetAnsicht(ansicht);
    AktDevInst->WriteDataToDb();
    return ok;
}
