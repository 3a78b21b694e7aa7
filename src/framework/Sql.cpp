#include "framework/Sql.h"

#include "framework/SysUtils.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace fw {

namespace {

// The ODBC driver of Access files on this system.
const QString MdbDriver = QStringLiteral("MDBTools");

struct TConnection {
    QString Driver;   // Qt's driver name
    QString Name;     // database name: a file or a connection text
};

TConnection ConnectionOf(const QString& target)
{
    if (target.contains(QLatin1Char('=')) && target.contains(QLatin1Char(';'))) {
        QString text = target;
        // Texts written for the desktop's Access driver name this system's one.
        static const QRegularExpression access(QStringLiteral("\\{Microsoft Access Driver[^}]*\\}"),
                                               QRegularExpression::CaseInsensitiveOption);
        text.replace(access, QLatin1Char('{') + MdbDriver + QLatin1Char('}'));
        return {QStringLiteral("QODBC"), text};
    }
    const QString suffix = QFileInfo(target).suffix().toLower();
    if (suffix == QLatin1String("mdb") || suffix == QLatin1String("accdb"))
        return {QStringLiteral("QODBC"), QStringLiteral("DRIVER={%1};DBQ=%2").arg(MdbDriver, target)};
    return {QStringLiteral("QSQLITE"), target};
}

QString Describe(const QSqlError& e)
{
    QString text = e.text().trimmed();
    return text.isEmpty() ? QStringLiteral("unknown database error") : text;
}

} // namespace

struct TSqlQuery::Impl {
    QString ConnectionName;
    std::unique_ptr<QSqlQuery> Query;
    QSqlRecord Record;
};

TSqlQuery::TSqlQuery(const QString& target, const QString& sql) : d(std::make_unique<Impl>())
{
    static QAtomicInt counter;
    d->ConnectionName = QStringLiteral("fw-sql-%1").arg(counter.fetchAndAddRelaxed(1));
    const TConnection c = ConnectionOf(target);
    if (!QSqlDatabase::isDriverAvailable(c.Driver))
        throw Exception(QStringLiteral("The database driver %1 is not installed").arg(c.Driver));
    if (c.Driver == QLatin1String("QSQLITE") && !QFileInfo::exists(target))
        throw Exception(QStringLiteral("Database file not found: ") + target);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(c.Driver, d->ConnectionName);
        db.setDatabaseName(c.Name);
        if (c.Driver == QLatin1String("QSQLITE"))
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            const QString why = Describe(db.lastError());
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(d->ConnectionName);
            throw Exception(why);
        }
        d->Query = std::make_unique<QSqlQuery>(db);
        d->Query->setForwardOnly(true);
        if (!d->Query->exec(sql)) {
            const QString why = Describe(d->Query->lastError());
            d->Query.reset();
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(d->ConnectionName);
            throw Exception(why);
        }
        d->Record = d->Query->record();
    }
}

TSqlQuery::~TSqlQuery()
{
    if (d->Query) {
        d->Query->finish();
        d->Query.reset();
    }
    {
        QSqlDatabase db = QSqlDatabase::database(d->ConnectionName, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(d->ConnectionName);
}

int TSqlQuery::FieldCount() const
{
    return d->Record.count();
}

QString TSqlQuery::FieldName(int i) const
{
    return d->Record.fieldName(i);
}

int TSqlQuery::RecordCount() const
{
    return d->Query->size();
}

bool TSqlQuery::Next()
{
    return d->Query->next();
}

QString TSqlQuery::Value(int i) const
{
    const QVariant v = d->Query->value(i);
    return v.isNull() ? QString() : v.toString();
}

QString TSqlQuery::QuoteIdentifier(const QString& target, const QString& name)
{
    const TConnection c = ConnectionOf(target);
    if (c.Driver == QLatin1String("QODBC")) {
        // Access SQL quotes names in brackets; a closing bracket cannot stand in one.
        QString n = name;
        n.remove(QLatin1Char(']'));
        return QLatin1Char('[') + n + QLatin1Char(']');
    }
    QString n = name;
    n.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

} // namespace fw
