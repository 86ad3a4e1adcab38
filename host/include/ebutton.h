#pragma once

#include "elabel.h"

class eButton;

// The activation signal of a button: it fires once each time the button is activated.
class eActivationSignal : public sigc::signal<void()> {
  public:
    explicit eActivationSignal(eButton& owner) : owner(owner) {}
    sigc::connection connect(const SigC::Slot0<void>& slot);

  private:
    eButton& owner;
};

class eButton : public eWidget {
  public:
    eButton(eWidget* parent, eLabel* descr = nullptr, int takefocus = 1,
            const char* deco = "eButton");

    // Binds a colour key ("red", "green", "yellow", "blue") to this button.
    void setShortcut(const eString& key);
    // The picture drawn beside the text for that key.
    void setShortcutPixmap(const eString& pixmap);
    const eString& getShortcut() const { return shortcut; }
    const eString& getShortcutPixmap() const { return shortcutPixmap; }

    void activate();

    eActivationSignal selected{*this};

    const char* kind() const override { return "eButton"; }
    void describe(std::ostream& out) const override;
    bool keyDown(const eRCKey& key) override;

  private:
    eLabel* descr;
    eString shortcut;
    eString shortcutPixmap;
};
