// The group-address selection dialog: moves, limit, search and create paths and what OK and
// Cancel leave in the caller's links; the main window's link command.

#include "MainUmgebung.h"

#include "miraval/ui/DlgLinkToGrpAdr.h"
#include "miraval/ui/DlgNewGrpAddrName.h"
#include "miraval/ui/DlgSelGrpAddr.h"
#include "miraval/ui/FProjektierung.h"
#include "morrow/EtsGruppenAdressen.h"
#include "platform/kestrin/EtsTestProject.h"
#include "quillon/VireoGrpAdrSub.h"
#include "tests/miraval/devinst/AzGeraet.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using TLinks = std::vector<TObjektBasis::RecGrpAdrId>;
using TZeilen = std::vector<std::string>;

// Sub groups of the test project: 1 = 1/2/5 (1 Bit), 2 = 1/2/6 (free), 3 = 0/0/1 (free).
constexpr int32_t kSub125 = 1;
constexpr int32_t kSub126 = 2;
constexpr int32_t kSub001 = 3;

// Runs f once the next modal dialog of type D is up. The timer goes with the object, so a
// dialog that never opened leaves nothing for the next test.
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
TZeilen Zeilen(const QTreeWidget& liste)
{
    TZeilen zeilen;
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

    TEtsTestProject project;
    TScriptedMessageBox boxen{IDYES};
    TAzGeraet az{project.ets, 1};
    TEtsObjekt* objekt = nullptr;
    TEtsGruppenAdressen* reader = nullptr;
    std::map<int32_t, TVireoGrpAdrSub*> auswahl;
    TLinks links{{kSub126, 0x0A06}};
};

TEST_F(DlgSelGrpAddrTest, AtTheLimitMovingStopsWithTheMessageAndTheButtonsOff)
{
    objekt->SetNumberSelectableGrpAdr(1);
    links.clear();
    auto d = Dialog();
    d->lvGrpAddrSource->topLevelItem(0)->setSelected(true);
    d->lvGrpAddrSource->topLevelItem(1)->setSelected(true);
    d->btnInclude->click();
    EXPECT_EQ(Zeilen(*d->lvGrpAddrDest), TZeilen{"0/0/1"});
    EXPECT_EQ(Zeilen(*d->lvGrpAddrSource).size(), 2u);
    ASSERT_EQ(boxen.Count(), 1u);
    EXPECT_EQ(boxen.Shown()[0].text, "Die maximale Anzahl an zuweisbaren\nGruppenadressen ist erreicht!");
    EXPECT_FALSE(d->btnInclude->isEnabled());
}

TEST_F(DlgSelGrpAddrTest, MovesBothWaysAndOnlyOkWritesTheAssignedInTheirOrder)
{
    const TLinks vorher = links;
    for (const int wie : {3, 2, 1}) { // Cancel, the close box, OK
        SCOPED_TRACE(wie);
        auto d = Dialog();
        d->btnIncludeAll->click();
        EXPECT_EQ(Zeilen(*d->lvGrpAddrDest), (TZeilen{"*0/0/1", "1/2/5", "1/2/6"}));
        d->lvGrpAddrDest->clearSelection();
        d->lvGrpAddrDest->topLevelItem(1)->setSelected(true);
        d->btnExclude->click();
        EXPECT_EQ(Zeilen(*d->lvGrpAddrSource), TZeilen{"1/2/5"});
        if (wie == 2)
            d->close();
        else
            (wie == 3 ? d->BtnCancel : d->BtnOk)->click();
        EXPECT_EQ(d->result(), wie);
        EXPECT_EQ(links, (wie == 1 ? TLinks{{kSub001, 0}, {kSub126, 0}} : vorher)) << "the assigned in their order";
    }
}

TEST_F(DlgSelGrpAddrTest, SearchSelectsTheOfferedRowTypedWithLeadingZeros)
{
    links.clear();
    auto d = Dialog();
    Suche(*d, " 01/2/05");
    EXPECT_EQ(boxen.Count(), 0u);
    EXPECT_EQ(Zeilen(*d->lvGrpAddrSource), (TZeilen{"0/0/1", "*1/2/5", "1/2/6"}));
    EXPECT_TRUE(d->btnInclude->isEnabled());
}

TEST_F(DlgSelGrpAddrTest, SearchTellsWhyItOffersNothing)
{
    auswahl[kSub125]->SetSubAdrTyp(7); // offered to the dialog, but not for a 1-bit object
    auswahl.erase(kSub001);            // an address of the project the object is not offered
    const std::string kNichtGeeignet = "] ist fuer diesen Objekt-Typ nicht geeignet!";
    const struct {
        const char* getippt;
        std::string meldung;
    } faelle[] = {{"1/äx2", "Ungültige Gruppenadresse"},
                  {"1/2/5", "Die Gruppenadresse [1/2/5" + kNichtGeeignet},
                  {"1.2.6", "Die Gruppenadresse [1/2/6" + kNichtGeeignet},
                  {"0/0/01", "Die Gruppenadresse [0/0/01" + kNichtGeeignet},
                  {"00/0/01", "Die Gruppenadresse wird von einem anderen Eingang verwendet"}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.getippt);
        if (&f == &faelle[4])
            az.inst.SetMelderGrpAdrToList(kSub001);
        TScriptedMessageBox gezeigt;
        auto d = Dialog();
        Suche(*d, f.getippt);
        ASSERT_EQ(gezeigt.Count(), 1u);
        EXPECT_EQ(gezeigt.Shown()[0].text, f.meldung);
        EXPECT_TRUE(Zeilen(*d->lvGrpAddrSource).empty());
        EXPECT_EQ(Zeilen(*d->lvGrpAddrDest), TZeilen{"1/2/6"});
    }
    EXPECT_TRUE(EtsLinks(project.ets, 13).empty());
}

TEST_F(DlgSelGrpAddrTest, MakesTheMissingAddressOnlyWhenConfirmedAndNamed)
{
    const struct {
        int frage;   // the answer to "nicht gefunden ... angelegt werden?"
        bool nameOk; // the name dialog confirmed
    } faelle[] = {{IDNO, true}, {IDYES, false}, {IDYES, true}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::to_string(f.frage) + (f.nameOk ? " named" : " not named"));
        const bool angelegt = f.frage == IDYES && f.nameOk;
        TScriptedMessageBox gezeigt{f.frage};
        auto d = Dialog();
        TWennOffen<TDlgNewGrpAddrName> nameDialog([&](TDlgNewGrpAddrName& n) {
            Tippen(n.EditGrpAddrName, QStringLiteral("Küche"));
            if (f.nameOk)
                QTest::keyClick(n.EditGrpAddrName, Qt::Key_Return);
            else
                n.btnCancel->click();
        });
        Suche(*d, "2/3/4");

        ASSERT_EQ(gezeigt.Count(), 1u);
        EXPECT_EQ(gezeigt.Shown()[0].text,
                  "Die Gruppenadresse [2/3/4] wurde nicht gefunden!\n\nSoll diese angelegt werden?");
        TZeilen danach{"0/0/1", "1/2/5"};
        if (angelegt)
            danach.push_back("*2/3/4");
        EXPECT_EQ(Zeilen(*d->lvGrpAddrSource), danach);
        EXPECT_EQ(az.inst.GetSubGroupMap().size(), angelegt ? 4u : 3u);
        if (angelegt) {
            EXPECT_EQ(d->lvGrpAddrSource->topLevelItem(2)->text(1).toStdString(), "Küche");
        }
    }
}

// Keys built as X11 delivers them: Delete carries character 127, the Ctrl keys their control
// characters. Both address edits keep their editing keys and still swallow letters.
TEST_F(DlgSelGrpAddrTest, AddressEditsKeepTheirEditingKeys)
{
    struct TZeile {
        const char* name;
        Qt::Key taste;
        Qt::KeyboardModifiers mod;
        const char* zeichen;
        int cursor;
        const char* text;
        const char* auswahl;
    } const zeilen[] = {
        {"DeleteRemovesTheNextCharacter", Qt::Key_Delete, Qt::NoModifier, "\x7f", 0, "/2/3", ""},
        {"BackspaceRemovesTheLastCharacter", Qt::Key_Backspace, Qt::NoModifier, "\b", 5, "1/2/", ""},
        {"CtrlASelectsAll", Qt::Key_A, Qt::ControlModifier, "\x01", 5, "1/2/3", "1/2/3"},
        {"CtrlVPastes", Qt::Key_V, Qt::ControlModifier, "\x16", 5, "1/2/34", ""},
        {"ALetterIsSwallowed", Qt::Key_A, Qt::NoModifier, "a", 5, "1/2/3", ""},
    };
    std::string name;
    uint16_t main = 0, middle = 0, sub = 0;
    TDlgLinkToGrpAdr link(nullptr, "", &name, &main, &middle, &sub, true);
    auto auswahl = Dialog();
    for (QLineEdit* edit : {auswahl->edtGrpAddr, link.EditGrpAdr}) {
        for (const TZeile& z : zeilen) {
            SCOPED_TRACE(std::string(edit->objectName().toStdString()) + " " + z.name);
            QApplication::clipboard()->setText("4");
            edit->setText("1/2/3");
            edit->setCursorPosition(z.cursor);
            QTest::sendKeyEvent(QTest::Click, edit, z.taste, QString::fromLatin1(z.zeichen), z.mod);
            EXPECT_EQ(edit->text().toStdString(), z.text);
            EXPECT_EQ(edit->selectedText().toStdString(), z.auswahl);
        }
    }
}

using GrpAdrBefehle = TMainUmgebung;

TEST_F(GrpAdrBefehle, LinkCommandMakesAndLinksTheProposedAddress)
{
    ASSERT_EQ(Event("EditParameters 1"), "EditParameters result=1 finished=0");
    TObjektBasis* reset = main->GetAktDevInst()->GetObjectFromObjectNr(225); // the alarm reset, no address yet
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
    EXPECT_EQ(EtsLinks(*main->GetEts(), reset->GetEtsObjektId()), std::vector<int32_t>{links[0].SubGroupId});
    EXPECT_EQ(boxen.Count(), 0u);
    DM->DataChanged = false;
}

} // namespace
