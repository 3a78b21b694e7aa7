// The filter expression matcher of the grid's filtering and search.
#include "grid/foundation/FxUtilText.h"
#include "grid/foundation/FxUtilText_p.h"

#include <QHash>

using namespace fxutil_detail;

// ---------------------------------------------------------------- filter expressions

QString RemoveSpacesOutsideQuotes(const QString& text)
{
    QString r;
    r.reserve(text.size());
    int quotes = 0;
    for (QChar c : text) {
        if (c == QLatin1Char('"'))
            ++quotes;
        if (c == QLatin1Char(' ') && quotes % 2 == 0)
            continue;
        r += c;
    }
    return r;
}

int MatchingParenPos(const QString& text)
{
    int open = 0, close = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('('))
            ++open;
        else if (text[i] == QLatin1Char(')')) {
            ++close;
            if (open == close)
                return i + 1;
        }
    }
    return 0;
}

QChar FindCharOutsideQuotes(const TCharSet& set, const QString& text, int& pos)
{
    int quotes = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('"'))
            ++quotes;
        if (quotes % 2 == 0 && set.contains(c)) {
            pos = i + 1;
            return c;
        }
    }
    pos = -1;
    return QChar(0);
}

namespace {

// Comparison of a cell with an operand of a ">" or "<" test:
// negative, zero or positive like a compare function.
int compareFilterValues(const QString& cell, const QString& operand)
{
    double a = 0, b = 0;
    TFxDateTime da = 0, db = 0;
    const bool aDate = ParseDateTimeText(cell, da);
    const bool bDate = ParseDateTimeText(operand, db);
    const bool aNum = !aDate && plainFloat(StripThousandSeparators(cell), a);
    const bool bNum = !bDate && plainFloat(StripThousandSeparators(operand), b);
    if (aNum && bNum)
        return a < b ? -1 : (a > b ? 1 : 0);
    if (aDate && bDate)
        return da < db ? -1 : (da > db ? 1 : 0);
    const int c = QString::compare(cell.left(255), operand.left(255), Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// The operand that follows an operator sign at index "from" of the pattern.
QString readOperand(const QString& pattern, int from, bool afterGreater)
{
    int i = from;
    const int n = int(pattern.size());
    while (i < n && pattern[i] == QLatin1Char(' '))
        ++i;
    QString op;
    int quotes = 0;
    bool first = true;
    for (; i < n; ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char(' ')) {
            const bool keep = afterGreater && quotes % 2 == 1 && i > from && pattern[i - 1] != QLatin1Char(' ');
            if (!keep)
                break;
        }
        if (quotes % 2 == 0 && (c == QLatin1Char('&') || c == QLatin1Char('|')))
            break;
        if (c == QLatin1Char('"')) {
            ++quotes;
            if (first) {
                first = false;
                continue;
            }
        }
        first = false;
        op += c;
    }
    if (op.endsWith(QLatin1Char('"')))
        op.chop(1);
    return op.left(255);
}

// MatchFilterTerm on a suffix of the pattern and a suffix of the cell. The
// "*" rule tries every trailing part of the cell against the rest of the
// pattern; both are always suffixes of the originals, so each pair of start
// positions is decided once.
class TermMatcher {
public:
    TermMatcher(const QString& pattern, const QString& cell) : P(pattern), C(cell) {}

    bool match(int p, int c)
    {
        const quint64 key = (quint64(quint32(p)) << 32) | quint32(c);
        auto it = Memo.constFind(key);
        if (it != Memo.constEnd())
            return it.value();
        const bool r = compute(p, c);
        Memo.insert(key, r);
        return r;
    }

private:
    bool compute(int p0, int c0)
    {
        const QString pattern = P.mid(p0);
        const QString cell = C.mid(c0);
        bool greater = true, less = true, greaterFound = false, lessFound = false;
        const int gt = int(pattern.indexOf(QLatin1Char('>')));
        const int lt = int(pattern.indexOf(QLatin1Char('<')));
        if (gt >= 0) {
            const bool orEqual = gt + 1 < pattern.size() && pattern[gt + 1] == QLatin1Char('=');
            const QString op = readOperand(pattern, gt + 1 + (orEqual ? 1 : 0), true);
            const int cmp = compareFilterValues(cell, op);
            greater = orEqual ? cmp >= 0 : cmp > 0;
            greaterFound = true;
        }
        if (lt >= 0) {
            const bool orEqual = lt + 1 < pattern.size() && pattern[lt + 1] == QLatin1Char('=');
            const QString op = readOperand(pattern, lt + 1 + (orEqual ? 1 : 0), false);
            const int cmp = compareFilterValues(cell, op);
            less = orEqual ? cmp <= 0 : cmp < 0;
            lessFound = true;
        }
        if (pattern.contains(QLatin1Char('!'))) {
            if (gt < 0)
                greaterFound = true;
            if (lt < 0)
                lessFound = true;
        }
        if (pattern.contains(QLatin1Char('^')) && (greaterFound || lessFound))
            return greater || less;
        if (pattern.contains(QLatin1Char('&')) && greaterFound && lessFound)
            return greater && less;
        if (gt >= 0 && greater)
            return true;
        if (lt >= 0 && less)
            return true;
        return wildcard(p0, c0);
    }

    bool wildcard(int p, int c)
    {
        const int np = int(P.size());
        const int nc = int(C.size());
        bool negate = false;
        bool matched = true;
        while (p < np || c < nc) {
            if (p >= np) {
                matched = false;
                break;
            }
            const QChar pc = P[p];
            if (pc == QLatin1Char('!')) {
                negate = true;
                ++p;
            } else if (pc == QLatin1Char('"')) {
                ++p;
            } else if (pc == QLatin1Char('*')) {
                while (p < np && P[p] == QLatin1Char('*'))
                    ++p;
                bool any = false;
                for (int start = nc; start >= c && !any; --start)
                    any = match(p, start);
                matched = any;
                break;
            } else if (c >= nc) {
                matched = false;
                break;
            } else if (pc == QLatin1Char('?') || pc == C[c]) {
                ++p;
                ++c;
            } else {
                matched = false;
                break;
            }
        }
        return negate ? !matched : matched;
    }

    const QString& P;
    const QString& C;
    QHash<quint64, bool> Memo;
};

} // namespace

bool MatchFilterTerm(const QString& pattern, const QString& cell)
{
    TermMatcher m(pattern, cell);
    return m.match(0, 0);
}

bool MatchFilterTermCase(const QString& term, const QString& cell, bool caseSensitive)
{
    if (caseSensitive)
        return MatchFilterTerm(term, cell);
    return MatchFilterTerm(term.toUpper(), cell.toUpper());
}

bool MatchFilterExpression(const QString& condition, const QString& cell, bool caseSensitive)
{
    QString cond = RemoveSpacesOutsideQuotes(condition.trimmed());
    if (cond.startsWith(QLatin1Char('=')))
        cond.remove(0, 1);
    static const TCharSet ops = {QLatin1Char('('), QLatin1Char(';'), QLatin1Char('^'), QLatin1Char('&'),
                                 QLatin1Char('|')};
    bool result = false;
    QChar lastOp = QChar(0);
    auto combine = [&](bool value) {
        switch (lastOp.unicode()) {
        case 0:
            result = value;
            break;
        case '&':
            result = result && value;
            break;
        case ';':
        case '^':
        case '|':
            result = result || value;
            break;
        default: // "(": the empty term after a group counts for nothing
            break;
        }
    };
    for (;;) {
        int pos = -1;
        const QChar op = FindCharOutsideQuotes(ops, cond, pos);
        if (op.unicode() == 0)
            break;
        if (cond.startsWith(QLatin1Char('('))) {
            int close = MatchingParenPos(cond);
            if (close == 0) // unbalanced: the group runs to the end
                close = int(cond.size()) + 1;
            const bool v = MatchFilterExpression(cond.mid(1, close - 2), cell, caseSensitive);
            cond.remove(0, close);
            combine(v);
        } else {
            const bool v = MatchFilterTermCase(cond.left(pos - 1), cell, caseSensitive);
            cond.remove(0, pos);
            combine(v);
        }
        lastOp = op;
    }
    combine(MatchFilterTermCase(cond, cell, caseSensitive));
    return result;
}
