// TFormMain: copy and paste of configuration data through the system clipboard, between
// project windows and between two running editors.
//
// The data travel under a private MIME type made from the version text of the stored
// configuration, so editors of another version do not see them. The block is the record
// lines in Windows-1252, joined with CR LF, and one zero byte. A block read back is taken up
// to its first zero byte or its end, whichever comes first: blocks put there by others need
// not end in one.

#include "miraval/app/Main.h"

#include "miraval/app/BaumSperre.h"
#include "miraval/devinst/DevInstAz.h"
#include "miraval/dienste/DaMo.h"
#include "miraval/dienste/Spredit.h"
#include "miraval/ui/FProjektierung.h"
#include "tamsel/Tamsel.h"
#include "vcl/StringList.h"
#include "win32/CodePage1252.h"
#include "win32/MessageBox.h"
#include "win32/Shell.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A detector with everything below it takes a few kilobytes; a block beyond this is no copy
// of this editor's and is refused unread.
constexpr qsizetype kMaxBlock = qsizetype{1} << 20;

// "application/x-miraval-" and the version text, every byte but an ASCII letter or digit
// written as "_" and two hex digits: each version text has a type of its own.
QString Format(const std::string& version)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name = "application/x-miraval-";
    for (const unsigned char c : version) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            name += static_cast<char>(c);
        } else {
            name += '_';
            name += kHex[c >> 4];
            name += kHex[c & 0x0F];
        }
    }
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

enum class TInhalt { Keiner, Zeilen, ZuGross };

// The lines of the clipboard's block of that format (UTF-8, one per text line; CR LF, LF and
// CR end a line).
TInhalt LeseZeilen(const QString& format, TStringList& zeilen)
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* daten = clipboard != nullptr ? clipboard->mimeData() : nullptr;
    if (daten == nullptr || !daten->hasFormat(format))
        return TInhalt::Keiner;
    const QByteArray block = daten->data(format);
    if (block.size() > kMaxBlock)
        return TInhalt::ZuGross;
    std::string_view bytes(block.constData(), static_cast<std::size_t>(block.size()));
    bytes = bytes.substr(0, bytes.find('\0'));
    const std::string text = Cp1252ToUtf8(bytes);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t ende = text.find_first_of("\r\n", start);
        if (ende == std::string::npos)
            ende = text.size();
        zeilen.Add(text.substr(start, ende - start));
        start = ende + 1;
        if (ende < text.size() && text[ende] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return TInhalt::Zeilen;
}

} // namespace

void TFormMain::Kopieren()
{
    LOG_FKT("TFormMain::Kopieren");
    TDataBasis* node = GetSelTreeData();
    if (node == nullptr || AktDevInst == nullptr)
        return;
    TStringList zeilen;
    if (!AktDevInst->GetCopyData(node, zeilen))
        return;
    std::string text;
    for (int i = 0; i < zeilen.Count(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += zeilen[i];
    }
    const TCp1252Result bytes = Utf8ToCp1252(text);
    if (!bytes) {
        // Texts are checked where they are typed; this names one that got past.
        ShowMessageBox(bytes.error->ToString(), "Clipboard/GlobalAlloc", MB_OK | MB_ICONINFORMATION);
        return;
    }
    QByteArray block(bytes.bytes.data(), static_cast<qsizetype>(bytes.bytes.size()));
    block.append('\0');

    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        SetLastError(ENODEV);
        DisplayLastError("OpenClipboard");
        return;
    }
    const QString format = Format(AktDevInst->GetVersion());
    // What the clipboard holds in other formats stays there beside the copy.
    auto neu = std::make_unique<QMimeData>();
    if (const QMimeData* alt = clipboard->mimeData()) {
        for (const QString& andere : alt->formats())
            if (andere != format)
                neu->setData(andere, alt->data(andere));
    }
    neu->setData(format, block);
    clipboard->setMimeData(neu.release());
    const QMimeData* jetzt = clipboard->mimeData();
    if (jetzt == nullptr || jetzt->data(format) != block) {
        SetLastError(EIO);
        DisplayLastError("SetClipboardData");
    }
}

void TFormMain::Einfuegen()
{
    LOG_FKT("TFormMain::Einfuegen");
    TDataBasis* node = GetSelTreeData();
    if (node == nullptr || AktDevInst == nullptr)
        return;
    TStringList zeilen;
    const TInhalt inhalt = LeseZeilen(Format(AktDevInst->GetVersion()), zeilen);

    // Every tree is locked with its sorting off while the paste adds and changes nodes; what
    // was begun is ended on every way out.
    TBaumSperre sperre(*this);
    if (FormVerw != nullptr) {
        sperre.AlleSperren([](TDrawGridSE& gitter) { gitter.DeleteZellenKomponente(); });
    }
    // No data of this format: nothing to paste. A block too large is refused unread.
    bool ok = inhalt != TInhalt::ZuGross;
    bool gesagt = false;
    if (inhalt == TInhalt::Zeilen) {
        const int boxen = AktDevInst->AnzahlMeldungen();
        ok = AktDevInst->Einfuegen(node, zeilen);
        // A refusal the device instance has shown (another area, no record of the kind, no
        // input free) needs no second box.
        gesagt = AktDevInst->AnzahlMeldungen() != boxen;
        // Also a refused paste may have changed part of the data.
        if (DM != nullptr)
            DM->DataChanged = true;
    }
    if (!ok && !gesagt)
        ShowMessageBox(Spredit::Txt9082, Spredit::Txt9003, MB_ICONERROR);
    // Taken after the box: a window may have gone while it was open.
    const std::vector<TFormVerw*> fenster = sperre.Fenster();
    sperre.Ende();
    for (TFormVerw* f : fenster) {
        f->UpdateTreeNamesAndIcon();
        f->AktualisiereAnsicht(nullptr, 1, 0);
    }
}
