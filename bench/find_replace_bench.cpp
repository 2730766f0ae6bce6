// Find-next and replace-all over long editor texts, beside a plain copy of the same bytes.
#include "aids/text_search.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

namespace {

using penlark::GbText;

// A writer's text of `chars` characters: Chinese with some ASCII and a CR LF every line,
// cut at a character boundary. "写" comes about once in 25 characters.
GbText novelText(std::size_t chars)
{
    static const GbText line = GbText::fromUtf8("风起了，他在窗前写下第一行字。Wind and rain 今天是2015年9月1日，写完就睡。\r\n");
    const std::size_t lineChars = penlark::countChars(line);
    std::string bytes;
    std::size_t count = 0;
    while (count + lineChars <= chars) {
        bytes += line.bytes();
        count += lineChars;
    }
    for (std::size_t i = 0; count < chars; ++count) {
        const std::size_t length = penlark::charLengthAt(line, i);
        bytes.append(line.bytes(), i, length);
        i += length;
    }
    return GbText::fromBytes(std::move(bytes));
}

void setSize(benchmark::State& state, const GbText& text)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.SetComplexityN(state.range(0));
}

// The baseline: the same bytes copied once.
void BM_PlainCopy(benchmark::State& state)
{
    const GbText text = novelText(static_cast<std::size_t>(state.range(0)));
    std::string copy(text.size(), '\0');
    for (auto _ : state) {
        std::memcpy(copy.data(), text.bytes().data(), text.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    setSize(state, text);
}

// Find-next pressed from the start until the last occurrence of a frequent term: each search
// starts where the previous hit ended, so the whole walk reads the text once.
void BM_FindNextToLastOccurrence(benchmark::State& state)
{
    const GbText text = novelText(static_cast<std::size_t>(state.range(0)));
    const GbText term = GbText::fromUtf8("写");
    std::int64_t hits = 0;
    for (auto _ : state) {
        hits = 0;
        for (int at = penlark::searchForward(text, term, 0, false); at >= 0;
             at = penlark::searchForward(text, term, at + static_cast<int>(term.size()), false)) {
            ++hits;
        }
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
    setSize(state, text);
}

// One find-next whose only hit is at the very end.
void BM_FindNextSingleHitAtTheEnd(benchmark::State& state)
{
    const GbText text = novelText(static_cast<std::size_t>(state.range(0))) + GbText::fromUtf8("终");
    const GbText term = GbText::fromUtf8("终");
    for (auto _ : state) benchmark::DoNotOptimize(penlark::searchForward(text, term, 0, false));
    setSize(state, text);
}

// Searching upward from the end must read from the start to know where characters begin.
void BM_FindUpwardFromTheEnd(benchmark::State& state)
{
    const GbText text = novelText(static_cast<std::size_t>(state.range(0)));
    const GbText term = GbText::fromBytes("Wind");
    const int limit = static_cast<int>(text.size());
    for (auto _ : state) benchmark::DoNotOptimize(penlark::searchBackward(text, term, limit, false));
    setSize(state, text);
}

// "全部替换" of the frequent term, caseless as before any find-next.
void BM_ReplaceAllFrequentTerm(benchmark::State& state)
{
    const GbText text = novelText(static_cast<std::size_t>(state.range(0)));
    const GbText term = GbText::fromUtf8("写");
    const GbText replacement = GbText::fromUtf8("记下");
    for (auto _ : state) benchmark::DoNotOptimize(penlark::replaceAllOccurrences(text, term, replacement, false));
    setSize(state, text);
}

// An ASCII term, caseless: every single byte is folded while scanning.
void BM_ReplaceAllCaselessAscii(benchmark::State& state)
{
    const GbText text = novelText(static_cast<std::size_t>(state.range(0)));
    const GbText term = GbText::fromBytes("rain");
    const GbText replacement = GbText::fromBytes("snow");
    for (auto _ : state) benchmark::DoNotOptimize(penlark::replaceAllOccurrences(text, term, replacement, false));
    setSize(state, text);
}

constexpr std::int64_t kSmallest = 125'000;
constexpr std::int64_t kMillion = 1'000'000;

} // namespace

BENCHMARK(BM_PlainCopy)->RangeMultiplier(2)->Range(kSmallest, kMillion)->Complexity(benchmark::oN);
BENCHMARK(BM_FindNextToLastOccurrence)->RangeMultiplier(2)->Range(kSmallest, kMillion)->Complexity(benchmark::oN);
BENCHMARK(BM_FindNextSingleHitAtTheEnd)->RangeMultiplier(2)->Range(kSmallest, kMillion)->Complexity(benchmark::oN);
BENCHMARK(BM_FindUpwardFromTheEnd)->RangeMultiplier(2)->Range(kSmallest, kMillion)->Complexity(benchmark::oN);
BENCHMARK(BM_ReplaceAllFrequentTerm)->RangeMultiplier(2)->Range(kSmallest, kMillion)->Complexity(benchmark::oN);
BENCHMARK(BM_ReplaceAllCaselessAscii)->RangeMultiplier(2)->Range(kSmallest, kMillion)->Complexity(benchmark::oN);
