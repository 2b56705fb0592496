<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Quillmar</source>
        <translation>Info über Quillmar</translation>
    </message>
    <message>
        <source>Quillmar Version %1</source>
        <translation>Quillmar Version %1</translation>
    </message>
    <message>
        <source>Licensed under the GNU General Public License, version 3 or later.</source>
        <translation>Lizenziert unter der GNU General Public License, Version 3 oder höher.</translation>
    </message>
    <message>
        <source>Please send your comments, questions, or complaints here :-)</source>
        <translation>Schicken Sie Ihre Anmerkungen, Fragen oder Beschwerden bitte hierhin :-)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CChildFrame</name>
    <message>
        <source>BOD count: %1/%2</source>
        <translation>BOD-Anzahl: %1/%2</translation>
    </message>
</context>
<context>
    <name>CDocTemplate</name>
    <message>
        <source>Quilma Files (*.bod)</source>
        <translation>Quilma-Dateien (*.bod)</translation>
    </message>
</context>
<context>
    <name>CDocument</name>
    <message>
        <source>%1 contains an invalid path.</source>
        <translation>%1 enthält einen ungültigen Pfad.</translation>
    </message>
    <message>
        <source>Access to %1 was denied.</source>
        <translation>Der Zugriff auf %1 wurde verweigert.</translation>
    </message>
    <message>
        <source>Failed to save document.
%1: %2</source>
        <translation>Das Dokument konnte nicht gespeichert werden.
%1: %2</translation>
    </message>
    <message>
        <source>%1 was not found.</source>
        <translation>%1 wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>%1 is not a document file.</source>
        <translation>%1 ist keine Dokumentdatei.</translation>
    </message>
    <message>
        <source>%1 could not be read.</source>
        <translation>%1 konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Unexpected file format.</source>
        <translation>Unerwartetes Dateiformat.</translation>
    </message>
    <message>
        <source>%1 is read-only.</source>
        <translation>%1 ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>%1 was changed by another program since Quillmar last read or saved it. Saving now would lose that change.

Yes: overwrite it. No: save under another name. Cancel: do not save.</source>
        <translation>%1 wurde von einem anderen Programm geändert, seit Quillmar die Datei zuletzt gelesen oder gespeichert hat. Wenn Sie jetzt speichern, geht diese Änderung verloren.

Ja: Datei überschreiben. Nein: unter einem anderen Namen speichern. Abbrechen: nicht speichern.</translation>
    </message>
    <message>
        <source>%1 was changed by another program. Reload it?</source>
        <translation>%1 wurde von einem anderen Programm geändert. Neu laden?</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
</context>
<context>
    <name>CImportDlg</name>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Import Entries</source>
        <translation>Einträge importieren</translation>
    </message>
    <message>
        <source>Note for processed items:</source>
        <translation>Notiz für verarbeitete Einträge:</translation>
    </message>
    <message>
        <source>Total Items Pasted:</source>
        <translation>Eingefügte Einträge insgesamt:</translation>
    </message>
    <message>
        <source>BOD&apos;s Added:</source>
        <translation>Hinzugefügte BODs:</translation>
    </message>
    <message>
        <source>Invalid List Items:</source>
        <translation>Ungültige Listeneinträge:</translation>
    </message>
    <message>
        <source>Paste Mode</source>
        <translation>Einfügemodus</translation>
    </message>
    <message>
        <source>AOS</source>
        <translation>AOS</translation>
    </message>
    <message>
        <source>Pre-AOS</source>
        <translation>Pre-AOS</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>Process &amp;Selected</source>
        <translation>&amp;Markierte verarbeiten</translation>
    </message>
    <message>
        <source>Process &amp;All</source>
        <translation>&amp;Alle verarbeiten</translation>
    </message>
    <message>
        <source>E&amp;xit/Save</source>
        <translation>&amp;Beenden/Speichern</translation>
    </message>
    <message>
        <source>&amp;Cancel Import</source>
        <translation>Import abbre&amp;chen</translation>
    </message>
    <message>
        <source>The list still contains items to process. Importing new
data will clear these unprocessed items.
Do you wish to continue?</source>
        <translation>Die Liste enthält noch Einträge, die nicht verarbeitet sind. Beim Importieren
neuer Daten werden diese Einträge verworfen.
Möchten Sie fortfahren?</translation>
    </message>
</context>
<context>
    <name>CImportRowModel</name>
    <message>
        <source>Items</source>
        <translation>Einträge</translation>
    </message>
</context>
<context>
    <name>CLeftView</name>
    <message>
        <source>Are you sure you want to delete this BOD?</source>
        <translation>Möchten Sie diesen BOD wirklich löschen?</translation>
    </message>
    <message>
        <source>Expand From Here	Ctrl+Dblclk</source>
        <translation>Ab hier aufklappen	Strg+Doppelklick</translation>
    </message>
    <message>
        <source>Completely expand the tree from this node</source>
        <translation>Klappt den Baum ab diesem Knoten vollständig auf</translation>
    </message>
    <message>
        <source>Collapse To Here	Shft+Dblclk</source>
        <translation>Bis hier zuklappen	Umschalt+Doppelklick</translation>
    </message>
    <message>
        <source>Completely collapse the tree to this node</source>
        <translation>Klappt den Baum bis zu diesem Knoten vollständig zu</translation>
    </message>
    <message>
        <source>Delete BOD</source>
        <translation>BOD löschen</translation>
    </message>
</context>
<context>
    <name>CQtPrompt</name>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>CQuillmarApp</name>
    <message>
        <source>Keeps track of the bulk order deeds of Ultima Online.</source>
        <translation>Verwaltet die Bulk Order Deeds (BODs) aus Ultima Online.</translation>
    </message>
    <message>
        <source>Show this help and end.</source>
        <translation>Zeigt diese Hilfe an und beendet das Programm.</translation>
    </message>
    <message>
        <source>Print FILE and end, without showing a window.</source>
        <translation>Druckt FILE und beendet das Programm, ohne ein Fenster anzuzeigen.</translation>
    </message>
    <message>
        <source>The *.bod document to open or print.</source>
        <translation>Das *.bod-Dokument, das geöffnet oder gedruckt werden soll.</translation>
    </message>
    <message>
        <source>%1 could not be printed. Check that a printer is installed and ready.</source>
        <translation>%1 konnte nicht gedruckt werden. Prüfen Sie, ob ein Drucker installiert und bereit ist.</translation>
    </message>
    <message>
        <source>Quillmar is already running but did not answer.</source>
        <translation>Quillmar wird bereits ausgeführt, antwortet aber nicht.</translation>
    </message>
    <message>
        <source>Quillmar is already running but did not answer, so %1 was not opened.</source>
        <translation>Quillmar wird bereits ausgeführt, antwortet aber nicht. %1 wurde deshalb nicht geöffnet.</translation>
    </message>
</context>
<context>
    <name>ExceptionReport</name>
    <message>
        <source>Quillmar has to close: %1.</source>
        <translation>Quillmar muss beendet werden: %1.</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>nicht genügend Arbeitsspeicher</translation>
    </message>
    <message>
        <source>an unexpected error</source>
        <translation>ein unerwarteter Fehler</translation>
    </message>
</context>
<context>
    <name>SafeWrite</name>
    <message>
        <source>not every byte could be written (is the disk full, or the file over a size limit?)</source>
        <translation>nicht alle Bytes konnten geschrieben werden (ist der Datenträger voll oder die Datei größer als erlaubt?)</translation>
    </message>
    <message>
        <source>; the file still holds its previous content</source>
        <translation>; die Datei hat weiterhin ihren vorherigen Inhalt</translation>
    </message>
    <message>
        <source>; its previous content could not be put back</source>
        <translation>; ihr vorheriger Inhalt konnte nicht wiederhergestellt werden</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine normale Datei</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>die Datei ist schreibgeschützt</translation>
    </message>
    <message>
        <source>no new file can be made in %1 (%2), and rewriting the file in place failed: %3</source>
        <translation>in %1 kann keine neue Datei angelegt werden (%2), und das direkte Überschreiben der Datei ist fehlgeschlagen: %3</translation>
    </message>
</context>
</TS>
