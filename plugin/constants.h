#pragma once
// The plug-in's fixed paths, its shell command lines and its limits, in one place.

#include <cstddef>

// One saved shell command per line.
constexpr const char* commandFilePath = "/var/kovrin/config/morvane.cfg";
// Where a run's standard output is captured; the output window reads it.
constexpr const char* captureFilePath = "/tmp/shell.temp";

// A run: the command text, unchanged, with its standard output captured.
constexpr const char* runCommandTemplate = "%s > /tmp/shell.temp";
constexpr const char* removeCaptureCommand = "rm /tmp/shell.temp";

// The delete filter's scratch file, named in the commands below.
constexpr const char* scratchFilePath = "/tmp/morvane.temp";
// A delete filters the command file into the scratch file, dropping every line equal to the
// quoted text. -a keeps lines of a file grep would take for binary, -x -F compares whole
// lines literally, and LC_ALL=C compares bytes whatever the locale.
constexpr const char* deleteFilterTemplate =
    "LC_ALL=C grep -a -v -x -F -e %s /var/kovrin/config/morvane.cfg > /tmp/morvane.temp";
// The scratch file is first moved next to the command file (a copy, since /tmp is another
// file system), then renamed over it, so the command file is always the old or the new one.
constexpr const char* deleteReplaceCommand =
    "mv -f /tmp/morvane.temp /var/kovrin/config/morvane.temp && "
    "mv -f /var/kovrin/config/morvane.temp /var/kovrin/config/morvane.cfg";
// After a failed filter or move: a full /tmp or config directory leaves a partial scratch file,
// which would keep taking the space.
constexpr const char* deleteCleanupCommand =
    "rm -f /tmp/morvane.temp /var/kovrin/config/morvane.temp";

// A save appends the quoted text as one line; printf writes it as it stands, where echo
// would rewrite backslashes and options.
constexpr const char* appendTemplate = "printf '%%s\\n' %s >> /var/kovrin/config/morvane.cfg";
// The same after ending a last line that has no line feed.
constexpr const char* appendAfterLineEndTemplate =
    "printf '\\n%%s\\n' %s >> /var/kovrin/config/morvane.cfg";

constexpr const char* fontSizeName = "fontsize";
constexpr int defaultFontSize = 20;

// The output window keeps at most this much of a command's output, so a command that
// prints without end cannot exhaust a box's few tens of MB: 4 MiB of text, or 100,000
// lines of it (each line also costs its list entry), whichever comes first.
constexpr std::size_t outputTextLimit = 4u << 20;
constexpr std::size_t outputLineLimit = 100000;
constexpr const char* outputCutNotice =
    "--- output cut here: this window shows at most 4 MiB or 100000 lines ---";
