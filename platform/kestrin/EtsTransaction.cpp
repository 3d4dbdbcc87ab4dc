#include "kestrin/EtsTransaction.h"

#include "kestrin/Ets2Cdi.h"

TEtsTransaction::TEtsTransaction(TEts2Cdi* ets)
    : m_ets(ets)
{
    m_open = m_ets != nullptr && m_ets->IsOpen() && m_ets->BeginBurst();
}

TEtsTransaction::~TEtsTransaction()
{
    if (m_open)
        m_ets->RollbackBurst();
}

bool TEtsTransaction::Commit()
{
    if (!m_open)
        return false;
    m_open = false;
    return m_ets->CommitBurst();
}
