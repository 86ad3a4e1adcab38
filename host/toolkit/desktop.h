#pragma once
// The screen: which windows are shown, in what order, and where the keys come from.

#include <functional>
#include <optional>
#include <vector>

#include "erckey.h"
#include "estring.h"

class eWidget;

class KeySource {
  public:
    virtual ~KeySource() = default;
    // The next key, or nothing when no key will ever come again.
    virtual std::optional<eRCKey> next() = 0;
};

class Desktop {
  public:
    static Desktop& instance();

    static constexpr int screenWidth = 720;
    static constexpr int screenHeight = 576;

    void setKeySource(KeySource* source) { keys = source; }
    // Called each time a modal loop starts waiting for a key, with the waiting window.
    void setWaitObserver(std::function<void(const eWidget&)> observer) {
        waitObserver = std::move(observer);
    }
    // Called when a modal loop waits and no key will come; if it returns, that loop ends
    // with the code -1.
    void setExhaustedHandler(std::function<void(const eWidget&)> handler) {
        exhaustedHandler = std::move(handler);
    }

    // Shown windows, bottom to top.
    const std::vector<const eWidget*>& shownWindows() const { return shown; }
    void raise(const eWidget& window);
    void remove(const eWidget& window);

    std::optional<eRCKey> waitForKey(const eWidget& waiting);

  private:
    std::vector<const eWidget*> shown;
    KeySource* keys = nullptr;
    std::function<void(const eWidget&)> waitObserver;
    std::function<void(const eWidget&)> exhaustedHandler;
};
