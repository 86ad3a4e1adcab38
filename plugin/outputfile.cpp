#include "outputfile.h"

#include <cstring>

bool OutputReader::next(std::string_view& chunk) {
    if (cut)
        return false;
    if (chunksRead == chunkLimit) {
        cut = std::fgetc(file) != EOF;
        return false;
    }
    if (!std::fgets(buffer, sizeof buffer, file))
        return false;
    const std::size_t length = std::strlen(buffer);
    if (textRead + length > textLimit) {
        cut = true;
        return false;
    }
    textRead += length;
    ++chunksRead;
    chunk = std::string_view(buffer, length);
    return true;
}
