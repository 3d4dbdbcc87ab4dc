#include "morrow/EtsProgressDialog.h"

#include "kestrin/Ets2Cdi.h"

TEtsProgressDialog::TEtsProgressDialog(TEts2Cdi* ets, HWND meter)
    : m_ets(ets)
    , m_meter(meter)
{
}

void TEtsProgressDialog::EtsMeterSetPosition(std::uint16_t position)
{
    if (m_ets)
        m_ets->CoMeterSetPosition(m_meter, position);
}

void TEtsProgressDialog::EtsMeterSetText(const std::string& text)
{
    if (m_ets)
        m_ets->CoMeterSetText(m_meter, 0, text);
}

void TEtsProgressDialog::EtsMeterSetText1(const std::string& text)
{
    if (m_ets)
        m_ets->CoMeterSetText(m_meter, 1, text);
}

void TEtsProgressDialog::EtsMeterSetText2(const std::string& text)
{
    if (m_ets)
        m_ets->CoMeterSetText(m_meter, 2, text);
}

bool TEtsProgressDialog::EtsGetAbortFlag()
{
    return m_ets && m_ets->CoMeterGetAbortFlag(m_meter);
}
