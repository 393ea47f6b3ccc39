#include "FrmMain.h"

#include "Version.h"
#include "skin/ImageElement.h"
#include "skin/MainLayout.h"
#include "sources/DropArea.h"
#include "sources/OutputFolderDialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

FrmMain::FrmMain(const Installation &installation, QWidget *parent)
    : SkinnedWindow(mainWindowSpec(), parent), m_installation(installation),
      m_endProgram([] {
          std::fflush(nullptr);
          std::_Exit(0);
      })
{
    Timer1 = control<QTimer>("Timer1");
    Timer2 = control<QTimer>("Timer2");
    picDrag = control<DropArea>("picDrag");
    lstFile = control<QListWidget>("lstFile");
    cmbBR = control<QComboBox>("cmbBR");
    cmbR = control<QComboBox>("cmbR");
    cmbChannel = control<QComboBox>("cmbChannel");
    txtPath = control<QLineEdit>("txtPath");
    lblVersion = control<QLabel>("lblVersion");
    lblPb = control<QLabel>("lblPb");
    imgDrag = control<ImageElement>("imgDrag");
    imgDragLight = control<ImageElement>("imgDragLight");
    imgBrowse = control<ImageElement>("imgBrowse");

    m_progress = std::make_unique<ProgressDisplay>(control<ImageElement>("imgPBLeft"),
                                                   control<ImageElement>("imgPB"),
                                                   control<ImageElement>("imgPBRight"), lblPb, lstFile);
    m_batch = std::make_unique<ConversionBatch>(
        BatchControls{lstFile, cmbBR, cmbR, cmbChannel, txtPath, lblPb, Timer2}, *m_progress,
        m_installation);

    connect(Timer1, &QTimer::timeout, this, &FrmMain::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &FrmMain::Timer2_Timer);
    connect(picDrag, &DropArea::dragStateChanged, this, &FrmMain::picDrag_OLEDragOver);
    connect(picDrag, &DropArea::dropped, this, &FrmMain::picDrag_OLEDragDrop);
    connect(imgBrowse, &ImageElement::clicked, this, &FrmMain::imgBrowse_Click);
    connect(m_batch.get(), &ConversionBatch::batchEnded, picDrag, &QWidget::show);
}

FrmMain::~FrmMain() = default;

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
    if (!m_instance.claim())
        return false;
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    centreOnScreen();
    show();
    m_tempFolder = platform::preparePrivateFolder(m_installation.tempBase);
    m_batch->setTempFolder(m_tempFolder);
    applyColourKey();
    QCoreApplication::processEvents();
    m_progress->resetPercent();

    QPalette palette = lblVersion->palette();
    palette.setColor(QPalette::WindowText, QColor(180, 235, 225));
    lblVersion->setPalette(palette);
    cmbBR->setCurrentIndex(7);
    cmbR->setCurrentIndex(1);
    cmbChannel->setCurrentIndex(1);
    txtPath->setText(m_installation.defaultOutputFolder());
    lblVersion->setText(versionCaption());
    lblVersion->adjustSize();
    return true;
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    event->accept();
    Form_Unload();
}

void FrmMain::Form_Unload()
{
    // A running encoder is left to finish on its own.
    QCoreApplication::processEvents();
    m_batch->deleteTempFiles();
    m_endProgram();
}

void FrmMain::Timer1_Timer()
{
    Timer1->stop();
    QCoreApplication::processEvents();
    m_batch->ConvertNextFile();
}

void FrmMain::Timer2_Timer()
{
    if (m_progress->tick())
        Timer2->stop();
}

void FrmMain::picDrag_OLEDragOver(int state)
{
    picDrag->setPicture(state == DropArea::Over ? imgDragLight->picture() : imgDrag->picture());
}

void FrmMain::picDrag_OLEDragDrop(const QStringList &paths)
{
    picDrag->setPicture(imgDrag->picture());
    for (const QString &path : paths)
        lstFile->addItem(path);
    if (lstFile->count() > 0) {
        picDrag->hide();
        QCoreApplication::processEvents();
        Timer1->start();
    }
}

void FrmMain::imgBrowse_Click()
{
    txtPath->setText(browseForOutputFolder(this, m_installation.defaultOutputFolder()));
}
