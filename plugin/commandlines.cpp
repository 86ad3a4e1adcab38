#include "commandlines.h"

#include <sys/wait.h>

#include <cstdio>

#include "constants.h"

namespace {

// printf-style formatting of a template with one %s, without a length limit.
std::string formatCommand(const char* commandTemplate, std::string_view text) {
    const std::string argument(text);
    const int length = std::snprintf(nullptr, 0, commandTemplate, argument.c_str());
    if (length < 0)
        return {};
    std::string line(static_cast<std::size_t>(length), '\0');
    std::snprintf(line.data(), line.size() + 1, commandTemplate, argument.c_str());
    return line;
}

} // namespace

std::string quoteForShell(std::string_view text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    quoted += '\'';
    return quoted;
}

std::string runCommandLine(std::string_view command) {
    return formatCommand(runCommandTemplate, command);
}

std::string deleteFilterCommandLine(std::string_view text) {
    return formatCommand(deleteFilterTemplate, quoteForShell(text));
}

std::string appendCommandLine(std::string_view text, bool endLastLineFirst) {
    return formatCommand(endLastLineFirst ? appendAfterLineEndTemplate : appendTemplate,
                         quoteForShell(text));
}

bool filterSucceeded(int status) {
    return status != -1 && WIFEXITED(status) &&
           (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 1);
}
