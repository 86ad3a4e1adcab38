#pragma once
// A top-level window: a client area with a title bar above it.

#include "ewidget.h"

class eWindow : public eWidget {
  public:
    // state selects nothing in this toolkit; it is kept for the dump.
    explicit eWindow(int state = 0);
    ~eWindow() override;

    // Place and size the client area on the screen; move and resize place the whole window.
    void cmove(const ePoint& clientPosition);
    void cresize(const eSize& clientSize);

    static constexpr int titleBarHeight = 30;

    const char* kind() const override { return "eWindow"; }
    void describe(std::ostream& out) const override;
    // The base window's own key handling: colour shortcuts, focus steps, ok to the focused
    // child, exit closes the window with -1.
    bool keyDown(const eRCKey& key) override;

  protected:
    struct Untraced {};
    // For the toolkit's own windows (message boxes, drop-downs), which are not traced.
    eWindow(Untraced, int state);

    // Whether the trace shows this window's destruction: the plug-in's windows and message
    // boxes, not the toolkit's own drop-downs.
    bool traced;

  private:
    int state;
};
