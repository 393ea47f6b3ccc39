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
QString language = QStringLiteral("en");

QList<QTranslator *> &installed()
{
    static QList<QTranslator *> translators;
    return translators;
}

// The translator installed; null when there is none for that language.
QTranslator *add(const QLocale &language, const QString &name)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(language, name, QStringLiteral("_"), QStringLiteral(":/translations"))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    installed() << translator;
    return translator;
}

} // namespace

void install()
{
    if (!chosen)
        use(QLocale::system());
}

void use(const QLocale &chosenLanguage)
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
    add(chosenLanguage, QStringLiteral("qtbase"));
    const QTranslator *own = add(chosenLanguage, QStringLiteral("tolvik"));
    UserLanguage::language = own && !own->language().isEmpty() ? own->language() : QStringLiteral("en");
}

QString current()
{
    return language;
}

} // namespace UserLanguage
