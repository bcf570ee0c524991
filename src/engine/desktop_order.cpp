// SPDX-License-Identifier: MIT
#include "engine/desktop_order.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <unicode/normalizer2.h>
#include <unicode/unistr.h>
#include <utility>

namespace sorvane {
namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// UTF-8 byte order is code point order, so comparing NFC text as bytes compares it scalar by
// scalar. Bytes that are not UTF-8 become U+FFFD here; the raw name breaks such ties.
std::string nfcKey(std::string_view name, const icu::Normalizer2* nfc) {
    if (isAscii(name) || !nfc)
        return std::string(name);
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString normalized =
        nfc->normalize(icu::UnicodeString::fromUTF8(
                           icu::StringPiece(name.data(), static_cast<int32_t>(name.size()))),
                       status);
    if (U_FAILURE(status))
        return std::string(name);
    std::string key;
    normalized.toUTF8String(key);
    return key;
}

} // namespace

void DesktopOrder::sort(std::vector<std::string>& names) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status))
        nfc = nullptr;
    std::vector<std::string> keys;
    keys.reserve(names.size());
    for (const auto& name : names)
        keys.push_back(nfcKey(name, nfc));
    std::vector<std::size_t> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (keys[a] != keys[b])
            return keys[a] < keys[b];
        return names[a] < names[b];
    });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const std::size_t index : order)
        sorted.push_back(std::move(names[index]));
    names = std::move(sorted);
}

} // namespace sorvane
