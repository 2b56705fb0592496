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
    <name>CBodTreeModel</name>
    <message>
        <source>BOD&apos;s - Shopping List</source>
        <translation>BODs – Einkaufsliste</translation>
    </message>
    <message>
        <source>BOD&apos;s - Full List</source>
        <translation>BODs – Gesamtliste</translation>
    </message>
</context>
<context>
    <name>CChildFrame</name>
    <message>
        <source>BOD count: %1/%2</source>
        <translation>BOD-Anzahl: %1/%2</translation>
    </message>
    <message>
        <source>BOD count: %1/%2 of %3</source>
        <translation>BOD-Anzahl: %1/%2 von %3</translation>
    </message>
    <message>
        <source>The filter shows %1 of %2 BOD&apos;s.
Export only those %1? (No exports all %2.)</source>
        <translation>Der Filter zeigt %1 von %2 BODs an.
Nur diese %1 exportieren? (Nein: alle %2 exportieren.)</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>Failed to export BOD&apos;s.
%1: %2</source>
        <translation>Die BODs konnten nicht exportiert werden.
%1: %2</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
</context>
<context>
    <name>CDeedDlg</name>
    <message>
        <source>Edit Deed</source>
        <translation>BOD bearbeiten</translation>
    </message>
    <message>
        <source>New Deed</source>
        <translation>Neuer BOD</translation>
    </message>
    <message>
        <source>&amp;Craft:</source>
        <translation>&amp;Handwerk:</translation>
    </message>
    <message>
        <source>&amp;Small</source>
        <translation>&amp;Klein</translation>
    </message>
    <message>
        <source>&amp;Large</source>
        <translation>&amp;Groß</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>&amp;Material:</source>
        <translation>&amp;Material:</translation>
    </message>
    <message>
        <source>&amp;Amount:</source>
        <translation>&amp;Anzahl:</translation>
    </message>
    <message>
        <source>E&amp;xceptional</source>
        <translation>A&amp;ußergewöhnlich</translation>
    </message>
    <message>
        <source>&amp;Price:</source>
        <translation>&amp;Preis:</translation>
    </message>
    <message>
        <source>&amp;Notes:</source>
        <translation>&amp;Notizen:</translation>
    </message>
    <message>
        <source>Small</source>
        <translation>Klein</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>Groß</translation>
    </message>
    <message>
        <source>S&amp;et:</source>
        <translation>&amp;Set:</translation>
    </message>
    <message>
        <source>&amp;Item:</source>
        <translation>&amp;Objekt:</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Objekt</translation>
    </message>
    <message>
        <source>This deed cannot be made: %1.</source>
        <translation>Dieser BOD kann so nicht erstellt werden: %1.</translation>
    </message>
    <message>
        <source>&amp;Gem:</source>
        <translation>E&amp;delstein:</translation>
    </message>
    <message>
        <source>Ma&amp;de so far:</source>
        <translation>&amp;Bisher hergestellt:</translation>
    </message>
</context>
<context>
    <name>CDiskChangeBar</name>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Neu laden</translation>
    </message>
    <message>
        <source>Read the file again; changes not saved here are lost</source>
        <translation>Liest die Datei neu ein; hier nicht gespeicherte Änderungen gehen verloren</translation>
    </message>
    <message>
        <source>&amp;Keep Mine</source>
        <translation>&amp;Meine behalten</translation>
    </message>
    <message>
        <source>Keep what this window shows; saving asks before it overwrites the file</source>
        <translation>Behält, was dieses Fenster zeigt; beim Speichern wird vor dem Überschreiben der Datei gefragt</translation>
    </message>
    <message>
        <source>%1 was changed by another program.</source>
        <translation>%1 wurde von einem anderen Programm geändert.</translation>
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
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Unexpected file format.

A save of %1 did not finish; what the file held before is kept in %2. Open that copy? Saving then writes it to %1.</source>
        <translation>Unerwartetes Dateiformat.

Ein Speichern von %1 wurde nicht beendet; was die Datei vorher enthielt, liegt in %2. Diese Kopie öffnen? Beim Speichern wird sie dann nach %1 geschrieben.</translation>
    </message>
    <message>
        <source>%1 could not be read either.</source>
        <translation>%1 konnte ebenfalls nicht gelesen werden.</translation>
    </message>
    <message>
        <source>changed by another program</source>
        <translation>von einem anderen Programm geändert</translation>
    </message>
    <message>
        <source>Reading %1 again loses the changes not saved yet. Reload it?</source>
        <translation>Wenn %1 neu geladen wird, gehen die noch nicht gespeicherten Änderungen verloren. Neu laden?</translation>
    </message>
</context>
<context>
    <name>CFilterBar</name>
    <message>
        <source>(empty)</source>
        <translation>(leer)</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Find: item, material, notes...</source>
        <translation>Suchen: Gegenstand, Material, Notizen...</translation>
    </message>
    <message>
        <source>Close filter</source>
        <translation>Filter schließen</translation>
    </message>
    <message>
        <source>Show every BOD again (Esc)</source>
        <translation>Wieder alle BODs anzeigen (Esc)</translation>
    </message>
    <message>
        <source>Trade</source>
        <translation>Handwerk</translation>
    </message>
    <message>
        <source>Any trade</source>
        <translation>Alle Handwerke</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Any size</source>
        <translation>Alle Größen</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>Groß</translation>
    </message>
    <message>
        <source>Small</source>
        <translation>Klein</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source>Any quality</source>
        <translation>Alle Qualitäten</translation>
    </message>
    <message>
        <source>Material</source>
        <translation>Material</translation>
    </message>
    <message>
        <source>Any material</source>
        <translation>Alle Materialien</translation>
    </message>
    <message>
        <source>%1 of %2 shown</source>
        <translation>%1 von %2 angezeigt</translation>
    </message>
    <message>
        <source>Large, ready to turn in</source>
        <translation>Groß, bereit zur Abgabe</translation>
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
    <message>
        <source>Tooltip</source>
        <translation>Tooltip</translation>
    </message>
    <message>
        <source>%1 already in this document</source>
        <translation>%1 schon in diesem Dokument</translation>
    </message>
</context>
<context>
    <name>CImportRowModel</name>
    <message>
        <source>Items</source>
        <translation>Einträge</translation>
    </message>
    <message>
        <source>Already in this document</source>
        <translation>Schon in diesem Dokument</translation>
    </message>
</context>
<context>
    <name>CLeftView</name>
    <message>
        <source>BOD hierarchy</source>
        <translation>BOD-Hierarchie</translation>
    </message>
    <message>
        <source>Are you sure you want to delete this BOD?</source>
        <translation>Möchten Sie diesen BOD wirklich löschen?</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>Toolbar</source>
        <translation>Symbolleiste</translation>
    </message>
    <message>
        <source>BOD Count: WWW/WWW</source>
        <extracomment>Never shown: the pane is made as wide as this text.</extracomment>
        <translation>BOD-Anzahl: WWW/WWW</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Zuletzt geöffnete Datei</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>Öffnet dieses Dokument</translation>
    </message>
    <message>
        <source>Activate this window</source>
        <translation>Aktiviert dieses Fenster</translation>
    </message>
</context>
<context>
    <name>CQtPrompt</name>
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
    <message>
        <source>These files were not found:
%1</source>
        <translation>Diese Dateien wurden nicht gefunden:
%1</translation>
    </message>
</context>
<context>
    <name>CQuillmarDoc</name>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Drop BOD</source>
        <translation>BOD ablegen</translation>
    </message>
    <message>
        <source>Delete BOD</source>
        <translation>BOD löschen</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>%1 parts were left out of the shopping list: a large deed has at most %2 parts, and some deeds claim more.</source>
        <translation>%1 Teile wurden in der Einkaufsliste weggelassen: Ein großer BOD hat höchstens %2 Teile, und einige BODs geben mehr an.</translation>
    </message>
    <message>
        <source>1 BOD was imported.</source>
        <translation>1 BOD wurde importiert.</translation>
    </message>
    <message>
        <source>%1 BOD&apos;s were imported.</source>
        <translation>%1 BODs wurden importiert.</translation>
    </message>
    <message>
        <source>Edit Deed</source>
        <translation>BOD bearbeiten</translation>
    </message>
    <message>
        <source>New Deed</source>
        <translation>Neuer BOD</translation>
    </message>
    <message>
        <source>Fill Large Deeds</source>
        <translation>Große BODs füllen</translation>
    </message>
    <message>
        <source>No large deed could be filled: no complete small deed in this document fits an open part.</source>
        <translation>Kein großer BOD konnte gefüllt werden: Kein fertiger kleiner BOD in diesem Dokument passt zu einem offenen Teil.</translation>
    </message>
    <message>
        <source>Large deeds filled: %1
Small deeds used: %2
Large deeds now complete: %3</source>
        <translation>Gefüllte große BODs: %1
Verwendete kleine BODs: %2
Nun fertige große BODs: %3</translation>
    </message>
</context>
<context>
    <name>CQuillmarView</name>
    <message>
        <source>SBOD&apos;s Filled</source>
        <translation>Erfüllte SBODs</translation>
    </message>
    <message>
        <source>Count:</source>
        <translation>Anzahl:</translation>
    </message>
    <message>
        <source>Adjust Count:</source>
        <translation>Anzahl anpassen:</translation>
    </message>
    <message>
        <source>Increase Adjust Count</source>
        <translation>Anzahl anpassen: erhöhen</translation>
    </message>
    <message>
        <source>Decrease Adjust Count</source>
        <translation>Anzahl anpassen: verringern</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Price:</source>
        <translation>Preis:</translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>Notizen:</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>&amp;Übernehmen</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Abbre&amp;chen</translation>
    </message>
    <message>
        <source>No BOD Selected</source>
        <translation>Kein BOD ausgewählt</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>Bitte geben Sie eine ganze Zahl ein.</translation>
    </message>
    <message>
        <source>The changes to %1 are not applied yet and will be lost. Go on?</source>
        <translation>Die Änderungen an %1 sind noch nicht übernommen und gehen verloren. Fortfahren?</translation>
    </message>
    <message>
        <source>The changes to %1 are not applied yet. Apply them?</source>
        <translation>Die Änderungen an %1 sind noch nicht übernommen. Jetzt übernehmen?</translation>
    </message>
</context>
<context>
    <name>CTreePrinter</name>
    <message>
        <source>%1 BOD hierarchy</source>
        <translation>%1 – BOD-Hierarchie</translation>
    </message>
    <message>
        <source>Page %1/%2</source>
        <translation>Seite %1/%2</translation>
    </message>
</context>
<context>
    <name>CWriteLock</name>
    <message>
        <source>its lock file %1 cannot be made</source>
        <translation>ihre Sperrdatei %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>another program is saving it; gave up after %1 seconds</source>
        <translation>ein anderes Programm speichert sie; nach %1 Sekunden aufgegeben</translation>
    </message>
</context>
<context>
    <name>CommandTable</name>
    <message>
        <source>Create a new document
New</source>
        <translation>Erstellt ein neues Dokument
Neu</translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation>Öffnet ein vorhandenes Dokument
Öffnen</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>Drucker&amp;einrichtung...</translation>
    </message>
    <message>
        <source>Change the printer and printing options
Print Setup</source>
        <translation>Wählt den Drucker und die Druckoptionen
Druckereinrichtung</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>Beendet das Programm und fragt, ob Dokumente gespeichert werden sollen
Beenden</translation>
    </message>
    <message>
        <source>&amp;About Quillmar...</source>
        <translation>&amp;Info über Quillmar...</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>Zeigt Programminformationen, Versionsnummer und Copyright an
Info</translation>
    </message>
    <message>
        <source>Set window to stay on top of all other windows
Always on top</source>
        <translation>Hält das Fenster vor allen anderen Fenstern im Vordergrund
Immer im Vordergrund</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Symbolleiste</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>Blendet die Symbolleiste ein oder aus
Symbolleiste ein/aus</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>Status&amp;leiste</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>Blendet die Statusleiste ein oder aus
Statusleiste ein/aus</translation>
    </message>
    <message>
        <source>&amp;New Window</source>
        <translation>Neues &amp;Fenster</translation>
    </message>
    <message>
        <source>Open another window for the active document
New Window</source>
        <translation>Öffnet ein weiteres Fenster für das aktive Dokument
Neues Fenster</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>&amp;Überlappend</translation>
    </message>
    <message>
        <source>Arrange windows so they overlap
Cascade Windows</source>
        <translation>Ordnet die Fenster überlappend an
Überlappend</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>&amp;Nebeneinander</translation>
    </message>
    <message>
        <source>Arrange windows as non-overlapping tiles
Tile Windows</source>
        <translation>Ordnet die Fenster nebeneinander an, ohne dass sie sich überlappen
Nebeneinander</translation>
    </message>
    <message>
        <source>&amp;Arrange Icons</source>
        <translation>&amp;Symbole anordnen</translation>
    </message>
    <message>
        <source>Arrange icons at the bottom of the window
Arrange Icons</source>
        <translation>Ordnet die Symbole am unteren Fensterrand an
Symbole anordnen</translation>
    </message>
    <message>
        <source>S&amp;plit</source>
        <translation>&amp;Teilen</translation>
    </message>
    <message>
        <source>Split the active window into panes
Split</source>
        <translation>Teilt das aktive Fenster in Bereiche
Teilen</translation>
    </message>
    <message>
        <source>Next Pane</source>
        <translation>Nächster Bereich</translation>
    </message>
    <message>
        <source>Switch to the next window pane
Next Pane</source>
        <translation>Wechselt zum nächsten Fensterbereich
Nächster Bereich</translation>
    </message>
    <message>
        <source>Previous Pane</source>
        <translation>Vorheriger Bereich</translation>
    </message>
    <message>
        <source>Switch back to the previous window pane
Previous Pane</source>
        <translation>Wechselt zurück zum vorherigen Fensterbereich
Vorheriger Bereich</translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation>Fenster schließen</translation>
    </message>
    <message>
        <source>Close the active document window</source>
        <translation>Schließt das aktive Dokumentfenster</translation>
    </message>
    <message>
        <source>Next Window</source>
        <translation>Nächstes Fenster</translation>
    </message>
    <message>
        <source>Switch to the next document window</source>
        <translation>Wechselt zum nächsten Dokumentfenster</translation>
    </message>
    <message>
        <source>Previous Window</source>
        <translation>Vorheriges Fenster</translation>
    </message>
    <message>
        <source>Switch to the previous document window</source>
        <translation>Wechselt zum vorherigen Dokumentfenster</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Schl&amp;ießen</translation>
    </message>
    <message>
        <source>Close the active document
Close</source>
        <translation>Schließt das aktive Dokument
Schließen</translation>
    </message>
    <message>
        <source>Save the active document
Save</source>
        <translation>Speichert das aktive Dokument
Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Save the active document with a new name
Save As</source>
        <translation>Speichert das aktive Dokument unter einem neuen Namen
Speichern unter</translation>
    </message>
    <message>
        <source>Undo the last action
Undo</source>
        <translation>Macht die letzte Aktion rückgängig
Rückgängig</translation>
    </message>
    <message>
        <source>Redo the previously undone action
Redo</source>
        <translation>Wiederholt die zuletzt rückgängig gemachte Aktion
Wiederholen</translation>
    </message>
    <message>
        <source>Import BOD&apos;s from UOAssist&apos;s clipboard format
Import</source>
        <translation>Importiert BODs aus dem Zwischenablageformat von UOAssist
Importieren</translation>
    </message>
    <message>
        <source>Automatically save whenever a change is made
Auto Save</source>
        <translation>Speichert nach jeder Änderung automatisch
Automatisch speichern</translation>
    </message>
    <message>
        <source>View a list of all LBOD&apos;s and the needed SBOD&apos;s
Shopping List</source>
        <translation>Zeigt eine Liste aller LBODs und der benötigten SBODs
Einkaufsliste</translation>
    </message>
    <message>
        <source>Show the reward points that deeds are worth
Points</source>
        <translation>Zeigt die Belohnungspunkte, die die Deeds wert sind
Punkte</translation>
    </message>
    <message>
        <source>Print the active document
Print</source>
        <translation>Druckt das aktive Dokument
Drucken</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>Seiten&amp;ansicht</translation>
    </message>
    <message>
        <source>Display full pages
Print Preview</source>
        <translation>Zeigt ganze Seiten an
Seitenansicht</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>P&amp;oints</source>
        <translation>&amp;Punkte</translation>
    </message>
    <message>
        <source>Show only the BOD&apos;s that match
Find</source>
        <translation>Zeigt nur die passenden BODs an
Suchen</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>E&amp;xportieren...</translation>
    </message>
    <message>
        <source>Write the BOD&apos;s to a spreadsheet file (CSV)
Export</source>
        <translation>Schreibt die BODs in eine Tabellendatei (CSV)
Exportieren</translation>
    </message>
    <message>
        <source>Add a deed of any craft by hand
New Deed</source>
        <translation>Fügt einen BOD eines beliebigen Handwerks von Hand hinzu
Neuer BOD</translation>
    </message>
    <message>
        <source>Change what the selected deed asks for
Edit Deed</source>
        <translation>Ändert, was der ausgewählte BOD verlangt
BOD bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederholen: %1</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Al&amp;ways on top</source>
        <translation>Immer im &amp;Vordergrund</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Put the selected BOD&apos;s on the Clipboard as spreadsheet rows
Copy</source>
        <translation>Legt die markierten BODs als Tabellenzeilen in die Zwischenablage
Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>Import the BOD&apos;s on the Clipboard
Paste</source>
        <translation>Importiert die BODs aus der Zwischenablage
Einfügen</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Suchen...</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importieren...</translation>
    </message>
    <message>
        <source>&amp;New Deed...</source>
        <translation>&amp;Neuer BOD...</translation>
    </message>
    <message>
        <source>&amp;Auto Save</source>
        <translation>Automatisch s&amp;peichern</translation>
    </message>
    <message>
        <source>Shopping &amp;List</source>
        <translation>&amp;Einkaufsliste</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
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
        <source>Fill &amp;Large Deeds</source>
        <translation>Große BODs &amp;füllen</translation>
    </message>
    <message>
        <source>Fill every large deed from the complete small deeds that fit it
Fill Large Deeds</source>
        <translation>Füllt jeden großen BOD mit den fertigen kleinen BODs, die zu ihm passen
Große BODs füllen</translation>
    </message>
    <message>
        <source>Completely collapse the tree to this node</source>
        <translation>Klappt den Baum bis zu diesem Knoten vollständig zu</translation>
    </message>
    <message>
        <source>Edi&amp;t Deed...</source>
        <translation>BOD bearbei&amp;ten...</translation>
    </message>
    <message>
        <source>&amp;Delete BOD</source>
        <translation>BOD &amp;löschen</translation>
    </message>
    <message>
        <source>Delete the selected BOD
Delete BOD</source>
        <translation>Den ausgewählten BOD löschen
BOD löschen</translation>
    </message>
</context>
<context>
    <name>DropRefusal</name>
    <message>
        <source>Drop the small deed onto a large deed.</source>
        <translation>Legen Sie den kleinen BOD auf einem großen BOD ab.</translation>
    </message>
    <message>
        <source>This large deed asks for no such item.</source>
        <translation>Dieser große BOD verlangt diesen Gegenstand nicht.</translation>
    </message>
    <message>
        <source>An exceptional large deed takes exceptional small deeds only.</source>
        <translation>Ein außergewöhnlicher großer BOD nimmt nur außergewöhnliche kleine BODs.</translation>
    </message>
    <message>
        <source>This large deed asks for another material.</source>
        <translation>Dieser große BOD verlangt ein anderes Material.</translation>
    </message>
    <message>
        <source>The two deeds ask for different amounts.</source>
        <translation>Die beiden BODs verlangen verschiedene Anzahlen.</translation>
    </message>
    <message>
        <source>The small deed is not complete yet.</source>
        <translation>Der kleine BOD ist noch nicht fertig.</translation>
    </message>
    <message>
        <source>This large deed has that part filled already.</source>
        <translation>Bei diesem großen BOD ist dieser Teil schon gefüllt.</translation>
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
    <name>PointsText</name>
    <message>
        <source>%1 points%2%3 banked</source>
        <extracomment>%1 points earned on turning the deed in, %2 a space and an opening bracket or a line break, %3 the points banked.</extracomment>
        <translation>%1 Punkte%2%3 angespart</translation>
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
    <message>
        <source>its content could not be copied to the recovery folder first (%1)</source>
        <translation>ihr Inhalt konnte nicht zuerst in den Wiederherstellungsordner kopiert werden (%1)</translation>
    </message>
    <message>
        <source>; its previous content could not be put back, and a copy of it is kept at %1</source>
        <translation>; ihr vorheriger Inhalt konnte nicht zurückgeschrieben werden, eine Kopie davon liegt in %1</translation>
    </message>
    <message>
        <source>%1 is a link that another account put in a shared folder, and it is not followed</source>
        <translation>%1 ist eine Verknüpfung, die ein anderes Benutzerkonto in einen gemeinsamen Ordner gelegt hat; ihr wird nicht gefolgt</translation>
    </message>
    <message>
        <source>the file has more than one name, so it is rewritten in place, and that failed: %1</source>
        <translation>die Datei hat mehr als einen Namen und wird deshalb an Ort und Stelle neu geschrieben, was fehlschlug: %1</translation>
    </message>
</context>
</TS>
