<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
    <context>
        <name>BatchTexts</name>
        <message numerus="yes">
            <source>%n files left)</source>
            <comment>the count at the end of the progress caption</comment>
            <translation>
                <numerusform>%n fichier restant)</numerusform>
                <numerusform>%n fichiers restants)</numerusform>
            </translation>
        </message>
        <message>
            <source>Loading...</source>
            <translation>Chargement...</translation>
        </message>
        <message>
            <source>Failed(</source>
            <translation>Échec(</translation>
        </message>
        <message>
            <source>Please Wait...</source>
            <translation>Veuillez patienter...</translation>
        </message>
        <message numerus="yes">
            <source>Converting %1 (%n file(s) left)</source>
            <translation>
                <numerusform>Conversion de %1 (%n fichier restant)</numerusform>
                <numerusform>Conversion de %1 (%n fichiers restants)</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Converting %1 (at least %n file(s) left)</source>
            <translation>
                <numerusform>Conversion de %1 (au moins %n fichier restant)</numerusform>
                <numerusform>Conversion de %1 (au moins %n fichiers restants)</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Listing folders: %n audio file(s) found</source>
            <translation>
                <numerusform>Lecture des dossiers : %n fichier audio trouvé</numerusform>
                <numerusform>Lecture des dossiers : %n fichiers audio trouvés</numerusform>
            </translation>
        </message>
        <message>
            <source>Escape stops the batch (or Stop in this caption's menu)</source>
            <translation>Échap arrête le lot (ou « Arrêter » dans le menu de cette légende)</translation>
        </message>
        <message>
            <source>Stopped: %1 converted</source>
            <translation>Arrêté : %1 converti(s)</translation>
        </message>
        <message>
            <source>Done: %1 converted, %2 already converted</source>
            <translation>Terminé : %1 converti(s), %2 déjà converti(s)</translation>
        </message>
        <message numerus="yes">
            <source>Done: %1 of %n file(s) converted</source>
            <translation>
                <numerusform>Terminé : %1 fichier sur %n converti</numerusform>
                <numerusform>Terminé : %1 fichiers sur %n convertis</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Done: %1 of %n file(s) failed. Control L lists them.</source>
            <translation>
                <numerusform>Terminé : échec de %1 fichier sur %n. Ctrl+L en donne la liste.</numerusform>
                <numerusform>Terminé : échec de %1 fichiers sur %n. Ctrl+L en donne la liste.</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 of %n file(s) failed</source>
            <translation>
                <numerusform>Échec : %1 fichier sur %n</numerusform>
                <numerusform>Échec : %1 fichiers sur %n</numerusform>
            </translation>
        </message>
        <message>
            <source>%1 failed: %2</source>
            <translation>Échec de %1 : %2</translation>
        </message>
        <message numerus="yes">
            <source>… and %n more (see the failure log)</source>
            <translation>
                <numerusform>… et %n autre (voir le journal des échecs)</numerusform>
                <numerusform>… et %n autres (voir le journal des échecs)</numerusform>
            </translation>
        </message>
        <message>
            <source>The failure log could not be written (%1)</source>
            <translation>Le journal des échecs n'a pas pu être écrit (%1)</translation>
        </message>
    </context>
    <context>
        <name>FailureList</name>
        <message>
            <source>Failures</source>
            <translation>Échecs</translation>
        </message>
        <message>
            <source>No file failed in the last batch.</source>
            <translation>Aucun fichier n'a échoué lors du dernier lot.</translation>
        </message>
        <message numerus="yes">
            <source>%n file(s) failed in the last batch:</source>
            <translation>
                <numerusform>%n fichier a échoué lors du dernier lot :</numerusform>
                <numerusform>%n fichiers ont échoué lors du dernier lot :</numerusform>
            </translation>
        </message>
        <message>
            <source>Every failure is also written to %1</source>
            <translation>Chaque échec est aussi écrit dans %1</translation>
        </message>
    </context>
    <context>
        <name>FrmMain</name>
        <message>
            <source>Add files...</source>
            <translation>Ajouter des fichiers...</translation>
        </message>
        <message>
            <source>Add a folder...</source>
            <translation>Ajouter un dossier...</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Arrêter</translation>
        </message>
        <message>
            <source>Quit</source>
            <translation>Quitter</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Aide</translation>
        </message>
        <message>
            <source>Show failures...</source>
            <translation>Afficher les échecs...</translation>
        </message>
        <message>
            <source>Replace existing results</source>
            <translation>Remplacer les résultats existants</translation>
        </message>
        <message>
            <source>Skip files already converted</source>
            <translation>Ignorer les fichiers déjà convertis</translation>
        </message>
        <message>
            <source>The last output folder is gone: results go to the default one</source>
            <translation>Le dernier dossier de sortie a disparu : les résultats vont dans celui par défaut</translation>
        </message>
    </context>
    <context>
        <name>FrmSuggest</name>
        <message>
            <source>Your Name?</source>
            <translation>Votre nom ?</translation>
        </message>
        <message>
            <source>Your Email?</source>
            <translation>E-mail ?</translation>
        </message>
        <message>
            <source>Comment?</source>
            <translation>Commentaire ?</translation>
        </message>
        <message>
            <source>Feedback is not set up in this copy of Tolvik</source>
            <translation>Les avis ne sont pas configurés dans cette copie de Tolvik</translation>
        </message>
        <message>
            <source>Sending...</source>
            <translation>Envoi...</translation>
        </message>
        <message>
            <source>Finished.</source>
            <translation>Terminé.</translation>
        </message>
        <message>
            <source>Not sent.</source>
            <translation>Non envoyé.</translation>
        </message>
    </context>
    <context>
        <name>HelpViewer</name>
        <message>
            <source>Tolvik Help</source>
            <translation>Aide de Tolvik</translation>
        </message>
    </context>
    <context>
        <name>OutputFolderDialog</name>
        <message>
            <source>Choose the folder for the MP3 files</source>
            <translation>Choisir le dossier des fichiers MP3</translation>
        </message>
    </context>
    <context>
        <name>SourceFileChooser</name>
        <message>
            <source>Audio files (%1)</source>
            <translation>Fichiers audio (%1)</translation>
        </message>
        <message>
            <source>All files (*)</source>
            <translation>Tous les fichiers (*)</translation>
        </message>
        <message>
            <source>Add audio files</source>
            <translation>Ajouter des fichiers audio</translation>
        </message>
        <message>
            <source>Add a folder of audio files</source>
            <translation>Ajouter un dossier de fichiers audio</translation>
        </message>
    </context>
    <context>
        <name>frmMain</name>
        <message>
            <source>MP3 Audio Channel(Stereo or Mono)</source>
            <translation>Canaux MP3 (stéréo ou mono)</translation>
        </message>
        <message>
            <source>Mono</source>
            <translation>Mono</translation>
        </message>
        <message>
            <source>Stereo</source>
            <translation>Stéréo</translation>
        </message>
        <message>
            <source>Drag media files onto this DropZone</source>
            <translation>Faites glisser les fichiers audio ici</translation>
        </message>
        <message>
            <source>MP3 Audio Rate</source>
            <translation>Fréquence d'échantillonnage MP3</translation>
        </message>
        <message>
            <source>MP3 Audio Bitrate</source>
            <translation>Débit MP3</translation>
        </message>
        <message>
            <source>Select a Folder to Output</source>
            <translation>Choisir un dossier de sortie</translation>
        </message>
        <message>
            <source>Minimize Window</source>
            <translation>Réduire la fenêtre</translation>
        </message>
        <message>
            <source>Select an Output Folder</source>
            <translation>Choisir un dossier de sortie</translation>
        </message>
        <message>
            <source>Help &amp; Tutorial</source>
            <translation>Aide et didacticiel</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>Quitter</translation>
        </message>
        <message>
            <source>Feedback</source>
            <translation>Avis</translation>
        </message>
        <message>
            <source>Send us your suggestion or question</source>
            <translation>Envoyez-nous votre suggestion ou votre question</translation>
        </message>
        <message>
            <source>Bit rate (kbit/s)</source>
            <translation>Débit (kbit/s)</translation>
        </message>
        <message>
            <source>Sample rate (Hz)</source>
            <translation>Fréquence d'échantillonnage (Hz)</translation>
        </message>
        <message>
            <source>Channels</source>
            <translation>Canaux</translation>
        </message>
        <message>
            <source>Output folder</source>
            <translation>Dossier de sortie</translation>
        </message>
        <message>
            <source>Choose the output folder</source>
            <translation>Choisir le dossier de sortie</translation>
        </message>
        <message>
            <source>Add WAV files</source>
            <translation>Ajouter des fichiers WAV</translation>
        </message>
        <message>
            <source>Drop WAV files here, or press Enter to choose them</source>
            <translation>Déposez les fichiers WAV ici, ou appuyez sur Entrée pour les choisir</translation>
        </message>
        <message>
            <source>Open the bit rate list</source>
            <translation>Ouvrir la liste des débits</translation>
        </message>
        <message>
            <source>Open the sample rate list</source>
            <translation>Ouvrir la liste des fréquences</translation>
        </message>
        <message>
            <source>Open the channel list</source>
            <translation>Ouvrir la liste des canaux</translation>
        </message>
        <message>
            <source>Send feedback</source>
            <translation>Envoyer un avis</translation>
        </message>
        <message>
            <source>Opens a window to send the maker your comment</source>
            <translation>Ouvre une fenêtre pour envoyer votre commentaire à l'auteur</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Aide</translation>
        </message>
        <message>
            <source>Minimise</source>
            <translation>Réduire</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Fermer</translation>
        </message>
        <message>
            <source>Ends Tolvik; a running batch is stopped</source>
            <translation>Quitte Tolvik ; un lot en cours est arrêté</translation>
        </message>
        <message>
            <source>Progress of the batch</source>
            <translation>Progression du lot</translation>
        </message>
        <message>
            <source>Files waiting to be converted</source>
            <translation>Fichiers en attente de conversion</translation>
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
            <translation>Retour</translation>
        </message>
        <message>
            <source>Send</source>
            <translation>Envoyer</translation>
        </message>
        <message>
            <source>Email</source>
            <translation>E-mail</translation>
        </message>
        <message>
            <source>Your Name</source>
            <translation>Votre nom</translation>
        </message>
        <message>
            <source>back to main</source>
            <translation>retour à la fenêtre principale</translation>
        </message>
        <message>
            <source>Send your feedback now</source>
            <translation>Envoyer votre avis maintenant</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>Quitter</translation>
        </message>
        <message>
            <source>Your Email?</source>
            <translation>E-mail ?</translation>
        </message>
        <message>
            <source>Your name</source>
            <translation>Votre nom</translation>
        </message>
        <message>
            <source>Your e-mail address</source>
            <translation>Votre adresse e-mail</translation>
        </message>
        <message>
            <source>Comment</source>
            <translation>Commentaire</translation>
        </message>
        <message>
            <source>Send feedback</source>
            <translation>Envoyer un avis</translation>
        </message>
        <message>
            <source>Back to the main window</source>
            <translation>Retour à la fenêtre principale</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Fermer</translation>
        </message>
        <message>
            <source>What became of the feedback</source>
            <translation>Ce qu'il est advenu de votre avis</translation>
        </message>
        <message>
            <source>FeedBack</source>
            <translation>Avis</translation>
        </message>
    </context>
</TS>
