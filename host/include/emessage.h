#pragma once
// A modal message box centred on the screen; ok or exit closes it.

#include "ewindow.h"

class eMessageBox : public eWindow {
  public:
    // flags: iconError (128) marks an error box, btOK (1) gives it an OK button;
    // defaultButton and timeout (0: none) are kept as given.
    eMessageBox(const eString& message, const eString& caption, int flags, int defaultButton,
                int timeout);

    static constexpr int btOK = 1;
    static constexpr int iconError = 128;

    const eString& getMessage() const { return message; }
    int getFlags() const { return flags; }

    const char* kind() const override { return "eMessageBox"; }
    void describe(std::ostream& out) const override;
    bool keyDown(const eRCKey& key) override;

  private:
    eString message;
    int flags;
    int defaultButton;
    int timeout;
};
