#include "ovando/OvandoPdfAnzeige.h"

#include <QPrinter>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>

TOvandoPdfAnzeige::TOvandoPdfAnzeige(std::filesystem::path ordner)
    : m_ordner(std::move(ordner)), m_vorher(SetOvandoAnzeige(this))
{
}

TOvandoPdfAnzeige::~TOvandoPdfAnzeige()
{
    SetOvandoAnzeige(m_vorher);
}

bool TOvandoPdfAnzeige::Druckdialog(QPrinter& printer, QWidget*)
{
    ++m_druckdialoge;
    if (!Druckantwort)
        return false;
    const auto datei = m_ordner / ("druck-" + std::to_string(m_druckdialoge) + ".pdf");
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(datei.string()));
    m_dateien.push_back(datei);
    return true;
}

void TOvandoPdfAnzeige::Vorschau(QPrinter& printer, QWidget*, const std::function<void(QPrinter&)>& zeichnen)
{
    ++m_vorschauen;
    const auto datei = m_ordner / ("vorschau-" + std::to_string(m_vorschauen) + ".pdf");
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(datei.string()));
    m_dateien.push_back(datei);
    zeichnen(printer);
}

int OvandoPdfSeiten(const std::filesystem::path& datei)
{
    std::ifstream in(datei, std::ios::binary);
    const std::string inhalt((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (inhalt.compare(0, 5, "%PDF-") != 0)
        return -1;
    // Page objects ("/Type /Page"), not the page tree ("/Type /Pages").
    static const std::regex seite(R"(/Type\s*/Page(?![A-Za-z]))");
    return static_cast<int>(std::distance(std::sregex_iterator(inhalt.begin(), inhalt.end(), seite),
                                          std::sregex_iterator()));
}
