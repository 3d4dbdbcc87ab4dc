#pragma once
// TDlgInfoEreignisspeicher: the notice shown without modality while the event memory is read
// over the bus. No close button: the read-out closes it.

#include <QDialog>

class QLabel;

class TDlgInfoEreignisspeicher : public QDialog {
public:
    explicit TDlgInfoEreignisspeicher(QWidget* owner);

    QLabel* LabelInfoText = nullptr;
};
