#pragma once
// The colours of the area panels of the variant and display dialogs: an area that is there
// (or chosen) shows the info background, any other the button face, as Windows system
// colours through the one colour table.

#include "rastow/qt/WinColor.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

inline QColor BereichsFarbe(bool aktiv, const QPalette& palette)
{
    return ColorFromWin(clSystemColor | (aktiv ? COLOR_INFOBK : COLOR_BTNFACE), palette);
}

inline void FaerbeBereich(QWidget* panel, bool aktiv)
{
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, BereichsFarbe(aktiv, panel->palette()));
    panel->setPalette(p);
    panel->setAutoFillBackground(true);
}
