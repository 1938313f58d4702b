// What every fuzz target shares: the libFuzzer entry point and the way a broken invariant stops
// the run, so that libFuzzer keeps the input and a replay of the corpus fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace ostrane::fuzz {

// Prints what broke, with the text under test quoted byte for byte, and aborts.
[[noreturn]] inline void Broken(const char* invariant, std::string_view text) {
    std::fprintf(stderr, "invariant broken: %s\ntext: \"", invariant);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 32 && byte < 127 && byte != '"' && byte != '\\') {
            std::fputc(byte, stderr);
        } else {
            std::fprintf(stderr, "\\x%02x", byte);
        }
    }
    std::fputs("\"\n", stderr);
    std::abort();
}

inline void Check(bool holds, const char* invariant, std::string_view text) {
    if (!holds) {
        Broken(invariant, text);
    }
}

}  // namespace ostrane::fuzz
