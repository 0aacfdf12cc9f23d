<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>qw::AboutDlg</name>
    <message>
        <source>Email: %1</source>
        <extracomment>About box: %1 is the support e-mail address</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Web: %1</source>
        <extracomment>About box: %1 is the web site&apos;s address</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copyright (C) 2026 The Quirewright developers.
Free software under the GNU AGPL, version 3 or later.</source>
        <extracomment>About box: the ownership and licence notice, two lines</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Ardenne Quirewright 2.0</source>
        <extracomment>About box title; &quot;Ardenne Quirewright&quot; is the product&apos;s name</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::BatchDocument</name>
    <message>
        <source>Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The split was stopped before any part was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document %1 no longer exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document %1 is not a file: name a PDF file after --split.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document %1 could not be read: it is not a PDF.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document %1 could not be read: it is protected by a password. Remove the password in a PDF reader first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document %1 could not be read: there was not enough memory. Close other programs and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document %1 could not be read: %2. Check that it opens in a PDF reader.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document %1 could not be read: it is not a PDF, or it is damaged or protected by a password. Check that it opens in a PDF reader.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document %1 does not exist. Check its path and name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a file. Name a PDF document after --split.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document %1 has no bookmarks to split at. Use --at or --every instead. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no bookmark title matches --bookmark-match %1; the document is one part.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every page of %1 is a separator: there is no part to write. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

Pass --replace to replace it, or choose another --output-folder or --pattern. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

Pass --replace to replace them, or choose another --output-folder or --pattern. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--at %1: the document has only one page, so it cannot be split.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--at %1: the document has %2 pages, so a new part can begin at page 2 to %2 only.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Archiving is on in the options, but no archive folder is set. Pass --archive-folder DIR. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The archive folder %1 does not exist. Create it, or pass --archive-folder with another folder. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document cannot be archived: %1 already exists. Move that file away, or pass --archive-folder with another folder. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A part came out larger than %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some parts came out larger than %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::BatchRun</name>
    <message>
        <source>%1 documents: %2 can be split, %3 refused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 documents: %2 split, %3 refused, %4 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 documents: %2 split, %3 refused, %4 failed, %5 stopped, %6 not started</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::BatchSplit</name>
    <message>
        <source>Run &quot;quirewright --help&quot; to see the options.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Splits a PDF into parts without opening the window; &quot;quirewright [DOC.pdf]&quot; opens the window.
The name pattern, output folder and archive folder are the options file&apos;s unless given here.
Several documents, or a folder of them, are each split with the same options; a refused one
does not stop the others, and the last line sums the run up.

Exit codes: 0 every part was written (and the document archived, if asked);
1 the split was refused or failed (for one document at least); 2 the command line is wrong or
incomplete; 130 or 143 stopped by Ctrl+C or SIGTERM (the parts already written are named).

Example: quirewright --split book.pdf --at 5,17 --output-folder parts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Splits &lt;document&gt; into parts; more documents or folders may follow it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>document</source>
        <extracomment>The value an option takes, as --help shows it: &lt;document&gt;. The same word as in the description.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Begins a new part before each of these pages (from 2 to the page count).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Begins a new part every &lt;N&gt; pages.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Begins a new part where each bookmark of level 1 to &lt;level&gt; begins.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>level</source>
        <extracomment>The value an option takes, as --help shows it: &lt;level&gt;. The same word as in the description.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --at-bookmarks, only at bookmarks whose title contains a match of &lt;regex&gt; (Perl-like, case ignored).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>regex</source>
        <extracomment>The value an option takes, as --help shows it: &lt;regex&gt;. The same word as in the description.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Begins a new part at each separator sheet: a blank page, a dark page, one with a barcode (or one whose text contains TEXT), or one whose text contains PHRASE.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Begins a new part wherever the next page would make a part larger than &lt;size&gt;: bytes, or with K, M or G for thousands, millions or billions of bytes (10M is 10,000,000 bytes). A page larger than that alone is a part of its own, with a warning.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>size</source>
        <extracomment>The value an option takes, as --help shows it: &lt;size&gt;. The same word as in the description.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leaves the separator sheets out of the parts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Names the parts: {basename} {part} {part:0000} {filecount} {pagebegin} {pageend} {bookmark} {separator}.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pattern</source>
        <extracomment>The value an option takes, as --help shows it: &lt;pattern&gt;. The same word as in the description.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writes the parts into &lt;folder&gt;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>folder</source>
        <extracomment>The value an option takes, as --help shows it: &lt;folder&gt;. The same word as in the description.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moves the document into &lt;folder&gt; once every part is written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replaces files that have the parts&apos; names (else nothing is written).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prints the parts (pages, final path, &quot;exists&quot; where a file is in the way) and what would refuse the split, and writes nothing; exits 1 if the split would be refused.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --dry-run, prints the plan as text or as one JSON document.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Runs up to &lt;N&gt; engines at once, over the parts and the documents (default: one per core).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--at %1: &quot;%2&quot; is not a page number. Give the pages that new parts begin at, separated by commas, such as --at 4,8,12.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 has no PDF documents in it. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No document to split: pass --split DOC.pdf. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--jobs %1: give how many engines may run at once, 1 to %2, such as --jobs 2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 needs a folder. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--at, --every and --at-bookmarks cannot be used together: give one of them. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--at-bookmarks %1: give the deepest bookmark level to split at, 1 or more, such as --at-bookmarks 1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--bookmark-match chooses among the bookmarks of --at-bookmarks: give --at-bookmarks LEVEL too. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--bookmark-match %1: %2 at character %3. Give a regular expression, such as --bookmark-match &quot;^Chapter&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--at-separators %1: give blank, dark, barcode, barcode:TEXT or text:PHRASE, such as --at-separators blank.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--max-size %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--plan-format tells how --dry-run prints its plan: give --dry-run too. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--plan-format %1: give text or json.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--drop-separators leaves out the separator sheets that --at-separators finds: give --at-separators too. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--every %1: give the number of pages in each part, 1 or more, such as --every 10.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--pattern: the pattern is not valid UTF-8. Give it in UTF-8.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The options say to ask for the output folder at every split, and there is no window to ask in. Pass --output-folder DIR.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The options say to write the parts into an output folder, but name none. Pass --output-folder DIR.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::BreakPointModel</name>
    <message>
        <source>Page No.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::DocumentReport</name>
    <message>
        <source>Free some space there, or name another folder in the TMPDIR environment variable, and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No file for the PDF engine&apos;s report could be made in the temporary folder %1: %2. %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PDF engine could not write its report in the temporary folder %1: %2. %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document was replaced or changed while it was being read. Open it again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::EngineRunner</name>
    <message>
        <source>the file is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not marked as executable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the interpreter or loader it needs is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PDF engine %1 could not be started: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There was no program to run.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PDF engine was stopped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PDF engine stopped unexpectedly.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PDF engine was given nothing to do.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::GlyphMenu</name>
    <message>
        <source>&amp;File</source>
        <extracomment>Menu bar title; the &amp; marks the access key (Alt+letter), unique in the menu bar</extracomment>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <extracomment>File menu: shows the dialog to open a PDF</extracomment>
        <translation>&amp;Ouvrir...</translation>
    </message>
    <message>
        <source>O&amp;ptions...</source>
        <extracomment>File menu: shows the Options dialog (output folder, archive folder, name pattern)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recent File</source>
        <extracomment>File menu: greyed placeholder where the recently opened files are listed</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <extracomment>File menu: ends the program</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Action</source>
        <extracomment>Menu bar title of the break point commands and the split</extracomment>
        <translation>&amp;Action</translation>
    </message>
    <message>
        <source>&amp;Insert Break Point</source>
        <extracomment>A break point is where a new part (output PDF) begins, before the selected page</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete Break Point</source>
        <extracomment>Removes the selected break point</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clean All Break Points</source>
        <extracomment>Removes every break point (&quot;clean&quot; = clear)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Split PDF Based Break Points</source>
        <extracomment>Splits the PDF into parts at the break points (&quot;based on break points&quot;)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Place Break Points...</source>
        <extracomment>Shows a dialog that places break points at bookmarks or every N pages</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <extracomment>Undoes the last change to the break points</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <extracomment>Redoes the change last undone</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show &amp;Thumbnails</source>
        <extracomment>Turns the preview into a grid of small pictures of every page, and back</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <extracomment>Menu bar title</extracomment>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;View Web Site</source>
        <extracomment>Opens the program&apos;s web site in the browser</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <extracomment>Shows the About box</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave Page &amp;Out</source>
        <extracomment>Page list&apos;s context menu: the selected page is in no part (e.g. a separator sheet)</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::HyperlinkLabel</name>
    <message>
        <source>The operating system is out
of memory or resources.</source>
        <extracomment>Why a link could not be opened, shown below &quot;Unable to open hyperlink:&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The specified file was not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The specified path was not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The operating system denied
access to the specified file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There was not enough memory to complete the operation.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The .EXE file is invalid
(non-Win32 .EXE or error in .EXE image).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A sharing violation occurred. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The filename association is
incomplete or invalid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because the request timed out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The DDE transaction failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because other DDE transactions
were being processed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no application associated
with the given filename extension.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The specified dynamic-link library was not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown Error (%1) occurred.</source>
        <extracomment>%1 is an error number</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to open hyperlink:

</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::NativeFileName</name>
    <message>
        <source>The name of %1 is not valid UTF-8, so it cannot be told apart from other names. Rename the file (or the folder) and try again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::OpenFailure</name>
    <message>
        <source>The file no longer exists</source>
        <extracomment>Why a document could not be opened, shown in the preview</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This file is not a PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This PDF is protected by a password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This PDF could not be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PDF engine %1 is missing beside the program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is not enough memory to open this PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the PDF engine gave no reason</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the PDF engine found no pages in it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::OptionsDlg</name>
    <message>
        <source>Ask to seltct an output folder before splitting</source>
        <extracomment>Options: radio button; &quot;seltct&quot; is a typo of &quot;select&quot; kept in English only</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output to following folder</source>
        <extracomment>Options: radio button; the folder is typed in the field below it</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Same folder as original pdf file</source>
        <extracomment>Options: radio button; the parts go beside the PDF being split</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move to archive folder after splitting</source>
        <extracomment>Options: check box; the PDF that was split is moved into the archive folder</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Archive folder:</source>
        <extracomment>Options: label of the archive folder field</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Setting..</source>
        <extracomment>Options: button beside a folder field that shows a folder browser (&quot;Browse...&quot;)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name pattern for split filename:</source>
        <extracomment>Options: label of the name pattern field; the pattern makes each part&apos;s file name</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Options</source>
        <extracomment>Options dialog title</extracomment>
        <translation type="unfinished">Options</translation>
    </message>
    <message>
        <source>The options could not be saved, so they apply only until the program ends.

%1

Please make the folder or file named above writable, then open Options and press Ok again to keep them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>output folder</source>
        <extracomment>Completes &quot;The %1 begins or ends with a space or tab...&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>archive folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>name pattern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select output folder!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select archive folder!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 begins or ends with a space or tab, which would be lost when the options are read again.
Please remove the spaces and tabs at its start and end.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::OptionsFile</name>
    <message>
        <source>There is no configuration folder for this user (is HOME set?)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::OutputClaims</name>
    <message>
        <source>Part file %1 is %2, another document of this run. Give a --pattern with {basename}, or another --output-folder. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is also where %2, another document of this run, goes. Give a --pattern with {basename}, or split the documents in separate runs. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::OutputNaming</name>
    <message>
        <source>unknown token %1 in the pattern; the tokens are %2</source>
        <extracomment>%1 is the unknown text in braces, %2 the known tokens</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown tokens %1 in the pattern; the tokens are %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::OutputTarget</name>
    <message>
        <source>Its folder does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No file can be created in its folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A folder has that name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A device, pipe or socket has that name; only files are written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A link of that name leads to %1, which does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A link of that name leads to a folder, device, pipe or socket, not to a file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file of that name is read-only.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::PageCountQuery</name>
    <message>
        <source>the folder does not exist</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::PageFactsQuery</name>
    <message>
        <source>No file for the PDF engine&apos;s report could be made in the temporary folder: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document was replaced or changed since it was opened. Open it again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PDF engine could not look at the pages: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PDF engine&apos;s report could not be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The barcodes on page %1 could not all be read, so a separator sheet there may have been missed. Look at it before splitting.</source>
        <extracomment>%1 is a page number</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The barcodes on pages %1 could not all be read, so a separator sheet there may have been missed. Look at them before splitting.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::PlaceBreakPointsDlg</name>
    <message>
        <source>1 part</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 parts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Strict (clean sheets only)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Normal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tolerant (noisy scans)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Place Break Points</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At &amp;bookmarks of level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>whose title contains (any)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A regular expression, such as ^Chapter; case is ignored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At bookmarks (this document has none)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At &amp;separator sheets:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>blank pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dark pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pages with a barcode containing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pages whose text contains</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave the separator pages out of the parts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensitivity:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parts of at &amp;most</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 MB is 1,000,000 bytes. A page larger than this alone is a part of its own.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Break points already in the list stay.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>any text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page 1 of</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::PrivateProfile</name>
    <message>
        <source>invalid section name &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>invalid key name &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the value of &quot;%1&quot; holds a line break or a NUL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the value of &quot;%1&quot; starts or ends with a blank, which reading would drop</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::SizePlanQuery</name>
    <message>
        <source>No size is given.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a size: give a whole number of bytes, or one with K, M or G (such as 500K or 10M).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is more than can be counted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A part cannot be at most 0 bytes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 byte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No file for the PDF engine&apos;s report could be made in the temporary folder: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document was replaced or changed since it was opened. Open it again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PDF engine could not plan the parts: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PDF engine&apos;s report could not be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PDF engine&apos;s report holds no plan of the parts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 alone is larger than %2, so its part will be larger than that.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pages %1 are each larger than %2 alone, so each of their parts will be larger than that.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::SplitJob</name>
    <message>
        <source>The engine ended with code %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The engine reported success but did not write the file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>part was</source>
        <extracomment>Completes &quot;%1 more %2 not attempted.&quot; for one part or for several</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>parts were</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PDF engine is missing or cannot be started:
%1

Reinstall Quirewright so that %2 lies beside the program. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output folder
%1
does not exist.

Create it, or choose another output folder. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document
%1
has been replaced, moved or changed since it was opened.

Open it again to split it as it is now. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A file of that name appeared while the part was being written. It was left as it is, and the split was stopped: another program may be writing there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Part %1 (pages %2 to %3), %4:
%5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A file of that name is already in the archive folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check that the archive folder exists and can be written to.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The parts were written, but the document could not be moved to
%1

%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, so the document was not archived</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 more %2 not attempted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 parts could not be written%3.

%4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The document
%1
has been replaced, moved or changed since it was opened, so the split was stopped%2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The split was cancelled%1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 of %3 parts were written%4</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::SplitPlan</name>
    <message>
        <source>Part %1 would be written over the document being split:
%2

Choose another name pattern or output folder. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parts %1 and %2 would both be written to
%3

Put {part} or {part:0000} in the name pattern so that every part gets a name of its own. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Part %1 cannot be written to
%2

%3

Choose another name pattern or output folder. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This file already exists:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These %1 files already exist:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

Do you want to replace it with the new parts?</source>
        <extracomment>%1 names the file that already exists</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

Do you want to replace them with the new parts?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::SplitProgress</name>
    <message>
        <source>Writing part %1 of %2...</source>
        <extracomment>Progress of a split: part %1 of %2 parts is being written</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::SplitterDlg</name>
    <message>
        <source>Open a PDF with the Open button or File &gt; Open..., or drop one here.</source>
        <extracomment>Shown in the preview while no document is open; names the Open button and the File menu</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Supported Formats (*.pdf *.PDF)</source>
        <extracomment>Filters of the open-file dialog: keep the patterns in brackets as they are</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF Files (*.pdf *.PDF)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This PDF could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 is left out of every part</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select a folder</source>
        <extracomment>Title of the folder browser</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Split PDF file success! Do you want to open the output directory?</source>
        <extracomment>Asked after every part was written; Yes opens the output folder in the file manager</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output folder could not be opened: no file manager is set up to show it. The parts are in
%1</source>
        <extracomment>%1 is the output folder</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert (F2)</source>
        <extracomment>Main window button (inserts a break point), below its picture: short, it never grows; keep the key</extracomment>
        <translation>Insérer (F2)</translation>
    </message>
    <message>
        <source>Delete (F3)</source>
        <extracomment>Main window button (deletes a break point), below its picture: short, it never grows; keep the key</extracomment>
        <translation>Suppr. (F3)</translation>
    </message>
    <message>
        <source>Options</source>
        <extracomment>Main window button (shows the Options dialog), below its picture: short, it never grows</extracomment>
        <translation>Options</translation>
    </message>
    <message>
        <source>Split (F5)</source>
        <extracomment>Main window button (splits the PDF into parts), below its picture: short, it never grows; keep the key</extracomment>
        <translation>Diviser (F5)</translation>
    </message>
    <message>
        <source>Open</source>
        <extracomment>Main window button (opens a PDF), below its picture: short, it never grows</extracomment>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Looking for separator sheets...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Annuler</translation>
    </message>
    <message>
        <source>No separator sheet was found; the break points are as they were.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measuring the parts...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The whole document fits in one part of at most %1; the break points are as they were.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::ThumbnailSource</name>
    <message>
        <source>Page thumbnails cannot be shown: the program&apos;s engine (%1) cannot be started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page thumbnails cannot be shown: the document was changed by another program. Open it again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page thumbnails cannot be shown: the document cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page thumbnails cannot be shown: the program&apos;s engine stopped unexpectedly.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qw::ViewerHost</name>
    <message>
        <source>Failed to create adobe window, your system hasn&apos;t Adobe Reader installed, would you download and install Adobe Reader now?</source>
        <extracomment>Asked when the document preview cannot be made; Yes opens the reader&apos;s download page</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
