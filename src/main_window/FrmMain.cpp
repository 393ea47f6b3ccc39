#include "FrmMain.h"

#include "BatchTexts.h"

#include "batch/OutputFolder.h"
#include "BatchSpeech.h"
#include "FailureList.h"
#include "skin/SpokenStatus.h"
#include "HelpViewer.h"
#include "Version.h"
#include "feedback/FrmSuggest.h"
#include "platform/desktop/Desktop.h"
#include "platform/files/Files.h"
#include "skin/ImageElement.h"
#include "skin/MainLayout.h"
#include "skin/PictureBox.h"
#include "skin/SkinBehaviour.h"
#include "sources/OutputFolderDialog.h"
#include "sources/SourceFileChooser.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

// The one row of the main window's table that the skin does not make.
QObject *makeDropArea(QWidget *parent, const ControlSpec &row)
{
    return row.kind == ControlKind::DropArea ? new DropArea(parent) : nullptr;
}

} // namespace

FrmMain::FrmMain(const Installation &installation, QWidget *parent)
    : SkinnedWindow(mainWindowSpec(), makeDropArea, parent), m_installation(installation),
      m_endProgram([] {
          std::fflush(nullptr);
          std::_Exit(0);
      })
{
    Timer1 = control<QTimer>("Timer1");
    picDrag = control<DropArea>("picDrag");
    lstFile = control<QListWidget>("lstFile");
    cmbBR = control<QComboBox>("cmbBR");
    cmbR = control<QComboBox>("cmbR");
    cmbChannel = control<QComboBox>("cmbChannel");
    txtPath = control<QLineEdit>("txtPath");
    lblVersion = control<QLabel>("lblVersion");
    imgMin = control<ImageElement>("imgMin");
    imgHelp = control<ImageElement>("imgHelp");
    new SkinBehaviour(this, mainSkinSpec());

    picDrag->setLooks(control<ImageElement>("imgDrag"), control<ImageElement>("imgDragLight"));
    m_batchInput = std::make_unique<BatchInputFromControls>(cmbBR, cmbR, cmbChannel, txtPath);
    m_progress = std::make_unique<ProgressDisplay>(
        control<ImageElement>("imgPBLeft"), control<ImageElement>("imgPB"),
        control<ImageElement>("imgPBRight"), control<QLabel>("lblPb"), control<QTimer>("Timer2"));
    m_batch = std::make_unique<ConversionBatch>(*m_batchInput, m_installation.batchFiles());
    // What the user picks is kept for the next start.
    m_remembered = std::make_unique<RememberedSettings>(cmbBR, cmbR, cmbChannel, txtPath);
    for (QComboBox *list : {cmbBR, cmbR, cmbChannel})
        connect(list, &QComboBox::activated, this, [this] { m_remembered->keepLists(); });

    wireBatch();
    wireKeyboard();

    connect(Timer1, &QTimer::timeout, this, &FrmMain::Timer1_Timer);
    connect(picDrag, &DropArea::dropped, this, &FrmMain::picDrag_OLEDragDrop);
    connect(control<ImageElement>("imgBrowse"), &ImageElement::clicked, this, &FrmMain::imgBrowse_Click);
    connect(imgMin, &ImageElement::clicked, this, &FrmMain::imgMin_Click);
    connect(control<ImageElement>("imgExit"), &ImageElement::clicked, this, &FrmMain::imgExit_Click);
    connect(imgHelp, &ImageElement::clicked, this, &FrmMain::imgHelp_Click);
    const std::pair<const char *, const char *> dropDowns[] = {
        {"picButtonBR", "cmbBR"}, {"picButtonR", "cmbR"}, {"picButtonChannel", "cmbChannel"}};
    for (const auto &[button, list] : dropDowns) {
        auto *combo = control<QComboBox>(list);
        connect(control<PictureBox>(button), &PictureBox::clicked, combo, &QComboBox::showPopup);
        // A choice changed by the arrow keys is said (a reader hears a
        // list's choice only when it comes to the list).
        connect(combo, &QComboBox::currentTextChanged, this, [this, combo](const QString &choice) {
            if (combo->hasFocus())
                m_spoken->say(choice);
        });
    }
    control<QLabel>("lblFeed")->installEventFilter(this);
}

void FrmMain::wireBatch()
{
    ProgressDisplay *progress = m_progress.get();
    ConversionBatch *batch = m_batch.get();
    connect(batch, &ConversionBatch::batchStarted, progress, &ProgressDisplay::batchStarted);
    connect(batch, &ConversionBatch::fileLoading, progress, &ProgressDisplay::fileLoading);
    connect(batch, &ConversionBatch::fileStarted, progress, &ProgressDisplay::fileStarted);
    connect(batch, &ConversionBatch::listing, progress, &ProgressDisplay::listing);
    connect(batch, &ConversionBatch::fileFinished, progress, &ProgressDisplay::fileFinished);
    connect(batch, &ConversionBatch::batchFinished, progress, &ProgressDisplay::batchFinished);
    // A log held open by another program is tried again for a while: no
    // line is lost, and none is waited for.
    connect(batch, &ConversionBatch::fileFinished, this, [this](const FileOutcome &file) {
        if (!m_failureLog.record(file)) {
            m_logTries = 0;
            m_logRetry.start();
        }
    });
    m_logRetry.setInterval(500);
    m_logRetry.setSingleShot(true);
    connect(&m_logRetry, &QTimer::timeout, this, [this] {
        if (!m_failureLog.flush() && ++m_logTries < 20)
            m_logRetry.start();
    });
    connect(batch, &ConversionBatch::batchStopped, progress, &ProgressDisplay::batchStopped);
    connect(batch, &ConversionBatch::queueChanged, this, &FrmMain::showQueue);
    connect(batch, &ConversionBatch::startRequested, Timer1, qOverload<>(&QTimer::start));
    // The drop area is hidden exactly while a batch runs: files dropped
    // meanwhile land on the window (dropEvent).
    connect(batch, &ConversionBatch::runningChanged, this, [this](bool running) {
        // The window's own focus: the user may be in another program.
        if (running)
            m_dropHadFocus = focusWidget() == picDrag;
    });
    connect(batch, &ConversionBatch::runningChanged, picDrag, &QWidget::setHidden);
    connect(batch, &ConversionBatch::runningChanged, this, &FrmMain::keepFocusAcrossBatch);
    // What the window shows, also said to a screen reader.
    m_spoken = new SpokenStatus(this);
    m_speech = new BatchSpeech(m_spoken, this);
    connect(batch, &ConversionBatch::batchStarted, m_speech, &BatchSpeech::batchStarted);
    connect(batch, &ConversionBatch::fileLoading, m_speech, &BatchSpeech::fileLoading);
    connect(batch, &ConversionBatch::listing, m_speech, &BatchSpeech::listing);
    connect(batch, &ConversionBatch::fileFinished, m_speech, &BatchSpeech::fileFinished);
    connect(batch, &ConversionBatch::batchFinished, m_speech, &BatchSpeech::batchFinished);
    connect(batch, &ConversionBatch::batchStopped, m_speech, &BatchSpeech::batchStopped);
    connect(batch, &ConversionBatch::batchFinished, this, [this] {
        if (m_failureLog.hasUnwritten())
            m_progress->addTipLine(BatchTexts::logUnwritten(QDir::toNativeSeparators(m_failureLog.file())));
        // A batch that ends unseen asks for the user's attention.
        if (isMinimized() || !isActiveWindow())
            QApplication::alert(this);
    });
}

void FrmMain::wireKeyboard()
{
    // The keyboard's ways to what the mouse does, as actions that menus
    // share.
    struct Key {
        const char *text;
        QKeySequence key;
        void (FrmMain::*slot)();
    };
    const Key keys[] = {
        {QT_TR_NOOP("Add files..."), QKeySequence::Open, &FrmMain::chooseFiles},
        {QT_TR_NOOP("Add a folder..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), &FrmMain::chooseFolder},
        {QT_TR_NOOP("Stop"), QKeySequence(Qt::Key_Escape), &FrmMain::stopBatch},
        {QT_TR_NOOP("Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q), &FrmMain::imgExit_Click},
        {QT_TR_NOOP("Help"), QKeySequence(Qt::Key_F1), &FrmMain::imgHelp_Click},
        {QT_TR_NOOP("Show failures..."), QKeySequence(Qt::CTRL | Qt::Key_L), &FrmMain::showFailures},
    };
    for (const Key &key : keys) {
        auto *action = new QAction(tr(key.text), this);
        action->setShortcut(key.key);
        connect(action, &QAction::triggered, this, key.slot);
        addAction(action);
        if (key.slot == &FrmMain::stopBatch)
            m_stopAction = action;
        if (key.slot == &FrmMain::showFailures)
            m_failuresAction = action;
    }
    // What becomes of results already there: replaced, or their sources
    // passed over; kept across starts.
    auto *earlier = new QActionGroup(this);
    auto *replace = earlier->addAction(tr("Replace existing results"));
    m_skipAction = earlier->addAction(tr("Skip files already converted"));
    for (QAction *choice : earlier->actions()) {
        choice->setCheckable(true);
        addAction(choice);
    }
    (RememberedSettings::skipConverted() ? m_skipAction : replace)->setChecked(true);
    m_batchInput->setSkipChoice(m_skipAction);
    connect(earlier, &QActionGroup::triggered, this, [this](QAction *choice) {
        RememberedSettings::keepSkipConverted(choice == m_skipAction);
        m_spoken->say(choice->text());
    });
    // Escape is the window's only while there is a batch to stop.
    m_stopAction->setEnabled(false);
    connect(m_batch.get(), &ConversionBatch::runningChanged, m_stopAction, &QAction::setEnabled);
    connect(picDrag, &DropArea::clicked, this, &FrmMain::chooseFiles);
    // Files dropped on the window while a batch runs join that batch.
    setAcceptDrops(true);
    auto *track = control<QLabel>("lblPb");
    track->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(track, &QWidget::customContextMenuRequested, this, &FrmMain::progressMenu);
}

FrmMain::~FrmMain()
{
    m_batch.reset(); // stops what runs in the run's folder first
    platform::removeRunFolder(m_tempFolder);
}

QString FrmMain::versionCaption()
{
    return QStringLiteral("Ver %1.%2.%3").arg(TOLVIK_VERSION_MAJOR).arg(TOLVIK_VERSION_MINOR)
        .arg(TOLVIK_VERSION_PATCH);
}

void FrmMain::centreOnScreen()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

bool FrmMain::Form_Load()
{
    if (!m_instance->claim(m_startFiles))
        return false;
    connect(m_instance, &SingleInstance::filesReceived, this, &FrmMain::openFiles);
    connect(m_instance, &SingleInstance::activationRequested, this, [this] {
        // A second start: the user is looking for this window.
        showNormal();
        raise();
        activateWindow();
    });
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    centreOnScreen();
    show();
    // Working files go to a folder of this run's own inside the private
    // folder: two programs at once never share them. Runs that did not end
    // cleanly leave files: in their own folders (removed with them) or, from
    // before run folders, in the private folder itself.
    const platform::PrivateFolder privateFolder = platform::preparePrivateFolder(m_installation.tempBase);
    if (privateFolder.usable)
        WorkingFiles::removeLeftoversIn(privateFolder.path);
    m_tempFolder = platform::prepareRunFolder(privateFolder);
    m_batch->setWorkingFolder(m_tempFolder);
    applyColourKey();
    m_progress->resetPercent();

    QPalette palette = lblVersion->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(mainStartUp.versionColour));
    lblVersion->setPalette(palette);
    cmbBR->setCurrentIndex(mainStartUp.bitRateIndex);
    cmbR->setCurrentIndex(mainStartUp.sampleRateIndex);
    cmbChannel->setCurrentIndex(mainStartUp.channelIndex);
    txtPath->setText(m_installation.defaultOutputFolder());
    if (!m_remembered->restore()) {
        // Once: the next start has the default as its folder.
        const QString notice = tr("The last output folder is gone: results go to the default one");
        m_progress->notice(notice);
        m_spoken->say(notice);
        m_remembered->keepFolder();
    }
    outputfolder::removeStalePartials(txtPath->text());
    lblVersion->setText(versionCaption());
    lblVersion->adjustSize();
    if (!m_startFiles.isEmpty())
        openFiles(m_startFiles);
    return true;
}

void FrmMain::openFiles(const QStringList &files)
{
    m_batch->enqueue(files);
}

void FrmMain::showQueue(int taken, const QStringList &added)
{
    // lstFile shows the batch's queue: head first, as it is consumed.
    if (taken >= lstFile->count()) {
        lstFile->clear();
    } else {
        for (int i = 0; i < taken; ++i)
            delete lstFile->takeItem(0);
    }
    lstFile->addItems(added);
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    event->accept();
    Form_Unload();
}

void FrmMain::Form_Unload()
{
    // A closed program leaves nothing running and nothing half-written.
    m_batch->stop();
    m_batch->workingFiles().removeLeftovers();
    platform::removeRunFolder(m_tempFolder);
    m_endProgram();
}

void FrmMain::Timer1_Timer()
{
    Timer1->stop();
    m_batch->start();
}

void FrmMain::picDrag_OLEDragDrop(const QStringList &paths)
{
    m_batch->enqueue(paths);
}

void FrmMain::chooseFiles()
{
    // Files chosen rather than dragged go the same way as a drop.
    chooseSourceFiles(this, [self = QPointer<FrmMain>(this)](const QStringList &files) {
        if (self && !files.isEmpty())
            self->openFiles(files);
    });
}

void FrmMain::chooseFolder()
{
    chooseSourceFolder(this, [self = QPointer<FrmMain>(this)](const QStringList &folder) {
        if (self && !folder.isEmpty())
            self->openFiles(folder);
    });
}

void FrmMain::stopBatch()
{
    m_batch->stop();
}

void FrmMain::progressMenu(const QPoint &at)
{
    // Not exec(): the batch goes on while the menu is open.
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(m_stopAction);
    menu->addAction(m_failuresAction);
    menu->addSeparator();
    menu->addActions(m_skipAction->actionGroup()->actions());
    menu->popup(control<QLabel>("lblPb")->mapToGlobal(at));
}

void FrmMain::showFailures()
{
    auto *list = new FailureList(m_speech->failures(), m_failureLog.file(), !m_failureLog.hasUnwritten(), this);
    list->show();
    list->activateWindow();
}

void FrmMain::keepFocusAcrossBatch(bool running)
{
    // The drop area hides during a batch: its focus goes to the window
    // itself, not on to the next control (a screen reader would announce
    // the feedback link as the batch starts; the batch's own notices are
    // what matters then). When the area comes back, so does the focus,
    // unless the user has moved it since: Enter adds files again.
    if (running) {
        if (m_dropHadFocus)
            setFocus(Qt::OtherFocusReason);
        m_focusMovedTo = m_dropHadFocus ? focusWidget() : nullptr;
        return;
    }
    if (m_dropHadFocus && focusWidget() == m_focusMovedTo)
        picDrag->setFocus(Qt::OtherFocusReason);
    m_dropHadFocus = false;
}

void FrmMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (m_batch->isRunning() && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void FrmMain::dropEvent(QDropEvent *event)
{
    const QStringList files = DropArea::localFiles(event->mimeData());
    if (!m_batch->isRunning() || files.isEmpty())
        return;
    event->acceptProposedAction();
    openFiles(files);
}

void FrmMain::imgMin_Click()
{
    showMinimized();
    imgMin->clearPicture(); // at rest when the window comes back
}

void FrmMain::imgExit_Click()
{
    close();
}

void FrmMain::imgHelp_Click()
{
    imgHelp->clearPicture();
    const platform::NativeName page(m_installation.helpFile());
    platform::openWithDesktop(page, [self = QPointer<FrmMain>(this), page] {
        // Without its page the button does nothing visible: an empty
        // window would help no one.
        if (self && page.fileSize() >= 0)
            self->showOwnHelp();
    });
}

void FrmMain::showOwnHelp()
{
    // No browser here: the button helps all the same.
    if (!m_helpViewer)
        m_helpViewer = new HelpViewer(m_installation.helpFile());
    m_helpViewer->show();
    m_helpViewer->raise();
    m_helpViewer->activateWindow();
}

bool FrmMain::eventFilter(QObject *watched, QEvent *event)
{
    // The link is clicked like every other control: the left button
    // pressed on it and released over it.
    const QEvent::Type type = event->type();
    if (watched->objectName() == QLatin1String("lblFeed")
        && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease)) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const bool inside = static_cast<QWidget *>(watched)->rect().contains(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && type == QEvent::MouseButtonPress) {
            m_feedPressed = true;
        } else if (mouse->button() == Qt::LeftButton) {
            if (std::exchange(m_feedPressed, false) && inside)
                lblFeed_Click();
        }
    }
    // Space and Enter follow the focused link, as a click does.
    if (watched->objectName() == QLatin1String("lblFeed") && type == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            lblFeed_Click();
            return true;
        }
    }
    return SkinnedWindow::eventFilter(watched, event);
}

void FrmMain::lblFeed_Click()
{
    if (!m_feedback) {
        m_feedback = new FrmSuggest(m_installation.feedbackHost);
        m_feedback->Form_Load(this);
    }
    m_feedback->show();
    m_feedback->raise();
    m_feedback->activateWindow();
    m_feedback->control<QWidget>("txtName")->setFocus();
}

void FrmMain::imgBrowse_Click()
{
    // Cancelled, the folder stays what the user had.
    const QString chosen = browseForOutputFolder(this, txtPath->text());
    if (chosen != txtPath->text()) {
        txtPath->setText(chosen);
        m_remembered->keepFolder();
    }
}
