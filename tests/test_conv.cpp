// conv end to end: real inputs made by sox (on Windows, under Wine, by
// libsndfile), outputs read back by ffprobe and mpg123 (LAME's decoder).
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QtEndian>

#include "skin/MainLayout.h"
#include "InfoFrame.h"
#include "Mp3Frames.h"
#include "SampleStream.h"

#include <sndfile.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

qint64 framesOf(const QString &path, int *rate = nullptr)
{
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return -1;
    sf_close(file);
    if (rate)
        *rate = info.samplerate;
    return info.frames;
}

using test::filesIn;

// The items of one of the main window's option lists.
QStringList listItems(const char *name)
{
    QStringList items;
    for (const ControlSpec &control : mainWindowSpec().controls)
        if (qstrcmp(control.name, name) == 0)
            for (const char *item : control.items)
                items << QString::fromLatin1(item);
    return items;
}

// Interleaved samples of a WAV.
QList<float> samplesOf(const QString &path)
{
    QList<float> samples;
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return samples;
    samples.resize(info.frames * info.channels);
    sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    return samples;
}

// Signal-to-noise ratio in dB of `decoded` against `source` (both
// interleaved with `channels`; a stereo source is averaged for mono).
double snr(const QList<float> &source, int sourceChannels, const QList<float> &decoded, int channels)
{
    double signal = 0, noise = 0;
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        const qsizetype frame = i / channels;
        const float s = channels == sourceChannels ? source[i]
                                                   : (source[frame * 2] + source[frame * 2 + 1]) / 2;
        signal += double(s) * s;
        noise += double(decoded[i] - s) * (decoded[i] - s);
    }
    return 10 * std::log10(signal / std::max(noise, 1e-12));
}

} // namespace

class ConvTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    test::RunResult conv(const QStringList &arguments) { return test::run(test::convPath(), arguments); }

    // conv with every part `frames` long after a warm-up of `warmUp`.
    static test::RunResult convInParts(int frames, int warmUp, const QStringList &arguments, int timeoutMs)
    {
        return test::run(QStringLiteral(TOLVIK_CONV_PARTS),
                         QStringList{QString::number(frames), QString::number(warmUp)} + arguments, timeoutMs);
    }

    // What mp3check -e and mp3val, checkers of their own, find wrong in a
    // stream (where installed): a bit reservoir misread by conv's writer
    // and its own frame splitter alike would pass the splitter. mp3check
    // also reports a stream not all at one bit rate (a widened frame, or an
    // info frame that needs a higher one): it is asked of the others only.
    static QString checkersFault(const QString &mp3, bool oneBitRate)
    {
        QString fault;
        if (oneBitRate && !QStandardPaths::findExecutable(QStringLiteral("mp3check")).isEmpty()) {
            const test::RunResult check = test::run(QStringLiteral("mp3check"), {"-e", mp3});
            if (check.exitCode != 0)
                fault += QStringLiteral("mp3check: ") + QString::fromLocal8Bit(check.out + check.err);
        }
        if (!QStandardPaths::findExecutable(QStringLiteral("mp3val")).isEmpty()) {
            for (const QByteArray &line : test::run(QStringLiteral("mp3val"), {mp3}).out.split('\n')) {
                // (A file without tags is no fault of the stream.)
                if ((line.startsWith("WARNING") || line.startsWith("ERROR")) && !line.contains("No supported tags"))
                    fault += QStringLiteral("mp3val: ") + QString::fromLocal8Bit(line);
            }
        }
        return fault;
    }

    void expectCleanFailure(const test::RunResult &result, const QString &named)
    {
        QCOMPARE(result.exitCode, 1);
        const QList<QByteArray> lines = result.err.trimmed().split('\n');
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().startsWith("conv: "), result.err.constData());
        QVERIFY2(lines.first().contains(QFile::encodeName(named)), result.err.constData());
    }

private slots:
    void encodesEveryInputKindAndSetting_data()
    {
        QTest::addColumn<QStringList>("make");   // sox options
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("bitRate");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("wantRate");
        QTest::addColumn<int>("wantKbps");

        const QStringList s16{"-r", "44100", "-c", "2", "-b", "16"};
        QTest::newRow("16-bit, 32k 48000 mono") << s16 << "a.wav" << "32k" << "48000" << 1 << 48000 << 32;
        QTest::newRow("8-bit, 48k 44100 stereo")
            << QStringList{"-r", "22050", "-c", "1", "-e", "unsigned", "-b", "8"} << "b.wav" << "48k"
            << "44100" << 2 << 44100 << 48;
        QTest::newRow("24-bit, 56k 32000 stereo")
            << QStringList{"-r", "44100", "-c", "2", "-b", "24"} << "c.wav" << "56k" << "32000" << 2
            << 32000 << 56;
        QTest::newRow("32-bit int, 64k 24000 mono")
            << QStringList{"-r", "48000", "-c", "2", "-e", "signed", "-b", "32"} << "d.wav" << "64k"
            << "24000" << 1 << 24000 << 64;
        QTest::newRow("32-bit float, 80k 22050 stereo")
            << QStringList{"-r", "96000", "-c", "2", "-e", "floating-point", "-b", "32"} << "e.wav"
            << "80k" << "22050" << 2 << 22050 << 80;
        QTest::newRow("64-bit float, 96k 16000 mono")
            << QStringList{"-r", "44100", "-c", "1", "-e", "floating-point", "-b", "64"} << "f.wav"
            << "96k" << "16000" << 1 << 16000 << 96;
        QTest::newRow("extensible 6 channels, 112k 12050 stereo")
            << QStringList{"-r", "48000", "-c", "6", "-b", "24"} << "g.wav" << "112k" << "12050" << 2
            << 12000 << 64;
        QTest::newRow("IMA ADPCM, 128k 8000 mono")
            << QStringList{"-r", "22050", "-c", "1", "-e", "ima-adpcm", "-b", "4"} << "h.wav" << "128k"
            << "8000" << 1 << 8000 << 64;
        QTest::newRow("MS ADPCM, 192k 44100 stereo")
            << QStringList{"-r", "44100", "-c", "2", "-e", "ms-adpcm", "-b", "4"} << "i.wav" << "192k"
            << "44100" << 2 << 44100 << 192;
        QTest::newRow("W64, 224k 48000 stereo")
            << QStringList{"-r", "48000", "-c", "2", "-b", "16", "-t", "w64"} << "j.w64" << "224k"
            << "48000" << 2 << 48000 << 224;
        QTest::newRow("RF64, 256k 32000 mono")
            << QStringList{"-r", "44100", "-c", "1", "-b", "16", "-t", "rf64"} << "k.wav" << "256k" << "32000" << 1 << 32000 << 256;
        QTest::newRow("16-bit, 320k 44100 stereo") << s16 << "l.wav" << "320k" << "44100" << 2 << 44100 << 320;
        QTest::newRow("320k at 8000 gives 64k") << s16 << "m.wav" << "320k" << "8000" << 2 << 8000 << 64;
        QTest::newRow("plain bit/s") << s16 << "n.wav" << "128000" << "44100" << 2 << 44100 << 128;
    }

    void encodesEveryInputKindAndSetting()
    {
        QFETCH(QStringList, make);
        QFETCH(QString, file);
        QFETCH(QString, bitRate);
        QFETCH(QString, rate);
        QFETCH(int, channels);
        QFETCH(int, wantRate);
        QFETCH(int, wantKbps);

        const QString input = path(file);
        QVERIFY(test::makeWav(input, make, 1.3, QStringLiteral("sine 300-3000")));
        int inputRate = 0;
        QVERIFY(framesOf(input, &inputRate) > 0);
        // The signal's own length: block-coded formats (ADPCM) hold whole
        // blocks, and their padding must not come out.
        const qint64 frames = qRound64(1.3 * inputRate);

        const QString output = path(file + QStringLiteral(".mp3"));
        const test::RunResult result = conv({"-i", input, "-y", "-ab", bitRate, "-ar", rate, "-ac",
                                             QString::number(channels), output});
        QVERIFY2(result.exitCode == 0, result.err.constData());

        const test::Mp3Info info = test::probeMp3(output);
        QCOMPARE(info.sampleRate, wantRate);
        QCOMPARE(info.channels, channels);
        QCOMPARE(info.bitRate, wantKbps * 1000);
        QCOMPARE(info.samples, (frames * wantRate + inputRate / 2) / inputRate);
        // Only a changed value is reported.
        const bool changed = wantRate != rate.toInt() || QString::number(wantKbps) + "k" != bitRate;
        QCOMPARE(!result.err.isEmpty(), changed && bitRate != QLatin1String("128000"));
        QVERIFY(filesIn(m_dir.path()).filter(QStringLiteral(".conv-")).isEmpty());
    }

    void failsCleanly()
    {
        const QString out = path(QStringLiteral("fail/out.mp3"));
        QDir().mkpath(path(QStringLiteral("fail")));
        const QString good = path(QStringLiteral("good.wav"));
        QVERIFY(test::makeWav(good, {"-r", "44100", "-c", "2", "-b", "16"}, 1.0));

        // Inputs that are no audio.
        const QString text = path(QStringLiteral("text.wav"));
        QFile t(text);
        QVERIFY(t.open(QIODevice::WriteOnly));
        t.write("this is not audio\n");
        t.close();
        QFile g(good);
        QVERIFY(g.open(QIODevice::ReadOnly));
        const QByteArray wav = g.readAll();
        auto write = [&](const QString &name, const QByteArray &bytes) {
            QFile f(path(name));
            f.open(QIODevice::WriteOnly);
            f.write(bytes);
            return path(name);
        };
        const QString shortHeader = write(QStringLiteral("shorthdr.wav"), wav.left(30));
        const QString shortData = write(QStringLiteral("shortdata.wav"), wav.left(wav.size() / 2));
        // A canonical 44-byte header that announces no data.
        QByteArray header = wav.left(44);
        QCOMPARE(header.mid(36, 4), QByteArray("data"));
        header.replace(4, 4, QByteArray("\x24\0\0\0", 4));
        header.replace(40, 4, QByteArray(4, '\0'));
        const QString empty = write(QStringLiteral("empty.wav"), header);

        for (const QString &input : {path(QStringLiteral("missing.wav")), m_dir.path(), text, shortHeader,
                                     shortData, empty}) {
            expectCleanFailure(conv({"-i", input, "-y", out}), input);
            QVERIFY2(filesIn(path(QStringLiteral("fail"))).isEmpty(), qPrintable(input));
        }

        // An output folder that cannot be written.
        const QString nowhere = good + QStringLiteral("/out.mp3"); // a file as folder
        expectCleanFailure(conv({"-i", good, "-y", nowhere}), nowhere);
        if (test::canLockFolders()) {
            const QString locked = path(QStringLiteral("locked"));
            QDir().mkpath(locked);
            QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
            expectCleanFailure(conv({"-i", good, "-y", locked + "/out.mp3"}), locked);
            QVERIFY(filesIn(locked).isEmpty());
        }

        // An existing output is neither replaced nor touched without -y.
        const QString existing = path(QStringLiteral("fail/existing.mp3"));
        write(QStringLiteral("fail/existing.mp3"), "keep me");
        expectCleanFailure(conv({"-i", good, existing}), existing);
        QFile e(existing);
        QVERIFY(e.open(QIODevice::ReadOnly));
        QCOMPARE(e.readAll(), QByteArray("keep me"));
        // ... and a failing run with -y leaves it untouched too.
        expectCleanFailure(conv({"-i", text, "-y", existing}), text);
        QCOMPARE(filesIn(path(QStringLiteral("fail"))), QStringList{QStringLiteral("existing.mp3")});

        // The input as its own output, under any name for it, -y or not:
        // refused, and the WAV stays whole.
        QStringList sameFile{good, path(QStringLiteral("fail/../good.wav"))};
        const QString alias = path(QStringLiteral("alias.wav"));
        if (QFile::link(good, alias) && QFileInfo(alias).isSymbolicLink())
            sameFile << alias;
        const QString otherCase = path(QStringLiteral("GOOD.WAV"));
        if (QFileInfo::exists(otherCase)) // a file system that ignores case
            sameFile << otherCase;
        for (const QString &output : sameFile) {
            for (const bool replace : {true, false}) {
                const auto result = conv(replace ? QStringList{"-i", good, "-y", output} : QStringList{"-i", good, output});
                expectCleanFailure(result, output);
                QVERIFY2(result.err.contains("is the input file"), result.err.constData());
                QCOMPARE(QFileInfo(good).size(), wav.size());
            }
        }
        QVERIFY(filesIn(m_dir.path()).filter(QStringLiteral(".conv-")).isEmpty());
    }

    void commandLine()
    {
        const test::RunResult help = conv({"--help"});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains("Usage: conv"));
        QVERIFY(help.out.contains("Stereo from mono"));
        QVERIFY(help.out.contains("-threads N"));
        QCOMPARE(conv({"-h"}).exitCode, 0);
        QVERIFY(conv({"--version"}).out.startsWith("conv 1.0.4"));
        // A bit rate in bit/s is reported as given, not as kbit/s.
        const QString wav = path(QStringLiteral("rate.wav"));
        QVERIFY(test::makeWav(wav, {"-r", "8000", "-c", "1", "-b", "16"}, 0.2));
        const test::RunResult bits = conv({"-i", wav, "-y", "-ab", "1", path(QStringLiteral("rate.mp3"))});
        QCOMPARE(bits.exitCode, 0);
        QVERIFY2(bits.err.contains("bit rate 1 bit/s written as 8 kbit/s"), bits.err.constData());
        for (const QStringList &bad : {QStringList{"-i"}, QStringList{"-i", "x.wav"}, QStringList{"x.mp3"},
                                       QStringList{"-q", "-i", "x.wav", "y.mp3"},
                                       QStringList{"-i", "x.wav", "-ab", "fast", "y.mp3"},
                                       QStringList{"-i", "x.wav", "-ac", "3", "y.mp3"},
                                       QStringList{"-i", "x.wav", "-threads", "0", "y.mp3"},
                                       QStringList{"-i", "x.wav", "-threads", "many", "y.mp3"}}) {
            const test::RunResult result = conv(bad);
            QCOMPARE(result.exitCode, 1);
            QVERIFY(result.err.startsWith("conv: "));
        }
        // Installed under another name, it says that name.
        const QString exe = QFileInfo(test::convPath()).suffix();
        const QString renamed = path(QStringLiteral("tolvik-conv") + (exe.isEmpty() ? QString() : QLatin1Char('.') + exe));
        QVERIFY(QFile::copy(test::convPath(), renamed));
        QVERIFY(test::run(renamed, {"--version"}).out.startsWith("tolvik-conv 1.0.4"));
        QVERIFY(test::run(renamed, {"--help"}).out.contains("Usage: tolvik-conv -i"));
        const test::RunResult misnamed = test::run(renamed, {"-i"});
        QVERIFY2(misnamed.err.startsWith("tolvik-conv: "), misnamed.err.constData());
    }

    // Every tag an input holds that ID3 has a place for reaches the result,
    // read back by ffprobe's ID3 reader: a row per container and kind of
    // tag. An input is made by ffmpeg from a plain WAV, or by hand (chunks
    // added to the WAV).
    static QByteArray le32(int value)
    {
        QByteArray bytes(4, '\0');
        qToLittleEndian<quint32>(quint32(value), bytes.data());
        return bytes;
    }
    static QByteArray be32(int value)
    {
        QByteArray bytes(4, '\0');
        qToBigEndian<quint32>(quint32(value), bytes.data());
        return bytes;
    }
    // A small PNG, made once.
    QString cover()
    {
        const QString file = path(QStringLiteral("cover.png"));
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(Qt::red);
        if (!QFile::exists(file))
            image.save(file);
        return file;
    }
    // ffmpeg's arguments for an MP3 whose ID3v2 tag (of this version) holds the cover.
    QStringList withCover(int version)
    {
        return {"-i", cover(), "-map", "0", "-map", "1", "-disposition:v", "attached_pic", "-id3v2_version",
                QString::number(version)};
    }
    // The ID3v2 tag ffmpeg writes into an MP3 with these arguments.
    QByteArray id3Tag(const QStringList &arguments)
    {
        const QString mp3 = path(QStringLiteral("for-tag.mp3"));
        const QString plain = path(QStringLiteral("for-tag.wav"));
        if (!test::hostToolsRun() || !test::makeWav(plain, {"-r", "44100", "-c", "1", "-b", "16"}, 0.1)
            || test::run(QStringLiteral("ffmpeg"), QStringList{"-nostdin", "-v", "error", "-y", "-i", plain} + arguments + QStringList{mp3}).exitCode != 0)
            return {};
        QFile file(mp3);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QByteArray head = file.read(10);
        const int size = (head[6] << 21) | (head[7] << 14) | (head[8] << 7) | head[9];
        return head + file.read(size);
    }

    void tagsCarriedOver_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QStringList>("ffmpeg");
        QTest::addColumn<QByteArrayList>("chunks"); // each: its 4-byte id, then its body
        QTest::addColumn<QStringList>("expected");  // key=value as ffprobe names them
        QTest::addColumn<int>("pictures");
        const QStringList common{"-metadata", "title=Šťastný Title", "-metadata", "artist=An Artist", "-metadata",
                                 "album=The Album", "-metadata", "date=2024", "-metadata", "comment=A comment",
                                 "-metadata", "genre=Jazz"};
        const QStringList commonTags{"title=Šťastný Title", "artist=An Artist", "album=The Album", "date=2024",
                                     "comment=A comment", "genre=Jazz"};
        const auto info = [](const QList<QPair<QByteArray, QByteArray>> &fields) {
            QByteArray list = "INFO";
            for (const auto &[id, value] : fields) {
                QByteArray body = value + '\0';
                list += id + le32(body.size()) + body + (body.size() % 2 ? QByteArray(1, '\0') : QByteArray());
            }
            return QByteArray("LIST") + list;
        };
        // A FLAC picture block: what METADATA_BLOCK_PICTURE holds in Base64.
        QFile png(cover());
        QVERIFY(png.open(QIODevice::ReadOnly));
        const QByteArray image = png.readAll();
        const QByteArray picture = be32(3) + be32(9) + "image/png" + be32(5) + "Front" + QByteArray(16, '\0')
                                   + be32(int(image.size())) + image;
        const QStringList vorbis{"-metadata", "composer=A Composer", "-metadata", "track=3", "-metadata",
                                 "TRACKTOTAL=12", "-metadata", "disc=1", "-metadata", "DISCTOTAL=2", "-metadata",
                                 "copyright=(C) Someone", "-metadata", "ENCODED_BY=A Person", "-metadata",
                                 "ALBUMARTIST=Various", "-metadata", "MOOD=Calm"};
        const QStringList vorbisTags{"composer=A Composer", "track=3/12", "disc=1/2", "copyright=(C) Someone",
                                     "encoded_by=A Person", "album_artist=Various", "TMOO=Calm"};

        const auto field = [](const QByteArray &text, int width) { return text.leftJustified(width, '\0', true); };
        const QByteArray id3v1 = "TAG" + field("Cafe", 30) + field("An Artist", 30) + field("The Album", 30) + "2024"
                                 + field("A comment", 28) + '\0' + char(5) + char(8); // track 5, Jazz
        QTest::newRow("no tags") << "wav" << QStringList() << QByteArrayList() << QStringList() << 0;
        QTest::newRow("WAV LIST/INFO by ffmpeg")
            << "wav" << common + QStringList{"-metadata", "track=3/12", "-metadata", "copyright=(C) Someone"}
            << QByteArrayList() << commonTags + QStringList{"track=3/12", "copyright=(C) Someone"} << 0;
        QTest::newRow("WAV LIST/INFO, every field")
            << "wav" << QStringList()
            << QByteArrayList{info({{"INAM", "Caf\xE9\x80"}, {"IMUS", "A Composer"}, {"ITRK", "7"},
                                    {"ITCH", "A Person"}, {"ISFT", "Recorder 2"}, {"ICRD", "2020-05-06"},
                                    {"IGNR", "Folk"}, {"ICOP", "(C) Someone"}, {"ILNG", "deu"},
                                    {"IKEY", "birds; morning"}, {"ICMT", "Line one"}})}
            << QStringList{"title=Café€", "composer=A Composer", "track=7", "encoded_by=A Person",
                           "encoder=Recorder 2", "date=2020-05-06", "genre=Folk", "copyright=(C) Someone",
                           "language=deu", "Keywords=birds; morning", "comment=Line one"}
            << 0;
        QTest::newRow("WAV bext")
            << "wav" << QStringList{"-write_bext", "1", "-metadata", "description=A take", "-metadata",
                                    "originator=Studio B", "-metadata", "origination_date=2019-03-04",
                                    "-metadata", "origination_time=10:11:12"}
            << QByteArrayList() << QStringList{"comment=A take", "encoded_by=Studio B", "date=2019-03-04T10:11:12"}
            << 0;
        QTest::newRow("WAV id3 chunk, with its picture, before INFO")
            << "wav" << QStringList() << QByteArrayList{"id3 " + id3Tag(withCover(3) + common), info({{"INAM", "Not this"}, {"IMUS", "A Composer"}})}
            << commonTags + QStringList{"composer=A Composer"} << 1;
        QTest::newRow("FLAC") << "flac" << common + vorbis + QStringList{"-metadata", "METADATA_BLOCK_PICTURE=" + picture.toBase64()}
                              << QByteArrayList() << commonTags + vorbisTags << 1;
        QTest::newRow("Ogg Vorbis") << "ogg" << common + vorbis + QStringList{"-metadata", "METADATA_BLOCK_PICTURE=" + picture.toBase64()}
                                    << QByteArrayList() << commonTags + vorbisTags << 1;
        QTest::newRow("Opus") << "opus" << common + vorbis << QByteArrayList() << commonTags + vorbisTags << 0;
        QTest::newRow("MP3 with ID3v2.3 and a picture") << "mp3" << withCover(3) + common << QByteArrayList()
                                                        << commonTags << 1;
        QTest::newRow("MP3 with ID3v1 only")
            << "mp3" << QStringList() << QByteArrayList{id3v1}
            << QStringList{"title=Cafe", "artist=An Artist", "album=The Album",
                                               "date=2024", "comment=A comment", "track=5", "genre=Jazz"}
            << 0;
        QTest::newRow("AIFF") << "aiff" << common + QStringList{"-metadata", "copyright=(C) Someone"}
                              << QByteArrayList() << QStringList{"title=Šťastný Title", "comment=A comment", "copyright=(C) Someone"} << 0;
    }

    void tagsCarriedOver()
    {
        QFETCH(QString, format);
        QFETCH(QStringList, ffmpeg);
        QFETCH(QByteArrayList, chunks);
        QFETCH(QStringList, expected);
        QFETCH(int, pictures);
        const QString plain = path(QStringLiteral("plain.wav"));
        QVERIFY(test::makeWav(plain, {"-r", "44100", "-c", "1", "-b", "16"}, 0.5));
        const QString input = path(QStringLiteral("tagged.") + format);
        const QString result = path(QStringLiteral("result.mp3"));
        if ((!ffmpeg.isEmpty() || format == QLatin1String("mp3")) && !test::hostToolsRun())
            QSKIP("these inputs are made by ffmpeg or lame");
        if (!ffmpeg.isEmpty()) {
            const test::RunResult made = test::run(QStringLiteral("ffmpeg"), QStringList{"-nostdin", "-v", "error", "-y", "-i", plain} + ffmpeg + QStringList{input});
            QVERIFY2(made.exitCode == 0, made.err.constData());
        } else if (format == QLatin1String("mp3")) { // the chunks are what follows the audio
            const test::RunResult made = test::run(QStringLiteral("lame"), {"--quiet", plain, input});
            QFile file(input);
            QVERIFY(made.exitCode == 0 && file.open(QIODevice::Append) && file.write(chunks.join()) > 0);
        } else {
            QFile source(plain);
            QVERIFY(source.open(QIODevice::ReadOnly));
            QByteArray wav = source.readAll();
            for (const QByteArray &chunk : chunks)
                wav += chunk.left(4) + le32(int(chunk.size() - 4)) + chunk.mid(4) + (chunk.size() % 2 ? QByteArray(1, '\0') : QByteArray());
            qToLittleEndian<quint32>(quint32(wav.size() - 8), wav.data() + 4);
            QFile file(input);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(wav) == wav.size());
        }
        const test::RunResult encoded = conv({"-i", input, "-y", result});
        QVERIFY2(encoded.exitCode == 0, encoded.err.constData());
        QFile mp3(result);
        QVERIFY(mp3.open(QIODevice::ReadOnly));
        QCOMPARE(mp3.read(3) == "ID3", !expected.isEmpty());
        if (!test::hostToolsRun())
            return;
        const test::Mp3Info info = test::probeMp3(result);
        for (const QString &pair : expected) {
            const QString key = pair.section(QLatin1Char('='), 0, 0);
            QVERIFY2(info.tags.value(key) == pair.section(QLatin1Char('='), 1),
                     qPrintable(QStringLiteral("%1: %2 is \"%3\"").arg(pair, key, info.tags.value(key))));
        }
        QCOMPARE(info.pictures, pictures);
        QCOMPARE(info.samples, info.sampleRate / 2); // the audio is whole after a tag of any size
    }

    // Every setting the window offers, on several threads with parts cut
    // short and a short warm-up (many joins, some needing room, in a short
    // file), and a minute cut as conv plans it, against the same on one
    // thread: the same samples, a stream whose every frame keeps to the bit
    // reservoir, no decoder complaint, and no worse sound.
    void threadsMatchOneThread_data()
    {
        QTest::addColumn<QString>("rate");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QStringList>("bitRates");
        QTest::addColumn<bool>("shortParts");
        QTest::addColumn<QString>("synth");
        // Under Wine a conv start costs a fifth of a second, and the code is
        // the same: there only 44,100 Hz takes every bit rate, the other
        // rates the lowest, a middle and the highest.
        const QStringList every = listItems("cmbBR");
        const bool slowStarts = QSysInfo::kernelType() == QLatin1String("winnt");
        for (const QString &rate : listItems("cmbR"))
            QTest::newRow(qPrintable(rate))
                << rate << 1.5
                << (slowStarts && rate != "44100" ? QStringList{every.first(), every.at(every.size() / 2), every.last()}
                                                  : every)
                << true << "pinknoise sine 300-3000 vol 0.5";
        // Pink noise is where a fresh encoder takes longest to keep the
        // reservoir a long run keeps: joined there, frames would be widened.
        QTest::newRow("a minute as planned") << "44100" << 60.0 << QStringList{"128"} << false << "pinknoise vol 0.5";
        // A clip of a few seconds is cut in two as well: a batch of them is
        // the common batch.
        QTest::newRow("a clip as planned") << "44100" << 4.0 << QStringList{"128", "320"} << false
                                           << "pinknoise sine 300-3000 vol 0.5";
    }

    void threadsMatchOneThread()
    {
        QFETCH(QString, rate);
        QFETCH(double, seconds);
        QFETCH(QStringList, bitRates);
        QFETCH(bool, shortParts);
        QFETCH(QString, synth);
        const QString source = path(QStringLiteral("joins-%1.wav").arg(rate));
        QVERIFY(test::makeWav(source, {"-r", rate, "-c", "2", "-b", "16"}, seconds, synth));
        const QList<float> original = samplesOf(source);
        QStringList decodedByFfmpeg; // checked at once: ffmpeg's own start is most of a check
        for (const QString &kbps : bitRates)
            for (const int channels : {1, 2}) {
                const QString setting = kbps + "k/" + QString::number(channels) + "ch";
                QList<float> decoded[2];
                double quality[2];
                QByteArray written[2];
                for (const int threads : {1, shortParts ? 3 : 2}) {
                    const QString output = path(QStringLiteral("joins-%1k-%2ch-%3.mp3").arg(kbps).arg(channels).arg(threads));
                    const QStringList arguments{"-i", source, "-y", "-ab", kbps + "k", "-ac", QString::number(channels),
                                                "-threads", QString::number(threads), output};
                    const test::RunResult result = shortParts ? convInParts(4, 12, arguments, 120000)
                                                              : test::run(test::convPath(), arguments, 120000);
                    QVERIFY2(result.exitCode == 0, qPrintable(setting + result.err));
                    QFile file(output);
                    QVERIFY(file.open(QIODevice::ReadOnly));
                    const QByteArray bytes = file.readAll();
                    written[threads > 1] = bytes;
                    std::vector<Mp3Frame> frames;
                    QVERIFY2(splitMp3Frames(reinterpret_cast<const unsigned char *>(bytes.constData()),
                                            static_cast<std::size_t>(bytes.size()), frames),
                             qPrintable(setting));
                    // The info frame says what the stream is: "Info" at the
                    // stream's bit rate (where LAME's header fits in such a
                    // frame) when every frame has it, "Xing" otherwise.
                    QVERIFY(frames.size() > 2);
                    bool constant = true;
                    for (std::size_t i = 2; i < frames.size(); ++i)
                        constant &= mp3BitRateIndex(frames[i].head.data()) == mp3BitRateIndex(frames[1].head.data());
                    const QByteArray infoTag = bytes.mid(static_cast<qsizetype>(frames[0].head.size()), 4);
                    QVERIFY2(infoTag == (constant ? "Info" : "Xing"), qPrintable(setting + QStringLiteral(": ") + infoTag));
                    QVERIFY2(shortParts || constant, qPrintable(setting + QStringLiteral(": a join widened a frame")));
                    if (threads > 1) {
                        // (mp3check knows no MPEG 2.5, the rates below 16000 Hz.)
                        const QString fault = checkersFault(output, constant && rate.toInt() >= 16000
                                                                        && lameInfoFrameFits(rate.toInt(), channels, kbps.toInt()));
                        QVERIFY2(fault.isEmpty(), qPrintable(setting + QStringLiteral(": ") + fault));
                    }
                    if (lameInfoFrameFits(rate.toInt(), channels, kbps.toInt()))
                        QVERIFY2(mp3BitRateIndex(frames[0].head.data()) == mp3BitRateIndex(frames[1].head.data()),
                                 qPrintable(setting + QStringLiteral(": the info frame's bit rate")));
                    QByteArray complaints;
                    decoded[threads > 1] = test::decodeMp3(output, &complaints);
                    QVERIFY2(complaints.isEmpty(), qPrintable(setting + complaints));
                    decodedByFfmpeg << output;
                    quality[threads > 1] = snr(original, 2, decoded[threads > 1], channels);
                }
                QVERIFY2(decoded[1].size() == decoded[0].size(), qPrintable(setting));
                // (Short parts may leave a join no room: then one run's bytes.)
                QVERIFY2(shortParts || written[0] != written[1], qPrintable(setting + QStringLiteral(": not cut in parts")));
                // Parts this short lose a little (every frame is near a
                // join); a long part's join is as good as one run; a
                // wrongly laid join loses far more.
                QVERIFY2(quality[1] > quality[0] - (shortParts ? 3.0 : 0.1),
                         qPrintable(setting + QStringLiteral(": %1 dB against %2").arg(quality[1]).arg(quality[0])));
            }
        if (test::hostToolsRun()) {
            // Its complaints name the stream: #k is the k-th file below.
            QStringList arguments{"-nostdin", "-v", "warning"};
            for (const QString &file : decodedByFfmpeg)
                arguments << "-i" << file;
            for (qsizetype k = 0; k < decodedByFfmpeg.size(); ++k)
                arguments << "-map" << QString::number(k) + ":a";
            const test::RunResult check = test::run(QStringLiteral("ffmpeg"), arguments + QStringList{"-f", "null", "-"});
            QVERIFY2(check.exitCode == 0 && check.err.isEmpty(),
                     qPrintable(QString::fromLocal8Bit(check.err) + "in: " + decodedByFfmpeg.join(", ")));
        }
    }

    // A part read from its middle, as a worker reads it (its own reader, the
    // resampler started a little before), holds the samples of one run from
    // the start, to float rounding: otherwise every join would click.
    void partsReadTheSamplesOfOneRun_data()
    {
        QTest::addColumn<int>("inRate");
        QTest::addColumn<int>("inChannels");
        QTest::addColumn<int>("outRate");
        QTest::addColumn<int>("outChannels");
        QTest::newRow("as it is") << 44100 << 2 << 44100 << 2;
        QTest::newRow("48000 to 44100, mono") << 48000 << 2 << 44100 << 1;
        QTest::newRow("44100 to 22050") << 44100 << 2 << 22050 << 2;
        QTest::newRow("44100 to 8000") << 44100 << 1 << 8000 << 1;
        QTest::newRow("11025 to 48000") << 11025 << 2 << 48000 << 2;
    }

    // An MP3 input is read to its end, whether a Xing/Info frame states its
    // length or not (lame -t writes none; libsndfile guesses then), on one
    // thread and in parts: every sample mpg123 decodes from it.
    void mp3InputsAreReadToTheirEnd_data()
    {
        QTest::addColumn<QStringList>("lame");
        QTest::newRow("VBR -V 2, no info frame") << QStringList{"-t", "-V", "2"};
        QTest::newRow("VBR -V 0, no info frame") << QStringList{"-t", "-V", "0"};
        QTest::newRow("ABR 160, no info frame") << QStringList{"-t", "--abr", "160"};
        QTest::newRow("CBR 128, no info frame") << QStringList{"-t", "-b", "128"};
        QTest::newRow("VBR -V 2 with its info frame") << QStringList{"-V", "2"};
    }
    void mp3InputsAreReadToTheirEnd()
    {
        QFETCH(QStringList, lame);
        if (!test::hostToolsRun())
            QSKIP("needs lame (conv_under_wine.sh reads MP3 under Wine)");
        const QString wav = path(QStringLiteral("mp3-source.wav"));
        QVERIFY(test::makeWav(wav, {"-r", "44100", "-c", "2", "-b", "16"}, 9.0,
                              QStringLiteral("pinknoise sine 200-4000 vol 0.5")));
        const QString input = path(QStringLiteral("input.mp3"));
        const test::RunResult made = test::run(QStringLiteral("lame"), QStringList{"--quiet"} + lame + QStringList{wav, input});
        QVERIFY2(made.exitCode == 0, made.err.constData());
        const qint64 expected = test::probeMp3(input).samples;
        QVERIFY(expected > 390000);
        for (const bool parts : {false, true}) {
            const QString output = path(QStringLiteral("from-mp3.mp3"));
            const QStringList arguments{"-i", input, "-y", "-threads", parts ? "3" : "1", output};
            const test::RunResult result = parts ? convInParts(100, 0, arguments, 120000) : conv(arguments);
            QVERIFY2(result.exitCode == 0, result.err.constData());
            QCOMPARE(test::probeMp3(output).samples, expected);
        }
    }

    // A plain PCM or float WAV, which conv reads itself, gives the samples
    // libsndfile gives, bit for bit, from the start and after a seek; also
    // with a length left unknown by a writer to a pipe and a stray byte
    // after the last frame. conv loads no codec library for it (Linux).
    void plainWavesReadAsLibsndfileReadsThem_data()
    {
        QTest::addColumn<QStringList>("format");
        QTest::addColumn<QByteArray>("change");
        const QStringList stereo{"-r", "44100", "-c", "2"};
        QTest::newRow("8-bit") << stereo + QStringList{"-e", "unsigned-integer", "-b", "8"} << QByteArray();
        QTest::newRow("16-bit") << stereo + QStringList{"-b", "16"} << QByteArray();
        QTest::newRow("24-bit") << stereo + QStringList{"-b", "24"} << QByteArray();
        QTest::newRow("32-bit") << stereo + QStringList{"-b", "32"} << QByteArray();
        QTest::newRow("float") << stereo + QStringList{"-e", "floating-point", "-b", "32"} << QByteArray();
        QTest::newRow("double") << stereo + QStringList{"-e", "floating-point", "-b", "64"} << QByteArray();
        QTest::newRow("extensible, 3 channels") << QStringList{"-r", "48000", "-c", "3", "-b", "24"} << QByteArray();
        QTest::newRow("length unknown") << stereo + QStringList{"-b", "16"} << QByteArray("unknown");
        QTest::newRow("a stray byte") << stereo + QStringList{"-b", "16"} << QByteArray("stray");
    }
    void plainWavesReadAsLibsndfileReadsThem()
    {
        QFETCH(QStringList, format);
        QFETCH(QByteArray, change);
        const QString source = path(QStringLiteral("plain.wav"));
        QVERIFY(test::makeWav(source, format, 1.3, QStringLiteral("pinknoise sine 300-3000 vol 0.9")));
        if (!change.isEmpty()) {
            QFile file(source);
            QVERIFY(file.open(QIODevice::ReadWrite));
            const QByteArray bytes = file.readAll();
            const qsizetype data = bytes.indexOf("data");
            QVERIFY(data > 0 && bytes.startsWith("RIFF"));
            file.seek(data + 4);
            if (change == "unknown") {
                file.write(QByteArray(4, '\xff'));
            } else {
                const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + data + 4) + 1;
                file.write(QByteArray(reinterpret_cast<const char *>(&size), 4));
                file.seek(file.size());
                file.write(QByteArray(1, '\x55'));
            }
        }
        // libsndfile's reading (it clamps a length the file does not hold).
        SF_INFO info{};
        SNDFILE *sound = sf_open(QFile::encodeName(source).constData(), SFM_READ, &info);
        QVERIFY2(sound, sf_strerror(nullptr));
        std::vector<float> expected(std::size_t(info.frames * info.channels));
        QCOMPARE(sf_readf_float(sound, expected.data(), info.frames), info.frames);
        sf_close(sound);

        AudioReader input;
        QVERIFY2(input.open(QFile::encodeName(source).toStdString()), input.error().c_str());
        QCOMPARE(input.channels(), info.channels);
        QCOMPARE(input.sampleRate(), info.samplerate);
        QCOMPARE(input.frames(), std::int64_t(info.frames));
        for (const std::int64_t from : {std::int64_t(0), std::int64_t(info.frames / 3)}) {
            QVERIFY(input.seek(from));
            std::vector<float> got(expected.size() - std::size_t(from * info.channels));
            std::int64_t read = 0;
            while (read < info.frames - from) {
                const std::int64_t n = input.read(got.data() + read * info.channels, std::min<std::int64_t>(1000, info.frames - from - read));
                QVERIFY2(n > 0, qPrintable(QStringLiteral("from %1: stopped at %2").arg(from).arg(read)));
                read += n;
            }
            QVERIFY2(std::memcmp(got.data(), expected.data() + from * info.channels, got.size() * sizeof(float)) == 0,
                     qPrintable(QStringLiteral("from frame %1: other samples than libsndfile's").arg(from)));
        }
        if (QSysInfo::kernelType() == QLatin1String("linux")) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("libs"));
            const test::RunResult result = test::run(
                test::convPath(), {"-i", source, "-y", "-ar", QString::number(info.samplerate), path("plain.mp3")}, 120000,
                environment);
            QVERIFY2(result.exitCode == 0, result.err.right(2000).constData());
            QVERIFY2(result.err.contains("calling init") && !result.err.contains("libsndfile"),
                     "conv loaded libsndfile for a plain WAV");
        }
    }

    // A part's reader reads the file as it was when conv opened it: a
    // header rewritten since (a smaller data size) or a file grown since
    // changes no part's length.
    void aPartReadsTheFileAsItWasOpened()
    {
        const QString source = path(QStringLiteral("rewritten.wav"));
        QVERIFY(test::makeWav(source, {"-r", "44100", "-c", "2", "-b", "16"}, 2.0));
        AudioReader input;
        QVERIFY2(input.open(QFile::encodeName(source).toStdString()), input.error().c_str());
        QFile file(source);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray bytes = file.readAll();
        const qsizetype data = bytes.indexOf("data");
        QVERIFY(data > 0);
        file.seek(data + 4);
        file.write(QByteArray("\x10\x00\x00\x00", 4)); // 4 frames
        file.seek(file.size());
        file.write(QByteArray(1 << 16, '\x7f')); // and more audio after
        file.close();
        AudioReader part;
        QVERIFY2(part.openTwin(input), part.error().c_str());
        QCOMPARE(part.frames(), input.frames());
        QVERIFY(part.seek(input.frames() - 100));
        std::vector<float> tail(200 * 2);
        QCOMPARE(part.read(tail.data(), 200), std::int64_t(100));
    }

    void partsReadTheSamplesOfOneRun()
    {
        QFETCH(int, inRate);
        QFETCH(int, inChannels);
        QFETCH(int, outRate);
        QFETCH(int, outChannels);
        const QString source = path(QStringLiteral("parts.wav"));
        QVERIFY(test::makeWav(source, {"-r", QString::number(inRate), "-c", QString::number(inChannels), "-b", "16"},
                              3.0, QStringLiteral("pinknoise sine 300-3000 vol 0.5")));
        AudioReader input;
        QVERIFY2(input.open(QFile::encodeName(source).toStdString()), input.error().c_str());
        SampleStream whole(input, outRate, outChannels);
        QCOMPARE(whole.length(), (framesOf(source) * outRate + inRate / 2) / inRate);
        const auto pump = [&](SampleStream &stream, std::int64_t from, std::int64_t to) {
            std::vector<float> got;
            const int channels = outChannels;
            const bool ok = stream.pump(from, to, [&](const float *samples, std::int64_t count) {
                got.insert(got.end(), samples, samples + count * channels);
                return true;
            });
            return ok ? got : std::vector<float>{};
        };
        const std::vector<float> all = pump(whole, 0, whole.length());
        QCOMPARE(std::int64_t(all.size()), whole.length() * outChannels);
        for (const std::int64_t from : {std::int64_t(1), std::int64_t(1151), whole.length() / 3, whole.length() - 700}) {
            AudioReader twin;
            QVERIFY(twin.openTwin(input));
            SampleStream part(twin, outRate, outChannels);
            const std::int64_t to = std::min(from + 20000, whole.length());
            const std::vector<float> got = pump(part, from, to);
            QVERIFY2(std::int64_t(got.size()) == (to - from) * outChannels,
                     qPrintable(QStringLiteral("from %1: %2 samples").arg(from).arg(got.size())));
            float worst = 0;
            for (std::size_t i = 0; i < got.size(); ++i)
                worst = std::max(worst, std::abs(got[i] - all[std::size_t(from * outChannels) + i]));
            QVERIFY2(worst < 1e-5f, qPrintable(QStringLiteral("from %1: off by %2").arg(from).arg(worst)));
        }
    }

    // Cases where conv must write just what one thread writes, byte for
    // byte: where no frame can make room for a join (dense noise at the top
    // bit rate) the file is encoded again on one thread; and `auto` on a
    // machine whose every core is busy with other work takes one thread.
    void sameBytesAsOneThread_data()
    {
        QTest::addColumn<QString>("synth");
        QTest::addColumn<QString>("bitRate");
        QTest::addColumn<QString>("threads");
        QTest::addColumn<QString>("partFrames");
        QTest::addColumn<bool>("busy");
        QTest::newRow("no room for a join") << "whitenoise vol 0.9" << "320k" << "2" << "2" << false;
        QTest::newRow("auto, every core busy") << "pinknoise vol 0.5" << "128k" << "auto" << "" << true;
    }

    void sameBytesAsOneThread()
    {
        QFETCH(QString, synth);
        QFETCH(QString, bitRate);
        QFETCH(QString, threads);
        QFETCH(QString, partFrames);
        QFETCH(bool, busy);
        // Whether a join fails depends on the very samples: sox's dithered
        // noise makes one fail, other noise need not.
        if (!test::hostToolsRun())
            QSKIP("needs sox's noise (conv_under_wine.sh checks it)");
        const QString source = path(QStringLiteral("same.wav"));
        QVERIFY(test::makeWav(source, {"-R", "-r", "48000", "-c", "2", "-b", "16"}, 6.0, synth));
        std::vector<std::unique_ptr<QProcess>> hogs;
        for (int i = 0; busy && i < QThread::idealThreadCount(); ++i) {
            hogs.push_back(std::make_unique<QProcess>());
            hogs.back()->start(QStringLiteral("sh"), {"-c", "while :; do :; done"});
            QVERIFY(hogs.back()->waitForStarted());
        }
        if (busy)
            QThread::msleep(200);
        QByteArray outputs[2];
        for (const QString &count : {QStringLiteral("1"), threads}) {
            const QString output = path(QStringLiteral("same-%1.mp3").arg(count));
            const QStringList arguments{"-i", source, "-y", "-ab", bitRate, "-ar", "44100", "-threads", count, output};
            // A warm-up this short leaves joins without room.
            const test::RunResult result = partFrames.isEmpty() ? test::run(test::convPath(), arguments, 120000)
                                                                : convInParts(partFrames.toInt(), 6, arguments, 120000);
            QVERIFY2(result.exitCode == 0, result.err.constData());
            QFile file(output);
            QVERIFY(file.open(QIODevice::ReadOnly));
            outputs[count != QLatin1String("1")] = file.readAll();
        }
        for (auto &hog : hogs) {
            hog->kill();
            hog->waitForFinished();
        }
        QVERIFY2(outputs[0] == outputs[1], "not the bytes one thread writes");
        QVERIFY(filesIn(m_dir.path()).filter(QStringLiteral(".conv-")).isEmpty());
    }

    // Where conv has a LAME of its own built for this processor (AVX2), it
    // writes every byte the system's LAME writes: each rate the window
    // offers, mono and stereo, the top bit rate and a file in parts.
    void ownLameWritesTheSystemsBytes_data()
    {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<double>("seconds");
        for (const QString &rate : listItems("cmbR"))
            for (const char *channels : {"1", "2"})
                QTest::newRow(qPrintable(rate + QStringLiteral(" Hz, ") + QLatin1String(channels)))
                    << QStringList{"-ar", rate, "-ac", QLatin1String(channels), "-threads", "1"} << 2.0;
        QTest::newRow("320k") << QStringList{"-ab", "320k", "-threads", "1"} << 2.0;
        QTest::newRow("in parts") << QStringList{"-threads", "2"} << 8.0;
    }

    void ownLameWritesTheSystemsBytes()
    {
        QFETCH(QStringList, settings);
        QFETCH(double, seconds);
        const QByteArray own = TOLVIK_FAST_LAME;
        if (own.isEmpty())
            QSKIP("this build has no LAME of conv's own (Windows, sanitized, or no LAME source)");
        const test::RunResult levels = test::run(QStringLiteral("/lib64/ld-linux-x86-64.so.2"), {"--help"});
        if (!levels.out.contains("x86-64-v3 (supported"))
            QSKIP("this processor is not x86-64-v3: conv loads the system's LAME");
        QProcessEnvironment usual = QProcessEnvironment::systemEnvironment();
        QProcessEnvironment system = usual;
        system.insert(QStringLiteral("LD_LIBRARY_PATH"), QStringLiteral(TOLVIK_SYSTEM_LAME_FOLDER));
        for (auto [environment, expected] : {std::pair{&usual, true}, std::pair{&system, false}}) {
            QProcessEnvironment trace = *environment;
            trace.insert(QStringLiteral("LD_TRACE_LOADED_OBJECTS"), QStringLiteral("1"));
            const test::RunResult loaded = test::run(test::convPath(), {}, 30000, trace);
            QVERIFY2(loaded.out.contains(own) == expected,
                     qPrintable(QStringLiteral("conv %1 its own LAME:\n%2")
                                    .arg(expected ? "does not load" : "still loads", loaded.out)));
        }
        const QString source = path(QStringLiteral("own-lame-%1.wav").arg(seconds));
        if (!QFile::exists(source))
            QVERIFY(test::makeWav(source, {"-r", "44100", "-c", "2", "-b", "16"}, seconds,
                                  "pinknoise sine 300-3000 vol 0.5"));
        QByteArray bytes[2];
        for (int i = 0; i < 2; ++i) {
            const QString output = path(QStringLiteral("own-lame-%1.mp3").arg(i));
            const test::RunResult result = test::run(test::convPath(), QStringList{"-i", source, "-y"} + settings
                                                                           + QStringList{output},
                                                     120000, i == 0 ? usual : system);
            QVERIFY2(result.exitCode == 0, result.err.constData());
            QFile file(output);
            QVERIFY(file.open(QIODevice::ReadOnly));
            bytes[i] = file.readAll();
        }
        QVERIFY2(bytes[0] == bytes[1], "conv's own LAME wrote other bytes than the system's");
    }

    void extremeSignals()
    {
        struct Case { const char *name; QStringList format; QString synth; int channels; };
        const QList<Case> cases{
            {"silence.wav", {"-r", "44100", "-c", "2", "-b", "16"}, "sine 0 vol 0", 2},
            {"square.wav", {"-r", "44100", "-c", "2", "-b", "16"}, "square 1000 vol 1", 2},
            {"six.wav", {"-r", "48000", "-c", "6", "-b", "16"}, "sine 200 sine 300 sine 400 sine 500 sine 600 sine 700", 2},
            {"six-mono.wav", {"-r", "48000", "-c", "6", "-b", "16"}, "sine 200", 1},
        };
        for (const Case &c : cases) {
            const QString input = path(QString::fromLatin1(c.name));
            QVERIFY(test::makeWav(input, c.format, 1.0, c.synth));
            const QString output = input + QStringLiteral(".mp3");
            const test::RunResult result =
                conv({"-i", input, "-y", "-ac", QString::number(c.channels), output});
            QVERIFY2(result.exitCode == 0, result.err.constData());
            const test::Mp3Info info = test::probeMp3(output);
            QCOMPARE(info.channels, c.channels);
            QCOMPARE(info.samples, framesOf(input));
        }
    }
};

QTEST_GUILESS_MAIN(ConvTest)
#include "test_conv.moc"
