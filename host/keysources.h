#pragma once
// Where the host's keys come from: a script given up front, or lines typed by a person.

#include <cstddef>
#include <functional>
#include <istream>
#include <vector>

#include "desktop.h"

class ScriptedKeys : public KeySource {
  public:
    explicit ScriptedKeys(std::vector<eRCKey> keys) : keys(std::move(keys)) {}
    std::optional<eRCKey> next() override;
    std::size_t remaining() const { return keys.size() - used; }

  private:
    std::vector<eRCKey> keys;
    std::size_t used = 0;
};

// Reads one line of key words at a time; before each read it shows the screen, so a person
// sees the effect of the previous line. A line that cannot be understood is reported and
// skipped.
class TypedKeys : public KeySource {
  public:
    TypedKeys(std::istream& in, std::function<void()> showScreen)
        : in(in), showScreen(std::move(showScreen)) {}
    std::optional<eRCKey> next() override;

  private:
    std::istream& in;
    std::function<void()> showScreen;
    std::vector<eRCKey> pending;
    std::size_t used = 0;
};
