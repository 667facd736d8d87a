#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "format/text/textencoding.h"

namespace {

// A Japanese record text (in UTF-8) that takes about `cp932Bytes` bytes in code page 932: header
// lines, numbered move lines with times, and a comment on one move in eight, the mix a long KIF
// file holds. Every character above ASCII here takes three bytes in UTF-8 and two in code page
// 932.
std::string JapaneseRecordText(std::size_t cp932Bytes) {
    static const char* const Files[] = {"１", "２", "３", "４", "５", "６", "７", "８", "９"};
    static const char* const Ranks[] = {"一", "二", "三", "四", "五", "六", "七", "八", "九"};
    static const char* const Pieces[] = {"歩", "香", "桂", "銀",   "金", "角",
                                         "飛", "玉", "と", "成銀", "馬", "龍"};
    std::string text =
        "開始日時：2024/01/01 10:00\r\n棋戦：名人戦\r\n先手：山田太郎\r\n後手：鈴木花子\r\n"
        "手合割：平手\r\n手数----指手---------消費時間--\r\n";
    std::uint32_t seed = 12345;
    const auto next = [&seed](std::uint32_t n) {
        seed = seed * 1664525 + 1013904223;
        return (seed >> 8) % n;
    };
    char number[64];
    std::size_t highBytes = 0;
    std::size_t counted = 0;
    for (int ply = 1; text.size() - highBytes / 3 < cp932Bytes; ++ply) {
        std::snprintf(number, sizeof number, "%4d ", ply);
        text += number;
        if (next(6) == 0) {
            text += "同　";
        } else {
            text += Files[next(9)];
            text += Ranks[next(9)];
        }
        text += Pieces[next(12)];
        if (next(10) == 0) {
            text += "打";
        } else {
            const unsigned file = 1 + next(9);
            const unsigned rank = 1 + next(9);
            std::snprintf(number, sizeof number, "(%u%u)", file, rank);
            text += number;
        }
        const unsigned seconds = next(60);
        const unsigned total = next(3600);
        std::snprintf(number, sizeof number, "   ( 0:%02u/00:%02u:%02u)\r\n", seconds, total / 60,
                      total % 60);
        text += number;
        if (ply % 8 == 0) text += "*ここは〜２四歩が有力−後手は苦しい。\r\n";
        for (; counted < text.size(); ++counted)
            highBytes += static_cast<unsigned char>(text[counted]) >= 0x80;
    }
    return text;
}

struct Samples {
    std::string utf8;
    std::string cp932;
};

Samples MakeSamples(std::size_t bytes) {
    Samples samples{JapaneseRecordText(bytes), {}};
    samples.cp932 = EncodeFromUtf8(samples.utf8, TextEncoding::Cp932).bytes;
    if (samples.cp932.empty()) throw std::logic_error("the sample does not encode");
    return samples;
}

// Built on first use, so that a run filtered to the tiny text never pays for the large one.
const Samples& SamplesOf(bool large) {
    if (large) {
        static const Samples samples = MakeSamples(30u << 20);
        return samples;
    }
    static const Samples samples = MakeSamples(4096);
    return samples;
}

const std::string& Sample(TextEncoding encoding, bool large) {
    const Samples& samples = SamplesOf(large);
    return encoding == TextEncoding::Utf8 ? samples.utf8 : samples.cp932;
}

void SetRate(benchmark::State& state, std::size_t bytes) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes));
    state.counters["input_MiB"] = static_cast<double>(bytes) / (1 << 20);
}

// What a reader does with a file: decide the encoding and decode it.
void Decode(benchmark::State& state, TextEncoding encoding, bool large) {
    const std::string& bytes = Sample(encoding, large);
    for (auto _ : state) {
        DecodedText decoded = DecodeToUtf8(bytes);
        if (decoded.failure || decoded.encoding != encoding) state.SkipWithError("misread");
        benchmark::DoNotOptimize(decoded.text.data());
    }
    SetRate(state, bytes.size());
}

// What a writer does: turn the written UTF-8 into code page 932.
void Encode(benchmark::State& state, bool large) {
    const std::string& text = Sample(TextEncoding::Utf8, large);
    for (auto _ : state) {
        EncodedText encoded = EncodeFromUtf8(text, TextEncoding::Cp932);
        if (encoded.refused) state.SkipWithError("refused");
        benchmark::DoNotOptimize(encoded.bytes.data());
    }
    SetRate(state, text.size());
}

constexpr bool Tiny = false;
constexpr bool Large = true;

void BM_DecodeCp932Tiny(benchmark::State& state) {
    Decode(state, TextEncoding::Cp932, Tiny);
}
void BM_DecodeCp932Large(benchmark::State& state) {
    Decode(state, TextEncoding::Cp932, Large);
}
void BM_DecodeUtf8Large(benchmark::State& state) {
    Decode(state, TextEncoding::Utf8, Large);
}
void BM_EncodeCp932Large(benchmark::State& state) {
    Encode(state, Large);
}

}  // namespace

BENCHMARK(BM_DecodeCp932Tiny);
BENCHMARK(BM_DecodeCp932Large)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeUtf8Large)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeCp932Large)->Unit(benchmark::kMillisecond);
