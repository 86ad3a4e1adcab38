#include "commandfile.h"

#include <cstdlib>
#include <cstring>

#include "regularfile.h"

CommandFileReader::~CommandFileReader() {
    std::free(buffer);
}

bool CommandFileReader::next(std::string_view& command) {
    std::string_view line;
    if (!nextLine(line))
        return false;
    command = line.substr(0, strnlen(line.data(), line.size()));
    return true;
}

bool CommandFileReader::nextLine(std::string_view& line) {
    const ssize_t length = getline(&buffer, &capacity, file);
    if (length <= 0)
        return false;
    std::size_t text = static_cast<std::size_t>(length);
    if (buffer[text - 1] == '\n')
        --text;
    line = std::string_view(buffer, text);
    return true;
}

bool lastLineUnterminated(const char* path) {
    std::FILE* file = openRegularFile(path);
    if (!file)
        return false;
    const bool unterminated = std::fseek(file, -1, SEEK_END) == 0 && std::fgetc(file) != '\n';
    std::fclose(file);
    return unterminated;
}

std::size_t filteredLength(std::FILE* file, std::string_view removed) {
    CommandFileReader reader(file);
    std::size_t length = 0;
    std::string_view line;
    while (reader.nextLine(line))
        if (line != removed)
            length += line.size() + 1;
    return length;
}

bool holdsFilteredLines(const char* filteredPath, const char* commandPath,
                        std::string_view removed) {
    const std::optional<off_t> written = regularFileLength(filteredPath);
    std::FILE* file = openRegularFile(commandPath);
    if (!file)
        return false;
    const std::size_t expected = filteredLength(file, removed);
    std::fclose(file);
    return written && static_cast<std::size_t>(*written) == expected;
}
