#pragma once
// Rows of lists, trees and tables as tall as their font's accents need. Qt makes a row of an
// item view as tall as its font's ascent and descent; the dots of a capital umlaut reach
// above the ascent in common fonts (DejaVu Sans among them), and a row just that tall cuts
// them off: "Überfallmelder" reads "Uberfallmelder". Windows' fonts keep their accents
// within the ascent.

class QFontMetrics;

// How far the capital umlauts' ink reaches above the font's ascent, in pixels (0 when it
// stays within).
int AccentOverhang(const QFontMetrics& metrics);

// Gives the application a style (over the one it has) whose item view rows leave that room
// above and below the text, which they centre. Without a QApplication it does nothing.
void RowsTallEnoughForAccents();
