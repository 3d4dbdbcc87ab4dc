// Copy and paste through the system clipboard from the main window, on the demo project: the
// block a copy leaves, and blocks of this editor's format that another editor, or anybody,
// put there.
#include "MainUmgebung.h"

#include "miraval/ui/CtrlTree.h"
#include "miraval/ui/FProjektierung.h"
#include "support/Zeilenname.h"
#include "tessarin/AzMelder.h"
#include "vcl/StringList.h"
#include "win32/CodePage1252.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

class MainClipboard : public TMainUmgebung {
protected:
    void SetUp() override
    {
        TMainUmgebung::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_EQ(Event("EditParameters 1"), "EditParameters result=1 finished=0");
        inst = main->GetAktDevInst();
        // Detector 3 with a text that Windows-1252 holds in one byte.
        TAzMelder* melder = inst->GetPointerInstMelder(3);
        TDatenStruktur* satz = inst->GetDatenSatz(melder);
        satz->String4 = "Tür";
        melder->InitFromDB(*satz);
        QGuiApplication::clipboard()->setText("fremd");
    }

    // Copies the node selected; the clipboard's format of this editor ("" none) and its block.
    std::pair<QString, QByteArray> Kopiere(TDataBasis* node)
    {
        EXPECT_TRUE(FormVerw->SelectNode(node));
        main->Kopieren();
        const QMimeData* daten = QGuiApplication::clipboard()->mimeData();
        for (const QString& format : daten->formats())
            if (format.startsWith("application/x-miraval-"))
                return {format, daten->data(format)};
        return {};
    }
    // The security area of detector n.
    TDataBasis* Sb(int32_t n) { return inst->FindHandle(inst->GetPointerInstMelder(n)->GetParentHandle()); }

    TDeviceInstanzAz* inst = nullptr;
};

TEST_F(MainClipboard, CopyLeavesOneTerminatedWindows1252BlockBesideWhatWasThere)
{
    const auto [format, block] = Kopiere(inst->GetPointerInstMelder(3));
    ASSERT_FALSE(format.isEmpty());
    TStringList zeilen;
    ASSERT_TRUE(inst->GetCopyData(inst->GetPointerInstMelder(3), zeilen));
    std::string text;
    for (int i = 0; i < zeilen.Count(); ++i)
        text += (i > 0 ? "\r\n" : "") + zeilen[i];
    EXPECT_EQ(block, QByteArray::fromStdString(Utf8ToCp1252(text).bytes).append('\0'));
    EXPECT_TRUE(block.contains("T\xFCr"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "fremd");
    EXPECT_EQ(Kopiere(Sb(3)).second, block) << "an area is not copied";
}

// A detector of a security area pasted into the fire detectors' area is refused with one box
// that says why, and nothing is made.
TEST_F(MainClipboard, APasteIntoAnotherAreaIsRefusedWithOneBox)
{
    Kopiere(inst->GetPointerInstMelder(3));
    TDataBasis* feuer = nullptr;
    for (const auto& [handle, node] : inst->GetKnoten())
        if (node->GetTyp() == 6123) // the fire detectors' area
            feuer = node.get();
    ASSERT_NE(feuer, nullptr);
    const std::size_t knoten = inst->GetKnoten().size();
    ASSERT_TRUE(FormVerw->SelectNode(feuer));

    main->Einfuegen();
    PumpMessages();

    ASSERT_EQ(boxen.Count(), 1u);
    EXPECT_EQ(boxen.Shown()[0].caption, "Fehler beim Einfügen");
    EXPECT_EQ(inst->GetKnoten().size(), knoten);
}

struct TBlockZeile {
    const char* name;
    int art; // 0 the copy, 1 without its terminator, 2 with bytes after it, 3 too large,
             // 4 no record lines, 5 under another version's format
    bool neu;        // a detector was made
    const char* box; // how the one box shown begins; null: none
};

class Bloecke : public MainClipboard, public ::testing::WithParamInterface<TBlockZeile> {};

TEST_P(Bloecke, PasteTakesItsFormatUpToTheTerminatorAndRefusesWhatItCannotRead)
{
    const TBlockZeile& z = GetParam();
    auto [format, block] = Kopiere(inst->GetPointerInstMelder(3));
    switch (z.art) {
    case 1: block.chop(1); break;
    case 2: block.append("\r\nkein Datensatz"); break;
    case 3: block.insert(0, QByteArray((1 << 20) + 1, '\n')); break;
    case 4: block = QByteArray("\x81\x01,\"\r\n,,", 8); break;
    case 5: format += "x"; break;
    default: break;
    }
    auto* daten = new QMimeData;
    daten->setData(format, block);
    QGuiApplication::clipboard()->setMimeData(daten);
    ASSERT_TRUE(FormVerw->SelectNode(Sb(4)));

    main->Einfuegen();
    PumpMessages();

    TAzMelder* neu = inst->GetPointerInstMelder(5);
    ASSERT_EQ(neu != nullptr, z.neu);
    EXPECT_TRUE(neu == nullptr || inst->GetDatenSatz(neu)->String4 == "Tür");
    ASSERT_EQ(boxen.Count(), z.box != nullptr ? 1u : 0u);
    EXPECT_TRUE(z.box == nullptr || boxen.Shown()[0].text.starts_with(z.box)) << boxen.Shown()[0].text;
    EXPECT_EQ(FormVerw->GetCtrlTree().UpdateDepth(), 0);
    EXPECT_TRUE(FormVerw->GetCtrlTree().IsSorting());
}

INSTANTIATE_TEST_SUITE_P(Formate, Bloecke,
                         ::testing::Values(TBlockZeile{"TheCopy", 0, true, nullptr},
                                           TBlockZeile{"WithoutTerminator", 1, true, nullptr},
                                           TBlockZeile{"BytesAfterTheTerminator", 2, true, nullptr},
                                           TBlockZeile{"TooLarge", 3, false, "Einfügen abgebrochen"},
                                           TBlockZeile{"NoRecordLines", 4, false, "TDatenStruktur::Fill"},
                                           TBlockZeile{"AnotherVersion", 5, false, nullptr}),
                         TZeilenName());

} // namespace
