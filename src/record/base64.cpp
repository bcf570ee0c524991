// SPDX-License-Identifier: MIT
#include "record/base64.h"

#include <algorithm>
#include <cstdint>

namespace sorvane {

namespace {

constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int sextet(char c) {
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 26;
    }
    if (c >= '0' && c <= '9') {
        return c - '0' + 52;
    }
    if (c == '+') {
        return 62;
    }
    if (c == '/') {
        return 63;
    }
    return -1;
}

} // namespace

std::string Base64::encode(std::string_view bytes) {
    std::string text;
    appendEncoded(text, bytes);
    return text;
}

void Base64::appendEncoded(std::string& text, std::string_view bytes) {
    const std::size_t start = text.size();
    text.resize(start + (bytes.size() + 2) / 3 * 4, '=');
    char* out = text.data() + start;
    const auto byte = [&](std::size_t at) {
        return at < bytes.size() ? std::uint32_t{static_cast<unsigned char>(bytes[at])} : 0u;
    };
    for (std::size_t i = 0; i < bytes.size(); i += 3, out += 4) {
        const std::uint32_t group = byte(i) << 16 | byte(i + 1) << 8 | byte(i + 2);
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
        // The '=' already in place pads a short last group.
        for (std::size_t j = 0; j <= count; ++j)
            out[j] = alphabet[(group >> (18 - 6 * j)) & 0x3F];
    }
}

std::optional<std::string> Base64::decode(std::string_view text) {
    if (text.size() % 4 != 0) {
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        std::size_t padding = 0;
        if (last) {
            padding = text[i + 3] == '=' ? (text[i + 2] == '=' ? 2 : 1) : 0;
        }
        std::uint32_t group = 0;
        for (std::size_t j = 0; j < 4 - padding; ++j) {
            const int value = sextet(text[i + j]);
            if (value < 0) {
                return std::nullopt;
            }
            group |= static_cast<std::uint32_t>(value) << (18 - 6 * j);
        }
        const std::size_t count = 3 - padding;
        const std::uint32_t unusedBits = (std::uint32_t{1} << (8 * padding)) - 1;
        if ((group & unusedBits) != 0) {
            return std::nullopt;
        }
        for (std::size_t j = 0; j < count; ++j) {
            bytes += static_cast<char>((group >> (16 - 8 * j)) & 0xFF);
        }
    }
    return bytes;
}

} // namespace sorvane
