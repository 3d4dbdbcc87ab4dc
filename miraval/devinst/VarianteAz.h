#pragma once
// The variant code of an alarm centre (VarianteAz): one byte per arming area, area n (1..4)
// in byte 4 - n, area 1 the top byte; an area is present when its byte is not 0. The device
// instance and the dialogs read it through these, so the rule exists once.

#include <cstdint>

constexpr bool BereichOk(int bereich)
{
    return bereich >= 1 && bereich <= 4;
}
// The byte of area n; 0 for a number outside 1..4.
constexpr uint32_t BereichsByte(uint32_t variante, int bereich)
{
    return BereichOk(bereich) ? (variante >> (8 * (4 - bereich))) & 0xFFu : 0;
}
constexpr bool BereichVorhanden(uint32_t variante, int bereich)
{
    return BereichsByte(variante, bereich) != 0;
}
constexpr int AnzahlBereiche(uint32_t variante)
{
    int anzahl = 0;
    for (int n = 1; n <= 4; ++n)
        anzahl += BereichVorhanden(variante, n) ? 1 : 0;
    return anzahl;
}
