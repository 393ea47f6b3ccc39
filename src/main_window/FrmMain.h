#pragma once

#include "ConversionBatch.h"
#include "Installation.h"
#include "ProgressDisplay.h"
#include "SingleInstance.h"
#include "feedback/FrmSuggest.h"
#include "skin/SkinnedWindow.h"

#include <QPointer>

#include <functional>
#include <memory>

class DropArea;
class ImageElement;
class PictureBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTimer;
class SkinBehaviour;

// The main window: start-up and exit, and the owner of all conversion
// state (source list, options, output folder, progress).
class FrmMain : public SkinnedWindow {
    Q_OBJECT
public:
    explicit FrmMain(const Installation &installation, QWidget *parent = nullptr);
    ~FrmMain() override;

    // Start-up. False when another instance runs: this one must end.
    bool Form_Load();
    // Exit: deletes the temporary files and ends the program at once.
    void Form_Unload();

    // What "end the program" does; tests replace it to stay alive.
    void setProgramEnd(std::function<void()> end) { m_endProgram = std::move(end); }

    const Installation &installation() const { return m_installation; }
    const platform::PrivateFolder &tempFolder() const { return m_tempFolder; }
    ConversionBatch &batch() { return *m_batch; }
    ProgressDisplay &progress() { return *m_progress; }

    static QString versionCaption();
    SkinBehaviour &skin() { return *m_skin; }

    // The feedback window while it is open.
    FrmSuggest *feedbackWindow() const { return m_feedback; }
    void lblFeed_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Timer1_Timer();
    void Timer2_Timer();
    void picDrag_OLEDragOver(int state);
    void picDrag_OLEDragDrop(const QStringList &paths);
    void imgBrowse_Click();
    void imgMin_Click();
    void imgExit_Click();
    void imgHelp_Click();
    void centreOnScreen();

    Installation m_installation;
    SingleInstance m_instance;
    platform::PrivateFolder m_tempFolder;
    std::function<void()> m_endProgram;

    QTimer *Timer1;
    QTimer *Timer2;
    DropArea *picDrag;
    QListWidget *lstFile;
    QComboBox *cmbBR;
    QComboBox *cmbR;
    QComboBox *cmbChannel;
    QLineEdit *txtPath;
    QLabel *lblVersion;
    QLabel *lblPb;
    ImageElement *imgDrag;
    ImageElement *imgDragLight;
    ImageElement *imgBrowse;
    ImageElement *imgMin;
    ImageElement *imgExit;
    ImageElement *imgHelp;
    SkinBehaviour *m_skin;
    QPointer<FrmSuggest> m_feedback;

    std::unique_ptr<ProgressDisplay> m_progress;
    std::unique_ptr<ConversionBatch> m_batch;
};
