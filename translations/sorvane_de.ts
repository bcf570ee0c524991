<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CleanError</name>
    <message>
        <source>Could not find your Desktop folder.</source>
        <translation>Ihr Schreibtischordner wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Could not read your Desktop folder.</source>
        <translation>Ihr Schreibtischordner konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Your Desktop folder is inside the archive folder; choose another archive folder.</source>
        <translation>Ihr Schreibtischordner liegt im Archivordner; wählen Sie einen anderen Archivordner.</translation>
    </message>
    <message>
        <source>Stopped after 25 failures in a row.</source>
        <translation>Nach 25 Fehlern in Folge abgebrochen.</translation>
    </message>
    <message>
        <source>The archive folder at %1 is not there. Reconnect its drive, or choose another archive folder.</source>
        <translation>Der Archivordner unter %1 ist nicht vorhanden. Schließen Sie sein Laufwerk wieder an oder wählen Sie einen anderen Archivordner.</translation>
    </message>
    <message>
        <source>Could not create or open the archive folder at %1.</source>
        <translation>Der Archivordner unter %1 konnte nicht angelegt oder geöffnet werden.</translation>
    </message>
    <message>
        <source>The copy of %1 did not match the original, so it was left on the desktop.</source>
        <translation>Die Kopie von %1 stimmte nicht mit dem Original überein; es blieb daher auf dem Schreibtisch.</translation>
    </message>
    <message>
        <source>The archive folder “%1” is not a full path; choose the archive folder again.</source>
        <translation>Der Archivordner „%1“ ist kein vollständiger Pfad; wählen Sie den Archivordner erneut.</translation>
    </message>
    <message>
        <source>Stopped: Sorvane was quit before the clean finished.</source>
        <translation>Abgebrochen: Sorvane wurde beendet, bevor das Aufräumen fertig war.</translation>
    </message>
    <message>
        <source>The archive folder “%1” is no longer available.</source>
        <translation>Der Archivordner „%1“ ist nicht mehr verfügbar.</translation>
    </message>
    <message>
        <source>Stopped: %1 is no longer available.</source>
        <translation>Abgebrochen: %1 ist nicht mehr verfügbar.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>A clean was interrupted; it is recorded at the next clean, undo or history.
</source>
        <translation>Ein Aufräumen wurde unterbrochen; es wird beim nächsten Aufräumen, Rückgängigmachen oder Aufruf des Verlaufs eingetragen.
</translation>
    </message>
    <message>
        <source> (Undone)</source>
        <translation> (Rückgängig gemacht)</translation>
    </message>
    <message>
        <source>sorvane: %1; see &apos;sorvane --help&apos;
</source>
        <translation>sorvane: %1; siehe »sorvane --help«
</translation>
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
        <translation>Aufruf: sorvane [--background] [Optionen von Qt: -platform, -style, …]
        sorvane preview [--json]
        sorvane clean
        sorvane undo
        sorvane history [--json]
        sorvane status [--json]
        sorvane pin PFAD…
        sorvane unpin PFAD…
        sorvane --help | --version
</translation>
    </message>
    <message>
        <source>&apos;%1&apos; takes only --json</source>
        <translation>»%1« nimmt nur --json an</translation>
    </message>
    <message>
        <source>&apos;%1&apos; takes no arguments</source>
        <translation>»%1« nimmt keine Argumente an</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs at least one path</source>
        <translation>»%1« braucht mindestens einen Pfad</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;</source>
        <translation>unbekannter Befehl »%1«</translation>
    </message>
    <message>
        <source>Another Sorvane is busy; try again in a moment.
</source>
        <translation>Ein anderes Sorvane ist beschäftigt; versuchen Sie es gleich noch einmal.
</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>DisplayTexts</name>
    <message>
        <source>Your desktop is already clear</source>
        <translation>Ihr Schreibtisch ist schon aufgeräumt</translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) waiting on your desktop</source>
        <translation>
            <numerusform>%n Objekt wartet auf Ihrem Schreibtisch</numerusform>
            <numerusform>%n Objekte warten auf Ihrem Schreibtisch</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n tagged file(s) stay put</source>
        <translation>
            <numerusform>%n Datei mit Schlagwort bleibt liegen</numerusform>
            <numerusform>%n Dateien mit Schlagwort bleiben liegen</numerusform>
        </translation>
    </message>
    <message>
        <source>Files go to %1</source>
        <translation>Dateien kommen nach %1</translation>
    </message>
    <message numerus="yes">
        <source>%n item(s)</source>
        <translation>
            <numerusform>%n Objekt</numerusform>
            <numerusform>%n Objekte</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing to move</source>
        <translation>Nichts zu verschieben</translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) moved</source>
        <translation>
            <numerusform>%n Objekt verschoben</numerusform>
            <numerusform>%n Objekte verschoben</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1, %n left in place</source>
        <translation>
            <numerusform>%1, %n liegen gelassen</numerusform>
            <numerusform>%1, %n liegen gelassen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1, %n failed</source>
        <translation>
            <numerusform>%1, %n fehlgeschlagen</numerusform>
            <numerusform>%1, %n fehlgeschlagen</numerusform>
        </translation>
    </message>
    <message>
        <source>Scheduled</source>
        <translation>Geplant</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Von Hand</translation>
    </message>
</context>
<context>
    <name>FileError</name>
    <message>
        <source>Could not copy %1 into itself.</source>
        <translation>%1 kann nicht in sich selbst kopiert werden.</translation>
    </message>
    <message>
        <source>The copy of %1 was abandoned.</source>
        <translation>Das Kopieren von %1 wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Could not read %1: %2.</source>
        <translation>%1 konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>Could not list the contents of %1: %2.</source>
        <translation>Der Inhalt von %1 konnte nicht aufgelistet werden: %2.</translation>
    </message>
    <message>
        <source>Could not tag %1: %2.</source>
        <translation>%1 konnte kein Schlagwort erhalten: %2.</translation>
    </message>
    <message>
        <source>Could not move %1: %2.</source>
        <translation>%1 konnte nicht verschoben werden: %2.</translation>
    </message>
    <message>
        <source>Could not move %1 to the Trash: %2.</source>
        <translation>%1 konnte nicht in den Papierkorb verschoben werden: %2.</translation>
    </message>
    <message>
        <source>Could not copy %1: %2.</source>
        <translation>%1 konnte nicht kopiert werden: %2.</translation>
    </message>
    <message>
        <source>Could not create the folder %1: %2.</source>
        <translation>Der Ordner %1 konnte nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <source>Could not write the journal %1: %2.</source>
        <translation>Das Journal %1 konnte nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>Could not start the journal %1: %2.</source>
        <translation>Das Journal %1 konnte nicht begonnen werden: %2.</translation>
    </message>
    <message>
        <source>Could not lock the journal %1: %2.</source>
        <translation>Das Journal %1 konnte nicht gesperrt werden: %2.</translation>
    </message>
    <message>
        <source>Could not save %1: %2.</source>
        <translation>%1 konnte nicht gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>Could not remove %1: %2.</source>
        <translation>%1 konnte nicht entfernt werden: %2.</translation>
    </message>
    <message>
        <source>Could not read the tags of %1: %2.</source>
        <translation>Die Schlagwörter von %1 konnten nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>Could not read the properties of %1: %2.</source>
        <translation>Die Eigenschaften von %1 konnten nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>Could not keep a copy of %1: %2.</source>
        <translation>Von %1 konnte keine Kopie aufbewahrt werden: %2.</translation>
    </message>
    <message>
        <source>%1 (at “%2”)</source>
        <translation>%1 (bei „%2“)</translation>
    </message>
    <message>
        <source>Could not tag %1: it is a symbolic link, which cannot carry a tag.</source>
        <translation>%1 konnte kein Schlagwort erhalten: Es ist eine symbolische Verknüpfung, die keine Schlagwörter tragen kann.</translation>
    </message>
    <message>
        <source>Could not move %1: it is another mounted file system.</source>
        <translation>%1 konnte nicht verschoben werden: Es ist ein anderes eingehängtes Dateisystem.</translation>
    </message>
    <message>
        <source>Could not move %1: “%2” inside it is another mounted file system.</source>
        <translation>%1 konnte nicht verschoben werden: „%2“ darin ist ein anderes eingehängtes Dateisystem.</translation>
    </message>
    <message>
        <source>“%1”</source>
        <translation>„%1“</translation>
    </message>
</context>
<context>
    <name>GraphicalSession</name>
    <message>
        <source>no graphical session; the command line works: sorvane --help
</source>
        <translation>keine grafische Sitzung; die Befehlszeile funktioniert: sorvane --help
</translation>
    </message>
</context>
<context>
    <name>ItemError</name>
    <message>
        <source>it changed after it was copied</source>
        <translation>es hat sich nach dem Kopieren geändert</translation>
    </message>
    <message>
        <source>something new was saved into it</source>
        <translation>es wurde etwas Neues darin gespeichert</translation>
    </message>
    <message>
        <source>It was left where it was: its folder is on a read-only file system, so it could not be removed afterwards.</source>
        <translation>Es blieb, wo es war: Sein Ordner liegt auf einem schreibgeschützten Dateisystem, es hätte danach also nicht entfernt werden können.</translation>
    </message>
    <message>
        <source>It was left where it was: its folder may not be changed, so it could not be removed afterwards.</source>
        <translation>Es blieb, wo es war: Sein Ordner darf nicht geändert werden, es hätte danach also nicht entfernt werden können.</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>es gehört einem anderen Benutzer</translation>
    </message>
    <message>
        <source>it is immutable</source>
        <translation>es ist unveränderlich</translation>
    </message>
    <message>
        <source>it is append-only</source>
        <translation>es darf nur ergänzt werden</translation>
    </message>
    <message>
        <source>its contents may not be changed</source>
        <translation>sein Inhalt darf nicht geändert werden</translation>
    </message>
    <message>
        <source>%1 changed while it was being copied, so it was left where it was.</source>
        <translation>%1 hat sich während des Kopierens geändert und blieb daher, wo es war.</translation>
    </message>
    <message>
        <source>The name “%1” is taken in “%2” and too long to be numbered.</source>
        <translation>Der Name „%1“ ist in „%2“ schon vergeben und zu lang, um ihn zu nummerieren.</translation>
    </message>
    <message>
        <source>%1 is still being changed.</source>
        <translation>%1 wird noch geändert.</translation>
    </message>
    <message>
        <source>%1 was left where it was: the journal could not be written.</source>
        <translation>%1 blieb, wo es war: Das Journal konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>%1: moved, but %2 could not be removed from the Desktop: %3.</source>
        <translation>%1: verschoben, aber %2 konnte nicht vom Schreibtisch entfernt werden: %3.</translation>
    </message>
    <message>
        <source>It was left where it was: it could not be removed afterwards (%1).</source>
        <translation>Es blieb, wo es war: Es hätte danach nicht entfernt werden können (%1).</translation>
    </message>
    <message>
        <source>It was left where it was: %1 inside it could not be removed afterwards (%2).</source>
        <translation>Es blieb, wo es war: %1 darin hätte danach nicht entfernt werden können (%2).</translation>
    </message>
    <message>
        <source>%1: put back, but %2 could not be removed from the archive: %3.</source>
        <translation>%1: zurückgelegt, aber %2 konnte nicht aus dem Archiv entfernt werden: %3.</translation>
    </message>
</context>
<context>
    <name>LoginItem</name>
    <message>
        <source>Could not turn off opening at login: %1 (%2).</source>
        <translation>Das Öffnen bei der Anmeldung konnte nicht ausgeschaltet werden: %1 (%2).</translation>
    </message>
    <message>
        <source>Could not update opening at login: %1 (%2).</source>
        <translation>Das Öffnen bei der Anmeldung konnte nicht aktualisiert werden: %1 (%2).</translation>
    </message>
    <message>
        <source>Could not turn on opening at login: %1 (%2).</source>
        <translation>Das Öffnen bei der Anmeldung konnte nicht eingeschaltet werden: %1 (%2).</translation>
    </message>
    <message>
        <source>the program&apos;s path is not valid UTF-8</source>
        <translation>der Pfad des Programms ist kein gültiges UTF-8</translation>
    </message>
</context>
<context>
    <name>RecoveryError</name>
    <message>
        <source>%1: its copy in the archive is no longer there, so what is left of it stayed on the Desktop.</source>
        <translation>%1: Seine Kopie im Archiv ist nicht mehr da; was davon übrig ist, blieb daher auf dem Schreibtisch.</translation>
    </message>
    <message>
        <source>%1: “%2” was left alone after the interruption: it lies outside the Desktop and the archive of the clean.</source>
        <translation>%1: „%2“ blieb nach der Unterbrechung unberührt: Es liegt außerhalb des Schreibtischs und des Archivs dieses Aufräumens.</translation>
    </message>
</context>
<context>
    <name>ReleaseFeed</name>
    <message>
        <source>The update information could not be read.</source>
        <translation>Die Update-Informationen konnten nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The update information lists a version Sorvane cannot read: “%1”.</source>
        <translation>Die Update-Informationen nennen eine Version, die Sorvane nicht lesen kann: „%1“.</translation>
    </message>
</context>
<context>
    <name>SystemError</name>
    <message>
        <source>No such file or directory</source>
        <translation>Datei oder Ordner nicht vorhanden</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <translation>Vorgang nicht erlaubt</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>Kein Platz mehr auf dem Gerät</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <translation>Schreibgeschütztes Dateisystem</translation>
    </message>
    <message>
        <source>File exists</source>
        <translation>Datei existiert bereits</translation>
    </message>
    <message>
        <source>Directory not empty</source>
        <translation>Ordner ist nicht leer</translation>
    </message>
    <message>
        <source>Invalid cross-device link</source>
        <translation>Verknüpfung über Gerätegrenzen hinweg nicht möglich</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation>Ein-/Ausgabefehler</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <translation>Gerät oder Ressource belegt</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>Dateiname zu lang</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <translation>Speicherkontingent überschritten</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <translation>Zu viele Ebenen symbolischer Verknüpfungen</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <translation>Kein Ordner</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>Ist ein Ordner</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation>Zu viele offene Dateien</translation>
    </message>
    <message>
        <source>Too many open files in system</source>
        <translation>Zu viele offene Dateien im System</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <translation>Ungültiges Argument</translation>
    </message>
    <message>
        <source>Resource temporarily unavailable</source>
        <translation>Ressource vorübergehend nicht verfügbar</translation>
    </message>
    <message>
        <source>Text file busy</source>
        <translation>Programmdatei wird gerade ausgeführt</translation>
    </message>
    <message>
        <source>File too large</source>
        <translation>Datei zu groß</translation>
    </message>
    <message>
        <source>Cannot allocate memory</source>
        <translation>Nicht genug Arbeitsspeicher</translation>
    </message>
    <message>
        <source>Too many links</source>
        <translation>Zu viele Verknüpfungen</translation>
    </message>
    <message>
        <source>Operation not supported</source>
        <translation>Vorgang nicht unterstützt</translation>
    </message>
    <message>
        <source>No data available</source>
        <translation>Keine Daten verfügbar</translation>
    </message>
    <message>
        <source>Stale file handle</source>
        <translation>Veraltetes Dateihandle</translation>
    </message>
    <message>
        <source>No such device or address</source>
        <translation>Gerät oder Adresse nicht vorhanden</translation>
    </message>
    <message>
        <source>No such device</source>
        <translation>Gerät nicht vorhanden</translation>
    </message>
    <message>
        <source>Connection timed out</source>
        <translation>Zeitüberschreitung der Verbindung</translation>
    </message>
    <message>
        <source>Operation canceled</source>
        <translation>Vorgang abgebrochen</translation>
    </message>
</context>
<context>
    <name>UndoError</name>
    <message>
        <source>%1: not put back because Sorvane was stopped.</source>
        <translation>%1: nicht zurückgelegt, weil Sorvane beendet wurde.</translation>
    </message>
    <message>
        <source>%1: its archive folder “%2” is not available.</source>
        <translation>%1: Sein Archivordner „%2“ ist nicht verfügbar.</translation>
    </message>
    <message>
        <source>%1: no longer in the archive</source>
        <translation>%1: nicht mehr im Archiv</translation>
    </message>
</context>
<context>
    <name>UpdateDialogPresenter</name>
    <message>
        <source>Software Update</source>
        <translation>Softwareaktualisierung</translation>
    </message>
    <message>
        <source>You&apos;re up to date.</source>
        <translation>Sorvane ist auf dem neuesten Stand.</translation>
    </message>
    <message>
        <source>Sorvane %1 is the newest version.</source>
        <translation>Sorvane %1 ist die neueste Version.</translation>
    </message>
    <message>
        <source>Sorvane %1 is available.</source>
        <translation>Sorvane %1 ist verfügbar.</translation>
    </message>
    <message>
        <source>You have version %1.</source>
        <translation>Sie haben Version %1.</translation>
    </message>
    <message>
        <source>Open Release Page</source>
        <translation>Versionsseite öffnen</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
    <message>
        <source>Sorvane could not check for updates.</source>
        <translation>Sorvane konnte nicht nach Updates suchen.</translation>
    </message>
</context>
<context>
    <name>sorvane::AppSettings</name>
    <message>
        <source>Every day at %1</source>
        <translation>Jeden Tag um %1</translation>
    </message>
    <message>
        <source>Every %1 at %2</source>
        <translation>Jeden %1 um %2</translation>
    </message>
</context>
<context>
    <name>sorvane::AppState</name>
    <message>
        <source>Cleaning…</source>
        <translation>Wird aufgeräumt …</translation>
    </message>
    <message>
        <source>Clean failed</source>
        <translation>Aufräumen fehlgeschlagen</translation>
    </message>
    <message>
        <source>Desktop cleaned</source>
        <translation>Schreibtisch aufgeräumt</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Putting files back…</source>
        <translation>Dateien werden zurückgelegt …</translation>
    </message>
    <message>
        <source>Choose where cleaned files go</source>
        <translation>Wählen Sie, wohin aufgeräumte Dateien kommen</translation>
    </message>
    <message>
        <source>Use This Folder</source>
        <translation>Diesen Ordner verwenden</translation>
    </message>
    <message>
        <source>Stopped: Sorvane could not write its journal (%1).</source>
        <translation>Abgebrochen: Sorvane konnte sein Journal nicht schreiben (%1).</translation>
    </message>
    <message>
        <source>Nothing was moved: Sorvane could not write its journal (%1).</source>
        <translation>Nichts wurde verschoben: Sorvane konnte sein Journal nicht schreiben (%1).</translation>
    </message>
    <message>
        <source>%1, but the history could not be saved (%2)</source>
        <translation>%1, aber der Verlauf konnte nicht gespeichert werden (%2)</translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) moved to %1.</source>
        <translation>
            <numerusform>%n Objekt nach %1 verschoben.</numerusform>
            <numerusform>%n Objekte nach %1 verschoben.</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing was put back: the history could not be saved (%1)</source>
        <translation>Nichts wurde zurückgelegt: Der Verlauf konnte nicht gespeichert werden (%1)</translation>
    </message>
    <message numerus="yes">
        <source>Put %n item(s) back on the desktop</source>
        <translation>
            <numerusform>%n Objekt auf den Schreibtisch zurückgelegt</numerusform>
            <numerusform>%n Objekte auf den Schreibtisch zurückgelegt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Put %n item(s) back, %1 could not be restored</source>
        <translation>
            <numerusform>%n Objekt zurückgelegt, %1 nicht wiederherstellbar</numerusform>
            <numerusform>%n Objekte zurückgelegt, %1 nicht wiederherstellbar</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing could be put back, %1 failed</source>
        <translation>Nichts konnte zurückgelegt werden, %1 fehlgeschlagen</translation>
    </message>
    <message>
        <source>Archive folder set to %1</source>
        <translation>Archivordner ist jetzt %1</translation>
    </message>
    <message>
        <source>%1 is created on the first clean.</source>
        <translation>%1 wird beim ersten Aufräumen angelegt.</translation>
    </message>
</context>
<context>
    <name>sorvane::CommandRunner</name>
    <message>
        <source>Nothing to undo</source>
        <translation>Nichts rückgängig zu machen</translation>
    </message>
    <message>
        <source>sorvane: unknown command &apos;%1&apos;
</source>
        <translation>sorvane: unbekannter Befehl »%1«
</translation>
    </message>
    <message>
        <source>Another Sorvane is busy; try again in a moment.
</source>
        <translation>Ein anderes Sorvane ist beschäftigt; versuchen Sie es gleich noch einmal.
</translation>
    </message>
    <message>
        <source>A path arrived garbled; nothing was changed for it.
</source>
        <translation>Ein Pfad kam verstümmelt an; für ihn wurde nichts geändert.
</translation>
    </message>
</context>
<context>
    <name>sorvane::GeneralSettings</name>
    <message>
        <source>Change…</source>
        <translation>Ändern …</translation>
    </message>
    <message>
        <source>Reveal</source>
        <translation>Zeigen</translation>
    </message>
    <message>
        <source>Archive folder</source>
        <translation>Archivordner</translation>
    </message>
    <message>
        <source>Everything Sorvane moves ends up here. Nothing is ever deleted.</source>
        <translation>Alles, was Sorvane verschiebt, landet hier. Nichts wird je gelöscht.</translation>
    </message>
    <message>
        <source>By month</source>
        <translation>Nach Monat</translation>
    </message>
    <message>
        <source>By day</source>
        <translation>Nach Tag</translation>
    </message>
    <message>
        <source>Group files</source>
        <translation>Dateien gruppieren</translation>
    </message>
    <message>
        <source>When the file was created</source>
        <translation>Wann die Datei erstellt wurde</translation>
    </message>
    <message>
        <source>When the file was last changed</source>
        <translation>Wann die Datei zuletzt geändert wurde</translation>
    </message>
    <message>
        <source>When the desktop was cleaned</source>
        <translation>Wann der Schreibtisch aufgeräumt wurde</translation>
    </message>
    <message>
        <source>Sort by</source>
        <translation>Sortieren nach</translation>
    </message>
    <message>
        <source>Example</source>
        <translation>Beispiel</translation>
    </message>
    <message>
        <source>Move everything</source>
        <translation>Alles verschieben</translation>
    </message>
    <message>
        <source>Keep the last day</source>
        <translation>Den letzten Tag behalten</translation>
    </message>
    <message>
        <source>Keep the last 3 days</source>
        <translation>Die letzten 3 Tage behalten</translation>
    </message>
    <message>
        <source>Keep the last week</source>
        <translation>Die letzte Woche behalten</translation>
    </message>
    <message>
        <source>Leave recent files</source>
        <translation>Neue Dateien liegen lassen</translation>
    </message>
    <message>
        <source>Move folders too</source>
        <translation>Auch Ordner verschieben</translation>
    </message>
    <message>
        <source>Include hidden files</source>
        <translation>Versteckte Dateien einbeziehen</translation>
    </message>
    <message>
        <source>Keep tagged files on the desktop</source>
        <translation>Dateien mit Schlagwort auf dem Schreibtisch lassen</translation>
    </message>
    <message>
        <source>Give a file any tag and Sorvane will walk past it. Tag it in your file manager, or run sorvane pin on it, to keep it on the desktop; remove the tag when you are done with it.</source>
        <translation>Geben Sie einer Datei irgendein Schlagwort, und Sorvane lässt sie liegen. Vergeben Sie es in Ihrer Dateiverwaltung oder mit sorvane pin, damit die Datei auf dem Schreibtisch bleibt; entfernen Sie das Schlagwort, wenn Sie mit ihr fertig sind.</translation>
    </message>
</context>
<context>
    <name>sorvane::HistoryRow</name>
    <message>
        <source>Undone</source>
        <translation>Rückgängig gemacht</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Ausblenden</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
</context>
<context>
    <name>sorvane::HistoryView</name>
    <message>
        <source>No cleans yet</source>
        <translation>Noch nichts aufgeräumt</translation>
    </message>
    <message>
        <source>Once you clean your desktop, every move shows up here so you can find a file or put it back.</source>
        <translation>Sobald Sie Ihren Schreibtisch aufräumen, erscheint hier jede Verschiebung, damit Sie eine Datei wiederfinden oder zurücklegen können.</translation>
    </message>
    <message>
        <source>Undo Last Clean</source>
        <translation>Letztes Aufräumen rückgängig</translation>
    </message>
    <message>
        <source>Clear History</source>
        <translation>Verlauf leeren</translation>
    </message>
</context>
<context>
    <name>sorvane::MenuBarView</name>
    <message>
        <source>Sorvane</source>
        <translation>Sorvane</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Clean automatically</source>
        <translation>Automatisch aufräumen</translation>
    </message>
    <message>
        <source>Undo last clean</source>
        <translation>Letztes Aufräumen rückgängig</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Nach Updates suchen …</translation>
    </message>
    <message>
        <source>Leave a Tip…</source>
        <translation>Trinkgeld geben …</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen …</translation>
    </message>
    <message>
        <source>Quit Sorvane</source>
        <translation>Sorvane beenden</translation>
    </message>
    <message>
        <source>Working…</source>
        <translation>In Arbeit …</translation>
    </message>
    <message>
        <source>Clean Now</source>
        <translation>Jetzt aufräumen</translation>
    </message>
</context>
<context>
    <name>sorvane::PanelPopup</name>
    <message>
        <source>Sorvane</source>
        <translation>Sorvane</translation>
    </message>
</context>
<context>
    <name>sorvane::PanelWindow</name>
    <message>
        <source>Sorvane</source>
        <translation>Sorvane</translation>
    </message>
</context>
<context>
    <name>sorvane::ScheduleSettings</name>
    <message>
        <source>Clean automatically</source>
        <translation>Automatisch aufräumen</translation>
    </message>
    <message>
        <source>Every day</source>
        <translation>Jeden Tag</translation>
    </message>
    <message>
        <source>Every week</source>
        <translation>Jede Woche</translation>
    </message>
    <message>
        <source>How often</source>
        <translation>Wie oft</translation>
    </message>
    <message>
        <source>At</source>
        <translation>Um</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Open at login</source>
        <translation>Bei der Anmeldung öffnen</translation>
    </message>
    <message>
        <source>Notify me after an automatic clean</source>
        <translation>Nach automatischem Aufräumen benachrichtigen</translation>
    </message>
    <message>
        <source>Sorvane has to be running for automatic cleaning to happen. Opening at login keeps it in your system tray.</source>
        <translation>Sorvane muss laufen, damit automatisch aufgeräumt wird. Beim Öffnen bei der Anmeldung bleibt es in Ihrer Systemleiste.</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Am</translation>
    </message>
</context>
<context>
    <name>sorvane::Scheduler</name>
    <message>
        <source>Automatic cleaning is off</source>
        <translation>Automatisches Aufräumen ist aus</translation>
    </message>
    <message>
        <source>Due now</source>
        <translation>Jetzt fällig</translation>
    </message>
    <message>
        <source>Next clean %1</source>
        <translation>Nächstes Aufräumen %1</translation>
    </message>
</context>
<context>
    <name>sorvane::SettingsWindow</name>
    <message>
        <source>Sorvane Settings</source>
        <translation>Sorvane-Einstellungen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation>Zeitplan</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Updates</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
</context>
<context>
    <name>sorvane::TrayIcon</name>
    <message>
        <source>Sorvane</source>
        <translation>Sorvane</translation>
    </message>
</context>
<context>
    <name>sorvane::TrayMenu</name>
    <message>
        <source>Open Sorvane</source>
        <translation>Sorvane öffnen</translation>
    </message>
    <message>
        <source>Clean Now</source>
        <translation>Jetzt aufräumen</translation>
    </message>
    <message>
        <source>Undo last clean</source>
        <translation>Letztes Aufräumen rückgängig</translation>
    </message>
    <message>
        <source>Clean automatically</source>
        <translation>Automatisch aufräumen</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Nach Updates suchen …</translation>
    </message>
    <message>
        <source>Leave a Tip…</source>
        <translation>Trinkgeld geben …</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen …</translation>
    </message>
    <message>
        <source>Quit Sorvane</source>
        <translation>Sorvane beenden</translation>
    </message>
    <message>
        <source>Working…</source>
        <translation>In Arbeit …</translation>
    </message>
    <message numerus="yes">
        <source>Undo last clean (%n item(s))</source>
        <translation>
            <numerusform>Letztes Aufräumen rückgängig (%n Objekt)</numerusform>
            <numerusform>Letztes Aufräumen rückgängig (%n Objekte)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>sorvane::UpdateSettings</name>
    <message>
        <source>Installed</source>
        <translation>Installiert</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Updates</translation>
    </message>
    <message>
        <source>Check Now</source>
        <translation>Jetzt suchen</translation>
    </message>
    <message>
        <source>Check for updates automatically</source>
        <translation>Automatisch nach Updates suchen</translation>
    </message>
    <message>
        <source>Sorvane checks %1 for new versions. It downloads nothing without asking, and it sends no information about you.</source>
        <translation>Sorvane sucht auf %1 nach neuen Versionen. Es lädt nichts ohne Nachfrage herunter und sendet keine Informationen über Sie.</translation>
    </message>
</context>
<context>
    <name>sorvane::Updater</name>
    <message>
        <source>The update server took too long to answer. Try again later.</source>
        <translation>Der Update-Server hat zu lange nicht geantwortet. Versuchen Sie es später noch einmal.</translation>
    </message>
    <message>
        <source>The update address “%1” is not a secure (https) address.</source>
        <translation>Die Update-Adresse „%1“ ist keine sichere (https-)Adresse.</translation>
    </message>
    <message>
        <source>The update information was larger than expected, so Sorvane did not read it.</source>
        <translation>Die Update-Informationen waren größer als erwartet; Sorvane hat sie daher nicht gelesen.</translation>
    </message>
    <message>
        <source>The update server sent Sorvane to an address it does not trust.</source>
        <translation>Der Update-Server hat Sorvane an eine Adresse verwiesen, der es nicht vertraut.</translation>
    </message>
    <message>
        <source>The update server answered with an error (HTTP %1). Try again later.</source>
        <translation>Der Update-Server hat mit einem Fehler geantwortet (HTTP %1). Versuchen Sie es später noch einmal.</translation>
    </message>
    <message>
        <source>Sorvane could not reach the update server. Check your internet connection and try again.</source>
        <translation>Sorvane konnte den Update-Server nicht erreichen. Prüfen Sie Ihre Internetverbindung und versuchen Sie es noch einmal.</translation>
    </message>
</context>
<context>
    <name>sorvane::UpdaterViewModel</name>
    <message>
        <source>Never checked</source>
        <translation>Noch nie gesucht</translation>
    </message>
    <message>
        <source>Last checked %1</source>
        <translation>Zuletzt gesucht %1</translation>
    </message>
    <message>
        <source>Version ?</source>
        <translation>Version ?</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
</context>
</TS>
