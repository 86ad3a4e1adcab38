#include "commandfile.h"

#include <cstdlib>
#include <cstring>

CommandFileReader::~CommandFileReader() {
    std::free(buffer);
}

bool CommandFileReader::next(std::string_view& command) {
    const ssize_t length = getline(&buffer, &capacity, file);
    if (length <= 0)
        return false;
    std::size_t text = static_cast<std::size_t>(length);
    if (buffer[text - 1] == '\n')
        --text;
    command = std::string_view(buffer, strnlen(buffer, text));
    return true;
}

bool lastLineUnterminated(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    const bool unterminated = std::fseek(file, -1, SEEK_END) == 0 && std::fgetc(file) != '\n';
    std::fclose(file);
    return unterminated;
}
