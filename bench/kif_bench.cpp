// KIF and KI2 reading and writing on records of random legal play, written as code page 932
// files with a time on every move, the way most KIF files come.

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/recordgen.h"
#include "format/kif/ki2.h"
#include "format/kif/kif.h"
#include "format/recordio.h"

namespace {

struct Sample {
    std::unique_ptr<GameRecord> record = std::make_unique<GameRecord>();
    std::string kif;  // code page 932
    std::string ki2;
    long long moves = 0;
};

template <typename Build>
Sample MakeSample(Build build) {
    Sample sample;
    build(*sample.record);
    TimeEveryMove(*sample.record);
    std::string refusal;
    if (!WriteKif(*sample.record, TextEncoding::Cp932, sample.kif, refusal) ||
        !WriteKi2(*sample.record, TextEncoding::Cp932, sample.ki2, refusal))
        throw std::runtime_error(refusal);
    sample.moves = CountMoves(sample.record->Root());
    return sample;
}

// A long line with a variation for every 1,000th move: each variation block comes after the
// whole line, so reading it goes back a long way for each one.
void BuildLongLineWithVariations(GameRecord& record) {
    BuildMainLine(record, 1'000'000, 1);
    record.GoToTop();
    std::mt19937 rng(5);
    while (record.Current().ChildCount() > 0) {
        Move other;
        if (record.Current().number % 1000 == 999 &&
            RandomLegalMove(record.GetPosition(), rng, other) &&
            !SameMove(other, record.Current().Continuation(0)->move))
            record.AddContinuation(other);
        record.GoForward(0);
    }
    record.GoToTop();
}

enum class Shape { TinyTree, LongLine, LongLineWithVariations, BushyTree };

const Sample& SampleOf(Shape shape) {
    switch (shape) {
        case Shape::TinyTree: {
            static const Sample s = MakeSample([](GameRecord& r) { BuildBushyTree(r, 300, 11); });
            return s;
        }
        case Shape::LongLine: {
            static const Sample s =
                MakeSample([](GameRecord& r) { BuildMainLine(r, 1'000'000, 1); });
            return s;
        }
        case Shape::LongLineWithVariations: {
            static const Sample s = MakeSample(BuildLongLineWithVariations);
            return s;
        }
        case Shape::BushyTree: {
            static const Sample s =
                MakeSample([](GameRecord& r) { BuildBushyTree(r, 1'000'000, 2); });
            return s;
        }
    }
    throw std::logic_error("unknown sample shape");
}

void SetRates(benchmark::State& state, const Sample& sample, const std::string& text) {
    state.counters["moves_per_second"] = benchmark::Counter(
        static_cast<double>(sample.moves), benchmark::Counter::kIsIterationInvariantRate);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}

// Reading as a user's file is read: through the front, which decodes code page 932.
void ReadKifFile(GameRecord& record, const std::string& bytes) {
    ReadRecord(record, bytes, FileType{RecordFormat::Kif, TextEncoding::Cp932, 0});
}
void ReadKi2File(GameRecord& record, const std::string& bytes) {
    ReadRecord(record, bytes, FileType{RecordFormat::Ki2, TextEncoding::Cp932, 0});
}

template <typename Read>
void ReadSample(benchmark::State& state, Shape shape, const std::string Sample::*text, Read read) {
    const Sample& sample = SampleOf(shape);
    for (auto _ : state) {
        auto record = std::make_unique<GameRecord>();
        read(*record, sample.*text);
        benchmark::DoNotOptimize(record.get());
        state.PauseTiming();
        record.reset();
        state.ResumeTiming();
    }
    SetRates(state, sample, sample.*text);
}

template <typename Write>
void WriteSample(benchmark::State& state, Shape shape, const std::string Sample::*text,
                 Write write) {
    const Sample& sample = SampleOf(shape);
    std::string out, refusal;
    for (auto _ : state) {
        write(*sample.record, TextEncoding::Cp932, out, refusal);
        benchmark::DoNotOptimize(out.data());
    }
    if (out != sample.*text) state.SkipWithError("the written record differs");
    SetRates(state, sample, sample.*text);
}

void BM_ReadKifTinyTree(benchmark::State& state) {
    ReadSample(state, Shape::TinyTree, &Sample::kif, ReadKifFile);
}
void BM_ReadKi2TinyTree(benchmark::State& state) {
    ReadSample(state, Shape::TinyTree, &Sample::ki2, ReadKi2File);
}
void BM_WriteKifTinyTree(benchmark::State& state) {
    WriteSample(state, Shape::TinyTree, &Sample::kif, WriteKif);
}
void BM_ReadKifLongLine(benchmark::State& state) {
    ReadSample(state, Shape::LongLine, &Sample::kif, ReadKifFile);
}
void BM_WriteKifLongLine(benchmark::State& state) {
    WriteSample(state, Shape::LongLine, &Sample::kif, WriteKif);
}
void BM_ReadKifLongLineWithVariations(benchmark::State& state) {
    ReadSample(state, Shape::LongLineWithVariations, &Sample::kif, ReadKifFile);
}
void BM_ReadKifBushyTree(benchmark::State& state) {
    ReadSample(state, Shape::BushyTree, &Sample::kif, ReadKifFile);
}
void BM_WriteKifBushyTree(benchmark::State& state) {
    WriteSample(state, Shape::BushyTree, &Sample::kif, WriteKif);
}
void BM_ReadKi2BushyTree(benchmark::State& state) {
    ReadSample(state, Shape::BushyTree, &Sample::ki2, ReadKi2File);
}
void BM_WriteKi2BushyTree(benchmark::State& state) {
    WriteSample(state, Shape::BushyTree, &Sample::ki2, WriteKi2);
}

}  // namespace

BENCHMARK(BM_ReadKifTinyTree);
BENCHMARK(BM_ReadKi2TinyTree);
BENCHMARK(BM_WriteKifTinyTree);
BENCHMARK(BM_ReadKifLongLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteKifLongLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadKifLongLineWithVariations)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadKifBushyTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteKifBushyTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadKi2BushyTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteKi2BushyTree)->Unit(benchmark::kMillisecond);
