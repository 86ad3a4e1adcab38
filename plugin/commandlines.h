#pragma once
// Forming the shell command lines of a run, a delete and a save.

#include <string>
#include <string_view>

// The text as one literal shell word: in single quotes, with each ' written as '\''.
std::string quoteForShell(std::string_view text);

std::string runCommandLine(std::string_view command);
std::string deleteFilterCommandLine(std::string_view text);
// The append of text as a new last line; endLastLineFirst adds the missing line feed of
// the current last line before it.
std::string appendCommandLine(std::string_view text, bool endLastLineFirst);

// Whether a status from system() is a successful filter: grep exits 1 when it writes no
// line, which is a filter that removed every line.
bool filterSucceeded(int status);
