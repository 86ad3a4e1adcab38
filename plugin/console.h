#pragma once
// The output window: what the last command wrote to its standard output, one entry per line.

#include <ebutton.h>
#include <elistbox.h>
#include <ewindow.h>

class console : public eWindow {
  public:
    // Reads the capture file into the list; an unreadable or missing file, or one that is not a
    // regular file, gives an empty list.
    console();
    ~console() override;

  private:
    void fill();

    eButton* closebutton;
    eListBox<eListBoxEntryText>* outputlist;
    eString linetext;
};
