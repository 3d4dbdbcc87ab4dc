#pragma once
// What shows the dialogs of the Dorlin layer. The layer has already updated its progress
// state when a progress operation is called; a display only draws it.

#include "dorlin/Dorlin.h"

#include <map>
#include <string>

class TDorlinAnzeige {
public:
    virtual ~TDorlinAnzeige() = default;

    virtual void Info(const std::string& titel, const std::string& versionLabel, const std::string& version,
                      const std::string& bildDatei) = 0;
    virtual bool Spracheinstellung(const TSpracheinstellungTexte& texte,
                                   const std::map<std::string, std::string>& sprachen, int wert) = 0;

    // A dialog opened (or replaced the open one).
    virtual void ProgressStart(const TDlgProgressStand& stand) = 0;
    // Position or text changed.
    virtual void ProgressPosition(const TDlgProgressStand& stand) = 0;
    // Step count changed.
    virtual void ProgressSchritte(const TDlgProgressStand& stand) = 0;
    virtual void ProgressStop() = 0;
};
