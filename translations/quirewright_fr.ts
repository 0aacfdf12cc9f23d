<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>qw::AboutDlg</name>
    <message>
        <source>Email: %1</source>
        <extracomment>About box: %1 is the support e-mail address</extracomment>
        <translation>Courriel&#xa0;: %1</translation>
    </message>
    <message>
        <source>Web: %1</source>
        <extracomment>About box: %1 is the web site&apos;s address</extracomment>
        <translation>Site web&#xa0;: %1</translation>
    </message>
    <message>
        <source>Copyright (C) 2026 The Quirewright developers.
Free software under the GNU AGPL, version 3 or later.</source>
        <extracomment>About box: the ownership and licence notice, two lines</extracomment>
        <translation>Copyright (C) 2026 Les développeurs de Quirewright.
Logiciel libre sous licence GNU AGPL, version 3 ou ultérieure.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>About Ardenne Quirewright 2.0</source>
        <extracomment>About box title; &quot;Ardenne Quirewright&quot; is the product&apos;s name</extracomment>
        <translation>À propos d&apos;Ardenne Quirewright 2.0</translation>
    </message>
</context>
<context>
    <name>qw::BatchDocument</name>
    <message>
        <source>The split was stopped before any part was written.</source>
        <translation>Le découpage a été arrêté avant qu&apos;aucune partie ne soit écrite.</translation>
    </message>
    <message>
        <source>The document %1 no longer exists.</source>
        <translation>Le document %1 n&apos;existe plus.</translation>
    </message>
    <message>
        <source>The document %1 is not a file: name a PDF file after --split.</source>
        <translation>Le document %1 n&apos;est pas un fichier&#xa0;: indiquez un fichier PDF après --split.</translation>
    </message>
    <message>
        <source>The document %1 could not be read: it is not a PDF.</source>
        <translation>Le document %1 n&apos;a pas pu être lu&#xa0;: ce n&apos;est pas un PDF.</translation>
    </message>
    <message>
        <source>The document %1 could not be read: it is protected by a password. Remove the password in a PDF reader first.</source>
        <translation>Le document %1 n&apos;a pas pu être lu&#xa0;: il est protégé par un mot de passe. Retirez d&apos;abord le mot de passe dans un lecteur PDF.</translation>
    </message>
    <message>
        <source>The document %1 could not be read: there was not enough memory. Close other programs and try again.</source>
        <translation>Le document %1 n&apos;a pas pu être lu&#xa0;: la mémoire était insuffisante. Fermez d&apos;autres programmes et réessayez.</translation>
    </message>
    <message>
        <source>The document %1 could not be read: %2. Check that it opens in a PDF reader.</source>
        <translation>Le document %1 n&apos;a pas pu être lu&#xa0;: %2. Vérifiez qu&apos;il s&apos;ouvre dans un lecteur PDF.</translation>
    </message>
    <message>
        <source>The document %1 could not be read: it is not a PDF, or it is damaged or protected by a password. Check that it opens in a PDF reader.</source>
        <translation>Le document %1 n&apos;a pas pu être lu&#xa0;: ce n&apos;est pas un PDF, ou il est endommagé ou protégé par un mot de passe. Vérifiez qu&apos;il s&apos;ouvre dans un lecteur PDF.</translation>
    </message>
    <message>
        <source>The document %1 does not exist. Check its path and name.</source>
        <translation>Le document %1 n&apos;existe pas. Vérifiez son chemin et son nom.</translation>
    </message>
    <message>
        <source>%1 is not a file. Name a PDF document after --split.</source>
        <translation>%1 n&apos;est pas un fichier. Indiquez un document PDF après --split.</translation>
    </message>
    <message>
        <source>The document %1 has no bookmarks to split at. Use --at or --every instead. %2</source>
        <translation>Le document %1 n&apos;a aucun signet où découper. Utilisez plutôt --at ou --every. %2</translation>
    </message>
    <message>
        <source>no bookmark title matches --bookmark-match %1; the document is one part.</source>
        <translation>aucun titre de signet ne correspond à --bookmark-match %1&#xa0;; le document forme une seule partie.</translation>
    </message>
    <message>
        <source>Every page of %1 is a separator: there is no part to write. %2</source>
        <translation>Toutes les pages de %1 sont des feuilles de séparation&#xa0;: il n&apos;y a aucune partie à écrire. %2</translation>
    </message>
    <message>
        <source>%1

Pass --replace to replace it, or choose another --output-folder or --pattern. %2</source>
        <translation>%1

Indiquez --replace pour le remplacer, ou choisissez un autre --output-folder ou --pattern. %2</translation>
    </message>
    <message>
        <source>%1

Pass --replace to replace them, or choose another --output-folder or --pattern. %2</source>
        <translation>%1

Indiquez --replace pour les remplacer, ou choisissez un autre --output-folder ou --pattern. %2</translation>
    </message>
    <message>
        <source>--at %1: the document has only one page, so it cannot be split.</source>
        <translation>--at %1&#xa0;: le document n&apos;a qu&apos;une page, il ne peut donc pas être découpé.</translation>
    </message>
    <message>
        <source>--at %1: the document has %2 pages, so a new part can begin at page 2 to %2 only.</source>
        <translation>--at %1&#xa0;: le document a %2 pages, une nouvelle partie ne peut donc commencer qu&apos;aux pages 2 à %2.</translation>
    </message>
    <message>
        <source>Archiving is on in the options, but no archive folder is set. Pass --archive-folder DIR. %1</source>
        <translation>L&apos;archivage est activé dans les options, mais aucun dossier d&apos;archive n&apos;est défini. Indiquez --archive-folder DOSSIER. %1</translation>
    </message>
    <message>
        <source>The archive folder %1 does not exist. Create it, or pass --archive-folder with another folder. %2</source>
        <translation>Le dossier d&apos;archive %1 n&apos;existe pas. Créez-le, ou indiquez un autre dossier avec --archive-folder. %2</translation>
    </message>
    <message>
        <source>The document cannot be archived: %1 already exists. Move that file away, or pass --archive-folder with another folder. %2</source>
        <translation>Le document ne peut pas être archivé&#xa0;: %1 existe déjà. Déplacez ce fichier ailleurs, ou indiquez un autre dossier avec --archive-folder. %2</translation>
    </message>
    <message>
        <source>A part came out larger than %1: %2</source>
        <translation>Une partie dépasse %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Some parts came out larger than %1: %2</source>
        <translation>Des parties dépassent %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 --at-separators places no break point.</source>
        <translation>%1 --at-separators ne place aucun point de coupe.</translation>
    </message>
    <message>
        <source>the whole document fits in one part of at most %1; --max-size places no break point.</source>
        <translation>le document entier tient dans une seule partie d&apos;au plus %1&#xa0;; --max-size ne place aucun point de coupe.</translation>
    </message>
    <message>
        <source>%1 --at-change places no break point.</source>
        <translation>%1 --at-change ne place aucun point de coupe.</translation>
    </message>
    <message>
        <source>every page that --at-change %1 matches has the same value; it places no break point.</source>
        <translation>toutes les pages auxquelles --at-change %1 correspond ont la même valeur&#xa0;; il ne place aucun point de coupe.</translation>
    </message>
</context>
<context>
    <name>qw::BatchSplit</name>
    <message>
        <source>Run &quot;quirewright --help&quot; to see the options.</source>
        <translation>Lancez «&#xa0;quirewright --help&#xa0;» pour voir les options.</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>Rien n&apos;a été écrit.</translation>
    </message>
    <message>
        <source>Splits &lt;document&gt; into parts; more documents or folders may follow it.</source>
        <translation>Découpe &lt;document&gt; en parties&#xa0;; d&apos;autres documents ou dossiers peuvent suivre.</translation>
    </message>
    <message>
        <source>document</source>
        <extracomment>The value an option takes, as --help shows it: &lt;document&gt;. The same word as in the description.</extracomment>
        <translation>document</translation>
    </message>
    <message>
        <source>Begins a new part before each of these pages (from 2 to the page count).</source>
        <translation>Commence une nouvelle partie avant chacune de ces pages (de 2 au nombre de pages).</translation>
    </message>
    <message>
        <source>Begins a new part every &lt;N&gt; pages.</source>
        <translation>Commence une nouvelle partie toutes les &lt;N&gt; pages.</translation>
    </message>
    <message>
        <source>Begins a new part where each bookmark of level 1 to &lt;level&gt; begins.</source>
        <translation>Commence une nouvelle partie au début de chaque signet de niveau 1 à &lt;niveau&gt;.</translation>
    </message>
    <message>
        <source>level</source>
        <extracomment>The value an option takes, as --help shows it: &lt;level&gt;. The same word as in the description.</extracomment>
        <translation>niveau</translation>
    </message>
    <message>
        <source>With --at-bookmarks, only at bookmarks whose title contains a match of &lt;regex&gt; (Perl-like, case ignored).</source>
        <translation>Avec --at-bookmarks, seulement aux signets dont le titre contient une correspondance de &lt;regex&gt; (syntaxe de type Perl, casse ignorée).</translation>
    </message>
    <message>
        <source>regex</source>
        <extracomment>The value an option takes, as --help shows it: &lt;regex&gt;. The same word as in the description.</extracomment>
        <translation>regex</translation>
    </message>
    <message>
        <source>Begins a new part wherever the next page would make a part larger than &lt;size&gt;: bytes, or with K, M or G for thousands, millions or billions of bytes (10M is 10,000,000 bytes). A page larger than that alone is a part of its own, with a warning.</source>
        <translation>Commence une nouvelle partie partout où la page suivante rendrait une partie plus grande que &lt;taille&gt;&#xa0;: en octets, ou avec K, M ou G pour des milliers, millions ou milliards d&apos;octets (10M vaut 10 000 000 octets). Une page à elle seule plus grande que cela forme sa propre partie, avec un avertissement.</translation>
    </message>
    <message>
        <source>size</source>
        <extracomment>The value an option takes, as --help shows it: &lt;size&gt;. The same word as in the description.</extracomment>
        <translation>taille</translation>
    </message>
    <message>
        <source>Leaves the separator sheets out of the parts.</source>
        <translation>Omet les feuilles de séparation dans les parties.</translation>
    </message>
    <message>
        <source>Names the parts: {basename} {part} {part:0000} {filecount} {pagebegin} {pageend} {bookmark} {separator}.</source>
        <translation>Nomme les parties&#xa0;: {basename} {part} {part:0000} {filecount} {pagebegin} {pageend} {bookmark} {separator}.</translation>
    </message>
    <message>
        <source>pattern</source>
        <extracomment>The value an option takes, as --help shows it: &lt;pattern&gt;. The same word as in the description.</extracomment>
        <translation>modèle</translation>
    </message>
    <message>
        <source>Writes the parts into &lt;folder&gt;.</source>
        <translation>Écrit les parties dans &lt;dossier&gt;.</translation>
    </message>
    <message>
        <source>folder</source>
        <extracomment>The value an option takes, as --help shows it: &lt;folder&gt;. The same word as in the description.</extracomment>
        <translation>dossier</translation>
    </message>
    <message>
        <source>Moves the document into &lt;folder&gt; once every part is written.</source>
        <translation>Déplace le document dans &lt;dossier&gt; une fois toutes les parties écrites.</translation>
    </message>
    <message>
        <source>Replaces files that have the parts&apos; names (else nothing is written).</source>
        <translation>Remplace les fichiers qui portent déjà le nom des parties (sinon rien n&apos;est écrit).</translation>
    </message>
    <message>
        <source>Prints the parts (pages, final path, &quot;exists&quot; where a file is in the way) and what would refuse the split, and writes nothing; exits 1 if the split would be refused.</source>
        <translation>Affiche les parties (pages, chemin final, «&#xa0;exists&#xa0;» là où un fichier gêne) et ce qui ferait refuser le découpage, sans rien écrire&#xa0;; sort avec le code 1 si le découpage devait être refusé.</translation>
    </message>
    <message>
        <source>With --dry-run, prints the plan as text or as one JSON document.</source>
        <translation>Avec --dry-run, affiche le plan en texte ou sous forme d&apos;un seul document JSON.</translation>
    </message>
    <message>
        <source>Runs up to &lt;N&gt; engines at once, over the parts and the documents (default: one per core).</source>
        <translation>Lance jusqu&apos;à &lt;N&gt; moteurs à la fois, sur les parties et les documents (par défaut&#xa0;: un par cœur).</translation>
    </message>
    <message>
        <source>--at %1: &quot;%2&quot; is not a page number. Give the pages that new parts begin at, separated by commas, such as --at 4,8,12.</source>
        <translation>--at %1&#xa0;: «&#xa0;%2&#xa0;» n&apos;est pas un numéro de page. Indiquez les pages où commencent les nouvelles parties, séparées par des virgules, par exemple --at 4,8,12.</translation>
    </message>
    <message>
        <source>The folder %1 has no PDF documents in it. %2</source>
        <translation>Le dossier %1 ne contient aucun document PDF. %2</translation>
    </message>
    <message>
        <source>No document to split: pass --split DOC.pdf. %1</source>
        <translation>Aucun document à découper&#xa0;: indiquez --split DOC.pdf. %1</translation>
    </message>
    <message>
        <source>--jobs %1: give how many engines may run at once, 1 to %2, such as --jobs 2.</source>
        <translation>--jobs %1&#xa0;: indiquez combien de moteurs peuvent tourner à la fois, de 1 à %2, par exemple --jobs 2.</translation>
    </message>
    <message>
        <source>--%1 needs a folder. %2</source>
        <translation>--%1 demande un dossier. %2</translation>
    </message>
    <message>
        <source>--at, --every and --at-bookmarks cannot be used together: give one of them. %1</source>
        <translation>--at, --every et --at-bookmarks ne peuvent pas être utilisés ensemble&#xa0;: indiquez-en un seul. %1</translation>
    </message>
    <message>
        <source>--at-bookmarks %1: give the deepest bookmark level to split at, 1 or more, such as --at-bookmarks 1.</source>
        <translation>--at-bookmarks %1&#xa0;: indiquez le niveau de signet le plus profond où découper, 1 ou plus, par exemple --at-bookmarks 1.</translation>
    </message>
    <message>
        <source>--bookmark-match chooses among the bookmarks of --at-bookmarks: give --at-bookmarks LEVEL too. %1</source>
        <translation>--bookmark-match choisit parmi les signets de --at-bookmarks&#xa0;: indiquez aussi --at-bookmarks NIVEAU. %1</translation>
    </message>
    <message>
        <source>--bookmark-match %1: %2 at character %3. Give a regular expression, such as --bookmark-match &quot;^Chapter&quot;.</source>
        <translation>--bookmark-match %1&#xa0;: %2 au caractère %3. Indiquez une expression régulière, par exemple --bookmark-match &quot;^Chapitre&quot;.</translation>
    </message>
    <message>
        <source>--at-separators %1: give blank, dark, barcode, barcode:TEXT or text:PHRASE, such as --at-separators blank.</source>
        <translation type="vanished">--at-separators %1&#xa0;: indiquez blank, dark, barcode, barcode:TEXT ou text:PHRASE, par exemple --at-separators blank.</translation>
    </message>
    <message>
        <source>--max-size %1: %2</source>
        <translation>--max-size %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>--plan-format tells how --dry-run prints its plan: give --dry-run too. %1</source>
        <translation>--plan-format indique comment --dry-run affiche son plan&#xa0;: indiquez aussi --dry-run. %1</translation>
    </message>
    <message>
        <source>--plan-format %1: give text or json.</source>
        <translation>--plan-format %1&#xa0;: indiquez text ou json.</translation>
    </message>
    <message>
        <source>--drop-separators leaves out the separator sheets that --at-separators finds: give --at-separators too. %1</source>
        <translation>--drop-separators omet les feuilles de séparation que trouve --at-separators&#xa0;: indiquez aussi --at-separators. %1</translation>
    </message>
    <message>
        <source>--every %1: give the number of pages in each part, 1 or more, such as --every 10.</source>
        <translation>--every %1&#xa0;: indiquez le nombre de pages de chaque partie, 1 ou plus, par exemple --every 10.</translation>
    </message>
    <message>
        <source>--pattern: the pattern is not valid UTF-8. Give it in UTF-8.</source>
        <translation>--pattern&#xa0;: le modèle de nom n&apos;est pas en UTF-8 valide. Indiquez-le en UTF-8.</translation>
    </message>
    <message>
        <source>The options say to ask for the output folder at every split, and there is no window to ask in. Pass --output-folder DIR.</source>
        <translation>Les options demandent de choisir le dossier de sortie à chaque découpage, et il n&apos;y a pas de fenêtre pour le demander. Indiquez --output-folder DOSSIER.</translation>
    </message>
    <message>
        <source>The options say to write the parts into an output folder, but name none. Pass --output-folder DIR.</source>
        <translation>Les options demandent d&apos;écrire les parties dans un dossier de sortie, mais n&apos;en indiquent aucun. Indiquez --output-folder DOSSIER.</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <extracomment>The first line of --help; the command line after &quot;%1&quot; stays as it is.</extracomment>
        <translation>Utilisation&#xa0;: %1</translation>
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
        <translation>Découpe un PDF en parties sans ouvrir la fenêtre&#xa0;; «&#xa0;quirewright [DOC.pdf]&#xa0;» ouvre la fenêtre.
Le modèle de nom, le dossier de sortie et le dossier d&apos;archive sont ceux du fichier d&apos;options, sauf indication ici.
Plusieurs documents, ou un dossier de documents, sont découpés chacun avec les mêmes options&#xa0;; un refus
n&apos;arrête pas les autres, et la dernière ligne résume l&apos;exécution.

Codes de sortie&#xa0;: 0 toutes les parties ont été écrites (et le document archivé, si demandé)&#xa0;;
1 le découpage a été refusé ou a échoué (pour au moins un document)&#xa0;; 2 la ligne de commande est erronée ou
incomplète&#xa0;; 130, 143 ou 129 arrêt par Ctrl+C, SIGTERM ou SIGHUP
(les parties déjà écrites sont nommées).

Exemple&#xa0;: quirewright --split book.pdf --at 5,17 --output-folder parts</translation>
    </message>
    <message>
        <source>Begins new parts at the pages of &lt;kind&gt;: blank, dark, barcode, barcode:TEXT (a barcode whose text contains TEXT) or text:PHRASE (a page whose text contains PHRASE). A page found by its text or barcode is the first page of a document and always begins a part; a blank or dark sheet, or one left out, begins the part after it, and one on the last page none.</source>
        <translation type="vanished">Commence de nouvelles parties aux pages du &lt;type&gt;&#xa0;: blank (blanche), dark (sombre), barcode, barcode:TEXT (un code-barres dont le texte contient TEXT) ou text:PHRASE (une page dont le texte contient PHRASE). Une page trouvée par son texte ou son code-barres est la première page d&apos;un document et commence toujours une partie&#xa0;; une feuille blanche ou sombre, ou une feuille omise, commence la partie qui la suit, et une feuille en dernière page n&apos;en commence aucune.</translation>
    </message>
    <message>
        <source>kind</source>
        <extracomment>The value an option takes, as --help shows it: &lt;kind&gt;. The same word as in the description.</extracomment>
        <translation>type</translation>
    </message>
    <message>
        <source>Begins new parts at the pages of &lt;kind&gt;: blank, dark, barcode, barcode:TEXT (a barcode whose text contains TEXT), text:PHRASE (a page whose text contains PHRASE) or match:REGEX (a page whose text, its lines joined by spaces, has a match of REGEX, case ignored; its first group, or the match, is what {separator} names the part by). A page found by its text or barcode is the first page of a document and always begins a part; a blank or dark sheet, or one left out, begins the part after it, and one on the last page none.</source>
        <translation>Commence de nouvelles parties aux pages du &lt;type&gt; : blank (blanche), dark (sombre), barcode, barcode:TEXT (un code-barres dont le texte contient TEXT), text:PHRASE (une page dont le texte contient PHRASE) ou match:REGEX (une page dont le texte, ses lignes jointes par des espaces, contient une correspondance de REGEX, sans tenir compte de la casse ; son premier groupe, ou sinon la correspondance, nomme la partie pour {separator}). Une page trouvée par son texte ou son code-barres est la première page d&apos;un document et commence toujours une partie ; une feuille blanche ou sombre, ou une feuille omise, commence la partie qui la suit, et une feuille en dernière page n&apos;en commence aucune.</translation>
    </message>
    <message>
        <source>--at-separators %1: give blank, dark, barcode, barcode:TEXT, text:PHRASE or match:REGEX (a valid regular expression), such as --at-separators blank.</source>
        <translation>--at-separators %1 : indiquez blank, dark, barcode, barcode:TEXT, text:PHRASE ou match:REGEX (une expression régulière valide), par exemple --at-separators blank.</translation>
    </message>
    <message>
        <source>Begins a new part at each page whose value differs from the last one seen: the first group of &lt;regex&gt; (or its match) in the page&apos;s text, case ignored, such as an account or invoice number. Pages without a match stay with the part before them.</source>
        <translation>Commence une nouvelle partie à chaque page dont la valeur diffère de la dernière vue&#xa0;: le premier groupe de &lt;expression&gt; (ou sa correspondance) dans le texte de la page, sans tenir compte de la casse, comme un numéro de compte ou de facture. Les pages sans correspondance restent avec la partie qui les précède.</translation>
    </message>
    <message>
        <source>--at-change %1: %2 at character %3. Give a regular expression with the value in a group, such as --at-change &quot;Account (\d+)&quot;.</source>
        <translation>--at-change %1&#xa0;: %2 au caractère %3. Indiquez une expression régulière avec la valeur dans un groupe, par exemple --at-change &quot;Compte (\d+)&quot;.</translation>
    </message>
    <message>
        <source>nothing is given</source>
        <translation>rien n’est indiqué</translation>
    </message>
</context>
<context>
    <name>qw::BreakPointModel</name>
    <message>
        <source>Page No.</source>
        <translation>N° de page</translation>
    </message>
</context>
<context>
    <name>qw::DocumentReport</name>
    <message>
        <source>Free some space there, or name another folder in the TMPDIR environment variable, and try again.</source>
        <translation>Libérez de l&apos;espace dans ce dossier, ou indiquez un autre dossier dans la variable d&apos;environnement TMPDIR, puis réessayez.</translation>
    </message>
    <message>
        <source>No file for the PDF engine&apos;s report could be made in the temporary folder %1: %2. %3</source>
        <translation>Aucun fichier n&apos;a pu être créé dans le dossier temporaire %1 pour le rapport du moteur PDF&#xa0;: %2. %3</translation>
    </message>
    <message>
        <source>The PDF engine could not write its report in the temporary folder %1: %2. %3</source>
        <translation>Le moteur PDF n&apos;a pas pu écrire son rapport dans le dossier temporaire %1&#xa0;: %2. %3</translation>
    </message>
    <message>
        <source>The document was replaced or changed while it was being read. Open it again.</source>
        <translation>Le document a été remplacé ou modifié pendant sa lecture. Ouvrez-le de nouveau.</translation>
    </message>
</context>
<context>
    <name>qw::EngineRunner</name>
    <message>
        <source>the file is missing</source>
        <translation>le fichier est absent</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>c&apos;est un dossier</translation>
    </message>
    <message>
        <source>it is not marked as executable</source>
        <translation>il n&apos;est pas marqué comme exécutable</translation>
    </message>
    <message>
        <source>the interpreter or loader it needs is missing</source>
        <translation>l&apos;interpréteur ou le chargeur dont il a besoin est absent</translation>
    </message>
    <message>
        <source>The PDF engine %1 could not be started: %2.</source>
        <translation>Le moteur PDF %1 n&apos;a pas pu être lancé&#xa0;: %2.</translation>
    </message>
    <message>
        <source>There was no program to run.</source>
        <translation>Il n&apos;y avait aucun programme à lancer.</translation>
    </message>
    <message>
        <source>The folder %1 does not exist.</source>
        <translation>Le dossier %1 n&apos;existe pas.</translation>
    </message>
    <message>
        <source>The PDF engine was stopped.</source>
        <translation>Le moteur PDF a été arrêté.</translation>
    </message>
    <message>
        <source>The PDF engine stopped unexpectedly.</source>
        <translation>Le moteur PDF s&apos;est arrêté de manière inattendue.</translation>
    </message>
    <message>
        <source>The PDF engine was given nothing to do.</source>
        <translation>Le moteur PDF n&apos;a reçu aucune tâche.</translation>
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
        <translation>O&amp;ptions...</translation>
    </message>
    <message>
        <source>Recent File</source>
        <extracomment>File menu: greyed placeholder where the recently opened files are listed</extracomment>
        <translation>Fichiers récents</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <extracomment>File menu: ends the program</extracomment>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Action</source>
        <extracomment>Menu bar title of the break point commands and the split</extracomment>
        <translation>A&amp;ction</translation>
    </message>
    <message>
        <source>&amp;Insert Break Point</source>
        <extracomment>A break point is where a new part (output PDF) begins, before the selected page</extracomment>
        <translation>&amp;Insérer un point de coupe</translation>
    </message>
    <message>
        <source>&amp;Delete Break Point</source>
        <extracomment>Removes the selected break point</extracomment>
        <translation>&amp;Supprimer le point de coupe</translation>
    </message>
    <message>
        <source>&amp;Clean All Break Points</source>
        <extracomment>Removes every break point (&quot;clean&quot; = clear)</extracomment>
        <translation>&amp;Effacer tous les points de coupe</translation>
    </message>
    <message>
        <source>&amp;Split PDF Based Break Points</source>
        <extracomment>Splits the PDF into parts at the break points (&quot;based on break points&quot;)</extracomment>
        <translation>&amp;Découper le PDF aux points de coupe</translation>
    </message>
    <message>
        <source>&amp;Place Break Points...</source>
        <extracomment>Shows a dialog that places break points at bookmarks or every N pages</extracomment>
        <translation>&amp;Placer des points de coupe...</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <extracomment>Undoes the last change to the break points</extracomment>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <extracomment>Redoes the change last undone</extracomment>
        <translation>&amp;Rétablir</translation>
    </message>
    <message>
        <source>Show &amp;Thumbnails</source>
        <extracomment>Turns the preview into a grid of small pictures of every page, and back</extracomment>
        <translation>Afficher les &amp;miniatures</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <extracomment>Menu bar title</extracomment>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;View Web Site</source>
        <extracomment>Opens the program&apos;s web site in the browser</extracomment>
        <translation>&amp;Visiter le site web</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <extracomment>Shows the About box</extracomment>
        <translation>À &amp;propos...</translation>
    </message>
    <message>
        <source>Leave Page &amp;Out</source>
        <extracomment>Page list&apos;s context menu: the selected page is in no part (e.g. a separator sheet)</extracomment>
        <translation>&amp;Omettre la page</translation>
    </message>
</context>
<context>
    <name>qw::HyperlinkLabel</name>
    <message>
        <source>The operating system is out
of memory or resources.</source>
        <extracomment>Why a link could not be opened, shown below &quot;Unable to open hyperlink:&quot;</extracomment>
        <translation>Le système d&apos;exploitation manque
de mémoire ou de ressources.</translation>
    </message>
    <message>
        <source>The specified file was not found.</source>
        <translation>Le fichier indiqué est introuvable.</translation>
    </message>
    <message>
        <source>The specified path was not found.</source>
        <translation>Le chemin indiqué est introuvable.</translation>
    </message>
    <message>
        <source>The operating system denied
access to the specified file.</source>
        <translation>Le système d&apos;exploitation a refusé
l&apos;accès au fichier indiqué.</translation>
    </message>
    <message>
        <source>There was not enough memory to complete the operation.</source>
        <translation>La mémoire était insuffisante pour terminer l&apos;opération.</translation>
    </message>
    <message>
        <source>The .EXE file is invalid
(non-Win32 .EXE or error in .EXE image).</source>
        <translation>Le fichier .EXE n&apos;est pas valide
(.EXE non Win32 ou erreur dans l&apos;image .EXE).</translation>
    </message>
    <message>
        <source>A sharing violation occurred. </source>
        <translation>Une violation de partage s&apos;est produite. </translation>
    </message>
    <message>
        <source>The filename association is
incomplete or invalid.</source>
        <translation>L&apos;association du nom de fichier est
incomplète ou non valide.</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because the request timed out.</source>
        <translation>La transaction DDE n&apos;a pas pu
être terminée car le délai de la requête a expiré.</translation>
    </message>
    <message>
        <source>The DDE transaction failed.</source>
        <translation>La transaction DDE a échoué.</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because other DDE transactions
were being processed.</source>
        <translation>La transaction DDE n&apos;a pas pu
être terminée car d&apos;autres transactions DDE
étaient en cours de traitement.</translation>
    </message>
    <message>
        <source>There is no application associated
with the given filename extension.</source>
        <translation>Aucune application n&apos;est associée
à l&apos;extension de ce nom de fichier.</translation>
    </message>
    <message>
        <source>The specified dynamic-link library was not found.</source>
        <translation>La bibliothèque de liens dynamiques indiquée est introuvable.</translation>
    </message>
    <message>
        <source>Unknown Error (%1) occurred.</source>
        <extracomment>%1 is an error number</extracomment>
        <translation>Une erreur inconnue (%1) s&apos;est produite.</translation>
    </message>
    <message>
        <source>Unable to open hyperlink:

</source>
        <translation>Impossible d&apos;ouvrir le lien&#xa0;:

</translation>
    </message>
</context>
<context>
    <name>qw::NativeFileName</name>
    <message>
        <source>The name of %1 is not valid UTF-8, so it cannot be told apart from other names. Rename the file (or the folder) and try again.</source>
        <translation>Le nom de %1 n&apos;est pas en UTF-8 valide&#xa0;: il ne peut donc pas être distingué d&apos;autres noms. Renommez le fichier (ou le dossier) et réessayez.</translation>
    </message>
</context>
<context>
    <name>qw::OpenFailure</name>
    <message>
        <source>The file no longer exists</source>
        <extracomment>Why a document could not be opened, shown in the preview</extracomment>
        <translation>Le fichier n&apos;existe plus</translation>
    </message>
    <message>
        <source>This file is not a PDF</source>
        <translation>Ce fichier n&apos;est pas un PDF</translation>
    </message>
    <message>
        <source>This PDF is protected by a password</source>
        <translation>Ce PDF est protégé par un mot de passe</translation>
    </message>
    <message>
        <source>This PDF could not be read: %1</source>
        <translation>Ce PDF n&apos;a pas pu être lu&#xa0;: %1</translation>
    </message>
    <message>
        <source>The PDF engine %1 is missing beside the program</source>
        <translation>Le moteur PDF %1 est introuvable à côté du programme</translation>
    </message>
    <message>
        <source>There is not enough memory to open this PDF</source>
        <translation>La mémoire est insuffisante pour ouvrir ce PDF</translation>
    </message>
    <message>
        <source>the PDF engine gave no reason</source>
        <translation>le moteur PDF n&apos;a donné aucune raison</translation>
    </message>
    <message>
        <source>the PDF engine found no pages in it</source>
        <translation>le moteur PDF n&apos;y a trouvé aucune page</translation>
    </message>
</context>
<context>
    <name>qw::OptionsDlg</name>
    <message>
        <source>Ask to seltct an output folder before splitting</source>
        <extracomment>Options: radio button; &quot;seltct&quot; is a typo of &quot;select&quot; kept in English only</extracomment>
        <translation>Demander un dossier de sortie avant de découper</translation>
    </message>
    <message>
        <source>Output to following folder</source>
        <extracomment>Options: radio button; the folder is typed in the field below it</extracomment>
        <translation>Écrire dans le dossier suivant</translation>
    </message>
    <message>
        <source>Same folder as original pdf file</source>
        <extracomment>Options: radio button; the parts go beside the PDF being split</extracomment>
        <translation>Même dossier que le PDF d&apos;origine</translation>
    </message>
    <message>
        <source>Move to archive folder after splitting</source>
        <extracomment>Options: check box; the PDF that was split is moved into the archive folder</extracomment>
        <translation>Déplacer vers le dossier d&apos;archive après découpage</translation>
    </message>
    <message>
        <source>Archive folder:</source>
        <extracomment>Options: label of the archive folder field</extracomment>
        <translation>Dossier d&apos;archive&#xa0;:</translation>
    </message>
    <message>
        <source>Setting..</source>
        <extracomment>Options: button beside a folder field that shows a folder browser (&quot;Browse...&quot;)</extracomment>
        <translation>Parcourir...</translation>
    </message>
    <message>
        <source>Name pattern for split filename:</source>
        <extracomment>Options: label of the name pattern field; the pattern makes each part&apos;s file name</extracomment>
        <translation>Modèle de nom des parties&#xa0;:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Options</source>
        <extracomment>Options dialog title</extracomment>
        <translation>Options</translation>
    </message>
    <message>
        <source>The options could not be saved, so they apply only until the program ends.

%1

Please make the folder or file named above writable, then open Options and press Ok again to keep them.</source>
        <translation>Les options n&apos;ont pas pu être enregistrées&#xa0;: elles ne s&apos;appliquent que jusqu&apos;à la fermeture du programme.

%1

Veuillez rendre le dossier ou le fichier nommé ci-dessus accessible en écriture, puis ouvrez Options et appuyez de nouveau sur OK pour les conserver.</translation>
    </message>
    <message>
        <source>Please select a folder</source>
        <translation>Veuillez choisir un dossier</translation>
    </message>
    <message>
        <source>output folder</source>
        <extracomment>Completes &quot;The %1 begins or ends with a space or tab...&quot;</extracomment>
        <translation>dossier de sortie</translation>
    </message>
    <message>
        <source>archive folder</source>
        <translation>dossier d&apos;archive</translation>
    </message>
    <message>
        <source>name pattern</source>
        <translation>modèle de nom</translation>
    </message>
    <message>
        <source>Please select output folder!</source>
        <translation>Veuillez choisir le dossier de sortie&#xa0;!</translation>
    </message>
    <message>
        <source>Please select archive folder!</source>
        <translation>Veuillez choisir le dossier d&apos;archive&#xa0;!</translation>
    </message>
    <message>
        <source>The %1 begins or ends with a space or tab, which would be lost when the options are read again.
Please remove the spaces and tabs at its start and end.</source>
        <translation>Le %1 commence ou se termine par un espace ou une tabulation, qui seraient perdus à la relecture des options.
Veuillez supprimer les espaces et tabulations à son début et à sa fin.</translation>
    </message>
</context>
<context>
    <name>qw::OptionsFile</name>
    <message>
        <source>There is no configuration folder for this user (is HOME set?)</source>
        <translation>Il n&apos;y a pas de dossier de configuration pour cet utilisateur (HOME est-il défini&#xa0;?)</translation>
    </message>
    <message>
        <source>%1 cannot be created</source>
        <translation>%1 ne peut pas être créé</translation>
    </message>
    <message>
        <source>%1, so the options in it are not used; the defaults apply. Make it a plain text file to keep options there.</source>
        <extracomment>%1 says which options file is wrong and how, such as: /home/me/options.ini is not a file (a folder, device or pipe)</extracomment>
        <translation>%1&#xa0;: ses options ne sont donc pas utilisées&#xa0;; les valeurs par défaut s&apos;appliquent. Faites-en un simple fichier texte pour y garder des options.</translation>
    </message>
</context>
<context>
    <name>qw::OutputClaims</name>
    <message>
        <source>Part file %1 is %2, another document of this run. Give a --pattern with {basename}, or another --output-folder. Nothing was written.</source>
        <translation>Le fichier de partie %1 est %2, un autre document de cette exécution. Indiquez un --pattern avec {basename}, ou un autre --output-folder. Rien n&apos;a été écrit.</translation>
    </message>
    <message>
        <source>%1 is also where %2, another document of this run, goes. Give a --pattern with {basename}, or split the documents in separate runs. Nothing was written.</source>
        <translation>%1 est aussi la destination de %2, un autre document de cette exécution. Indiquez un --pattern avec {basename}, ou découpez les documents en exécutions séparées. Rien n&apos;a été écrit.</translation>
    </message>
</context>
<context>
    <name>qw::OutputNaming</name>
    <message>
        <source>unknown token %1 in the pattern; the tokens are %2</source>
        <extracomment>%1 is the unknown text in braces, %2 the known tokens</extracomment>
        <translation>champ inconnu %1 dans le modèle de nom&#xa0;; les champs possibles sont %2</translation>
    </message>
    <message>
        <source>unknown tokens %1 in the pattern; the tokens are %2</source>
        <translation>champs inconnus %1 dans le modèle de nom&#xa0;; les champs possibles sont %2</translation>
    </message>
</context>
<context>
    <name>qw::OutputTarget</name>
    <message>
        <source>Its folder does not exist.</source>
        <translation>Son dossier n&apos;existe pas.</translation>
    </message>
    <message>
        <source>No file can be created in its folder.</source>
        <translation>Aucun fichier ne peut être créé dans son dossier.</translation>
    </message>
    <message>
        <source>A folder has that name.</source>
        <translation>Un dossier porte ce nom.</translation>
    </message>
    <message>
        <source>A device, pipe or socket has that name; only files are written.</source>
        <translation>Un périphérique, un tube ou une socket porte ce nom&#xa0;; seuls des fichiers sont écrits.</translation>
    </message>
    <message>
        <source>A link of that name leads to %1, which does not exist.</source>
        <translation>Un lien de ce nom mène à %1, qui n&apos;existe pas.</translation>
    </message>
    <message>
        <source>A link of that name leads to a folder, device, pipe or socket, not to a file.</source>
        <translation>Un lien de ce nom mène à un dossier, un périphérique, un tube ou une socket, et non à un fichier.</translation>
    </message>
    <message>
        <source>The file of that name is read-only.</source>
        <translation>Le fichier de ce nom est en lecture seule.</translation>
    </message>
</context>
<context>
    <name>qw::PageCountQuery</name>
    <message>
        <source>the folder does not exist</source>
        <translation>le dossier n&apos;existe pas</translation>
    </message>
</context>
<context>
    <name>qw::PageFactsQuery</name>
    <message>
        <source>The PDF engine could not look at the pages: %1</source>
        <translation>Le moteur PDF n&apos;a pas pu examiner les pages&#xa0;: %1</translation>
    </message>
    <message>
        <source>The barcodes on page %1 could not all be read, so a separator sheet there may have been missed. Look at it before splitting.</source>
        <extracomment>%1 is a page number</extracomment>
        <translation>Les codes-barres de la page %1 n&apos;ont pas tous pu être lus&#xa0;: une feuille de séparation a donc pu y passer inaperçue. Vérifiez cette page avant de découper.</translation>
    </message>
    <message>
        <source>Page %1 could not be looked at: drawing it took too long or too much memory. Look at it before splitting.</source>
        <extracomment>%1 is a page number</extracomment>
        <translation>La page %1 n&apos;a pas pu être examinée&#xa0;: la dessiner prenait trop de temps ou trop de mémoire. Vérifiez cette page avant de découper.</translation>
    </message>
    <message>
        <source>%2 pages could not be looked at: drawing them took too long or too much memory (pages %1). Look at them before splitting.</source>
        <extracomment>%1 lists page numbers, %2 is how many there are</extracomment>
        <translation>%2 pages n&apos;ont pas pu être examinées&#xa0;: les dessiner prenait trop de temps ou trop de mémoire (pages %1). Vérifiez ces pages avant de découper.</translation>
    </message>
    <message>
        <source>The barcodes on %2 pages could not all be read (pages %1), so a separator sheet there may have been missed. Look at them before splitting.</source>
        <extracomment>%1 lists page numbers, %2 is how many there are</extracomment>
        <translation>Les codes-barres de %2 pages n&apos;ont pas tous pu être lus (pages %1)&#xa0;: une feuille de séparation a donc pu y passer inaperçue. Vérifiez ces pages avant de découper.</translation>
    </message>
    <message>
        <source>Page %1 has no text to search (a scanned page has none), so the phrase cannot be found there.</source>
        <extracomment>%1 is a page number</extracomment>
        <translation>La page %1 n&apos;a pas de texte où chercher (une page numérisée n&apos;en a pas)&#xa0;: la phrase ne peut donc pas y être trouvée.</translation>
    </message>
    <message>
        <source>%2 pages have no text to search (scanned pages have none), so the phrase cannot be found there: pages %1.</source>
        <extracomment>%1 lists page numbers, %2 is how many there are</extracomment>
        <translation>%2 pages n&apos;ont pas de texte où chercher (les pages numérisées n&apos;en ont pas)&#xa0;: la phrase ne peut donc pas y être trouvée&#xa0;: pages %1.</translation>
    </message>
    <message>
        <source>No page is a blank separator sheet.</source>
        <translation>Aucune page n&apos;est une feuille de séparation blanche.</translation>
    </message>
    <message>
        <source>No page is a dark separator sheet.</source>
        <translation>Aucune page n&apos;est une feuille de séparation sombre.</translation>
    </message>
    <message>
        <source>No page has a barcode.</source>
        <translation>Aucune page n&apos;a de code-barres.</translation>
    </message>
    <message>
        <source>No page has a barcode containing &quot;%1&quot;.</source>
        <translation>Aucune page n&apos;a de code-barres contenant «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>No page&apos;s text contains &quot;%1&quot;.</source>
        <translation>Le texte d&apos;aucune page ne contient «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>No page&apos;s text matches &quot;%1&quot;.</source>
        <translation>Le texte d’aucune page ne correspond à «&#xa0;%1&#xa0;».</translation>
    </message>
</context>
<context>
    <name>qw::PagesCommand</name>
    <message>
        <source>No file for the PDF engine&apos;s report could be made in the temporary folder: %1.</source>
        <translation>Aucun fichier n&apos;a pu être créé dans le dossier temporaire pour le rapport du moteur PDF&#xa0;: %1.</translation>
    </message>
    <message>
        <source>The document was replaced or changed since it was opened. Open it again.</source>
        <translation>Le document a été remplacé ou modifié depuis son ouverture. Ouvrez-le de nouveau.</translation>
    </message>
    <message>
        <source>The PDF engine&apos;s report could not be read: %1</source>
        <translation>Le rapport du moteur PDF n&apos;a pas pu être lu&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>qw::PlaceBreakPointsDlg</name>
    <message>
        <source>1 part</source>
        <translation>1 partie</translation>
    </message>
    <message>
        <source>%1 parts</source>
        <translation>%1 parties</translation>
    </message>
    <message>
        <source>Strict (clean sheets only)</source>
        <translation>Stricte (feuilles propres seules)</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normale</translation>
    </message>
    <message>
        <source>Tolerant (noisy scans)</source>
        <translation>Tolérante (scans bruités)</translation>
    </message>
    <message>
        <source>Place Break Points</source>
        <translation>Placer des points de coupe</translation>
    </message>
    <message>
        <source>At &amp;bookmarks of level</source>
        <translation>Aux &amp;signets de niveau</translation>
    </message>
    <message>
        <source>whose title contains (any)</source>
        <translation>dont le titre contient (tous)</translation>
    </message>
    <message>
        <source>A regular expression, such as ^Chapter; case is ignored.</source>
        <translation>Une expression régulière, par exemple ^Chapitre&#xa0;; la casse est ignorée.</translation>
    </message>
    <message>
        <source> pages</source>
        <translation> pages</translation>
    </message>
    <message>
        <source>At bookmarks (this document has none)</source>
        <translation>Aux signets (ce document n&apos;en a aucun)</translation>
    </message>
    <message>
        <source>At &amp;separator sheets:</source>
        <translation>Aux &amp;feuilles de séparation&#xa0;:</translation>
    </message>
    <message>
        <source>blank pages</source>
        <translation>pages blanches</translation>
    </message>
    <message>
        <source>dark pages</source>
        <translation>pages sombres</translation>
    </message>
    <message>
        <source>pages with a barcode containing</source>
        <translation>pages dont le code-barres contient</translation>
    </message>
    <message>
        <source>pages whose text contains</source>
        <translation>pages dont le texte contient</translation>
    </message>
    <message>
        <source>Leave the separator pages out of the parts</source>
        <translation>Omettre les pages de séparation dans les parties</translation>
    </message>
    <message>
        <source>Sensitivity:</source>
        <translation>Sensibilité&#xa0;:</translation>
    </message>
    <message>
        <source>Parts of at &amp;most</source>
        <translation>Parties d&apos;au &amp;plus</translation>
    </message>
    <message>
        <source> MB</source>
        <translation> Mo</translation>
    </message>
    <message>
        <source>1 MB is 1,000,000 bytes. A page larger than this alone is a part of its own.</source>
        <translation>1 Mo vaut 1 000 000 octets. Une page à elle seule plus grande que cela forme sa propre partie.</translation>
    </message>
    <message>
        <source>Break points already in the list stay.</source>
        <translation>Les points de coupe existants sont conservés.</translation>
    </message>
    <message>
        <source>1 to %1</source>
        <translation>1 à %1</translation>
    </message>
    <message>
        <source>any text</source>
        <translation>tout texte</translation>
    </message>
    <message>
        <source>Page 1 of</source>
        <translation>Page 1 sur</translation>
    </message>
    <message>
        <source>&amp;Every</source>
        <translation>&amp;Tous les</translation>
    </message>
    <message>
        <source>Not a valid expression: %1 at character %2.</source>
        <extracomment>%1 is what is wrong with the expression, %2 where</extracomment>
        <translation>Expression non valide&#xa0;: %1 au caractère %2.</translation>
    </message>
    <message>
        <source>Each page found is the first page of a document: it begins a part wherever it stands, on the last page and beside another too.</source>
        <translation>Chaque page trouvée est la première page d&apos;un document&#xa0;: elle commence une partie où qu&apos;elle se trouve, en dernière page et à côté d&apos;une autre aussi.</translation>
    </message>
    <message>
        <source>Sheets side by side count as one; a sheet begins the part after it, and one on the last page begins none.</source>
        <translation>Des feuilles côte à côte comptent pour une&#xa0;; une feuille commence la partie qui la suit, et une feuille en dernière page n&apos;en commence aucune.</translation>
    </message>
    <message>
        <source>pages whose text matches the expression</source>
        <translation>les pages dont le texte correspond à l’expression</translation>
    </message>
    <message>
        <source>Account (\d+)</source>
        <translation>Compte (\d+)</translation>
    </message>
    <message>
        <source>Where the &amp;value changes:</source>
        <translation>Là où la &amp;valeur change&#xa0;:</translation>
    </message>
    <message>
        <source>A regular expression; the value is its first group (or its match) in each page&apos;s text. Pages without a match stay with the part before them.</source>
        <translation>Une expression régulière&#xa0;; la valeur est son premier groupe (ou sa correspondance) dans le texte de chaque page. Les pages sans correspondance restent avec la partie qui les précède.</translation>
    </message>
</context>
<context>
    <name>qw::PrivateProfile</name>
    <message>
        <source>invalid section name &quot;%1&quot;</source>
        <translation>nom de section «&#xa0;%1&#xa0;» non valide</translation>
    </message>
    <message>
        <source>invalid key name &quot;%1&quot;</source>
        <translation>nom de clé «&#xa0;%1&#xa0;» non valide</translation>
    </message>
    <message>
        <source>the value of &quot;%1&quot; holds a line break or a NUL</source>
        <translation>la valeur de «&#xa0;%1&#xa0;» contient un saut de ligne ou un caractère NUL</translation>
    </message>
    <message>
        <source>the value of &quot;%1&quot; starts or ends with a blank, which reading would drop</source>
        <translation>la valeur de «&#xa0;%1&#xa0;» commence ou se termine par un blanc, que la lecture supprimerait</translation>
    </message>
    <message>
        <source>%1 is not a file (a folder, device or pipe)</source>
        <translation>%1 n&apos;est pas un fichier (un dossier, un périphérique ou un tube)</translation>
    </message>
    <message>
        <source>%1 is larger than %2 KiB, far more than options take</source>
        <translation>%1 dépasse %2 Kio, bien plus que n&apos;en prennent des options</translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>%1 ne peut pas être lu</translation>
    </message>
</context>
<context>
    <name>qw::SizePlanQuery</name>
    <message>
        <source>No size is given.</source>
        <translation>Aucune taille n&apos;est indiquée.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a size: give a whole number of bytes, or one with K, M or G (such as 500K or 10M).</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas une taille&#xa0;: indiquez un nombre entier d&apos;octets, ou un nombre suivi de K, M ou G (par exemple 500K ou 10M).</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is more than can be counted.</source>
        <translation>«&#xa0;%1&#xa0;» est trop grand pour être compté.</translation>
    </message>
    <message>
        <source>A part cannot be at most 0 bytes.</source>
        <translation>La taille maximale d&apos;une partie ne peut pas être de 0 octet.</translation>
    </message>
    <message>
        <source>1 byte</source>
        <translation>1 octet</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 octets</translation>
    </message>
    <message>
        <source>The PDF engine could not plan the parts: %1</source>
        <translation>Le moteur PDF n&apos;a pas pu prévoir les parties&#xa0;: %1</translation>
    </message>
    <message>
        <source>The PDF engine&apos;s report holds no plan of the parts.</source>
        <translation>Le rapport du moteur PDF ne contient aucun plan des parties.</translation>
    </message>
    <message>
        <source>Page %1 alone is larger than %2, so its part will be larger than that.</source>
        <translation>La page %1 dépasse à elle seule %2&#xa0;: sa partie sera donc plus grande que cela.</translation>
    </message>
    <message>
        <source>Pages %1 are each larger than %2 alone, so each of their parts will be larger than that.</source>
        <translation>Les pages %1 dépassent chacune à elle seule %2&#xa0;: chacune de leurs parties sera donc plus grande que cela.</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 Go</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 Mo</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 ko</translation>
    </message>
</context>
<context>
    <name>qw::SplitJob</name>
    <message>
        <source>The engine ended with code %1.</source>
        <translation>Le moteur s&apos;est terminé avec le code %1.</translation>
    </message>
    <message>
        <source>The engine reported success but did not write the file.</source>
        <translation>Le moteur a signalé une réussite mais n&apos;a pas écrit le fichier.</translation>
    </message>
    <message>
        <source>part was</source>
        <extracomment>Completes &quot;%1 more %2 not attempted.&quot; for one part or for several</extracomment>
        <translation>autre partie n&apos;a pas été tentée</translation>
    </message>
    <message>
        <source>parts were</source>
        <translation>autres parties n&apos;ont pas été tentées</translation>
    </message>
    <message>
        <source>The PDF engine is missing or cannot be started:
%1

Reinstall Quirewright so that %2 lies beside the program. Nothing was written.</source>
        <translation>Le moteur PDF est absent ou ne peut pas être lancé&#xa0;:
%1

Réinstallez Quirewright pour que %2 se trouve à côté du programme. Rien n&apos;a été écrit.</translation>
    </message>
    <message>
        <source>The output folder
%1
does not exist.

Create it, or choose another output folder. Nothing was written.</source>
        <translation>Le dossier de sortie
%1
n&apos;existe pas.

Créez-le, ou choisissez un autre dossier de sortie. Rien n&apos;a été écrit.</translation>
    </message>
    <message>
        <source>The document
%1
has been replaced, moved or changed since it was opened.

Open it again to split it as it is now. Nothing was written.</source>
        <translation>Le document
%1
a été remplacé, déplacé ou modifié depuis son ouverture.

Ouvrez-le de nouveau pour le découper tel qu&apos;il est maintenant. Rien n&apos;a été écrit.</translation>
    </message>
    <message>
        <source>A file of that name appeared while the part was being written. It was left as it is, and the split was stopped: another program may be writing there.</source>
        <translation>Un fichier de ce nom est apparu pendant l&apos;écriture de la partie. Il a été laissé tel quel, et le découpage a été arrêté&#xa0;: un autre programme écrit peut-être à cet endroit.</translation>
    </message>
    <message>
        <source>Part %1 (pages %2 to %3), %4:
%5</source>
        <translation>Partie %1 (pages %2 à %3), %4&#xa0;:
%5</translation>
    </message>
    <message>
        <source>A file of that name is already in the archive folder.</source>
        <translation>Un fichier de ce nom se trouve déjà dans le dossier d&apos;archive.</translation>
    </message>
    <message>
        <source>Check that the archive folder exists and can be written to.</source>
        <translation>Vérifiez que le dossier d&apos;archive existe et est accessible en écriture.</translation>
    </message>
    <message>
        <source>The parts were written, but the document could not be moved to
%1

%2</source>
        <translation>Les parties ont été écrites, mais le document n&apos;a pas pu être déplacé vers
%1

%2</translation>
    </message>
    <message>
        <source>, so the document was not archived</source>
        <translation>, le document n&apos;a donc pas été archivé</translation>
    </message>
    <message>
        <source>%1 more %2 not attempted.</source>
        <translation>%1 %2.</translation>
    </message>
    <message>
        <source>%1 of %2 parts could not be written%3.

%4</source>
        <translation>Impossible d&apos;écrire %1 des %2 parties%3.

%4</translation>
    </message>
    <message>
        <source>The document
%1
has been replaced, moved or changed since it was opened, so the split was stopped%2.</source>
        <translation>Le document
%1
a été remplacé, déplacé ou modifié depuis son ouverture&#xa0;: le découpage a été arrêté%2.</translation>
    </message>
    <message>
        <source>The split was cancelled%1.</source>
        <translation>Le découpage a été annulé%1.</translation>
    </message>
    <message>
        <source>%1 %2 of %3 parts were written%4</source>
        <translation>%1 Quirewright a écrit %2 des %3 parties%4</translation>
    </message>
    <message>
        <source>Open the document again to split it as it is now.</source>
        <translation>Ouvrez à nouveau le document pour le découper tel qu’il est maintenant.</translation>
    </message>
</context>
<context>
    <name>qw::SplitPlan</name>
    <message>
        <source>Part %1 would be written over the document being split:
%2

Choose another name pattern or output folder. Nothing was written.</source>
        <translation>La partie %1 serait écrite par-dessus le document en cours de découpage&#xa0;:
%2

Choisissez un autre modèle de nom ou un autre dossier de sortie. Rien n&apos;a été écrit.</translation>
    </message>
    <message>
        <source>Parts %1 and %2 would both be written to
%3

Put {part} or {part:0000} in the name pattern so that every part gets a name of its own. Nothing was written.</source>
        <translation>Les parties %1 et %2 seraient toutes deux écrites dans
%3

Mettez {part} ou {part:0000} dans le modèle de nom pour que chaque partie ait son propre nom. Rien n&apos;a été écrit.</translation>
    </message>
    <message>
        <source>Part %1 cannot be written to
%2

%3

Choose another name pattern or output folder. Nothing was written.</source>
        <translation>La partie %1 ne peut pas être écrite dans
%2

%3

Choisissez un autre modèle de nom ou un autre dossier de sortie. Rien n&apos;a été écrit.</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>et %1 de plus</translation>
    </message>
    <message>
        <source>This file already exists:</source>
        <translation>Ce fichier existe déjà&#xa0;:</translation>
    </message>
    <message>
        <source>These %1 files already exist:</source>
        <translation>Ces %1 fichiers existent déjà&#xa0;:</translation>
    </message>
    <message>
        <source>%1

Do you want to replace it with the new parts?</source>
        <extracomment>%1 names the file that already exists</extracomment>
        <translation>%1

Voulez-vous le remplacer par les nouvelles parties&#xa0;?</translation>
    </message>
    <message>
        <source>%1

Do you want to replace them with the new parts?</source>
        <translation>%1

Voulez-vous les remplacer par les nouvelles parties&#xa0;?</translation>
    </message>
</context>
<context>
    <name>qw::SplitProgress</name>
    <message>
        <source>Writing part %1 of %2...</source>
        <extracomment>Progress of a split: part %1 of %2 parts is being written</extracomment>
        <translation>Écriture de la partie %1 sur %2...</translation>
    </message>
</context>
<context>
    <name>qw::SplitterDlg</name>
    <message>
        <source>Open a PDF with the Open button or File &gt; Open..., or drop one here.</source>
        <extracomment>Shown in the preview while no document is open; names the Open button and the File menu</extracomment>
        <translation>Ouvrez un PDF avec le bouton Ouvrir ou Fichier &gt; Ouvrir..., ou déposez-en un ici.</translation>
    </message>
    <message>
        <source>All Supported Formats (*.pdf *.PDF)</source>
        <extracomment>Filters of the open-file dialog: keep the patterns in brackets as they are</extracomment>
        <translation>Tous les formats pris en charge (*.pdf *.PDF)</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf *.PDF)</source>
        <translation>Fichiers PDF (*.pdf *.PDF)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>This PDF could not be read</source>
        <translation>Ce PDF n&apos;a pas pu être lu</translation>
    </message>
    <message>
        <source>Page %1 is left out of every part</source>
        <translation>La page %1 est omise de toutes les parties</translation>
    </message>
    <message>
        <source>Please select a folder</source>
        <extracomment>Title of the folder browser</extracomment>
        <translation>Veuillez choisir un dossier</translation>
    </message>
    <message>
        <source>Split PDF file success! Do you want to open the output directory?</source>
        <extracomment>Asked after every part was written; Yes opens the output folder in the file manager</extracomment>
        <translation>Le PDF a été découpé avec succès. Voulez-vous ouvrir le dossier de sortie&#xa0;?</translation>
    </message>
    <message>
        <source>The output folder could not be opened: no file manager is set up to show it. The parts are in
%1</source>
        <extracomment>%1 is the output folder</extracomment>
        <translation>Le dossier de sortie n&apos;a pas pu être ouvert&#xa0;: aucun gestionnaire de fichiers n&apos;est configuré pour l&apos;afficher. Les parties se trouvent dans
%1</translation>
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
        <translation>Découper (F5)</translation>
    </message>
    <message>
        <source>Open</source>
        <extracomment>Main window button (opens a PDF), below its picture: short, it never grows</extracomment>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Looking for separator sheets...</source>
        <translation>Recherche des feuilles de séparation...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="vanished">Annuler</translation>
    </message>
    <message>
        <source>Measuring the parts...</source>
        <translation>Mesure des parties...</translation>
    </message>
    <message>
        <source>The whole document fits in one part of at most %1; the break points are as they were.</source>
        <translation>Le document entier tient dans une seule partie d&apos;au plus %1&#xa0;; les points de coupe restent inchangés.</translation>
    </message>
    <message>
        <source>%1

That text is written into the names of the parts as it stands.</source>
        <extracomment>%1 names the unknown tokens and the tokens there are; Ok goes on with the split</extracomment>
        <translation>%1

Ce texte est écrit tel quel dans les noms des parties.</translation>
    </message>
    <message>
        <source>%1 The break points are as they were.</source>
        <extracomment>%1 says what was looked for, such as: No page has a barcode.</extracomment>
        <translation>%1 Les points de coupe restent inchangés.</translation>
    </message>
    <message>
        <source>Reading the pages&apos; text...</source>
        <translation>Lecture du texte des pages...</translation>
    </message>
    <message>
        <source>Every page that &quot;%1&quot; matches has the same value; the break points are as they were.</source>
        <translation>Toutes les pages auxquelles «&#xa0;%1&#xa0;» correspond ont la même valeur&#xa0;; les points de coupe restent inchangés.</translation>
    </message>
</context>
<context>
    <name>qw::ThumbnailSource</name>
    <message>
        <source>Page thumbnails cannot be shown: the program&apos;s engine (%1) cannot be started.</source>
        <translation>Les miniatures des pages ne peuvent pas être affichées&#xa0;: le moteur du programme (%1) ne peut pas être lancé.</translation>
    </message>
    <message>
        <source>Page thumbnails cannot be shown: the document was changed by another program. Open it again.</source>
        <translation>Les miniatures des pages ne peuvent pas être affichées&#xa0;: le document a été modifié par un autre programme. Ouvrez-le de nouveau.</translation>
    </message>
    <message>
        <source>Page thumbnails cannot be shown: the document cannot be read.</source>
        <translation>Les miniatures des pages ne peuvent pas être affichées&#xa0;: le document ne peut pas être lu.</translation>
    </message>
    <message>
        <source>Page thumbnails cannot be shown: the program&apos;s engine stopped unexpectedly.</source>
        <translation>Les miniatures des pages ne peuvent pas être affichées&#xa0;: le moteur du programme s&apos;est arrêté de manière inattendue.</translation>
    </message>
</context>
<context>
    <name>qw::ViewerHost</name>
    <message>
        <source>Failed to create adobe window, your system hasn&apos;t Adobe Reader installed, would you download and install Adobe Reader now?</source>
        <extracomment>Asked when the document preview cannot be made; Yes opens the reader&apos;s download page</extracomment>
        <translation>Impossible de créer la fenêtre d&apos;Adobe Reader&#xa0;: Adobe Reader n&apos;est pas installé sur votre système. Voulez-vous télécharger et installer Adobe Reader maintenant&#xa0;?</translation>
    </message>
</context>
</TS>
