#pragma once
// The result of one query read row by row through Qt SQL: Access databases
// (.mdb, .accdb) through ODBC with the system's mdb driver, SQLite files,
// or any ODBC connection text.
#include <QString>

#include <memory>

namespace fw {

class TSqlQuery {
public:
    // target: a database file (.mdb / .accdb, or .db / .sqlite / .sqlite3 /
    // .db3), or an ODBC connection text ("DRIVER=…;…"; an Access driver
    // named in it becomes this system's mdb driver). Opens the database and
    // runs sql; Exception with the driver's own text on failure.
    TSqlQuery(const QString& target, const QString& sql);
    ~TSqlQuery();
    TSqlQuery(const TSqlQuery&) = delete;
    TSqlQuery& operator=(const TSqlQuery&) = delete;

    int FieldCount() const;
    QString FieldName(int i) const;
    // The number of records, -1 when the driver does not tell.
    int RecordCount() const;
    // Steps to the next record; false after the last.
    bool Next();
    // The field's value as text; empty for NULL.
    QString Value(int i) const;

    // name as a quoted identifier of the target's SQL dialect.
    static QString QuoteIdentifier(const QString& target, const QString& name);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace fw
