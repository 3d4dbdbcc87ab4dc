#include "quillon/DatenManager.h"

#include "win32/MessageBox.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

using TStore = TDatenManager<TDatenStruktur>;

TDatenStruktur record(int32_t handle, int16_t typ, int32_t param1 = 0)
{
    TDatenStruktur r;
    r.Handle = handle;
    r.Typ = typ;
    r.Param1 = param1;
    r.Name = "R" + std::to_string(handle);
    return r;
}

// Records 1..6: Typ 806 for 1, 3, 5 and 105 for 2, 4, 6; Param1 = handle * 10.
void fill(TStore& store)
{
    for (int32_t h : {6, 3, 1, 4, 2, 5})
        store.Insert(h, record(h, h % 2 ? 806 : 105, h * 10));
}

std::vector<int32_t> walk(TStore& store)
{
    std::vector<int32_t> handles;
    for (TDatenStruktur* r = store.GetFirst(); r != nullptr; r = store.GetNext())
        handles.push_back(r->Handle);
    return handles;
}

std::vector<int32_t> keys(const TStore::TMap& map)
{
    std::vector<int32_t> out;
    for (const auto& entry : map)
        out.push_back(entry.first);
    return out;
}

struct ShownBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT flags;
};

// Records every message box and answers IDOK; restores the previous hook when done.
class BoxRecorder {
public:
    BoxRecorder()
        : m_previous(SetMessageBoxHook([this](HWND owner, const std::string& text,
                                              const std::string& caption, UINT flags) {
              shown.push_back({owner, text, caption, flags});
              return IDOK;
          }))
    {
    }
    ~BoxRecorder() { SetMessageBoxHook(m_previous); }

    std::vector<ShownBox> shown;

private:
    TMessageBoxHook m_previous;
};

TEST(DatenManager, ConstructsFromAMapOrFromNothing)
{
    TStore::TMap source;
    source.emplace(9, record(9, 1));
    source.emplace(3, record(3, 1));
    TStore copied(&source);
    source.begin()->second.Param1 = 99;
    EXPECT_EQ(walk(copied), (std::vector<int32_t>{3, 9}));
    EXPECT_EQ(copied.GetFirst()->Param1, 0);
    EXPECT_EQ(copied.Root(), &copied);
    EXPECT_EQ(copied.Parent(), nullptr);

    TStore empty(nullptr);
    EXPECT_EQ(empty.GetCount(), 0);
    EXPECT_EQ(empty.GetFirst(), nullptr);
    EXPECT_EQ(empty.GetNext(), nullptr);
}

TEST(DatenManager, WalksRecordsInKeyOrderAndStaysAtNullAfterTheEnd)
{
    TStore store;
    EXPECT_EQ(store.GetNext(), nullptr);
    store.Insert(30, record(30, 1));
    store.Insert(10, record(10, 1));
    store.Insert(20, record(20, 1));
    EXPECT_EQ(store.GetCount(), 3);
    EXPECT_EQ(store.GetNext(), nullptr) << "GetNext before GetFirst";
    ASSERT_NE(store.GetFirst(), nullptr);
    EXPECT_EQ(store.GetNext()->Handle, 20);
    EXPECT_EQ(store.GetNext()->Handle, 30);
    EXPECT_EQ(store.GetNext(), nullptr);
    EXPECT_EQ(store.GetNext(), nullptr);
    EXPECT_EQ(store.GetFirst()->Handle, 10);
}

TEST(DatenManager, FilterByTypGivesCopiesOfExactlyThoseRecords)
{
    TStore root;
    fill(root);
    TStore* child = root.Filter("Typ", 806);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(walk(*child), (std::vector<int32_t>{1, 3, 5}));
    EXPECT_EQ(child->Parent(), &root);
    EXPECT_EQ(child->Root(), &root);
    EXPECT_EQ(root.ChildCount(), 1);
    EXPECT_EQ(root.GetCount(), 6);

    TStore* grandchild = child->Filter("Handle", 3);
    ASSERT_NE(grandchild, nullptr);
    EXPECT_EQ(grandchild->Parent(), child);
    EXPECT_EQ(grandchild->Root(), &root);
    EXPECT_EQ(walk(*grandchild), (std::vector<int32_t>{3}));

    TStore* none = root.Filter("Param1", 12345);
    ASSERT_NE(none, nullptr) << "no match gives an empty child, not null";
    EXPECT_EQ(none->GetCount(), 0);
    EXPECT_EQ(none->GetFirst(), nullptr);
}

TEST(DatenManager, ChangesInTheChildReachTheParentWhenTheChildGoes)
{
    for (const bool byDelete : {false, true}) {
        SCOPED_TRACE(byDelete ? "delete child" : "DeleteChild");
        TStore root;
        fill(root);
        TStore* child = root.Filter("Typ", 806);
        for (TDatenStruktur* r = child->GetFirst(); r != nullptr; r = child->GetNext())
            r->Name = "geändert";
        EXPECT_EQ(root.Records().at(3).Name, "R3");
        if (byDelete)
            delete child;
        else
            root.DeleteChild(child);
        EXPECT_EQ(root.ChildCount(), 0);
        EXPECT_EQ(root.Records().at(3).Name, "geändert");
        EXPECT_EQ(root.Records().at(5).Name, "geändert");
        EXPECT_EQ(root.Records().at(4).Name, "R4");
    }
}

TEST(DatenManager, RecordsDeletedInTheChildMoveToTheParentsDeletedMap)
{
    TStore root;
    fill(root);
    TStore* child = root.Filter("Typ", 806);
    child->Insert(99, record(99, 806));
    TDatenStruktur* three = child->GetFirst();
    three = child->GetNext();
    ASSERT_EQ(three->Handle, 3);
    three->Param1 = -1;
    EXPECT_TRUE(child->Delete(3));
    EXPECT_FALSE(child->Delete(3));
    EXPECT_FALSE(child->Delete(4)) << "not in the child";
    EXPECT_TRUE(child->Delete(99));
    root.DeleteChild(child);

    EXPECT_EQ(keys(root.Records()), (std::vector<int32_t>{1, 2, 4, 5, 6}));
    EXPECT_EQ(keys(root.DeletedRecords()), (std::vector<int32_t>{3}))
        << "a key the parent does not hold is ignored";
    EXPECT_EQ(root.DeletedRecords().at(3).Param1, 30) << "the parent's values";
}

TEST(DatenManager, RecordOnlyInTheChildIsLost)
{
    TStore root;
    fill(root);
    TStore* child = root.Filter("Typ", 105);
    child->Insert(50, record(50, 105));
    root.DeleteChild(child);
    EXPECT_EQ(root.GetCount(), 6);
    EXPECT_EQ(root.Records().count(50), 0u);
}

TEST(DatenManager, DestructionMergesDeepestChildrenFirst)
{
    // `top` is the store under test; holding it under `outer` lets the merged result be seen
    // after `top` is gone.
    TStore outer;
    fill(outer);
    TStore* top = outer.Filter("Typ", 806);  // 1, 3, 5
    TStore* a = top->Filter("Typ", 806);     // 1, 3, 5
    TStore* b = top->Filter("Handle", 5);    // 5
    TStore* g = a->Filter("Handle", 3);      // 3, grandchild under a

    a->Insert(3, a->Records().at(3)).Param1 = 100; // a's own change to 3
    g->GetFirst()->Param1 = 200;                   // overrides a's when merged first
    a->Insert(5, a->Records().at(5)).Param1 = 500; // a merges before b ...
    b->GetFirst()->Param1 = 555;                   // ... so b's value wins
    a->Insert(1, a->Records().at(1)).Param1 = 111;
    EXPECT_EQ(top->ChildCount(), 2);
    EXPECT_EQ(a->ChildCount(), 1);

    outer.DeleteChild(top);
    EXPECT_EQ(outer.ChildCount(), 0);
    EXPECT_EQ(outer.Records().at(1).Param1, 111);
    EXPECT_EQ(outer.Records().at(3).Param1, 200);
    EXPECT_EQ(outer.Records().at(5).Param1, 555);
    EXPECT_EQ(outer.Records().at(2).Param1, 20);
}

TEST(DatenManager, ChildDestroyedEarlyIsNotSeenAgainByTheParent)
{
    TStore root;
    fill(root);
    TStore* a = root.Filter("Typ", 806);
    TStore* b = root.Filter("Typ", 105);
    TStore* g = a->Filter("Handle", 1);
    a->DeleteChild(g);
    EXPECT_EQ(a->ChildCount(), 0);
    root.DeleteChild(a);
    EXPECT_EQ(root.ChildCount(), 1);
    b->GetFirst()->Param1 = 7;
    // The root's destruction destroys b only; a sanitizer build checks that a and g are not
    // touched again.
}

TEST(DatenManager, FilterByNonIntegerFieldThrowsWhenThereAreRecords)
{
    TStore root;
    fill(root);
    try {
        (void)root.Filter("Name", 0);
        ADD_FAILURE() << "Filter(\"Name\") accepted";
    } catch (const E_DatenStruktur& e) {
        EXPECT_EQ(e.Message(), "Feld nicht vorhanden: Name");
    }
    EXPECT_EQ(root.ChildCount(), 0);
    EXPECT_THROW((void)root.Filter("String5", 0), E_DatenStruktur);

    TStore empty;
    TStore* child = empty.Filter("Name", 0);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->GetCount(), 0);
    EXPECT_EQ(empty.ChildCount(), 1);
}

TEST(DatenManager, FilterWithoutFieldNameShowsTheBoxAndAnswersNull)
{
    for (const char* field : {"", "0"}) {
        SCOPED_TRACE(field);
        BoxRecorder boxes;
        TStore root;
        fill(root);
        EXPECT_EQ(root.Filter(field, 806), nullptr);
        EXPECT_EQ(root.ChildCount(), 0);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].owner, nullptr);
        EXPECT_EQ(boxes.shown[0].text,
                  "Bitte Funktion TDatenManager<T>::FilterFeldName benutzen, bnis diese hier "
                  "repariert ist.\nDanke!");
        EXPECT_EQ(boxes.shown[0].caption, "TDatenManager<T>::FilterStandard");
        EXPECT_EQ(boxes.shown[0].flags, MB_OK);
    }
}

TEST(DatenManager, SortedStoreWalksTheSortedCopiesStably)
{
    TStore store;
    fill(store);
    store.Insert(0, record(0, 806));
    EXPECT_FALSE(store.IsSortiert());
    store.SortFeldName("Typ");
    EXPECT_TRUE(store.IsSortiert());
    EXPECT_EQ(walk(store), (std::vector<int32_t>{2, 4, 6, 0, 1, 3, 5}));
    EXPECT_EQ(store.GetNext(), nullptr);
    EXPECT_EQ(store.GetCount(), 7);

    store.SortFeldName("Param1");
    EXPECT_EQ(walk(store), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6}));

    // The walk hands out the sorted copies: the records map keeps its values.
    store.GetFirst()->Param1 = 1234;
    EXPECT_EQ(store.Records().at(0).Param1, 0);

    try {
        store.SortFeldName("String5");
        ADD_FAILURE() << "String5 accepted";
    } catch (const E_DatenStruktur& e) {
        EXPECT_EQ(e.Message(), "Feld nicht vorhanden: String5");
    }
    EXPECT_EQ(walk(store), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6}));

    TStore empty;
    empty.SortFeldName("Name");
    EXPECT_EQ(empty.GetFirst(), nullptr);
    EXPECT_EQ(empty.GetNext(), nullptr);
    EXPECT_THROW(empty.SortFeldName("Bool1"), E_DatenStruktur);
}

TEST(DatenManager, DeletingDuringAWalkGoesOnWithTheNextRecord)
{
    TStore store;
    fill(store);
    std::vector<int32_t> seen;
    for (TDatenStruktur* r = store.GetFirst(); r != nullptr; r = store.GetNext()) {
        seen.push_back(r->Handle);
        if (r->Typ == 806) {
            EXPECT_TRUE(store.Delete(r->Handle));
        }
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(keys(store.Records()), (std::vector<int32_t>{2, 4, 6}));
    EXPECT_EQ(keys(store.DeletedRecords()), (std::vector<int32_t>{1, 3, 5}));
}

TEST(DatenManager, FirstDeletionOfAKeyIsKept)
{
    TStore store;
    store.Insert(1, record(1, 1, 10));
    EXPECT_TRUE(store.Delete(1));
    store.Insert(1, record(1, 1, 20));
    EXPECT_TRUE(store.Delete(1));
    EXPECT_EQ(store.DeletedRecords().at(1).Param1, 10);
    EXPECT_EQ(store.GetCount(), 0);
}

TEST(DatenManager, ABlockOfLinesIsKeyedByLineWhateverTheLineEnds)
{
    const std::string a = record(5, 806, 50).GetDatensatzZeile();
    const std::string b = record(3, 2, 30).GetDatensatzZeile();
    const std::string block = "#Norvik\r\n\r\n" + a + "\n" + b + "\r" + a + "\r\n";
    TStore store(block.data(), block.size());
    EXPECT_EQ(keys(store.Records()), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(store.Records().at(2), record(3, 2, 30));
    EXPECT_THROW(TStore(static_cast<const char*>(nullptr), 3), E_DatenManager);
    const std::string kaputt = a + "\r\n1,kurz";
    EXPECT_THROW(TStore(kaputt.data(), kaputt.size()), E_DatenManager);
}

TEST(DatenManager, AStreamIsReadWholeFromItsStart)
{
    const std::string a = record(5, 806, 50).GetDatensatzZeile();
    const std::string b = record(3, 2, 30).GetDatensatzZeile();
    std::istringstream strom("#Norvik\r\n\r\n" + a + "\r\n#x\n" + b + "\n");
    strom.seekg(9);
    TStore store(&strom);
    EXPECT_EQ(keys(store.Records()), (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(store.Records().at(2), record(3, 2, 30));
    std::istringstream nurKoepfe("#a\r\n\r\n#b");
    store.LoadFromStream(nurKoepfe);
    EXPECT_EQ(store.GetCount(), 0);

    std::istringstream kaputt(a + "\r\n1,kurz");
    std::istream ohnePuffer(nullptr);
    for (std::istream* s : {static_cast<std::istream*>(nullptr), static_cast<std::istream*>(&kaputt), &ohnePuffer})
        EXPECT_THROW(TStore{s}, E_DatenManager);
}

TEST(DatenManager, FindCopiesTheFirstRecordInKeyOrderWhoseFieldHasTheValue)
{
    TStore store;
    store.Insert(7, record(20, 806, 5));
    store.Insert(3, record(10, 806, 5));
    store.Insert(9, record(30, 105, 6));
    // field, value, handle found (0: none, out unchanged)
    for (const auto& [feld, wert, handle] : {std::tuple{"", 20, 20}, std::tuple{"0", 30, 30},
                                             std::tuple{"Param1", 5, 10}, std::tuple{"Typ", 105, 30},
                                             std::tuple{"Param1", 7, 0}}) {
        SCOPED_TRACE(std::string(feld) + "=" + std::to_string(wert));
        TDatenStruktur out = record(99, 1);
        EXPECT_EQ(store.Find(feld, wert, out), handle != 0);
        EXPECT_EQ(out.Handle, handle != 0 ? handle : 99);
    }
    TDatenStruktur out;
    EXPECT_THROW(store.Find("Name", 1, out), E_DatenStruktur);
}

} // namespace
