#pragma once

#include "ewidget.h"

class eLabel : public eWidget {
  public:
    eLabel(eWidget* parent, int flags = 0, int takefocus = 0, const char* deco = "eLabel");
    const char* kind() const override { return "eLabel"; }
};
