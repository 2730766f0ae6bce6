#pragma once

#include "text/gb_text.h"

#include <memory>

namespace penlark {

struct MatchOptions {
    bool caseSensitive = false;     // by default ASCII letters match in either case
    bool multiline = true;          // ^ and $ also match at line breaks
    bool global = true;             // every match, not only the first
    bool expandQuoteToken = false;  // "#引号" in the pattern stands for a double quote
};

// A regular expression over code page 936 text. The subject is matched by Unicode code
// points, so a character kept as a GB18030 four-byte form is one match and comes back whole.
// Syntax: PCRE2 with the escapes \uXXXX (four hex digits) and \xXX (two hex digits); \s is the
// ASCII white space set. Matches and capture groups are numbered from 1. Nothing fails
// loudly: a refused pattern makes execute return false and every read empty.
class PatternMatcher {
public:
    PatternMatcher();
    ~PatternMatcher();
    PatternMatcher(const PatternMatcher&) = delete;
    PatternMatcher& operator=(const PatternMatcher&) = delete;

    // Compiles the pattern and collects its matches in the subject, replacing whatever an
    // earlier call found. True when the pattern was accepted, even with no match.
    bool execute(const GbText& pattern, const GbText& subject, const MatchOptions& options = {});

    // 0 before any successful execute.
    int matchCount() const;
    // Empty text for a number outside 1..matchCount().
    GbText matchText(int match) const;
    // The last subject with every match (only the first unless global) replaced. The
    // replacement uses PCRE2's syntax: $1 or ${1} for a group, $$ for a dollar sign. Empty
    // text when there is no compiled pattern or the replacement is malformed.
    GbText replace(const GbText& replacement) const;
    // The pattern in force, after "#引号" was expanded; empty when none was accepted.
    GbText pattern() const;
    // Capture groups of the first match; 0 when nothing matched.
    int subMatchCount() const;
    // Group `group` of match `match`; empty for numbers out of range or a group that took
    // no part in the match.
    GbText subMatchText(int match, int group) const;

private:
    struct Engine;
    std::unique_ptr<Engine> engine_;
};

} // namespace penlark
