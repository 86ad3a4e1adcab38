// The plug-in's entry point: the command window, or an error box when there is no command file.

#include <cstdio>
#include <exception>

#include <plugin.h>

#include "constants.h"
#include "messagebox.h"
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
    showMessage(eString().sprintf("%s not found", commandFilePath), MessageKind::error);
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
