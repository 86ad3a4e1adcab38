#include "screendump.h"

#include <ostream>
#include <string>

#include "desktop.h"
#include "ewidget.h"
#include "visibletext.h"

namespace {

void writeWidget(std::ostream& out, const eWidget& widget, int indent) {
    out << std::string(static_cast<std::size_t>(indent), ' ');
    widget.describe(out);
    if (widget.getParent() && widget.getParent()->getFocus() == &widget)
        out << " focus";
    out << '\n';
    widget.describeContent(out, indent + 2);
    for (const eWidget* child : widget.getChildren())
        writeWidget(out, *child, indent + 2);
}

} // namespace

void writeScreen(std::ostream& out, const eWidget& waiting, int number) {
    out << "=== screen " << number << ": " << quoted(waiting.getText()) << " waits for a key\n";
    for (const eWidget* window : Desktop::instance().shownWindows())
        writeWidget(out, *window, 0);
}
