#include "miraval/app/AbgelehnteMeldungen.h"

#include "kestrin/Ets2Cdi.h"

TAbgelehnteMeldungen::TAbgelehnteMeldungen(const TEts2Cdi* ets)
    : m_vorher(std::make_shared<TMessageBoxHook>())
{
    *m_vorher = SetMessageBoxHook([ets, vorher = m_vorher](HWND owner, const std::string& text,
                                                           const std::string& caption, UINT flags) {
        if (ets != nullptr && ets->RefusedFault() != TEts2Cdi::TStoreFault::None && (flags & MB_TYPEMASK) == MB_OK)
            return IDOK;
        if (*vorher)
            return (*vorher)(owner, text, caption, flags);
        // No hook before: the built-in box, with this hook out of the way for it.
        TMessageBoxHook ich = SetMessageBoxHook({});
        const int antwort = MessageBox(owner, text, caption, flags);
        SetMessageBoxHook(std::move(ich));
        return antwort;
    });
}

TAbgelehnteMeldungen::~TAbgelehnteMeldungen()
{
    SetMessageBoxHook(std::move(*m_vorher));
}
