// The group-address dialogs: the selection dialog's rows, moves, limit, sorting, search and
// create paths and what OK and Cancel leave in the caller's links; the link dialog's parse,
// keys and outputs.

#include "miraval/app/DaMo.h"
#include "miraval/app/Main.h"
#include "miraval/devinst/DevInstAz.h"
#include "miraval/ui/DlgLinkToGrpAdr.h"
#include "miraval/ui/DlgNewGrpAddrName.h"
#include "miraval/ui/DlgSelGrpAddr.h"
#include "miraval/ui/FProjektierung.h"
#include "morrow/EtsGruppenAdressen.h"
#include "platform/kestrin/EtsTestProject.h"
#include "quillon/VireoGrpAdrSub.h"
#include "support/ScriptedMessageBox.h"
#include "tests/miraval/devinst/AzGeraet.h"
#include "DemoProject.h"
#include "kestrin/EtsEventChannel.h"
#include "win32/Shell.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>
#include <unistd.h>

namespace {

using TLinks = std::vector<TObjektBasis::RecGrpAdrId>;

// Sub groups of the test project: 1 = 1/2/5 (1 Bit), 2 = 1/2/6 (free), 3 = 0/0/1 (free).
constexpr int32_t kSub125 = 1;
constexpr int32_t kSub126 = 2;
constexpr int32_t kSub001 = 3;

// Runs f once the next modal dialog of type D is up (a zero timer, from inside its loop). The
// timer goes with the object, so a dialog that never opened leaves nothing for the next test.
template <class D> class TWennOffen {
public:
    explicit TWennOffen(std::function<void(D&)> f)
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [f = std::move(f)] {
            if (auto* d = dynamic_cast<D*>(QApplication::activeModalWidget()))
                f(*d);
        });
        m_timer.start(0);
    }

private:
    QTimer m_timer;
};

// Captions in list order; the selected rows marked with "*".
std::vector<std::string> Zeilen(const QTreeWidget& liste)
{
    std::vector<std::string> zeilen;
    for (int i = 0; i < liste.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = liste.topLevelItem(i);
        zeilen.push_back((item->isSelected() ? "*" : "") + item->text(0).toStdString());
    }
    return zeilen;
}

// Types the text key by key, each key carrying its character (umlauts included).
void Tippen(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, static_cast<Qt::Key>(c.toUpper().unicode()), QString(c),
                            Qt::NoModifier);
}

void Waehle(QTreeWidget& liste, std::initializer_list<int> zeilen)
{
    liste.clearSelection();
    for (const int i : zeilen)
        liste.topLevelItem(i)->setSelected(true);
}

struct DlgSelGrpAddrTest : ::testing::Test {
    DlgSelGrpAddrTest()
    {
        auto objekt = std::make_unique<TEtsObjekt>(az.host.GetHandle(), 1, 1, "Objekt", 0, 13, 225, -1, 0, 0,
                                                   T_DB_EnumEtsObjekt::TEnumEtsObjektArt{}, ot1Bit,
                                                   T_DB_EnumObjektBasis::ioLesen, 0, 0);
        objekt->SetHandle(500);
        this->objekt = objekt.get();
        az.inst.SetPointer2List(std::move(objekt));
        reader = az.inst.GetEtsGruppenAdressen();
        for (const auto& [id, node] : az.inst.GetSubGroupMap())
            auswahl[id] = node.get();
    }
    std::unique_ptr<TDlgSelGrpAddr> Dialog()
    {
        auto d = std::make_unique<TDlgSelGrpAddr>(nullptr, 3, objekt, &links, &auswahl, reader, &az.inst);
        d->show();
        return d;
    }
    // Types into the address edit key by key and presses Enter.
    static void Suche(TDlgSelGrpAddr& d, const char* text)
    {
        d.edtGrpAddr->clear();
        Tippen(d.edtGrpAddr, QString::fromUtf8(text));
        QTest::keyClick(d.edtGrpAddr, Qt::Key_Return);
    }
    std::string Box(std::size_t i = 0) const { return i < boxen.Count() ? boxen.Shown()[i].text : "-"; }

    TEtsTestProject project;
    TScriptedMessageBox boxen{IDYES};
    TAzGeraet az{project.ets, 1};
    TEtsObjekt* objekt = nullptr;
    TEtsGruppenAdressen* reader = nullptr;
    std::map<int32_t, TVireoGrpAdrSub*> auswahl;
    TLinks links{{kSub126, 0x0A06}};
};

TEST_F(DlgSelGrpAddrTest, OpensWithTheLinksAssignedAndTheRestOfferedByAddress)
{
    auto d = Dialog();
    EXPECT_EQ(Zeilen(*d->lvGrpAddrSource), (std::vector<std::string>{"0/0/1", "1/2/5"}));
    EXPECT_EQ(Zeilen(*d->lvGrpAddrDest), (std::vector<std::string>{"1/2/6"}));
    EXPECT_EQ(d->lvGrpAddrSource->topLevelItem(1)->text(1).toStdString(), "Flur");
    EXPECT_FALSE(d->btnSearchAdd->isEnabled());
}

TEST_F(DlgSelGrpAddrTest, AtTheLimitMovingStopsWithTheMessageAndTheButtonsOff)
{
    objekt->SetNumberSelectableGrpAdr(1);
    links.clear();
    auto d = Dialog();
    Waehle(*d->lvGrpAddrSource, {0, 1});
    EXPECT_TRUE(d->btnInclude->isEnabled());
    d->btnInclude->click();
    EXPECT_EQ(Zeilen(*d->lvGrpAddrDest), (std::vector<std::string>{"0/0/1"}));
    EXPECT_EQ(Zeilen(*d->lvGrpAddrSource).size(), 2u);
    ASSERT_EQ(boxen.Count(), 1u);
    EXPECT_EQ(Box(), "Die maximale Anzahl an zuweisbaren\nGruppenadressen ist erreicht!");
    EXPECT_EQ(boxen.Shown()[0].caption, "Achtung");
    EXPECT_EQ(boxen.Shown()[0].flags, 16u);
    EXPECT_FALSE(d->btnInclude->isEnabled());
    EXPECT_FALSE(d->btnIncludeAll->isEnabled());
    EXPECT_TRUE(d->btnExcludeAll->isEnabled());
}

TEST_F(DlgSelGrpAddrTest, MovesBothWaysAndOkWritesTheAssignedInTheirOrder)
{
    auto d = Dialog();
    d->btnIncludeAll->click();
    EXPECT_TRUE(Zeilen(*d->lvGrpAddrSource).empty());
    EXPECT_EQ(Zeilen(*d->lvGrpAddrDest), (std::vector<std::string>{"*0/0/1", "1/2/5", "1/2/6"}));
    Waehle(*d->lvGrpAddrDest, {1});
    d->btnExclude->click();
    EXPECT_EQ(Zeilen(*d->lvGrpAddrSource), (std::vector<std::string>{"1/2/5"}));
    d->BtnOkClick();
    EXPECT_EQ(d->result(), 1);
    EXPECT_EQ(links, (TLinks{{kSub001, 0}, {kSub126, 0}}));
}

TEST_F(DlgSelGrpAddrTest, OnlyOkWritesTheLinksEvenWhenNoneIsLeft)
{
    const TLinks vorher = links;
    for (const int wie : {3, 2, 1}) { // Cancel, the close box, OK
        SCOPED_TRACE(wie);
        auto d = Dialog();
        d->btnExcludeAll->click();
        if (wie == 2)
            d->close();
        else
            (wie == 3 ? d->BtnCancel : d->BtnOk)->click();
        EXPECT_EQ(d->result(), wie);
        EXPECT_EQ(links, wie == 1 ? TLinks{} : vorher);
    }
}

TEST_F(DlgSelGrpAddrTest, ClickingTheSortedAddressColumnSortsDescendingWithTheMark)
{
    links.clear();
    auto d = Dialog();
    d->ColumnClick(d->lvGrpAddrSource, 0);
    EXPECT_EQ(Zeilen(*d->lvGrpAddrSource), (std::vector<std::string>{"1/2/6", "1/2/5", "0/0/1"}));
    EXPECT_EQ(d->lvGrpAddrSource->headerItem()->text(0).toStdString(), "Adresse *");
}

struct TSuchZeile {
    const char* name;
    const char* getippt;
    std::vector<std::string> boxen; // texts shown, in order
    std::vector<std::string> quelle; // the source list afterwards
};

struct DlgSelGrpAddrSuche : DlgSelGrpAddrTest, ::testing::WithParamInterface<TSuchZeile> {};

TEST_P(DlgSelGrpAddrSuche, FindsByTheAddressWordOrTellsWhy)
{
    const TSuchZeile& z = GetParam();
    auswahl[kSub125]->SetSubAdrTyp(7); // offered to the dialog, but not for a 1-bit object
    auswahl.erase(kSub001);            // an address of the project the object is not offered
    auto d = Dialog();
    Suche(*d, z.getippt);
    std::vector<std::string> gezeigt;
    for (const TShownBox& b : boxen.Shown())
        gezeigt.push_back(b.text + "|" + b.caption + "|" + std::to_string(b.flags));
    EXPECT_EQ(gezeigt, z.boxen);
    EXPECT_EQ(Zeilen(*d->lvGrpAddrSource), z.quelle);
    EXPECT_EQ(Zeilen(*d->lvGrpAddrDest), (std::vector<std::string>{"1/2/6"}));
    EXPECT_TRUE(EtsLinks(project.ets, 13).empty());
}

const std::string kNichtGeeignet = "ist fuer diesen Objekt-Typ nicht geeignet!|Hinweis|64";

INSTANTIATE_TEST_SUITE_P(
    Texte, DlgSelGrpAddrSuche,
    ::testing::Values(
        TSuchZeile{"UngueltigNachDemFilter", "1/äx2", {"Ungültige Gruppenadresse|Fehler|0"}, {}},
        TSuchZeile{"AndererTyp", "1/2/5", {"Die Gruppenadresse [1/2/5] " + kNichtGeeignet}, {}},
        TSuchZeile{"SchonZugewiesen", "1.2.6", {"Die Gruppenadresse [1/2/6] " + kNichtGeeignet}, {}},
        TSuchZeile{"NichtAngeboten", "0/0/01", {"Die Gruppenadresse [0/0/01] " + kNichtGeeignet}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DlgSelGrpAddrTest, SearchSelectsTheOfferedRowTypedWithLeadingZeros)
{
    links.clear();
    auto d = Dialog();
    Suche(*d, " 01/2/05");
    EXPECT_EQ(boxen.Count(), 0u);
    EXPECT_EQ(Zeilen(*d->lvGrpAddrSource), (std::vector<std::string>{"0/0/1", "*1/2/5", "1/2/6"}));
    EXPECT_EQ(d->edtGrpAddr->text().toStdString(), "01/2/05");
    EXPECT_TRUE(d->btnInclude->isEnabled());
}

TEST_F(DlgSelGrpAddrTest, AnAddressADetectorUsesIsToldOnce)
{
    auswahl.erase(kSub001);
    az.inst.SetMelderGrpAdrToList(kSub001);
    auto d = Dialog();
    Suche(*d, "0/0/1");
    ASSERT_EQ(boxen.Count(), 1u);
    EXPECT_EQ(Box(), "Die Gruppenadresse wird von einem anderen Eingang verwendet");
}

struct TAnlegenZeile {
    const char* name;
    int frage;         // the answer to "nicht gefunden ... angelegt werden?"
    bool nameOk;       // the name dialog confirmed
    bool angelegt;
};

struct DlgSelGrpAddrAnlegen : DlgSelGrpAddrTest, ::testing::WithParamInterface<TAnlegenZeile> {};

TEST_P(DlgSelGrpAddrAnlegen, MakesTheMissingAddressOnlyWhenConfirmedAndNamed)
{
    const TAnlegenZeile& z = GetParam();
    auto d = Dialog();
    boxen.Script(z.frage);
    TWennOffen<TDlgNewGrpAddrName> nameDialog([&](TDlgNewGrpAddrName& n) {
        EXPECT_EQ(n.windowTitle().toStdString(), "Gruppenadresse anlegen");
        EXPECT_EQ(n.LabelText->text().toStdString(), "Geben Sie den Namen der Gruppenadresse ein.");
        Tippen(n.EditGrpAddrName, QStringLiteral("Küche"));
        if (z.nameOk)
            QTest::keyClick(n.EditGrpAddrName, Qt::Key_Return);
        else
            n.btnCancel->click();
    });
    Suche(*d, "2/3/4");

    ASSERT_GE(boxen.Count(), 1u);
    EXPECT_EQ(Box(), "Die Gruppenadresse [2/3/4] wurde nicht gefunden!\n\nSoll diese angelegt werden?");
    EXPECT_EQ(boxen.Shown()[0].caption, "Hinweis");
    EXPECT_EQ(boxen.Shown()[0].flags, 36u);
    EXPECT_EQ(boxen.Count(), 1u);
    const std::vector<std::string> vorher{"0/0/1", "1/2/5"};
    std::vector<std::string> danach = vorher;
    if (z.angelegt)
        danach.push_back("*2/3/4");
    EXPECT_EQ(Zeilen(*d->lvGrpAddrSource), danach);
    EXPECT_EQ(Zeilen(*d->lvGrpAddrDest), (std::vector<std::string>{"1/2/6"}));
    EXPECT_EQ(az.inst.GetSubGroupMap().size(), z.angelegt ? 4u : 3u);
    if (z.angelegt) {
        EXPECT_EQ(d->lvGrpAddrSource->topLevelItem(2)->text(1).toStdString(), "Küche");
    }
}

INSTANTIATE_TEST_SUITE_P(Antworten, DlgSelGrpAddrAnlegen,
                         ::testing::Values(TAnlegenZeile{"Angelegt", IDYES, true, true},
                                           TAnlegenZeile{"Nein", IDNO, true, false},
                                           TAnlegenZeile{"NameAbgebrochen", IDYES, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- The link dialog ---------------------------------------------------------------------------

struct TAusgaben {
    std::string name = "alt";
    uint16_t main = 9;
    uint16_t middle = 9;
    uint16_t sub = 9;
};

TEST(DlgLinkToGrpAdr, OkGivesTheParsedAddressAndTheName)
{
    TScriptedMessageBox boxen;
    TAusgaben a;
    TDlgLinkToGrpAdr d(nullptr, "3/1000", &a.name, &a.main, &a.middle, &a.sub, false);
    EXPECT_EQ(d.windowTitle().toStdString(), "Mit Gruppenadresse verbinden");
    EXPECT_EQ(d.LabelInfoText->text().toStdString(), "Bitte neue oder existierende Gruppenadresse eingeben:");
    EXPECT_TRUE(d.EditGrpAdrName->text().isEmpty());
    d.show();
    Tippen(d.EditGrpAdrName, QStringLiteral("Tür 1"));
    d.EditGrpAdr->clear();
    QTest::keyClicks(d.EditGrpAdr, QStringLiteral("x3/y1000"));
    EXPECT_EQ(d.EditGrpAdr->text().toStdString(), "3/1000") << "letters swallowed in the address only";
    QTest::keyClick(d.EditGrpAdr, Qt::Key_Enter);
    EXPECT_EQ(d.result(), 1);
    EXPECT_EQ(a.main, 3);
    EXPECT_EQ(a.middle, 3);
    EXPECT_EQ(a.sub, 232);
    EXPECT_EQ(a.name, "Tür 1");
    EXPECT_EQ(boxen.Count(), 0u);
}

TEST(DlgLinkToGrpAdr, EnterWithAnInvalidAddressKeepsTheDialogAndTheOutputs)
{
    TScriptedMessageBox boxen;
    TAusgaben a;
    TDlgLinkToGrpAdr d(nullptr, "1/2/3", &a.name, &a.main, &a.middle, &a.sub, false);
    d.show();
    d.EditGrpAdr->setText(QStringLiteral("16/0"));
    QTest::keyClicks(d.EditGrpAdrName, QStringLiteral("x"));
    for (QLineEdit* edit : {d.EditGrpAdr, d.EditGrpAdrName})
        QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_EQ(boxen.Count(), 2u) << "one message per Enter";
    EXPECT_EQ(boxen.Shown()[0].text, "Ungültige Gruppenadresse");
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.EditGrpAdr->text().toStdString(), "16/0");
    d.BtnAbbrechen->click();
    EXPECT_EQ(d.result(), 2);
    EXPECT_EQ(a.main, 9);
    EXPECT_EQ(a.middle, 9);
    EXPECT_EQ(a.sub, 9);
    EXPECT_EQ(a.name, "alt");
}

// ---- Through the main window --------------------------------------------------------------------

TEST(GrpAdrBefehle, LinkCommandMakesTheProposedAddressAndTheDialogTakesItAway)
{
    namespace fs = std::filesystem;
    const fs::path ordner = fs::temp_directory_path() / ("miraval-grpadr-" + std::to_string(::getpid()));
    fs::remove_all(ordner);
    fs::create_directories(ordner);
    SetModuleFileNameOverride((ordner / "miraval").string());
    ASSERT_TRUE(BuildDemoProject(ordner / "demo.db").ok);
    TScriptedMessageBox boxen{IDOK};
    {
        TDM dm;
        DM = &dm;
        TFormMain main(kDemoModuleName);
        ASSERT_TRUE(main.GetEts()->OpenProjectStore(ordner / "demo.db").ok);
        std::ostringstream antworten;
        TEtsEventChannel kanal(*main.GetEts(), antworten);
        kanal.HandleLine("EditParameters 1");
        PumpMessages();
        TDeviceInstanzAz* inst = main.GetAktDevInst();
        ASSERT_NE(inst, nullptr);
        ASSERT_NE(FormVerw, nullptr);
        TObjektBasis* reset = inst->GetObjectFromObjectNr(225); // the alarm reset, no address yet
        ASSERT_NE(reset, nullptr);
        ASSERT_TRUE(reset->GetSubGroupLinks().empty());
        ASSERT_TRUE(FormVerw->SelectNode(reset));

        std::string vorschlag;
        TWennOffen<TDlgLinkToGrpAdr> linkDialog([&](TDlgLinkToGrpAdr& d) {
            vorschlag = d.EditGrpAdr->text().toStdString();
            Tippen(d.EditGrpAdrName, QStringLiteral("Reset"));
            d.BtnOk->click();
        });
        DM->ALinkToGrpAdr->trigger();
        PumpMessages();
        EXPECT_EQ(vorschlag, "4/1/21") << "after the highest address, 4/1/20";
        const auto links = reset->GetSubGroupLinks();
        ASSERT_EQ(links.size(), 1u);
        EXPECT_EQ(links[0].GrpAdr, 4 << 11 | 1 << 8 | 21);
        EXPECT_EQ(EtsLinks(*main.GetEts(), reset->GetEtsObjektId()), std::vector<int32_t>{links[0].SubGroupId});

        std::vector<std::string> zugewiesen;
        TWennOffen<TDlgSelGrpAddr> auswahlDialog([&](TDlgSelGrpAddr& d) {
            zugewiesen = Zeilen(*d.lvGrpAddrDest);
            d.btnExcludeAll->click();
            d.BtnOk->click();
        });
        EXPECT_TRUE(inst->OpenDlgGrpAdrToObject(reset));
        EXPECT_EQ(zugewiesen, (std::vector<std::string>{"4/1/21"}));
        EXPECT_TRUE(reset->GetSubGroupLinks().empty());
        EXPECT_TRUE(EtsLinks(*main.GetEts(), reset->GetEtsObjektId()).empty());
        EXPECT_EQ(boxen.Count(), 0u);
        DM->DataChanged = false;
    }
    DM = nullptr;
    PumpMessages();
    SetModuleFileNameOverride("");
    fs::remove_all(ordner);
}

} // namespace
