#pragma once
// TDlgFortschrittMelderHinzufuegen: the empty progress form of adding detectors, made once at
// start-up and never shown; the run shows the progress dialog of the dialog library instead.

#include <QDialog>

class TDlgFortschrittMelderHinzufuegen : public QDialog {
public:
    explicit TDlgFortschrittMelderHinzufuegen(QWidget* owner);
};
