<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
    <context>
        <name>BatchTexts</name>
        <message numerus="yes">
            <source>%n files left)</source>
            <comment>the count at the end of the progress caption</comment>
            <translation>
                <numerusform>%n archivo restante)</numerusform>
                <numerusform>%n archivos restantes)</numerusform>
            </translation>
        </message>
        <message>
            <source>Loading...</source>
            <translation>Cargando...</translation>
        </message>
        <message>
            <source>Failed(</source>
            <translation>Error(</translation>
        </message>
        <message>
            <source>Please Wait...</source>
            <translation>Espere...</translation>
        </message>
        <message numerus="yes">
            <source>Converting %1 (%n file(s) left)</source>
            <translation>
                <numerusform>Convirtiendo %1 (queda %n archivo)</numerusform>
                <numerusform>Convirtiendo %1 (quedan %n archivos)</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Converting %1 (at least %n file(s) left)</source>
            <translation>
                <numerusform>Convirtiendo %1 (queda al menos %n archivo)</numerusform>
                <numerusform>Convirtiendo %1 (quedan al menos %n archivos)</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Listing folders: %n audio file(s) found</source>
            <translation>
                <numerusform>Leyendo carpetas: %n archivo de audio encontrado</numerusform>
                <numerusform>Leyendo carpetas: %n archivos de audio encontrados</numerusform>
            </translation>
        </message>
        <message>
            <source>Escape stops the batch (or Stop in this caption's menu)</source>
            <translation>Escape detiene el lote (o «Detener» en el menú de este texto)</translation>
        </message>
        <message>
            <source>Stopped: %1 converted</source>
            <translation>Detenido: %1 convertido(s)</translation>
        </message>
        <message>
            <source>Done: %1 converted, %2 already converted</source>
            <translation>Hecho: %1 convertido(s), %2 ya convertido(s)</translation>
        </message>
        <message numerus="yes">
            <source>Done: %1 of %n file(s) converted</source>
            <translation>
                <numerusform>Hecho: %1 de %n archivo convertido</numerusform>
                <numerusform>Hecho: %1 de %n archivos convertidos</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Done: %1 of %n file(s) failed. Control L lists them.</source>
            <translation>
                <numerusform>Hecho: falló %1 de %n archivo. Control L los enumera.</numerusform>
                <numerusform>Hecho: fallaron %1 de %n archivos. Control L los enumera.</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 of %n file(s) failed</source>
            <translation>
                <numerusform>Falló %1 de %n archivo</numerusform>
                <numerusform>Fallaron %1 de %n archivos</numerusform>
            </translation>
        </message>
        <message>
            <source>%1 failed: %2</source>
            <translation>Falló %1: %2</translation>
        </message>
        <message numerus="yes">
            <source>… and %n more (see the failure log)</source>
            <translation>
                <numerusform>… y %n más (ver el registro de errores)</numerusform>
                <numerusform>… y %n más (ver el registro de errores)</numerusform>
            </translation>
        </message>
        <message>
            <source>The failure log could not be written (%1)</source>
            <translation>No se pudo escribir el registro de errores (%1)</translation>
        </message>
    </context>
    <context>
        <name>FailureList</name>
        <message>
            <source>Failures</source>
            <translation>Errores</translation>
        </message>
        <message>
            <source>No file failed in the last batch.</source>
            <translation>Ningún archivo falló en el último lote.</translation>
        </message>
        <message numerus="yes">
            <source>%n file(s) failed in the last batch:</source>
            <translation>
                <numerusform>%n archivo falló en el último lote:</numerusform>
                <numerusform>%n archivos fallaron en el último lote:</numerusform>
            </translation>
        </message>
        <message>
            <source>Every failure is also written to %1</source>
            <translation>Cada error también se escribe en %1</translation>
        </message>
    </context>
    <context>
        <name>FrmMain</name>
        <message>
            <source>Add files...</source>
            <translation>Añadir archivos...</translation>
        </message>
        <message>
            <source>Add a folder...</source>
            <translation>Añadir una carpeta...</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Detener</translation>
        </message>
        <message>
            <source>Quit</source>
            <translation>Salir</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Ayuda</translation>
        </message>
        <message>
            <source>Show failures...</source>
            <translation>Mostrar errores...</translation>
        </message>
        <message>
            <source>Replace existing results</source>
            <translation>Reemplazar los resultados existentes</translation>
        </message>
        <message>
            <source>Skip files already converted</source>
            <translation>Omitir archivos ya convertidos</translation>
        </message>
        <message>
            <source>The last output folder is gone: results go to the default one</source>
            <translation>La última carpeta de salida ya no existe: los resultados van a la predeterminada</translation>
        </message>
    </context>
    <context>
        <name>FrmSuggest</name>
        <message>
            <source>Your Name?</source>
            <translation>¿Nombre?</translation>
        </message>
        <message>
            <source>Your Email?</source>
            <translation>¿Correo?</translation>
        </message>
        <message>
            <source>Comment?</source>
            <translation>¿Comentario?</translation>
        </message>
        <message>
            <source>Feedback is not set up in this copy of Tolvik</source>
            <translation>Los comentarios no están configurados en esta copia de Tolvik</translation>
        </message>
        <message>
            <source>Sending...</source>
            <translation>Enviando...</translation>
        </message>
        <message>
            <source>Finished.</source>
            <translation>Hecho.</translation>
        </message>
        <message>
            <source>Not sent.</source>
            <translation>No enviado.</translation>
        </message>
    </context>
    <context>
        <name>HelpViewer</name>
        <message>
            <source>Tolvik Help</source>
            <translation>Ayuda de Tolvik</translation>
        </message>
    </context>
    <context>
        <name>OutputFolderDialog</name>
        <message>
            <source>Choose the folder for the MP3 files</source>
            <translation>Elija la carpeta para los archivos MP3</translation>
        </message>
    </context>
    <context>
        <name>SourceFileChooser</name>
        <message>
            <source>Audio files (%1)</source>
            <translation>Archivos de audio (%1)</translation>
        </message>
        <message>
            <source>All files (*)</source>
            <translation>Todos los archivos (*)</translation>
        </message>
        <message>
            <source>Add audio files</source>
            <translation>Añadir archivos de audio</translation>
        </message>
        <message>
            <source>Add a folder of audio files</source>
            <translation>Añadir una carpeta de archivos de audio</translation>
        </message>
    </context>
    <context>
        <name>frmMain</name>
        <message>
            <source>MP3 Audio Channel(Stereo or Mono)</source>
            <translation>Canales MP3 (estéreo o mono)</translation>
        </message>
        <message>
            <source>Mono</source>
            <translation>Mono</translation>
        </message>
        <message>
            <source>Stereo</source>
            <translation>Estéreo</translation>
        </message>
        <message>
            <source>Drag media files onto this DropZone</source>
            <translation>Arrastre aquí los archivos de audio</translation>
        </message>
        <message>
            <source>MP3 Audio Rate</source>
            <translation>Frecuencia de muestreo MP3</translation>
        </message>
        <message>
            <source>MP3 Audio Bitrate</source>
            <translation>Tasa de bits MP3</translation>
        </message>
        <message>
            <source>Select a Folder to Output</source>
            <translation>Elegir una carpeta de salida</translation>
        </message>
        <message>
            <source>Minimize Window</source>
            <translation>Minimizar la ventana</translation>
        </message>
        <message>
            <source>Select an Output Folder</source>
            <translation>Elegir una carpeta de salida</translation>
        </message>
        <message>
            <source>Help &amp; Tutorial</source>
            <translation>Ayuda y tutorial</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>Salir</translation>
        </message>
        <message>
            <source>Feedback</source>
            <translation>Opinión</translation>
        </message>
        <message>
            <source>Send us your suggestion or question</source>
            <translation>Envíenos su sugerencia o pregunta</translation>
        </message>
        <message>
            <source>Bit rate (kbit/s)</source>
            <translation>Tasa de bits (kbit/s)</translation>
        </message>
        <message>
            <source>Sample rate (Hz)</source>
            <translation>Frecuencia de muestreo (Hz)</translation>
        </message>
        <message>
            <source>Channels</source>
            <translation>Canales</translation>
        </message>
        <message>
            <source>Output folder</source>
            <translation>Carpeta de salida</translation>
        </message>
        <message>
            <source>Choose the output folder</source>
            <translation>Elegir la carpeta de salida</translation>
        </message>
        <message>
            <source>Add WAV files</source>
            <translation>Añadir archivos WAV</translation>
        </message>
        <message>
            <source>Drop WAV files here, or press Enter to choose them</source>
            <translation>Suelte aquí los archivos WAV o pulse Intro para elegirlos</translation>
        </message>
        <message>
            <source>Open the bit rate list</source>
            <translation>Abrir la lista de tasas de bits</translation>
        </message>
        <message>
            <source>Open the sample rate list</source>
            <translation>Abrir la lista de frecuencias</translation>
        </message>
        <message>
            <source>Open the channel list</source>
            <translation>Abrir la lista de canales</translation>
        </message>
        <message>
            <source>Send feedback</source>
            <translation>Enviar una opinión</translation>
        </message>
        <message>
            <source>Opens a window to send the maker your comment</source>
            <translation>Abre una ventana para enviar su comentario al autor</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Ayuda</translation>
        </message>
        <message>
            <source>Minimise</source>
            <translation>Minimizar</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Cerrar</translation>
        </message>
        <message>
            <source>Ends Tolvik; a running batch is stopped</source>
            <translation>Cierra Tolvik; un lote en curso se detiene</translation>
        </message>
        <message>
            <source>Progress of the batch</source>
            <translation>Progreso del lote</translation>
        </message>
        <message>
            <source>Files waiting to be converted</source>
            <translation>Archivos en espera de conversión</translation>
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
            <translation>Volver</translation>
        </message>
        <message>
            <source>Send</source>
            <translation>Enviar</translation>
        </message>
        <message>
            <source>Email</source>
            <translation>Correo</translation>
        </message>
        <message>
            <source>Your Name</source>
            <translation>Su nombre</translation>
        </message>
        <message>
            <source>back to main</source>
            <translation>volver a la ventana principal</translation>
        </message>
        <message>
            <source>Send your feedback now</source>
            <translation>Enviar su opinión ahora</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>Salir</translation>
        </message>
        <message>
            <source>Your Email?</source>
            <translation>¿Correo?</translation>
        </message>
        <message>
            <source>Your name</source>
            <translation>Su nombre</translation>
        </message>
        <message>
            <source>Your e-mail address</source>
            <translation>Su dirección de correo</translation>
        </message>
        <message>
            <source>Comment</source>
            <translation>Comentario</translation>
        </message>
        <message>
            <source>Send feedback</source>
            <translation>Enviar una opinión</translation>
        </message>
        <message>
            <source>Back to the main window</source>
            <translation>Volver a la ventana principal</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Cerrar</translation>
        </message>
        <message>
            <source>What became of the feedback</source>
            <translation>Qué pasó con la opinión</translation>
        </message>
        <message>
            <source>FeedBack</source>
            <translation>Opinión</translation>
        </message>
    </context>
</TS>
