// The command file reader. For any bytes: the entries are the file's lines, split only at line
// feeds (a last line may lack its own, an empty file has none), each stopping at its first NUL;
// and the delete filter's output length counts every line but those equal to the first entry,
// each with a line feed.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "commandfile.h"
#include "property.h"

namespace {

std::FILE* openMemory(std::string& content) {
    // fmemopen refuses an empty buffer; /dev/null reads the same.
    std::FILE* file = content.empty() ? std::fopen("/dev/null", "rb")
                                      : fmemopen(content.data(), content.size(), "rb");
    if (!file) {
        std::perror("cannot open the input");
        std::abort();
    }
    return file;
}

std::vector<std::string_view> linesOf(std::string_view content) {
    std::vector<std::string_view> lines;
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        lines.push_back(content.substr(0, end));
        content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string content(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> entries;
    std::FILE* file = openMemory(content);
    {
        CommandFileReader reader(file);
        std::string_view command;
        while (reader.next(command))
            entries.emplace_back(command);
    }
    std::fclose(file);

    const std::vector<std::string_view> lines = linesOf(content);
    require(entries.size() == lines.size(), "one entry per line");
    for (std::size_t i = 0; i < lines.size(); ++i)
        require(entries[i] == lines[i].substr(0, lines[i].find('\0')),
                "each entry is its line up to the first NUL");

    const std::string removed = entries.empty() ? std::string() : entries.front();
    std::size_t kept = 0;
    for (std::string_view line : lines)
        if (line != removed)
            kept += line.size() + 1;
    file = openMemory(content);
    require(filteredLength(file, removed) == kept, "the filtered length");
    std::fclose(file);
    return 0;
}
