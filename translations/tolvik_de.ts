<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
    <context>
        <name>BatchTexts</name>
        <message numerus="yes">
            <source>%n files left)</source>
            <comment>the count at the end of the progress caption</comment>
            <translation>
                <numerusform>%n Datei übrig)</numerusform>
                <numerusform>%n Dateien übrig)</numerusform>
            </translation>
        </message>
        <message>
            <source>Loading...</source>
            <translation>Lädt...</translation>
        </message>
        <message>
            <source>Failed(</source>
            <translation>Fehler(</translation>
        </message>
        <message>
            <source>Please Wait...</source>
            <translation>Bitte warten...</translation>
        </message>
        <message numerus="yes">
            <source>Converting %1 (%n file(s) left)</source>
            <translation>
                <numerusform>Konvertiere %1 (%n Datei übrig)</numerusform>
                <numerusform>Konvertiere %1 (%n Dateien übrig)</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Converting %1 (at least %n file(s) left)</source>
            <translation>
                <numerusform>Konvertiere %1 (mindestens %n Datei übrig)</numerusform>
                <numerusform>Konvertiere %1 (mindestens %n Dateien übrig)</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Listing folders: %n audio file(s) found</source>
            <translation>
                <numerusform>Ordner werden gelesen: %n Audiodatei gefunden</numerusform>
                <numerusform>Ordner werden gelesen: %n Audiodateien gefunden</numerusform>
            </translation>
        </message>
        <message>
            <source>Escape stops the batch (or Stop in this caption's menu)</source>
            <translation>Escape hält die Umwandlung an (oder „Anhalten“ im Menü dieser Anzeige)</translation>
        </message>
        <message>
            <source>Stopped: %1 converted</source>
            <translation>Angehalten: %1 konvertiert</translation>
        </message>
        <message>
            <source>Done: %1 converted, %2 already converted</source>
            <translation>Fertig: %1 konvertiert, %2 bereits konvertiert</translation>
        </message>
        <message numerus="yes">
            <source>Done: %1 of %n file(s) converted</source>
            <translation>
                <numerusform>Fertig: %1 von %n Datei konvertiert</numerusform>
                <numerusform>Fertig: %1 von %n Dateien konvertiert</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Done: %1 of %n file(s) failed. Control L lists them.</source>
            <translation>
                <numerusform>Fertig: %1 von %n Datei fehlgeschlagen. Strg+L listet sie auf.</numerusform>
                <numerusform>Fertig: %1 von %n Dateien fehlgeschlagen. Strg+L listet sie auf.</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 of %n file(s) failed</source>
            <translation>
                <numerusform>%1 von %n Datei fehlgeschlagen</numerusform>
                <numerusform>%1 von %n Dateien fehlgeschlagen</numerusform>
            </translation>
        </message>
        <message>
            <source>%1 failed: %2</source>
            <translation>%1 fehlgeschlagen: %2</translation>
        </message>
        <message numerus="yes">
            <source>… and %n more (see the failure log)</source>
            <translation>
                <numerusform>… und %n weitere (siehe Fehlerprotokoll)</numerusform>
                <numerusform>… und %n weitere (siehe Fehlerprotokoll)</numerusform>
            </translation>
        </message>
        <message>
            <source>The failure log could not be written (%1)</source>
            <translation>Das Fehlerprotokoll konnte nicht geschrieben werden (%1)</translation>
        </message>
    </context>
    <context>
        <name>FailureList</name>
        <message>
            <source>Failures</source>
            <translation>Fehler</translation>
        </message>
        <message>
            <source>No file failed in the last batch.</source>
            <translation>Im letzten Durchgang ist keine Datei fehlgeschlagen.</translation>
        </message>
        <message numerus="yes">
            <source>%n file(s) failed in the last batch:</source>
            <translation>
                <numerusform>%n Datei ist im letzten Durchgang fehlgeschlagen:</numerusform>
                <numerusform>%n Dateien sind im letzten Durchgang fehlgeschlagen:</numerusform>
            </translation>
        </message>
        <message>
            <source>Every failure is also written to %1</source>
            <translation>Jeder Fehler steht auch in %1</translation>
        </message>
    </context>
    <context>
        <name>FrmMain</name>
        <message>
            <source>Add files...</source>
            <translation>Dateien hinzufügen...</translation>
        </message>
        <message>
            <source>Add a folder...</source>
            <translation>Ordner hinzufügen...</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Anhalten</translation>
        </message>
        <message>
            <source>Quit</source>
            <translation>Beenden</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Hilfe</translation>
        </message>
        <message>
            <source>Show failures...</source>
            <translation>Fehler anzeigen...</translation>
        </message>
        <message>
            <source>Replace existing results</source>
            <translation>Vorhandene Ergebnisse ersetzen</translation>
        </message>
        <message>
            <source>Skip files already converted</source>
            <translation>Bereits konvertierte Dateien überspringen</translation>
        </message>
        <message>
            <source>The last output folder is gone: results go to the default one</source>
            <translation>Der letzte Ausgabeordner fehlt: Ergebnisse gehen in den Standardordner</translation>
        </message>
    </context>
    <context>
        <name>FrmSuggest</name>
        <message>
            <source>Your Name?</source>
            <translation>Ihr Name?</translation>
        </message>
        <message>
            <source>Your Email?</source>
            <translation>E-Mail?</translation>
        </message>
        <message>
            <source>Comment?</source>
            <translation>Kommentar?</translation>
        </message>
        <message>
            <source>Feedback is not set up in this copy of Tolvik</source>
            <translation>In dieser Tolvik-Kopie ist kein Feedback eingerichtet</translation>
        </message>
        <message>
            <source>Sending...</source>
            <translation>Sende...</translation>
        </message>
        <message>
            <source>Finished.</source>
            <translation>Fertig.</translation>
        </message>
        <message>
            <source>Not sent.</source>
            <translation>Nicht gesendet.</translation>
        </message>
    </context>
    <context>
        <name>HelpViewer</name>
        <message>
            <source>Tolvik Help</source>
            <translation>Tolvik-Hilfe</translation>
        </message>
    </context>
    <context>
        <name>OutputFolderDialog</name>
        <message>
            <source>Choose the folder for the MP3 files</source>
            <translation>Ordner für die MP3-Dateien wählen</translation>
        </message>
    </context>
    <context>
        <name>SourceFileChooser</name>
        <message>
            <source>Audio files (%1)</source>
            <translation>Audiodateien (%1)</translation>
        </message>
        <message>
            <source>All files (*)</source>
            <translation>Alle Dateien (*)</translation>
        </message>
        <message>
            <source>Add audio files</source>
            <translation>Audiodateien hinzufügen</translation>
        </message>
        <message>
            <source>Add a folder of audio files</source>
            <translation>Ordner mit Audiodateien hinzufügen</translation>
        </message>
    </context>
    <context>
        <name>frmMain</name>
        <message>
            <source>MP3 Audio Channel(Stereo or Mono)</source>
            <translation>MP3-Kanäle (Stereo oder Mono)</translation>
        </message>
        <message>
            <source>Mono</source>
            <translation>Mono</translation>
        </message>
        <message>
            <source>Stereo</source>
            <translation>Stereo</translation>
        </message>
        <message>
            <source>Drag media files onto this DropZone</source>
            <translation>Audiodateien hierher ziehen</translation>
        </message>
        <message>
            <source>MP3 Audio Rate</source>
            <translation>MP3-Abtastrate</translation>
        </message>
        <message>
            <source>MP3 Audio Bitrate</source>
            <translation>MP3-Bitrate</translation>
        </message>
        <message>
            <source>Select a Folder to Output</source>
            <translation>Ausgabeordner wählen</translation>
        </message>
        <message>
            <source>Minimize Window</source>
            <translation>Fenster minimieren</translation>
        </message>
        <message>
            <source>Select an Output Folder</source>
            <translation>Einen Ausgabeordner wählen</translation>
        </message>
        <message>
            <source>Help &amp; Tutorial</source>
            <translation>Hilfe und Anleitung</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>Beenden</translation>
        </message>
        <message>
            <source>Feedback</source>
            <translation>Feedback</translation>
        </message>
        <message>
            <source>Send us your suggestion or question</source>
            <translation>Senden Sie uns Ihren Vorschlag oder Ihre Frage</translation>
        </message>
        <message>
            <source>Bit rate (kbit/s)</source>
            <translation>Bitrate (kbit/s)</translation>
        </message>
        <message>
            <source>Sample rate (Hz)</source>
            <translation>Abtastrate (Hz)</translation>
        </message>
        <message>
            <source>Channels</source>
            <translation>Kanäle</translation>
        </message>
        <message>
            <source>Output folder</source>
            <translation>Ausgabeordner</translation>
        </message>
        <message>
            <source>Choose the output folder</source>
            <translation>Ausgabeordner wählen</translation>
        </message>
        <message>
            <source>Add WAV files</source>
            <translation>WAV-Dateien hinzufügen</translation>
        </message>
        <message>
            <source>Drop WAV files here, or press Enter to choose them</source>
            <translation>WAV-Dateien hier ablegen oder mit Eingabe auswählen</translation>
        </message>
        <message>
            <source>Open the bit rate list</source>
            <translation>Bitraten-Liste öffnen</translation>
        </message>
        <message>
            <source>Open the sample rate list</source>
            <translation>Abtastraten-Liste öffnen</translation>
        </message>
        <message>
            <source>Open the channel list</source>
            <translation>Kanal-Liste öffnen</translation>
        </message>
        <message>
            <source>Send feedback</source>
            <translation>Feedback senden</translation>
        </message>
        <message>
            <source>Opens a window to send the maker your comment</source>
            <translation>Öffnet ein Fenster, um dem Hersteller einen Kommentar zu senden</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Hilfe</translation>
        </message>
        <message>
            <source>Minimise</source>
            <translation>Minimieren</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Schließen</translation>
        </message>
        <message>
            <source>Ends Tolvik; a running batch is stopped</source>
            <translation>Beendet Tolvik; eine laufende Umwandlung wird angehalten</translation>
        </message>
        <message>
            <source>Progress of the batch</source>
            <translation>Fortschritt der Umwandlung</translation>
        </message>
        <message>
            <source>Files waiting to be converted</source>
            <translation>Dateien, die auf die Umwandlung warten</translation>
        </message>
        <message>
            <source>Tolvik</source>
            <translation>Tolvik</translation>
        </message>
    </context>
    <context>
        <name>frmSuggest</name>
        <message>
            <source>Back</source>
            <translation>Zurück</translation>
        </message>
        <message>
            <source>Send</source>
            <translation>Senden</translation>
        </message>
        <message>
            <source>Email</source>
            <translation>E-Mail</translation>
        </message>
        <message>
            <source>Your Name</source>
            <translation>Ihr Name</translation>
        </message>
        <message>
            <source>back to main</source>
            <translation>zurück zum Hauptfenster</translation>
        </message>
        <message>
            <source>Send your feedback now</source>
            <translation>Feedback jetzt senden</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>Beenden</translation>
        </message>
        <message>
            <source>Your Email?</source>
            <translation>E-Mail?</translation>
        </message>
        <message>
            <source>Your name</source>
            <translation>Ihr Name</translation>
        </message>
        <message>
            <source>Your e-mail address</source>
            <translation>Ihre E-Mail-Adresse</translation>
        </message>
        <message>
            <source>Comment</source>
            <translation>Kommentar</translation>
        </message>
        <message>
            <source>Send feedback</source>
            <translation>Feedback senden</translation>
        </message>
        <message>
            <source>Back to the main window</source>
            <translation>Zurück zum Hauptfenster</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Schließen</translation>
        </message>
        <message>
            <source>What became of the feedback</source>
            <translation>Was aus dem Feedback wurde</translation>
        </message>
        <message>
            <source>FeedBack</source>
            <translation>Feedback</translation>
        </message>
    </context>
</TS>
