// SPDX-License-Identifier: MIT
#include "platform/message_catalogue.h"

#include <atomic>
#include <vector>

namespace sorvane {
namespace {

std::atomic<const MessageCatalogue*> current{nullptr};

} // namespace

void MessageCatalogue::install(const MessageCatalogue* catalogue) {
    current = catalogue;
}

const MessageCatalogue* MessageCatalogue::installed() {
    return current;
}

std::string messageLanguage() {
    const MessageCatalogue* catalogue = current;
    return catalogue ? catalogue->language() : std::string("en");
}

std::string messageText(const char* context, const char* text) {
    const MessageCatalogue* catalogue = current;
    return catalogue ? catalogue->translate(context, text) : std::string(text);
}

std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
    const std::vector<std::string_view> values(arguments);
    std::string result;
    result.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const std::size_t index =
            next >= '1' && next <= '9' ? std::size_t(next - '1') : values.size();
        if (pattern[i] == '%' && index < values.size()) {
            result += values[index];
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

} // namespace sorvane
