#pragma once
// Opening files that a command may have replaced with a FIFO, a directory or a device: none
// of these calls waits, and only a regular file is ever read or changed.

#include <sys/types.h>

#include <cstdio>
#include <optional>

// Whether path can be opened for reading at all, whatever kind of file it is.
bool canOpenForReading(const char* path);

// The regular file at path, open for reading; null when it cannot be opened or is anything
// else: a FIFO would block its reader until a writer comes, a device may never end.
std::FILE* openRegularFile(const char* path);

// The length of the regular file at path; nothing when there is none.
std::optional<off_t> regularFileLength(const char* path);

// Cuts the regular file at path back to length when it has grown past it, undoing a partial
// append. Writes a diagnostic to standard error when that fails.
void truncateRegularFile(const char* path, off_t length);
