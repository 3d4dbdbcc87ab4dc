#pragma once
// TOvandoPdfAnzeige: a display that asks nobody and writes every job into a PDF file of its
// folder ("druck-<n>.pdf" for a print confirmed, "vorschau-<n>.pdf" for a preview, n counting
// from 1 per display). The print dialog answers as scripted (Druckantwort). While it lives it
// is the process's display; the one before comes back when it is destroyed.

#include "ovando/OvandoAnzeige.h"

#include <filesystem>
#include <vector>

class TOvandoPdfAnzeige : public TOvandoAnzeige {
public:
    explicit TOvandoPdfAnzeige(std::filesystem::path ordner);
    ~TOvandoPdfAnzeige() override;
    TOvandoPdfAnzeige(const TOvandoPdfAnzeige&) = delete;
    TOvandoPdfAnzeige& operator=(const TOvandoPdfAnzeige&) = delete;

    bool Druckdialog(QPrinter& printer, QWidget* owner) override;
    void Vorschau(QPrinter& printer, QWidget* owner, const std::function<void(QPrinter&)>& zeichnen) override;

    // What the print dialog answers (true: print).
    bool Druckantwort = true;
    int Druckdialoge() const { return m_druckdialoge; }
    int Vorschauen() const { return m_vorschauen; }
    // The files handed out, in order (a confirmed print's file exists once the job ended).
    const std::vector<std::filesystem::path>& Dateien() const { return m_dateien; }

private:
    std::filesystem::path m_ordner;
    TOvandoAnzeige* m_vorher;
    int m_druckdialoge = 0;
    int m_vorschauen = 0;
    std::vector<std::filesystem::path> m_dateien;
};

// The pages of a PDF file as Qt writes them (its page objects); -1 when the file cannot be
// read or is no PDF.
int OvandoPdfSeiten(const std::filesystem::path& datei);
