#pragma once

#include "BatchInputFromControls.h"
#include "batch/ConversionBatch.h"
#include "batch/FailureLog.h"
#include "Installation.h"
#include "ProgressDisplay.h"
#include "RememberedSettings.h"
#include "SingleInstance.h"
#include "feedback/FrmSuggest.h"
#include "skin/SkinnedWindow.h"
#include "sources/DropArea.h"

#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

class BatchSpeech;
class SpokenStatus;
class ImageElement;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTimer;

// The main window: start-up and exit, the options and the output folder.
// It hands sources to the batch, which owns the queue, and wires the batch
// to the progress display, the failure log and its own controls.
//
// Its controls and handlers keep their own names (frmMain, cmbBR, lstFile,
// Timer1_Timer, imgExit_Click...): tests and readers find controls and
// routines by them. Everything else is in Qt's style.
class FrmMain : public SkinnedWindow {
    Q_OBJECT
public:
    explicit FrmMain(const Installation &installation, QWidget *parent = nullptr);
    ~FrmMain() override;

    // Files to open at start-up, as a drop of them would (the command
    // line); handed to the running instance when there is one.
    void setStartFiles(const QStringList &files) { m_startFiles = files; }
    // The one-instance claim the program made before building the window
    // (kept by the caller); without one, Form_Load() makes its own.
    void useInstance(SingleInstance *claimed) { m_instance = claimed; }
    // Start-up. False when another instance runs: this one must end.
    bool Form_Load();
    // Files from outside a drop (the chooser, the command line, a second
    // start), taken as a drop of them.
    void openFiles(const QStringList &files);
    // Exit: deletes the temporary files and ends the program at once.
    void Form_Unload();

    // What "end the program" does; tests replace it to stay alive.
    void setProgramEnd(std::function<void()> end) { m_endProgram = std::move(end); }

    // The folder of this run's working files.
    const platform::PrivateFolder &tempFolder() const { return m_tempFolder; }
    ConversionBatch &batch() { return *m_batch; }
    ProgressDisplay &progress() { return *m_progress; }

    static QString versionCaption();

    // The feedback window while it is open.
    FrmSuggest *feedbackWindow() const { return m_feedback; }
    void lblFeed_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void wireBatch();    // the batch to the progress display, the log and the window
    void wireKeyboard(); // keys, the drop area's click, drops during a batch
    void Timer1_Timer();
    void showQueue(int taken, const QStringList &added);
    void picDrag_OLEDragDrop(const QStringList &paths);
    void imgBrowse_Click();
    void chooseFolder();
    void chooseFiles();
    void stopBatch();
    void showFailures();
    void keepFocusAcrossBatch(bool running);
    void progressMenu(const QPoint &at);
    void imgMin_Click();
    void imgExit_Click();
    void imgHelp_Click();
    void showOwnHelp();
    void centreOnScreen();

    Installation m_installation;
    SingleInstance m_ownInstance;
    SingleInstance *m_instance = &m_ownInstance;
    platform::PrivateFolder m_tempFolder;
    std::function<void()> m_endProgram;

    QTimer *Timer1;
    DropArea *picDrag;
    QListWidget *lstFile;
    QComboBox *cmbBR;
    QComboBox *cmbR;
    QComboBox *cmbChannel;
    QLineEdit *txtPath;
    QLabel *lblVersion;
    ImageElement *imgMin;
    ImageElement *imgHelp;
    QAction *m_stopAction = nullptr;
    SpokenStatus *m_spoken = nullptr;
    BatchSpeech *m_speech = nullptr;
    QAction *m_failuresAction = nullptr;
    QAction *m_skipAction = nullptr; // checked: files already converted are passed over
    bool m_dropHadFocus = false;
    QPointer<QWidget> m_focusMovedTo; // where focus went when the drop area hid
    QPointer<FrmSuggest> m_feedback;
    QPointer<QWidget> m_helpViewer;
    bool m_feedPressed = false;
    QStringList m_startFiles;

    FailureLog m_failureLog;
    QTimer m_logRetry;
    int m_logTries = 0;
    std::unique_ptr<BatchInputFromControls> m_batchInput;
    std::unique_ptr<ProgressDisplay> m_progress;
    std::unique_ptr<RememberedSettings> m_remembered;
    std::unique_ptr<ConversionBatch> m_batch;
};
