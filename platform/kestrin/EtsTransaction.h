#pragma once
// TEtsTransaction: a write burst of TEts2Cdi as a scope. Every write made through the
// interface while it lives goes into one transaction, stored when Commit is called and
// undone when the scope is left without it (an exception, an early return), so a burst that
// fails half-way leaves nothing half-written. Brackets nest; inside an editing period a
// burst becomes part of the period.
//
//   TEtsTransaction burst(ets);
//   ... many ETS writes ...
//   burst.Commit();

class TEts2Cdi;

class TEtsTransaction {
public:
    // ets may be null or without a store: the guard then does nothing and Commit answers
    // false. Not owned; must outlive the guard.
    explicit TEtsTransaction(TEts2Cdi* ets);
    ~TEtsTransaction();
    TEtsTransaction(const TEtsTransaction&) = delete;
    TEtsTransaction& operator=(const TEtsTransaction&) = delete;

    // True while the burst is open (its writes are bracketed).
    bool IsOpen() const { return m_open; }
    // Stores the burst; false when none was open or the store refused (then undone).
    bool Commit();

private:
    TEts2Cdi* m_ets;
    bool m_open = false;
};
