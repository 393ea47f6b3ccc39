#include "UserLanguage.h"

#include <QCoreApplication>
#include <QList>
#include <QTranslator>

static void initTranslationResources()
{
    Q_INIT_RESOURCE(translations); // outside any namespace, as Qt requires
}

namespace UserLanguage {

namespace {

bool chosen = false;

QList<QTranslator *> &installed()
{
    static QList<QTranslator *> translators;
    return translators;
}

void add(const QLocale &language, const QString &name)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(language, name, QStringLiteral("_"), QStringLiteral(":/translations"))) {
        QCoreApplication::installTranslator(translator);
        installed() << translator;
    } else {
        delete translator;
    }
}

} // namespace

void install()
{
    if (!chosen)
        use(QLocale::system());
}

void use(const QLocale &language)
{
    if (!QCoreApplication::instance())
        return;
    chosen = true;
    initTranslationResources();
    for (QTranslator *translator : std::as_const(installed())) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    installed().clear();
    // The last one installed is asked first: the user's language, then
    // English for what it lacks.
    add(QLocale(QLocale::English), QStringLiteral("tolvik"));
    add(language, QStringLiteral("qtbase"));
    add(language, QStringLiteral("tolvik"));
}

} // namespace UserLanguage
