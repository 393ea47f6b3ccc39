<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
    <context>
        <name>BatchTexts</name>
        <message numerus="yes">
            <source>%n files left)</source>
            <comment>the count at the end of the progress caption</comment>
            <translation>
                <numerusform>%n файл остался)</numerusform>
                <numerusform>%n файла осталось)</numerusform>
                <numerusform>%n файлов осталось)</numerusform>
            </translation>
        </message>
        <message>
            <source>Loading...</source>
            <translation>Загрузка...</translation>
        </message>
        <message>
            <source>Failed(</source>
            <translation>Ошибка(</translation>
        </message>
        <message>
            <source>Please Wait...</source>
            <translation>Подождите...</translation>
        </message>
        <message numerus="yes">
            <source>Converting %1 (%n file(s) left)</source>
            <translation>
                <numerusform>Преобразование %1 (остался %n файл)</numerusform>
                <numerusform>Преобразование %1 (осталось %n файла)</numerusform>
                <numerusform>Преобразование %1 (осталось %n файлов)</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Converting %1 (at least %n file(s) left)</source>
            <translation>
                <numerusform>Преобразование %1 (осталось не менее %n файла)</numerusform>
                <numerusform>Преобразование %1 (осталось не менее %n файлов)</numerusform>
                <numerusform>Преобразование %1 (осталось не менее %n файлов)</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Listing folders: %n audio file(s) found</source>
            <translation>
                <numerusform>Чтение папок: найден %n аудиофайл</numerusform>
                <numerusform>Чтение папок: найдено %n аудиофайла</numerusform>
                <numerusform>Чтение папок: найдено %n аудиофайлов</numerusform>
            </translation>
        </message>
        <message>
            <source>Escape stops the batch (or Stop in this caption's menu)</source>
            <translation>Escape останавливает пакет (или «Остановить» в меню этой надписи)</translation>
        </message>
        <message>
            <source>Stopped: %1 converted</source>
            <translation>Остановлено: преобразовано %1</translation>
        </message>
        <message>
            <source>Done: %1 converted, %2 already converted</source>
            <translation>Готово: преобразовано %1, уже было %2</translation>
        </message>
        <message numerus="yes">
            <source>Done: %1 of %n file(s) converted</source>
            <translation>
                <numerusform>Готово: преобразовано %1 из %n файла</numerusform>
                <numerusform>Готово: преобразовано %1 из %n файлов</numerusform>
                <numerusform>Готово: преобразовано %1 из %n файлов</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Done: %1 of %n file(s) failed. Control L lists them.</source>
            <translation>
                <numerusform>Готово: ошибок %1 из %n файла. Ctrl+L покажет список.</numerusform>
                <numerusform>Готово: ошибок %1 из %n файлов. Ctrl+L покажет список.</numerusform>
                <numerusform>Готово: ошибок %1 из %n файлов. Ctrl+L покажет список.</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 of %n file(s) failed</source>
            <translation>
                <numerusform>Ошибок: %1 из %n файла</numerusform>
                <numerusform>Ошибок: %1 из %n файлов</numerusform>
                <numerusform>Ошибок: %1 из %n файлов</numerusform>
            </translation>
        </message>
        <message>
            <source>%1 failed: %2</source>
            <translation>Ошибка %1: %2</translation>
        </message>
        <message numerus="yes">
            <source>… and %n more (see the failure log)</source>
            <translation>
                <numerusform>… и ещё %n (см. журнал ошибок)</numerusform>
                <numerusform>… и ещё %n (см. журнал ошибок)</numerusform>
                <numerusform>… и ещё %n (см. журнал ошибок)</numerusform>
            </translation>
        </message>
        <message>
            <source>The failure log could not be written (%1)</source>
            <translation>Не удалось записать журнал ошибок (%1)</translation>
        </message>
    </context>
    <context>
        <name>FailureList</name>
        <message>
            <source>Failures</source>
            <translation>Ошибки</translation>
        </message>
        <message>
            <source>No file failed in the last batch.</source>
            <translation>В последнем пакете ошибок не было.</translation>
        </message>
        <message numerus="yes">
            <source>%n file(s) failed in the last batch:</source>
            <translation>
                <numerusform>В последнем пакете не удался %n файл:</numerusform>
                <numerusform>В последнем пакете не удались %n файла:</numerusform>
                <numerusform>В последнем пакете не удались %n файлов:</numerusform>
            </translation>
        </message>
        <message>
            <source>Every failure is also written to %1</source>
            <translation>Каждая ошибка также записывается в %1</translation>
        </message>
    </context>
    <context>
        <name>FrmMain</name>
        <message>
            <source>Add files...</source>
            <translation>Добавить файлы...</translation>
        </message>
        <message>
            <source>Add a folder...</source>
            <translation>Добавить папку...</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Остановить</translation>
        </message>
        <message>
            <source>Quit</source>
            <translation>Выход</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Справка</translation>
        </message>
        <message>
            <source>Show failures...</source>
            <translation>Показать ошибки...</translation>
        </message>
        <message>
            <source>Replace existing results</source>
            <translation>Заменять готовые результаты</translation>
        </message>
        <message>
            <source>Skip files already converted</source>
            <translation>Пропускать уже преобразованные файлы</translation>
        </message>
        <message>
            <source>The last output folder is gone: results go to the default one</source>
            <translation>Прежней папки результатов нет: результаты пойдут в папку по умолчанию</translation>
        </message>
    </context>
    <context>
        <name>FrmSuggest</name>
        <message>
            <source>Your Name?</source>
            <translation>Ваше имя?</translation>
        </message>
        <message>
            <source>Your Email?</source>
            <translation>Ваш e-mail?</translation>
        </message>
        <message>
            <source>Comment?</source>
            <translation>Комментарий?</translation>
        </message>
        <message>
            <source>Feedback is not set up in this copy of Tolvik</source>
            <translation>Отзывы не настроены в этой копии Tolvik</translation>
        </message>
        <message>
            <source>Sending...</source>
            <translation>Отправка...</translation>
        </message>
        <message>
            <source>Finished.</source>
            <translation>Готово.</translation>
        </message>
        <message>
            <source>Not sent.</source>
            <translation>Не отправлено.</translation>
        </message>
    </context>
    <context>
        <name>HelpViewer</name>
        <message>
            <source>Tolvik Help</source>
            <translation>Справка Tolvik</translation>
        </message>
    </context>
    <context>
        <name>OutputFolderDialog</name>
        <message>
            <source>Choose the folder for the MP3 files</source>
            <translation>Выберите папку для файлов MP3</translation>
        </message>
    </context>
    <context>
        <name>SourceFileChooser</name>
        <message>
            <source>Audio files (%1)</source>
            <translation>Аудиофайлы (%1)</translation>
        </message>
        <message>
            <source>All files (*)</source>
            <translation>Все файлы (*)</translation>
        </message>
        <message>
            <source>Add audio files</source>
            <translation>Добавить аудиофайлы</translation>
        </message>
        <message>
            <source>Add a folder of audio files</source>
            <translation>Добавить папку с аудиофайлами</translation>
        </message>
    </context>
    <context>
        <name>frmMain</name>
        <message>
            <source>MP3 Audio Channel(Stereo or Mono)</source>
            <translation>Каналы MP3 (стерео или моно)</translation>
        </message>
        <message>
            <source>Mono</source>
            <translation>Моно</translation>
        </message>
        <message>
            <source>Stereo</source>
            <translation>Стерео</translation>
        </message>
        <message>
            <source>Drag media files onto this DropZone</source>
            <translation>Перетащите сюда аудиофайлы</translation>
        </message>
        <message>
            <source>MP3 Audio Rate</source>
            <translation>Частота дискретизации MP3</translation>
        </message>
        <message>
            <source>MP3 Audio Bitrate</source>
            <translation>Битрейт MP3</translation>
        </message>
        <message>
            <source>Select a Folder to Output</source>
            <translation>Выбрать папку результатов</translation>
        </message>
        <message>
            <source>Minimize Window</source>
            <translation>Свернуть окно</translation>
        </message>
        <message>
            <source>Select an Output Folder</source>
            <translation>Выбрать папку результатов</translation>
        </message>
        <message>
            <source>Help &amp; Tutorial</source>
            <translation>Справка и руководство</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>Выход</translation>
        </message>
        <message>
            <source>Feedback</source>
            <translation>Отзыв</translation>
        </message>
        <message>
            <source>Send us your suggestion or question</source>
            <translation>Отправьте нам предложение или вопрос</translation>
        </message>
        <message>
            <source>Bit rate (kbit/s)</source>
            <translation>Битрейт (кбит/с)</translation>
        </message>
        <message>
            <source>Sample rate (Hz)</source>
            <translation>Частота дискретизации (Гц)</translation>
        </message>
        <message>
            <source>Channels</source>
            <translation>Каналы</translation>
        </message>
        <message>
            <source>Output folder</source>
            <translation>Папка результатов</translation>
        </message>
        <message>
            <source>Choose the output folder</source>
            <translation>Выбрать папку результатов</translation>
        </message>
        <message>
            <source>Add WAV files</source>
            <translation>Добавить файлы WAV</translation>
        </message>
        <message>
            <source>Drop WAV files here, or press Enter to choose them</source>
            <translation>Перетащите сюда файлы WAV или нажмите Enter, чтобы выбрать их</translation>
        </message>
        <message>
            <source>Open the bit rate list</source>
            <translation>Открыть список битрейтов</translation>
        </message>
        <message>
            <source>Open the sample rate list</source>
            <translation>Открыть список частот</translation>
        </message>
        <message>
            <source>Open the channel list</source>
            <translation>Открыть список каналов</translation>
        </message>
        <message>
            <source>Send feedback</source>
            <translation>Отправить отзыв</translation>
        </message>
        <message>
            <source>Opens a window to send the maker your comment</source>
            <translation>Открывает окно для отзыва автору</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Справка</translation>
        </message>
        <message>
            <source>Minimise</source>
            <translation>Свернуть</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Закрыть</translation>
        </message>
        <message>
            <source>Ends Tolvik; a running batch is stopped</source>
            <translation>Завершает Tolvik; идущий пакет останавливается</translation>
        </message>
        <message>
            <source>Progress of the batch</source>
            <translation>Ход пакета</translation>
        </message>
        <message>
            <source>Files waiting to be converted</source>
            <translation>Файлы в очереди на преобразование</translation>
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
            <translation>Назад</translation>
        </message>
        <message>
            <source>Send</source>
            <translation>Отправить</translation>
        </message>
        <message>
            <source>Email</source>
            <translation>E-mail</translation>
        </message>
        <message>
            <source>Your Name</source>
            <translation>Ваше имя</translation>
        </message>
        <message>
            <source>back to main</source>
            <translation>назад в главное окно</translation>
        </message>
        <message>
            <source>Send your feedback now</source>
            <translation>Отправить отзыв сейчас</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>Выход</translation>
        </message>
        <message>
            <source>Your Email?</source>
            <translation>Ваш e-mail?</translation>
        </message>
        <message>
            <source>Your name</source>
            <translation>Ваше имя</translation>
        </message>
        <message>
            <source>Your e-mail address</source>
            <translation>Ваш адрес e-mail</translation>
        </message>
        <message>
            <source>Comment</source>
            <translation>Комментарий</translation>
        </message>
        <message>
            <source>Send feedback</source>
            <translation>Отправить отзыв</translation>
        </message>
        <message>
            <source>Back to the main window</source>
            <translation>Назад в главное окно</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Закрыть</translation>
        </message>
        <message>
            <source>What became of the feedback</source>
            <translation>Что стало с отзывом</translation>
        </message>
        <message>
            <source>FeedBack</source>
            <translation>Отзыв</translation>
        </message>
    </context>
</TS>
