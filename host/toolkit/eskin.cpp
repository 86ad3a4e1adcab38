#include "eskin.h"

#include "calltrace.h"

eSkin* eSkin::getActive() {
    static eSkin active;
    return &active;
}

int eSkin::queryValue(const eString& name, int defaultValue) const {
    CallTrace::call(nullptr, "eSkin::queryValue", static_cast<const std::string&>(name),
                    defaultValue);
    return valueOr(name, defaultValue);
}

int eSkin::valueOr(const std::string& name, int defaultValue) const {
    const auto found = values.find(name);
    return found == values.end() ? defaultValue : found->second;
}

void eSkin::setValue(const eString& name, int value) {
    values[name] = value;
}
