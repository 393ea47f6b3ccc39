<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
    <context>
        <name>BatchTexts</name>
        <message numerus="yes">
            <source>%n files left)</source>
            <comment>the count at the end of the progress caption</comment>
            <translation>
                <numerusform>残り %n ファイル)</numerusform>
            </translation>
        </message>
        <message>
            <source>Loading...</source>
            <translation>読み込み中...</translation>
        </message>
        <message>
            <source>Failed(</source>
            <translation>失敗(</translation>
        </message>
        <message>
            <source>Please Wait...</source>
            <translation>お待ちください...</translation>
        </message>
        <message numerus="yes">
            <source>Converting %1 (%n file(s) left)</source>
            <translation>
                <numerusform>%1 を変換中（残り %n ファイル）</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Converting %1 (at least %n file(s) left)</source>
            <translation>
                <numerusform>%1 を変換中（残り %n ファイル以上）</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Listing folders: %n audio file(s) found</source>
            <translation>
                <numerusform>フォルダーを読み込み中：音声ファイル %n 個</numerusform>
            </translation>
        </message>
        <message>
            <source>Escape stops the batch (or Stop in this caption's menu)</source>
            <translation>Esc で一括変換を停止（またはこの表示のメニューの「停止」）</translation>
        </message>
        <message>
            <source>Stopped: %1 converted</source>
            <translation>停止：%1 個を変換済み</translation>
        </message>
        <message>
            <source>Done: %1 converted, %2 already converted</source>
            <translation>完了：%1 個を変換、%2 個は変換済み</translation>
        </message>
        <message numerus="yes">
            <source>Done: %1 of %n file(s) converted</source>
            <translation>
                <numerusform>完了：%n 個中 %1 個を変換</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Done: %1 of %n file(s) failed. Control L lists them.</source>
            <translation>
                <numerusform>完了：%n 個中 %1 個が失敗。Ctrl+L で一覧を表示。</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 of %n file(s) failed</source>
            <translation>
                <numerusform>%n 個中 %1 個が失敗</numerusform>
            </translation>
        </message>
        <message>
            <source>%1 failed: %2</source>
            <translation>%1 が失敗：%2</translation>
        </message>
        <message numerus="yes">
            <source>… and %n more (see the failure log)</source>
            <translation>
                <numerusform>… ほか %n 件（失敗ログを参照）</numerusform>
            </translation>
        </message>
        <message>
            <source>The failure log could not be written (%1)</source>
            <translation>失敗ログを書き込めませんでした (%1)</translation>
        </message>
    </context>
    <context>
        <name>FailureList</name>
        <message>
            <source>Failures</source>
            <translation>失敗</translation>
        </message>
        <message>
            <source>No file failed in the last batch.</source>
            <translation>前回の一括変換で失敗したファイルはありません。</translation>
        </message>
        <message numerus="yes">
            <source>%n file(s) failed in the last batch:</source>
            <translation>
                <numerusform>前回の一括変換で %n 個のファイルが失敗しました：</numerusform>
            </translation>
        </message>
        <message>
            <source>Every failure is also written to %1</source>
            <translation>失敗はすべて %1 にも書き込まれます</translation>
        </message>
    </context>
    <context>
        <name>FrmMain</name>
        <message>
            <source>Add files...</source>
            <translation>ファイルを追加...</translation>
        </message>
        <message>
            <source>Add a folder...</source>
            <translation>フォルダーを追加...</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>停止</translation>
        </message>
        <message>
            <source>Quit</source>
            <translation>終了</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>ヘルプ</translation>
        </message>
        <message>
            <source>Show failures...</source>
            <translation>失敗を表示...</translation>
        </message>
        <message>
            <source>Replace existing results</source>
            <translation>既存の結果を置き換える</translation>
        </message>
        <message>
            <source>Skip files already converted</source>
            <translation>変換済みのファイルをスキップ</translation>
        </message>
        <message>
            <source>The last output folder is gone: results go to the default one</source>
            <translation>前回の出力フォルダーがありません：既定のフォルダーに保存します</translation>
        </message>
    </context>
    <context>
        <name>FrmSuggest</name>
        <message>
            <source>Your Name?</source>
            <translation>お名前は？</translation>
        </message>
        <message>
            <source>Your Email?</source>
            <translation>メールは？</translation>
        </message>
        <message>
            <source>Comment?</source>
            <translation>ご意見は？</translation>
        </message>
        <message>
            <source>Feedback is not set up in this copy of Tolvik</source>
            <translation>この Tolvik ではご意見の送信が設定されていません</translation>
        </message>
        <message>
            <source>Sending...</source>
            <translation>送信中...</translation>
        </message>
        <message>
            <source>Finished.</source>
            <translation>完了。</translation>
        </message>
        <message>
            <source>Not sent.</source>
            <translation>未送信。</translation>
        </message>
    </context>
    <context>
        <name>HelpViewer</name>
        <message>
            <source>Tolvik Help</source>
            <translation>Tolvik ヘルプ</translation>
        </message>
    </context>
    <context>
        <name>OutputFolderDialog</name>
        <message>
            <source>Choose the folder for the MP3 files</source>
            <translation>MP3 ファイルの保存先フォルダーを選択</translation>
        </message>
    </context>
    <context>
        <name>SourceFileChooser</name>
        <message>
            <source>Audio files (%1)</source>
            <translation>音声ファイル (%1)</translation>
        </message>
        <message>
            <source>All files (*)</source>
            <translation>すべてのファイル (*)</translation>
        </message>
        <message>
            <source>Add audio files</source>
            <translation>音声ファイルを追加</translation>
        </message>
        <message>
            <source>Add a folder of audio files</source>
            <translation>音声ファイルのフォルダーを追加</translation>
        </message>
    </context>
    <context>
        <name>frmMain</name>
        <message>
            <source>MP3 Audio Channel(Stereo or Mono)</source>
            <translation>MP3 のチャンネル（ステレオまたはモノラル）</translation>
        </message>
        <message>
            <source>Mono</source>
            <translation>モノラル</translation>
        </message>
        <message>
            <source>Stereo</source>
            <translation>ステレオ</translation>
        </message>
        <message>
            <source>Drag media files onto this DropZone</source>
            <translation>音声ファイルをここにドラッグ</translation>
        </message>
        <message>
            <source>MP3 Audio Rate</source>
            <translation>MP3 のサンプリングレート</translation>
        </message>
        <message>
            <source>MP3 Audio Bitrate</source>
            <translation>MP3 のビットレート</translation>
        </message>
        <message>
            <source>Select a Folder to Output</source>
            <translation>出力フォルダーを選択</translation>
        </message>
        <message>
            <source>Minimize Window</source>
            <translation>ウィンドウを最小化</translation>
        </message>
        <message>
            <source>Select an Output Folder</source>
            <translation>出力フォルダーを選択</translation>
        </message>
        <message>
            <source>Help &amp; Tutorial</source>
            <translation>ヘルプとチュートリアル</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>終了</translation>
        </message>
        <message>
            <source>Feedback</source>
            <translation>ご意見</translation>
        </message>
        <message>
            <source>Send us your suggestion or question</source>
            <translation>ご提案やご質問をお送りください</translation>
        </message>
        <message>
            <source>Bit rate (kbit/s)</source>
            <translation>ビットレート (kbit/s)</translation>
        </message>
        <message>
            <source>Sample rate (Hz)</source>
            <translation>サンプリングレート (Hz)</translation>
        </message>
        <message>
            <source>Channels</source>
            <translation>チャンネル</translation>
        </message>
        <message>
            <source>Output folder</source>
            <translation>出力フォルダー</translation>
        </message>
        <message>
            <source>Choose the output folder</source>
            <translation>出力フォルダーを選択</translation>
        </message>
        <message>
            <source>Add WAV files</source>
            <translation>WAV ファイルを追加</translation>
        </message>
        <message>
            <source>Drop WAV files here, or press Enter to choose them</source>
            <translation>WAV ファイルをここにドロップするか、Enter で選択</translation>
        </message>
        <message>
            <source>Open the bit rate list</source>
            <translation>ビットレートの一覧を開く</translation>
        </message>
        <message>
            <source>Open the sample rate list</source>
            <translation>サンプリングレートの一覧を開く</translation>
        </message>
        <message>
            <source>Open the channel list</source>
            <translation>チャンネルの一覧を開く</translation>
        </message>
        <message>
            <source>Send feedback</source>
            <translation>ご意見を送る</translation>
        </message>
        <message>
            <source>Opens a window to send the maker your comment</source>
            <translation>作者にご意見を送るウィンドウを開きます</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>ヘルプ</translation>
        </message>
        <message>
            <source>Minimise</source>
            <translation>最小化</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>閉じる</translation>
        </message>
        <message>
            <source>Ends Tolvik; a running batch is stopped</source>
            <translation>Tolvik を終了します。実行中の一括変換は停止します</translation>
        </message>
        <message>
            <source>Progress of the batch</source>
            <translation>一括変換の進行状況</translation>
        </message>
        <message>
            <source>Files waiting to be converted</source>
            <translation>変換を待っているファイル</translation>
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
            <translation>戻る</translation>
        </message>
        <message>
            <source>Send</source>
            <translation>送信</translation>
        </message>
        <message>
            <source>Email</source>
            <translation>メール</translation>
        </message>
        <message>
            <source>Your Name</source>
            <translation>お名前</translation>
        </message>
        <message>
            <source>back to main</source>
            <translation>メイン画面に戻る</translation>
        </message>
        <message>
            <source>Send your feedback now</source>
            <translation>ご意見を今すぐ送信</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>終了</translation>
        </message>
        <message>
            <source>Your Email?</source>
            <translation>メールは？</translation>
        </message>
        <message>
            <source>Your name</source>
            <translation>お名前</translation>
        </message>
        <message>
            <source>Your e-mail address</source>
            <translation>メールアドレス</translation>
        </message>
        <message>
            <source>Comment</source>
            <translation>ご意見</translation>
        </message>
        <message>
            <source>Send feedback</source>
            <translation>ご意見を送る</translation>
        </message>
        <message>
            <source>Back to the main window</source>
            <translation>メイン画面に戻る</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>閉じる</translation>
        </message>
        <message>
            <source>What became of the feedback</source>
            <translation>ご意見の送信結果</translation>
        </message>
        <message>
            <source>FeedBack</source>
            <translation>ご意見</translation>
        </message>
    </context>
</TS>
