#pragma once
// The record store: the records of one device keyed by an int (their Handle, or the running
// number the editor gives them when it loads lines), and filtered views of them.
//
// A filtered view (Filter) is a child store holding copies of the matching records. The
// parent owns its children. When a child is destroyed its changes flow back into the parent:
// the values of records both hold are taken over, and records the child deleted are moved to
// the parent's deleted map. Records only in the child are dropped. Children are destroyed
// deepest first, so a grandchild's changes reach the root through its parent.
//
// Walking: GetFirst/GetNext return pointers into the store (a caller may change the record in
// place; a child carries such changes up when it is destroyed). After SortFeldName the walk
// runs over the sorted list, whose elements are copies taken when it was sorted.
//
// Loading (the constructors from a memory block or a text stream, LoadFromText,
// LoadFromStream): record lines, one record a line, keyed 1, 2, 3 ... in line order. The text
// is taken as it is: a stored form in Windows-1252 is converted by the caller before.

#include "quillon/DatenStruktur.h"
#include "quillon/QuillonExport.h"
#include "win32/MessageBox.h"

#include <cstddef>
#include <cstdint>
#include <istream>
#include <iterator>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

// A failure of the record store: a block that cannot be loaded, or a line the record type
// refused (its message is carried).
class QUILLON_EXPORT E_DatenManager {
public:
    explicit E_DatenManager(std::string message) : m_message(std::move(message)) {}

    const std::string& Message() const { return m_message; }

private:
    std::string m_message;
};

// One element of a store's sorted list.
template <class T> struct TSortDaten {
    T Daten;
};

template <class T> class TDatenManager {
public:
    using TMap = std::map<int32_t, T>;

    // Copies the source's records (a null source is an empty store). A null root makes this
    // store its own root. The store does not register itself with the parent: only Filter
    // makes children, and it does that registration.
    explicit TDatenManager(const TMap* quelle = nullptr, TDatenManager* root = nullptr,
                           TDatenManager* parent = nullptr)
        : m_parent(parent), m_root(root != nullptr ? root : this)
    {
        if (quelle != nullptr)
            m_records = *quelle;
        m_cursor = m_records.end();
        m_sortCursor = m_sortiert.end();
    }

    // A root store loaded from a memory block of record lines (LoadFromText). A null block
    // throws E_DatenManager, and so does a line the record type refuses.
    TDatenManager(const char* block, std::size_t laenge) : m_parent(nullptr), m_root(this)
    {
        m_cursor = m_records.end();
        m_sortCursor = m_sortiert.end();
        if (block == nullptr)
            throw E_DatenManager("TDatenManager: no memory block");
        LoadFromText(std::string_view(block, laenge));
    }

    // A bare null is the empty source above, not a missing stream.
    explicit TDatenManager(std::nullptr_t) : TDatenManager(static_cast<const TMap*>(nullptr)) {}

    // A root store loaded from the whole text stream (LoadFromStream). A null stream throws
    // E_DatenManager, and so do a stream that cannot be positioned and a line the record type
    // refuses.
    explicit TDatenManager(std::istream* stream) : m_parent(nullptr), m_root(this)
    {
        m_cursor = m_records.end();
        m_sortCursor = m_sortiert.end();
        if (stream == nullptr)
            throw E_DatenManager("TDatenManager: no stream");
        LoadFromStream(*stream);
    }

    TDatenManager(const TDatenManager&) = delete;
    TDatenManager& operator=(const TDatenManager&) = delete;

    ~TDatenManager()
    {
        while (!m_children.empty()) {
            std::unique_ptr<TDatenManager> child = std::move(m_children.front());
            m_children.pop_front();
            child.reset(); // merges itself into this store
        }
        if (m_parent != nullptr) {
            m_parent->MergeToParent(this, m_deleted);
            m_parent->RemoveChild(this);
        }
    }

    // A child store of the records whose int field equals the value; the store owns it.
    // An empty or "0" field name: the message box of FilterStandard and null. A name the
    // record does not accept throws E_DatenStruktur when the store holds records.
    TDatenManager* Filter(const std::string& feld, int32_t wert)
    {
        if (feld.empty() || feld == "0")
            return FilterStandard(wert);
        return FilterFeldName(feld, wert);
    }

    // Filtering without a field name is not available; tells so and answers null.
    TDatenManager* FilterStandard(int32_t /*wert*/)
    {
        MessageBox(nullptr,
                   "Bitte Funktion TDatenManager<T>::FilterFeldName benutzen, bnis diese hier "
                   "repariert ist.\nDanke!",
                   "TDatenManager<T>::FilterStandard", MB_OK);
        return nullptr;
    }

    // A new child holding copies of the records whose MatchInt(feld, wert) is true, in key
    // order; an empty child when none matches.
    TDatenManager* FilterFeldName(const std::string& feld, int32_t wert)
    {
        TMap treffer;
        for (const auto& [key, record] : m_records) {
            if (record.MatchInt(feld, wert))
                treffer.emplace(key, record);
        }
        m_children.push_back(std::make_unique<TDatenManager>(&treffer, m_root, this));
        return m_children.back().get();
    }

    // Destroys a child now (it merges into this store first). Unknown pointers are ignored.
    void DeleteChild(TDatenManager* child)
    {
        for (auto it = m_children.begin(); it != m_children.end(); ++it) {
            if (it->get() == child) {
                std::unique_ptr<TDatenManager> owned = std::move(*it);
                m_children.erase(it);
                owned.reset();
                return;
            }
        }
    }

    // Called by a dying child: takes over the values of the records both hold, and moves the
    // records the child deleted into this store's deleted map (an entry already there under
    // that key stays). Records only in the child are not added.
    void MergeToParent(TDatenManager* child, const TMap& geloeschte)
    {
        for (auto& [key, record] : m_records) {
            const auto it = child->m_records.find(key);
            if (it != child->m_records.end())
                record = it->second;
        }
        for (const auto& entry : geloeschte) {
            const auto it = m_records.find(entry.first);
            if (it != m_records.end()) {
                m_deleted.emplace(it->first, it->second);
                eraseRecord(it);
            }
        }
    }

    // Takes the child off the children list without destroying it: the child is on its way
    // out (its destructor calls this), or the caller takes it over.
    void RemoveChild(TDatenManager* child)
    {
        for (auto it = m_children.begin(); it != m_children.end(); ++it) {
            if (it->get() == child) {
                (void)it->release();
                m_children.erase(it);
                return;
            }
        }
    }

    T* GetFirst()
    {
        if (m_istSortiert) {
            m_sortCursor = m_sortiert.begin();
            return m_sortCursor == m_sortiert.end() ? nullptr : &m_sortCursor->Daten;
        }
        m_cursorVoraus = false;
        m_cursor = m_records.begin();
        return m_cursor == m_records.end() ? nullptr : &m_cursor->second;
    }

    // The next record, or null at the end. Past the end (or before any GetFirst) it stays
    // at null.
    T* GetNext()
    {
        if (m_istSortiert) {
            if (m_sortCursor != m_sortiert.end())
                ++m_sortCursor;
            return m_sortCursor == m_sortiert.end() ? nullptr : &m_sortCursor->Daten;
        }
        if (m_cursorVoraus)
            m_cursorVoraus = false;
        else if (m_cursor != m_records.end())
            ++m_cursor;
        return m_cursor == m_records.end() ? nullptr : &m_cursor->second;
    }

    // The records held (deleted ones and the sorted list not counted).
    int GetCount() const { return static_cast<int>(m_records.size()); }

    // Editor side: loading, deleting and sorting.

    // Puts the record under the key, replacing one already there; answers the stored record.
    T& Insert(int32_t key, const T& record)
    {
        return m_records.insert_or_assign(key, record).first->second;
    }

    // Moves the record under the key into the deleted map (an entry already there under that
    // key stays); false when the store holds no such record. Deleting the record a walk stands
    // on is allowed: the walk goes on with the record after it. The sorted list keeps its
    // copies.
    bool Delete(int32_t key)
    {
        const auto it = m_records.find(key);
        if (it == m_records.end())
            return false;
        m_deleted.emplace(it->first, it->second);
        eraseRecord(it);
        return true;
    }

    // Copies every record into the sorted list, ordered stably by the named field
    // (T::FeldLess), and makes GetFirst/GetNext walk that list. An unknown field name throws
    // before anything changes.
    void SortFeldName(const std::string& feld)
    {
        const auto less = T::FeldLess(feld);
        std::list<TSortDaten<T>> sortiert;
        for (const auto& entry : m_records)
            sortiert.push_back(TSortDaten<T>{entry.second});
        sortiert.sort([&less](const TSortDaten<T>& a, const TSortDaten<T>& b) {
            return less(a.Daten, b.Daten);
        });
        m_sortiert = std::move(sortiert);
        m_sortCursor = m_sortiert.end();
        m_istSortiert = true;
    }

    // Replaces the records by those of the text: one record line a line (lines end at CR LF,
    // LF or CR), keyed from 1 in line order; empty lines and lines beginning with "#" take no
    // key. A line the record type refuses throws E_DatenManager with the record's message,
    // and the store keeps what it held. A walk starts over; a sorted view is dropped.
    void LoadFromText(std::string_view text)
    {
        TMap geladen;
        int32_t key = 1;
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t ende = text.find_first_of("\r\n", start);
            if (ende == std::string_view::npos)
                ende = text.size();
            const std::string_view zeile = text.substr(start, ende - start);
            start = ende + 1;
            if (ende < text.size() && text[ende] == '\r' && start < text.size() && text[start] == '\n')
                ++start;
            if (zeile.empty() || zeile.front() == '#')
                continue;
            T record;
            try {
                record.Fill(std::string(zeile));
            } catch (const E_DatenStruktur& e) {
                throw E_DatenManager(e.Message());
            }
            geladen.emplace(key++, std::move(record));
        }
        m_records = std::move(geladen);
        m_cursor = m_records.end();
        m_cursorVoraus = false;
        m_sortiert.clear();
        m_sortCursor = m_sortiert.end();
        m_istSortiert = false;
    }

    // LoadFromText over the stream's whole content, read from its start whatever its position.
    // A stream that cannot be positioned at its start throws E_DatenManager; the store keeps
    // what it held.
    void LoadFromStream(std::istream& stream)
    {
        stream.clear();
        stream.seekg(0);
        if (stream.fail())
            throw E_DatenManager("TDatenManager: the stream cannot be positioned at its start");
        LoadFromText(std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()));
    }

    // Copies into out the first record, in key order, whose int field equals the value; an
    // empty or "0" field name looks at Handle. False (out unchanged) when none does. A name
    // the record does not accept throws E_DatenStruktur when the store holds records.
    bool Find(const std::string& feld, int32_t wert, T& out) const
    {
        const std::string& name = feld.empty() || feld == "0" ? kHandle : feld;
        for (const auto& [key, record] : m_records) {
            if (record.MatchInt(name, wert)) {
                out = record;
                return true;
            }
        }
        return false;
    }

    const TMap& Records() const { return m_records; }
    const TMap& DeletedRecords() const { return m_deleted; }
    bool IsSortiert() const { return m_istSortiert; }
    TDatenManager* Parent() const { return m_parent; }
    TDatenManager* Root() const { return m_root; }
    int ChildCount() const { return static_cast<int>(m_children.size()); }

private:
    static inline const std::string kHandle = "Handle";

    // Erases a record without leaving the walk's cursor dangling.
    void eraseRecord(typename TMap::iterator it)
    {
        if (it == m_cursor) {
            m_cursor = m_records.erase(it);
            m_cursorVoraus = true;
        } else {
            m_records.erase(it);
        }
    }

    TMap m_records;
    TMap m_deleted;
    typename TMap::iterator m_cursor;
    // The record under the cursor was erased and the cursor already stands on its successor.
    bool m_cursorVoraus = false;
    std::list<std::unique_ptr<TDatenManager>> m_children;
    std::list<TSortDaten<T>> m_sortiert;
    typename std::list<TSortDaten<T>>::iterator m_sortCursor;
    TDatenManager* m_parent;
    TDatenManager* m_root;
    bool m_istSortiert = false;
};
