#pragma once
// TAbgelehnteMeldungen: while an ETS event or the return to ETS runs, the boxes that only tell
// something (an OK button alone) are held back once the project store has refused the work
// (TEts2Cdi::RefusedFault): the refusal is one failure, and the person reads it once, in the
// one box that names its cause (the failed event's, the failed return's), not in a box for
// every write that came after it. Questions are still asked. The box hook in place before
// (the program's dialog, a test's answerer) shows everything else; it is put back at the end
// of the scope.
//
// Main thread only; scopes nest.

#include "win32/MessageBox.h"

#include <memory>

class TEts2Cdi;

class TAbgelehnteMeldungen {
public:
    // ets may be null: nothing is held back then. Not owned; must outlive the scope.
    explicit TAbgelehnteMeldungen(const TEts2Cdi* ets);
    ~TAbgelehnteMeldungen();
    TAbgelehnteMeldungen(const TAbgelehnteMeldungen&) = delete;
    TAbgelehnteMeldungen& operator=(const TAbgelehnteMeldungen&) = delete;

private:
    std::shared_ptr<TMessageBoxHook> m_vorher;
};
