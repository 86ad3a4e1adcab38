#include "desktop.h"

#include <algorithm>

Desktop& Desktop::instance() {
    static Desktop desktop;
    return desktop;
}

void Desktop::raise(const eWidget& window) {
    remove(window);
    shown.push_back(&window);
}

void Desktop::remove(const eWidget& window) {
    shown.erase(std::remove(shown.begin(), shown.end(), &window), shown.end());
}

std::optional<eRCKey> Desktop::waitForKey(const eWidget& waiting) {
    if (waitObserver)
        waitObserver(waiting);
    std::optional<eRCKey> key = keys ? keys->next() : std::nullopt;
    if (!key && exhaustedHandler)
        exhaustedHandler(waiting);
    return key;
}
