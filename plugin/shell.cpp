#include "shell.h"

#include <cstdio>
#include <cstdlib>

#include <eskin.h>

#include "commandfile.h"
#include "commandlines.h"
#include "console.h"
#include "constants.h"
#include "messagebox.h"
#include "regularfile.h"

shell::shell() : eWindow(0) {
    const int fontSize = eSkin::getActive()->queryValue(fontSizeName, defaultFontSize);
    cmove(ePoint(220, 150));
    cresize(eSize(300, 320));
    setText("morvane");

    availlabel = new eLabel(this, 0, 0, "eLabel");
    availlabel->setText("available");
    availlabel->move(ePoint(110, 10));
    availlabel->resize(eSize(100, fontSize + 10));

    commandlist = new eComboBox(this, 10, nullptr, 1, "eComboBox");
    commandlist->loadDeco();
    commandlist->move(ePoint(10, 40));
    commandlist->resize(eSize(280, fontSize + 15));

    delbutton = new eButton(this, nullptr, 1, "eButton");
    delbutton->move(ePoint(40, 90));
    delbutton->resize(eSize(220, fontSize + 10));
    delbutton->loadDeco();
    delbutton->setText("Entry deleted");
    delbutton->selected.connect(SigC::slot(*this, &shell::delselected));

    newlabel = new eLabel(this, 0, 0, "eLabel");
    newlabel->setText("new");
    newlabel->move(ePoint(130, 140));
    newlabel->resize(eSize(100, fontSize + 10));

    commandinput = new eTextInputField(this, nullptr, nullptr, "eNumber");
    commandinput->move(ePoint(10, 170));
    commandinput->resize(eSize(280, fontSize + 15));
    commandinput->setVisibleChars(40);
    commandinput->loadDeco();

    savebutton = new eButton(this, nullptr, 1, "eButton");
    savebutton->move(ePoint(40, 220));
    savebutton->resize(eSize(220, fontSize + 10));
    savebutton->loadDeco();
    savebutton->setText("new Entry save");
    savebutton->selected.connect(SigC::slot(*this, &shell::saveselected));

    runbutton = new eButton(this, nullptr, 1, "eButton");
    runbutton->move(ePoint(100, 280));
    runbutton->resize(eSize(100, fontSize + 10));
    runbutton->setShortcut("green");
    runbutton->setShortcutPixmap("green");
    runbutton->loadDeco();
    runbutton->setText("RUN");
    runbutton->selected.connect(SigC::slot(*this, &shell::runselected));

    listfeld();
}

shell::~shell() = default;

namespace {

// The command of an entry of the command list: its key, the copy listfeld made of its text.
const char* commandOf(const eListBoxEntryText& entry) {
    return static_cast<const eString*>(entry.getKey())->c_str();
}

} // namespace

void shell::listfeld() {
    std::FILE* file = openRegularFile(commandFilePath);
    // Something may have removed the file meanwhile, or it is a FIFO, a directory or a device:
    // the list stays empty.
    if (!file)
        return;
    eListBoxEntryText* first = nullptr;
    {
        CommandFileReader reader(file);
        std::string_view command;
        while (reader.next(command)) {
            linetext.assign(command);
            keycopies.push_back(linetext);
            auto* entry =
                new eListBoxEntryText(commandlist->getList(), linetext, &keycopies.back());
            if (!first)
                first = entry;
        }
    }
    std::fclose(file);
    if (first)
        commandlist->setCurrent(first, false);
}

void shell::refresh() {
    commandlist->getList()->clearList();
    keycopies.clear();
    listfeld();
}

void shell::delselected() {
    // An empty list has no current entry: there is nothing to delete.
    eListBoxEntryText* current = commandlist->getCurrent();
    if (!current) {
        refresh();
        return;
    }
    // The trial run of a save may have replaced the file meanwhile: grep would wait on a FIFO.
    if (!regularFileLength(commandFilePath)) {
        refresh();
        return;
    }
    runcmd = commandOf(*current);
    const std::string filter = deleteFilterCommandLine(runcmd);
    std::perror(filter.c_str());
    if (!filterSucceeded(std::system(filter.c_str())) ||
        !holdsFilteredLines(scratchFilePath, commandFilePath, runcmd) ||
        std::system(deleteReplaceCommand) != 0) {
        std::system(deleteCleanupCommand);
        refresh();
        return;
    }
    showMessage("Entry deleted", MessageKind::info);
    refresh();
}

void shell::saveselected() {
    if (commandinput->getText().empty()) {
        refresh();
        return;
    }
    savecmd = commandinput->getText().c_str();
    // The trial run is a real run, with its output going to the host's streams.
    if (std::system(savecmd) != 0) {
        showMessage("Command not found", MessageKind::error, [this] { setFocus(commandinput); });
        refresh();
        return;
    }
    // Only a regular file takes the line: the append would wait on a FIFO.
    const std::optional<off_t> length = regularFileLength(commandFilePath);
    if (!length) {
        refresh();
        return;
    }
    const std::string append = appendCommandLine(savecmd, lastLineUnterminated(commandFilePath));
    if (std::system(append.c_str()) != 0) {
        // A full file system may have taken part of the line: a cut command must not stay
        // behind to be run later.
        truncateRegularFile(commandFilePath, *length);
        refresh();
        return;
    }
    showMessage("command save", MessageKind::info, [this] { commandinput->setText(""); });
    refresh();
}

void shell::runselected() {
    // A typed text, even one of blanks, wins over the selection.
    if (!commandinput->getText().empty()) {
        runcmd = commandinput->getText().c_str();
    } else if (eListBoxEntryText* current = commandlist->getCurrent()) {
        runcmd = commandOf(*current);
    } else {
        return; // no command: the window stays as it is
    }
    const std::string line = runCommandLine(runcmd);
    const int status = std::system(line.c_str());
    hide();
    if (status == 0) {
        console output;
        output.show();
        output.exec();
        output.hide();
        show();
    } else {
        // The box goes after the close, as the window stays hidden and its loop ends.
        showMessage("Command not found", MessageKind::error, [this] { close(0); });
    }
    std::system(removeCaptureCommand);
}
