#pragma once
// A one-line text input field.

#include "elabel.h"

class eTextInputFieldHelpWidget;

class eTextInputField : public eWidget {
  public:
    eTextInputField(eWidget* parent, eLabel* descr = nullptr,
                    eTextInputFieldHelpWidget* help = nullptr, const char* deco = "eInput");

    // How many characters the field shows at once; the text itself may be longer.
    void setVisibleChars(int count);
    int getVisibleChars() const { return visibleChars; }

    const char* kind() const override { return "eTextInputField"; }
    void describe(std::ostream& out) const override;
    bool keyDown(const eRCKey& key) override;

  private:
    eLabel* descr;
    int visibleChars = 20;
};
