#include "engine/clean_error.h"

namespace sorvane {

std::string CleanError::errorDescription() const {
    switch (m_kind) {
    case Kind::destinationUnavailable:
        if (m_away)
            return "The archive folder at " + m_payload +
                   " is not there. Reconnect its drive, or choose another archive folder.";
        return "Could not create or open the archive folder at " + m_payload + ".";
    case Kind::copyUnverified:
        return "The copy of " + m_payload +
               " did not match the original, so it was left on the desktop.";
    case Kind::noDesktop:
        return "Could not find your Desktop folder.";
    case Kind::desktopUnreadable:
        return "Could not read your Desktop folder.";
    case Kind::desktopInsideArchive:
        return "Your Desktop folder is inside the archive folder; choose another archive folder.";
    case Kind::destinationNotAbsolute:
        return "The archive folder \u201C" + m_payload +
               "\u201D is not a full path; choose the archive folder again.";
    }
    return {};
}

} // namespace sorvane
