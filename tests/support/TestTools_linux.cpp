// The test helpers that lean on the host's tools: sox makes the inputs,
// ffprobe and mpg123 read the outputs; memory and descriptors from /proc.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace test {

bool makeWav(const QString &path, const QStringList &format, double seconds, const QString &synth)
{
    QStringList options = format;
    const qsizetype type = options.indexOf(QStringLiteral("-t"));
    const bool rf64 = type >= 0 && options.value(type + 1) == QLatin1String("rf64");
    if (rf64)
        options.remove(type, 2);
    const QString target = rf64 ? path + QStringLiteral(".sox.wav") : path;
    QStringList arguments{QStringLiteral("-n")};
    arguments << options << target << QStringLiteral("synth") << QString::number(seconds);
    arguments << synth.split(QLatin1Char(' '));
    if (run(QStringLiteral("sox"), arguments).exitCode != 0)
        return false;
    if (!rf64)
        return true;
    const bool rewrapped = run(QStringLiteral("ffmpeg"), {"-nostdin", "-v", "error", "-y", "-i", target, "-c", "copy",
                                                          "-rf64", "always", path})
                               .exitCode == 0;
    QFile::remove(target);
    return rewrapped;
}

namespace {

// An MP3 decoded gaplessly by mpg123: 16-bit interleaved samples on out.
RunResult mpg123(const QString &path)
{
    return run(QStringLiteral("mpg123"), {"-q", "--gapless", "-e", "s16", "-s", path});
}

} // namespace

QList<float> decodeMp3(const QString &path, QByteArray *complaints)
{
    const RunResult decoded = mpg123(path);
    if (complaints)
        *complaints = decoded.err;
    QList<float> samples;
    const auto *values = reinterpret_cast<const qint16 *>(decoded.out.constData());
    for (qsizetype i = 0; i < decoded.out.size() / 2; ++i)
        samples << values[i] / 32768.0f;
    return samples;
}

Mp3Info probeMp3(const QString &path)
{
    Mp3Info info;
    const RunResult probe = run(QStringLiteral("ffprobe"),
                                {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-print_format"),
                                 QStringLiteral("json"), QStringLiteral("-show_streams"),
                                 QStringLiteral("-show_format"), path});
    const QJsonObject root = QJsonDocument::fromJson(probe.out).object();
    const QJsonObject stream = root.value(QStringLiteral("streams")).toArray().at(0).toObject();
    info.sampleRate = stream.value(QStringLiteral("sample_rate")).toString().toInt();
    info.channels = stream.value(QStringLiteral("channels")).toInt();
    info.bitRate = stream.value(QStringLiteral("bit_rate")).toString().toInt();
    for (const QJsonValue &each : root.value(QStringLiteral("streams")).toArray())
        info.pictures += each.toObject().value(QStringLiteral("disposition")).toObject().value(QStringLiteral("attached_pic")).toInt();
    const QJsonObject tags = root.value(QStringLiteral("format")).toObject().value(QStringLiteral("tags")).toObject();
    for (auto it = tags.begin(); it != tags.end(); ++it)
        info.tags.insert(it.key(), it.value().toString());

    const RunResult decode = mpg123(path);
    if (decode.exitCode == 0 && info.channels > 0)
        info.samples = decode.out.size() / (2 * info.channels);
    return info;
}

bool hostToolsRun()
{
    return true;
}

bool canLockFolders()
{
    return ::geteuid() != 0;
}

WithoutFileAccessOverride::WithoutFileAccessOverride()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (::syscall(SYS_capget, &header, data) != 0)
        return;
    const unsigned override = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
    m_saved[0] = data[0].effective;
    m_saved[1] = data[1].effective;
    if (!(data[0].effective & override))
        return;
    data[0].effective &= ~override;
    m_active = ::syscall(SYS_capset, &header, data) == 0;
}

WithoutFileAccessOverride::~WithoutFileAccessOverride()
{
    if (!m_active)
        return;
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    ::syscall(SYS_capget, &header, data);
    data[0].effective = m_saved[0];
    data[1].effective = m_saved[1];
    ::syscall(SYS_capset, &header, data);
}

bool makeFifo(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

QString makeXdgOpenStandIn(const QString &folder, const QString &log, int exitCode)
{
    QDir().mkpath(folder);
    const QString script = folder + QStringLiteral("/xdg-open");
    QFile file(script);
    if (file.open(QIODevice::WriteOnly)) {
        file.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + QFile::encodeName(log) + "'\nexit "
                   + QByteArray::number(exitCode) + "\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return folder;
}

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

int openDescriptors()
{
    return static_cast<int>(
        QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

HeldFile::HeldFile(const QString &path) : m_path(path)
{
    QFile::setPermissions(path, QFile::ReadOwner);
    m_plain = std::make_unique<WithoutFileAccessOverride>();
}

HeldFile::~HeldFile()
{
    m_plain.reset();
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace test
