#pragma once
// One line for each toolkit call a plug-in makes, written when a trace file is set.

#include <ostream>
#include <sstream>
#include <string>

#include "estring.h"

class eWidget;

class CallTrace {
  public:
    static void setOutput(std::ostream* out);
    static bool enabled() { return output != nullptr; }

    // Writes "#ID operation(arg, ...)", or "operation(...)" without a widget.
    template <class... Args>
    static void call(const eWidget* self, const char* operation, const Args&... args) {
        if (!output)
            return;
        std::ostringstream line;
        writeTarget(line, self);
        line << operation << '(';
        [[maybe_unused]] const char* separator = "";
        ((line << separator, writeArgument(line, args), separator = ", "), ...);
        line << ')';
        finish(line.str());
    }

  private:
    static void writeTarget(std::ostream& line, const eWidget* self);
    static void writeArgument(std::ostream& line, int value) { line << value; }
    static void writeArgument(std::ostream& line, bool value) {
        line << (value ? "true" : "false");
    }
    static void writeArgument(std::ostream& line, const char* text);
    static void writeArgument(std::ostream& line, const std::string& text);
    static void writeArgument(std::ostream& line, const ePoint& point);
    static void writeArgument(std::ostream& line, const eSize& size);
    static void writeArgument(std::ostream& line, const eWidget* widget);
    static void writeArgument(std::ostream& line, const void* pointer);
    static void finish(const std::string& line);

    static std::ostream* output;
};
