// SPDX-License-Identifier: MIT
#include "engine/clean_error.h"

#include "platform/message_catalogue.h"

namespace sorvane {

std::string CleanError::errorDescription() const {
    switch (m_kind) {
    case Kind::destinationUnavailable:
        if (m_away)
            return fillIn(
                messageText("CleanError",
                            "The archive folder at %1 is not there. Reconnect its drive, or "
                            "choose another archive folder."),
                {m_payload});
        return fillIn(
            messageText("CleanError", "Could not create or open the archive folder at %1."),
            {m_payload});
    case Kind::copyUnverified:
        return fillIn(
            messageText("CleanError",
                        "The copy of %1 did not match the original, so it was left on the "
                        "desktop."),
            {m_payload});
    case Kind::noDesktop:
        return messageText("CleanError", "Could not find your Desktop folder.");
    case Kind::desktopUnreadable:
        return messageText("CleanError", "Could not read your Desktop folder.");
    case Kind::desktopInsideArchive:
        return messageText(
            "CleanError",
            "Your Desktop folder is inside the archive folder; choose another archive folder.");
    case Kind::destinationNotAbsolute:
        return fillIn(messageText("CleanError", "The archive folder \u201C%1\u201D is not a full "
                                                "path; choose the archive folder again."),
                      {m_payload});
    }
    return {};
}

} // namespace sorvane
