<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>qxt</name>
    <message>
        <source>Cannot execute %1 repeatedly.</source>
        <translation>%1 kann nicht mehrfach ausgeführt werden.</translation>
    </message>
    <message>
        <source>%1 is already executing.</source>
        <translation>%1 läuft bereits.</translation>
    </message>
    <message>
        <source>Cannot access COM%1.</source>
        <translation>Kein Zugriff auf COM%1.</translation>
    </message>
    <message>
        <source>COM buffer overflow.</source>
        <translation>Überlauf des COM-Puffers.</translation>
    </message>
    <message>
        <source>Serial ports belong to the group dialout. Add the user to it (sudo adduser $USER dialout), then log out and in again.</source>
        <translation>Serielle Anschlüsse gehören der Gruppe dialout. Den Benutzer in sie aufnehmen (sudo adduser $USER dialout), dann ab- und wieder anmelden.</translation>
    </message>
    <message>
        <source>Cannot access COM port</source>
        <translation>Kein Zugriff auf den COM-Anschluss</translation>
    </message>
    <message>
        <source>No answer from transceiver.</source>
        <translation>Keine Antwort vom Funkgerät.</translation>
    </message>
    <message>
        <source>Illegal data.</source>
        <translation>Ungültige Daten.</translation>
    </message>
    <message>
        <source>Data counter error.</source>
        <translation>Fehler im Datenzähler.</translation>
    </message>
    <message>
        <source>Data overflow.</source>
        <translation>Datenüberlauf.</translation>
    </message>
    <message>
        <source>Cannot write cloning data.</source>
        <translation>Die Klondaten können nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Cannot Clone.</source>
        <translation>Klonen nicht möglich.</translation>
    </message>
    <message>
        <source>Check the following:</source>
        <translation>Bitte Folgendes prüfen:</translation>
    </message>
    <message>
        <source>- The COM port settings.</source>
        <translation>- Die Einstellungen des COM-Anschlusses.</translation>
    </message>
    <message>
        <source>- Cloning cable connections.</source>
        <translation>- Die Verbindungen des Klonkabels.</translation>
    </message>
    <message>
        <source>- Transceiver power is ON.</source>
        <translation>- Das Funkgerät ist eingeschaltet.</translation>
    </message>
    <message>
        <source>- Appropriate cloning software for the transceiver is being used.</source>
        <translation>- Die zum Funkgerät passende Klonsoftware wird verwendet.</translation>
    </message>
    <message>
        <source>- The revision number of the transceiver.</source>
        <translation>- Die Revisionsnummer des Funkgeräts.</translation>
    </message>
    <message>
        <source>Communication failed.</source>
        <translation>Die Kommunikation ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Version number does not match</source>
        <translation>Die Versionsnummer passt nicht</translation>
    </message>
    <message>
        <source>for this transceiver.</source>
        <translation>zu diesem Funkgerät.</translation>
    </message>
    <message>
        <source>Connected transceiver is not compatible model.</source>
        <translation>Das angeschlossene Funkgerät ist kein kompatibles Modell.</translation>
    </message>
    <message>
        <source>The options name COM %1, outside COM 1 to COM 10: COM 1 is used.</source>
        <translation>Die Optionen nennen COM %1, außerhalb von COM 1 bis COM 10: COM 1 wird verwendet.</translation>
    </message>
    <message>
        <source>The options set ComAutoRelease=%1, outside 0 to 5 seconds: the port is not released automatically.</source>
        <translation>Die Optionen setzen ComAutoRelease=%1, außerhalb von 0 bis 5 Sekunden: der Anschluss wird nicht automatisch freigegeben.</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Reload(F5)</source>
        <translation>Neu lesen(F5)</translation>
    </message>
    <message>
        <source>Disp para</source>
        <translation>Param. zeigen</translation>
    </message>
    <message>
        <source>The options could not be saved to %1 (a folder that cannot be written, a full disk, or a file too large): the choices of this session are lost.</source>
        <translation>Die Optionen konnten nicht in %1 gespeichert werden (ein nicht beschreibbarer Ordner, ein volles Laufwerk oder eine zu große Datei): die Einstellungen dieser Sitzung gehen verloren.</translation>
    </message>
    <message>
        <source>The radio is still sending its memory: &quot;Connect&quot; waits until it has finished.</source>
        <translation>Das Funkgerät sendet noch seinen Speicher: „Verbinden“ wartet, bis es fertig ist.</translation>
    </message>
    <message>
        <source>Nothing to undo.</source>
        <translation>Nichts rückgängig zu machen.</translation>
    </message>
    <message>
        <source>The radio&apos;s memory as read at Connect is kept as a backup: %1.</source>
        <translation>Der Speicher des Funkgeräts, wie er beim Verbinden gelesen wurde, ist als Sicherung aufbewahrt: %1.</translation>
    </message>
    <message>
        <source>The radio&apos;s memory as read at Connect is kept in the service record (no backup file could be written).</source>
        <translation>Der Speicher des Funkgeräts, wie er beim Verbinden gelesen wurde, ist im Servicenachweis aufbewahrt (es konnte keine Sicherungsdatei geschrieben werden).</translation>
    </message>
    <message>
        <source>Caution: every byte of this file is %1: it holds no radio&apos;s memory, and a radio restored from it will not work.</source>
        <translation>Achtung: jedes Byte dieser Datei ist %1: sie enthält keinen Speicher eines Funkgeräts, und ein daraus zurückgeschriebenes Funkgerät wird nicht arbeiten.</translation>
    </message>
    <message>
        <source>Restore the radio from %1.</source>
        <translation>Das Funkgerät aus %1 zurückschreiben.</translation>
    </message>
    <message>
        <source>The whole memory of the radio is written from this file, memory channels included: %1 of its bytes differ from the radio&apos;s memory, %2 of the %3 parameter lines below (marked *).</source>
        <translation>Der gesamte Speicher des Funkgeräts wird aus dieser Datei geschrieben, Speicherkanäle eingeschlossen: %1 ihrer Bytes weichen vom Speicher des Funkgeräts ab, %2 der %3 Parameterzeilen unten (mit * markiert).</translation>
    </message>
    <message>
        <source>No backup of the radio&apos;s memory was kept: %1. The service record holds the image as read, if it is on.</source>
        <translation>Vom Speicher des Funkgeräts wurde keine Sicherung angelegt: %1. Der Servicenachweis enthält das gelesene Abbild, sofern er an ist.</translation>
    </message>
    <message>
        <source>The file holds %1 bytes; an image of this radio holds exactly %2. Nothing was written.</source>
        <translation>Die Datei enthält %1 Bytes; ein Abbild dieses Funkgeräts enthält genau %2. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>The restore was cancelled after %1 of %2 bytes: the radio&apos;s memory is partly written. Restore the image again before the radio is used.</source>
        <translation>Das Zurückschreiben wurde nach %1 von %2 Bytes abgebrochen: der Speicher des Funkgeräts ist teilweise geschrieben. Das Abbild erneut zurückschreiben, bevor das Funkgerät benutzt wird.</translation>
    </message>
    <message>
        <source>%1: radio %2, file %3</source>
        <translation>%1: Funkgerät %2, Datei %3</translation>
    </message>
    <message>
        <source>The image was restored and verified: the radio holds every byte of it.</source>
        <translation>Das Abbild wurde zurückgeschrieben und geprüft: das Funkgerät enthält jedes seiner Bytes.</translation>
    </message>
    <message>
        <source>The image was written, but the radio differs from it in %1 bytes:</source>
        <translation>Das Abbild wurde geschrieben, aber das Funkgerät weicht in %1 Bytes davon ab:</translation>
    </message>
    <message>
        <source>The restore stopped with the link: the radio&apos;s memory is partly written. Restore the image again before the radio is used.</source>
        <translation>Das Zurückschreiben endete mit der Verbindung: der Speicher des Funkgeräts ist teilweise geschrieben. Das Abbild erneut zurückschreiben, bevor das Funkgerät benutzt wird.</translation>
    </message>
    <message>
        <source>The image was written, but the check read failed: whether the radio holds it is not known. Connect again to see.</source>
        <translation>Das Abbild wurde geschrieben, aber das prüfende Lesen schlug fehl: ob das Funkgerät es enthält, ist nicht bekannt. Zum Nachsehen erneut verbinden.</translation>
    </message>
    <message>
        <source>The service record does not know this image: no radio was read to hold it here. Make sure it is an image of this radio.</source>
        <translation>Der Servicenachweis kennt dieses Abbild nicht: hier wurde kein Funkgerät gelesen, das es enthielt. Sicherstellen, dass es ein Abbild dieses Funkgeräts ist.</translation>
    </message>
    <message>
        <source>The service record knows this image: it was read from this radio on %1.</source>
        <translation>Der Servicenachweis kennt dieses Abbild: es wurde am %1 aus diesem Funkgerät gelesen.</translation>
    </message>
    <message>
        <source>A restore needs a connected radio and no procedure running.</source>
        <translation>Das Zurückschreiben braucht ein verbundenes Funkgerät und keinen laufenden Ablauf.</translation>
    </message>
    <message>
        <source>No copy of the radio&apos;s memory as read at Connect exists: the backup could not be written and the service record is off. Nothing was written; free the data folder (%1) and connect again.</source>
        <translation>Es gibt keine Kopie des Speichers des Funkgeräts, wie er beim Verbinden gelesen wurde: die Sicherung konnte nicht geschrieben werden, und der Servicenachweis ist aus. Es wurde nichts geschrieben; Platz im Datenordner (%1) schaffen und erneut verbinden.</translation>
    </message>
    <message>
        <source>Not put back into the radio, %1: %2. Check these values.</source>
        <translation>Nicht wieder in das Funkgerät übertragen, %1: %2. Diese Werte prüfen.</translation>
    </message>
    <message>
        <source>the program having ended before they could be sent</source>
        <translation>da das Programm endete, bevor sie gesendet werden konnten</translation>
    </message>
    <message>
        <source>%1 needs a connected radio.</source>
        <translation>„%1“ braucht ein verbundenes Funkgerät.</translation>
    </message>
    <message>
        <source>%1 is not possible while a procedure runs.</source>
        <translation>„%1“ ist nicht möglich, während ein Ablauf läuft.</translation>
    </message>
    <message>
        <source>Revert</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>the link having failed</source>
        <translation>da die Verbindung ausfiel</translation>
    </message>
    <message>
        <source>%1. Nothing was written.</source>
        <translation>%1. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>%1: cannot be read (%2)</source>
        <translation>%1: kann nicht gelesen werden (%2)</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a pipe</source>
        <translation>eine Pipe</translation>
    </message>
    <message>
        <source>a device or other special file</source>
        <translation>ein Gerät oder eine andere besondere Datei</translation>
    </message>
    <message>
        <source>%1: not a regular file (%2); an image is a file of exactly %3 bytes</source>
        <translation>%1: keine gewöhnliche Datei (%2); ein Abbild ist eine Datei von genau %3 Bytes</translation>
    </message>
    <message>
        <source>%1: not an image of this radio (an image holds exactly %2 bytes)</source>
        <translation>%1: kein Abbild dieses Funkgeräts (ein Abbild enthält genau %2 Bytes)</translation>
    </message>
    <message>
        <source>never came to its end</source>
        <translation>kam nie zu seinem Ende</translation>
    </message>
    <message>
        <source>did not end verified (%1, %2 bytes written)</source>
        <translation>endete nicht geprüft (%1, %2 Bytes geschrieben)</translation>
    </message>
    <message>
        <source>The last restore of this radio (%1, from %2) %3: its memory may be partly written. Restore a good image again (File &gt; Restore image..., or qxt7130-adj --restore FILE) before the radio is used; the backups are in %4.</source>
        <translation>Das letzte Zurückschreiben in dieses Funkgerät (%1, aus %2) %3: sein Speicher kann teilweise geschrieben sein. Ein gutes Abbild erneut zurückschreiben (Datei &gt; Abbild zurückschreiben... oder qxt7130-adj --restore DATEI), bevor das Funkgerät benutzt wird; die Sicherungen liegen in %4.</translation>
    </message>
    <message>
        <source>holds %1 bytes, more than any options file (1 MiB)</source>
        <translation>enthält %1 Bytes, mehr als jede Optionsdatei (1 MiB)</translation>
    </message>
    <message>
        <source>is not an options file (binary data, or lines that are neither [SECTION] nor KEY=VALUE)</source>
        <translation>ist keine Optionsdatei (Binärdaten oder Zeilen, die weder [ABSCHNITT] noch SCHLÜSSEL=WERT sind)</translation>
    </message>
    <message>
        <source>The options file %1 %2, and cannot be moved aside (%3): the defaults apply.</source>
        <translation>Die Optionsdatei %1 %2 und kann nicht beiseitegelegt werden (%3): es gelten die Voreinstellungen.</translation>
    </message>
    <message>
        <source>The options file %1 %2: it was moved to %3 and the defaults apply.</source>
        <translation>Die Optionsdatei %1 %2: sie wurde nach %3 verschoben, und es gelten die Voreinstellungen.</translation>
    </message>
</context>
<context>
    <name>qxt::app::BenchDialog</name>
    <message>
        <source>Bench generator</source>
        <translation>Signalgenerator am Arbeitsplatz</translation>
    </message>
    <message>
        <source>TCPIP0::host::5025::SOCKET or TCPIP0::host::inst0::INSTR; empty: none</source>
        <translation>TCPIP0::host::5025::SOCKET oder TCPIP0::host::inst0::INSTR; leer: keiner</translation>
    </message>
    <message>
        <source>&amp;Generator:</source>
        <translation>&amp;Generator:</translation>
    </message>
    <message>
        <source>&amp;BPF sweep level (dBm at the antenna):</source>
        <translation>Pegel für den &amp;BPF-Durchlauf (dBm an der Antenne):</translation>
    </message>
    <message>
        <source>RSSI S&amp;3 level (dBm):</source>
        <translation>Pegel für RSSI S&amp;3 (dBm):</translation>
    </message>
    <message>
        <source>RSSI S&amp;1 level (dBm):</source>
        <translation>Pegel für RSSI S&amp;1 (dBm):</translation>
    </message>
    <message>
        <source>&amp;Cable loss (dB):</source>
        <translation>&amp;Kabeldämpfung (dB):</translation>
    </message>
    <message>
        <source>&amp;Maximum level sent (dBm):</source>
        <translation>&amp;Höchster gesendeter Pegel (dBm):</translation>
    </message>
    <message>
        <source>S&amp;ettle time:</source>
        <translation>&amp;Einschwingzeit:</translation>
    </message>
    <message>
        <source>Set&amp;up commands (&quot;;&quot; between):</source>
        <translation>Ein&amp;richtungsbefehle (&quot;;&quot; dazwischen):</translation>
    </message>
    <message>
        <source>Align all se&amp;quence:</source>
        <translation>&amp;Folge für Alles abgleichen:</translation>
    </message>
    <message>
        <source>&amp;Test connection</source>
        <translation>Verbindung &amp;testen</translation>
    </message>
    <message>
        <source>Asking %1...</source>
        <translation>Frage %1 an...</translation>
    </message>
</context>
<context>
    <name>qxt::app::FileActions</name>
    <message>
        <source>Technician</source>
        <translation>Techniker</translation>
    </message>
    <message>
        <source>The technician named in the service record and its reports (one line, at most %1 characters):</source>
        <translation>Der im Servicenachweis und seinen Berichten genannte Techniker (eine Zeile, höchstens %1 Zeichen):</translation>
    </message>
    <message>
        <source>Restore image</source>
        <translation>Abbild zurückschreiben</translation>
    </message>
    <message>
        <source>Radio images (*.bin);;All files (*)</source>
        <translation>Abbilder von Funkgeräten (*.bin);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Restore image: connect to the radio first.</source>
        <translation>Abbild zurückschreiben: zuerst mit dem Funkgerät verbinden.</translation>
    </message>
    <message>
        <source>Open image</source>
        <translation>Abbild öffnen</translation>
    </message>
    <message>
        <source>Compare with the radio: connect to the radio first.</source>
        <translation>Mit dem Funkgerät vergleichen: zuerst mit dem Funkgerät verbinden.</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Funkgerät</translation>
    </message>
    <message>
        <source>Compare with a file</source>
        <translation>Mit einer Datei vergleichen</translation>
    </message>
    <message>
        <source>Save report: the service record holds no session yet.</source>
        <translation>Bericht speichern: der Servicenachweis enthält noch keine Sitzung.</translation>
    </message>
    <message>
        <source>Save the report of session %1</source>
        <translation>Den Bericht der Sitzung %1 speichern</translation>
    </message>
    <message>
        <source>PDF documents (*.pdf);;HTML documents (*.html)</source>
        <translation>PDF-Dokumente (*.pdf);;HTML-Dokumente (*.html)</translation>
    </message>
    <message>
        <source>The report of session %1 was saved as %2.</source>
        <translation>Der Bericht der Sitzung %1 wurde als %2 gespeichert.</translation>
    </message>
    <message>
        <source>The report was not saved: %1</source>
        <translation>Der Bericht wurde nicht gespeichert: %1</translation>
    </message>
    <message>
        <source>Technician: a name has at most %1 characters; this one has %2 and was not saved.</source>
        <translation>Techniker: ein Name hat höchstens %1 Zeichen; dieser hat %2 und wurde nicht gespeichert.</translation>
    </message>
    <message>
        <source>The service record cannot be read (%1).</source>
        <translation>Der Servicenachweis kann nicht gelesen werden (%1).</translation>
    </message>
    <message>
        <source>Service record</source>
        <translation>Servicenachweis</translation>
    </message>
</context>
<context>
    <name>qxt::app::FormControls</name>
    <message>
        <source>Port status</source>
        <translation>Zustand des Anschlusses</translation>
    </message>
    <message>
        <source>Console</source>
        <translation>Konsole</translation>
    </message>
    <message>
        <source>A/D readouts</source>
        <translation>A/D-Messwerte</translation>
    </message>
    <message>
        <source>D/A readouts</source>
        <translation>D/A-Messwerte</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Bericht</translation>
    </message>
</context>
<context>
    <name>qxt::app::HelpActions</name>
    <message>
        <source>QX-T7130 ADJ manual</source>
        <translation>Handbuch zu QX-T7130 ADJ</translation>
    </message>
    <message>
        <source>The manual is not installed: it should be %1, installed with the program.</source>
        <translation>Das Handbuch ist nicht installiert: es sollte %1 sein, mit dem Programm installiert.</translation>
    </message>
    <message>
        <source>Up, Down, Page Up/Down, Home, End</source>
        <translation>Auf, Ab, Bild auf/ab, Pos1, Ende</translation>
    </message>
    <message>
        <source>choose a console item</source>
        <translation>einen Eintrag der Konsole wählen</translation>
    </message>
    <message>
        <source>Right / Left</source>
        <translation>Rechts / Links</translation>
    </message>
    <message>
        <source>step the value by 1 (the new value is sent to the radio at once)</source>
        <translation>den Wert um 1 verstellen (der neue Wert geht sofort an das Funkgerät)</translation>
    </message>
    <message>
        <source>Shift+Right / Shift+Left</source>
        <translation>Umschalt+Rechts / Umschalt+Links</translation>
    </message>
    <message>
        <source>step by 5</source>
        <translation>um 5 verstellen</translation>
    </message>
    <message>
        <source>Enter (or the keypad&apos;s separator key)</source>
        <translation>Eingabe (oder die Trenntaste des Ziffernblocks)</translation>
    </message>
    <message>
        <source>start the item&apos;s procedure</source>
        <translation>den Ablauf des Eintrags starten</translation>
    </message>
    <message>
        <source>F5 (anywhere)</source>
        <translation>F5 (überall)</translation>
    </message>
    <message>
        <source>&quot;Reload(F5)&quot;: read all fourteen A/D values once</source>
        <translation>„Neu lesen(F5)“: alle vierzehn A/D-Werte einmal lesen</translation>
    </message>
    <message>
        <source>Enter or Space on a button</source>
        <translation>Eingabe oder Leertaste auf einer Schaltfläche</translation>
    </message>
    <message>
        <source>press it; after any button the console has the keys again</source>
        <translation>sie drücken; nach jeder Schaltfläche hat die Konsole wieder die Tasten</translation>
    </message>
    <message>
        <source>Enter or Escape in the parameter display</source>
        <translation>Eingabe oder Esc in der Parameteranzeige</translation>
    </message>
    <message>
        <source>back to the console</source>
        <translation>zurück zur Konsole</translation>
    </message>
    <message>
        <source>larger or smaller text</source>
        <translation>größerer oder kleinerer Text</translation>
    </message>
    <message>
        <source>undo the last step</source>
        <translation>den letzten Schritt rückgängig machen</translation>
    </message>
    <message>
        <source>open an image file</source>
        <translation>eine Abbilddatei öffnen</translation>
    </message>
    <message>
        <source>the manual</source>
        <translation>das Handbuch</translation>
    </message>
    <message>
        <source>end the program, as its close box does</source>
        <translation>das Programm beenden, wie es sein Schließfeld tut</translation>
    </message>
    <message>
        <source>Alt+letter</source>
        <translation>Alt+Buchstabe</translation>
    </message>
    <message>
        <source>the menu or button whose caption has that letter underlined</source>
        <translation>das Menü oder die Schaltfläche, in deren Beschriftung dieser Buchstabe unterstrichen ist</translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Options: %1&lt;br&gt;Backups: %2&lt;br&gt;Service record: %3</source>
        <translation>Optionen: %1&lt;br&gt;Sicherungen: %2&lt;br&gt;Servicenachweis: %3</translation>
    </message>
    <message>
        <source>Version %1. Adjust Utility for QZ-R700.</source>
        <translation>Version %1. Abgleichprogramm für das QZ-R700.</translation>
    </message>
    <message>
        <source>Copyright 2026 Tavo Inc. Licence: proprietary; all rights reserved. It may be used on any number of benches of the licensee; it may not be redistributed.</source>
        <translation>Copyright 2026 Tavo Inc. Lizenz: proprietär; alle Rechte vorbehalten. Es darf an beliebig vielen Arbeitsplätzen des Lizenznehmers verwendet werden; es darf nicht weitergegeben werden.</translation>
    </message>
    <message>
        <source>About QX-T7130 ADJ</source>
        <translation>Über QX-T7130 ADJ</translation>
    </message>
</context>
<context>
    <name>qxt::app::HistoryWindow</name>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Was</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>History of the service record</source>
        <translation>Verlauf des Servicenachweises</translation>
    </message>
    <message>
        <source>Filter by text</source>
        <translation>Nach Text filtern</translation>
    </message>
    <message>
        <source>model, identity, port, outcome, technician</source>
        <translation>Modell, Kennung, Anschluss, Ergebnis, Techniker</translation>
    </message>
    <message>
        <source>&amp;Filter:</source>
        <translation>&amp;Filter:</translation>
    </message>
    <message>
        <source>F&amp;rom</source>
        <translation>&amp;Von</translation>
    </message>
    <message>
        <source>&amp;To</source>
        <translation>&amp;Bis</translation>
    </message>
    <message>
        <source>First day shown</source>
        <translation>Erster gezeigter Tag</translation>
    </message>
    <message>
        <source>Last day shown</source>
        <translation>Letzter gezeigter Tag</translation>
    </message>
    <message>
        <source>Sessions, newest first</source>
        <translation>Sitzungen, neueste zuerst</translation>
    </message>
    <message>
        <source>Events of the selected session</source>
        <translation>Ereignisse der gewählten Sitzung</translation>
    </message>
    <message>
        <source>Export &amp;sessions...</source>
        <translation>&amp;Sitzungen exportieren...</translation>
    </message>
    <message>
        <source>Export &amp;events...</source>
        <translation>&amp;Ereignisse exportieren...</translation>
    </message>
    <message>
        <source>Save &amp;report...</source>
        <translation>Be&amp;richt speichern...</translation>
    </message>
    <message>
        <source>sessions</source>
        <translation>Sitzungen</translation>
    </message>
    <message>
        <source>events</source>
        <translation>Ereignisse</translation>
    </message>
    <message>
        <source>Export %1</source>
        <translation>%1 exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>Not exported: %1: %2</source>
        <translation>Nicht exportiert: %1: %2</translation>
    </message>
    <message>
        <source>Exported the %1 to %2.</source>
        <translation>Die %1 wurden nach %2 exportiert.</translation>
    </message>
    <message>
        <source>The service record cannot be read (%1).</source>
        <translation>Der Servicenachweis kann nicht gelesen werden (%1).</translation>
    </message>
    <message>
        <source>Only the sessions of this bench</source>
        <translation>Nur die Sitzungen dieses Arbeitsplatzes</translation>
    </message>
    <message>
        <source>all benches</source>
        <translation>alle Arbeitsplätze</translation>
    </message>
    <message>
        <source>&amp;Bench:</source>
        <translation>Arbeits&amp;platz:</translation>
    </message>
    <message>
        <source>R&amp;adio&apos;s history...</source>
        <translation>Verlauf des Funk&amp;geräts...</translation>
    </message>
    <message>
        <source>Session %1 names no radio.</source>
        <translation>Sitzung %1 nennt kein Funkgerät.</translation>
    </message>
</context>
<context>
    <name>qxt::app::ImageWindow</name>
    <message>
        <source>Compare with the &amp;radio</source>
        <translation>Mit dem &amp;Funkgerät vergleichen</translation>
    </message>
    <message>
        <source>Compare with a &amp;file...</source>
        <translation>Mit einer &amp;Datei vergleichen...</translation>
    </message>
    <message>
        <source>Re&amp;store to the radio...</source>
        <translation>In das Funkgerät &amp;zurückschreiben...</translation>
    </message>
    <message>
        <source>%1 - image file</source>
        <translation>%1 - Abbilddatei</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Parameters of the image file</source>
        <translation>Parameter der Abbilddatei</translation>
    </message>
    <message>
        <source>%1: the %2 parameter lines of this image file.</source>
        <translation>%1: die %2 Parameterzeilen dieser Abbilddatei.</translation>
    </message>
    <message>
        <source>%1 compared with %2: %3 of the %4 parameter lines differ (marked *).</source>
        <translation>%1 verglichen mit %2: %3 der %4 Parameterzeilen unterscheiden sich (mit * markiert).</translation>
    </message>
</context>
<context>
    <name>qxt::app::MainMenus</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open image...</source>
        <translation>Abbild ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Show an image file&apos;s parameter listing and compare it</source>
        <translation>Die Parameterliste einer Abbilddatei zeigen und sie vergleichen</translation>
    </message>
    <message>
        <source>Recent &amp;images</source>
        <translation>&amp;Letzte Abbilder</translation>
    </message>
    <message>
        <source>Open one of the image files opened last</source>
        <translation>Eine der zuletzt geöffneten Abbilddateien öffnen</translation>
    </message>
    <message>
        <source>&amp;Restore image...</source>
        <translation>Abbild &amp;zurückschreiben...</translation>
    </message>
    <message>
        <source>Write an image file into the radio and check it</source>
        <translation>Eine Abbilddatei in das Funkgerät schreiben und prüfen</translation>
    </message>
    <message>
        <source>&amp;History...</source>
        <translation>&amp;Verlauf...</translation>
    </message>
    <message>
        <source>The sessions of the service record</source>
        <translation>Die Sitzungen des Servicenachweises</translation>
    </message>
    <message>
        <source>Save re&amp;port...</source>
        <translation>&amp;Bericht speichern...</translation>
    </message>
    <message>
        <source>Save the service report of this session as PDF or HTML</source>
        <translation>Den Servicebericht dieser Sitzung als PDF oder HTML speichern</translation>
    </message>
    <message>
        <source>&amp;Technician...</source>
        <translation>&amp;Techniker...</translation>
    </message>
    <message>
        <source>The technician named in the record and the reports</source>
        <translation>Der im Nachweis und in den Berichten genannte Techniker</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>B&amp;eenden</translation>
    </message>
    <message>
        <source>Close the port, save the options and end the program</source>
        <translation>Den Anschluss schließen, die Optionen speichern und das Programm beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>Send the item changed last back to its value before</source>
        <translation>Den zuletzt geänderten Eintrag auf seinen vorigen Wert zurücksenden</translation>
    </message>
    <message>
        <source>&amp;Revert to values as read</source>
        <translation>Auf die gelesenen &amp;Werte zurücksetzen</translation>
    </message>
    <message>
        <source>Send every item&apos;s value as the radio was read</source>
        <translation>Jeden Eintrag mit dem Wert senden, mit dem das Funkgerät gelesen wurde</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Plot</source>
        <translation>&amp;Diagramm</translation>
    </message>
    <message>
        <source>Show or hide the plot of the procedures and readouts</source>
        <translation>Das Diagramm der Abläufe und Messwerte zeigen oder verbergen</translation>
    </message>
    <message>
        <source>&amp;Larger text</source>
        <translation>Text &amp;größer</translation>
    </message>
    <message>
        <source>Make the window&apos;s text larger</source>
        <translation>Den Text des Fensters vergrößern</translation>
    </message>
    <message>
        <source>&amp;Smaller text</source>
        <translation>Text &amp;kleiner</translation>
    </message>
    <message>
        <source>Make the window&apos;s text smaller</source>
        <translation>Den Text des Fensters verkleinern</translation>
    </message>
    <message>
        <source>&amp;Option</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Port</source>
        <translation>&amp;Anschluss</translation>
    </message>
    <message>
        <source>The COM port the radio is connected to</source>
        <translation>Der COM-Anschluss, an dem das Funkgerät hängt</translation>
    </message>
    <message>
        <source>&amp;Auto port release</source>
        <translation>Anschluss automatisch &amp;freigeben</translation>
    </message>
    <message>
        <source>Close an idle port after a time, so other programs can use it</source>
        <translation>Einen unbenutzten Anschluss nach einer Weile schließen, damit andere Programme ihn nutzen können</translation>
    </message>
    <message>
        <source>&amp;OFF</source>
        <translation>&amp;AUS</translation>
    </message>
    <message>
        <source>&amp;%1 sec</source>
        <translation>&amp;%1 s</translation>
    </message>
    <message>
        <source>Keep the port open</source>
        <translation>Den Anschluss offen halten</translation>
    </message>
    <message>
        <source>Close the port after %1 s without work</source>
        <translation>Den Anschluss nach %1 s ohne Arbeit schließen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Manual</source>
        <translation>&amp;Handbuch</translation>
    </message>
    <message>
        <source>The user manual</source>
        <translation>Das Benutzerhandbuch</translation>
    </message>
    <message>
        <source>&amp;Keyboard shortcuts</source>
        <translation>&amp;Tastenkürzel</translation>
    </message>
    <message>
        <source>The keys of the console and the menus</source>
        <translation>Die Tasten der Konsole und der Menüs</translation>
    </message>
    <message>
        <source>&amp;About QX-T7130 ADJ</source>
        <translation>Ü&amp;ber QX-T7130 ADJ</translation>
    </message>
    <message>
        <source>The version, the licence, and where the options, backups and record are</source>
        <translation>Die Version, die Lizenz und wo Optionen, Sicherungen und Nachweis liegen</translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation>Über &amp;Qt</translation>
    </message>
    <message>
        <source>The version of Qt the program uses</source>
        <translation>Die Version von Qt, die das Programm verwendet</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>%1 öffnen</translation>
    </message>
    <message>
        <source>(not present)</source>
        <translation>(nicht vorhanden)</translation>
    </message>
    <message>
        <source>Use COM %1 (%2)</source>
        <translation>COM %1 verwenden (%2)</translation>
    </message>
    <message>
        <source>&amp;Other port...</source>
        <translation>A&amp;nderer Anschluss...</translation>
    </message>
    <message>
        <source>Choose any serial device, or type its path</source>
        <translation>Ein beliebiges serielles Gerät wählen oder seinen Pfad eingeben</translation>
    </message>
    <message>
        <source>&amp;Bench generator...</source>
        <translation>&amp;Signalgenerator...</translation>
    </message>
    <message>
        <source>The signal generator on the bench and the levels it sets</source>
        <translation>Der Signalgenerator am Arbeitsplatz und die Pegel, die er einstellt</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Werkzeuge</translation>
    </message>
    <message>
        <source>&amp;Align all</source>
        <translation>&amp;Alles abgleichen</translation>
    </message>
    <message>
        <source>Connect, then run the procedures of the sequence unattended</source>
        <translation>Verbinden, dann die Abläufe der Folge unbeaufsichtigt ausführen</translation>
    </message>
    <message>
        <source>Service &amp;record...</source>
        <translation>Service&amp;nachweis...</translation>
    </message>
    <message>
        <source>Where the service record is and whether its server is connected</source>
        <translation>Wo der Servicenachweis liegt und ob sein Server verbunden ist</translation>
    </message>
</context>
<context>
    <name>qxt::app::OtherPortDialog</name>
    <message>
        <source>Other port</source>
        <translation>Anderer Anschluss</translation>
    </message>
    <message>
        <source>&amp;Serial device (choose one found, or type its path):</source>
        <translation>&amp;Serielles Gerät (ein gefundenes wählen oder seinen Pfad eingeben):</translation>
    </message>
    <message>
        <source>Serial device</source>
        <translation>Serielles Gerät</translation>
    </message>
</context>
<context>
    <name>qxt::app::PlotPanel</name>
    <message>
        <source>Plot</source>
        <translation>Diagramm</translation>
    </message>
    <message>
        <source>Plot of the procedure or of the readouts</source>
        <translation>Diagramm des Ablaufs oder der Messwerte</translation>
    </message>
    <message>
        <source>The plot in words</source>
        <translation>Das Diagramm in Worten</translation>
    </message>
    <message>
        <source>&amp;Copy image</source>
        <translation>Bild &amp;kopieren</translation>
    </message>
    <message>
        <source>Save &amp;image...</source>
        <translation>Bild &amp;speichern...</translation>
    </message>
    <message>
        <source>Save the plot</source>
        <translation>Das Diagramm speichern</translation>
    </message>
    <message>
        <source>PNG images (*.png);;SVG drawings (*.svg)</source>
        <translation>PNG-Bilder (*.png);;SVG-Zeichnungen (*.svg)</translation>
    </message>
    <message>
        <source>Saved as %1</source>
        <translation>Gespeichert als %1</translation>
    </message>
    <message>
        <source>Copied.</source>
        <translation>Kopiert.</translation>
    </message>
    <message>
        <source>%1: the image could not be written</source>
        <translation>%1: das Bild konnte nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>qxt::app::RadioHistoryWindow</name>
    <message>
        <source>Session</source>
        <translation>Sitzung</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Begonnen</translation>
    </message>
    <message>
        <source>Bench</source>
        <translation>Arbeitsplatz</translation>
    </message>
    <message>
        <source>Technician</source>
        <translation>Techniker</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>Änderungen</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>History of the radio %1</source>
        <translation>Verlauf des Funkgeräts %1</translation>
    </message>
    <message>
        <source>Every session of this radio</source>
        <translation>Jede Sitzung dieses Funkgeräts</translation>
    </message>
    <message>
        <source>%1 sessions of this radio in %2.</source>
        <translation>%1 Sitzungen dieses Funkgeräts in %2.</translation>
    </message>
    <message>
        <source>The service record cannot be read (%1).</source>
        <translation>Der Servicenachweis kann nicht gelesen werden (%1).</translation>
    </message>
    <message>
        <source>Sessions of this radio, oldest first</source>
        <translation>Sitzungen dieses Funkgeräts, älteste zuerst</translation>
    </message>
    <message>
        <source>Item plotted</source>
        <translation>Dargestellter Eintrag</translation>
    </message>
    <message>
        <source>&amp;Item:</source>
        <translation>&amp;Eintrag:</translation>
    </message>
    <message>
        <source>The item&apos;s value at the end of each session</source>
        <translation>Der Wert des Eintrags am Ende jeder Sitzung</translation>
    </message>
    <message>
        <source>Session of this radio (1: the oldest)</source>
        <translation>Sitzung dieses Funkgeräts (1: die älteste)</translation>
    </message>
</context>
<context>
    <name>qxt::app::RestoreDialog</name>
    <message>
        <source>Restore image</source>
        <translation>Abbild zurückschreiben</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Zurückschreiben</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Funkgerät</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Parameters of the radio and of the file</source>
        <translation>Parameter des Funkgeräts und der Datei</translation>
    </message>
    <message>
        <source>changed by the restore</source>
        <translation>durch das Zurückschreiben geändert</translation>
    </message>
</context>
<context>
    <name>qxt::app::SessionListModel</name>
    <message>
        <source>Session</source>
        <translation>Sitzung</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Begonnen</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Funkgerät</translation>
    </message>
    <message>
        <source>Identity</source>
        <translation>Kennung</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>Änderungen</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>The service record cannot be read (%1).</source>
        <translation>Der Servicenachweis kann nicht gelesen werden (%1).</translation>
    </message>
    <message>
        <source>Bench</source>
        <translation>Arbeitsplatz</translation>
    </message>
</context>
<context>
    <name>qxt::app::TransferBar</name>
    <message>
        <source>Transfer</source>
        <translation>Übertragung</translation>
    </message>
    <message>
        <source>Time left</source>
        <translation>Verbleibende Zeit</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cancel the restore</source>
        <translation>Das Zurückschreiben abbrechen</translation>
    </message>
    <message>
        <source>about %1 s left</source>
        <translation>noch etwa %1 s</translation>
    </message>
    <message>
        <source>about %1 min %2 s left</source>
        <translation>noch etwa %1 min %2 s</translation>
    </message>
</context>
<context>
    <name>qxt::app::frmMain</name>
    <message>
        <source>Notices</source>
        <translation>Hinweise</translation>
    </message>
    <message>
        <source>Adjust Utility for QZ-R700</source>
        <translation>Abgleichprogramm für das QZ-R700</translation>
    </message>
    <message>
        <source>COM %1 is now %2.</source>
        <translation>COM %1 ist jetzt %2.</translation>
    </message>
    <message>
        <source>The radio&apos;s memory is being written (%1 of %2 bytes so far). Closing now leaves it partly written, and the radio will not work as it should until an image is restored whole.</source>
        <translation>Der Speicher des Funkgeräts wird gerade geschrieben (bisher %1 von %2 Bytes). Wird jetzt geschlossen, bleibt er teilweise geschrieben, und das Funkgerät arbeitet nicht wie vorgesehen, bis ein Abbild vollständig zurückgeschrieben ist.</translation>
    </message>
    <message>
        <source>Stop after the current block</source>
        <translation>Nach dem laufenden Block anhalten</translation>
    </message>
    <message>
        <source>Keep writing</source>
        <translation>Weiter schreiben</translation>
    </message>
    <message>
        <source>The bench generator cannot be changed while a procedure runs.</source>
        <translation>Der Signalgenerator kann nicht geändert werden, während ein Ablauf läuft.</translation>
    </message>
    <message>
        <source>The bench options could not be saved to the options file.</source>
        <translation>Die Optionen des Arbeitsplatzes konnten nicht in der Optionsdatei gespeichert werden.</translation>
    </message>
    <message>
        <source>Bench generator: %1.</source>
        <translation>Signalgenerator: %1.</translation>
    </message>
    <message>
        <source>No bench generator.</source>
        <translation>Kein Signalgenerator.</translation>
    </message>
</context>
</TS>
