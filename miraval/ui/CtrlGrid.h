#pragma once
// TCtrlGrid keeps the project window's property grid: the TDrawGridSE model the nodes draw
// on (owned by the window) and its view. It holds what the model leaves to the display:
// colours (Windows colour values: RGB as 0x00BBGGRR, system colours with the top bit),
// grid-line width, the auto-size setting and the default column width, and hands them to
// the view.

#include <cstdint>

class QWidget;
class TDrawGridSE;

struct TGridLook {
    int32_t Color = static_cast<int32_t>(0x8000000F);      // background (common colour)
    int32_t FixedColor = 0xFFFFFF;                          // title cells
    int32_t CellColor = 0xFFFFFF;                           // editable cells
    int32_t ReadOnlyColor = static_cast<int32_t>(0x8000000F);
    int GridLineWidth = 1;
    bool AutoSize = true;
    int DefaultColWidth = 150;
    bool operator==(const TGridLook&) const = default;
};

class TCtrlGrid {
public:
    // Neither is owned; view may be null (no display of the grid).
    TCtrlGrid(TDrawGridSE* grid, QWidget* view);
    TCtrlGrid(const TCtrlGrid&) = delete;
    TCtrlGrid& operator=(const TCtrlGrid&) = delete;

    // Set-up of a new grid: the view takes the look.
    void Init();
    void LoadColor(int32_t common, int32_t cell, int32_t title, int32_t readOnly, int gridLines);
    // Auto-size unchanged: the active cell stays and its editor is re-fitted; changed: cell
    // (0, 0) becomes active. Default column width := 1 with auto-size, else width.
    void LoadSize(bool autoSize, int width);
    // Ends the active cell's editor.
    void DeactivateActiveGridCell();
    // One row down / up (the view does the same per wheel notch).
    void ScrollDownCallback();
    void ScrollUpCallback();

    const TGridLook& Look() const { return m_look; }
    void SetAutoSize(bool autoSize) { m_look.AutoSize = autoSize; }
    void SetDefaultColWidth(int width) { m_look.DefaultColWidth = width; }
    TDrawGridSE* Grid() const { return m_grid; }
    QWidget* View() const { return m_view; }
    // Hands the look to the view and repaints it.
    void Repaint();

private:
    TDrawGridSE* m_grid;
    QWidget* m_view;
    TGridLook m_look;
};
