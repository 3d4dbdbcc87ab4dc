#pragma once
// TFensterHost: what a project window asks of the window that holds it (the main window). The
// project windows know no more of their main window than this; everything else reaches it as a
// message to the data module's main handle.

class QMdiArea;

class TFensterHost {
public:
    // The MDI area the project windows join; null: a window stands alone.
    virtual QMdiArea* GetMdiArea() const = 0;

protected:
    ~TFensterHost() = default;
};
