// Copy and paste through the system clipboard from the main window, on the demo project: the
// block a copy leaves, and blocks of this editor's format that another editor, or anybody,
// put there.
#include "miraval/app/DaMo.h"
#include "miraval/app/Main.h"
#include "miraval/devinst/DevInstAz.h"
#include "miraval/ui/CtrlTree.h"
#include "miraval/ui/FProjektierung.h"
#include "DemoProject.h"
#include "kestrin/EtsEventChannel.h"
#include "support/ScriptedMessageBox.h"
#include "tessarin/AzMelder.h"
#include "vcl/StringList.h"
#include "win32/CodePage1252.h"
#include "win32/Shell.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class MainClipboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        ordner = fs::temp_directory_path() / ("miraval-clipboard-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(ordner);
        fs::create_directories(ordner);
        SetModuleFileNameOverride((ordner / "miraval").string());
        ASSERT_TRUE(BuildDemoProject(ordner / "demo.db").ok);
        dm = std::make_unique<TDM>();
        DM = dm.get();
        main = std::make_unique<TFormMain>(kDemoModuleName);
        ASSERT_TRUE(main->GetEts()->OpenProjectStore(ordner / "demo.db").ok);
        kanal = std::make_unique<TEtsEventChannel>(*main->GetEts(), antworten);
        kanal->HandleLine("EditParameters 1");
        PumpMessages();
        ASSERT_NE(FormVerw, nullptr);
        inst = main->GetAktDevInst();
        // Detector 3 with a text that Windows-1252 holds in one byte.
        TAzMelder* melder = inst->GetPointerInstMelder(3);
        TDatenStruktur* satz = inst->GetDatenSatz(melder);
        satz->String4 = "Tür";
        melder->InitFromDB(*satz);
        QGuiApplication::clipboard()->setText("fremd");
    }

    void TearDown() override
    {
        kanal.reset();
        main.reset();
        dm.reset();
        DM = nullptr;
        PumpMessages();
        SetModuleFileNameOverride("");
        fs::remove_all(ordner);
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

    fs::path ordner;
    TScriptedMessageBox boxen{IDOK};
    std::unique_ptr<TDM> dm;
    std::unique_ptr<TFormMain> main;
    std::ostringstream antworten;
    std::unique_ptr<TEtsEventChannel> kanal;
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
    EXPECT_EQ(Cp1252ToUtf8(std::string_view(block.constData(), static_cast<std::size_t>(block.size()) - 1)), text);
    EXPECT_EQ(block.back(), '\0');
    EXPECT_EQ(block.count('\0'), 1);
    EXPECT_TRUE(block.contains("T\xFCr"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "fremd");

    // An area is not copied: the clipboard stays as it was.
    EXPECT_EQ(Kopiere(Sb(3)).second, block);
}

struct TBlockZeile {
    const char* name;
    int art;          // 0 the copy, 1 without its terminator, 2 with bytes after it, 3 too large,
                      // 4 no record lines, 5 under another version's format
    bool neu;         // a detector was made
    std::size_t boxen;
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
    if (neu != nullptr) {
        EXPECT_EQ(inst->GetDatenSatz(neu)->String4, "Tür");
    }
    ASSERT_EQ(boxen.Count(), z.boxen);
    if (z.boxen > 0) {
        EXPECT_EQ(boxen.Shown().back().text, "Einfügen abgebrochen");
        EXPECT_EQ(boxen.Shown().back().flags, static_cast<UINT>(MB_ICONERROR));
    }
    EXPECT_EQ(FormVerw->GetCtrlTree().UpdateDepth(), 0);
    EXPECT_TRUE(FormVerw->GetCtrlTree().IsSorting());
}

INSTANTIATE_TEST_SUITE_P(Formate, Bloecke,
                         ::testing::Values(TBlockZeile{"TheCopy", 0, true, 0},
                                           TBlockZeile{"WithoutTerminator", 1, true, 0},
                                           TBlockZeile{"BytesAfterTheTerminator", 2, true, 0},
                                           TBlockZeile{"TooLarge", 3, false, 1},
                                           TBlockZeile{"NoRecordLines", 4, false, 2},
                                           TBlockZeile{"AnotherVersion", 5, false, 0}),
                         [](const auto& info) { return info.param.name; });

} // namespace
