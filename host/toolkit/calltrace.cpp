#include "calltrace.h"

#include "ewidget.h"
#include "visibletext.h"

std::ostream* CallTrace::output = nullptr;

void CallTrace::setOutput(std::ostream* out) {
    output = out;
}

void CallTrace::writeTarget(std::ostream& line, const eWidget* self) {
    if (self)
        line << '#' << self->getId() << ' ';
}

void CallTrace::writeArgument(std::ostream& line, const char* text) {
    line << (text ? quoted(text) : "null");
}

void CallTrace::writeArgument(std::ostream& line, const std::string& text) {
    line << quoted(text);
}

void CallTrace::writeArgument(std::ostream& line, const ePoint& point) {
    line << point.x << ',' << point.y;
}

void CallTrace::writeArgument(std::ostream& line, const eSize& size) {
    line << size.width << 'x' << size.height;
}

void CallTrace::writeArgument(std::ostream& line, const eWidget* widget) {
    if (widget)
        line << '#' << widget->getId();
    else
        line << "null";
}

// Keys and other opaque pointers are shown only as present or absent, so traces stay
// the same from run to run.
void CallTrace::writeArgument(std::ostream& line, const void* pointer) {
    line << (pointer ? "ptr" : "null");
}

void CallTrace::finish(const std::string& line) {
    *output << line << '\n' << std::flush;
}
