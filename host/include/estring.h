#pragma once
// The toolkit's string: a std::string with printf-style formatting.

#include <string>

struct ePoint {
    int x = 0;
    int y = 0;
    ePoint() = default;
    ePoint(int px, int py) : x(px), y(py) {}
};

struct eSize {
    int width = 0;
    int height = 0;
    eSize() = default;
    eSize(int w, int h) : width(w), height(h) {}
};

class eString : public std::string {
  public:
    eString() = default;
    eString(const char* text) : std::string(text ? text : "") {}
    eString(const std::string& text) : std::string(text) {}
    eString(std::string&& text) : std::string(std::move(text)) {}
    eString(const char* text, size_type length) : std::string(text, length) {}

    // Replaces the content with the formatted text, however long it is, and returns it.
    eString& sprintf(const char* format, ...) __attribute__((format(printf, 2, 3)));
};
