// The device's stored container in an ETS project store: reading, loading, writing back.

#include "EditorHostDouble.h"
#include "TestInstanz.h"

#include "kestrin/Ets2Cdi.h"
#include "platform/kestrin/EtsTestProject.h"
#include "support/ScriptedMessageBox.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

std::string Gespeichert(TEts2Cdi& ets, int32_t deviceId)
{
    const uint8_t* buffer = nullptr;
    uint32_t laenge = 0;
    EXPECT_TRUE(ets.BlobRead(buffer, laenge, deviceId));
    return std::string(reinterpret_cast<const char*>(buffer), laenge);
}

std::vector<TDatenStruktur> Alle(const TDeviceInstanz& inst)
{
    std::vector<TDatenStruktur> out;
    for (const auto& [system, daten] : inst.GetSystemMap())
        for (const auto& [parent, record] : daten)
            out.push_back(record);
    return out;
}

struct Container : ::testing::Test {
    TEtsTestProject project;
    TScriptedMessageBox boxes;
    TEditorHostDouble host{&project.ets};
    TTestInstanz inst{host};
};

TEST_F(Container, NewDeviceIsStoredThenReadBackByteForByte)
{
    ASSERT_TRUE(inst.GetDataFromServer(host.GetHandle(), true));
    EXPECT_EQ(inst.neuAngelegt, 1);
    EXPECT_EQ(boxes.Count(), 0u);
    ASSERT_NE(inst.GetDevice(), nullptr);
    EXPECT_EQ(inst.GetDevice()->GetName(false), "Zentrale Süd");
    // Records of System 5 and a Typ 1 record that makes no node; CompData with every kind of byte.
    *inst.GetDatenSatz(5, 3, 40) = TestDatensatz(40, "früher", 1, 3, 5);
    *inst.GetDatenSatz(5, 1, 41) = TestDatensatz(41, "Melder 1", 6124, 1, 5);
    inst.SetCompData(std::string("\0\r\n\xFC\xFF end\r\n", 10));
    ASSERT_TRUE(inst.WriteBlob());
    const std::string blob = Gespeichert(project.ets, 1);
    EXPECT_NE(blob.find("Zentrale S\xFC" "d"), std::string::npos) << "texts are stored in Windows-1252";

    TTestInstanz zweite(host);
    ASSERT_TRUE(zweite.GetDataFromServer(host.GetHandle(), false));
    EXPECT_EQ(zweite.neuAngelegt, 0);
    EXPECT_EQ(zweite.GetCompData(), inst.GetCompData());
    const std::vector<TDatenStruktur> gelesen = Alle(zweite);
    EXPECT_EQ(gelesen, Alle(inst));
    std::vector<int32_t> handles;
    for (const auto& d : gelesen)
        handles.push_back(d.Handle);
    EXPECT_EQ(handles, (std::vector<int32_t>{41, 40, 10, 11})) << "System, then Parent ascending";
    EXPECT_EQ(zweite.FindHandle(40), nullptr) << "Typ 1 makes no node";
    ASSERT_TRUE(zweite.WriteBlob());
    EXPECT_EQ(Gespeichert(project.ets, 1), blob);
    EXPECT_EQ(host.calls.front(), "FormVerwNeuAufbauen");
}

TEST_F(Container, RefusedContainerLoadsNothingAndLeavesTheBlob)
{
    const std::string kopf = "#Handle\r\n#Norvik\r\n<Version>\r\n";
    const struct {
        const char* name;
        std::string blob;
        std::vector<std::string> boxen;
    } rows[] = {
        {"record line refused", kopf + "Version=YR Version: 1. 1 Typ:VIREO/Alarmzentrale\r\n</Version>\r\n<DB>\r\n"
                                       "7,kaputt\r\n</DB>\r\n",
         {"Fehler beim Lesen der Datei:0\nTDatenStruktur::Fill(String Datensatz)\nHandle: 7\nName  : kaputt"}},
        {"minor version", kopf + "Version=YR Version: 1. 2 Typ:VIREO/Alarmzentrale\r\n</Version>\r\n<DB>\r\n</DB>\r\n",
         {"Falsche Nebenversionsnummer: 1.2\nErwartete Version:\nYR Version: 1. 1 Typ:VIREO/Alarmzentrale",
          "Versionskonflikt!\nDie installierte Software kann die Daten nicht lesen.\nBitte installieren Sie die "
          "benötigte Version.\n\nErwartet: YR Version: 1. 1 Typ:VIREO/Alarmzentrale\nVorhanden: YR Version: 1. 2 "
          "Typ:VIREO/Alarmzentrale\n\nBitte installieren Sie eine neue Software."}},
        {"no version value", kopf + "Version=\r\n</Version>\r\n<DB>\r\n</DB>\r\n", {}},
    };
    ASSERT_TRUE(inst.GetDataFromServer(host.GetHandle(), false));
    const std::vector<TDatenStruktur> vorher = Alle(inst);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::size_t boxenVorher = boxes.Count();
        ASSERT_TRUE(project.ets.BlobWrite(row.blob.data(), static_cast<uint32_t>(row.blob.size()), 1));
        EXPECT_FALSE(inst.GetDataFromServer(host.GetHandle(), false));
        std::vector<std::string> gezeigt;
        for (std::size_t i = boxenVorher; i < boxes.Count(); ++i)
            gezeigt.push_back(boxes.Shown()[i].text);
        EXPECT_EQ(gezeigt, row.boxen);
        EXPECT_EQ(Alle(inst), vorher) << "the previous records stay";
        EXPECT_NE(inst.GetDevice(), nullptr);
        EXPECT_EQ(Gespeichert(project.ets, 1), row.blob);
        EXPECT_EQ(inst.neuAngelegt, 1);
    }
}

TEST_F(Container, UnreadableBlobMakesNoNewStructure)
{
    TTestInstanz fremd(host, 99);
    EXPECT_FALSE(fremd.GetDataFromServer(host.GetHandle(), false));
    EXPECT_EQ(fremd.neuAngelegt, 0);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Can't read data (BLOB): 1");
    EXPECT_EQ(boxes.Shown()[0].caption, "Error: TDeviceInstanz::GetDataFromServer");
    // Nor can anything be stored for it.
    EXPECT_FALSE(fremd.WriteBlob());
    EXPECT_EQ(boxes.Shown()[1].text, "Beim Speichern der Daten ist ein Fehler aufgetreten.");
}

TEST_F(Container, WriteBlobWithoutDeviceNodeMakesNoRecord)
{
    inst.FillDataMaps(TestDatensatz(11, "Melder", 6124, 10, 10));
    ASSERT_TRUE(inst.WriteBlob());
    EXPECT_EQ(inst.GetDatenSatzAnzahl(), 1u);
    EXPECT_EQ(Gespeichert(project.ets, 1), inst.GetBlob());
}

TEST_F(Container, DebugCopiesGoOnlyIntoExistingFiles)
{
    const auto ordner = project.file.parent_path() / "debug";
    std::filesystem::create_directories(ordner);
    const auto ini = ordner / "miraval.ini";
    const auto lesen = ordner / "read.txt";
    const auto speichern = ordner / "save.txt";
    std::ofstream(ini) << "[Debug]\nWriteReadBlob=1\nReadBlob=" << lesen.string() << "\nWriteSaveBlob=1\nSaveBlob="
                       << speichern.string() << "\n";
    TEditorHostDouble debugHost(&project.ets, ini.string());
    TTestInstanz debug(debugHost);
    ASSERT_TRUE(debug.GetDataFromServer(debugHost.GetHandle(), false));
    EXPECT_FALSE(std::filesystem::exists(lesen));
    EXPECT_FALSE(std::filesystem::exists(speichern));

    std::ofstream(lesen) << "alt";
    std::ofstream(speichern) << "alt";
    ASSERT_TRUE(debug.WriteBlob());
    ASSERT_TRUE(debug.GetDataFromServer(debugHost.GetHandle(), false));
    auto inhalt = [](const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(inhalt(speichern), debug.GetBlob());
    EXPECT_EQ(inhalt(lesen), debug.GetBlob());
    std::filesystem::remove_all(ordner);
}

} // namespace
