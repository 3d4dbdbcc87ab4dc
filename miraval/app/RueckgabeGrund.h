#pragma once
// The reason line of a failed return to ETS, as the person reads it: the common cause in
// German, then what ETS itself said.

#include "kestrin/Ets2Cdi.h"

#include <string>

std::string RueckgabeGrund(TEts2Cdi::TStoreFault fehler, const std::string& meldung);
