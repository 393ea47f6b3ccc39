#include "NaturalOrder.h"

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The end of the digit run that starts at `at`.
qsizetype digitsEnd(const QString &s, qsizetype at)
{
    while (at < s.size() && isDigit(s[at]))
        ++at;
    return at;
}

// < 0, 0, > 0 as the runs' numbers compare, of any length.
int compareNumbers(QStringView a, QStringView b)
{
    while (a.size() > 1 && a.front() == QLatin1Char('0'))
        a = a.mid(1);
    while (b.size() > 1 && b.front() == QLatin1Char('0'))
        b = b.mid(1);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

} // namespace

bool naturalLess(const QString &a, const QString &b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const qsizetype iEnd = digitsEnd(a, i), jEnd = digitsEnd(b, j);
            if (const int c = compareNumbers(QStringView(a).mid(i, iEnd - i), QStringView(b).mid(j, jEnd - j)))
                return c < 0;
            i = iEnd;
            j = jEnd;
            continue;
        }
        const QChar x = a[i].toCaseFolded(), y = b[j].toCaseFolded();
        if (x != y)
            return x < y;
        ++i;
        ++j;
    }
    if ((i < a.size()) != (j < b.size()))
        return j < b.size(); // a prefix first
    return a < b;
}
