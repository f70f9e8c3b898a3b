// The data module: the one connection to the ledger file and the list models the windows share.
#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QString>

class QSqlQueryModel;

namespace store {

// The schema version this program reads and writes (PRAGMA user_version of the file).
constexpr int kSchemaVersion = 2;

class Tdmod1 : public QObject {
    Q_OBJECT
public:
    explicit Tdmod1(QObject* parent = nullptr);
    ~Tdmod1() override;

    // The ledger file of a program folder: <folder>/data/bridge.ysn.
    static QString dataFilePath(const QString& programDir);
    // The pristine template of a program folder: <folder>/backdatabase/systemdata.ysn.
    static QString templatePath(const QString& programDir);

    // Opens the ledger file. Refuses, with a DbError naming the file, a file that is missing,
    // is not a database, or is not a ledger of this program's schema; the file is left as it was.
    void open(const QString& path);
    // Drops the list models' rows and closes the connection (before the file is replaced).
    void close();
    bool isOpen() const;
    QString path() const { return path_; }

    QSqlDatabase con1() const;

    // Shared list models: the accounts (main window grid), income and expense entries,
    // Borrowings and Lendings. Each is filled by the window that lists it.
    QSqlQueryModel* qry1 = nullptr;
    QSqlQueryModel* qrysr = nullptr;
    QSqlQueryModel* qryzc = nullptr;
    QSqlQueryModel* qryJR = nullptr;
    QSqlQueryModel* qryJC = nullptr;

private:
    QString connectionName_;
    QString path_;
};

// The program's data module while one exists.
inline Tdmod1* dmod1 = nullptr;

} // namespace store
