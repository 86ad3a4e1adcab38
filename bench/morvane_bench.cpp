// The plug-in's own costs, each beside a baseline that does the least the job needs (fgets
// lines into a std::vector<std::string>) on the same data, in the same process and run.
// Prints Google Benchmark's lines, then a table of the ratios of the medians.

#include <benchmark/benchmark.h>
#include <cairo.h>
#include <malloc.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cairopainter.h"
#include "console.h"
#include "desktop.h"
#include "elistbox.h"
#include "ewindow.h"
#include "keysources.h"
#include "sandbox.h"
#include "screendump.h"
#include "screenmodel.h"
#include "shell.h"

namespace {

constexpr const char* capturePath = "/tmp/shell.temp";
constexpr const char* commandPath = "/var/kovrin/config/morvane.cfg";
constexpr int outputLines = 1000000;
constexpr int commandLines = 10000;
constexpr int refreshesPerRound = 10;

// Heap in use: small blocks from the arenas plus large ones that malloc maps on its own.
std::size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void writeFile(const char* path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out)
        throw std::runtime_error(std::string("cannot write ") + path);
}

std::string numberedLines(int count, const char* prefix) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += prefix + std::to_string(i) + '\n';
    return text;
}

// The baseline: every line of the file, read with fgets into a vector of strings.
std::vector<std::string> readLines(const char* path) {
    std::vector<std::string> lines;
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return lines;
    char buffer[1024];
    while (std::fgets(buffer, sizeof buffer, file))
        lines.emplace_back(buffer);
    std::fclose(file);
    return lines;
}

std::size_t entriesOf(const eWidget& window) {
    for (const eWidget* child : window.getChildren())
        if (auto* list = dynamic_cast<const eListBoxBase*>(child))
            return list->getEntries().size();
    return 0;
}

// Keys for the command window: to the save button, then ok presses with an empty field,
// each of which refreshes the list, then exit.
std::vector<eRCKey> refreshKeys(int refreshes) {
    std::vector<eRCKey> keys(3, eRCKey{eKeyCode::down, {}});
    keys.insert(keys.end(), static_cast<std::size_t>(refreshes), eRCKey{eKeyCode::ok, {}});
    keys.push_back({eKeyCode::exit, {}});
    return keys;
}

void outputFillBaseline(benchmark::State& state) {
    std::size_t lines = 0, heap = 0;
    for (auto _ : state) {
        const std::size_t before = heapInUse();
        std::vector<std::string> read = readLines(capturePath);
        heap = heapInUse() - before;
        lines = read.size();
        benchmark::DoNotOptimize(read.data());
    }
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["heap_bytes_per_line"] = static_cast<double>(heap) / static_cast<double>(lines);
}

void outputFill(benchmark::State& state) {
    std::size_t lines = 0, heap = 0;
    for (auto _ : state) {
        const std::size_t before = heapInUse();
        std::optional<console> window(std::in_place);
        heap = heapInUse() - before;
        lines = entriesOf(*window);
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["heap_bytes_per_line"] = static_cast<double>(heap) / static_cast<double>(lines);
}

void commandFileBaseline(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<std::string> read = readLines(commandPath);
        benchmark::DoNotOptimize(read.data());
    }
}

void commandWindowOpen(benchmark::State& state) {
    writeFile(commandPath, numberedLines(static_cast<int>(state.range(0)), "echo command "));
    for (auto _ : state) {
        std::optional<shell> window(std::in_place);
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    writeFile(commandPath, numberedLines(commandLines, "echo command "));
}

void commandWindowRefresh(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        std::optional<shell> window(std::in_place);
        ScriptedKeys keys(refreshKeys(refreshesPerRound));
        Desktop::instance().setKeySource(&keys);
        window->show();
        state.ResumeTiming();
        window->exec();
        state.PauseTiming();
        window->hide();
        window.reset();
        Desktop::instance().setKeySource(nullptr);
        state.ResumeTiming();
    }
    state.counters["refreshes_per_round"] = refreshesPerRound;
}

// A shown output window whose list holds count entries.
class ListScreen {
  public:
    explicit ListScreen(int count) {
        window.cmove(ePoint(70, 80));
        window.cresize(eSize(580, 450));
        auto* list = new eListBox<eListBoxEntryText>(&window);
        list->move(ePoint(10, 10));
        list->resize(eSize(560, 390));
        for (int i = 0; i < count; ++i)
            new eListBoxEntryText(list, std::to_string(i) + '\n');
        window.show();
    }
    ~ListScreen() { window.hide(); }
    const eWidget& shown() const { return window; }

  private:
    eWindow window;
};

void screenDump(benchmark::State& state) {
    ListScreen screen(static_cast<int>(state.range(0)));
    std::ofstream discard("/dev/null");
    for (auto _ : state)
        writeScreen(discard, screen.shown(), 1);
}

// The picture: the screen model, then Cairo drawing it, as --screenshot does before writing.
void screenPicture(benchmark::State& state) {
    ListScreen screen(static_cast<int>(state.range(0)));
    std::string error;
    const std::unique_ptr<CairoPainter> painter = CairoPainter::create(error);
    if (!painter) {
        state.SkipWithError(error.c_str());
        return;
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, render::Screen::width,
                                                          render::Screen::height);
    cairo_t* cr = cairo_create(surface);
    for (auto _ : state) {
        painter->paint(cr, render::currentScreen());
        cairo_surface_flush(surface);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

// Collects the median of every benchmark for the table of ratios.
class MedianCollector : public benchmark::ConsoleReporter {
  public:
    struct Median {
        double nanoseconds;
        std::map<std::string, double> counters;
    };

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.aggregate_name == "median") {
                Median& median = medians[run.run_name.str()];
                median.nanoseconds = run.GetAdjustedRealTime() /
                                     benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
                for (const auto& [name, counter] : run.counters)
                    median.counters[name] = counter.value;
            }
    }

    bool has(const std::string& name) const { return medians.count(name) != 0; }
    const Median& at(const std::string& name) const { return medians.at(name); }

  private:
    std::map<std::string, Median> medians;
};

void row(const char* cost, double plugin, double baseline, const char* unit, const char* goal) {
    std::printf("%-44s %14.1f %14.1f %8.2f   %s (%s)\n", cost, plugin, baseline, plugin / baseline,
                goal, unit);
}

void printTable(const MedianCollector& medians, const char* ppcPlugin) {
    for (const char* name :
         {"output_fill", "output_fill_baseline", "command_window_open/0",
          "command_window_open/10000", "command_file_baseline", "command_window_refresh",
          "screen_dump/10", "screen_dump/1000000", "screen_picture/10", "screen_picture/1000000"})
        if (!medians.has(name)) {
            std::printf("\n(no table: %s was not run)\n", name);
            return;
        }
    const auto& fill = medians.at("output_fill");
    const auto& fillBase = medians.at("output_fill_baseline");
    const double fillLines = fill.counters.at("lines");
    const double baseLines = fillBase.counters.at("lines");
    const auto& open0 = medians.at("command_window_open/0");
    const auto& open = medians.at("command_window_open/10000");
    const auto& readBase = medians.at("command_file_baseline");
    const auto& refresh = medians.at("command_window_refresh");
    const double perRefresh = refresh.nanoseconds / refresh.counters.at("refreshes_per_round");

    std::printf("\n%-44s %14s %14s %8s   %s\n", "cost (median)", "plug-in", "baseline", "ratio",
                "goal");
    row("output fill: time per line", fill.nanoseconds / fillLines,
        fillBase.nanoseconds / baseLines, "ns", "<= 1.5");
    row("output fill: heap bytes per line", fill.counters.at("heap_bytes_per_line"),
        fillBase.counters.at("heap_bytes_per_line"), "bytes", "<= 2");
    row("command window open, 10,000 lines: file part", open.nanoseconds - open0.nanoseconds,
        readBase.nanoseconds, "ns", "<= 1.5");
    std::printf("%-44s %14.1f %14s %8s   fixed, not growing with the file (ns)\n",
                "command window open: widgets (empty file)", open0.nanoseconds, "-", "-");
    row("command window refresh, 10,000 lines", perRefresh, readBase.nanoseconds, "ns", "<= 1.5");
    row("screen dump: 1,000,000 entries vs 10", medians.at("screen_dump/1000000").nanoseconds,
        medians.at("screen_dump/10").nanoseconds, "ns", "<= 1.2");
    row("screen picture: 1,000,000 entries vs 10", medians.at("screen_picture/1000000").nanoseconds,
        medians.at("screen_picture/10").nanoseconds, "ns", "<= 1.2");
    std::printf("(output fill: the window read %.0f of the file's %.0f lines, stopping at its "
                "limit; times and heap are per line read)\n",
                fillLines, baseLines);
    struct stat info {};
    if (ppcPlugin && stat(ppcPlugin, &info) == 0)
        std::printf("%-44s %14lld bytes (%s)\n", "ppc32 morvane.so.0, stripped",
                    static_cast<long long>(info.st_size), ppcPlugin);
    else
        std::printf("%-44s %14s (build it with make ppc)\n", "ppc32 morvane.so.0, stripped", "-");
}

} // namespace

int main(int argc, char** argv) {
    // usage: morvane-bench SANDBOX_DIR [PPC_PLUGIN] [benchmark options]
    if (argc < 2) {
        std::cerr << "usage: morvane-bench SANDBOX_DIR [STRIPPED_PPC_PLUGIN] [options]\n";
        return 2;
    }
    const std::string problem = enterSandbox(argv[1], {}, {});
    if (!problem.empty()) {
        std::cerr << "morvane-bench: " << problem << '\n';
        return 1;
    }
    if (mkdir("/var/kovrin/config", 0755) != 0 && errno != EEXIST) {
        std::perror("morvane-bench: /var/kovrin/config");
        return 1;
    }
    const char* ppcPlugin = argc > 2 && argv[2][0] != '-' ? argv[2] : nullptr;
    writeFile(capturePath, numberedLines(outputLines, ""));
    writeFile(commandPath, numberedLines(commandLines, "echo command "));

    benchmark::RegisterBenchmark("output_fill_baseline", outputFillBaseline)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("output_fill", outputFill)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("command_file_baseline", commandFileBaseline)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("command_window_open", commandWindowOpen)
        ->Arg(0)
        ->Arg(commandLines)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("command_window_refresh", commandWindowRefresh)
        ->Unit(benchmark::kMicrosecond);
    for (auto* draw : {benchmark::RegisterBenchmark("screen_dump", screenDump),
                       benchmark::RegisterBenchmark("screen_picture", screenPicture)})
        draw->Arg(10)->Arg(1000000)->Unit(benchmark::kMicrosecond);

    std::vector<char*> options = {argv[0], const_cast<char*>("--benchmark_repetitions=5"),
                                  const_cast<char*>("--benchmark_report_aggregates_only=true")};
    for (int i = ppcPlugin ? 3 : 2; i < argc; ++i)
        options.push_back(argv[i]);
    int count = static_cast<int>(options.size());
    benchmark::Initialize(&count, options.data());
    MedianCollector medians;
    benchmark::RunSpecifiedBenchmarks(&medians);
    printTable(medians, ppcPlugin);
    benchmark::Shutdown();
    return 0;
}
