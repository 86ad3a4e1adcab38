// The plug-in's entry point: the command window, or an error box when there is no command file.

#include <cstdio>
#include <exception>

#include <emessage.h>
#include <plugin.h>

#include "constants.h"
#include "regularfile.h"
#include "shell.h"

namespace {

void showCommandWindow() {
    shell window;
    window.show();
    window.exec();
    window.hide();
}

void reportMissingCommandFile() {
    eMessageBox box(eString().sprintf("%s not found", commandFilePath), "Error", 129, 1, 0);
    box.show();
    box.exec();
    box.hide();
}

} // namespace

extern "C" int plugin_exec(PluginParam*) {
    // An exception must not cross into the host, which is not C++ on its side of this call.
    try {
        // Any file that opens counts, without waiting for a FIFO's writer; the window then
        // lists only what a regular file holds.
        if (canOpenForReading(commandFilePath)) {
            showCommandWindow();
        } else {
            reportMissingCommandFile();
        }
        return 0;
    } catch (const std::exception& problem) {
        std::fprintf(stderr, "morvane: %s\n", problem.what());
        return 1;
    }
}
