#include "console.h"

#include <cstdio>

#include "constants.h"
#include "outputfile.h"
#include "regularfile.h"

console::console() : eWindow(0) {
    cmove(ePoint(70, 80));
    cresize(eSize(580, 450));
    setText("Window(console)");

    outputlist = new eListBox<eListBoxEntryText>(this, nullptr, 1,
                                                 eListBoxEntryText::getEntryHeight(), "eListBox");
    outputlist->move(ePoint(10, 10));
    outputlist->resize(eSize(560, 390));
    outputlist->setFlags(2);

    fill();

    closebutton = new eButton(this, nullptr, 1, "eButton");
    closebutton->move(ePoint(240, 410));
    closebutton->resize(eSize(100, 30));
    closebutton->setShortcut("red");
    closebutton->setShortcutPixmap("red");
    closebutton->loadDeco();
    closebutton->setText("Close");
    closebutton->selected.connect(SigC::slot(*this, &eWidget::accept));
}

console::~console() = default;

void console::fill() {
    // The command may have removed its capture file, or put something other than a regular
    // file there: the list then stays empty.
    std::FILE* file = openRegularFile(captureFilePath);
    if (!file)
        return;
    OutputReader reader(file, outputTextLimit, outputLineLimit);
    std::string_view chunk;
    while (reader.next(chunk)) {
        linetext.assign(chunk);
        new eListBoxEntryText(outputlist, linetext);
    }
    if (reader.wasCut())
        new eListBoxEntryText(outputlist, outputCutNotice);
    std::fclose(file);
}
