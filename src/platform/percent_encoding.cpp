// SPDX-License-Identifier: MIT
#include "platform/percent_encoding.h"

#include "platform/hex_digits.h"

namespace sorvane {
namespace {

bool unreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           std::string_view("-_.!~*'()").find(static_cast<char>(c)) != std::string_view::npos;
}

} // namespace

std::string PercentEncoding::encodePath(std::string_view bytes) {
    std::string encoded;
    encoded.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '/' || unreserved(byte)) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += HexDigits::upper(byte >> 4);
            encoded += HexDigits::upper(byte);
        }
    }
    return encoded;
}

std::string PercentEncoding::decode(std::string_view encoded) {
    std::string bytes;
    bytes.reserve(encoded.size());
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] == '%' && i + 2 < encoded.size() && HexDigits::value(encoded[i + 1]) >= 0 &&
            HexDigits::value(encoded[i + 2]) >= 0) {
            bytes += static_cast<char>(HexDigits::value(encoded[i + 1]) * 16 +
                                       HexDigits::value(encoded[i + 2]));
            i += 2;
        } else {
            bytes += encoded[i];
        }
    }
    return bytes;
}

} // namespace sorvane
