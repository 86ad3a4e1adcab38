// The output reader. The first two bytes set its limits (so that small ones are reached), the
// rest is the captured output. For any bytes: the output falls into pieces, each up to and
// including a line feed but at most chunkSize bytes; the entries are the first pieces in order,
// each stopping at its first NUL; they stop at the first piece that would pass either limit;
// and the reader says it was cut exactly when output is left unread.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "outputfile.h"
#include "property.h"

namespace {

// The next piece of rest: up to and including a line feed, but at most chunkSize bytes.
std::string_view nextPiece(std::string_view rest) {
    const std::size_t lineEnd = rest.find('\n');
    return rest.substr(0, std::min(lineEnd == std::string_view::npos ? rest.size() : lineEnd + 1,
                                   OutputReader::chunkSize));
}

std::string_view textOf(std::string_view piece) {
    return piece.substr(0, piece.find('\0'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::size_t textLimit = std::size_t{data[0]} * 64;
    const std::size_t chunkLimit = data[1];
    std::string content(reinterpret_cast<const char*>(data + 2), size - 2);
    std::FILE* file = content.empty() ? std::fopen("/dev/null", "rb")
                                      : fmemopen(content.data(), content.size(), "rb");
    require(file != nullptr, "the input opens");
    OutputReader reader(file, textLimit, chunkLimit);
    std::vector<std::string> entries;
    std::string_view chunk;
    while (reader.next(chunk))
        entries.emplace_back(chunk);
    const bool cut = reader.wasCut();
    std::fclose(file);

    std::string_view rest = content;
    std::size_t text = 0;
    for (const std::string& entry : entries) {
        const std::string_view piece = nextPiece(rest);
        require(!piece.empty(), "no entry past the end");
        require(entry == textOf(piece), "each entry is its piece up to a NUL");
        text += entry.size();
        rest.remove_prefix(piece.size());
    }
    require(entries.size() <= chunkLimit && text <= textLimit, "within the limits");
    require(cut == !rest.empty(), "cut exactly when output is left");
    if (cut && entries.size() < chunkLimit)
        require(text + textOf(nextPiece(rest)).size() > textLimit, "cut only at a limit");
    return 0;
}
