#include "names/FileNames.h"

#include <QTest>

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
        QCOMPARE(GetFileName(path), fileName);
        QCOMPARE(GetBaseName(path), baseName);
    }

    void distinctSourcesKeepDistinctNames()
    {
        // The first-dot rule would map both to "x".
        QVERIFY(GetBaseName(QStringLiteral("/a/x.1.wav")) != GetBaseName(QStringLiteral("/a/x.2.wav")));
    }
};

QTEST_APPLESS_MAIN(FileNamesTest)
#include "test_file_names.moc"
