<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CleanError</name>
    <message>
        <source>Could not find your Desktop folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not read your Desktop folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your Desktop folder is inside the archive folder; choose another archive folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped after 25 failures in a row.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The archive folder at %1 is not there. Reconnect its drive, or choose another archive folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not create or open the archive folder at %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The copy of %1 did not match the original, so it was left on the desktop.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The archive folder “%1” is not a full path; choose the archive folder again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped: Sorvane was quit before the clean finished.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The archive folder “%1” is no longer available.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped: %1 is no longer available.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>A clean was interrupted; it is recorded at the next clean, undo or history.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (Undone)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sorvane: %1; see &apos;sorvane --help&apos;
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>usage: sorvane [--background] [Qt&apos;s options: -platform, -style, ...]
       sorvane preview [--json]
       sorvane clean
       sorvane undo
       sorvane history [--json]
       sorvane status [--json]
       sorvane pin PATH...
       sorvane unpin PATH...
       sorvane --help | --version
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; takes only --json</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; takes no arguments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs at least one path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another Sorvane is busy; try again in a moment.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DisplayTexts</name>
    <message>
        <source>Your desktop is already clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) waiting on your desktop</source>
        <translation>
            <numerusform>%n item waiting on your desktop</numerusform>
            <numerusform>%n items waiting on your desktop</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n tagged file(s) stay put</source>
        <translation>
            <numerusform>%n tagged file stays put</numerusform>
            <numerusform>%n tagged files stay put</numerusform>
        </translation>
    </message>
    <message>
        <source>Files go to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n item(s)</source>
        <translation>
            <numerusform>%n item</numerusform>
            <numerusform>%n items</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing to move</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) moved</source>
        <translation>
            <numerusform>%n item moved</numerusform>
            <numerusform>%n items moved</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1, %n left in place</source>
        <translation>
            <numerusform>%1, %n left in place</numerusform>
            <numerusform>%1, %n left in place</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1, %n failed</source>
        <translation>
            <numerusform>%1, %n failed</numerusform>
            <numerusform>%1, %n failed</numerusform>
        </translation>
    </message>
    <message>
        <source>Scheduled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manual</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileError</name>
    <message>
        <source>Could not copy %1 into itself.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The copy of %1 was abandoned.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not read %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not list the contents of %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not tag %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not move %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not move %1 to the Trash: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not copy %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not create the folder %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not write the journal %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not start the journal %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not lock the journal %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not remove %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not read the tags of %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not read the properties of %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not keep a copy of %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (at “%2”)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not tag %1: it is a symbolic link, which cannot carry a tag.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not move %1: it is another mounted file system.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not move %1: “%2” inside it is another mounted file system.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1”</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GraphicalSession</name>
    <message>
        <source>no graphical session; the command line works: sorvane --help
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ItemError</name>
    <message>
        <source>it changed after it was copied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>something new was saved into it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It was left where it was: its folder is on a read-only file system, so it could not be removed afterwards.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It was left where it was: its folder may not be changed, so it could not be removed afterwards.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is immutable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is append-only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its contents may not be changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 changed while it was being copied, so it was left where it was.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The name “%1” is taken in “%2” and too long to be numbered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is still being changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was left where it was: the journal could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: moved, but %2 could not be removed from the Desktop: %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It was left where it was: it could not be removed afterwards (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It was left where it was: %1 inside it could not be removed afterwards (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: put back, but %2 could not be removed from the archive: %3.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LoginItem</name>
    <message>
        <source>Could not turn off opening at login: %1 (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not update opening at login: %1 (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not turn on opening at login: %1 (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the program&apos;s path is not valid UTF-8</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecoveryError</name>
    <message>
        <source>%1: its copy in the archive is no longer there, so what is left of it stayed on the Desktop.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: “%2” was left alone after the interruption: it lies outside the Desktop and the archive of the clean.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReleaseFeed</name>
    <message>
        <source>The update information could not be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update information lists a version Sorvane cannot read: “%1”.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SystemError</name>
    <message>
        <source>No such file or directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File exists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Directory not empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid cross-device link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Too many open files in system</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resource temporarily unavailable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text file busy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File too large</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot allocate memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Too many links</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operation not supported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No data available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stale file handle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No such device or address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No such device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection timed out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operation canceled</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UndoError</name>
    <message>
        <source>%1: not put back because Sorvane was stopped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: its archive folder “%2” is not available.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: no longer in the archive</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UpdateDialogPresenter</name>
    <message>
        <source>Software Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You&apos;re up to date.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorvane %1 is the newest version.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorvane %1 is available.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have version %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Release Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorvane could not check for updates.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sorvane::AppSettings</name>
    <message>
        <source>Every day at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every %1 at %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sorvane::AppState</name>
    <message>
        <source>Cleaning…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clean failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Desktop cleaned</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Putting files back…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose where cleaned files go</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use This Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped: Sorvane could not write its journal (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was moved: Sorvane could not write its journal (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, but the history could not be saved (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) moved to %1.</source>
        <translation>
            <numerusform>%n item moved to %1.</numerusform>
            <numerusform>%n items moved to %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing was put back: the history could not be saved (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Put %n item(s) back on the desktop</source>
        <translation>
            <numerusform>Put %n item back on the desktop</numerusform>
            <numerusform>Put %n items back on the desktop</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Put %n item(s) back, %1 could not be restored</source>
        <translation>
            <numerusform>Put %n item back, %1 could not be restored</numerusform>
            <numerusform>Put %n items back, %1 could not be restored</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing could be put back, %1 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Archive folder set to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is created on the first clean.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sorvane::CommandRunner</name>
    <message>
        <source>Nothing to undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sorvane: unknown command &apos;%1&apos;
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another Sorvane is busy; try again in a moment.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A path arrived garbled; nothing was changed for it.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sorvane::GeneralSettings</name>
    <message>
        <source>Change…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reveal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Archive folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Everything Sorvane moves ends up here. Nothing is ever deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>By month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>By day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When the file was created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When the file was last changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When the desktop was cleaned</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort by</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Example</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move everything</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the last day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the last 3 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the last week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave recent files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move folders too</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Include hidden files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep tagged files on the desktop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give a file any tag and Sorvane will walk past it. Tag it in your file manager, or run sorvane pin on it, to keep it on the desktop; remove the tag when you are done with it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sorvane::HistoryRow</name>
    <message>
        <source>Undone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sorvane::HistoryView</name>
    <message>
        <source>No cleans yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Once you clean your desktop, every move shows up here so you can find a file or put it back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo Last Clean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear History</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sorvane::MenuBarView</name>
    <message>
        <source>Sorvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clean automatically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo last clean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave a Tip…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit Sorvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Working…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clean Now</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sorvane::PanelPopup</name>
    <message>
        <source>Sorvane</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sorvane::PanelWindow</name>
    <message>
        <source>Sorvane</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sorvane::ScheduleSettings</name>
    <message>
        <source>Clean automatically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How often</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open at login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notify me after an automatic clean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorvane has to be running for automatic cleaning to happen. Opening at login keeps it in your system tray.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sorvane::Scheduler</name>
    <message>
        <source>Automatic cleaning is off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Due now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next clean %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sorvane::SettingsWindow</name>
    <message>
        <source>Sorvane Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>History</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sorvane::TrayIcon</name>
    <message>
        <source>Sorvane</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sorvane::TrayMenu</name>
    <message>
        <source>Open Sorvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clean Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo last clean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clean automatically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave a Tip…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit Sorvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Working…</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Undo last clean (%n item(s))</source>
        <translation>
            <numerusform>Undo last clean (%n item)</numerusform>
            <numerusform>Undo last clean (%n items)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>sorvane::UpdateSettings</name>
    <message>
        <source>Installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for updates automatically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorvane checks %1 for new versions. It downloads nothing without asking, and it sends no information about you.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sorvane::Updater</name>
    <message>
        <source>The update server took too long to answer. Try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update address “%1” is not a secure (https) address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update information was larger than expected, so Sorvane did not read it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update server sent Sorvane to an address it does not trust.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update server answered with an error (HTTP %1). Try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorvane could not reach the update server. Check your internet connection and try again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>sorvane::UpdaterViewModel</name>
    <message>
        <source>Never checked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last checked %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
