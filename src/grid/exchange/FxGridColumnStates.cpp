// Column states as one text, and column widths and order in a store.
#include "grid/model/FxGrid.h"
#include "grid/exchange/FxNativeCellText.h"

#include "framework/IniFile.h"
#include "grid/model/FxColumnSize.h"

#include <QDir>
#include <QStandardPaths>

#include <algorithm>
#include <memory>

using namespace fxexchange;

namespace {

bool IntList(const QString& text, std::vector<int>& out)
{
    out.clear();
    if (text.isEmpty())
        return true;
    for (const QString& part : text.split(QLatin1Char(','))) {
        int v = 0;
        if (!StrictInt(part, v))
            return false;
        out.push_back(v);
    }
    return true;
}

bool IsPermutation(std::vector<int> v)
{
    std::sort(v.begin(), v.end());
    for (int i = 0; i < int(v.size()); ++i)
        if (v[size_t(i)] != i)
            return false;
    return true;
}

std::vector<int> Inverse(const std::vector<int>& order)
{
    std::vector<int> inv(order.size());
    for (int j = 0; j < int(order.size()); ++j)
        inv[size_t(order[size_t(j)])] = j;
    return inv;
}

QString Joined(const std::vector<int>& v)
{
    QStringList s;
    for (int x : v)
        s << QString::number(x);
    return s.join(QLatin1Char(','));
}

// The store of widths and positions: the ini file named Key, or for the
// registry location one ini file in the user's configuration folder whose
// sections are the key and section joined by "\", as registry paths are.
struct TColumnStore {
    std::unique_ptr<fw::TIniFile> Ini;
    QString Section;
};

// No store unless both the key and the section are set.
TColumnStore OpenStore(const TColumnSize& cs)
{
    TColumnStore s;
    if (cs.Key().isEmpty() || cs.Section().isEmpty())
        return s;
    if (cs.Location() == clIniFile) {
        s.Ini = std::make_unique<fw::TIniFile>(cs.Key());
        s.Section = cs.Section();
    } else {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                               + QStringLiteral("/gateway-configurator");
        QDir().mkpath(folder);
        s.Ini = std::make_unique<fw::TIniFile>(folder + QStringLiteral("/registry.ini"));
        s.Section = cs.Key() + QLatin1Char('\\') + cs.Section();
    }
    return s;
}

void Close(TColumnStore& s)
{
    if (!s.Ini->UpdateFile())
        throw EFxGridError(QStringLiteral("Cannot write ") + s.Ini->FileName() + QStringLiteral(": ")
                           + s.Ini->LastError());
}

} // namespace

QString TFxStringGrid::ColumnStatesToString()
{
    const int n = ColCount() + NumHiddenColumns();
    std::vector<int> widths, order = ColumnOrder(), visible;
    for (int c = 0; c < n; ++c) {
        widths.push_back(c < ColCount() ? ColWidths(c) : DefaultColWidth());
        visible.push_back(IsHiddenColumn(c) ? 0 : 1);
    }
    if (order.empty())
        for (int c = 0; c < n; ++c)
            order.push_back(c);
    return QStringLiteral("%1#%2#%3#%4").arg(n).arg(Joined(widths), Joined(order), Joined(visible));
}

void TFxStringGrid::StringToColumnStates(const QString& Value)
{
    if (!Value.contains(QLatin1Char('#')))
        return;
    // Everything is checked before anything changes.
    const QStringList f = Value.split(QLatin1Char('#'));
    int n = 0;
    std::vector<int> widths, order, flags;
    const bool ok = f.size() == 4 && StrictInt(f[0], n) && n >= 1 && n <= MaxLoadColCount && IntList(f[1], widths)
                    && IntList(f[2], order) && IntList(f[3], flags) && int(widths.size()) == n
                    && (order.empty() || (int(order.size()) == n && IsPermutation(order))) && int(flags.size()) == n
                    && std::all_of(widths.begin(), widths.end(), [](int w) { return w >= 0; })
                    && std::all_of(flags.begin(), flags.end(), [](int v) { return v == 0 || v == 1; })
                    && std::count(flags.begin(), flags.end(), 1) > 0;
    if (!ok)
        throw EFxGridError(QStringLiteral("Invalid column states '%1'").arg(Value.left(200)));

    ColumnOrder().clear();
    UnHideColumnsAll();
    SetColCount(n);
    if (!order.empty()) {
        ColumnOrder() = Inverse(order);
        ResetColumnOrder();
        ColumnOrder() = order;
    }
    for (int c = n - 1; c >= 0; --c)
        if (flags[size_t(c)] == 0)
            HideColumn(c);
    TColumnSize& cs = ColumnSize();
    const bool stretch = cs.Stretch();
    if (stretch) {
        const int sc = cs.StretchColumn() == -1 ? ColCount() - 1 : cs.StretchColumn();
        if (sc >= 0 && sc < ColCount())
            SetDefaultColWidth(ColWidths(sc));
        cs.SetStretch(false);
    }
    for (int c = 0; c < ColCount(); ++c)
        SetColWidths(c, widths[size_t(c)]);
    if (stretch)
        cs.SetStretch(true);
}

void TFxStringGrid::SaveColSizes()
{
    TColumnStore s = OpenStore(ColumnSize());
    if (!s.Ini)
        return;
    for (int i = 0; i < ColCount(); ++i)
        s.Ini->WriteInteger(s.Section, QStringLiteral("Col%1").arg(i), ColWidths(i));
    Close(s);
}

void TFxStringGrid::LoadColSizes()
{
    TColumnStore s = OpenStore(ColumnSize());
    if (!s.Ini)
        return;
    for (int i = 0; i < ColCount(); ++i) {
        const int w = s.Ini->ReadInteger(s.Section, QStringLiteral("Col%1").arg(i), ColWidths(i));
        if (w >= 0 && w != ColWidths(i))
            SetColWidths(i, w);
    }
    // The store is created when missing; not being able to is no failure of
    // the load, which has what it needs.
    s.Ini->UpdateFile();
}

void TFxStringGrid::SaveColPositions()
{
    TColumnStore s = OpenStore(ColumnSize());
    if (!s.Ini)
        return;
    const std::vector<int>& order = ColumnOrder();
    for (int i = 0; i < int(order.size()); ++i)
        s.Ini->WriteInteger(s.Section, QStringLiteral("Pos%1").arg(i), order[size_t(i)]);
    Close(s);
}

void TFxStringGrid::LoadColPositions()
{
    TColumnStore s = OpenStore(ColumnSize());
    if (!s.Ini)
        return;
    if (s.Ini->ReadInteger(s.Section, QStringLiteral("Pos0"), -1) == -1)
        return;
    const int m = ColCount() + NumHiddenColumns();
    std::vector<int> order;
    for (int i = 0; i < m; ++i) {
        const int v = s.Ini->ReadInteger(s.Section, QStringLiteral("Pos%1").arg(i), -1);
        if (v != -1)
            order.push_back(v);
    }
    // Only a permutation of every column is an order to restore.
    if (int(order.size()) != m || !IsPermutation(order))
        return;
    std::vector<int> hidden;
    for (int c = 0; c < m; ++c)
        if (IsHiddenColumn(c))
            hidden.push_back(c);
    ColumnOrder() = Inverse(order);
    UnHideColumnsAll();
    ResetColumnOrder();
    for (auto it = hidden.rbegin(); it != hidden.rend(); ++it)
        HideColumn(*it);
    ColumnOrder() = order;
    s.Ini->UpdateFile();
}
