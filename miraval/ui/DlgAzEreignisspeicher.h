#pragma once
// TDlgEreignisspeicher: the modal event-memory window. It lists the events read from the
// device (one row per event, a blank separator row where the area changes), shows the PC's and
// the device's time at the read-out, saves the list as a text file and prints it.
//
// The event rows are comma text of six fields (running number, area, event, participant,
// date, time); the list is the caller's and must outlive the window. Modal result 2 when
// closed.
//
// The text file: UTF-8 with CR LF after every line; header 1, the time line, the column
// captions as comma text, then the rows as they came. It is written to a temporary file that
// then replaces the target, so a failed save leaves the target as it was; the failure is
// shown in an error box and the window stays.

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QFileDialog;
class QLabel;
class QPushButton;
class QTreeWidget;
class TOvandoCanvas;
class TStringList;

class TDlgEreignisspeicher : public QDialog {
public:
    // Printer margins, in the printer's device units.
    static constexpr int kRandLinks = 300;
    static constexpr int kRandOben = 200;
    static constexpr int kRandRechts = 200;
    static constexpr int kRandUnten = 200;

    TDlgEreignisspeicher(QWidget* owner, const TStringList& ereignisse, std::string kopf1, std::string kopf2,
                         std::string pcZeit, std::string geraetZeit);

    void FillListView();
    // Asks for the file (SaveDialogAusfuehren) and writes it.
    void BtnSaveClick();
    // Asks for the printer (the report library's print dialog) and prints the list on it.
    void BtnPrintClick();

    // The lines of the text file, without line ends.
    std::vector<std::string> Dateizeilen() const;
    // Writes the text file; false with the reason when it could not be written.
    [[nodiscard]] bool Speichern(const std::string& datei, std::string& fehler) const;
    // Prints the list view's rows (separators too) on the canvas, a page header on every page.
    void Drucke(TOvandoCanvas& canvas) const;

    const std::string& GetZeitZeile() const { return m_zeitZeile; }
    // The folder the save dialog starts in: the program file's path without extension, then
    // "Ereignisspeicher" (not created).
    static std::string SpeicherOrdner();

    // Runs the prepared save dialog: true when a file was chosen. Default: the dialog, modally.
    std::function<bool(QFileDialog&)> SaveDialogAusfuehren;

    // ---- Components (names as the form has them) ---------------------------------------------
    QLabel* LabelPcAndDeviceTime = nullptr;
    QTreeWidget* ListView = nullptr;
    QPushButton* BtnSave = nullptr;
    QPushButton* BtnPrint = nullptr;
    QPushButton* BtnClose = nullptr;

private:
    // The header of a page; answers the y below it.
    int PrintPageHeader(TOvandoCanvas& canvas, int seite) const;
    // Runs a button's work; what it throws goes to the main window's handler, never into
    // Qt's event loop.
    template <class F> void Sicher(F f);

    const TStringList& m_ereignisse;
    std::string m_kopf1;
    std::string m_kopf2;
    std::string m_pcZeit;
    std::string m_geraetZeit;
    std::string m_zeitZeile;
    std::string m_seitenTitel; // empty: printed as blanks
};
