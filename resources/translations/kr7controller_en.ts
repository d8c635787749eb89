<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="pl_PL">
<context>
    <name>TApplication</name>
    <message>
        <source>Unknown error.</source>
        <translation>Unknown error.</translation>
    </message>
</context>
<context>
    <name>TFontDialog</name>
    <message>
        <source>Glyphs from a font</source>
        <translation>Glyphs from a font</translation>
    </message>
    <message>
        <source>&amp;Outline</source>
        <translation>&amp;Outline</translation>
    </message>
    <message>
        <source>&amp;Search:</source>
        <translation>&amp;Search:</translation>
    </message>
    <message>
        <source>St&amp;yle:</source>
        <translation>St&amp;yle:</translation>
    </message>
    <message>
        <source>Si&amp;ze:</source>
        <translation>Si&amp;ze:</translation>
    </message>
    <message>
        <source>&amp;Weight:</source>
        <translation>&amp;Weight:</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Left the current shapes, right the shapes from the font:</source>
        <translation>Left the current shapes, right the shapes from the font:</translation>
    </message>
    <message>
        <source>No installed font was found.</source>
        <translation>No installed font was found.</translation>
    </message>
    <message>
        <source>This font cannot be read: %1</source>
        <translation>This font cannot be read: %1</translation>
    </message>
    <message>
        <source>Not in this font, kept as they are: %1</source>
        <translation>Not in this font, kept as they are: %1</translation>
    </message>
</context>
<context>
    <name>TFormKR7</name>
    <message>
        <source>KR-7 Controller 2.0</source>
        <translation>KR-7 Controller 2.0</translation>
    </message>
    <message>
        <source>Ustawienia:</source>
        <translation>Settings:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Port komunikacyjny</source>
        <translation>Communication port</translation>
    </message>
    <message>
        <source>&amp;Połącz</source>
        <translation>Conn&amp;ect</translation>
    </message>
    <message>
        <source>Nawiązuje połączenie z urządzeniem</source>
        <translation>Connects to the device</translation>
    </message>
    <message>
        <source>Ekran:</source>
        <translation>Screen:</translation>
    </message>
    <message>
        <source>&amp;Zapamiętaj</source>
        <translation>St&amp;ore</translation>
    </message>
    <message>
        <source>Zapamiętuje bieżący stan ekranu urządzenia</source>
        <translation>Stores the device&apos;s current screen</translation>
    </message>
    <message>
        <source>&amp;Wyczyść</source>
        <translation>C&amp;lear</translation>
    </message>
    <message>
        <source>Czyści ekran urządzenia</source>
        <translation>Clears the device&apos;s screen</translation>
    </message>
    <message>
        <source>&amp;Tekst</source>
        <translation>&amp;Text</translation>
    </message>
    <message>
        <source>Przełącza urządzenie w tryb tekstowy</source>
        <translation>Switches the device to text mode</translation>
    </message>
    <message>
        <source>C&amp;elownik</source>
        <translation>Cross&amp;hair</translation>
    </message>
    <message>
        <source>Przełącza urządzenie w tryb celownika (cross)</source>
        <translation>Switches the device to crosshair mode (cross)</translation>
    </message>
    <message>
        <source>Podgląd</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Teletekst poziomy</source>
        <translation>Horizontal ticker</translation>
    </message>
    <message>
        <source>T&amp;reść:</source>
        <translation>Te&amp;xt:</translation>
    </message>
    <message>
        <source>Włą&amp;cz</source>
        <translation>E&amp;nable</translation>
    </message>
    <message>
        <source>Cz&amp;as skoku [sekundy]:</source>
        <translation>Step &amp;interval [seconds]:</translation>
    </message>
    <message>
        <source>0.1</source>
        <translation>0.1</translation>
    </message>
    <message>
        <source>Położe&amp;nie w pionie:</source>
        <translation>&amp;Vertical position:</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>Cz&amp;ytaj tekst z pliku co [min:sek]</source>
        <translation>Rea&amp;d text from file every [min:sec]</translation>
    </message>
    <message>
        <source>00:30</source>
        <translation>00:30</translation>
    </message>
    <message>
        <source>P&amp;lik:</source>
        <translation>&amp;File:</translation>
    </message>
    <message>
        <source>Wy&amp;bierz</source>
        <translation>&amp;Browse</translation>
    </message>
    <message>
        <source>Teletekst pionowy</source>
        <translation>Vertical pages</translation>
    </message>
    <message>
        <source>Wycentr&amp;uj</source>
        <translation>Cent&amp;re</translation>
    </message>
    <message>
        <source>Cz&amp;as zmiany strony [sekundy]:</source>
        <translation>Page &amp;interval [seconds]:</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <source>&amp;Ilość linii:</source>
        <translation>Line co&amp;unt:</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>Logo</translation>
    </message>
    <message>
        <source>&amp;X:</source>
        <translation>&amp;X:</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>&amp;Y:</source>
        <translation>&amp;Y:</translation>
    </message>
    <message>
        <source>&amp;S:</source>
        <translation>&amp;S:</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>W:</source>
        <translation>W:</translation>
    </message>
    <message>
        <source>Wyrównaj do lewej</source>
        <translation>Align left</translation>
    </message>
    <message>
        <source>Wyśrodkuj w poziomie</source>
        <translation>Centre horizontally</translation>
    </message>
    <message>
        <source>⬌</source>
        <translation>⬌</translation>
    </message>
    <message>
        <source>Wyrównaj do prawej</source>
        <translation>Align right</translation>
    </message>
    <message>
        <source>Wyrównaj do góry</source>
        <translation>Align top</translation>
    </message>
    <message>
        <source>Wyśrodkuj w pionie</source>
        <translation>Centre vertically</translation>
    </message>
    <message>
        <source>⬍</source>
        <translation>⬍</translation>
    </message>
    <message>
        <source>Wyrównaj do dołu</source>
        <translation>Align bottom</translation>
    </message>
    <message>
        <source>Przywróć oryginalną szerokość</source>
        <translation>Restore the original width</translation>
    </message>
    <message>
        <source>↺</source>
        <translation>↺</translation>
    </message>
    <message>
        <source>Przywróć oryginalną wysokość</source>
        <translation>Restore the original height</translation>
    </message>
    <message>
        <source>P&amp;roporcjonalnie</source>
        <translation>&amp;Proportional</translation>
    </message>
    <message>
        <source>Siat&amp;ka</source>
        <translation>G&amp;rid</translation>
    </message>
    <message>
        <source>&amp;Importuj</source>
        <translation>&amp;Import</translation>
    </message>
    <message>
        <source>Wy&amp;czyść</source>
        <translation>&amp;Clear</translation>
    </message>
    <message>
        <source>Ustawienia koloru:</source>
        <translation>Colour settings:</translation>
    </message>
    <message>
        <source>&amp;Biało-czarny</source>
        <translation>&amp;Black/white</translation>
    </message>
    <message>
        <source>&amp;Mozaika</source>
        <translation>&amp;Mosaic</translation>
    </message>
    <message>
        <source>Miesz&amp;anie</source>
        <translation>&amp;Dithering</translation>
    </message>
    <message>
        <source>&amp;Negatyw</source>
        <translation>&amp;Negative</translation>
    </message>
    <message>
        <source>Jasność</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>50%</source>
        <translation>50%</translation>
    </message>
    <message>
        <source>&amp;Usuń tło</source>
        <translation>&amp;Key out</translation>
    </message>
    <message>
        <source>Tolerancja przeźroczystości tła</source>
        <translation>Background transparency tolerance</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100%</translation>
    </message>
    <message>
        <source>&amp;Generuj</source>
        <translation>&amp;Generate</translation>
    </message>
    <message>
        <source>Generuje tablicę znaków przedstawiającą obraz logo</source>
        <translation>Generates the character table that shows the logo picture</translation>
    </message>
    <message>
        <source>Zaprogramu&amp;j</source>
        <translation>Progr&amp;am</translation>
    </message>
    <message>
        <source>Zaprogramuj logo w urządzeniu</source>
        <translation>Programs the logo into the device</translation>
    </message>
    <message>
        <source>Usuń</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Usuń logo z urządzenia</source>
        <translation>Removes the logo from the device</translation>
    </message>
    <message>
        <source>Wyświet&amp;l</source>
        <translation>Sho&amp;w</translation>
    </message>
    <message>
        <source>Wyświetl ponownie zaprogramowane logo</source>
        <translation>Shows the programmed logo again</translation>
    </message>
    <message>
        <source>Service</source>
        <translation>Service</translation>
    </message>
    <message>
        <source>Cop&amp;y</source>
        <translation>Cop&amp;y</translation>
    </message>
    <message>
        <source>P&amp;aste</source>
        <translation>P&amp;aste</translation>
    </message>
    <message>
        <source>De&amp;fault</source>
        <translation>De&amp;fault</translation>
    </message>
    <message>
        <source>Se&amp;nd</source>
        <translation>Se&amp;nd</translation>
    </message>
    <message>
        <source>&amp;Binary</source>
        <translation>&amp;Binary</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>B&amp;itmap</source>
        <translation>B&amp;itmap</translation>
    </message>
    <message>
        <source>Sa&amp;ve</source>
        <translation>Sa&amp;ve</translation>
    </message>
    <message>
        <source>Sen&amp;d</source>
        <translation>Sen&amp;d</translation>
    </message>
    <message>
        <source>Font...</source>
        <translation>Font...</translation>
    </message>
    <message>
        <source>Draw codes 1 to 111 from an installed font</source>
        <translation>Draw codes 1 to 111 from an installed font</translation>
    </message>
    <message>
        <source>Defa&amp;ult</source>
        <translation>Defa&amp;ult</translation>
    </message>
    <message>
        <source>&amp;Memory</source>
        <translation>&amp;Memory</translation>
    </message>
    <message>
        <source>C&amp;ross</source>
        <translation>C&amp;ross</translation>
    </message>
    <message>
        <source>Te&amp;xt</source>
        <translation>Te&amp;xt</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Zones&amp;1</source>
        <translation>Zones&amp;1</translation>
    </message>
    <message>
        <source>Zones&amp;2</source>
        <translation>Zones&amp;2</translation>
    </message>
    <message>
        <source>TextOut</source>
        <translation>TextOut</translation>
    </message>
    <message>
        <source>&amp;CharOut</source>
        <translation>&amp;CharOut</translation>
    </message>
    <message>
        <source>CharOut*</source>
        <translation>CharOut*</translation>
    </message>
    <message>
        <source>Cross</source>
        <translation>Cross</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>180</source>
        <translation>180</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>72</source>
        <translation>72</translation>
    </message>
    <message>
        <source>Komunikaty:</source>
        <translation>Messages:</translation>
    </message>
    <message>
        <source>Port niepołączony.</source>
        <translation>Port not connected.</translation>
    </message>
    <message>
        <source>Obraz z wiersza poleceń nie został wczytany: najpierw wyczyść obecny obraz.</source>
        <translation>The picture from the command line was not loaded: clear the present picture first.</translation>
    </message>
    <message>
        <source>Błąd otwarcia portu.</source>
        <translation>Error opening the port.</translation>
    </message>
    <message>
        <source>Błąd odczytu konfiguracji.</source>
        <translation>Error reading the settings.</translation>
    </message>
    <message>
        <source>Błąd zapisu konfiguracji.</source>
        <translation>Error saving the settings.</translation>
    </message>
</context>
<context>
    <name>TLogoPage</name>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Wszystkie / All|*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff;*.webp|Bitmap (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg;*.jpeg|PNG (*.png)|*.png|GIF (*.gif)|*.gif|TIFF (*.tif)|*.tif;*.tiff|WebP (*.webp)|*.webp</source>
        <translation>All pictures|*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff;*.webp|Bitmap (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg;*.jpeg|PNG (*.png)|*.png|GIF (*.gif)|*.gif|TIFF (*.tif)|*.tif;*.tiff|WebP (*.webp)|*.webp</translation>
    </message>
    <message>
        <source>Obraz %1 w pliku .%2.</source>
        <translation>A %1 picture named .%2.</translation>
    </message>
    <message>
        <source>Obrazy JPEG o %1 bitach na próbkę nie są obsługiwane.</source>
        <translation>%1-bit JPEG pictures are not supported.</translation>
    </message>
    <message>
        <source>Obrazy JPEG bezstratne i hierarchiczne nie są obsługiwane.</source>
        <translation>Lossless and hierarchical JPEG pictures are not supported.</translation>
    </message>
    <message>
        <source>Obrazy BMP o %1 bitach na piksel nie są obsługiwane.</source>
        <translation>%1-bit BMP pictures are not supported.</translation>
    </message>
    <message>
        <source>Obrazy BMP zawierające obraz %1 nie są obsługiwane.</source>
        <translation>BMP pictures holding a %1 picture are not supported.</translation>
    </message>
    <message>
        <source>Obrazy BMP z kompresją nr %1 nie są obsługiwane.</source>
        <translation>BMP pictures with compression method %1 are not supported.</translation>
    </message>
    <message>
        <source>Obsługa obrazów %1 nie jest zainstalowana.</source>
        <translation>Support for %1 pictures is not installed.</translation>
    </message>
    <message>
        <source>Nieznany format pliku.</source>
        <translation>Unknown file format.</translation>
    </message>
    <message>
        <source>Nie można otworzyć pliku.</source>
        <translation>The file cannot be opened.</translation>
    </message>
    <message>
        <source>Obraz jest za duży.</source>
        <translation>The picture is too large.</translation>
    </message>
    <message>
        <source>Plik jest uszkodzony lub niepełny.</source>
        <translation>The file is damaged or incomplete.</translation>
    </message>
    <message>
        <source>Wczytywanie pliku graficznego...</source>
        <translation>Loading the picture file...</translation>
    </message>
    <message>
        <source>Wystąpił błąd podczas odczytu pliku graficznego.
%1</source>
        <translation>An error occurred while reading the picture file.
%1</translation>
    </message>
    <message>
        <source>Wczytywanie pliku graficznego powiodło się.</source>
        <translation>The picture file was loaded.</translation>
    </message>
    <message>
        <source>Generowanie tablicy znaków...</source>
        <translation>Generating the character table...</translation>
    </message>
    <message>
        <source>Logo wygenerowane pomyślnie.</source>
        <translation>Logo generated.</translation>
    </message>
    <message>
        <source>Bieżące logo wykorzystuje %1 znaków z dostępnych %2 (%3%).</source>
        <translation>The current logo uses %1 of the %2 available characters (%3%).</translation>
    </message>
    <message>
        <source>Zweryfikuj wygląd logo na podglądzie. Aby zaprogramować logo, naciśnij przycisk [Programuj].</source>
        <translation>Check the logo on the preview. To program the logo, press [Program].</translation>
    </message>
    <message>
        <source>Na ekranie nie ma żadnego znaku logo - nie ma czego programować.</source>
        <translation>No logo character is on the screen - nothing to program.</translation>
    </message>
    <message>
        <source>Bieżące logo wymaga użycia większej ilości znaków niż %1. Proszę np. zmniejszyć rozmiar logo.</source>
        <translation>The current logo needs more than %1 characters. Please make the logo smaller, for example.</translation>
    </message>
    <message>
        <source>Błąd generowania obrazu logo.</source>
        <translation>Error generating the logo picture.</translation>
    </message>
    <message>
        <source>Trwa programowanie...</source>
        <translation>Programming...</translation>
    </message>
    <message>
        <source>Przerwano po %1 z %2 znaków.</source>
        <translation>Cancelled after %1 of %2 characters.</translation>
    </message>
    <message>
        <source>Zakończono</source>
        <translation>Finished</translation>
    </message>
</context>
<context>
    <name>TLongSequence</name>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TOpenFailure</name>
    <message>
        <source>Przyczyna: nie ma takiego urządzenia (nazwa portu nie wskazuje żadnego).</source>
        <translation>Reason: no such device (the port name points to none).</translation>
    </message>
    <message>
        <source>Przyczyna: nie ma takiego urządzenia (%1).</source>
        <translation>Reason: no such device (%1).</translation>
    </message>
    <message>
        <source>Przyczyna: brak uprawnień do %1; użytkownik musi należeć do grupy %2 (sudo usermod -aG %2 $USER), a potem zalogować się ponownie.</source>
        <translation>Reason: no permission to use %1; the user must belong to the group %2 (sudo usermod -aG %2 $USER) and then log in again.</translation>
    </message>
    <message>
        <source>Przyczyna: brak uprawnień do %1; urządzenie nie jest dostępne dla swojej grupy, więc dołączenie do niej nie pomoże. Poproś administratora o regułę udev, która da grupie dialout odczyt i zapis (GROUP=&quot;dialout&quot;, MODE=&quot;0660&quot;, jak w README).</source>
        <translation>Reason: no permission to use %1; the device is not open to its group, so joining that group would not help. Ask an administrator for a udev rule that gives the dialout group read and write access (GROUP=&quot;dialout&quot;, MODE=&quot;0660&quot;, as in the README).</translation>
    </message>
    <message>
        <source>Przyczyna: port %1 jest zajęty przez inny program.</source>
        <translation>Reason: the port %1 is in use by another program.</translation>
    </message>
    <message>
        <source>Przyczyna: port %1 jest zajęty przez inny program (%2).</source>
        <translation>Reason: the port %1 is in use by another program (%2).</translation>
    </message>
    <message>
        <source>Przyczyna: system odmówił otwarcia %1.</source>
        <translation>Reason: the system refused to open %1.</translation>
    </message>
    <message>
        <source>Przyczyna: system odmówił otwarcia %1 (%2).</source>
        <translation>Reason: the system refused to open %1 (%2).</translation>
    </message>
    <message>
        <source>Przyczyna: %1 nie jest portem szeregowym.</source>
        <translation>Reason: %1 is not a serial port.</translation>
    </message>
</context>
<context>
    <name>TServicePage</name>
    <message>
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>All files (*.*)|*.*</source>
        <translation>All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Bitmap (*.bmp)|*.bmp</source>
        <translation>Bitmap (*.bmp)|*.bmp</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Cancelled after %1 of %2 %3.</source>
        <translation>Cancelled after %1 of %2 %3.</translation>
    </message>
    <message>
        <source>rows</source>
        <translation>rows</translation>
    </message>
    <message>
        <source>Enter text:</source>
        <translation>Enter text:</translation>
    </message>
    <message>
        <source>Actual characters not saved, continue?</source>
        <translation>Actual characters not saved, continue?</translation>
    </message>
    <message>
        <source>Unsaved characters of the last run were kept. Restore them?</source>
        <translation>Unsaved characters of the last run were kept. Restore them?</translation>
    </message>
    <message>
        <source>Unsaved characters restored.</source>
        <translation>Unsaved characters restored.</translation>
    </message>
    <message>
        <source>Wrong binary file size, must be %1.</source>
        <translation>Wrong binary file size, must be %1.</translation>
    </message>
    <message>
        <source>Error load binary file.</source>
        <translation>Error load binary file.</translation>
    </message>
    <message>
        <source>Binary file loaded success.</source>
        <translation>Binary file loaded success.</translation>
    </message>
    <message>
        <source>Error saving binary file.</source>
        <translation>Error saving binary file.</translation>
    </message>
    <message>
        <source>Binary file save success.</source>
        <translation>Binary file save success.</translation>
    </message>
    <message>
        <source>Bitmap load success.</source>
        <translation>Bitmap load success.</translation>
    </message>
    <message>
        <source>Wrong image dimensions: %1 x %2.</source>
        <translation>Wrong image dimensions: %1 x %2.</translation>
    </message>
    <message>
        <source>Error loading bitmap.</source>
        <translation>Error loading bitmap.</translation>
    </message>
    <message>
        <source>Error saving bitmap.</source>
        <translation>Error saving bitmap.</translation>
    </message>
    <message>
        <source>Bitmap save success.</source>
        <translation>Bitmap save success.</translation>
    </message>
    <message>
        <source>Send actual characters to device?</source>
        <translation>Send actual characters to device?</translation>
    </message>
    <message>
        <source>characters</source>
        <translation>characters</translation>
    </message>
    <message>
        <source>Send selected character to device?</source>
        <translation>Send selected character to device?</translation>
    </message>
    <message>
        <source>Codes 1 to 111 drawn from font %1.</source>
        <translation>Codes 1 to 111 drawn from font %1.</translation>
    </message>
    <message>
        <source>Not in the font, kept as they were: %1</source>
        <translation>Not in the font, kept as they were: %1</translation>
    </message>
</context>
<context>
    <name>TTextFileChooser</name>
    <message>
        <source>All files (*.*)|*.*</source>
        <translation>All files (*.*)|*.*</translation>
    </message>
</context>
<context>
    <name>TTextWords</name>
    <message>
        <source>Trwa łączenie....</source>
        <translation>Connecting....</translation>
    </message>
    <message>
        <source>Port połączony.</source>
        <translation>Port connected.</translation>
    </message>
    <message>
        <source>Nie wskazano pliku dla teletekstu poziomego.</source>
        <translation>No file chosen for the horizontal ticker.</translation>
    </message>
    <message>
        <source>błąd wejścia-wyjścia (EIO)</source>
        <translation>input/output error (EIO)</translation>
    </message>
    <message>
        <source>brak urządzenia (ENXIO)</source>
        <translation>no such device (ENXIO)</translation>
    </message>
    <message>
        <source>urządzenie nie istnieje (ENODEV)</source>
        <translation>the device does not exist (ENODEV)</translation>
    </message>
    <message>
        <source>połączenie zerwane (EPIPE)</source>
        <translation>connection broken (EPIPE)</translation>
    </message>
    <message>
        <source>błąd %1</source>
        <translation>error %1</translation>
    </message>
    <message>
        <source>Urządzenie odłączone: %1.</source>
        <translation>Device disconnected: %1.</translation>
    </message>
    <message>
        <source>Ostatnio odczytany: %1 %2</source>
        <translation>Last read: %1 %2</translation>
    </message>
    <message>
        <source>Plik nie istnieje: &quot;%1&quot;.</source>
        <translation>The file does not exist: &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Błąd otwarcia pliku: &quot;%1&quot;.</source>
        <translation>Error opening the file: &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Nie wskazano pliku dla teletekstu pionowego.</source>
        <translation>No file chosen for the vertical pages.</translation>
    </message>
</context>
</TS>
