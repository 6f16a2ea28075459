// Runs a fuzz target without libFuzzer: a fixed-seed stream of inputs grown from a small corpus
// of nasty texts by random byte edits, so the sanitizer build can fuzz with GCC alone.
// wreckhaul_fuzz_textnumber [ITERATIONS [SEED]]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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
    "\xC3\xA9"
    "5",
    "99999999999999999999999999",
    "0.000000000000000000000000001",
};

const char kAlphabet[] = "0123456789+-.eEhHoO& \t\nx\r\xff\x80";

std::string mutate(uint64_t& s) {
    std::string t = kCorpus[next(s) % (sizeof(kCorpus) / sizeof(kCorpus[0]))];
    const int edits = static_cast<int>(next(s) % 8);
    for (int k = 0; k < edits; ++k) {
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
    for (long i = 0; i < iterations; ++i) {
        const std::string input = mutate(seed);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    }
    std::printf("fuzzed %ld inputs\n", iterations);
    return 0;
}
