#pragma once
// The plug-in on a terminal: the screen model drawn with ncurses on the terminal device, and
// the keys read from it. The process's own standard streams are pointed away from the
// terminal, so commands the plug-in runs can neither draw on it nor take its keys.

#include <cstdio>
#include <memory>
#include <string>

#include "desktop.h"

class TerminalUi : public KeySource {
  public:
    // The smallest terminal the screen is drawn on; a smaller one is told so.
    static constexpr int minColumns = 64;
    static constexpr int minLines = 20;

    // Opens the terminal that standard input is and the log file (to append to); nothing on
    // the terminal changes yet.
    static std::unique_ptr<TerminalUi> open(const std::string& logPath, std::string& error);
    // Takes the terminal over with ncurses, then makes /dev/null the standard input and the
    // log the standard output and error. The terminal is restored by the destructor, at exit
    // and on SIGINT, SIGTERM, SIGQUIT and SIGHUP.
    bool start(std::string& error);
    ~TerminalUi() override;
    TerminalUi(const TerminalUi&) = delete;
    TerminalUi& operator=(const TerminalUi&) = delete;

    // Draws the toolkit's screen as it is now.
    void draw();
    std::optional<eRCKey> next() override;

  private:
    TerminalUi(int tty, int log) : tty(tty), log(log) {}
    int tty;
    int log;
};
