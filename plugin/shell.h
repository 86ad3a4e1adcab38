#pragma once
// The command window: the saved commands, a field to type one, and run, save and delete.

#include <deque>

#include <ebutton.h>
#include <ecombobox.h>
#include <elabel.h>
#include <ewindow.h>
#include <textinput.h>

class shell : public eWindow {
  public:
    shell();
    ~shell() override;

  private:
    // Fills the command list from the command file and makes its first entry current.
    void listfeld();
    // Empties the command list, releasing its keys, and fills it again.
    void refresh();
    void delselected();
    void saveselected();
    void runselected();

    eLabel* availlabel;
    eLabel* newlabel;
    eButton* runbutton;
    eButton* savebutton;
    eButton* delbutton;
    eComboBox* commandlist;
    eTextInputField* commandinput;
    const char* runcmd = nullptr;
    const char* savecmd = nullptr;
    eString linetext;
    // The key of every entry in the command list: a copy of the entry's command. A deque
    // keeps each copy in place as more are added, without an allocation of its own.
    std::deque<eString> keycopies;
};
