#include "elabel.h"

#include "calltrace.h"

eLabel::eLabel(eWidget* parent, int flags, int takefocus, const char* deco)
    : eWidget(parent, takefocus) {
    CallTrace::call(this, "eLabel", static_cast<const eWidget*>(parent), flags, takefocus, deco);
}
