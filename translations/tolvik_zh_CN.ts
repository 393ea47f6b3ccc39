<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
    <context>
        <name>BatchTexts</name>
        <message numerus="yes">
            <source>%n files left)</source>
            <comment>the count at the end of the progress caption</comment>
            <translation>
                <numerusform>剩余 %n 个文件)</numerusform>
            </translation>
        </message>
        <message>
            <source>Loading...</source>
            <translation>正在载入...</translation>
        </message>
        <message>
            <source>Failed(</source>
            <translation>失败(</translation>
        </message>
        <message>
            <source>Please Wait...</source>
            <translation>请稍候...</translation>
        </message>
        <message numerus="yes">
            <source>Converting %1 (%n file(s) left)</source>
            <translation>
                <numerusform>正在转换 %1（剩余 %n 个文件）</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Converting %1 (at least %n file(s) left)</source>
            <translation>
                <numerusform>正在转换 %1（至少剩余 %n 个文件）</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Listing folders: %n audio file(s) found</source>
            <translation>
                <numerusform>正在读取文件夹：已找到 %n 个音频文件</numerusform>
            </translation>
        </message>
        <message>
            <source>Escape stops the batch (or Stop in this caption's menu)</source>
            <translation>按 Esc 停止批处理（或使用此标签菜单中的“停止”）</translation>
        </message>
        <message>
            <source>Stopped: %1 converted</source>
            <translation>已停止：已转换 %1 个</translation>
        </message>
        <message>
            <source>Done: %1 converted, %2 already converted</source>
            <translation>完成：已转换 %1 个，%2 个此前已转换</translation>
        </message>
        <message numerus="yes">
            <source>Done: %1 of %n file(s) converted</source>
            <translation>
                <numerusform>完成：%n 个文件中已转换 %1 个</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>Done: %1 of %n file(s) failed. Control L lists them.</source>
            <translation>
                <numerusform>完成：%n 个文件中有 %1 个失败。按 Ctrl+L 查看列表。</numerusform>
            </translation>
        </message>
        <message numerus="yes">
            <source>%1 of %n file(s) failed</source>
            <translation>
                <numerusform>%n 个文件中 %1 个失败</numerusform>
            </translation>
        </message>
        <message>
            <source>%1 failed: %2</source>
            <translation>%1 失败：%2</translation>
        </message>
        <message numerus="yes">
            <source>… and %n more (see the failure log)</source>
            <translation>
                <numerusform>… 还有 %n 个（见失败日志）</numerusform>
            </translation>
        </message>
        <message>
            <source>The failure log could not be written (%1)</source>
            <translation>无法写入失败日志 (%1)</translation>
        </message>
    </context>
    <context>
        <name>FailureList</name>
        <message>
            <source>Failures</source>
            <translation>失败</translation>
        </message>
        <message>
            <source>No file failed in the last batch.</source>
            <translation>上一批中没有失败的文件。</translation>
        </message>
        <message numerus="yes">
            <source>%n file(s) failed in the last batch:</source>
            <translation>
                <numerusform>上一批中有 %n 个文件失败：</numerusform>
            </translation>
        </message>
        <message>
            <source>Every failure is also written to %1</source>
            <translation>每个失败也会写入 %1</translation>
        </message>
    </context>
    <context>
        <name>FrmMain</name>
        <message>
            <source>Add files...</source>
            <translation>添加文件...</translation>
        </message>
        <message>
            <source>Add a folder...</source>
            <translation>添加文件夹...</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>停止</translation>
        </message>
        <message>
            <source>Quit</source>
            <translation>退出</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>帮助</translation>
        </message>
        <message>
            <source>Show failures...</source>
            <translation>显示失败...</translation>
        </message>
        <message>
            <source>Replace existing results</source>
            <translation>替换已有结果</translation>
        </message>
        <message>
            <source>Skip files already converted</source>
            <translation>跳过已转换的文件</translation>
        </message>
        <message>
            <source>The last output folder is gone: results go to the default one</source>
            <translation>上次的输出文件夹已不存在：结果将保存到默认文件夹</translation>
        </message>
    </context>
    <context>
        <name>FrmSuggest</name>
        <message>
            <source>Your Name?</source>
            <translation>您的姓名？</translation>
        </message>
        <message>
            <source>Your Email?</source>
            <translation>您的邮箱？</translation>
        </message>
        <message>
            <source>Comment?</source>
            <translation>意见？</translation>
        </message>
        <message>
            <source>Feedback is not set up in this copy of Tolvik</source>
            <translation>此 Tolvik 副本未设置反馈</translation>
        </message>
        <message>
            <source>Sending...</source>
            <translation>正在发送...</translation>
        </message>
        <message>
            <source>Finished.</source>
            <translation>已完成。</translation>
        </message>
        <message>
            <source>Not sent.</source>
            <translation>未发送。</translation>
        </message>
    </context>
    <context>
        <name>HelpViewer</name>
        <message>
            <source>Tolvik Help</source>
            <translation>Tolvik 帮助</translation>
        </message>
    </context>
    <context>
        <name>OutputFolderDialog</name>
        <message>
            <source>Choose the folder for the MP3 files</source>
            <translation>选择保存 MP3 文件的文件夹</translation>
        </message>
    </context>
    <context>
        <name>SourceFileChooser</name>
        <message>
            <source>Audio files (%1)</source>
            <translation>音频文件 (%1)</translation>
        </message>
        <message>
            <source>All files (*)</source>
            <translation>所有文件 (*)</translation>
        </message>
        <message>
            <source>Add audio files</source>
            <translation>添加音频文件</translation>
        </message>
        <message>
            <source>Add a folder of audio files</source>
            <translation>添加音频文件夹</translation>
        </message>
    </context>
    <context>
        <name>frmMain</name>
        <message>
            <source>MP3 Audio Channel(Stereo or Mono)</source>
            <translation>MP3 声道（立体声或单声道）</translation>
        </message>
        <message>
            <source>Mono</source>
            <translation>单声道</translation>
        </message>
        <message>
            <source>Stereo</source>
            <translation>立体声</translation>
        </message>
        <message>
            <source>Drag media files onto this DropZone</source>
            <translation>将音频文件拖到此处</translation>
        </message>
        <message>
            <source>MP3 Audio Rate</source>
            <translation>MP3 采样率</translation>
        </message>
        <message>
            <source>MP3 Audio Bitrate</source>
            <translation>MP3 比特率</translation>
        </message>
        <message>
            <source>Select a Folder to Output</source>
            <translation>选择输出文件夹</translation>
        </message>
        <message>
            <source>Minimize Window</source>
            <translation>最小化窗口</translation>
        </message>
        <message>
            <source>Select an Output Folder</source>
            <translation>选择一个输出文件夹</translation>
        </message>
        <message>
            <source>Help &amp; Tutorial</source>
            <translation>帮助与教程</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>退出</translation>
        </message>
        <message>
            <source>Feedback</source>
            <translation>反馈</translation>
        </message>
        <message>
            <source>Send us your suggestion or question</source>
            <translation>向我们发送建议或问题</translation>
        </message>
        <message>
            <source>Bit rate (kbit/s)</source>
            <translation>比特率 (kbit/s)</translation>
        </message>
        <message>
            <source>Sample rate (Hz)</source>
            <translation>采样率 (Hz)</translation>
        </message>
        <message>
            <source>Channels</source>
            <translation>声道</translation>
        </message>
        <message>
            <source>Output folder</source>
            <translation>输出文件夹</translation>
        </message>
        <message>
            <source>Choose the output folder</source>
            <translation>选择输出文件夹</translation>
        </message>
        <message>
            <source>Add WAV files</source>
            <translation>添加 WAV 文件</translation>
        </message>
        <message>
            <source>Drop WAV files here, or press Enter to choose them</source>
            <translation>将 WAV 文件拖放到此处，或按 Enter 选择</translation>
        </message>
        <message>
            <source>Open the bit rate list</source>
            <translation>打开比特率列表</translation>
        </message>
        <message>
            <source>Open the sample rate list</source>
            <translation>打开采样率列表</translation>
        </message>
        <message>
            <source>Open the channel list</source>
            <translation>打开声道列表</translation>
        </message>
        <message>
            <source>Send feedback</source>
            <translation>发送反馈</translation>
        </message>
        <message>
            <source>Opens a window to send the maker your comment</source>
            <translation>打开一个窗口，向作者发送意见</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>帮助</translation>
        </message>
        <message>
            <source>Minimise</source>
            <translation>最小化</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>关闭</translation>
        </message>
        <message>
            <source>Ends Tolvik; a running batch is stopped</source>
            <translation>退出 Tolvik；正在进行的批处理将停止</translation>
        </message>
        <message>
            <source>Progress of the batch</source>
            <translation>批处理进度</translation>
        </message>
        <message>
            <source>Files waiting to be converted</source>
            <translation>等待转换的文件</translation>
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
            <translation>返回</translation>
        </message>
        <message>
            <source>Send</source>
            <translation>发送</translation>
        </message>
        <message>
            <source>Email</source>
            <translation>邮箱</translation>
        </message>
        <message>
            <source>Your Name</source>
            <translation>您的姓名</translation>
        </message>
        <message>
            <source>back to main</source>
            <translation>返回主窗口</translation>
        </message>
        <message>
            <source>Send your feedback now</source>
            <translation>立即发送反馈</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>退出</translation>
        </message>
        <message>
            <source>Your Email?</source>
            <translation>您的邮箱？</translation>
        </message>
        <message>
            <source>Your name</source>
            <translation>您的姓名</translation>
        </message>
        <message>
            <source>Your e-mail address</source>
            <translation>您的电子邮件地址</translation>
        </message>
        <message>
            <source>Comment</source>
            <translation>意见</translation>
        </message>
        <message>
            <source>Send feedback</source>
            <translation>发送反馈</translation>
        </message>
        <message>
            <source>Back to the main window</source>
            <translation>返回主窗口</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>关闭</translation>
        </message>
        <message>
            <source>What became of the feedback</source>
            <translation>反馈的结果</translation>
        </message>
        <message>
            <source>FeedBack</source>
            <translation>反馈</translation>
        </message>
    </context>
</TS>
