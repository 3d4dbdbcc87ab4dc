#pragma once
// One drag of this program, from the start of QDrag::exec to its return (made around the
// exec by whoever starts the drag). While a drag runs, Qt's drag loop holds the mouse and
// the keys: a modal message box opened by a drag handler inside it could not be answered.
// So the handlers' messages wait until the drag is over and are then shown, each distinct
// text and caption once (a drag test runs on every mouse move); a failing test of a target
// ends the drag as if the user had cancelled it. Without a running drag a message is shown
// at once.
//
// Main thread only; one drag at a time (QDrag::exec does not return before it ends).

#include <QPointer>

#include <string>

class QDrag;

class TZiehLauf {
public:
    // drag: the drag being run, cancelled on request; may be null (a drag driven by code,
    // as in tests, that has nothing to cancel).
    explicit TZiehLauf(QDrag* drag);
    // Shows the messages that waited, in the order they came.
    ~TZiehLauf();
    TZiehLauf(const TZiehLauf&) = delete;
    TZiehLauf& operator=(const TZiehLauf&) = delete;

    static bool Laeuft();
    // A drag handler's message box (no buttons but OK, no icon): at once, or after the
    // running drag; abbrechen ends the running drag.
    static void Melde(const std::string& text, const std::string& caption, bool abbrechen);
    // Melde with the text of the exception being handled (any type; only in a catch block).
    static void MeldeAusnahme(const std::string& caption, bool abbrechen);

private:
    QPointer<QDrag> m_drag;
    TZiehLauf* m_vorher;
};
