<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AdjustPanel</name>
    <message>
        <source>Corrected page</source>
        <translation>Korrigierte Seite</translation>
    </message>
    <message>
        <source>Making the preview</source>
        <translation>Vorschau wird erstellt</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Greyscale</source>
        <translation>Graustufen</translation>
    </message>
    <message>
        <source>Document</source>
        <translation>Dokument</translation>
    </message>
    <message>
        <source>Black &amp; white</source>
        <translation>Schwarzweiß</translation>
    </message>
    <message>
        <source>Rotate left</source>
        <translation>Nach links drehen</translation>
    </message>
    <message>
        <source>Rotate right</source>
        <translation>Nach rechts drehen</translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation>Auf alle anwenden</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Überspringen</translation>
    </message>
    <message>
        <source>Previous photo</source>
        <translation>Vorheriges Foto</translation>
    </message>
    <message>
        <source>Photo %1 of %2</source>
        <translation>Foto %1 von %2</translation>
    </message>
    <message>
        <source>Next photo</source>
        <translation>Nächstes Foto</translation>
    </message>
</context>
<context>
    <name>AdjustScreen</name>
    <message>
        <source>Adjust</source>
        <translation>Anpassen</translation>
    </message>
    <message>
        <source>No page found; the whole photo is kept.</source>
        <translation>Keine Seite gefunden; das ganze Foto wird behalten.</translation>
    </message>
    <message>
        <source>The outline cannot cross or fold over itself; that corner stays where it was.</source>
        <translation>Der Umriss darf sich nicht kreuzen oder überschlagen; diese Ecke bleibt, wo sie war.</translation>
    </message>
</context>
<context>
    <name>AdjustScreenPage</name>
    <message>
        <source>‹ Back</source>
        <translation>‹ Zurück</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>AlertView</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>BatchOptions</name>
    <message>
        <source>Read input paths from FILE, one a line (- for stdin; NUL-separated with --null).</source>
        <translation>Eingabepfade aus FILE lesen, einen pro Zeile (- für die Standardeingabe; mit --null durch NUL getrennt).</translation>
    </message>
    <message>
        <source>Take only every N-th input from the K-th (0 to N-1): one task&apos;s share of a job array.</source>
        <translation>Nur jede N-te Eingabe ab der K-ten nehmen (0 bis N-1): der Anteil einer Aufgabe an einem Job-Array.</translation>
    </message>
    <message>
        <source>With -o DIR, leave an input whose output is there already (skipped).</source>
        <translation>Mit -o DIR eine Eingabe auslassen, deren Ausgabe schon vorhanden ist (übersprungen).</translation>
    </message>
    <message>
        <source>With -o, replace outputs that are there already instead of writing a free variant.</source>
        <translation>Mit -o vorhandene Ausgaben ersetzen, statt unter einem freien Namen zu schreiben.</translation>
    </message>
    <message>
        <source>Append a JSON line per input and a summary line to FILE.</source>
        <translation>Je Eingabe eine JSON-Zeile und am Ende eine Zusammenfassung an FILE anhängen.</translation>
    </message>
    <message>
        <source>Print the status lines on stdout instead of the written paths.</source>
        <translation>Die Statuszeilen statt der geschriebenen Pfade auf der Standardausgabe ausgeben.</translation>
    </message>
    <message>
        <source>Use at most N cores: PDF helper processes and recognition threads (default QUIRE_JOBS, or all).</source>
        <translation>Höchstens N Kerne nutzen: PDF-Hilfsprozesse und Threads der Texterkennung (Vorgabe QUIRE_JOBS, sonst alle).</translation>
    </message>
    <message>
        <source>Give up on an input after SECONDS.</source>
        <translation>Eine Eingabe nach SECONDS Sekunden aufgeben.</translation>
    </message>
    <message>
        <source>Give --skip-existing or --overwrite, not both.</source>
        <translation>Bitte --skip-existing oder --overwrite angeben, nicht beides.</translation>
    </message>
    <message>
        <source>--jobs must be a whole number from 1 to 4096.</source>
        <translation>--jobs muss eine ganze Zahl von 1 bis 4096 sein.</translation>
    </message>
    <message>
        <source>--timeout must be a number of seconds above 0.</source>
        <translation>--timeout muss eine Anzahl Sekunden über 0 sein.</translation>
    </message>
    <message>
        <source>The list of inputs %1 could not be read: %2</source>
        <translation>Die Eingabeliste %1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>--slice must be K/N with K from 0 to N-1, e.g. 3/8.</source>
        <translation>--slice muss die Form K/N haben, mit K von 0 bis N-1, z. B. 3/8.</translation>
    </message>
    <message>
        <source>Write to FILE (a free variant if taken).</source>
        <translation>In FILE schreiben (unter einem freien Namen, falls vergeben).</translation>
    </message>
    <message>
        <source>Write into DIR instead of the History folder.</source>
        <translation>In DIR statt in den Verlaufsordner schreiben.</translation>
    </message>
</context>
<context>
    <name>CliApp</name>
    <message>
        <source>Unknown command: %1
</source>
        <translation>Unbekannter Befehl: %1
</translation>
    </message>
    <message>
        <source>No text recognition languages are installed; install tesseract-ocr-eng or another tesseract-ocr-* package.
</source>
        <translation>Es sind keine Sprachen für die Texterkennung installiert; installieren Sie tesseract-ocr-eng oder ein anderes tesseract-ocr-*-Paket.
</translation>
    </message>
    <message>
        <source>No text recognition languages are installed in %1; install tesseract-ocr-eng or another tesseract-ocr-* package.
</source>
        <translation>In %1 sind keine Sprachen für die Texterkennung installiert; installieren Sie tesseract-ocr-eng oder ein anderes tesseract-ocr-*-Paket.
</translation>
    </message>
    <message>
        <source>Shows this help.</source>
        <translation>Zeigt diese Hilfe.</translation>
    </message>
    <message>
        <source>End each printed path with a NUL byte instead of a newline (xargs -0).</source>
        <translation>Jeden ausgegebenen Pfad mit einem NUL-Byte statt eines Zeilenumbruchs beenden (xargs -0).</translation>
    </message>
    <message>
        <source>Missing input.

</source>
        <translation>Eingabe fehlt.

</translation>
    </message>
    <message>
        <source>Too many inputs.

</source>
        <translation>Zu viele Eingaben.

</translation>
    </message>
    <message>
        <source>The status file %1 could not be opened: %2
</source>
        <translation>Die Statusdatei %1 konnte nicht geöffnet werden: %2
</translation>
    </message>
    <message>
        <source>The %1 must be a number above 0 and at most %2.
</source>
        <translation>Der Wert für %1 muss eine Zahl über 0 und höchstens %2 sein.
</translation>
    </message>
    <message>
        <source>photo (each page the photo&apos;s size, the default), a4 or letter.</source>
        <translation>photo (jede Seite so groß wie ihr Foto, die Vorgabe), a4 oder letter.</translation>
    </message>
    <message>
        <source>Space around the photo on a4 or letter paper (default 10mm).</source>
        <translation>Rand um das Foto auf Papier im Format a4 oder letter (Vorgabe 10mm).</translation>
    </message>
    <message>
        <source>Add an invisible layer of the recognised text, to search and copy.</source>
        <translation>Eine unsichtbare Ebene mit dem erkannten Text hinzufügen, zum Suchen und Kopieren.</translation>
    </message>
    <message>
        <source>Languages of the text, e.g. eng or eng+deu.</source>
        <translation>Sprachen des Textes, z. B. eng oder eng+deu.</translation>
    </message>
    <message>
        <source>Photos of paper: find each page, straighten and clean it first, through FILTER (original, grey, document (the default) or bw).</source>
        <translation>Fotos von Papier: jede Seite zuerst finden, gerade ausrichten und säubern, mit FILTER (original, grey, document (die Vorgabe) oder bw).</translation>
    </message>
    <message>
        <source>Photos, one page each.</source>
        <translation>Fotos, je eines pro Seite.</translation>
    </message>
    <message>
        <source>Makes one PDF with a page per photo.</source>
        <translation>Erstellt ein PDF mit einer Seite pro Foto.</translation>
    </message>
    <message>
        <source>The scan filter must be original, grey, document or bw.
</source>
        <translation>Der Scanfilter muss original, grey, document oder bw sein.
</translation>
    </message>
    <message>
        <source>The page size must be photo, a4 or letter.
</source>
        <translation>Das Seitenformat muss photo, a4 oder letter sein.
</translation>
    </message>
    <message>
        <source>The margin must be a length such as 10mm, 0.5in or 0, and leave room for the photo.
</source>
        <translation>Der Rand muss eine Länge wie 10mm, 0.5in oder 0 sein und Platz für das Foto lassen.
</translation>
    </message>
    <message>
        <source>A PDF is written as .pdf, not %1.
</source>
        <translation>Ein PDF wird als .pdf geschrieben, nicht als %1.
</translation>
    </message>
    <message>
        <source>--skip-existing and --overwrite need -o FILE.
</source>
        <translation>--skip-existing und --overwrite brauchen -o FILE.
</translation>
    </message>
    <message>
        <source>JPEG quality from 0 to 1 (default 0.25).</source>
        <translation>JPEG-Qualität von 0 bis 1 (Vorgabe 0.25).</translation>
    </message>
    <message>
        <source>Highest quality whose file fits SIZE bytes (500k, 2m), scaled down when none does.</source>
        <translation>Höchste Qualität, deren Datei in SIZE Byte passt (500k, 2m); verkleinert, wenn keine passt.</translation>
    </message>
    <message>
        <source>Keep the photos&apos; GPS location.</source>
        <translation>Den GPS-Standort der Fotos behalten.</translation>
    </message>
    <message>
        <source>Print the quality used beside each path.</source>
        <translation>Die verwendete Qualität neben jedem Pfad ausgeben.</translation>
    </message>
    <message>
        <source>quality</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source>The size must be a whole number of bytes, or with k or m (500k, 2m).
</source>
        <translation>Die Größe muss eine ganze Zahl von Bytes sein, oder mit k oder m (500k, 2m).
</translation>
    </message>
    <message>
        <source>--skip-existing and --overwrite need -o DIR.
</source>
        <translation>--skip-existing und --overwrite brauchen -o DIR.
</translation>
    </message>
    <message>
        <source>written, but its JPEG data is damaged (libjpeg: %1 %2)</source>
        <translation>geschrieben, aber die JPEG-Daten sind beschädigt (libjpeg: %1 %2)</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>warnings</source>
        <translation>Warnungen</translation>
    </message>
    <message>
        <source>Width in pixels (default: in proportion).</source>
        <translation>Breite in Pixeln (Vorgabe: im Seitenverhältnis).</translation>
    </message>
    <message>
        <source>Height in pixels (default: in proportion).</source>
        <translation>Höhe in Pixeln (Vorgabe: im Seitenverhältnis).</translation>
    </message>
    <message>
        <source>Stretch to exactly W x H instead of fitting.</source>
        <translation>Auf genau W x H strecken, statt einzupassen.</translation>
    </message>
    <message>
        <source>The photos to resize.</source>
        <translation>Die Fotos, deren Größe geändert wird.</translation>
    </message>
    <message>
        <source>Resizes photos to PNG images (JPEG when -o ends in .jpg); with several, -o names a folder.</source>
        <translation>Ändert die Größe von Fotos und speichert sie als PNG (als JPEG, wenn -o auf .jpg endet); bei mehreren nennt -o einen Ordner.</translation>
    </message>
    <message>
        <source>Give --width or --height (or both) as whole numbers from 1 to %1.
</source>
        <translation>Bitte --width oder --height (oder beide) als ganze Zahlen von 1 bis %1 angeben.
</translation>
    </message>
    <message>
        <source>--skip-existing and --overwrite need -o.
</source>
        <translation>--skip-existing und --overwrite brauchen -o.
</translation>
    </message>
    <message>
        <source>Resized images are written as .png or .jpg, not %1.
</source>
        <translation>Bilder mit geänderter Größe werden als .png oder .jpg geschrieben, nicht als %1.
</translation>
    </message>
    <message>
        <source>Tesseract languages, e.g. eng or eng+deu.</source>
        <translation>Tesseract-Sprachen, z. B. eng oder eng+deu.</translation>
    </message>
    <message>
        <source>Write each photo&apos;s text to DIR/NAME.txt instead of stdout.</source>
        <translation>Den Text jedes Fotos nach DIR/NAME.txt statt auf die Standardausgabe schreiben.</translation>
    </message>
    <message>
        <source>Photos of paper: find each page, straighten and clean it before reading.</source>
        <translation>Fotos von Papier: jede Seite vor dem Lesen finden, gerade ausrichten und säubern.</translation>
    </message>
    <message>
        <source>--skip-existing, --overwrite and --json need -o DIR (the text goes to stdout without it).
</source>
        <translation>--skip-existing, --overwrite und --json brauchen -o DIR (ohne geht der Text auf die Standardausgabe).
</translation>
    </message>
    <message>
        <source>Pixels per point (default 2, i.e. 144 dpi).</source>
        <translation>Pixel pro Punkt (Vorgabe 2, also 144 dpi).</translation>
    </message>
    <message>
        <source>Resolution in dots per inch (instead of --scale).</source>
        <translation>Auflösung in Punkten pro Zoll (statt --scale).</translation>
    </message>
    <message>
        <source>Pages to convert, e.g. 1-3,8 (default all).</source>
        <translation>Zu wandelnde Seiten, z. B. 1-3,8 (Vorgabe: alle).</translation>
    </message>
    <message>
        <source>The PDFs to convert.</source>
        <translation>Die zu wandelnden PDFs.</translation>
    </message>
    <message>
        <source>Renders the pages of PDFs to PNG images.</source>
        <translation>Wandelt die Seiten von PDFs in PNG-Bilder um.</translation>
    </message>
    <message>
        <source>resolution</source>
        <translation>Auflösung</translation>
    </message>
    <message>
        <source>scale</source>
        <translation>Skalierung</translation>
    </message>
    <message>
        <source>Bad page range: %1
</source>
        <translation>Ungültiger Seitenbereich: %1
</translation>
    </message>
    <message>
        <source>no pages given.</source>
        <translation>keine Seiten angegeben.</translation>
    </message>
    <message>
        <source>The scan filter must be %1.
</source>
        <translation>Der Scanfilter muss %1 sein.
</translation>
    </message>
    <message>
        <source>kept as it is: %1</source>
        <translation>unverändert übernommen: %1</translation>
    </message>
    <message>
        <source>original, grey, document (white paper, the default) or bw.</source>
        <translation>original, grey, document (weißes Papier, die Vorgabe) oder bw.</translation>
    </message>
    <message>
        <source>Print each photo&apos;s page corners (top-left, top-right, bottom-right, bottom-left) and the confidence, writing nothing.</source>
        <translation>Die Seitenecken jedes Fotos (oben links, oben rechts, unten rechts, unten links) und die Sicherheit ausgeben, ohne etwas zu schreiben.</translation>
    </message>
    <message>
        <source>The page&apos;s corners, &quot;x1,y1 x2,y2 x3,y3 x4,y4&quot; from the top-left clockwise, instead of finding them.</source>
        <translation>Die Ecken der Seite, „x1,y1 x2,y2 x3,y3 x4,y4“ von oben links im Uhrzeigersinn, statt sie zu suchen.</translation>
    </message>
    <message>
        <source>Photos of paper, a page each.</source>
        <translation>Fotos von Papier, je eine Seite.</translation>
    </message>
    <message>
        <source>Finds the page in photos of paper, straightens and cleans it.</source>
        <translation>Findet die Seite in Fotos von Papier, richtet sie gerade aus und säubert sie.</translation>
    </message>
    <message>
        <source>The filter must be %1.
</source>
        <translation>Der Filter muss %1 sein.
</translation>
    </message>
    <message>
        <source>Bad --quad: %1.
</source>
        <translation>Ungültiges --quad: %1.
</translation>
    </message>
    <message>
        <source>no page found; the whole photo was kept</source>
        <translation>keine Seite gefunden; das ganze Foto wurde übernommen</translation>
    </message>
    <message>
        <source>--null ends printed paths (or a --from list); ocr prints paths only with -o DIR.
</source>
        <translation>--null beendet ausgegebene Pfade (oder eine Liste für --from); ocr gibt Pfade nur mit -o DIR aus.
</translation>
    </message>
    <message>
        <source>PDFs and photos, in the order their pages go.</source>
        <translation>PDFs und Fotos, in der Reihenfolge ihrer Seiten.</translation>
    </message>
    <message>
        <source>Joins PDFs and photos (a page each) into one PDF; the first PDF&apos;s outline, forms and details are kept.</source>
        <translation>Vereint PDFs und Fotos (je eine Seite) zu einem PDF; Lesezeichen, Formulare und Angaben des ersten PDFs bleiben erhalten.</translation>
    </message>
    <message>
        <source>Ranges split at the commas, e.g. 1-3,4-9: a PDF for each (default: for each page).</source>
        <translation>Bereiche, an den Kommas getrennt, z. B. 1-3,4-9: ein PDF für jeden (Vorgabe: für jede Seite).</translation>
    </message>
    <message>
        <source>The PDF to split.</source>
        <translation>Das zu teilende PDF.</translation>
    </message>
    <message>
        <source>Writes parts of a PDF as PDFs of their own.</source>
        <translation>Schreibt Teile eines PDFs als eigene PDFs.</translation>
    </message>
    <message>
        <source>Pages to turn, e.g. 2 or 1-3,8 (default all).</source>
        <translation>Zu drehende Seiten, z. B. 2 oder 1-3,8 (Vorgabe: alle).</translation>
    </message>
    <message>
        <source>Degrees clockwise: 90, 180 or 270.</source>
        <translation>Grad im Uhrzeigersinn: 90, 180 oder 270.</translation>
    </message>
    <message>
        <source>The PDF whose pages to turn.</source>
        <translation>Das PDF, dessen Seiten gedreht werden.</translation>
    </message>
    <message>
        <source>Writes a copy of a PDF with pages turned.</source>
        <translation>Schreibt eine Kopie eines PDFs mit gedrehten Seiten.</translation>
    </message>
    <message>
        <source>--by must be 90, 180 or 270 (degrees clockwise).
</source>
        <translation>--by muss 90, 180 oder 270 sein (Grad im Uhrzeigersinn).
</translation>
    </message>
    <message>
        <source>Pages to delete, e.g. 5,7 or 2-4.</source>
        <translation>Zu löschende Seiten, z. B. 5,7 oder 2-4.</translation>
    </message>
    <message>
        <source>The PDF to take pages out of.</source>
        <translation>Das PDF, aus dem Seiten herausgenommen werden.</translation>
    </message>
    <message>
        <source>Writes a copy of a PDF without the pages given.</source>
        <translation>Schreibt eine Kopie eines PDFs ohne die angegebenen Seiten.</translation>
    </message>
    <message>
        <source>Protect the PDF with a password (AES-256), from QUIRE_PDF_PASSWORD or asked on the terminal.</source>
        <translation>Das PDF mit einem Passwort schützen (AES-256), aus QUIRE_PDF_PASSWORD oder auf dem Terminal erfragt.</translation>
    </message>
    <message>
        <source>The PDF to protect.</source>
        <translation>Das zu schützende PDF.</translation>
    </message>
    <message>
        <source>Writes a copy of a PDF that opens only with a password (AES-256), from QUIRE_PDF_PASSWORD or asked on the terminal.</source>
        <translation>Schreibt eine Kopie eines PDFs, die sich nur mit einem Passwort öffnet (AES-256), aus QUIRE_PDF_PASSWORD oder auf dem Terminal erfragt.</translation>
    </message>
    <message>
        <source>A password is needed: set QUIRE_PDF_PASSWORD, or run quire-cli on a terminal to be asked.
</source>
        <translation>Ein Passwort wird gebraucht: QUIRE_PDF_PASSWORD setzen oder quire-cli auf einem Terminal ausführen, um danach gefragt zu werden.
</translation>
    </message>
    <message>
        <source>New password for the PDF: </source>
        <translation>Neues Passwort für das PDF: </translation>
    </message>
    <message>
        <source>No password was given.
</source>
        <translation>Es wurde kein Passwort angegeben.
</translation>
    </message>
    <message>
        <source>The same password again: </source>
        <translation>Dasselbe Passwort noch einmal: </translation>
    </message>
    <message>
        <source>The two passwords differ.
</source>
        <translation>Die beiden Passwörter unterscheiden sich.
</translation>
    </message>
    <message>
        <source>Password for %1: </source>
        <translation>Passwort für %1: </translation>
    </message>
    <message>
        <source>Usage: quire-cli &lt;command&gt; [options]

Commands:
  pdf PHOTO... [-o OUT.pdf] [--page-size a4|letter|photo] [--margin 10mm]
      [--searchable] [--lang eng+deu] [--scan[=FILTER]]
                                            photos to one PDF
  images PDF [-o DIR] [--dpi N | --scale S] [--pages 1-3,8]
                                            PDF pages to PNG images
  compress PHOTO... [-o DIR] [--quality Q | --max-size SIZE] [--keep-location]
                                            photos to JPEG
  resize PHOTO --width W [--height H] [--stretch] [-o OUT.png]
  ocr PHOTO|PDF... [--lang eng+deu] [-o DIR] [--scan]
                                            text of photos on stdout, or DIR/NAME.txt;
                                            a PDF&apos;s pages separated by a form feed
  ocr PDF --searchable [--force] -o OUT.pdf
                                            a copy whose pages without text get theirs
  scan PHOTO... [-o DIR] [--filter original|grey|document|bw] [--quad QUAD]
                                            photos of paper to straight, clean pages
  scan --corners PHOTO...                   the page corners found in photos
  merge PDF|PHOTO... -o OUT.pdf             PDFs and photos joined in order
  split PDF --pages 1-3,4-9 [-o DIR]        a PDF per range (default: per page)
  rotate PDF --pages 2 --by 90 -o OUT.pdf   pages turned clockwise
  delete PDF --pages 5,7 -o OUT.pdf         pages taken out
  protect PDF -o OUT.pdf                    a copy that opens with a password
  --list-langs                              text recognition languages installed

  --version                                 the version of quire-cli

Without -o, files go to Quire&apos;s History folder. Written paths are printed one
per line; nothing is overwritten unless --overwrite is given.

Every command also takes the batch options:
  --from FILE (- for stdin) [--null] [--slice K/N]   inputs from a list
  --skip-existing | --overwrite    with -o, outputs named after their inputs
  --status FILE | --json           a JSON line per input, then a summary
  --jobs N                         cores to use (also QUIRE_JOBS)
  --timeout SECONDS                time limit per input

PDFs are written with a password by --protect, and protected PDFs opened, with the
password from QUIRE_PDF_PASSWORD or asked on the terminal.

Exit status: 0 every input done or skipped, 1 some input failed, 2 bad usage,
130 interrupted (files already whole stay). &apos;quire-cli &lt;command&gt; --help&apos; for more.
</source>
        <translation>Aufruf: quire-cli &lt;Befehl&gt; [Optionen]

Befehle:
  pdf PHOTO... [-o OUT.pdf] [--page-size a4|letter|photo] [--margin 10mm]
      [--searchable] [--lang eng+deu] [--scan[=FILTER]]
                                            Fotos zu einem PDF
  images PDF [-o DIR] [--dpi N | --scale S] [--pages 1-3,8]
                                            PDF-Seiten zu PNG-Bildern
  compress PHOTO... [-o DIR] [--quality Q | --max-size SIZE] [--keep-location]
                                            Fotos zu JPEG
  resize PHOTO --width W [--height H] [--stretch] [-o OUT.png]
  ocr PHOTO|PDF... [--lang eng+deu] [-o DIR] [--scan]
                                            Text von Fotos auf stdout oder in DIR/NAME.txt;
                                            die Seiten eines PDFs durch Seitenvorschub getrennt
  ocr PDF --searchable [--force] -o OUT.pdf
                                            eine Kopie, deren Seiten ohne Text ihren erhalten
  scan PHOTO... [-o DIR] [--filter original|grey|document|bw] [--quad QUAD]
                                            Fotos von Papier zu geraden, sauberen Seiten
  scan --corners PHOTO...                   die in Fotos gefundenen Seitenecken
  merge PDF|PHOTO... -o OUT.pdf             PDFs und Fotos der Reihe nach vereint
  split PDF --pages 1-3,4-9 [-o DIR]        ein PDF je Bereich (Vorgabe: je Seite)
  rotate PDF --pages 2 --by 90 -o OUT.pdf   Seiten im Uhrzeigersinn gedreht
  delete PDF --pages 5,7 -o OUT.pdf         Seiten herausgenommen
  protect PDF -o OUT.pdf                    eine Kopie, die sich nur mit Passwort öffnet
  --list-langs                              installierte Sprachen der Texterkennung

  --version                                 die Version von quire-cli

Ohne -o landen die Dateien im Verlaufsordner von Quire. Geschriebene Pfade werden
einer pro Zeile ausgegeben; nichts wird überschrieben, außer mit --overwrite.

Jeder Befehl nimmt auch die Stapeloptionen:
  --from FILE (- für stdin) [--null] [--slice K/N]   Eingaben aus einer Liste
  --skip-existing | --overwrite    mit -o: Ausgaben nach ihren Eingaben benannt
  --status FILE | --json           eine JSON-Zeile pro Eingabe, dann eine Zusammenfassung
  --jobs N                         zu nutzende Kerne (auch QUIRE_JOBS)
  --timeout SECONDS                Zeitlimit pro Eingabe

Mit --protect werden PDFs mit einem Passwort geschrieben, und geschützte PDFs werden
geöffnet, mit dem Passwort aus QUIRE_PDF_PASSWORD oder auf dem Terminal erfragt.

Exit-Status: 0 jede Eingabe erledigt oder übersprungen, 1 eine Eingabe fehlgeschlagen,
2 falscher Aufruf, 130 unterbrochen (schon vollständige Dateien bleiben).
&apos;quire-cli &lt;Befehl&gt; --help&apos; für mehr.
</translation>
    </message>
    <message>
        <source>With a PDF: write a copy of it, -o OUT.pdf, whose pages without text get an invisible layer of the text read from them.</source>
        <translation>Bei einem PDF: eine Kopie davon schreiben, -o OUT.pdf, deren Seiten ohne Text eine unsichtbare Ebene mit dem darauf gelesenen Text erhalten.</translation>
    </message>
    <message>
        <source>With --searchable: read the pages that have text too.</source>
        <translation>Mit --searchable: auch die Seiten lesen, die schon Text haben.</translation>
    </message>
    <message>
        <source>Photos, or a PDF, to read.</source>
        <translation>Zu lesende Fotos oder ein PDF.</translation>
    </message>
    <message>
        <source>Prints the text recognised in photos, after a line naming each photo when there are several, or writes it to files with -o.
The text of a PDF is read from every page drawn at 300 dpi, the pages separated by a form feed.</source>
        <translation>Gibt den in Fotos erkannten Text aus, bei mehreren Fotos nach einer Zeile mit dem Namen des Fotos, oder schreibt ihn mit -o in Dateien.
Der Text eines PDFs wird von jeder mit 300 dpi gezeichneten Seite gelesen, die Seiten durch einen Seitenvorschub getrennt.</translation>
    </message>
    <message>
        <source>--searchable, --force and --protect take one PDF.
</source>
        <translation>--searchable, --force und --protect nehmen ein PDF.
</translation>
    </message>
    <message>
        <source>PDFs: scale images drawn at more than N dots per inch down to N.</source>
        <translation>PDFs: Bilder, die mit mehr als N Punkten pro Zoll gezeichnet sind, auf N verkleinern.</translation>
    </message>
    <message>
        <source>Photos (or PDFs) to compress.</source>
        <translation>Zu komprimierende Fotos (oder PDFs).</translation>
    </message>
    <message>
        <source>Re-encodes photos as JPEG, and makes PDFs smaller.</source>
        <translation>Kodiert Fotos neu als JPEG und macht PDFs kleiner.</translation>
    </message>
    <message>
        <source>dpi</source>
        <translation>dpi</translation>
    </message>
    <message>
        <source>not installed</source>
        <translation>nicht installiert</translation>
    </message>
    <message>
        <source>quire-cli: cannot start %1: %2
</source>
        <translation>quire-cli: %1 kann nicht gestartet werden: %2
</translation>
    </message>
    <message>
        <source>PDFs are compressed by quire-cli compress</source>
        <translation>PDFs komprimiert nur quire-cli compress</translation>
    </message>
</context>
<context>
    <name>CompressImagePreviewScreen</name>
    <message>
        <source>Compressed</source>
        <translation>Komprimiert</translation>
    </message>
    <message>
        <source>1 photo could not be compressed.</source>
        <translation>1 Foto konnte nicht komprimiert werden.</translation>
    </message>
    <message>
        <source>%1 photos could not be compressed.</source>
        <translation>%1 Fotos konnten nicht komprimiert werden.</translation>
    </message>
</context>
<context>
    <name>CompressImagePreviewScreenPage</name>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Teilen</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Start</translation>
    </message>
</context>
<context>
    <name>CompressImageScreen</name>
    <message>
        <source>already small enough, kept as it was</source>
        <translation>schon klein genug, unverändert übernommen</translation>
    </message>
    <message>
        <source>quality %1</source>
        <translation>Qualität %1</translation>
    </message>
    <message>
        <source>Compress</source>
        <translation>Komprimieren</translation>
    </message>
    <message>
        <source>Photo %1 %2.</source>
        <translation>Foto %1: %2.</translation>
    </message>
    <message>
        <source>Photo %1 could not be saved: %2.</source>
        <translation>Foto %1 konnte nicht gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>Compresing Images...</source>
        <translation>Bilder werden komprimiert …</translation>
    </message>
</context>
<context>
    <name>CompressImageScreenPage</name>
    <message>
        <source>‹ Back</source>
        <translation>‹ Zurück</translation>
    </message>
    <message>
        <source>Compress</source>
        <translation>Komprimieren</translation>
    </message>
    <message>
        <source>Compress to</source>
        <translation>Komprimieren auf</translation>
    </message>
    <message>
        <source>Quality 25 %</source>
        <translation>Qualität 25 %</translation>
    </message>
    <message>
        <source>Fit under %1</source>
        <translation>Unter %1 bringen</translation>
    </message>
    <message>
        <source>Fit under…</source>
        <translation>Unter … bringen</translation>
    </message>
    <message>
        <source>e.g. 750 kb</source>
        <translation>z. B. 750 kb</translation>
    </message>
    <message>
        <source>Fit under</source>
        <translation>Höchstgröße</translation>
    </message>
    <message>
        <source>Type a size such as 500 kb or 1.5 mb</source>
        <translation>Geben Sie eine Größe wie 500 kb oder 1.5 mb ein</translation>
    </message>
</context>
<context>
    <name>CompressPDFPreviewScreen</name>
    <message>
        <source>Compressed PDF</source>
        <translation>Komprimiertes PDF</translation>
    </message>
    <message>
        <source>images kept as they were</source>
        <translation>Bilder unverändert</translation>
    </message>
    <message>
        <source>quality %1</source>
        <translation>Qualität %1</translation>
    </message>
    <message>
        <source>%1 smaller · %2 · %3</source>
        <translation>%1 kleiner · %2 · %3</translation>
    </message>
    <message>
        <source>1 page</source>
        <translation>1 Seite</translation>
    </message>
    <message>
        <source>%1 pages</source>
        <translation>%1 Seiten</translation>
    </message>
</context>
<context>
    <name>CompressPDFPreviewScreenPage</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Teilen</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Start</translation>
    </message>
</context>
<context>
    <name>CompressPDFScreen</name>
    <message>
        <source>Compress PDF</source>
        <translation>PDF komprimieren</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Compressing the PDF...</source>
        <translation>Das PDF wird komprimiert …</translation>
    </message>
    <message>
        <source>Compressing...</source>
        <translation>Komprimieren …</translation>
    </message>
    <message>
        <source>The PDF does not fit under %1, even at the lowest quality. Nothing was written.</source>
        <translation>Das PDF passt selbst bei der niedrigsten Qualität nicht unter %1. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>The PDF could not be compressed (%1).</source>
        <translation>Das PDF konnte nicht komprimiert werden (%1).</translation>
    </message>
    <message>
        <source>The PDF is already as small as it gets. Nothing was written.</source>
        <translation>Das PDF ist bereits so klein wie möglich. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>The PDF could not be saved: %1</source>
        <translation>Das PDF konnte nicht gespeichert werden: %1</translation>
    </message>
</context>
<context>
    <name>CompressPDFScreenPage</name>
    <message>
        <source>‹ Back</source>
        <translation>‹ Zurück</translation>
    </message>
    <message>
        <source>Compress</source>
        <translation>Komprimieren</translation>
    </message>
    <message>
        <source>The PDF could not be opened. It may be damaged.</source>
        <translation>Das PDF konnte nicht geöffnet werden. Es ist vielleicht beschädigt.</translation>
    </message>
</context>
<context>
    <name>CompressRun</name>
    <message>
        <source>Photo %1 of %2</source>
        <translation>Foto %1 von %2</translation>
    </message>
</context>
<context>
    <name>CornerHandle</name>
    <message>
        <source>Drag, or use the arrow keys, to move this corner of the page.</source>
        <translation>Ziehen oder mit den Pfeiltasten diese Ecke der Seite verschieben.</translation>
    </message>
</context>
<context>
    <name>ExtractTextScreen</name>
    <message>
        <source>Something went wrong. Please try again later.</source>
        <translation>Etwas ist schiefgegangen. Bitte versuchen Sie es später noch einmal.</translation>
    </message>
    <message>
        <source>Extract Text</source>
        <translation>Text erkennen</translation>
    </message>
    <message>
        <source>Extracting Text...</source>
        <translation>Text wird erkannt …</translation>
    </message>
    <message>
        <source>This PDF is protected by a password. Quire cannot read it without one.</source>
        <translation>Dieses PDF ist durch ein Passwort geschützt. Ohne das Passwort kann Quire es nicht lesen.</translation>
    </message>
    <message>
        <source>This PDF could not be opened. It may be damaged.</source>
        <translation>Dieses PDF konnte nicht geöffnet werden. Es ist vielleicht beschädigt.</translation>
    </message>
    <message>
        <source>The text of this PDF could not be read: %1</source>
        <translation>Der Text dieses PDFs konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ExtractTextScreenPage</name>
    <message>
        <source>‹ Back</source>
        <translation>‹ Zurück</translation>
    </message>
    <message>
        <source>Extract</source>
        <translation>Erkennen</translation>
    </message>
    <message>
        <source>Click Extract to read the text in this photo.</source>
        <translation>Tippen Sie auf „Erkennen“, um den Text in diesem Foto zu lesen.</translation>
    </message>
    <message>
        <source>Read pages that have text too</source>
        <translation>Auch Seiten lesen, die schon Text haben</translation>
    </message>
    <message>
        <source>Click Extract to read the text of every page.</source>
        <translation>Tippen Sie auf „Erkennen“, um den Text jeder Seite zu lesen.</translation>
    </message>
</context>
<context>
    <name>FileOpener</name>
    <message>
        <source>Cannot Open</source>
        <translation>Öffnen nicht möglich</translation>
    </message>
    <message>
        <source>Quire opens photos and PDF documents only: %1.</source>
        <translation>Quire öffnet nur Fotos und PDF-Dokumente: %1.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Open With</source>
        <translation>Öffnen mit</translation>
    </message>
    <message>
        <source>The photo is ready to become a PDF. Use it for another job instead?</source>
        <translation>Das Foto ist bereit, ein PDF zu werden. Stattdessen für eine andere Aufgabe verwenden?</translation>
    </message>
    <message>
        <source>The %1 photos are ready to become a PDF. Compress them instead?</source>
        <translation>Die %1 Fotos sind bereit, ein PDF zu werden. Stattdessen komprimieren?</translation>
    </message>
    <message>
        <source>Compress</source>
        <translation>Komprimieren</translation>
    </message>
    <message>
        <source>Resize</source>
        <translation>Größe ändern</translation>
    </message>
    <message>
        <source>Extract Text</source>
        <translation>Text erkennen</translation>
    </message>
    <message>
        <source>Images to PDF</source>
        <translation>Bilder zu PDF</translation>
    </message>
</context>
<context>
    <name>HistoryListModel</name>
    <message>
        <source>%1 files, %2</source>
        <translation>%1 Dateien, %2</translation>
    </message>
</context>
<context>
    <name>HomeScreen</name>
    <message>
        <source>PDF to Images</source>
        <translation>PDF zu Bildern</translation>
    </message>
    <message>
        <source>The PDF could not be opened.</source>
        <translation>Das PDF konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>HomeScreenPage</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Images to PDF</source>
        <translation>Bilder zu PDF</translation>
    </message>
    <message>
        <source>PDF to Images</source>
        <translation>PDF zu Bildern</translation>
    </message>
    <message>
        <source>Compress</source>
        <translation>Komprimieren</translation>
    </message>
    <message>
        <source>Resize</source>
        <translation>Größe ändern</translation>
    </message>
    <message>
        <source>Extract Text</source>
        <translation>Text erkennen</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Clear list</source>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>The files stay in the History folder</source>
        <translation>Die Dateien bleiben im Verlaufsordner</translation>
    </message>
    <message>
        <source>Files you make appear here.</source>
        <translation>Hier erscheinen die Dateien, die Sie erstellen.</translation>
    </message>
</context>
<context>
    <name>HudView</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>ImageOptionsPane</name>
    <message>
        <source>Resolution</source>
        <translation>Auflösung</translation>
    </message>
    <message>
        <source>Screen</source>
        <translation>Bildschirm</translation>
    </message>
    <message>
        <source>72 dpi</source>
        <translation>72 dpi</translation>
    </message>
    <message>
        <source>150 dpi</source>
        <translation>150 dpi</translation>
    </message>
    <message>
        <source>300 dpi</source>
        <translation>300 dpi</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>All %1, or e.g. 1-3, 8</source>
        <translation>Alle %1 oder z. B. 1-3, 8</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
</context>
<context>
    <name>ImagePreviewScreen</name>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
</context>
<context>
    <name>ImagePreviewScreenPage</name>
    <message>
        <source>Home</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>No pages</source>
        <translation>Keine Seiten</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Go to</source>
        <translation>Gehe zu</translation>
    </message>
    <message>
        <source>Go to page</source>
        <translation>Gehe zu Seite</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Teilen</translation>
    </message>
</context>
<context>
    <name>ImageToPDFScreen</name>
    <message>
        <source>Images to PDF</source>
        <translation>Bilder zu PDF</translation>
    </message>
    <message>
        <source>Reading the text of the pages</source>
        <translation>Der Text der Seiten wird gelesen</translation>
    </message>
    <message>
        <source>Writing the pages</source>
        <translation>Die Seiten werden geschrieben</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>Wird umgewandelt …</translation>
    </message>
    <message>
        <source>PDF Not Saved</source>
        <translation>PDF nicht gespeichert</translation>
    </message>
    <message>
        <source>The PDF could not be saved: %1</source>
        <translation>Das PDF konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ImageToPDFScreenPage</name>
    <message>
        <source>‹ Back</source>
        <translation>‹ Zurück</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Umwandeln</translation>
    </message>
</context>
<context>
    <name>LanguagesSection</name>
    <message>
        <source>Text recognition languages</source>
        <translation>Sprachen der Texterkennung</translation>
    </message>
    <message>
        <source>%1 — not installed (%2)</source>
        <translation>%1 – nicht installiert (%2)</translation>
    </message>
</context>
<context>
    <name>NavigationBar</name>
    <message>
        <source>‹ Back</source>
        <translation>‹ Zurück</translation>
    </message>
</context>
<context>
    <name>OutlineEditor</name>
    <message>
        <source>Photo %1</source>
        <translation>Foto %1</translation>
    </message>
    <message>
        <source>Top-left corner</source>
        <translation>Ecke oben links</translation>
    </message>
    <message>
        <source>Top-right corner</source>
        <translation>Ecke oben rechts</translation>
    </message>
    <message>
        <source>Bottom-right corner</source>
        <translation>Ecke unten rechts</translation>
    </message>
    <message>
        <source>Bottom-left corner</source>
        <translation>Ecke unten links</translation>
    </message>
    <message>
        <source>Looking for the page</source>
        <translation>Seite wird gesucht</translation>
    </message>
</context>
<context>
    <name>PDFPreviewScreenPage</name>
    <message>
        <source>‹ Back</source>
        <translation>‹ Zurück</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>This PDF has no pages.</source>
        <translation>Dieses PDF hat keine Seiten.</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Teilen</translation>
    </message>
    <message>
        <source>Organise</source>
        <translation>Ordnen</translation>
    </message>
</context>
<context>
    <name>PDFToImageScreen</name>
    <message>
        <source>PDF to Images</source>
        <translation>PDF zu Bildern</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>page %1: %2</source>
        <translation>Seite %1: %2</translation>
    </message>
    <message>
        <source>%1 of %2 pages could not be converted%3.</source>
        <translation>%1 von %2 Seiten konnten nicht umgewandelt werden%3.</translation>
    </message>
    <message>
        <source>%1 of %2 pages could not be written: %3.</source>
        <translation>%1 von %2 Seiten konnten nicht geschrieben werden: %3.</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>Wird umgewandelt …</translation>
    </message>
    <message>
        <source>The PDF could not be opened. It may be damaged, or protected by a password.</source>
        <translation>Das PDF konnte nicht geöffnet werden. Vielleicht ist es beschädigt oder durch ein Passwort geschützt.</translation>
    </message>
    <message>
        <source>The PDF could not be opened: %1.</source>
        <translation>Das PDF konnte nicht geöffnet werden: %1.</translation>
    </message>
    <message>
        <source>The PDF has no pages.</source>
        <translation>Das PDF hat keine Seiten.</translation>
    </message>
</context>
<context>
    <name>PDFToImageScreenPage</name>
    <message>
        <source>‹ Back</source>
        <translation>‹ Zurück</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Umwandeln</translation>
    </message>
    <message>
        <source>The PDF could not be opened. It may be damaged, or protected by a password.</source>
        <translation>Das PDF konnte nicht geöffnet werden. Vielleicht ist es beschädigt oder durch ein Passwort geschützt.</translation>
    </message>
</context>
<context>
    <name>PageCell</name>
    <message>
        <source>Page %1</source>
        <translation>Seite %1</translation>
    </message>
    <message>
        <source>Move earlier</source>
        <translation>Nach vorn</translation>
    </message>
    <message>
        <source>Leave out</source>
        <translation>Weglassen</translation>
    </message>
    <message>
        <source>Move later</source>
        <translation>Nach hinten</translation>
    </message>
</context>
<context>
    <name>PageGridCell</name>
    <message>
        <source>Page %1</source>
        <translation>Seite %1</translation>
    </message>
</context>
<context>
    <name>PageGridScreen</name>
    <message>
        <source>“%1” is not a PDF that can be read.</source>
        <translation>„%1“ ist kein lesbares PDF.</translation>
    </message>
    <message>
        <source>“%1” is protected by a password.</source>
        <translation>„%1“ ist durch ein Passwort geschützt.</translation>
    </message>
    <message>
        <source>Organise Pages</source>
        <translation>Seiten ordnen</translation>
    </message>
    <message>
        <source>PDF Not Opened</source>
        <translation>PDF nicht geöffnet</translation>
    </message>
    <message>
        <source>PDF Not Added</source>
        <translation>PDF nicht hinzugefügt</translation>
    </message>
    <message>
        <source>Opening...</source>
        <translation>Wird geöffnet …</translation>
    </message>
    <message>
        <source>Pages Not Deleted</source>
        <translation>Seiten nicht gelöscht</translation>
    </message>
    <message>
        <source>A PDF needs at least one page. Keep one or more pages, or go back.</source>
        <translation>Ein PDF braucht mindestens eine Seite. Behalten Sie eine oder mehrere Seiten, oder gehen Sie zurück.</translation>
    </message>
    <message>
        <source>Reading the pages</source>
        <translation>Seiten werden gelesen</translation>
    </message>
    <message>
        <source>Writing the PDF</source>
        <translation>PDF wird geschrieben</translation>
    </message>
    <message>
        <source>Saving...</source>
        <translation>Wird gespeichert …</translation>
    </message>
    <message>
        <source>PDF Not Saved</source>
        <translation>PDF nicht gespeichert</translation>
    </message>
    <message>
        <source>The PDF could not be saved: %1</source>
        <translation>Das PDF konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>PageGridScreenPage</name>
    <message>
        <source>‹ Back</source>
        <translation>‹ Zurück</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Turn left</source>
        <translation>Nach links drehen</translation>
    </message>
    <message>
        <source>Turn right</source>
        <translation>Nach rechts drehen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Add PDF</source>
        <translation>PDF hinzufügen</translation>
    </message>
</context>
<context>
    <name>PageRange</name>
    <message>
        <source>An empty entry in the page range &quot;%1&quot;.</source>
        <translation>Ein leerer Eintrag im Seitenbereich „%1“.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a page or a range of pages like &quot;1-3&quot;.</source>
        <translation>„%1“ ist keine Seite und kein Seitenbereich wie „1-3“.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names a page beyond any document.</source>
        <translation>„%1“ nennt eine Seite jenseits jedes Dokuments.</translation>
    </message>
    <message>
        <source>Pages are counted from 1; there is no page 0.</source>
        <translation>Seiten werden ab 1 gezählt; eine Seite 0 gibt es nicht.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; runs backwards; write &quot;%2-%3&quot;.</source>
        <translation>„%1“ läuft rückwärts; schreiben Sie „%2-%3“.</translation>
    </message>
</context>
<context>
    <name>PageRenderer</name>
    <message>
        <source>page %1/%2</source>
        <translation>Seite %1/%2</translation>
    </message>
</context>
<context>
    <name>PasswordDialog</name>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>“%1” is protected. Type its password to open it.</source>
        <translation>„%1“ ist geschützt. Geben Sie sein Passwort ein, um es zu öffnen.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
</context>
<context>
    <name>PasswordPrompt</name>
    <message>
        <source>Type the password of the PDF.</source>
        <translation>Geben Sie das Passwort des PDFs ein.</translation>
    </message>
    <message>
        <source>That password does not open the PDF. Try again.</source>
        <translation>Dieses Passwort öffnet das PDF nicht. Versuchen Sie es noch einmal.</translation>
    </message>
</context>
<context>
    <name>PdfChooser</name>
    <message>
        <source>Open a PDF</source>
        <translation>PDF öffnen</translation>
    </message>
    <message>
        <source>‹ Up</source>
        <translation>‹ Hoch</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Nothing in this folder yet</source>
        <translation>Dieser Ordner ist noch leer</translation>
    </message>
    <message>
        <source>No PDFs in this folder</source>
        <translation>Keine PDFs in diesem Ordner</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
</context>
<context>
    <name>PdfCompressOptions</name>
    <message>
        <source>Compress to</source>
        <translation>Komprimieren auf</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source>Fit under %1</source>
        <translation>Unter %1 bringen</translation>
    </message>
    <message>
        <source>Quality %1</source>
        <translation>Qualität %1</translation>
    </message>
    <message>
        <source>Images at most</source>
        <translation>Bilder höchstens</translation>
    </message>
    <message>
        <source>As they are</source>
        <translation>Unverändert</translation>
    </message>
    <message>
        <source>%1 dpi</source>
        <translation>%1 dpi</translation>
    </message>
    <message>
        <source>1 page</source>
        <translation>1 Seite</translation>
    </message>
    <message>
        <source>%1 pages</source>
        <translation>%1 Seiten</translation>
    </message>
</context>
<context>
    <name>PdfFileRow</name>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
</context>
<context>
    <name>PdfOptionsPane</name>
    <message>
        <source>Paper</source>
        <translation>Papier</translation>
    </message>
    <message>
        <source>Photo size</source>
        <translation>Fotogröße</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>Letter</translation>
    </message>
    <message>
        <source>Margin (mm)</source>
        <translation>Rand (mm)</translation>
    </message>
    <message>
        <source>Make text searchable</source>
        <translation>Text durchsuchbar machen</translation>
    </message>
</context>
<context>
    <name>PdfPageList</name>
    <message>
        <source>Page %1</source>
        <translation>Seite %1</translation>
    </message>
</context>
<context>
    <name>PdfPageReader</name>
    <message>
        <source>Reading the pages&apos; text</source>
        <translation>Der Text der Seiten wird gelesen</translation>
    </message>
</context>
<context>
    <name>PdfProtection</name>
    <message>
        <source>Type a password for the PDF.</source>
        <translation>Geben Sie ein Passwort für das PDF ein.</translation>
    </message>
    <message>
        <source>The two passwords are not the same.</source>
        <translation>Die beiden Passwörter stimmen nicht überein.</translation>
    </message>
</context>
<context>
    <name>PdfShrinker</name>
    <message>
        <source>cannot be made to fit under %1</source>
        <translation>lässt sich nicht unter %1 bringen</translation>
    </message>
    <message>
        <source>not a readable PDF</source>
        <translation>kein lesbares PDF</translation>
    </message>
    <message>
        <source>is protected by a password</source>
        <translation>ist durch ein Passwort geschützt</translation>
    </message>
    <message>
        <source>the password is not right</source>
        <translation>das Passwort ist falsch</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
</context>
<context>
    <name>ProgressOverlay</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>ProtectOption</name>
    <message>
        <source>Protect with a password</source>
        <translation>Mit Passwort schützen</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Password again</source>
        <translation>Passwort wiederholen</translation>
    </message>
</context>
<context>
    <name>ResizeImagePreviewScreen</name>
    <message>
        <source>Resized</source>
        <translation>Größe geändert</translation>
    </message>
    <message>
        <source>Saved!</source>
        <translation>Gespeichert!</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>Nicht gespeichert: %1</translation>
    </message>
</context>
<context>
    <name>ResizeImagePreviewScreenPage</name>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Teilen</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Start</translation>
    </message>
</context>
<context>
    <name>ResizeImageScreen</name>
    <message>
        <source>Resize</source>
        <translation>Größe ändern</translation>
    </message>
    <message>
        <source>You can specify only one dimentions (Width or Height). The second one will calculated to preserve image aspect ratio.</source>
        <translation>Sie können nur ein Maß angeben (Breite oder Höhe). Das andere wird so berechnet, dass das Seitenverhältnis des Bildes erhalten bleibt.</translation>
    </message>
    <message>
        <source>Opps</source>
        <translation>Hoppla</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Enter Width For Image</source>
        <translation>Breite für das Bild eingeben</translation>
    </message>
    <message>
        <source>Enter Height For Image</source>
        <translation>Höhe für das Bild eingeben</translation>
    </message>
    <message>
        <source>Enter a width and a height of at least 1.</source>
        <translation>Geben Sie eine Breite und eine Höhe von mindestens 1 ein.</translation>
    </message>
    <message>
        <source>The photo could not be read.</source>
        <translation>Das Foto konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The resized image could not be saved: %1.</source>
        <translation>Das Bild mit geänderter Größe konnte nicht gespeichert werden: %1.</translation>
    </message>
    <message>
        <source>Enter Width</source>
        <translation>Breite eingeben</translation>
    </message>
    <message>
        <source>Enter Height</source>
        <translation>Höhe eingeben</translation>
    </message>
    <message>
        <source>Digits only: “%1” left out.</source>
        <translation>Nur Ziffern: „%1“ weggelassen.</translation>
    </message>
    <message>
        <source>At most %1 pixels a side and %2 megapixels in all.</source>
        <translation>Höchstens %1 Pixel je Seite und %2 Megapixel insgesamt.</translation>
    </message>
</context>
<context>
    <name>ResizeImageScreenPage</name>
    <message>
        <source>‹ Back</source>
        <translation>‹ Zurück</translation>
    </message>
    <message>
        <source>Resize</source>
        <translation>Größe ändern</translation>
    </message>
    <message>
        <source>Keep proportions</source>
        <translation>Seitenverhältnis beibehalten</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>SaveFlow</name>
    <message>
        <source>Saving...</source>
        <translation>Wird gespeichert …</translation>
    </message>
    <message>
        <source>Can not access Photos!</source>
        <translation>Kein Zugriff auf Fotos!</translation>
    </message>
    <message>
        <source>You have not given permission for access Photos. 
Goto settings and give permission to access Photos.</source>
        <translation>Sie haben den Zugriff auf Fotos nicht erlaubt. 
Öffnen Sie die Einstellungen und erlauben Sie den Zugriff auf Fotos.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Erfolg</translation>
    </message>
    <message>
        <source>Images Successfully Saved To Photo Library.</source>
        <translation>Bilder erfolgreich in der Fotomediathek gespeichert.</translation>
    </message>
    <message>
        <source>Could Not Save</source>
        <translation>Speichern nicht möglich</translation>
    </message>
    <message>
        <source>%1 of %2 images could not be saved to Photo Library.</source>
        <translation>%1 von %2 Bildern konnten nicht in der Fotomediathek gespeichert werden.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>SelectImageScreen</name>
    <message>
        <source>Select Images</source>
        <translation>Bilder auswählen</translation>
    </message>
    <message>
        <source>Could Not Read Photos</source>
        <translation>Fotos nicht lesbar</translation>
    </message>
    <message>
        <source>The chosen photo could not be read.</source>
        <translation>Das gewählte Foto konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%1 of %2 chosen photos could not be read.</source>
        <translation>%1 von %2 gewählten Fotos konnten nicht gelesen werden.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Compress</source>
        <translation>Komprimieren</translation>
    </message>
    <message>
        <source>Extract Text</source>
        <translation>Text erkennen</translation>
    </message>
    <message>
        <source>The PDF could not be opened.</source>
        <translation>Das PDF konnte nicht geöffnet werden.</translation>
    </message>
</context>
<context>
    <name>SelectImageScreenPage</name>
    <message>
        <source>‹ Back</source>
        <translation>‹ Zurück</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Photos</source>
        <translation>Fotos</translation>
    </message>
    <message>
        <source>No photos found.
Add pictures to your Pictures folder to use them here.</source>
        <translation>Keine Fotos gefunden.
Legen Sie Bilder in Ihren Bilder-Ordner, um sie hier zu verwenden.</translation>
    </message>
    <message>
        <source>Choose PDF</source>
        <translation>PDF wählen</translation>
    </message>
</context>
<context>
    <name>SettingScreen</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Download this awesome OCR app to extract text from image.</source>
        <translation>Lade dir diese großartige OCR-App herunter, um Text aus Bildern zu erkennen.</translation>
    </message>
</context>
<context>
    <name>SettingScreenPage</name>
    <message>
        <source>‹ Back</source>
        <translation>‹ Zurück</translation>
    </message>
    <message>
        <source>Share App</source>
        <translation>App teilen</translation>
    </message>
    <message>
        <source>Tell a friend about Quire</source>
        <translation>Erzählen Sie Freunden von Quire</translation>
    </message>
    <message>
        <source>Rate App</source>
        <translation>App bewerten</translation>
    </message>
    <message>
        <source>Write a review</source>
        <translation>Eine Rezension schreiben</translation>
    </message>
    <message>
        <source>More Apps</source>
        <translation>Weitere Apps</translation>
    </message>
    <message>
        <source>Other apps by the maker</source>
        <translation>Andere Apps des Herstellers</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Darstellung</translation>
    </message>
    <message>
        <source>Colours</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Hell</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Dunkel</translation>
    </message>
    <message>
        <source>Photos</source>
        <translation>Fotos</translation>
    </message>
    <message>
        <source>Keep location in compressed photos</source>
        <translation>Standort in komprimierten Fotos behalten</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Made by Quire</source>
        <translation>Von Quire erstellt</translation>
    </message>
    <message>
        <source>Photo library</source>
        <translation>Fotomediathek</translation>
    </message>
    <message>
        <source>Quire %1</source>
        <translation>Quire %1</translation>
    </message>
</context>
<context>
    <name>ShareFiles</name>
    <message>
        <source>The picture could not be encoded.</source>
        <translation>Das Bild konnte nicht kodiert werden.</translation>
    </message>
</context>
<context>
    <name>ShareSheet</name>
    <message>
        <source>Could Not Save</source>
        <translation>Speichern nicht möglich</translation>
    </message>
    <message>
        <source>The folder %1 could not be made.</source>
        <translation>Der Ordner %1 konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>%1 could not be saved: %2</source>
        <translation>%1 konnte nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Saved!</source>
        <translation>Gespeichert!</translation>
    </message>
    <message>
        <source>Saved as %1</source>
        <translation>Gespeichert als %1</translation>
    </message>
    <message>
        <source>Saving...</source>
        <translation>Wird gespeichert …</translation>
    </message>
    <message>
        <source>“%1” already exists in %2.</source>
        <translation>„%1“ gibt es in %2 bereits.</translation>
    </message>
    <message>
        <source>%1 of these files already exist in %2.</source>
        <translation>%1 dieser Dateien gibt es in %2 bereits.</translation>
    </message>
    <message>
        <source>Replace “%1”?</source>
        <translation>„%1“ ersetzen?</translation>
    </message>
    <message>
        <source>Replace %1 Files?</source>
        <translation>%1 Dateien ersetzen?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Keep both</source>
        <translation>Beide behalten</translation>
    </message>
    <message>
        <source>The picture could not be read.</source>
        <translation>Das Bild konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Copied!</source>
        <translation>Kopiert!</translation>
    </message>
    <message>
        <source>Could Not Copy</source>
        <translation>Kopieren nicht möglich</translation>
    </message>
    <message>
        <source>No application opens %1.</source>
        <translation>Keine Anwendung öffnet %1.</translation>
    </message>
    <message>
        <source>Could Not Open</source>
        <translation>Öffnen nicht möglich</translation>
    </message>
    <message>
        <source>Nothing was shared.</source>
        <translation>Es wurde nichts geteilt.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ShareSheetView</name>
    <message>
        <source>%1 items</source>
        <translation>%1 Objekte</translation>
    </message>
    <message>
        <source>Save a copy…</source>
        <translation>Kopie speichern …</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Open with the default app</source>
        <translation>Mit der Standard-App öffnen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Save a copy</source>
        <translation>Kopie speichern</translation>
    </message>
    <message>
        <source>Save copies into a folder</source>
        <translation>Kopien in einen Ordner speichern</translation>
    </message>
</context>
<context>
    <name>TextLayers</name>
    <message>
        <source>Reading the text of the pages</source>
        <translation>Der Text der Seiten wird gelesen</translation>
    </message>
</context>
<context>
    <name>TextScreen</name>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Copied!</source>
        <translation>Kopiert!</translation>
    </message>
    <message>
        <source>Saving...</source>
        <translation>Wird gespeichert …</translation>
    </message>
    <message>
        <source>Saved!</source>
        <translation>Gespeichert!</translation>
    </message>
    <message>
        <source>PDF Not Saved</source>
        <translation>PDF nicht gespeichert</translation>
    </message>
    <message>
        <source>The PDF could not be saved: %1</source>
        <translation>Das PDF konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TextScreenPage</name>
    <message>
        <source>‹ Back</source>
        <translation>‹ Zurück</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>No text found</source>
        <translation>Kein Text gefunden</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Teilen</translation>
    </message>
    <message>
        <source>Save searchable PDF</source>
        <translation>Durchsuchbares PDF speichern</translation>
    </message>
</context>
<context>
    <name>ViewImageScreen</name>
    <message>
        <source>Image</source>
        <translation>Bild</translation>
    </message>
</context>
<context>
    <name>ViewImageScreenPage</name>
    <message>
        <source>‹ Back</source>
        <translation>‹ Zurück</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Teilen</translation>
    </message>
</context>
</TS>
