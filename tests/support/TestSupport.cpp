#include "TestSupport.h"

#include <QSettings>

#include "main_window/FrmMain.h"
#include "platform/files/Files.h"
#include "platform/desktop/Desktop.h"

#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QTest>
#include <QTextDocument>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

#include <QDir>
#include <QFile>
#include <QProcess>

namespace test {

QString plainTip(const QString &tip)
{
    QTextDocument document;
    document.setHtml(tip);
    return document.toPlainText().replace(QChar::LineSeparator, QLatin1Char('\n'));
}

QString programDir()
{
    return QStringLiteral(TOLVIK_PROGRAM_DIR);
}

QString convPath()
{
    return programDir() + QStringLiteral("/data/") + platform::executableName(QStringLiteral("conv"));
}

RunResult run(const QString &program, const QStringList &arguments, int timeoutMs,
              const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    RunResult result;
    // What went wrong is said in `err` too, so that a failing check shows it.
    if (!process.waitForStarted(10000)) {
        result.err = "did not start in 10 s: " + process.errorString().toUtf8();
        return result;
    }
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.err = "did not end in " + QByteArray::number(timeoutMs) + " ms";
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    if (process.exitStatus() != QProcess::NormalExit)
        result.err += "\nended by a crash (status 0x" + QByteArray::number(uint(process.exitCode()), 16) + ")";
    return result;
}

Qt::DropAction dropData(QWidget *area, const QMimeData *data)
{
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(QPoint(20, 20), offered, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &enter);
    QDropEvent drop(QPointF(20, 20), offered, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &drop);
    return drop.dropAction();
}

Qt::DropAction dropFiles(QWidget *area, const QStringList &paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    return dropData(area, &data);
}

std::unique_ptr<FrmMain> loadedMainWindow(const QString &tempBase, const QString &programFolder,
                                          const QString &feedbackHost, bool *ended, bool keepSettings)
{
    // Each window starts as a first start would: no choices kept from the
    // windows of other tests.
    if (!keepSettings)
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tolvik"), QStringLiteral("Tolvik")).clear();
    auto window = std::make_unique<FrmMain>(Installation{programFolder, tempBase, feedbackHost});
    window->setProgramEnd([ended] {
        if (ended)
            *ended = true;
    });
    if (!window->Form_Load())
        return nullptr;
    return window;
}

QStringList filesIn(const QString &folder, const QStringList &filters)
{
    return QDir(folder).entryList(filters, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

bool runBatch(FrmMain &window, const QStringList &paths, int timeoutMs)
{
    QSignalSpy ended(&window.batch(), &ConversionBatch::batchEnded);
    dropFiles(window.control<QWidget>("picDrag"), paths);
    return ended.wait(timeoutMs);
}

void compareWithReference(const QImage &image, const QString &name)
{
    // A face drawn for a scaled screen has references of its own: "NAME@2x".
    const QString scaled = image.devicePixelRatio() == 1.0 ? QString() : QStringLiteral("@%1x").arg(image.devicePixelRatio());
    const QString file = QStringLiteral(TOLVIK_REFERENCE_DIR "/") + name + scaled + QStringLiteral(".png");
    const QImage actual = image.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIntValue("TOLVIK_WRITE_REFERENCES") == 1) {
        QVERIFY2(actual.save(file), qPrintable(file));
        return;
    }
    const QImage expected = QImage(file).convertToFormat(QImage::Format_RGB32);
    QVERIFY2(!expected.isNull(), qPrintable(QStringLiteral("no reference picture ") + file));
    QCOMPARE(actual.size(), expected.size());
    qint64 differing = 0;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = actual.pixel(x, y);
            const QRgb e = expected.pixel(x, y);
            if (qAbs(qRed(a) - qRed(e)) > 16 || qAbs(qGreen(a) - qGreen(e)) > 16 || qAbs(qBlue(a) - qBlue(e)) > 16)
                ++differing;
        }
    }
    const qint64 allowed = 20;
    if (differing > allowed)
        actual.save(QDir::tempPath() + QLatin1Char('/') + name + QStringLiteral("-actual.png"));
    QVERIFY2(differing <= allowed,
             qPrintable(QStringLiteral("%1: %2 pixels differ (at most %3), picture in %4")
                            .arg(name).arg(differing).arg(allowed).arg(QDir::tempPath())));
}

bool sanitized()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#else
    return false;
#endif
}

bool freedMemoryIsKept()
{
    return sanitized();
}

} // namespace test
