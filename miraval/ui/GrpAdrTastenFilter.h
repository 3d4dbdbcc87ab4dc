#pragma once
// The key filter of the group-address dialogs' edits (TDlgSelGrpAddr, TDlgLinkToGrpAdr): Enter
// runs the dialog's action and goes no further; in an address edit a typed character that no
// address holds is swallowed (GrpAdrText::Verschluckt). Every other key reaches the edit.

#include <QObject>

#include <functional>

class QEvent;
class QLineEdit;

class TGrpAdrTastenFilter : public QObject {
public:
    enum class TZeichen {
        Adresse, // only the characters of an address reach the edit
        Alle,    // every character does (a name edit)
    };

    // Installs itself on `edit` and becomes its Qt child. `enter` runs through Geschuetzt.
    TGrpAdrTastenFilter(QLineEdit* edit, std::function<void()> enter, TZeichen zeichen = TZeichen::Adresse);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_enter;
    TZeichen m_zeichen;
};
