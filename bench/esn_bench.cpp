#include <benchmark/benchmark.h>

#include <malloc.h>

#include <fstream>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "bench/heapcount.h"
#include "bench/recordgen.h"
#include "format/esn/esnreader.h"
#include "format/esn/esnwriter.h"
#include "format/recordio.h"

namespace {

// One record of each shape, built on first use so that a run filtered to the tiny inputs
// never pays for the large ones.
struct Sample {
    std::unique_ptr<GameRecord> record = std::make_unique<GameRecord>();
    std::string text;  // the record as a file holds it
    long long moves = 0;
};

template <typename Build>
Sample MakeSample(Build build) {
    Sample sample;
    build(*sample.record);
    sample.text = WriteESN(*sample.record);
    sample.moves = CountMoves(sample.record->Root());
    return sample;
}

enum class Shape { TinyLine, TinyTree, LongLine, BushyTree, NestedVariations };

const Sample& SampleOf(Shape shape) {
    switch (shape) {
        case Shape::TinyLine: {
            static const Sample s = MakeSample([](GameRecord& r) { BuildMainLine(r, 60, 7); });
            return s;
        }
        case Shape::TinyTree: {
            static const Sample s = MakeSample([](GameRecord& r) { BuildBushyTree(r, 300, 11); });
            return s;
        }
        case Shape::LongLine: {
            static const Sample s =
                MakeSample([](GameRecord& r) { BuildMainLine(r, 1'000'000, 1); });
            return s;
        }
        case Shape::BushyTree: {
            static const Sample s =
                MakeSample([](GameRecord& r) { BuildBushyTree(r, 1'000'000, 2); });
            return s;
        }
        case Shape::NestedVariations: {
            static const Sample s =
                MakeSample([](GameRecord& r) { BuildNestedVariations(r, 100'000, 3); });
            return s;
        }
    }
    throw std::logic_error("unknown sample shape");
}

void SetRates(benchmark::State& state, const Sample& sample) {
    state.counters["moves_per_second"] = benchmark::Counter(
        static_cast<double>(sample.moves), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["moves"] = static_cast<double>(sample.moves);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(sample.text.size()));
}

// Each pass reads as a fresh process does: the file's bytes are copied into new memory, as
// reading the file puts them there, and read into a new record; main() makes the allocator hand
// back freed blocks, so every pass pays the first touch of its pages as a user opening the file
// does, instead of reusing the pages of the pass before.
void ReadRecord(benchmark::State& state, Shape shape) {
    const Sample& sample = SampleOf(shape);
    double bytesPerNode = 0;
    for (auto _ : state) {
        const std::string bytes(sample.text);
        auto record = std::make_unique<GameRecord>();
        // Measured from an empty record, so the count holds the nodes (and the header texts).
        const std::int64_t heapBefore = LiveHeapBytes();
        ReadESN(*record, bytes);
        benchmark::DoNotOptimize(record.get());
        state.PauseTiming();
        if (sample.moves > 0)
            bytesPerNode = static_cast<double>(LiveHeapBytes() - heapBefore) /
                           static_cast<double>(sample.moves);
        record.reset();
        state.ResumeTiming();
    }
    SetRates(state, sample);
    state.counters["bytes_per_node"] = bytesPerNode;
}

void WriteRecord(benchmark::State& state, Shape shape) {
    const Sample& sample = SampleOf(shape);
    // One buffer for every pass, so the measurement is the writer's work, not the growth of a
    // string.
    std::string out;
    out.reserve(sample.text.size());
    for (auto _ : state) {
        out.clear();
        WriteESN(*sample.record, out);
        benchmark::DoNotOptimize(out.data());
    }
    if (out != sample.text) state.SkipWithError("the written record differs");
    SetRates(state, sample);
}

void BM_ReadTinyLine(benchmark::State& state) {
    ReadRecord(state, Shape::TinyLine);
}
void BM_WriteTinyLine(benchmark::State& state) {
    WriteRecord(state, Shape::TinyLine);
}
void BM_ReadTinyTree(benchmark::State& state) {
    ReadRecord(state, Shape::TinyTree);
}
void BM_WriteTinyTree(benchmark::State& state) {
    WriteRecord(state, Shape::TinyTree);
}
void BM_ReadLongLine(benchmark::State& state) {
    ReadRecord(state, Shape::LongLine);
}
void BM_WriteLongLine(benchmark::State& state) {
    WriteRecord(state, Shape::LongLine);
}
void BM_ReadBushyTree(benchmark::State& state) {
    ReadRecord(state, Shape::BushyTree);
}
void BM_WriteBushyTree(benchmark::State& state) {
    WriteRecord(state, Shape::BushyTree);
}
void BM_ReadNestedVariations(benchmark::State& state) {
    ReadRecord(state, Shape::NestedVariations);
}
void BM_WriteNestedVariations(benchmark::State& state) {
    WriteRecord(state, Shape::NestedVariations);
}

}  // namespace

BENCHMARK(BM_ReadTinyLine);
BENCHMARK(BM_WriteTinyLine);
BENCHMARK(BM_ReadTinyTree);
BENCHMARK(BM_WriteTinyTree);
BENCHMARK(BM_ReadLongLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteLongLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBushyTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteBushyTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadNestedVariations)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteNestedVariations)->Unit(benchmark::kMillisecond);

namespace {

bool WriteSampleFile(const std::string& path, std::string_view bytes, long long moves) {
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) {
        std::cerr << "cannot write " << path << '\n';
        return false;
    }
    std::cout << path << ": " << moves << " moves, " << bytes.size() << " bytes\n";
    return true;
}

// Writes the large records as files, for measuring the tool on them in a fresh process, and
// the long line with a time on every move in each of the other formats (KI2 and USI have no
// place for the times).
int WriteSamples(const std::string& folder) {
    const std::pair<Shape, const char*> files[] = {{Shape::LongLine, "long-line.esn"},
                                                   {Shape::BushyTree, "bushy-tree.esn"},
                                                   {Shape::NestedVariations, "nested.esn"}};
    for (const auto& [shape, name] : files)
        if (!WriteSampleFile(folder + "/" + name, SampleOf(shape).text, SampleOf(shape).moves))
            return 1;
    GameRecord timed;
    BuildMainLine(timed, 1'000'000, 1);
    TimeEveryMove(timed);
    const long long moves = CountMoves(timed.Root());
    const std::pair<const char*, const char*> types[] = {{"kif", "timed-line.kif"},
                                                         {"ki2", "timed-line.ki2"},
                                                         {"csa", "timed-line.csa"},
                                                         {"jkf", "timed-line.jkf"},
                                                         {"usi", "timed-line.usi"}};
    for (const auto& [name, file] : types) {
        std::string bytes, refusal;
        if (!WriteRecord(timed, *FileTypeForName(name), bytes, refusal)) {
            std::cerr << file << ": " << refusal << '\n';
            return 1;
        }
        if (!WriteSampleFile(folder + "/" + file, bytes, moves)) return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    constexpr std::string_view WriteOption = "--write-samples=";
    if (argc == 2 && std::string_view(argv[1]).starts_with(WriteOption))
        return WriteSamples(std::string(argv[1] + WriteOption.size()));
    // A fixed threshold turns off the allocator's habit of keeping freed large blocks for
    // reuse: they go back to the system, and each pass touches fresh pages.
    mallopt(M_MMAP_THRESHOLD, 64 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
