#include "stats/pattern_matcher.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <cstdint>
#include <string>
#include <vector>

namespace penlark {

namespace {

PCRE2_SPTR16 units(const std::u16string& text) { return reinterpret_cast<PCRE2_SPTR16>(text.data()); }

struct CodeFree {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct MatchDataFree {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
struct CompileContextFree {
    void operator()(pcre2_compile_context* context) const { pcre2_compile_context_free(context); }
};

void replaceAll(std::u16string& text, std::u16string_view token, std::u16string_view by)
{
    for (std::size_t at = text.find(token); at != std::u16string::npos; at = text.find(token, at + by.size())) {
        text.replace(at, token.size(), by);
    }
}

} // namespace

struct PatternMatcher::Engine {
    std::unique_ptr<pcre2_code, CodeFree> code;
    std::u16string pattern;
    std::u16string subject;
    bool global = true;
    std::uint32_t groups = 0;
    // Per match, the start and end of the whole match and of each group, in code units.
    std::vector<PCRE2_SIZE> offsets;

    std::size_t stride() const { return 2 * (std::size_t{groups} + 1); }
    std::size_t count() const { return offsets.size() / stride(); }

    GbText piece(std::size_t match, std::size_t group) const
    {
        const PCRE2_SIZE start = offsets[match * stride() + 2 * group];
        const PCRE2_SIZE end = offsets[match * stride() + 2 * group + 1];
        if (start == PCRE2_UNSET || end < start) return {};
        return GbText::fromUtf16(std::u16string_view(subject).substr(start, end - start));
    }
};

PatternMatcher::PatternMatcher() = default;
PatternMatcher::~PatternMatcher() = default;

bool PatternMatcher::execute(const GbText& pattern, const GbText& subject, const MatchOptions& options)
{
    engine_.reset();
    auto engine = std::make_unique<Engine>();
    engine->global = options.global;

    engine->pattern = pattern.toUtf16();
    if (options.expandQuoteToken) replaceAll(engine->pattern, u"#引号", u"\"");

    // \uXXXX and two-digit \xXX as the scripting engines read them; CR, LF and CR LF end a
    // line; without multiline, $ matches only at the very end.
    std::uint32_t flags = PCRE2_UTF | PCRE2_ALT_BSUX;
    if (!options.caseSensitive) flags |= PCRE2_CASELESS;
    flags |= options.multiline ? PCRE2_MULTILINE : PCRE2_DOLLAR_ENDONLY;
    std::unique_ptr<pcre2_compile_context, CompileContextFree> context(pcre2_compile_context_create(nullptr));
    if (!context) return false;
    pcre2_set_newline(context.get(), PCRE2_NEWLINE_ANYCRLF);

    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    engine->code.reset(pcre2_compile(units(engine->pattern), engine->pattern.size(), flags, &error, &errorOffset,
                                     context.get()));
    if (!engine->code) return false;
    // Without JIT support the interpreter does the same work, only slower.
    pcre2_jit_compile(engine->code.get(), PCRE2_JIT_COMPLETE);
    pcre2_pattern_info(engine->code.get(), PCRE2_INFO_CAPTURECOUNT, &engine->groups);

    engine->subject = subject.toUtf16();
    std::unique_ptr<pcre2_match_data, MatchDataFree> data(
        pcre2_match_data_create_from_pattern(engine->code.get(), nullptr));
    if (!data) return false;

    // Find every match; after an empty match, try a non-empty one at the same place before
    // moving on by one character (a CR LF pair or a surrogate pair is one character).
    const std::u16string& text = engine->subject;
    const PCRE2_SIZE length = text.size();
    PCRE2_SIZE start = 0;
    std::uint32_t retry = 0;
    std::uint32_t checked = 0;  // the subject is validated once, not at every call
    for (;;) {
        const int rc = pcre2_match(engine->code.get(), units(text), length, start, retry | checked, data.get(), nullptr);
        checked = PCRE2_NO_UTF_CHECK;
        if (rc == PCRE2_ERROR_NOMATCH) {
            if (retry == 0 || start >= length) break;
            retry = 0;
            ++start;
            if (text[start - 1] == u'\r' && start < length && text[start] == u'\n') ++start;
            while (start < length && (text[start] & 0xFC00) == 0xDC00) ++start;
            continue;
        }
        if (rc < 0) return false;

        const PCRE2_SIZE* vector = pcre2_get_ovector_pointer(data.get());
        if (vector[1] < vector[0]) break;  // \K past the end of the match: nothing sensible to keep
        engine->offsets.insert(engine->offsets.end(), vector, vector + engine->stride());
        if (!options.global) break;
        if (vector[0] == vector[1]) {
            if (vector[0] == length) break;
            retry = PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED;
        } else {
            retry = 0;
        }
        start = vector[1];
    }

    engine_ = std::move(engine);
    return true;
}

int PatternMatcher::matchCount() const { return engine_ ? static_cast<int>(engine_->count()) : 0; }

GbText PatternMatcher::matchText(int match) const
{
    if (match < 1 || match > matchCount()) return {};
    return engine_->piece(static_cast<std::size_t>(match - 1), 0);
}

GbText PatternMatcher::replace(const GbText& replacement) const
{
    if (!engine_) return {};
    const std::u16string by = replacement.toUtf16();
    const std::u16string& text = engine_->subject;
    std::uint32_t options = PCRE2_SUBSTITUTE_OVERFLOW_LENGTH | PCRE2_NO_UTF_CHECK;
    if (engine_->global) options |= PCRE2_SUBSTITUTE_GLOBAL;

    std::u16string out(text.size() + by.size() + 16, u'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        PCRE2_SIZE outLength = out.size();
        const int rc = pcre2_substitute(engine_->code.get(), units(text), text.size(), 0, options, nullptr, nullptr,
                                        units(by), by.size(), reinterpret_cast<PCRE2_UCHAR16*>(out.data()),
                                        &outLength);
        if (rc == PCRE2_ERROR_NOMEMORY) {
            // outLength now holds the size needed, terminator included.
            out.assign(outLength, u'\0');
            continue;
        }
        if (rc < 0) return {};
        out.resize(outLength);
        return GbText::fromUtf16(out);
    }
    return {};
}

GbText PatternMatcher::pattern() const { return engine_ ? GbText::fromUtf16(engine_->pattern) : GbText(); }

int PatternMatcher::subMatchCount() const
{
    return engine_ && engine_->count() > 0 ? static_cast<int>(engine_->groups) : 0;
}

GbText PatternMatcher::subMatchText(int match, int group) const
{
    if (match < 1 || match > matchCount() || group < 1 || group > subMatchCount()) return {};
    return engine_->piece(static_cast<std::size_t>(match - 1), static_cast<std::size_t>(group));
}

} // namespace penlark
