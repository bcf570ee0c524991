// SPDX-License-Identifier: MIT
#include "record/utf8.h"

#include <cstddef>

namespace sorvane {

namespace {

constexpr std::string_view replacementCharacter = "\xEF\xBF\xBD";

struct Sequence {
    std::size_t length;
    bool valid;
};

// Reads the sequence starting at `start`; an ill-formed one covers the lead byte and the
// continuation bytes that could still have belonged to a well-formed sequence.
Sequence readSequence(std::string_view bytes, std::size_t start) {
    const auto lead = static_cast<unsigned char>(bytes[start]);
    if (lead < 0x80) {
        return {1, true};
    }
    std::size_t continuations = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        continuations = 1;
    } else if (lead == 0xE0) {
        continuations = 2;
        low = 0xA0; // below is an overlong form
    } else if (lead == 0xED) {
        continuations = 2;
        high = 0x9F; // above are the UTF-16 surrogates
    } else if (lead >= 0xE1 && lead <= 0xEF) {
        continuations = 2;
    } else if (lead == 0xF0) {
        continuations = 3;
        low = 0x90; // below is an overlong form
    } else if (lead >= 0xF1 && lead <= 0xF3) {
        continuations = 3;
    } else if (lead == 0xF4) {
        continuations = 3;
        high = 0x8F; // above is beyond U+10FFFF
    } else {
        return {1, false};
    }
    std::size_t length = 1;
    while (length <= continuations && start + length < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[start + length]);
        const bool fits =
            length == 1 ? (byte >= low && byte <= high) : (byte >= 0x80 && byte <= 0xBF);
        if (!fits) {
            break;
        }
        ++length;
    }
    return {length, length == continuations + 1};
}

} // namespace

bool Utf8::isValid(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const Sequence sequence = readSequence(bytes, i);
        if (!sequence.valid) {
            return false;
        }
        i += sequence.length;
    }
    return true;
}

std::size_t Utf8::sequenceLength(std::string_view bytes, std::size_t at) {
    const Sequence sequence = readSequence(bytes, at);
    return sequence.valid ? sequence.length : 0;
}

char32_t Utf8::codePoint(std::string_view bytes, std::size_t at, std::size_t length) {
    static constexpr unsigned char leadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t point = static_cast<unsigned char>(bytes[at]) & leadMask[length];
    for (std::size_t i = 1; i < length; ++i)
        point = (point << 6) | (static_cast<unsigned char>(bytes[at + i]) & 0x3F);
    return point;
}

std::string Utf8::withReplacements(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const Sequence sequence = readSequence(bytes, i);
        if (sequence.valid) {
            text += bytes.substr(i, sequence.length);
        } else {
            text += replacementCharacter;
        }
        i += sequence.length;
    }
    return text;
}

} // namespace sorvane
