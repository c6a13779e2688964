#include "grid/OfficeAutomation.h"

#include <limits>

namespace {
std::unique_ptr<TOfficeLink> &defaultLink()
{
    static std::unique_ptr<TOfficeLink> link;
    return link;
}
} // namespace

void SetDefaultOfficeLink(std::unique_ptr<TOfficeLink> Link) { defaultLink() = std::move(Link); }

TOfficeLink *DefaultOfficeLink() { return defaultLink().get(); }

QString OfficeColumnLetters(int Column)
{
    // Bijective base 26: there is no zero digit, so 26 is "Z" and 27 "AA", 702 "ZZ", 703 "AAA".
    QString letters;
    for (int n = Column; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

int OfficeColumnNumber(const QString &Letters)
{
    if (Letters.isEmpty())
        return -1;
    qint64 n = 0;
    for (QChar c : Letters) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            return -1;
        n = n * 26 + (u - u'A' + 1);
        if (n > std::numeric_limits<int>::max())
            return -1;
    }
    return int(n);
}
