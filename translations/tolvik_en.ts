<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
    <context>
        <name>BatchTexts</name>
        <message numerus="yes">
            <source>%n files left)</source>
            <comment>the count at the end of the progress caption</comment>
            <translation>
                <numerusform>%n files left)</numerusform>
                <numerusform>%n files left)</numerusform>
            </translation>
        </message>
        <message>
            <source>Loading...</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Failed(</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Please Wait...</source>
            <translation type="unfinished" />
        </message>
        <message numerus="yes">
            <source>Converting %1 (%n file(s) left)</source>
            <translation>
                <numerusform>Converting %1 (%n file left)</numerusform>
                <numerusform>Converting %1 (%n files left)</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Converting %1 (at least %n file(s) left)</source>
            <translation>
                <numerusform>Converting %1 (at least %n file left)</numerusform>
                <numerusform>Converting %1 (at least %n files left)</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Listing folders: %n audio file(s) found</source>
            <translation>
                <numerusform>Listing folders: %n audio file found</numerusform>
                <numerusform>Listing folders: %n audio files found</numerusform>
            </translation>
        </message>
        <message>
            <source>Escape stops the batch (or Stop in this caption's menu)</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Stopped: %1 converted</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Done: %1 converted, %2 already converted</source>
            <translation type="unfinished" />
        </message>
        <message numerus="yes">
            <source>Done: %1 of %n file(s) converted</source>
            <translation>
                <numerusform>Done: %1 of %n file converted</numerusform>
                <numerusform>Done: %1 of %n files converted</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Done: %1 of %n file(s) failed. Control L lists them.</source>
            <translation>
                <numerusform>Done: %1 of %n file failed. Control L lists them.</numerusform>
                <numerusform>Done: %1 of %n files failed. Control L lists them.</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 of %n file(s) failed</source>
            <translation>
                <numerusform>%1 of %n file failed</numerusform>
                <numerusform>%1 of %n files failed</numerusform>
            </translation>
        </message>
        <message>
            <source>%1 failed: %2</source>
            <translation type="unfinished" />
        </message>
        <message numerus="yes">
            <source>… and %n more (see the failure log)</source>
            <translation>
                <numerusform>… and %n more (see the failure log)</numerusform>
                <numerusform>… and %n more (see the failure log)</numerusform>
            </translation>
        </message>
        <message>
            <source>The failure log could not be written (%1)</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>FailureList</name>
        <message>
            <source>Failures</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>No file failed in the last batch.</source>
            <translation type="unfinished" />
        </message>
        <message numerus="yes">
            <source>%n file(s) failed in the last batch:</source>
            <translation>
                <numerusform>%n file failed in the last batch:</numerusform>
                <numerusform>%n files failed in the last batch:</numerusform>
            </translation>
        </message>
        <message>
            <source>Every failure is also written to %1</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>FrmMain</name>
        <message>
            <source>Add files...</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Add a folder...</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Stop</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Quit</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Help</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Show failures...</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Replace existing results</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Skip files already converted</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>The last output folder is gone: results go to the default one</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>FrmSuggest</name>
        <message>
            <source>Your Name?</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Your Email?</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Comment?</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Feedback is not set up in this copy of Tolvik</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Sending...</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Finished.</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Not sent.</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>HelpViewer</name>
        <message>
            <source>Tolvik Help</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>OutputFolderDialog</name>
        <message>
            <source>Choose the folder for the MP3 files</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>SourceFileChooser</name>
        <message>
            <source>Audio files (%1)</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>All files (*)</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Add audio files</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Add a folder of audio files</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>frmMain</name>
        <message>
            <source>MP3 Audio Channel(Stereo or Mono)</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Mono</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Stereo</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Drag media files onto this DropZone</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>MP3 Audio Rate</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>MP3 Audio Bitrate</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Select a Folder to Output</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Minimize Window</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Select an Output Folder</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Help &amp; Tutorial</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Exit</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Feedback</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Send us your suggestion or question</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Bit rate (kbit/s)</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Sample rate (Hz)</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Channels</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Output folder</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Choose the output folder</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Add WAV files</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Drop WAV files here, or press Enter to choose them</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Open the bit rate list</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Open the sample rate list</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Open the channel list</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Send feedback</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Opens a window to send the maker your comment</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Help</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Minimise</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Close</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Ends Tolvik; a running batch is stopped</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Progress of the batch</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Files waiting to be converted</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Tolvik</source>
            <translation type="unfinished" />
        </message>
    </context>
    <context>
        <name>frmSuggest</name>
        <message>
            <source>Back</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Send</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Email</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Your Name</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>back to main</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Send your feedback now</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Exit</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Your Email?</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Your name</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Your e-mail address</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Comment</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Send feedback</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Back to the main window</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>Close</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>What became of the feedback</source>
            <translation type="unfinished" />
        </message>
        <message>
            <source>FeedBack</source>
            <translation type="unfinished" />
        </message>
    </context>
</TS>
