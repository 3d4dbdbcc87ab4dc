#include "ovando/OvandoAnzeige.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <cstdio>
#include <exception>

namespace {

class TOvandoQtAnzeige : public TOvandoAnzeige {
public:
    bool Druckdialog(QPrinter& printer, QWidget* owner) override
    {
        QPrintDialog dialog(&printer, owner);
        return dialog.exec() == QDialog::Accepted;
    }

    void Vorschau(QPrinter& printer, QWidget* owner, const std::function<void(QPrinter&)>& zeichnen) override
    {
        QPrintPreviewDialog dialog(&printer, owner);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&zeichnen](QPrinter* p) {
            try {
                zeichnen(*p);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "ovando: preview: %s\n", e.what());
            } catch (...) {
                std::fprintf(stderr, "ovando: preview failed\n");
            }
        });
        dialog.exec();
    }
};

TOvandoQtAnzeige g_qt;
TOvandoAnzeige* g_anzeige = nullptr;

} // namespace

TOvandoAnzeige& OvandoAnzeige()
{
    return g_anzeige != nullptr ? *g_anzeige : g_qt;
}

TOvandoAnzeige* SetOvandoAnzeige(TOvandoAnzeige* anzeige)
{
    TOvandoAnzeige* vorher = g_anzeige;
    g_anzeige = anzeige;
    return vorher;
}
