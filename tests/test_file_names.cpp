#include "names/FileNames.h"

#include <QDir>
#include <QTest>

// The rows are written with '/'; on Windows they run with its separator.
static QString native(QString path)
{
    return path.replace(QLatin1Char('/'), pathSeparator());
}

class FileNamesTest : public QObject {
    Q_OBJECT
private slots:
    void names_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("baseName");
        QTest::newRow("plain") << "/Music/a.wav" << "a.wav" << "a";
        QTest::newRow("no folder") << "a.wav" << "a.wav" << "a";
        QTest::newRow("folder only") << "/Music/" << "" << "";
        QTest::newRow("dots in folder and name") << "/My.Music/Take.1.wav" << "Take.1.wav" << "Take.1";
        QTest::newRow("only a leading dot") << "/x/.wav" << ".wav" << ".wav";
        QTest::newRow("no dot") << "/music/track" << "track" << "track";
        QTest::newRow("empty") << "" << "" << "";
        QTest::newRow("several dots") << "/music/my.song.wav" << "my.song.wav" << "my.song";
        if (pathSeparator() == QLatin1Char('/'))
            QTest::newRow("backslash is a name character") << "/m/a\\b.wav" << "a\\b.wav" << "a\\b";
        QTest::newRow("trailing dot") << "/m/name." << "name." << "name";
        QTest::newRow("hidden with extension") << "/m/.hidden.wav" << ".hidden.wav" << ".hidden";
        QTest::newRow("non-ASCII") << "/m/Ångström.ünï.wav" << "Ångström.ünï.wav" << "Ångström.ünï";
    }

    void names()
    {
        QFETCH(QString, path);
        QFETCH(QString, fileName);
        QFETCH(QString, baseName);
        QCOMPARE(GetFileName(native(path)), fileName);
        QCOMPARE(GetBaseName(native(path)), baseName);
    }

    void outputPaths_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("output");
        QTest::newRow("separator added") << "/out" << "/music/my.song.wav" << "/out/my.song.mp3";
        QTest::newRow("separator kept") << "/out/" << "/music/track" << "/out/track.mp3";
        QTest::newRow("empty folder: the root") << "" << "/music/a.wav" << "/a.mp3";
        QTest::newRow("folder with dots") << "/my.out" << "b.wav" << "/my.out/b.mp3";
    }

    void outputPaths()
    {
        QFETCH(QString, folder);
        QFETCH(QString, source);
        QFETCH(QString, output);
        QCOMPARE(OutputFilePath(native(folder), native(source)), native(output));
    }

    void freePaths_data()
    {
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("free");
        QTest::newRow("free") << QStringList{"/o/b.mp3"} << "/o/a.mp3" << "/o/a.mp3";
        QTest::newRow("second") << QStringList{"/o/a.mp3"} << "/o/a.mp3" << "/o/a (2).mp3";
        QTest::newRow("third") << QStringList{"/o/a.mp3", "/o/a (2).mp3"} << "/o/a.mp3" << "/o/a (3).mp3";
        QTest::newRow("gap is used") << QStringList{"/o/a.mp3", "/o/a (3).mp3"} << "/o/a.mp3" << "/o/a (2).mp3";
        QTest::newRow("dot only in folder") << QStringList{"/o.d/a"} << "/o.d/a" << "/o.d/a (2)";
        QTest::newRow("dots in name") << QStringList{"/o/x.1.mp3"} << "/o/x.1.mp3" << "/o/x.1 (2).mp3";
        // A name as long as names go makes room for " (2)"; never half a character.
        const QString longest = QString(251, QLatin1Char('n'));
        QTest::newRow("longest name") << QStringList{"/o/" + longest + ".mp3"} << "/o/" + longest + ".mp3"
                                      << "/o/" + longest.left(247) + " (2).mp3";
        const QString wide = QString(125, QChar(0x00e9)) + QStringLiteral("x"); // 251 bytes
        QTest::newRow("longest name, two-byte letters") << QStringList{"/o/" + wide + ".mp3"} << "/o/" + wide + ".mp3"
                                                         << "/o/" + wide.left(123) + " (2).mp3";
    }

    void freePaths()
    {
        QFETCH(QStringList, taken);
        QFETCH(QString, path);
        QFETCH(QString, free);
        QCOMPARE(FreeFilePath(native(path), [&](const QString &p) { return taken.contains(QDir::fromNativeSeparators(p)); }),
                 native(free));
    }

    void forwardSlashesSeparateEverywhere()
    {
        // Windows takes '/' as a separator too; a Qt path has only those.
        QCOMPARE(GetBaseName(QStringLiteral("C:/My.Music/x.1.wav")), QStringLiteral("x.1"));
        QCOMPARE(OutputFilePath(QStringLiteral("C:/out/"), QStringLiteral("C:/m/a.wav")), QStringLiteral("C:/out/a.mp3"));
        QCOMPARE(FreeFilePath(QStringLiteral("C:/o.d/a"), [](const QString &p) { return p.endsWith(QLatin1String("/a")); }),
                 QStringLiteral("C:/o.d/a (2)"));
    }

    void distinctSourcesKeepDistinctNames()
    {
        // The first-dot rule would map both to "x".
        QVERIFY(GetBaseName(QStringLiteral("/a/x.1.wav")) != GetBaseName(QStringLiteral("/a/x.2.wav")));
    }
};

QTEST_APPLESS_MAIN(FileNamesTest)
#include "test_file_names.moc"
