#pragma once
// TBaumScroll keeps the project window's tree scrolling while a drag rests near its upper or
// lower edge: a 50 ms timer, switched on when a drag starts from the tree and on every drag
// move over it, off when the tree's drag ends. Each tick looks where the cursor is and
// scrolls the tree one line up or down, or switches itself off when the cursor is in
// neither zone.
//
// The zones reach beyond the tree, so the cursor may rest just above or below it. They are
// measured in the font-height convention of the stored window layouts: h is negative, minus
// the tree font's pixel size (-11 for an 11-pixel font); band = 5 - h; half = -h / 2 rounded
// toward zero. Up: top + half - band < y < top + half. Down: bottom - half < y <
// bottom - half + band, tested last so it wins where both hold. top and bottom are the
// tree's outer rectangle in screen coordinates, bottom exclusive.
//
// The very first tick in the window's life does nothing. A tick while no drag of this
// program runs switches the timer off: a drag that started from the folder list reaches the
// tree's drag moves but not the tree's end of drag.
//
// Main thread only.

#include <QPoint>

#include <cstdint>
#include <functional>
#include <memory>

class QTimer;
class QTreeWidget;

class TBaumScroll {
public:
    using TCursorQuelle = std::function<QPoint()>;

    // tree: not owned; it outlives this object.
    explicit TBaumScroll(QTreeWidget* tree);
    ~TBaumScroll();
    TBaumScroll(const TBaumScroll&) = delete;
    TBaumScroll& operator=(const TBaumScroll&) = delete;

    // A drag starts from the tree: direction none, timer on.
    void Start();
    // A drag moved over the tree: direction none, timer on when it is off.
    void DragOver();
    // The tree's drag ended: direction none, timer off.
    void Ende();
    // One timer tick (above).
    void Tick();

    // 0 none, 1 down, 2 up, for the cursor's y and the tree's top and (exclusive) bottom.
    static uint8_t Richtung(int y, int top, int bottom, int fontHeight);
    // The tree font's height in the convention above.
    int FontHeight() const;

    uint8_t GetRichtung() const { return m_richtung; }
    bool IstAn() const;
    bool ErsterTickVorbei() const { return m_ersterTick; }
    // Where the screen cursor is (default QCursor::pos); tests give their own.
    void SetCursorQuelle(TCursorQuelle quelle) { m_cursor = std::move(quelle); }
    QTimer& Timer() const { return *m_timer; }

private:
    QTreeWidget* m_tree;
    std::unique_ptr<QTimer> m_timer;
    uint8_t m_richtung = 0;
    bool m_ersterTick = false;
    TCursorQuelle m_cursor;
};
