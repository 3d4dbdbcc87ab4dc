#include "miraval/ui/ZiehLauf.h"

#include "win32/MessageBox.h"

#include <QDrag>

#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

namespace {

TZiehLauf* g_lauf = nullptr;
std::vector<std::pair<std::string, std::string>> g_wartend;

} // namespace

TZiehLauf::TZiehLauf(QDrag* drag) : m_drag(drag), m_vorher(g_lauf)
{
    g_lauf = this;
}

TZiehLauf::~TZiehLauf()
{
    g_lauf = m_vorher;
    if (g_lauf != nullptr)
        return;
    // Taken out first: a message box runs the event loop, and a new drag may begin meanwhile.
    const auto meldungen = std::exchange(g_wartend, {});
    for (const auto& [text, caption] : meldungen)
        MessageBox(nullptr, text, caption, MB_OK);
}

bool TZiehLauf::Laeuft()
{
    return g_lauf != nullptr;
}

void TZiehLauf::Melde(const std::string& text, const std::string& caption, bool abbrechen)
{
    if (g_lauf == nullptr) {
        MessageBox(nullptr, text, caption, MB_OK);
        return;
    }
    const std::pair<std::string, std::string> meldung(text, caption);
    if (std::find(g_wartend.begin(), g_wartend.end(), meldung) == g_wartend.end())
        g_wartend.push_back(meldung);
    if (abbrechen && !g_lauf->m_drag.isNull())
        QDrag::cancel();
}

void TZiehLauf::MeldeAusnahme(const std::string& caption, bool abbrechen)
{
    try {
        throw;
    } catch (const std::exception& e) {
        Melde(e.what(), caption, abbrechen);
    } catch (...) {
        Melde("Unbekannter Fehler", caption, abbrechen);
    }
}
