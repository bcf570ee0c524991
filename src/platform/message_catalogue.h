// SPDX-License-Identifier: MIT
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace sorvane {

/// Where the layers without Qt get the user's language for their messages: error lines that
/// go into the history and onto the terminal. The application installs one at start-up that
/// looks texts up in its translations; without one every text stays as written (English).
///
/// Texts are looked up with `messageText("Context", "English text with %1")`; the
/// translation catalogue collects every such call, so the context and the text must be
/// literals, and nothing else may stand in the call.
class MessageCatalogue {
public:
    virtual ~MessageCatalogue() = default;
    /// The translation of `text` in `context`, UTF-8; the text itself when there is none.
    virtual std::string translate(const char* context, const char* text) const = 0;
    /// The language the texts are in, as a locale name ("de", "en").
    virtual std::string language() const = 0;

    /// Makes `catalogue` (which must outlive its use; null for none) the one all threads use.
    /// Called before any background work starts.
    static void install(const MessageCatalogue* catalogue);
    /// The one installed now; null for none.
    static const MessageCatalogue* installed();
};

/// The language of the installed catalogue's texts; "en" without one.
std::string messageLanguage();

/// `text` in the user's language.
std::string messageText(const char* context, const char* text);

/// `pattern` with %1, %2, … replaced by `arguments` in one pass, so that an argument that
/// holds "%2" (a file name may) stays as it is: `fillIn(messageText("C", "At %1."), {path})`.
std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> arguments);

} // namespace sorvane
