#pragma once
// The place of a project window in the main window's area. A window that fills the area keeps
// filling it when the area changes size (the main window maximised, restored or resized): it
// fills it while its frame is the whole area as it was. The first window of a run without a
// stored placement fills the area once the main window shows it, also when the main window
// comes up maximised. Every other window is kept inside the area when it is shown, so its
// frame and buttons can be reached (the next window opens further down and right).
//
// Windows placed as minimised or maximised inside the area are left to the area.

#include <QObject>
#include <QPointer>
#include <QRect>

class QMdiSubWindow;
class QSize;
class QWidget;

class TFensterPlatz : public QObject {
public:
    // Lives as a Qt child of fenster.
    explicit TFensterPlatz(QMdiSubWindow& fenster);

    // The window fills the area when it is next shown.
    void SetFuellen(bool fuellen) { m_fuellen = fuellen; }
    // Called when the window is shown: it takes its place once the main window has laid out
    // its area.
    void Gezeigt();
    // Whether the window was ever shown: one that never was has no placement of its own.
    bool WarGezeigt() const { return m_warGezeigt; }

    // A frame moved and cut so that it lies inside an area of the given size; one that lies
    // inside already stays as it is.
    static QRect Innerhalb(const QRect& rahmen, const QSize& bereich);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The area's visible part, or null while it has no size to go by (the main window hidden
    // or minimised, the window minimised or maximised).
    QWidget* Bereich() const;
    void Platzieren();
    // Whether the window is to fill the area, the area being of the given size until now: the
    // first fill is due, or its frame is the one the last fill gave or the whole area.
    bool Fuellt(const QSize& bereich) const;
    void Fuelle(const QSize& groesse);

    QMdiSubWindow& m_fenster;
    bool m_fuellen = false;
    bool m_warGezeigt = false;
    QRect m_gefuellt; // the frame the last fill gave; the window fills while it has it
    QPointer<QWidget> m_beobachtet;
};
