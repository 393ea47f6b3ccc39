#include "BatchTexts.h"

#include "skin/UserLanguage.h"

// Counts are worded by a translation, English too: it is there as soon as
// the application is, whatever shows these texts first.
static void installUserLanguage()
{
    UserLanguage::install();
}
Q_COREAPP_STARTUP_FUNCTION(installUserLanguage)

QString BatchTexts::filesLeft(int left)
{
    // The caption's own form, with its lone parenthesis.
    return tr("%n files left)", "the count at the end of the progress caption", left);
}

QString BatchTexts::loading(int left)
{
    return tr("Loading...") + filesLeft(left);
}

QString BatchTexts::percent(int percent, int left)
{
    return QString::number(percent) + QStringLiteral("%(") + filesLeft(left);
}

QString BatchTexts::finished(bool failed, int left)
{
    return (failed ? tr("Failed(") : QStringLiteral("100%(")) + filesLeft(left);
}

QString BatchTexts::pleaseWait()
{
    return tr("Please Wait...");
}

QString BatchTexts::converting(const QString &name, int left)
{
    return tr("Converting %1 (%n file(s) left)", nullptr, left).arg(name);
}

QString BatchTexts::convertingAtLeast(const QString &name, int left)
{
    return tr("Converting %1 (at least %n file(s) left)", nullptr, left).arg(name);
}

QString BatchTexts::listing(int found)
{
    return tr("Listing folders: %n audio file(s) found", nullptr, found);
}

QString BatchTexts::stopHint()
{
    return tr("Escape stops the batch (or Stop in this caption's menu)");
}

QString BatchTexts::stopped(int converted)
{
    return tr("Stopped: %1 converted").arg(converted);
}

QString BatchTexts::done(const BatchSummary &summary)
{
    if (summary.failed.isEmpty() && summary.skipped > 0)
        return tr("Done: %1 converted, %2 already converted").arg(summary.total - summary.skipped).arg(summary.skipped);
    if (summary.failed.isEmpty())
        return tr("Done: %1 of %n file(s) converted", nullptr, summary.total).arg(summary.total);
    return tr("Done: %1 of %n file(s) failed. Control L lists them.", nullptr, summary.total).arg(summary.failed.size());
}

QString BatchTexts::failedOf(int failed, int total)
{
    return tr("%1 of %n file(s) failed", nullptr, total).arg(failed);
}

QString BatchTexts::failure(const QString &name, const QString &reason)
{
    return tr("%1 failed: %2").arg(name, reason);
}

QString BatchTexts::logUnwritten(const QString &file)
{
    return tr("The failure log could not be written (%1)").arg(file);
}

QString BatchTexts::moreFailures(int more)
{
    return tr("\u2026 and %n more (see the failure log)", nullptr, more);
}
