// morvane-host: a stand-in for the host application. It loads a plug-in with dlopen, the way
// the real host does, and drives it with scripted or typed keys.

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>

#include "calltrace.h"
#include "desktop.h"
#include "eskin.h"
#include "ewidget.h"
#include "heapusage.h"
#include "hostoptions.h"
#include "keyscript.h"
#include "keysources.h"
#include "plugin.h"
#include "sandbox.h"
#include "screendump.h"
#include "screenshots.h"
#include "terminalui.h"

namespace {

enum ExitStatus {
    done = 0,
    failed = 1,
    usage = 2,
    keysUsedUp = 3,
    pluginFailed = 4,
    keysLeftOver = 5,
};

std::string pluginBesideHost() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return "morvane.so.0";
    std::string self(path, static_cast<std::size_t>(length));
    return self.substr(0, self.rfind('/') + 1) + "morvane.so.0";
}

bool openOutput(const std::string& path, std::ofstream& stream) {
    if (path.empty())
        return true;
    stream.open(path, std::ios::app | std::ios::binary);
    if (!stream) {
        std::cerr << "morvane-host: cannot write " << path << '\n';
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<HostOptions> options = parseHostOptions(argc, argv, error);
    if (!options) {
        std::cerr << "morvane-host: " << error << '\n' << hostUsage;
        return usage;
    }
    if (options->help) {
        std::cout << hostUsage;
        return done;
    }
    std::unique_ptr<ScriptedKeys> scripted;
    if (options->keys) {
        KeyScript script = parseKeyScript(*options->keys);
        if (!script.error.empty()) {
            std::cerr << "morvane-host: --keys: " << script.error << '\n';
            return usage;
        }
        scripted = std::make_unique<ScriptedKeys>(std::move(script.keys));
    }

    // Files named on the command line are opened before the sandbox changes what /tmp is.
    std::ofstream dump, trace, heap;
    if (!openOutput(options->dumpFile, dump) || !openOutput(options->traceFile, trace) ||
        !openOutput(options->heapFile, heap))
        return failed;
    std::unique_ptr<Screenshots> screenshots;
    if (!options->screenshotDir.empty() &&
        !(screenshots = Screenshots::open(options->screenshotDir, error))) {
        std::cerr << "morvane-host: --screenshot: " << error << '\n';
        return failed;
    }
    // A person at a terminal sees the screen drawn there; what the host and the commands write
    // goes to a log in the sandbox.
    std::unique_ptr<TerminalUi> terminal;
    if (!options->keys && isatty(STDIN_FILENO)) {
        const std::string log = (options->root.empty() ? "." : options->root) + "/morvane.log";
        if (!(terminal = TerminalUi::open(log, error))) {
            std::cerr << "morvane-host: " << error << '\n';
            return failed;
        }
    }

    const std::string pluginPath = options->plugin.empty() ? pluginBesideHost() : options->plugin;
    void* plugin = dlopen(pluginPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!plugin) {
        std::cerr << "morvane-host: cannot load " << pluginPath << ": " << dlerror() << '\n';
        return failed;
    }
    auto* pluginExec = reinterpret_cast<int (*)(PluginParam*)>(dlsym(plugin, "plugin_exec"));
    if (!pluginExec) {
        std::cerr << "morvane-host: " << pluginPath << " has no plugin_exec\n";
        return failed;
    }

    if (!options->root.empty()) {
        const std::string problem = enterSandbox(options->root, options->binds, options->tmpfs);
        if (!problem.empty()) {
            std::cerr << "morvane-host: " << problem << '\n';
            return failed;
        }
    }

    if (options->fontSize)
        eSkin::getActive()->setValue("fontsize", *options->fontSize);
    if (trace.is_open())
        CallTrace::setOutput(&trace);
    if (terminal && !terminal->start(error)) {
        std::cerr << "morvane-host: " << error << '\n';
        return failed;
    }

    Desktop& desktop = Desktop::instance();
    int screens = 0;
    const eWidget* lastWaiting = nullptr;
    bool screenshotFailed = false;
    desktop.setWaitObserver([&](const eWidget& waiting) {
        lastWaiting = &waiting;
        ++screens;
        if (heap.is_open())
            heap << heapInUse() << std::endl;
        if (dump.is_open()) {
            writeScreen(dump, waiting, screens);
            dump.flush();
        }
        if (screenshots && !screenshotFailed) {
            std::string problem;
            screenshotFailed = !screenshots->write(screens, problem);
            if (screenshotFailed)
                std::cerr << "morvane-host: --screenshot: " << problem << '\n';
        }
        if (terminal)
            terminal->draw();
    });
    desktop.setExhaustedHandler([](const eWidget& waiting) {
        std::cerr << "morvane-host: no keys left while \"" << waiting.getText()
                  << "\" waits for a key\n";
        std::exit(keysUsedUp);
    });
    TypedKeys typed(std::cin, [&] {
        if (lastWaiting)
            writeScreen(std::cout, *lastWaiting, screens);
        std::cout << "keys> " << std::flush;
    });
    desktop.setKeySource(scripted   ? static_cast<KeySource*>(scripted.get())
                         : terminal ? static_cast<KeySource*>(terminal.get())
                                    : &typed);

    // The host passes its own parameters; the plug-in takes nothing from them.
    PluginParam param{"morvane-host"};
    int status = done;
    for (int call = 0; call < options->calls; ++call) {
        const int result = pluginExec(&param);
        if (result != 0) {
            std::cerr << "morvane-host: plugin_exec returned " << result << '\n';
            status = pluginFailed;
        }
    }
    if (status == done && scripted && scripted->remaining() > 0) {
        std::cerr << "morvane-host: " << scripted->remaining() << " keys left over\n";
        status = keysLeftOver;
    }
    if (status == done && screenshotFailed)
        status = failed;
    return status;
}
