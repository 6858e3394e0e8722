// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The answer fuzz target (fuzz_answer.cpp) driven without libFuzzer, where
// there is none (built for the web, run under node): on inputs a generator
// with a fixed seed makes, mostly numbers as students type them, long digit
// strings, signs, points and blanks, with some other bytes between. There
// the program reads numbers with its own conversion and the target's
// reference with the C library's strtod, so each checks the other.
//   fuzz_replay [inputs]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

int main(int argc, char *argv[])
{
    const long inputs = argc > 1 ? std::atol(argv[1]) : 100000;
    std::mt19937 random(2026);
    const std::string alphabet = "0123456789012345678901234567890123456789.  +-,\t\ne";
    for (long i = 0; i < inputs; ++i) {
        std::string input;
        input.push_back(char(random() % 256));
        input.push_back(char(random() % 256));
        const std::size_t length = i % 50 == 0 ? random() % 2000 : random() % 40;
        while (input.size() < length + 2)
            input.push_back(random() % 20 == 0 ? char(random() % 256) : alphabet[random() % alphabet.size()]);
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(input.data()), input.size());
    }
    std::printf("fuzz_replay: %ld inputs, no disagreement\n", inputs);
    return 0;
}
