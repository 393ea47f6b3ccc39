// A drag source in a process of its own: a small window at the top left of
// the screen that starts a drag of the files named on its command line
// when a button is pressed on it. Says "ready" on its standard output once
// its event loop runs.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <cstdio>

class DragSource : public QWidget {
public:
    explicit DragSource(QStringList files) : m_files(std::move(files))
    {
        setWindowTitle(QStringLiteral("DragSource"));
        setGeometry(0, 0, 120, 120);
    }

protected:
    void mousePressEvent(QMouseEvent *) override
    {
        auto *data = new QMimeData;
        QList<QUrl> urls;
        for (const QString &file : m_files)
            urls << QUrl::fromLocalFile(file);
        data->setUrls(urls);
        auto *drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
    }

private:
    QStringList m_files;
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    DragSource source(QApplication::arguments().mid(1));
    source.show();
    QTimer::singleShot(0, [] {
        std::puts("ready");
        std::fflush(stdout);
    });
    return QApplication::exec();
}
