<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
    <context>
        <name>BatchTexts</name>
        <message numerus="yes">
            <source>%n files left)</source>
            <comment>the count at the end of the progress caption</comment>
            <translation>
                <numerusform>%n arquivo restante)</numerusform>
                <numerusform>%n arquivos restantes)</numerusform>
            </translation>
        </message>
        <message>
            <source>Loading...</source>
            <translation>Carregando...</translation>
        </message>
        <message>
            <source>Failed(</source>
            <translation>Falha(</translation>
        </message>
        <message>
            <source>Please Wait...</source>
            <translation>Aguarde...</translation>
        </message>
        <message numerus="yes">
            <source>Converting %1 (%n file(s) left)</source>
            <translation>
                <numerusform>Convertendo %1 (resta %n arquivo)</numerusform>
                <numerusform>Convertendo %1 (restam %n arquivos)</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Converting %1 (at least %n file(s) left)</source>
            <translation>
                <numerusform>Convertendo %1 (resta pelo menos %n arquivo)</numerusform>
                <numerusform>Convertendo %1 (restam pelo menos %n arquivos)</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Listing folders: %n audio file(s) found</source>
            <translation>
                <numerusform>Lendo pastas: %n arquivo de áudio encontrado</numerusform>
                <numerusform>Lendo pastas: %n arquivos de áudio encontrados</numerusform>
            </translation>
        </message>
        <message>
            <source>Escape stops the batch (or Stop in this caption's menu)</source>
            <translation>Esc interrompe o lote (ou “Parar” no menu desta legenda)</translation>
        </message>
        <message>
            <source>Stopped: %1 converted</source>
            <translation>Interrompido: %1 convertido(s)</translation>
        </message>
        <message>
            <source>Done: %1 converted, %2 already converted</source>
            <translation>Concluído: %1 convertido(s), %2 já convertido(s)</translation>
        </message>
        <message numerus="yes">
            <source>Done: %1 of %n file(s) converted</source>
            <translation>
                <numerusform>Concluído: %1 de %n arquivo convertido</numerusform>
                <numerusform>Concluído: %1 de %n arquivos convertidos</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Done: %1 of %n file(s) failed. Control L lists them.</source>
            <translation>
                <numerusform>Concluído: %1 de %n arquivo falhou. Ctrl+L lista as falhas.</numerusform>
                <numerusform>Concluído: %1 de %n arquivos falharam. Ctrl+L lista as falhas.</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 of %n file(s) failed</source>
            <translation>
                <numerusform>%1 de %n arquivo falhou</numerusform>
                <numerusform>%1 de %n arquivos falharam</numerusform>
            </translation>
        </message>
        <message>
            <source>%1 failed: %2</source>
            <translation>Falha em %1: %2</translation>
        </message>
        <message numerus="yes">
            <source>… and %n more (see the failure log)</source>
            <translation>
                <numerusform>… e mais %n (veja o registro de falhas)</numerusform>
                <numerusform>… e mais %n (veja o registro de falhas)</numerusform>
            </translation>
        </message>
        <message>
            <source>The failure log could not be written (%1)</source>
            <translation>Não foi possível gravar o registro de falhas (%1)</translation>
        </message>
    </context>
    <context>
        <name>FailureList</name>
        <message>
            <source>Failures</source>
            <translation>Falhas</translation>
        </message>
        <message>
            <source>No file failed in the last batch.</source>
            <translation>Nenhum arquivo falhou no último lote.</translation>
        </message>
        <message numerus="yes">
            <source>%n file(s) failed in the last batch:</source>
            <translation>
                <numerusform>%n arquivo falhou no último lote:</numerusform>
                <numerusform>%n arquivos falharam no último lote:</numerusform>
            </translation>
        </message>
        <message>
            <source>Every failure is also written to %1</source>
            <translation>Cada falha também é gravada em %1</translation>
        </message>
    </context>
    <context>
        <name>FrmMain</name>
        <message>
            <source>Add files...</source>
            <translation>Adicionar arquivos...</translation>
        </message>
        <message>
            <source>Add a folder...</source>
            <translation>Adicionar uma pasta...</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Parar</translation>
        </message>
        <message>
            <source>Quit</source>
            <translation>Sair</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Ajuda</translation>
        </message>
        <message>
            <source>Show failures...</source>
            <translation>Mostrar falhas...</translation>
        </message>
        <message>
            <source>Replace existing results</source>
            <translation>Substituir resultados existentes</translation>
        </message>
        <message>
            <source>Skip files already converted</source>
            <translation>Pular arquivos já convertidos</translation>
        </message>
        <message>
            <source>The last output folder is gone: results go to the default one</source>
            <translation>A última pasta de saída sumiu: os resultados vão para a pasta padrão</translation>
        </message>
    </context>
    <context>
        <name>FrmSuggest</name>
        <message>
            <source>Your Name?</source>
            <translation>Seu nome?</translation>
        </message>
        <message>
            <source>Your Email?</source>
            <translation>Seu e-mail?</translation>
        </message>
        <message>
            <source>Comment?</source>
            <translation>Comentário?</translation>
        </message>
        <message>
            <source>Feedback is not set up in this copy of Tolvik</source>
            <translation>O envio de opiniões não está configurado nesta cópia do Tolvik</translation>
        </message>
        <message>
            <source>Sending...</source>
            <translation>Enviando...</translation>
        </message>
        <message>
            <source>Finished.</source>
            <translation>Pronto.</translation>
        </message>
        <message>
            <source>Not sent.</source>
            <translation>Não enviado.</translation>
        </message>
    </context>
    <context>
        <name>HelpViewer</name>
        <message>
            <source>Tolvik Help</source>
            <translation>Ajuda do Tolvik</translation>
        </message>
    </context>
    <context>
        <name>OutputFolderDialog</name>
        <message>
            <source>Choose the folder for the MP3 files</source>
            <translation>Escolha a pasta para os arquivos MP3</translation>
        </message>
    </context>
    <context>
        <name>SourceFileChooser</name>
        <message>
            <source>Audio files (%1)</source>
            <translation>Arquivos de áudio (%1)</translation>
        </message>
        <message>
            <source>All files (*)</source>
            <translation>Todos os arquivos (*)</translation>
        </message>
        <message>
            <source>Add audio files</source>
            <translation>Adicionar arquivos de áudio</translation>
        </message>
        <message>
            <source>Add a folder of audio files</source>
            <translation>Adicionar uma pasta de arquivos de áudio</translation>
        </message>
    </context>
    <context>
        <name>frmMain</name>
        <message>
            <source>MP3 Audio Channel(Stereo or Mono)</source>
            <translation>Canais do MP3 (estéreo ou mono)</translation>
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
            <translation>Arraste os arquivos de áudio para cá</translation>
        </message>
        <message>
            <source>MP3 Audio Rate</source>
            <translation>Taxa de amostragem do MP3</translation>
        </message>
        <message>
            <source>MP3 Audio Bitrate</source>
            <translation>Taxa de bits do MP3</translation>
        </message>
        <message>
            <source>Select a Folder to Output</source>
            <translation>Escolher uma pasta de saída</translation>
        </message>
        <message>
            <source>Minimize Window</source>
            <translation>Minimizar a janela</translation>
        </message>
        <message>
            <source>Select an Output Folder</source>
            <translation>Escolher uma pasta de saída</translation>
        </message>
        <message>
            <source>Help &amp; Tutorial</source>
            <translation>Ajuda e tutorial</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>Sair</translation>
        </message>
        <message>
            <source>Feedback</source>
            <translation>Opinião</translation>
        </message>
        <message>
            <source>Send us your suggestion or question</source>
            <translation>Envie-nos sua sugestão ou pergunta</translation>
        </message>
        <message>
            <source>Bit rate (kbit/s)</source>
            <translation>Taxa de bits (kbit/s)</translation>
        </message>
        <message>
            <source>Sample rate (Hz)</source>
            <translation>Taxa de amostragem (Hz)</translation>
        </message>
        <message>
            <source>Channels</source>
            <translation>Canais</translation>
        </message>
        <message>
            <source>Output folder</source>
            <translation>Pasta de saída</translation>
        </message>
        <message>
            <source>Choose the output folder</source>
            <translation>Escolher a pasta de saída</translation>
        </message>
        <message>
            <source>Add WAV files</source>
            <translation>Adicionar arquivos WAV</translation>
        </message>
        <message>
            <source>Drop WAV files here, or press Enter to choose them</source>
            <translation>Solte os arquivos WAV aqui ou pressione Enter para escolhê-los</translation>
        </message>
        <message>
            <source>Open the bit rate list</source>
            <translation>Abrir a lista de taxas de bits</translation>
        </message>
        <message>
            <source>Open the sample rate list</source>
            <translation>Abrir a lista de taxas de amostragem</translation>
        </message>
        <message>
            <source>Open the channel list</source>
            <translation>Abrir a lista de canais</translation>
        </message>
        <message>
            <source>Send feedback</source>
            <translation>Enviar opinião</translation>
        </message>
        <message>
            <source>Opens a window to send the maker your comment</source>
            <translation>Abre uma janela para enviar seu comentário ao autor</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Ajuda</translation>
        </message>
        <message>
            <source>Minimise</source>
            <translation>Minimizar</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Fechar</translation>
        </message>
        <message>
            <source>Ends Tolvik; a running batch is stopped</source>
            <translation>Fecha o Tolvik; um lote em andamento é interrompido</translation>
        </message>
        <message>
            <source>Progress of the batch</source>
            <translation>Progresso do lote</translation>
        </message>
        <message>
            <source>Files waiting to be converted</source>
            <translation>Arquivos aguardando conversão</translation>
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
            <translation>Voltar</translation>
        </message>
        <message>
            <source>Send</source>
            <translation>Enviar</translation>
        </message>
        <message>
            <source>Email</source>
            <translation>E-mail</translation>
        </message>
        <message>
            <source>Your Name</source>
            <translation>Seu nome</translation>
        </message>
        <message>
            <source>back to main</source>
            <translation>voltar à janela principal</translation>
        </message>
        <message>
            <source>Send your feedback now</source>
            <translation>Enviar sua opinião agora</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>Sair</translation>
        </message>
        <message>
            <source>Your Email?</source>
            <translation>Seu e-mail?</translation>
        </message>
        <message>
            <source>Your name</source>
            <translation>Seu nome</translation>
        </message>
        <message>
            <source>Your e-mail address</source>
            <translation>Seu endereço de e-mail</translation>
        </message>
        <message>
            <source>Comment</source>
            <translation>Comentário</translation>
        </message>
        <message>
            <source>Send feedback</source>
            <translation>Enviar opinião</translation>
        </message>
        <message>
            <source>Back to the main window</source>
            <translation>Voltar à janela principal</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Fechar</translation>
        </message>
        <message>
            <source>What became of the feedback</source>
            <translation>O que aconteceu com a opinião</translation>
        </message>
        <message>
            <source>FeedBack</source>
            <translation>Opinião</translation>
        </message>
    </context>
</TS>
