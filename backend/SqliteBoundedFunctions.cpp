#include "backend/SqliteBoundedFunctions.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qvx {

namespace {

// How much work a call does between two looks at its statement's stop:
// well under a millisecond.
constexpr qint64 StepsPerCheck = 1 << 16;

// Knuth-Morris-Pratt: each byte of the haystack is looked at a bounded number
// of times, whatever the two texts hold.
template <typename T>
class Finder
{
public:
    Finder(const T *needle, qsizetype size) : m_needle(needle), m_size(size), m_border(size_t(size), 0)
    {
        for (qsizetype i = 1, k = 0; i < size; ++i) {
            while (k > 0 && needle[i] != needle[k])
                k = m_border[size_t(k - 1)];
            if (needle[i] == needle[k])
                ++k;
            m_border[size_t(i)] = k;
        }
    }

    // As findBytes().
    qsizetype find(const T *haystack, qsizetype size, qsizetype from, CallMeter &meter) const
    {
        return find(haystack, size, from, meter, [](qsizetype) { return true; });
    }

    // The first occurrence whose start `counts`; the search goes on past an
    // occurrence that does not count as it would past a mismatch, so the
    // whole search stays linear.
    template <typename Counts>
    qsizetype find(const T *haystack, qsizetype size, qsizetype from, CallMeter &meter, Counts counts) const
    {
        if (m_size == 0)
            return from <= size ? from : -1;
        qsizetype k = 0;
        for (qsizetype i = from; i < size; ++i) {
            if ((i & 0xfff) == 0 && !meter.tick(0x1000))
                return -2;
            while (k > 0 && haystack[i] != m_needle[k])
                k = m_border[size_t(k - 1)];
            if (haystack[i] == m_needle[k] && ++k == m_size) {
                if (counts(i - m_size + 1))
                    return i - m_size + 1;
                k = m_border[size_t(k - 1)];
            }
        }
        return -1;
    }

private:
    const T *m_needle;
    qsizetype m_size;
    std::vector<qsizetype> m_border; // length of the longest proper border of needle[0..i]
};

const StatementStop *stopOf(sqlite3_context *ctx)
{
    return static_cast<const StatementStop *>(sqlite3_user_data(ctx));
}

int lengthLimit(sqlite3_context *ctx)
{
    return sqlite3_limit(sqlite3_context_db_handle(ctx), SQLITE_LIMIT_LENGTH, -1);
}

bool isContinuation(unsigned char b)
{
    return (b & 0xc0) == 0x80;
}

// ---- instr ------------------------------------------------------------------

// instr(X, Y): the character (blobs: byte) position of Y's first occurrence
// in X, 0 when none, 1 when Y is empty.
void fnInstr(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const int typeHaystack = sqlite3_value_type(argv[0]);
    const int typeNeedle = sqlite3_value_type(argv[1]);
    if (typeHaystack == SQLITE_NULL || typeNeedle == SQLITE_NULL)
        return;
    if (sqlite3_value_bytes(argv[1]) == 0)
        return sqlite3_result_int(ctx, 1);
    const bool isText = typeHaystack != SQLITE_BLOB || typeNeedle != SQLITE_BLOB;
    const auto *haystack = static_cast<const char *>(
        isText ? static_cast<const void *>(sqlite3_value_text(argv[0])) : sqlite3_value_blob(argv[0]));
    const qsizetype haystackSize = sqlite3_value_bytes(argv[0]);
    const auto *needle = static_cast<const char *>(
        isText ? static_cast<const void *>(sqlite3_value_text(argv[1])) : sqlite3_value_blob(argv[1]));
    const qsizetype needleSize = sqlite3_value_bytes(argv[1]);
    if (!needle || (haystackSize > 0 && !haystack))
        return sqlite3_result_error_nomem(ctx);
    CallMeter meter(ctx);
    const Finder<char> finder(needle, needleSize);
    // A text is searched from character to character: a match that starts
    // inside a character's bytes does not count.
    const qsizetype at = finder.find(haystack, haystackSize, 0, meter, [&](qsizetype start) {
        return !isText || start == 0 || !isContinuation(static_cast<unsigned char>(haystack[start]));
    });
    if (at == -2)
        return;
    if (at < 0)
        return sqlite3_result_int(ctx, 0);
    qint64 position = at + 1;
    if (isText) {
        position = 1;
        for (qsizetype i = 1; i <= at; ++i)
            position += isContinuation(static_cast<unsigned char>(haystack[i])) ? 0 : 1;
    }
    sqlite3_result_int64(ctx, position);
}

// ---- replace ----------------------------------------------------------------

// replace(X, Y, Z): X with every occurrence of Y, from the left and without
// overlaps, replaced by Z. The result's length is known, and checked, before
// it is built.
void fnReplace(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    if (!text)
        return;
    const qsizetype textSize = sqlite3_value_bytes(argv[0]);
    const auto *pattern = reinterpret_cast<const char *>(sqlite3_value_text(argv[1]));
    if (!pattern)
        return;
    if (pattern[0] == 0)
        return sqlite3_result_value(ctx, argv[0]);
    const qsizetype patternSize = sqlite3_value_bytes(argv[1]);
    const auto *replacement = reinterpret_cast<const char *>(sqlite3_value_text(argv[2]));
    if (!replacement)
        return;
    const qsizetype replacementSize = sqlite3_value_bytes(argv[2]);

    CallMeter meter(ctx);
    const Finder<char> finder(pattern, patternSize);
    qint64 outSize = textSize;
    for (qsizetype at = finder.find(text, textSize, 0, meter); at >= 0;
         at = finder.find(text, textSize, at + patternSize, meter)) {
        outSize += replacementSize - patternSize;
        if (outSize > lengthLimit(ctx))
            return sqlite3_result_error_toobig(ctx);
    }
    if (!meter.tick(0))
        return;
    char *out = static_cast<char *>(sqlite3_malloc64(sqlite3_uint64(outSize) + 1));
    if (!out)
        return sqlite3_result_error_nomem(ctx);
    qsizetype from = 0;
    char *to = out;
    for (qsizetype at = finder.find(text, textSize, 0, meter); at >= 0;
         at = finder.find(text, textSize, from, meter)) {
        std::memcpy(to, text + from, size_t(at - from));
        to += at - from;
        std::memcpy(to, replacement, size_t(replacementSize));
        to += replacementSize;
        from = at + patternSize;
    }
    if (!meter.tick(0)) {
        sqlite3_free(out);
        return;
    }
    std::memcpy(to, text + from, size_t(textSize - from));
    sqlite3_result_text64(ctx, out, sqlite3_uint64(outSize), sqlite3_free, SQLITE_UTF8);
}

// ---- trim -------------------------------------------------------------------

// trim(X, Y), ltrim(X, Y), rtrim(X, Y): X without the characters of Y at its
// ends. The characters of Y are looked up, not compared one by one.
void trimSet(sqlite3_context *ctx, sqlite3_value **argv, bool left, bool right)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return;
    const auto *in = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    if (!in)
        return;
    qsizetype size = sqlite3_value_bytes(argv[0]);
    const auto *set = reinterpret_cast<const unsigned char *>(sqlite3_value_text(argv[1]));
    if (!set)
        return;
    // The set's characters as SQLite splits them (a lead byte with the
    // continuation bytes after it); the first one listed wins.
    std::unordered_map<std::string_view, qsizetype> order;
    std::vector<qsizetype> lengths;
    qsizetype index = 0;
    for (const unsigned char *z = set; *z; ++index) {
        const unsigned char *start = z;
        if (*z++ >= 0xc0)
            while (isContinuation(*z))
                ++z;
        const std::string_view character(reinterpret_cast<const char *>(start), size_t(z - start));
        if (order.emplace(character, index).second
            && std::find(lengths.begin(), lengths.end(), qsizetype(character.size())) == lengths.end())
            lengths.push_back(qsizetype(character.size()));
    }
    CallMeter meter(ctx);
    // The length of the set's character that `at` starts with (or ends
    // with), 0 when none does.
    auto matched = [&](qsizetype at, bool atEnd) -> qsizetype {
        qsizetype best = -1;
        qsizetype bestIndex = 0;
        for (const qsizetype length : lengths) {
            if (length > size)
                continue;
            if (!meter.tick(length))
                return -1;
            const auto found = order.find(std::string_view(in + (atEnd ? at - length : at), size_t(length)));
            if (found != order.end() && (best < 0 || found->second < bestIndex)) {
                best = length;
                bestIndex = found->second;
            }
        }
        return best < 0 ? 0 : best;
    };
    if (left) {
        for (qsizetype n; size > 0 && (n = matched(0, false)) != 0;) {
            if (n < 0)
                return;
            in += n;
            size -= n;
        }
    }
    if (right) {
        for (qsizetype n; size > 0 && (n = matched(size, true)) != 0;) {
            if (n < 0)
                return;
            size -= n;
        }
    }
    sqlite3_result_text64(ctx, in, sqlite3_uint64(size), SQLITE_TRANSIENT, SQLITE_UTF8);
}

void fnTrim(sqlite3_context *ctx, int, sqlite3_value **argv) { trimSet(ctx, argv, true, true); }
void fnLtrim(sqlite3_context *ctx, int, sqlite3_value **argv) { trimSet(ctx, argv, true, false); }
void fnRtrim(sqlite3_context *ctx, int, sqlite3_value **argv) { trimSet(ctx, argv, false, true); }

// ---- like and glob ----------------------------------------------------------

// One character as SQLite reads it: a lead byte takes every continuation
// byte after it; what is no character reads as U+FFFD.
char32_t readUtf8(const unsigned char *&z)
{
    char32_t c = *z++;
    if (c >= 0xc0) {
        static const unsigned char lead[] = {
            0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31,
            0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0, 1, 2, 3, 4, 5, 6, 7, 0, 1, 2, 3, 0, 1, 0, 0};
        c = lead[c - 0xc0];
        while (isContinuation(*z))
            c = (c << 6) + (0x3f & *z++);
        if (c < 0x80 || (c & 0xFFFFF800) == 0xD800 || (c & 0xFFFFFFFE) == 0xFFFE)
            c = 0xFFFD;
    }
    return c;
}

char32_t asciiLower(char32_t c)
{
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

// One piece of a pattern: any run of characters, any one character, one
// character, or a set of characters ("[a-z]", "[^0-9]" in glob).
struct PatternToken
{
    enum Kind { AnyRun, AnyOne, Literal, Set, Never };
    explicit PatternToken(Kind k, char32_t literal = 0) : kind(k), c(literal) {}

    Kind kind;
    char32_t c;
    bool invert = false;
    std::vector<std::pair<char32_t, char32_t>> ranges;

    bool matches(char32_t s, bool noCase) const
    {
        switch (kind) {
        case AnyOne:
            return true;
        case Literal:
            return s == c || (noCase && s < 0x80 && c < 0x80 && asciiLower(s) == asciiLower(c));
        case Set: {
            bool seen = false;
            for (const auto &r : ranges)
                seen = seen || (s >= r.first && s <= r.second);
            return seen != invert;
        }
        default:
            return false;
        }
    }
};

struct PatternRules
{
    char32_t all;   // '%' or '*'; 0 when the escape character took its place
    char32_t one;   // '_' or '?'; likewise
    char32_t other; // like: the escape character (0: none); glob: '['
    bool sets;      // glob
    bool noCase;    // like
};

// A pattern as read, with the rules it was read by (an escape character
// given by a column may change from row to row).
struct CompiledPattern
{
    PatternRules rules;
    std::vector<PatternToken> tokens;

    bool madeBy(const PatternRules &r) const
    {
        return rules.all == r.all && rules.one == r.one && rules.other == r.other && rules.sets == r.sets;
    }
};

std::vector<PatternToken> tokenize(const unsigned char *p, const PatternRules &rules)
{
    std::vector<PatternToken> tokens;
    while (*p) {
        const char32_t c = readUtf8(p);
        if (c == rules.all) {
            if (tokens.empty() || tokens.back().kind != PatternToken::AnyRun)
                tokens.emplace_back(PatternToken::AnyRun);
        } else if (c == rules.other && rules.other != 0 && !rules.sets) {
            // An escaped character stands for itself; an escape that ends
            // the pattern matches nothing.
            if (!*p) {
                tokens.emplace_back(PatternToken::Never);
                break;
            }
            tokens.emplace_back(PatternToken::Literal, readUtf8(p));
        } else if (c == rules.other && rules.sets) {
            PatternToken set(PatternToken::Set);
            char32_t c2 = *p ? readUtf8(p) : 0;
            if (c2 == '^') {
                set.invert = true;
                c2 = *p ? readUtf8(p) : 0;
            }
            if (c2 == ']') {
                set.ranges.push_back({']', ']'});
                c2 = *p ? readUtf8(p) : 0;
            }
            char32_t prior = 0;
            while (c2 && c2 != ']') {
                if (c2 == '-' && *p != ']' && *p != 0 && prior > 0) {
                    // The character before the dash stays in the set on its
                    // own: a reversed range ("[z-a]") holds it alone.
                    c2 = readUtf8(p);
                    set.ranges.push_back({prior, c2});
                    prior = 0;
                } else {
                    set.ranges.push_back({c2, c2});
                    prior = c2;
                }
                c2 = *p ? readUtf8(p) : 0;
            }
            if (c2 == 0) { // no closing bracket: nothing matches
                tokens.emplace_back(PatternToken::Never);
                break;
            }
            tokens.push_back(std::move(set));
        } else if (c == rules.one && rules.one != 0) {
            tokens.emplace_back(PatternToken::AnyOne);
        } else {
            tokens.emplace_back(PatternToken::Literal, c);
        }
    }
    return tokens;
}

// Whether the text matches the pattern's tokens: a run is first taken empty
// and grown by one character when what follows it fails, which never needs
// more than (text length x pattern length) steps and no recursion.
int matchTokens(const std::vector<PatternToken> &tokens, const unsigned char *text, bool noCase, CallMeter &meter)
{
    const size_t count = tokens.size();
    size_t p = 0;
    const unsigned char *s = text;
    size_t runAt = size_t(-1);
    const unsigned char *runEnd = nullptr; // where the text after the latest run starts
    while (true) {
        if (!meter.tick())
            return -1;
        if (p < count && tokens[p].kind == PatternToken::AnyRun) {
            runAt = p++;
            runEnd = s;
            continue;
        }
        if (!*s)
            break;
        const unsigned char *next = s;
        const char32_t c = readUtf8(next);
        if (p < count && tokens[p].matches(c, noCase)) {
            ++p;
            s = next;
            continue;
        }
        if (runAt == size_t(-1))
            return 0;
        p = runAt + 1;
        readUtf8(runEnd);
        s = runEnd;
    }
    while (p < count && tokens[p].kind == PatternToken::AnyRun)
        ++p;
    return p == count ? 1 : 0;
}

void matchPattern(sqlite3_context *ctx, int argc, sqlite3_value **argv, PatternRules rules)
{
    // Blobs match nothing, as in the library this server runs on.
    if (sqlite3_value_type(argv[0]) == SQLITE_BLOB || sqlite3_value_type(argv[1]) == SQLITE_BLOB)
        return sqlite3_result_int(ctx, 0);
    const auto *pattern = sqlite3_value_text(argv[0]);
    const auto *text = sqlite3_value_text(argv[1]);
    if (sqlite3_value_bytes(argv[0])
        > sqlite3_limit(sqlite3_context_db_handle(ctx), SQLITE_LIMIT_LIKE_PATTERN_LENGTH, -1))
        return sqlite3_result_error(ctx, "LIKE or GLOB pattern too complex", -1);
    if (argc == 3) {
        const auto *escape = sqlite3_value_text(argv[2]);
        if (!escape)
            return;
        const unsigned char *z = escape;
        const char32_t e = *z ? readUtf8(z) : 0;
        if (!escape[0] || *z)
            return sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
        rules.other = e;
        if (e == rules.all)
            rules.all = 0;
        if (e == rules.one)
            rules.one = 0;
    }
    pattern = sqlite3_value_text(argv[0]);
    text = sqlite3_value_text(argv[1]);
    if (!pattern || !text)
        return;
    // A pattern the statement writes as it stands is read once: the library
    // keeps what is attached to a constant argument from row to row.
    auto *compiled = static_cast<CompiledPattern *>(sqlite3_get_auxdata(ctx, 0));
    if (!compiled || !compiled->madeBy(rules)) {
        compiled = new CompiledPattern{rules, tokenize(pattern, rules)};
        sqlite3_set_auxdata(ctx, 0, compiled, [](void *p) { delete static_cast<CompiledPattern *>(p); });
        compiled = static_cast<CompiledPattern *>(sqlite3_get_auxdata(ctx, 0));
        if (!compiled)
            return sqlite3_result_error_nomem(ctx);
    }
    CallMeter meter(ctx);
    const int result = matchTokens(compiled->tokens, text, rules.noCase, meter);
    if (result >= 0)
        sqlite3_result_int(ctx, result);
}

void fnLike(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    matchPattern(ctx, argc, argv, PatternRules{'%', '_', 0, false, true});
}

void fnGlob(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    matchPattern(ctx, argc, argv, PatternRules{'*', '?', '[', true, false});
}

} // namespace

CallMeter::CallMeter(sqlite3_context *ctx)
    : m_ctx(ctx), m_stop(stopOf(ctx)), m_nextCheck(StepsPerCheck)
{
}

bool CallMeter::checkStop()
{
    if (m_stopped)
        return false;
    m_nextCheck = m_steps + StepsPerCheck;
    if (m_stop && m_stop->check && m_stop->check(m_stop->owner)) {
        sqlite3_result_error_code(m_ctx, SQLITE_INTERRUPT);
        m_stopped = true;
        m_nextCheck = 0; // every later tick answers "stop" at once
        return false;
    }
    return true;
}

qsizetype findBytes(const char *haystack, qsizetype haystackSize, const char *needle, qsizetype needleSize,
                    qsizetype from, CallMeter &meter)
{
    return Finder<char>(needle, needleSize).find(haystack, haystackSize, from, meter);
}

qsizetype findUtf16(const char16_t *haystack, qsizetype haystackSize, const char16_t *needle, qsizetype needleSize,
                    qsizetype from, CallMeter &meter)
{
    return Finder<char16_t>(needle, needleSize).find(haystack, haystackSize, from, meter);
}

void registerBoundedFunctions(sqlite3 *db, const StatementStop *stop)
{
    const struct
    {
        const char *name;
        int nArg;
        void (*fn)(sqlite3_context *, int, sqlite3_value **);
    } functions[] = {{"instr", 2, fnInstr}, {"replace", 3, fnReplace}, {"trim", 2, fnTrim}, {"ltrim", 2, fnLtrim},
                     {"rtrim", 2, fnRtrim}, {"like", 2, fnLike},       {"like", 3, fnLike}, {"glob", 2, fnGlob}};
    auto *data = const_cast<StatementStop *>(stop);
    for (const auto &f : functions)
        sqlite3_create_function_v2(db, f.name, f.nArg, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, data,
                                   f.fn, nullptr, nullptr, nullptr);
}

} // namespace qvx
