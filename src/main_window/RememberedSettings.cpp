#include "RememberedSettings.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSettings>

namespace {

const char *const listKeys[] = {"bitRate", "sampleRate", "channels"};
const char folderKey[] = "outputFolder";
const char skipKey[] = "skipConverted";

QSettings settings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tolvik"), QStringLiteral("Tolvik"));
}

} // namespace

RememberedSettings::RememberedSettings(QComboBox *bitRate, QComboBox *sampleRate, QComboBox *channels, QLineEdit *folder)
    : m_lists{bitRate, sampleRate, channels}, m_folder(folder)
{
}

bool RememberedSettings::restore()
{
    const QSettings kept = settings();
    for (int i = 0; i < 3; ++i) {
        // A value no list holds (an older or edited file) is passed over.
        // Kept as the untranslated item: the same in every language.
        const QString value = kept.value(QLatin1String(listKeys[i])).toString();
        const int index = m_lists[i]->findData(value);
        if (index >= 0)
            m_lists[i]->setCurrentIndex(index);
    }
    const QString folder = kept.value(QLatin1String(folderKey)).toString();
    if (folder.isEmpty())
        return true;
    if (!QDir(folder).exists())
        return false;
    m_folder->setText(folder);
    return true;
}

void RememberedSettings::keepLists()
{
    QSettings kept = settings();
    for (int i = 0; i < 3; ++i)
        kept.setValue(QLatin1String(listKeys[i]), m_lists[i]->currentData());
}

void RememberedSettings::keepFolder()
{
    QSettings kept = settings();
    kept.setValue(QLatin1String(folderKey), m_folder->text());
}

bool RememberedSettings::skipConverted()
{
    return settings().value(QLatin1String(skipKey), false).toBool();
}

void RememberedSettings::keepSkipConverted(bool skip)
{
    QSettings kept = settings();
    kept.setValue(QLatin1String(skipKey), skip);
}
