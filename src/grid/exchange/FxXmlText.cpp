#include "grid/exchange/FxXmlText.h"

namespace fxexchange {

bool IsXmlElementName(const QString& name)
{
    if (name.isEmpty() || name.size() > 1000)
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        const bool first = c.isLetter() || c == QLatin1Char('_');
        if (i == 0 ? !first
                   : !(first || c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('.')))
            return false;
    }
    // Names beginning with "xml" in any case are reserved.
    return !name.startsWith(QLatin1String("xml"), Qt::CaseInsensitive);
}

bool EscapeXmlText(const QString& text, QString& out)
{
    out.clear();
    out.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u)) {
            if (i + 1 >= text.size() || !text[i + 1].isLowSurrogate())
                return false;
            u = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        } else if (QChar::isLowSurrogate(u)) {
            return false;
        }
        switch (u) {
        case '&': out += QLatin1String("&amp;"); continue;
        case '<': out += QLatin1String("&lt;"); continue;
        case '>': out += QLatin1String("&gt;"); continue;
        case '"': out += QLatin1String("&quot;"); continue;
        case '\r': out += QLatin1String("&#13;"); continue;
        case '\t': case '\n': out += QChar(char16_t(u)); continue;
        default: break;
        }
        if (u < 0x20 || u == 0xFFFE || u == 0xFFFF)
            return false;
        if (u < 0x7F)
            out += QChar(char16_t(u));
        else
            out += QStringLiteral("&#%1;").arg(uint(u));
    }
    return true;
}

} // namespace fxexchange
