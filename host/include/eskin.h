#pragma once
// The active skin: named integer values such as "fontsize".

#include <map>

#include "estring.h"

class eSkin {
  public:
    static eSkin* getActive();
    // The skin's value for name, or defaultValue when the skin has none.
    int queryValue(const eString& name, int defaultValue) const;
    // The same lookup for the toolkit's own use, which the call trace leaves out.
    int valueOr(const std::string& name, int defaultValue) const;
    void setValue(const eString& name, int value);

  private:
    std::map<std::string, int> values;
};
