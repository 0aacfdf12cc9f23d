<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>qw::AboutDlg</name>
    <message>
        <source>Email: %1</source>
        <extracomment>About box: %1 is the support e-mail address</extracomment>
        <translation>E-Mail: %1</translation>
    </message>
    <message>
        <source>Web: %1</source>
        <extracomment>About box: %1 is the web site&apos;s address</extracomment>
        <translation>Web: %1</translation>
    </message>
    <message>
        <source>Copyright (C) 2026 The Quirewright developers.
Free software under the GNU AGPL, version 3 or later.</source>
        <extracomment>About box: the ownership and licence notice, two lines</extracomment>
        <translation>Copyright (C) 2026 Die Quirewright-Entwickler.
Freie Software unter der GNU AGPL, Version 3 oder neuer.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>About Ardenne Quirewright 2.0</source>
        <extracomment>About box title; &quot;Ardenne Quirewright&quot; is the product&apos;s name</extracomment>
        <translation>Über Ardenne Quirewright 2.0</translation>
    </message>
</context>
<context>
    <name>qw::BatchDocument</name>
    <message>
        <source>The split was stopped before any part was written.</source>
        <translation>Das Teilen wurde angehalten, bevor ein Teil geschrieben wurde.</translation>
    </message>
    <message>
        <source>The document %1 no longer exists.</source>
        <translation>Das Dokument %1 existiert nicht mehr.</translation>
    </message>
    <message>
        <source>The document %1 is not a file: name a PDF file after --split.</source>
        <translation>Das Dokument %1 ist keine Datei: Geben Sie nach --split eine PDF-Datei an.</translation>
    </message>
    <message>
        <source>The document %1 could not be read: it is not a PDF.</source>
        <translation>Das Dokument %1 konnte nicht gelesen werden: Es ist kein PDF.</translation>
    </message>
    <message>
        <source>The document %1 could not be read: it is protected by a password. Remove the password in a PDF reader first.</source>
        <translation>Das Dokument %1 konnte nicht gelesen werden: Es ist durch ein Kennwort geschützt. Entfernen Sie das Kennwort zuerst in einem PDF-Reader.</translation>
    </message>
    <message>
        <source>The document %1 could not be read: there was not enough memory. Close other programs and try again.</source>
        <translation>Das Dokument %1 konnte nicht gelesen werden: Es war nicht genug Arbeitsspeicher vorhanden. Schließen Sie andere Programme und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>The document %1 could not be read: %2. Check that it opens in a PDF reader.</source>
        <translation>Das Dokument %1 konnte nicht gelesen werden: %2. Prüfen Sie, ob es sich in einem PDF-Reader öffnen lässt.</translation>
    </message>
    <message>
        <source>The document %1 could not be read: it is not a PDF, or it is damaged or protected by a password. Check that it opens in a PDF reader.</source>
        <translation>Das Dokument %1 konnte nicht gelesen werden: Es ist kein PDF, oder es ist beschädigt oder durch ein Kennwort geschützt. Prüfen Sie, ob es sich in einem PDF-Reader öffnen lässt.</translation>
    </message>
    <message>
        <source>The document %1 does not exist. Check its path and name.</source>
        <translation>Das Dokument %1 existiert nicht. Prüfen Sie Pfad und Namen.</translation>
    </message>
    <message>
        <source>%1 is not a file. Name a PDF document after --split.</source>
        <translation>%1 ist keine Datei. Geben Sie nach --split ein PDF-Dokument an.</translation>
    </message>
    <message>
        <source>The document %1 has no bookmarks to split at. Use --at or --every instead. %2</source>
        <translation>Das Dokument %1 hat keine Lesezeichen, an denen geteilt werden könnte. Verwenden Sie stattdessen --at oder --every. %2</translation>
    </message>
    <message>
        <source>no bookmark title matches --bookmark-match %1; the document is one part.</source>
        <translation>kein Lesezeichentitel passt zu --bookmark-match %1; das Dokument bleibt ein einziger Teil.</translation>
    </message>
    <message>
        <source>Every page of %1 is a separator: there is no part to write. %2</source>
        <translation>Jede Seite von %1 ist ein Trennblatt: Es gibt keinen Teil zu schreiben. %2</translation>
    </message>
    <message>
        <source>%1

Pass --replace to replace it, or choose another --output-folder or --pattern. %2</source>
        <translation>%1

Geben Sie --replace an, um die Datei zu ersetzen, oder wählen Sie einen anderen --output-folder oder ein anderes --pattern. %2</translation>
    </message>
    <message>
        <source>%1

Pass --replace to replace them, or choose another --output-folder or --pattern. %2</source>
        <translation>%1

Geben Sie --replace an, um die Dateien zu ersetzen, oder wählen Sie einen anderen --output-folder oder ein anderes --pattern. %2</translation>
    </message>
    <message>
        <source>--at %1: the document has only one page, so it cannot be split.</source>
        <translation>--at %1: Das Dokument hat nur eine Seite und kann daher nicht geteilt werden.</translation>
    </message>
    <message>
        <source>--at %1: the document has %2 pages, so a new part can begin at page 2 to %2 only.</source>
        <translation>--at %1: Das Dokument hat %2 Seiten, daher kann ein neuer Teil nur bei Seite 2 bis %2 beginnen.</translation>
    </message>
    <message>
        <source>Archiving is on in the options, but no archive folder is set. Pass --archive-folder DIR. %1</source>
        <translation>Das Archivieren ist in den Optionen eingeschaltet, aber es ist kein Archivordner festgelegt. Geben Sie --archive-folder DIR an. %1</translation>
    </message>
    <message>
        <source>The archive folder %1 does not exist. Create it, or pass --archive-folder with another folder. %2</source>
        <translation>Der Archivordner %1 existiert nicht. Legen Sie ihn an, oder geben Sie --archive-folder mit einem anderen Ordner an. %2</translation>
    </message>
    <message>
        <source>The document cannot be archived: %1 already exists. Move that file away, or pass --archive-folder with another folder. %2</source>
        <translation>Das Dokument kann nicht archiviert werden: %1 existiert bereits. Verschieben Sie diese Datei an einen anderen Ort, oder geben Sie --archive-folder mit einem anderen Ordner an. %2</translation>
    </message>
    <message>
        <source>A part came out larger than %1: %2</source>
        <translation>Ein Teil ist größer als %1 geworden: %2</translation>
    </message>
    <message>
        <source>Some parts came out larger than %1: %2</source>
        <translation>Einige Teile sind größer als %1 geworden: %2</translation>
    </message>
    <message>
        <source>%1 --at-separators places no break point.</source>
        <translation>%1 --at-separators setzt keine Trennstelle.</translation>
    </message>
    <message>
        <source>the whole document fits in one part of at most %1; --max-size places no break point.</source>
        <translation>das ganze Dokument passt in einen Teil von höchstens %1; --max-size setzt keine Trennstelle.</translation>
    </message>
    <message>
        <source>%1 --at-change places no break point.</source>
        <translation>%1 --at-change setzt keine Trennstelle.</translation>
    </message>
    <message>
        <source>every page that --at-change %1 matches has the same value; it places no break point.</source>
        <translation>jede Seite, zu der --at-change %1 passt, hat denselben Wert; es setzt keine Trennstelle.</translation>
    </message>
</context>
<context>
    <name>qw::BatchSplit</name>
    <message>
        <source>Run &quot;quirewright --help&quot; to see the options.</source>
        <translation>Führen Sie &quot;quirewright --help&quot; aus, um die Optionen zu sehen.</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Splits &lt;document&gt; into parts; more documents or folders may follow it.</source>
        <translation>Teilt &lt;Dokument&gt; in Teile; weitere Dokumente oder Ordner können folgen.</translation>
    </message>
    <message>
        <source>document</source>
        <extracomment>The value an option takes, as --help shows it: &lt;document&gt;. The same word as in the description.</extracomment>
        <translation>Dokument</translation>
    </message>
    <message>
        <source>Begins a new part before each of these pages (from 2 to the page count).</source>
        <translation>Beginnt vor jeder dieser Seiten einen neuen Teil (von 2 bis zur Anzahl der Seiten).</translation>
    </message>
    <message>
        <source>Begins a new part every &lt;N&gt; pages.</source>
        <translation>Beginnt alle &lt;N&gt; Seiten einen neuen Teil.</translation>
    </message>
    <message>
        <source>Begins a new part where each bookmark of level 1 to &lt;level&gt; begins.</source>
        <translation>Beginnt einen neuen Teil dort, wo ein Lesezeichen der Ebene 1 bis &lt;Ebene&gt; beginnt.</translation>
    </message>
    <message>
        <source>level</source>
        <extracomment>The value an option takes, as --help shows it: &lt;level&gt;. The same word as in the description.</extracomment>
        <translation>Ebene</translation>
    </message>
    <message>
        <source>With --at-bookmarks, only at bookmarks whose title contains a match of &lt;regex&gt; (Perl-like, case ignored).</source>
        <translation>Mit --at-bookmarks nur an Lesezeichen, deren Titel einen Treffer für &lt;regex&gt; enthält (wie in Perl, ohne Beachtung der Groß-/Kleinschreibung).</translation>
    </message>
    <message>
        <source>regex</source>
        <extracomment>The value an option takes, as --help shows it: &lt;regex&gt;. The same word as in the description.</extracomment>
        <translation>regex</translation>
    </message>
    <message>
        <source>Begins a new part wherever the next page would make a part larger than &lt;size&gt;: bytes, or with K, M or G for thousands, millions or billions of bytes (10M is 10,000,000 bytes). A page larger than that alone is a part of its own, with a warning.</source>
        <translation>Beginnt überall dort einen neuen Teil, wo die nächste Seite einen Teil größer als &lt;Größe&gt; machen würde: in Byte, oder mit K, M oder G für Tausende, Millionen oder Milliarden Byte (10M sind 10.000.000 Byte). Eine Seite, die allein schon größer ist, wird mit einer Warnung ein eigener Teil.</translation>
    </message>
    <message>
        <source>size</source>
        <extracomment>The value an option takes, as --help shows it: &lt;size&gt;. The same word as in the description.</extracomment>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Leaves the separator sheets out of the parts.</source>
        <translation>Lässt die Trennblätter in den Teilen aus.</translation>
    </message>
    <message>
        <source>Names the parts: {basename} {part} {part:0000} {filecount} {pagebegin} {pageend} {bookmark} {separator}.</source>
        <translation>Benennt die Teile: {basename} {part} {part:0000} {filecount} {pagebegin} {pageend} {bookmark} {separator}.</translation>
    </message>
    <message>
        <source>pattern</source>
        <extracomment>The value an option takes, as --help shows it: &lt;pattern&gt;. The same word as in the description.</extracomment>
        <translation>Namensmuster</translation>
    </message>
    <message>
        <source>Writes the parts into &lt;folder&gt;.</source>
        <translation>Schreibt die Teile in &lt;Ordner&gt;.</translation>
    </message>
    <message>
        <source>folder</source>
        <extracomment>The value an option takes, as --help shows it: &lt;folder&gt;. The same word as in the description.</extracomment>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Moves the document into &lt;folder&gt; once every part is written.</source>
        <translation>Verschiebt das Dokument nach &lt;Ordner&gt;, sobald alle Teile geschrieben sind.</translation>
    </message>
    <message>
        <source>Replaces files that have the parts&apos; names (else nothing is written).</source>
        <translation>Ersetzt Dateien, die die Namen der Teile tragen (sonst wird nichts geschrieben).</translation>
    </message>
    <message>
        <source>Prints the parts (pages, final path, &quot;exists&quot; where a file is in the way) and what would refuse the split, and writes nothing; exits 1 if the split would be refused.</source>
        <translation>Gibt die Teile aus (Seiten, endgültiger Pfad, &quot;exists&quot;, wo eine Datei im Weg ist) und was das Teilen verhindern würde, und schreibt nichts; endet mit 1, wenn das Teilen abgelehnt würde.</translation>
    </message>
    <message>
        <source>With --dry-run, prints the plan as text or as one JSON document.</source>
        <translation>Gibt mit --dry-run den Plan als Text oder als ein JSON-Dokument aus.</translation>
    </message>
    <message>
        <source>Runs up to &lt;N&gt; engines at once, over the parts and the documents (default: one per core).</source>
        <translation>Führt bis zu &lt;N&gt; PDF-Engines gleichzeitig aus, verteilt auf die Teile und die Dokumente (Standard: eine pro Kern).</translation>
    </message>
    <message>
        <source>--at %1: &quot;%2&quot; is not a page number. Give the pages that new parts begin at, separated by commas, such as --at 4,8,12.</source>
        <translation>--at %1: &quot;%2&quot; ist keine Seitennummer. Geben Sie die Seiten an, bei denen neue Teile beginnen, durch Kommas getrennt, etwa --at 4,8,12.</translation>
    </message>
    <message>
        <source>The folder %1 has no PDF documents in it. %2</source>
        <translation>Der Ordner %1 enthält keine PDF-Dokumente. %2</translation>
    </message>
    <message>
        <source>No document to split: pass --split DOC.pdf. %1</source>
        <translation>Kein Dokument zum Teilen: Geben Sie --split DOC.pdf an. %1</translation>
    </message>
    <message>
        <source>--jobs %1: give how many engines may run at once, 1 to %2, such as --jobs 2.</source>
        <translation>--jobs %1: Geben Sie an, wie viele PDF-Engines gleichzeitig laufen dürfen, 1 bis %2, etwa --jobs 2.</translation>
    </message>
    <message>
        <source>--%1 needs a folder. %2</source>
        <translation>--%1 benötigt einen Ordner. %2</translation>
    </message>
    <message>
        <source>--at, --every and --at-bookmarks cannot be used together: give one of them. %1</source>
        <translation>--at, --every und --at-bookmarks können nicht zusammen verwendet werden: Geben Sie nur eine dieser Optionen an. %1</translation>
    </message>
    <message>
        <source>--at-bookmarks %1: give the deepest bookmark level to split at, 1 or more, such as --at-bookmarks 1.</source>
        <translation>--at-bookmarks %1: Geben Sie die tiefste Lesezeichenebene an, an der geteilt werden soll, 1 oder mehr, etwa --at-bookmarks 1.</translation>
    </message>
    <message>
        <source>--bookmark-match chooses among the bookmarks of --at-bookmarks: give --at-bookmarks LEVEL too. %1</source>
        <translation>--bookmark-match wählt unter den Lesezeichen von --at-bookmarks aus: Geben Sie auch --at-bookmarks LEVEL an. %1</translation>
    </message>
    <message>
        <source>--bookmark-match %1: %2 at character %3. Give a regular expression, such as --bookmark-match &quot;^Chapter&quot;.</source>
        <translation>--bookmark-match %1: %2 bei Zeichen %3. Geben Sie einen regulären Ausdruck an, etwa --bookmark-match &quot;^Kapitel&quot;.</translation>
    </message>
    <message>
        <source>--at-separators %1: give blank, dark, barcode, barcode:TEXT or text:PHRASE, such as --at-separators blank.</source>
        <translation type="vanished">--at-separators %1: Geben Sie blank, dark, barcode, barcode:TEXT oder text:PHRASE an, etwa --at-separators blank.</translation>
    </message>
    <message>
        <source>--max-size %1: %2</source>
        <translation>--max-size %1: %2</translation>
    </message>
    <message>
        <source>--plan-format tells how --dry-run prints its plan: give --dry-run too. %1</source>
        <translation>--plan-format legt fest, wie --dry-run den Plan ausgibt: Geben Sie auch --dry-run an. %1</translation>
    </message>
    <message>
        <source>--plan-format %1: give text or json.</source>
        <translation>--plan-format %1: Geben Sie text oder json an.</translation>
    </message>
    <message>
        <source>--drop-separators leaves out the separator sheets that --at-separators finds: give --at-separators too. %1</source>
        <translation>--drop-separators lässt die Trennblätter aus, die --at-separators findet: Geben Sie auch --at-separators an. %1</translation>
    </message>
    <message>
        <source>--every %1: give the number of pages in each part, 1 or more, such as --every 10.</source>
        <translation>--every %1: Geben Sie die Anzahl der Seiten pro Teil an, 1 oder mehr, etwa --every 10.</translation>
    </message>
    <message>
        <source>--pattern: the pattern is not valid UTF-8. Give it in UTF-8.</source>
        <translation>--pattern: Das Namensmuster ist kein gültiges UTF-8. Geben Sie es in UTF-8 an.</translation>
    </message>
    <message>
        <source>The options say to ask for the output folder at every split, and there is no window to ask in. Pass --output-folder DIR.</source>
        <translation>Laut den Optionen soll bei jedem Teilen nach dem Ausgabeordner gefragt werden, doch es gibt kein Fenster, in dem gefragt werden kann. Geben Sie --output-folder DIR an.</translation>
    </message>
    <message>
        <source>The options say to write the parts into an output folder, but name none. Pass --output-folder DIR.</source>
        <translation>Laut den Optionen sollen die Teile in einen Ausgabeordner geschrieben werden, doch es ist keiner angegeben. Geben Sie --output-folder DIR an.</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <extracomment>The first line of --help; the command line after &quot;%1&quot; stays as it is.</extracomment>
        <translation>Aufruf: %1</translation>
    </message>
    <message>
        <source>Splits a PDF into parts without opening the window; &quot;quirewright [DOC.pdf]&quot; opens the window.
The name pattern, output folder and archive folder are the options file&apos;s unless given here.
Several documents, or a folder of them, are each split with the same options; a refused one
does not stop the others, and the last line sums the run up.

Exit codes: 0 every part was written (and the document archived, if asked);
1 the split was refused or failed (for one document at least); 2 the command line is wrong or
incomplete; 130, 143 or 129 stopped by Ctrl+C, SIGTERM or SIGHUP (the parts already written are
named).

Example: quirewright --split book.pdf --at 5,17 --output-folder parts</source>
        <translation>Teilt ein PDF in Teile, ohne das Fenster zu öffnen; &quot;quirewright [DOC.pdf]&quot; öffnet das Fenster.
Namensmuster, Ausgabeordner und Archivordner kommen aus der Optionsdatei, wenn nicht hier angegeben.
Mehrere Dokumente oder ein Ordner mit Dokumenten werden jeweils mit denselben Optionen geteilt; ein
abgelehntes hält die anderen nicht auf, und die letzte Zeile fasst den Lauf zusammen.

Exit-Codes: 0 jeder Teil wurde geschrieben (und das Dokument archiviert, falls verlangt);
1 das Teilen wurde abgelehnt oder schlug fehl (bei mindestens einem Dokument); 2 die Befehlszeile
ist falsch oder unvollständig; 130, 143 oder 129 durch Ctrl+C, SIGTERM oder SIGHUP angehalten
(die schon geschriebenen Teile werden genannt).

Beispiel: quirewright --split book.pdf --at 5,17 --output-folder parts</translation>
    </message>
    <message>
        <source>Begins new parts at the pages of &lt;kind&gt;: blank, dark, barcode, barcode:TEXT (a barcode whose text contains TEXT) or text:PHRASE (a page whose text contains PHRASE). A page found by its text or barcode is the first page of a document and always begins a part; a blank or dark sheet, or one left out, begins the part after it, and one on the last page none.</source>
        <translation type="vanished">Beginnt neue Teile an den Seiten der &lt;Art&gt;: blank (leer), dark (dunkel), barcode, barcode:TEXT (ein Barcode, dessen Text TEXT enthält) oder text:PHRASE (eine Seite, deren Text PHRASE enthält). Eine an ihrem Text oder Barcode erkannte Seite ist die erste Seite eines Dokuments und beginnt immer einen Teil; ein leeres oder dunkles Blatt, oder eines, das ausgelassen wird, beginnt den Teil danach, und eines auf der letzten Seite keinen.</translation>
    </message>
    <message>
        <source>kind</source>
        <extracomment>The value an option takes, as --help shows it: &lt;kind&gt;. The same word as in the description.</extracomment>
        <translation>Art</translation>
    </message>
    <message>
        <source>Begins new parts at the pages of &lt;kind&gt;: blank, dark, barcode, barcode:TEXT (a barcode whose text contains TEXT), text:PHRASE (a page whose text contains PHRASE) or match:REGEX (a page whose text, its lines joined by spaces, has a match of REGEX, case ignored; its first group, or the match, is what {separator} names the part by). A page found by its text or barcode is the first page of a document and always begins a part; a blank or dark sheet, or one left out, begins the part after it, and one on the last page none.</source>
        <translation>Beginnt neue Teile an den Seiten der &lt;Art&gt;: blank (leer), dark (dunkel), barcode, barcode:TEXT (ein Barcode, dessen Text TEXT enthält), text:PHRASE (eine Seite, deren Text PHRASE enthält) oder match:REGEX (eine Seite, deren Text, die Zeilen durch Leerzeichen verbunden, einen Treffer von REGEX enthält, ohne Rücksicht auf Groß- und Kleinschreibung; ihre erste Gruppe, oder sonst der Treffer, benennt den Teil für {separator}). Eine an ihrem Text oder Barcode erkannte Seite ist die erste Seite eines Dokuments und beginnt immer einen Teil; ein leeres oder dunkles Blatt, oder eines, das ausgelassen wird, beginnt den Teil danach, und eines auf der letzten Seite keinen.</translation>
    </message>
    <message>
        <source>--at-separators %1: give blank, dark, barcode, barcode:TEXT, text:PHRASE or match:REGEX (a valid regular expression), such as --at-separators blank.</source>
        <translation>--at-separators %1: Geben Sie blank, dark, barcode, barcode:TEXT, text:PHRASE oder match:REGEX (ein gültiger regulärer Ausdruck) an, etwa --at-separators blank.</translation>
    </message>
    <message>
        <source>Begins a new part at each page whose value differs from the last one seen: the first group of &lt;regex&gt; (or its match) in the page&apos;s text, case ignored, such as an account or invoice number. Pages without a match stay with the part before them.</source>
        <translation>Beginnt einen neuen Teil an jeder Seite, deren Wert sich vom zuletzt gesehenen unterscheidet: die erste Gruppe von &lt;Ausdruck&gt; (oder sein Treffer) im Text der Seite, ohne Rücksicht auf Groß- und Kleinschreibung, etwa eine Konto- oder Rechnungsnummer. Seiten ohne Treffer bleiben beim Teil davor.</translation>
    </message>
    <message>
        <source>--at-change %1: %2 at character %3. Give a regular expression with the value in a group, such as --at-change &quot;Account (\d+)&quot;.</source>
        <translation>--at-change %1: %2 an Stelle %3. Geben Sie einen regulären Ausdruck mit dem Wert in einer Gruppe an, etwa --at-change &quot;Konto (\d+)&quot;.</translation>
    </message>
    <message>
        <source>nothing is given</source>
        <translation>es ist nichts angegeben</translation>
    </message>
</context>
<context>
    <name>qw::BreakPointModel</name>
    <message>
        <source>Page No.</source>
        <translation>Seite Nr.</translation>
    </message>
</context>
<context>
    <name>qw::DocumentReport</name>
    <message>
        <source>Free some space there, or name another folder in the TMPDIR environment variable, and try again.</source>
        <translation>Schaffen Sie dort Platz, oder geben Sie in der Umgebungsvariablen TMPDIR einen anderen Ordner an, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>No file for the PDF engine&apos;s report could be made in the temporary folder %1: %2. %3</source>
        <translation>Im temporären Ordner %1 konnte keine Datei für den Bericht der PDF-Engine angelegt werden: %2. %3</translation>
    </message>
    <message>
        <source>The PDF engine could not write its report in the temporary folder %1: %2. %3</source>
        <translation>Die PDF-Engine konnte ihren Bericht nicht in den temporären Ordner %1 schreiben: %2. %3</translation>
    </message>
    <message>
        <source>The document was replaced or changed while it was being read. Open it again.</source>
        <translation>Das Dokument wurde ersetzt oder geändert, während es gelesen wurde. Öffnen Sie es erneut.</translation>
    </message>
</context>
<context>
    <name>qw::EngineRunner</name>
    <message>
        <source>the file is missing</source>
        <translation>die Datei fehlt</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es handelt sich um einen Ordner</translation>
    </message>
    <message>
        <source>it is not marked as executable</source>
        <translation>die Datei ist nicht als ausführbar markiert</translation>
    </message>
    <message>
        <source>the interpreter or loader it needs is missing</source>
        <translation>der benötigte Interpreter oder Loader fehlt</translation>
    </message>
    <message>
        <source>The PDF engine %1 could not be started: %2.</source>
        <translation>Die PDF-Engine %1 konnte nicht gestartet werden: %2.</translation>
    </message>
    <message>
        <source>There was no program to run.</source>
        <translation>Es gab kein Programm zum Ausführen.</translation>
    </message>
    <message>
        <source>The folder %1 does not exist.</source>
        <translation>Der Ordner %1 existiert nicht.</translation>
    </message>
    <message>
        <source>The PDF engine was stopped.</source>
        <translation>Die PDF-Engine wurde angehalten.</translation>
    </message>
    <message>
        <source>The PDF engine stopped unexpectedly.</source>
        <translation>Die PDF-Engine wurde unerwartet beendet.</translation>
    </message>
    <message>
        <source>The PDF engine was given nothing to do.</source>
        <translation>Die PDF-Engine hat keine Aufgabe erhalten.</translation>
    </message>
</context>
<context>
    <name>qw::GlyphMenu</name>
    <message>
        <source>&amp;File</source>
        <extracomment>Menu bar title; the &amp; marks the access key (Alt+letter), unique in the menu bar</extracomment>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <extracomment>File menu: shows the dialog to open a PDF</extracomment>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>O&amp;ptions...</source>
        <extracomment>File menu: shows the Options dialog (output folder, archive folder, name pattern)</extracomment>
        <translation>O&amp;ptionen...</translation>
    </message>
    <message>
        <source>Recent File</source>
        <extracomment>File menu: greyed placeholder where the recently opened files are listed</extracomment>
        <translation>Zuletzt geöffnete Datei</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <extracomment>File menu: ends the program</extracomment>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Action</source>
        <extracomment>Menu bar title of the break point commands and the split</extracomment>
        <translation>&amp;Aktion</translation>
    </message>
    <message>
        <source>&amp;Insert Break Point</source>
        <extracomment>A break point is where a new part (output PDF) begins, before the selected page</extracomment>
        <translation>Trennstelle &amp;einfügen</translation>
    </message>
    <message>
        <source>&amp;Delete Break Point</source>
        <extracomment>Removes the selected break point</extracomment>
        <translation>Trennstelle &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;Clean All Break Points</source>
        <extracomment>Removes every break point (&quot;clean&quot; = clear)</extracomment>
        <translation>&amp;Alle Trennstellen löschen</translation>
    </message>
    <message>
        <source>&amp;Split PDF Based Break Points</source>
        <extracomment>Splits the PDF into parts at the break points (&quot;based on break points&quot;)</extracomment>
        <translation>PDF an den Trennstellen &amp;teilen</translation>
    </message>
    <message>
        <source>&amp;Place Break Points...</source>
        <extracomment>Shows a dialog that places break points at bookmarks or every N pages</extracomment>
        <translation>Trennstellen &amp;setzen...</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <extracomment>Undoes the last change to the break points</extracomment>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <extracomment>Redoes the change last undone</extracomment>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>Show &amp;Thumbnails</source>
        <extracomment>Turns the preview into a grid of small pictures of every page, and back</extracomment>
        <translation>&amp;Miniaturen anzeigen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <extracomment>Menu bar title</extracomment>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;View Web Site</source>
        <extracomment>Opens the program&apos;s web site in the browser</extracomment>
        <translation>&amp;Website besuchen</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <extracomment>Shows the About box</extracomment>
        <translation>Ü&amp;ber Quirewright...</translation>
    </message>
    <message>
        <source>Leave Page &amp;Out</source>
        <extracomment>Page list&apos;s context menu: the selected page is in no part (e.g. a separator sheet)</extracomment>
        <translation>&amp;Seite auslassen</translation>
    </message>
</context>
<context>
    <name>qw::HyperlinkLabel</name>
    <message>
        <source>The operating system is out
of memory or resources.</source>
        <extracomment>Why a link could not be opened, shown below &quot;Unable to open hyperlink:&quot;</extracomment>
        <translation>Das Betriebssystem hat keinen Speicher
oder keine Ressourcen mehr.</translation>
    </message>
    <message>
        <source>The specified file was not found.</source>
        <translation>Die angegebene Datei wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The specified path was not found.</source>
        <translation>Der angegebene Pfad wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The operating system denied
access to the specified file.</source>
        <translation>Das Betriebssystem hat den Zugriff
auf die angegebene Datei verweigert.</translation>
    </message>
    <message>
        <source>There was not enough memory to complete the operation.</source>
        <translation>Es war nicht genug Speicher vorhanden, um den Vorgang abzuschließen.</translation>
    </message>
    <message>
        <source>The .EXE file is invalid
(non-Win32 .EXE or error in .EXE image).</source>
        <translation>Die .EXE-Datei ist ungültig
(keine Win32-.EXE oder Fehler im .EXE-Abbild).</translation>
    </message>
    <message>
        <source>A sharing violation occurred. </source>
        <translation>Eine Freigabeverletzung ist aufgetreten. </translation>
    </message>
    <message>
        <source>The filename association is
incomplete or invalid.</source>
        <translation>Die Zuordnung des Dateinamens ist
unvollständig oder ungültig.</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because the request timed out.</source>
        <translation>Die DDE-Transaktion konnte nicht
abgeschlossen werden, weil die Anforderung zu lange dauerte.</translation>
    </message>
    <message>
        <source>The DDE transaction failed.</source>
        <translation>Die DDE-Transaktion ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because other DDE transactions
were being processed.</source>
        <translation>Die DDE-Transaktion konnte nicht
abgeschlossen werden, weil andere DDE-Transaktionen
gerade verarbeitet wurden.</translation>
    </message>
    <message>
        <source>There is no application associated
with the given filename extension.</source>
        <translation>Der angegebenen Dateinamenerweiterung
ist keine Anwendung zugeordnet.</translation>
    </message>
    <message>
        <source>The specified dynamic-link library was not found.</source>
        <translation>Die angegebene Dynamic Link Library (DLL) wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Unknown Error (%1) occurred.</source>
        <extracomment>%1 is an error number</extracomment>
        <translation>Ein unbekannter Fehler (%1) ist aufgetreten.</translation>
    </message>
    <message>
        <source>Unable to open hyperlink:

</source>
        <translation>Der Hyperlink konnte nicht geöffnet werden:

</translation>
    </message>
</context>
<context>
    <name>qw::NativeFileName</name>
    <message>
        <source>The name of %1 is not valid UTF-8, so it cannot be told apart from other names. Rename the file (or the folder) and try again.</source>
        <translation>Der Name von %1 ist kein gültiges UTF-8 und kann daher nicht von anderen Namen unterschieden werden. Benennen Sie die Datei (oder den Ordner) um und versuchen Sie es erneut.</translation>
    </message>
</context>
<context>
    <name>qw::OpenFailure</name>
    <message>
        <source>The file no longer exists</source>
        <extracomment>Why a document could not be opened, shown in the preview</extracomment>
        <translation>Die Datei existiert nicht mehr</translation>
    </message>
    <message>
        <source>This file is not a PDF</source>
        <translation>Diese Datei ist kein PDF</translation>
    </message>
    <message>
        <source>This PDF is protected by a password</source>
        <translation>Dieses PDF ist durch ein Kennwort geschützt</translation>
    </message>
    <message>
        <source>This PDF could not be read: %1</source>
        <translation>Dieses PDF konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>The PDF engine %1 is missing beside the program</source>
        <translation>Die PDF-Engine %1 fehlt im Ordner des Programms</translation>
    </message>
    <message>
        <source>There is not enough memory to open this PDF</source>
        <translation>Es ist nicht genug Arbeitsspeicher vorhanden, um dieses PDF zu öffnen</translation>
    </message>
    <message>
        <source>the PDF engine gave no reason</source>
        <translation>die PDF-Engine hat keinen Grund genannt</translation>
    </message>
    <message>
        <source>the PDF engine found no pages in it</source>
        <translation>die PDF-Engine hat darin keine Seiten gefunden</translation>
    </message>
</context>
<context>
    <name>qw::OptionsDlg</name>
    <message>
        <source>Ask to seltct an output folder before splitting</source>
        <extracomment>Options: radio button; &quot;seltct&quot; is a typo of &quot;select&quot; kept in English only</extracomment>
        <translation>Vor dem Teilen nach einem Ausgabeordner fragen</translation>
    </message>
    <message>
        <source>Output to following folder</source>
        <extracomment>Options: radio button; the folder is typed in the field below it</extracomment>
        <translation>In folgenden Ordner schreiben</translation>
    </message>
    <message>
        <source>Same folder as original pdf file</source>
        <extracomment>Options: radio button; the parts go beside the PDF being split</extracomment>
        <translation>Ordner der ursprünglichen PDF-Datei</translation>
    </message>
    <message>
        <source>Move to archive folder after splitting</source>
        <extracomment>Options: check box; the PDF that was split is moved into the archive folder</extracomment>
        <translation>Nach dem Teilen in den Archivordner verschieben</translation>
    </message>
    <message>
        <source>Archive folder:</source>
        <extracomment>Options: label of the archive folder field</extracomment>
        <translation>Archivordner:</translation>
    </message>
    <message>
        <source>Setting..</source>
        <extracomment>Options: button beside a folder field that shows a folder browser (&quot;Browse...&quot;)</extracomment>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>Name pattern for split filename:</source>
        <extracomment>Options: label of the name pattern field; the pattern makes each part&apos;s file name</extracomment>
        <translation>Namensmuster für geteilte Dateien:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Options</source>
        <extracomment>Options dialog title</extracomment>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>The options could not be saved, so they apply only until the program ends.

%1

Please make the folder or file named above writable, then open Options and press Ok again to keep them.</source>
        <translation>Die Optionen konnten nicht gespeichert werden und gelten daher nur, bis das Programm beendet wird.

%1

Bitte machen Sie den oben genannten Ordner bzw. die Datei beschreibbar, öffnen Sie dann die Optionen und klicken Sie erneut auf OK, um sie zu behalten.</translation>
    </message>
    <message>
        <source>Please select a folder</source>
        <translation>Bitte wählen Sie einen Ordner aus</translation>
    </message>
    <message>
        <source>output folder</source>
        <extracomment>Completes &quot;The %1 begins or ends with a space or tab...&quot;</extracomment>
        <translation>Der Ausgabeordner</translation>
    </message>
    <message>
        <source>archive folder</source>
        <translation>Der Archivordner</translation>
    </message>
    <message>
        <source>name pattern</source>
        <translation>Das Namensmuster</translation>
    </message>
    <message>
        <source>Please select output folder!</source>
        <translation>Bitte wählen Sie einen Ausgabeordner aus!</translation>
    </message>
    <message>
        <source>Please select archive folder!</source>
        <translation>Bitte wählen Sie einen Archivordner aus!</translation>
    </message>
    <message>
        <source>The %1 begins or ends with a space or tab, which would be lost when the options are read again.
Please remove the spaces and tabs at its start and end.</source>
        <translation>%1 beginnt oder endet mit einem Leerzeichen oder Tabulator, das beim erneuten Einlesen der Optionen verloren ginge.
Bitte entfernen Sie die Leerzeichen und Tabulatoren am Anfang und am Ende.</translation>
    </message>
</context>
<context>
    <name>qw::OptionsFile</name>
    <message>
        <source>There is no configuration folder for this user (is HOME set?)</source>
        <translation>Für diesen Benutzer gibt es keinen Konfigurationsordner (ist HOME gesetzt?)</translation>
    </message>
    <message>
        <source>%1 cannot be created</source>
        <translation>%1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>%1, so the options in it are not used; the defaults apply. Make it a plain text file to keep options there.</source>
        <extracomment>%1 says which options file is wrong and how, such as: /home/me/options.ini is not a file (a folder, device or pipe)</extracomment>
        <translation>%1, daher werden die Optionen darin nicht verwendet; es gelten die Standardwerte. Machen Sie daraus eine gewöhnliche Textdatei, um dort Optionen zu speichern.</translation>
    </message>
</context>
<context>
    <name>qw::OutputClaims</name>
    <message>
        <source>Part file %1 is %2, another document of this run. Give a --pattern with {basename}, or another --output-folder. Nothing was written.</source>
        <translation>Die Teildatei %1 ist %2, ein anderes Dokument dieses Laufs. Geben Sie ein --pattern mit {basename} oder einen anderen --output-folder an. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>%1 is also where %2, another document of this run, goes. Give a --pattern with {basename}, or split the documents in separate runs. Nothing was written.</source>
        <translation>%1 ist auch das Ziel von %2, einem anderen Dokument dieses Laufs. Geben Sie ein --pattern mit {basename} an, oder teilen Sie die Dokumente in getrennten Läufen. Es wurde nichts geschrieben.</translation>
    </message>
</context>
<context>
    <name>qw::OutputNaming</name>
    <message>
        <source>unknown token %1 in the pattern; the tokens are %2</source>
        <extracomment>%1 is the unknown text in braces, %2 the known tokens</extracomment>
        <translation>unbekannter Platzhalter %1 im Namensmuster; die Platzhalter sind %2</translation>
    </message>
    <message>
        <source>unknown tokens %1 in the pattern; the tokens are %2</source>
        <translation>unbekannte Platzhalter %1 im Namensmuster; die Platzhalter sind %2</translation>
    </message>
</context>
<context>
    <name>qw::OutputTarget</name>
    <message>
        <source>Its folder does not exist.</source>
        <translation>Der Ordner existiert nicht.</translation>
    </message>
    <message>
        <source>No file can be created in its folder.</source>
        <translation>Im Ordner kann keine Datei angelegt werden.</translation>
    </message>
    <message>
        <source>A folder has that name.</source>
        <translation>Ein Ordner hat diesen Namen.</translation>
    </message>
    <message>
        <source>A device, pipe or socket has that name; only files are written.</source>
        <translation>Ein Gerät, eine Pipe oder ein Socket hat diesen Namen; geschrieben werden nur Dateien.</translation>
    </message>
    <message>
        <source>A link of that name leads to %1, which does not exist.</source>
        <translation>Ein Link mit diesem Namen verweist auf das nicht existierende Ziel %1.</translation>
    </message>
    <message>
        <source>A link of that name leads to a folder, device, pipe or socket, not to a file.</source>
        <translation>Ein Link mit diesem Namen verweist auf einen Ordner, ein Gerät, eine Pipe oder einen Socket, nicht auf eine Datei.</translation>
    </message>
    <message>
        <source>The file of that name is read-only.</source>
        <translation>Die Datei mit diesem Namen ist schreibgeschützt.</translation>
    </message>
</context>
<context>
    <name>qw::PageCountQuery</name>
    <message>
        <source>the folder does not exist</source>
        <translation>der Ordner existiert nicht</translation>
    </message>
</context>
<context>
    <name>qw::PageFactsQuery</name>
    <message>
        <source>The PDF engine could not look at the pages: %1</source>
        <translation>Die PDF-Engine konnte die Seiten nicht untersuchen: %1</translation>
    </message>
    <message>
        <source>The barcodes on page %1 could not all be read, so a separator sheet there may have been missed. Look at it before splitting.</source>
        <extracomment>%1 is a page number</extracomment>
        <translation>Die Barcodes auf Seite %1 konnten nicht alle gelesen werden, daher wurde dort möglicherweise ein Trennblatt übersehen. Sehen Sie sich die Seite vor dem Teilen an.</translation>
    </message>
    <message>
        <source>Page %1 could not be looked at: drawing it took too long or too much memory. Look at it before splitting.</source>
        <extracomment>%1 is a page number</extracomment>
        <translation>Seite %1 konnte nicht untersucht werden: Sie zu zeichnen dauerte zu lange oder brauchte zu viel Speicher. Sehen Sie sich die Seite vor dem Teilen an.</translation>
    </message>
    <message>
        <source>%2 pages could not be looked at: drawing them took too long or too much memory (pages %1). Look at them before splitting.</source>
        <extracomment>%1 lists page numbers, %2 is how many there are</extracomment>
        <translation>%2 Seiten konnten nicht untersucht werden: Sie zu zeichnen dauerte zu lange oder brauchte zu viel Speicher (Seiten %1). Sehen Sie sich die Seiten vor dem Teilen an.</translation>
    </message>
    <message>
        <source>The barcodes on %2 pages could not all be read (pages %1), so a separator sheet there may have been missed. Look at them before splitting.</source>
        <extracomment>%1 lists page numbers, %2 is how many there are</extracomment>
        <translation>Die Barcodes auf %2 Seiten konnten nicht alle gelesen werden (Seiten %1), daher wurde dort möglicherweise ein Trennblatt übersehen. Sehen Sie sich die Seiten vor dem Teilen an.</translation>
    </message>
    <message>
        <source>Page %1 has no text to search (a scanned page has none), so the phrase cannot be found there.</source>
        <extracomment>%1 is a page number</extracomment>
        <translation>Seite %1 hat keinen Text, der durchsucht werden kann (eine gescannte Seite hat keinen), daher kann die Phrase dort nicht gefunden werden.</translation>
    </message>
    <message>
        <source>%2 pages have no text to search (scanned pages have none), so the phrase cannot be found there: pages %1.</source>
        <extracomment>%1 lists page numbers, %2 is how many there are</extracomment>
        <translation>%2 Seiten haben keinen Text, der durchsucht werden kann (gescannte Seiten haben keinen), daher kann die Phrase dort nicht gefunden werden: Seiten %1.</translation>
    </message>
    <message>
        <source>No page is a blank separator sheet.</source>
        <translation>Keine Seite ist ein leeres Trennblatt.</translation>
    </message>
    <message>
        <source>No page is a dark separator sheet.</source>
        <translation>Keine Seite ist ein dunkles Trennblatt.</translation>
    </message>
    <message>
        <source>No page has a barcode.</source>
        <translation>Keine Seite hat einen Barcode.</translation>
    </message>
    <message>
        <source>No page has a barcode containing &quot;%1&quot;.</source>
        <translation>Keine Seite hat einen Barcode, der „%1“ enthält.</translation>
    </message>
    <message>
        <source>No page&apos;s text contains &quot;%1&quot;.</source>
        <translation>Der Text keiner Seite enthält „%1“.</translation>
    </message>
    <message>
        <source>No page&apos;s text matches &quot;%1&quot;.</source>
        <translation>Der Text keiner Seite passt zu „%1“.</translation>
    </message>
</context>
<context>
    <name>qw::PagesCommand</name>
    <message>
        <source>No file for the PDF engine&apos;s report could be made in the temporary folder: %1.</source>
        <translation>Im temporären Ordner konnte keine Datei für den Bericht der PDF-Engine angelegt werden: %1.</translation>
    </message>
    <message>
        <source>The document was replaced or changed since it was opened. Open it again.</source>
        <translation>Das Dokument wurde seit dem Öffnen ersetzt oder geändert. Öffnen Sie es erneut.</translation>
    </message>
    <message>
        <source>The PDF engine&apos;s report could not be read: %1</source>
        <translation>Der Bericht der PDF-Engine konnte nicht gelesen werden: %1</translation>
    </message>
</context>
<context>
    <name>qw::PlaceBreakPointsDlg</name>
    <message>
        <source>1 part</source>
        <translation>1 Teil</translation>
    </message>
    <message>
        <source>%1 parts</source>
        <translation>%1 Teile</translation>
    </message>
    <message>
        <source>Strict (clean sheets only)</source>
        <translation>Streng (nur saubere Blätter)</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Tolerant (noisy scans)</source>
        <translation>Tolerant (verrauschte Scans)</translation>
    </message>
    <message>
        <source>Place Break Points</source>
        <translation>Trennstellen setzen</translation>
    </message>
    <message>
        <source>At &amp;bookmarks of level</source>
        <translation>An &amp;Lesezeichen der Ebene</translation>
    </message>
    <message>
        <source>whose title contains (any)</source>
        <translation>deren Titel enthält (beliebig)</translation>
    </message>
    <message>
        <source>A regular expression, such as ^Chapter; case is ignored.</source>
        <translation>Ein regulärer Ausdruck, etwa ^Kapitel; Groß-/Kleinschreibung wird ignoriert.</translation>
    </message>
    <message>
        <source> pages</source>
        <translation> Seiten</translation>
    </message>
    <message>
        <source>At bookmarks (this document has none)</source>
        <translation>An Lesezeichen (dieses Dokument hat keine)</translation>
    </message>
    <message>
        <source>At &amp;separator sheets:</source>
        <translation>An &amp;Trennblättern:</translation>
    </message>
    <message>
        <source>blank pages</source>
        <translation>leere Seiten</translation>
    </message>
    <message>
        <source>dark pages</source>
        <translation>dunkle Seiten</translation>
    </message>
    <message>
        <source>pages with a barcode containing</source>
        <translation>Seiten mit einem Barcode, der enthält</translation>
    </message>
    <message>
        <source>pages whose text contains</source>
        <translation>Seiten, deren Text enthält</translation>
    </message>
    <message>
        <source>Leave the separator pages out of the parts</source>
        <translation>Trennblätter in den Teilen auslassen</translation>
    </message>
    <message>
        <source>Sensitivity:</source>
        <translation>Empfindlichkeit:</translation>
    </message>
    <message>
        <source>Parts of at &amp;most</source>
        <translation>Teile von &amp;höchstens</translation>
    </message>
    <message>
        <source> MB</source>
        <translation> MB</translation>
    </message>
    <message>
        <source>1 MB is 1,000,000 bytes. A page larger than this alone is a part of its own.</source>
        <translation>1 MB sind 1.000.000 Byte. Eine Seite, die allein schon größer ist, wird ein eigener Teil.</translation>
    </message>
    <message>
        <source>Break points already in the list stay.</source>
        <translation>Trennstellen, die schon in der Liste stehen, bleiben erhalten.</translation>
    </message>
    <message>
        <source>1 to %1</source>
        <translation>1 bis %1</translation>
    </message>
    <message>
        <source>any text</source>
        <translation>beliebiger Text</translation>
    </message>
    <message>
        <source>Page 1 of</source>
        <translation>Seite 1 von</translation>
    </message>
    <message>
        <source>&amp;Every</source>
        <translation>All&amp;e</translation>
    </message>
    <message>
        <source>Not a valid expression: %1 at character %2.</source>
        <extracomment>%1 is what is wrong with the expression, %2 where</extracomment>
        <translation>Kein gültiger Ausdruck: %1 bei Zeichen %2.</translation>
    </message>
    <message>
        <source>Each page found is the first page of a document: it begins a part wherever it stands, on the last page and beside another too.</source>
        <translation>Jede gefundene Seite ist die erste Seite eines Dokuments: Sie beginnt einen Teil, wo immer sie steht, auch auf der letzten Seite und neben einer anderen.</translation>
    </message>
    <message>
        <source>Sheets side by side count as one; a sheet begins the part after it, and one on the last page begins none.</source>
        <translation>Nebeneinanderliegende Blätter zählen als eines; ein Blatt beginnt den Teil danach, und eines auf der letzten Seite keinen.</translation>
    </message>
    <message>
        <source>pages whose text matches the expression</source>
        <translation>Seiten, deren Text zum Ausdruck passt</translation>
    </message>
    <message>
        <source>Account (\d+)</source>
        <translation>Konto (\d+)</translation>
    </message>
    <message>
        <source>Where the &amp;value changes:</source>
        <translation>Wo sich der &amp;Wert ändert:</translation>
    </message>
    <message>
        <source>A regular expression; the value is its first group (or its match) in each page&apos;s text. Pages without a match stay with the part before them.</source>
        <translation>Ein regulärer Ausdruck; der Wert ist seine erste Gruppe (oder sein Treffer) im Text jeder Seite. Seiten ohne Treffer bleiben beim Teil davor.</translation>
    </message>
</context>
<context>
    <name>qw::PrivateProfile</name>
    <message>
        <source>invalid section name &quot;%1&quot;</source>
        <translation>ungültiger Abschnittsname &quot;%1&quot;</translation>
    </message>
    <message>
        <source>invalid key name &quot;%1&quot;</source>
        <translation>ungültiger Schlüsselname &quot;%1&quot;</translation>
    </message>
    <message>
        <source>the value of &quot;%1&quot; holds a line break or a NUL</source>
        <translation>der Wert von &quot;%1&quot; enthält einen Zeilenumbruch oder ein NUL-Zeichen</translation>
    </message>
    <message>
        <source>the value of &quot;%1&quot; starts or ends with a blank, which reading would drop</source>
        <translation>der Wert von &quot;%1&quot; beginnt oder endet mit einem Leerzeichen, das beim Einlesen verloren ginge</translation>
    </message>
    <message>
        <source>%1 is not a file (a folder, device or pipe)</source>
        <translation>%1 ist keine Datei (ein Ordner, ein Gerät oder eine Pipe)</translation>
    </message>
    <message>
        <source>%1 is larger than %2 KiB, far more than options take</source>
        <translation>%1 ist größer als %2 KiB, weit mehr, als Optionen brauchen</translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
</context>
<context>
    <name>qw::SizePlanQuery</name>
    <message>
        <source>No size is given.</source>
        <translation>Es ist keine Größe angegeben.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a size: give a whole number of bytes, or one with K, M or G (such as 500K or 10M).</source>
        <translation>&apos;%1&apos; ist keine Größe: Geben Sie eine ganze Zahl von Byte an, oder eine Zahl mit K, M oder G (etwa 500K oder 10M).</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is more than can be counted.</source>
        <translation>&apos;%1&apos; ist größer, als gezählt werden kann.</translation>
    </message>
    <message>
        <source>A part cannot be at most 0 bytes.</source>
        <translation>Die Höchstgröße eines Teils kann nicht 0 Byte sein.</translation>
    </message>
    <message>
        <source>1 byte</source>
        <translation>1 Byte</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Byte</translation>
    </message>
    <message>
        <source>The PDF engine could not plan the parts: %1</source>
        <translation>Die PDF-Engine konnte die Teile nicht planen: %1</translation>
    </message>
    <message>
        <source>The PDF engine&apos;s report holds no plan of the parts.</source>
        <translation>Der Bericht der PDF-Engine enthält keinen Plan der Teile.</translation>
    </message>
    <message>
        <source>Page %1 alone is larger than %2, so its part will be larger than that.</source>
        <translation>Seite %1 allein ist größer als %2, daher wird auch ihr Teil größer sein.</translation>
    </message>
    <message>
        <source>Pages %1 are each larger than %2 alone, so each of their parts will be larger than that.</source>
        <translation>Die Seiten %1 sind jede für sich größer als %2, daher wird auch jeder ihrer Teile größer sein.</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 kB</translation>
    </message>
</context>
<context>
    <name>qw::SplitJob</name>
    <message>
        <source>The engine ended with code %1.</source>
        <translation>Die PDF-Engine wurde mit Code %1 beendet.</translation>
    </message>
    <message>
        <source>The engine reported success but did not write the file.</source>
        <translation>Die PDF-Engine hat Erfolg gemeldet, aber die Datei nicht geschrieben.</translation>
    </message>
    <message>
        <source>part was</source>
        <extracomment>Completes &quot;%1 more %2 not attempted.&quot; for one part or for several</extracomment>
        <translation>weiterer Teil wurde</translation>
    </message>
    <message>
        <source>parts were</source>
        <translation>weitere Teile wurden</translation>
    </message>
    <message>
        <source>The PDF engine is missing or cannot be started:
%1

Reinstall Quirewright so that %2 lies beside the program. Nothing was written.</source>
        <translation>Die PDF-Engine fehlt oder kann nicht gestartet werden:
%1

Installieren Sie Quirewright neu, sodass %2 neben dem Programm liegt. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>The output folder
%1
does not exist.

Create it, or choose another output folder. Nothing was written.</source>
        <translation>Der Ausgabeordner
%1
existiert nicht.

Legen Sie ihn an, oder wählen Sie einen anderen Ausgabeordner. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>The document
%1
has been replaced, moved or changed since it was opened.

Open it again to split it as it is now. Nothing was written.</source>
        <translation>Das Dokument
%1
wurde seit dem Öffnen ersetzt, verschoben oder geändert.

Öffnen Sie es erneut, um es in seinem jetzigen Zustand zu teilen. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>A file of that name appeared while the part was being written. It was left as it is, and the split was stopped: another program may be writing there.</source>
        <translation>Während der Teil geschrieben wurde, ist eine Datei mit diesem Namen aufgetaucht. Sie wurde nicht verändert, und das Teilen wurde angehalten: Möglicherweise schreibt ein anderes Programm dort.</translation>
    </message>
    <message>
        <source>Part %1 (pages %2 to %3), %4:
%5</source>
        <translation>Teil %1 (Seiten %2 bis %3), %4:
%5</translation>
    </message>
    <message>
        <source>A file of that name is already in the archive folder.</source>
        <translation>Im Archivordner gibt es bereits eine Datei mit diesem Namen.</translation>
    </message>
    <message>
        <source>Check that the archive folder exists and can be written to.</source>
        <translation>Prüfen Sie, ob der Archivordner existiert und beschreibbar ist.</translation>
    </message>
    <message>
        <source>The parts were written, but the document could not be moved to
%1

%2</source>
        <translation>Die Teile wurden geschrieben, aber das Dokument konnte nicht verschoben werden nach:
%1

%2</translation>
    </message>
    <message>
        <source>, so the document was not archived</source>
        <translation>, weshalb das Dokument nicht archiviert wurde</translation>
    </message>
    <message>
        <source>%1 more %2 not attempted.</source>
        <translation>%1 %2 nicht mehr geschrieben.</translation>
    </message>
    <message>
        <source>%1 of %2 parts could not be written%3.

%4</source>
        <translation>%1 von %2 Teilen konnten nicht geschrieben werden%3.

%4</translation>
    </message>
    <message>
        <source>The document
%1
has been replaced, moved or changed since it was opened, so the split was stopped%2.</source>
        <translation>Das Dokument
%1
wurde seit dem Öffnen ersetzt, verschoben oder geändert, daher wurde das Teilen angehalten%2.</translation>
    </message>
    <message>
        <source>The split was cancelled%1.</source>
        <translation>Das Teilen wurde abgebrochen%1.</translation>
    </message>
    <message>
        <source>%1 %2 of %3 parts were written%4</source>
        <translation>%1 %2 von %3 Teilen wurden geschrieben%4</translation>
    </message>
    <message>
        <source>Open the document again to split it as it is now.</source>
        <translation>Öffnen Sie das Dokument erneut, um es so zu teilen, wie es jetzt ist.</translation>
    </message>
</context>
<context>
    <name>qw::SplitPlan</name>
    <message>
        <source>Part %1 would be written over the document being split:
%2

Choose another name pattern or output folder. Nothing was written.</source>
        <translation>Teil %1 würde das Dokument überschreiben, das geteilt wird:
%2

Wählen Sie ein anderes Namensmuster oder einen anderen Ausgabeordner. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Parts %1 and %2 would both be written to
%3

Put {part} or {part:0000} in the name pattern so that every part gets a name of its own. Nothing was written.</source>
        <translation>Die Teile %1 und %2 würden beide in dieselbe Datei geschrieben:
%3

Fügen Sie {part} oder {part:0000} in das Namensmuster ein, damit jeder Teil einen eigenen Namen erhält. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Part %1 cannot be written to
%2

%3

Choose another name pattern or output folder. Nothing was written.</source>
        <translation>Teil %1 kann nicht in diese Datei geschrieben werden:
%2

%3

Wählen Sie ein anderes Namensmuster oder einen anderen Ausgabeordner. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <source>This file already exists:</source>
        <translation>Diese Datei existiert bereits:</translation>
    </message>
    <message>
        <source>These %1 files already exist:</source>
        <translation>Diese %1 Dateien existieren bereits:</translation>
    </message>
    <message>
        <source>%1

Do you want to replace it with the new parts?</source>
        <extracomment>%1 names the file that already exists</extracomment>
        <translation>%1

Möchten Sie die Datei durch die neuen Teile ersetzen?</translation>
    </message>
    <message>
        <source>%1

Do you want to replace them with the new parts?</source>
        <translation>%1

Möchten Sie die Dateien durch die neuen Teile ersetzen?</translation>
    </message>
</context>
<context>
    <name>qw::SplitProgress</name>
    <message>
        <source>Writing part %1 of %2...</source>
        <extracomment>Progress of a split: part %1 of %2 parts is being written</extracomment>
        <translation>Teil %1 von %2 wird geschrieben...</translation>
    </message>
</context>
<context>
    <name>qw::SplitterDlg</name>
    <message>
        <source>Open a PDF with the Open button or File &gt; Open..., or drop one here.</source>
        <extracomment>Shown in the preview while no document is open; names the Open button and the File menu</extracomment>
        <translation>Öffnen Sie ein PDF mit der Schaltfläche „Öffnen“ oder über Datei &gt; Öffnen..., oder ziehen Sie eines hierher.</translation>
    </message>
    <message>
        <source>All Supported Formats (*.pdf *.PDF)</source>
        <extracomment>Filters of the open-file dialog: keep the patterns in brackets as they are</extracomment>
        <translation>Alle unterstützten Formate (*.pdf *.PDF)</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf *.PDF)</source>
        <translation>PDF-Dateien (*.pdf *.PDF)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>This PDF could not be read</source>
        <translation>Dieses PDF konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>Page %1 is left out of every part</source>
        <translation>Seite %1 ist in keinem Teil enthalten</translation>
    </message>
    <message>
        <source>Please select a folder</source>
        <extracomment>Title of the folder browser</extracomment>
        <translation>Bitte wählen Sie einen Ordner aus</translation>
    </message>
    <message>
        <source>Split PDF file success! Do you want to open the output directory?</source>
        <extracomment>Asked after every part was written; Yes opens the output folder in the file manager</extracomment>
        <translation>Die PDF-Datei wurde erfolgreich geteilt. Möchten Sie den Ausgabeordner öffnen?</translation>
    </message>
    <message>
        <source>The output folder could not be opened: no file manager is set up to show it. The parts are in
%1</source>
        <extracomment>%1 is the output folder</extracomment>
        <translation>Der Ausgabeordner konnte nicht geöffnet werden: Es ist kein Dateimanager eingerichtet, der ihn anzeigen kann. Die Teile befinden sich in
%1</translation>
    </message>
    <message>
        <source>Insert (F2)</source>
        <extracomment>Main window button (inserts a break point), below its picture: short, it never grows; keep the key</extracomment>
        <translation>Einfügen (F2)</translation>
    </message>
    <message>
        <source>Delete (F3)</source>
        <extracomment>Main window button (deletes a break point), below its picture: short, it never grows; keep the key</extracomment>
        <translation>Löschen (F3)</translation>
    </message>
    <message>
        <source>Options</source>
        <extracomment>Main window button (shows the Options dialog), below its picture: short, it never grows</extracomment>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Split (F5)</source>
        <extracomment>Main window button (splits the PDF into parts), below its picture: short, it never grows; keep the key</extracomment>
        <translation>Teilen (F5)</translation>
    </message>
    <message>
        <source>Open</source>
        <extracomment>Main window button (opens a PDF), below its picture: short, it never grows</extracomment>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Looking for separator sheets...</source>
        <translation>Trennblätter werden gesucht...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="vanished">Abbrechen</translation>
    </message>
    <message>
        <source>Measuring the parts...</source>
        <translation>Die Größe der Teile wird ermittelt...</translation>
    </message>
    <message>
        <source>The whole document fits in one part of at most %1; the break points are as they were.</source>
        <translation>Das ganze Dokument passt in einen Teil von höchstens %1; die Trennstellen sind unverändert.</translation>
    </message>
    <message>
        <source>%1

That text is written into the names of the parts as it stands.</source>
        <extracomment>%1 names the unknown tokens and the tokens there are; Ok goes on with the split</extracomment>
        <translation>%1

Dieser Text wird unverändert in die Namen der Teile geschrieben.</translation>
    </message>
    <message>
        <source>%1 The break points are as they were.</source>
        <extracomment>%1 says what was looked for, such as: No page has a barcode.</extracomment>
        <translation>%1 Die Trennstellen sind unverändert.</translation>
    </message>
    <message>
        <source>Reading the pages&apos; text...</source>
        <translation>Der Text der Seiten wird gelesen...</translation>
    </message>
    <message>
        <source>Every page that &quot;%1&quot; matches has the same value; the break points are as they were.</source>
        <translation>Jede Seite, zu der „%1“ passt, hat denselben Wert; die Trennstellen sind unverändert.</translation>
    </message>
</context>
<context>
    <name>qw::ThumbnailSource</name>
    <message>
        <source>Page thumbnails cannot be shown: the program&apos;s engine (%1) cannot be started.</source>
        <translation>Seitenminiaturen können nicht angezeigt werden: Die PDF-Engine des Programms (%1) kann nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Page thumbnails cannot be shown: the document was changed by another program. Open it again.</source>
        <translation>Seitenminiaturen können nicht angezeigt werden: Das Dokument wurde von einem anderen Programm geändert. Öffnen Sie es erneut.</translation>
    </message>
    <message>
        <source>Page thumbnails cannot be shown: the document cannot be read.</source>
        <translation>Seitenminiaturen können nicht angezeigt werden: Das Dokument kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Page thumbnails cannot be shown: the program&apos;s engine stopped unexpectedly.</source>
        <translation>Seitenminiaturen können nicht angezeigt werden: Die PDF-Engine des Programms wurde unerwartet beendet.</translation>
    </message>
</context>
<context>
    <name>qw::ViewerHost</name>
    <message>
        <source>Failed to create adobe window, your system hasn&apos;t Adobe Reader installed, would you download and install Adobe Reader now?</source>
        <extracomment>Asked when the document preview cannot be made; Yes opens the reader&apos;s download page</extracomment>
        <translation>Das Adobe-Fenster konnte nicht erstellt werden: Adobe Reader ist auf Ihrem System nicht installiert. Möchten Sie Adobe Reader jetzt herunterladen und installieren?</translation>
    </message>
</context>
</TS>
