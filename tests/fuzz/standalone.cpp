// Runs a fuzz target without libFuzzer: a fixed-seed stream of inputs grown from a corpus by
// random edits, so the sanitizer build can fuzz with GCC alone. The corpus is a built-in list of
// nasty number texts, or the files named after the seed (scripts), which are edited by whole
// lines and numbers as well as by bytes.
// wreckhaul_fuzz_NAME [ITERATIONS [SEED [FILE...]]]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

uint64_t next(uint64_t& s) { // splitmix64
    uint64_t z = (s += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

const char* const kCorpus[] = {
    "",
    "0",
    "100",
    "-2.5",
    "3.5",
    " 1 2 3 ",
    "1e2",
    "1e400",
    "-1e-400",
    "&HFFFF",
    "&H8000",
    "&O777",
    "&hffffffff",
    "-&H1",
    "+.5e+1",
    "1.2.3",
    "e5",
    ".",
    "-",
    "&",
    "\t\n7x",
    "\xC3\xA9\x35", // an accented e, then a 5
    "99999999999999999999999999",
    "0.000000000000000000000000001",
};

const char kAlphabet[] = "0123456789+-.eEhHoO& \t\nx\r\xff\x80";

// Numbers on the edges of the fields a script line reaches, put in place of a number.
const char* const kEdgeNumbers[] = {
    "0",          "-1",
    "1",          "1500",
    "1501",       "32767",
    "32768",      "-32768",
    "-32769",     "65535",
    "2147483647", "-2147483648",
    "2147483648", "1000000000",
    "1e38",       "3.5e38",
    "-0.5",       "4267",
    "64005",      "9015",
    "12000",      "9000",
    "999",        "25",
    "26",         "18446744073709551615",
};

using Corpus = std::vector<std::string>;

// A byte range [from, to) of t: the line around `at`, its newline left out.
void lineAround(const std::string& t, size_t at, size_t& from, size_t& to) {
    from = t.rfind('\n', at == 0 ? 0 : at - 1);
    from = (from == std::string::npos || at == 0) ? 0 : from + 1;
    to = t.find('\n', at);
    to = to == std::string::npos ? t.size() : to;
}

// The edits only a script needs to get past its first word: lines taken from another script,
// a line said twice, a number swapped for an edge value.
void editLines(uint64_t& s, const Corpus& corpus, std::string& t) {
    const uint64_t what = next(s) % 3;
    const size_t at = t.empty() ? 0 : next(s) % (t.size() + 1);
    if (what == 0) {
        const std::string& other = corpus[next(s) % corpus.size()];
        size_t from = 0;
        size_t to = 0;
        lineAround(other, other.empty() ? 0 : next(s) % other.size(), from, to);
        t.insert(at, other.substr(from, to - from) + "\n");
    } else if (what == 1) {
        size_t from = 0;
        size_t to = 0;
        lineAround(t, at, from, to);
        t.insert(to, "\n" + t.substr(from, to - from));
    } else {
        size_t from = at;
        while (from < t.size() && !(t[from] >= '0' && t[from] <= '9')) {
            ++from;
        }
        size_t to = from;
        while (to < t.size() && ((t[to] >= '0' && t[to] <= '9') || t[to] == '-')) {
            ++to;
        }
        t.replace(from, to - from, kEdgeNumbers[next(s) % std::size(kEdgeNumbers)]);
    }
}

std::string mutate(uint64_t& s, const Corpus& corpus, bool scripts) {
    std::string t = corpus[next(s) % corpus.size()];
    const int edits = static_cast<int>(next(s) % 8);
    for (int k = 0; k < edits; ++k) {
        if (scripts && next(s) % 2 == 0) {
            editLines(s, corpus, t);
            continue;
        }
        const uint64_t what = next(s) % 4;
        const size_t at = t.empty() ? 0 : next(s) % (t.size() + 1);
        const char c = (next(s) % 4 == 0) ? static_cast<char>(next(s) & 0xFF)
                                          : kAlphabet[next(s) % (sizeof(kAlphabet) - 1)];
        if (what == 0 && !t.empty() && at < t.size()) {
            t.erase(at, 1);
        } else if (what == 1) {
            t.insert(at, std::string(1 + next(s) % 300, c)); // long runs of one byte
        } else {
            t.insert(at, 1, c);
        }
    }
    return t;
}

} // namespace

int main(int argc, char** argv) {
    const long iterations = argc > 1 ? std::atol(argv[1]) : 100000;
    uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    Corpus corpus;
    for (int i = 3; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 2;
        }
        corpus.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const bool scripts = !corpus.empty();
    if (scripts) {
        // Each file runs as it stands first, then the edited ones.
        for (const std::string& input : corpus) {
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
        }
    } else {
        corpus.assign(std::begin(kCorpus), std::end(kCorpus));
    }
    for (long i = 0; i < iterations; ++i) {
        const std::string input = mutate(seed, corpus, scripts);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    }
    std::printf("fuzzed %ld inputs\n", iterations);
    return 0;
}
