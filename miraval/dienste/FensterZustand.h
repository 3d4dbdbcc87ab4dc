#pragma once
// Window states as the INI file keeps them (MainState, VerwState): 0 normal, 1 minimised,
// 2 maximised; any other number reads as normal.

#include <Qt>

inline int ZustandAlsZahl(Qt::WindowStates zustand)
{
    if (zustand & Qt::WindowMinimized)
        return 1;
    if (zustand & Qt::WindowMaximized)
        return 2;
    return 0;
}

inline Qt::WindowStates ZustandAusZahl(int zahl)
{
    switch (zahl) {
    case 1:
        return Qt::WindowMinimized;
    case 2:
        return Qt::WindowMaximized;
    default:
        return Qt::WindowNoState;
    }
}
