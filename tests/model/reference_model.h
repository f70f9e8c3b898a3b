// A small in-memory model of the ledger in fen, and the random steps that drive the real ledger
// and the model side by side. Each subsystem plugs in by adding its figures to Model, a function
// that lists where the ledger differs from them, and its step makers, in a file of its own
// (model_<subsystem>.cpp); Model::differences and stepMakers() call them all.
#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <functional>
#include <random>
#include <utility>

namespace model {

using Rng = std::mt19937_64;

// The eight accumulators in the order of the balance formula.
enum Accumulator { Income, Expense, Borrowed, Repaid, Lent, Collected, TransferIn, TransferOut };
inline constexpr std::array<const char*, 8> kAccumulatorColumns = {"收入", "支出",   "借入", "付还款",
                                                                   "借出", "收借款", "转入", "转出"};

struct Account {
    qint64 id = 0;
    QString name;
    qint64 opening = 0;
    QString note;
    std::array<qint64, 8> totals{};
    qint64 balance = 0;
};

// One side of the classification (income or expense), in the order rows were added.
struct Classification {
    QStringList categories;
    QList<std::pair<QString, QString>> subcategories; // (Category, Subcategory)

    bool hasCategory(const QString& c) const { return categories.contains(c); }
    bool hasPair(const QString& c, const QString& s) const { return subcategories.contains(std::pair{c, s}); }
};

// A Borrowing or a Lending.
struct Loan {
    qint64 id = 0;
    QString date;
    QString account; // by name, as the ledger keeps it: a rename carries into it
    qint64 amount = 0;
    qint64 back = 0; // repaid or collected so far
    QString person;
    QString note;
    qint64 outstanding() const { return amount - back; }
};

// An income or an expense entry.
struct Entry {
    qint64 id = 0;
    QString date;
    bool income = false;
    QString category;
    QString subcategory;
    qint64 amount = 0;
    QString account; // by name, as the ledger keeps it: a rename carries into it
    QString note;
};

struct Model {
    QList<Account> accounts;  // in id order
    qint64 lastAccountId = 0; // ids only grow, also after deletes
    Classification income, expense;
    QList<Loan> borrowings, lendings; // in id order
    qint64 lastBorrowingId = 0, lastLendingId = 0;
    QList<Entry> entries; // in id order
    qint64 lastEntryId = 0;

    Account* account(const QString& name);
    Account* account(qint64 id);
    const Account* account(const QString& name) const;
    // Whether an entry of one side names the Category (and, when given, the Subcategory under it).
    bool classifiedEntries(bool income, const QString& category,
                           const QString& subcategory = QString()) const;
    // The classification's renames, carried into the entries as the ledger's cascades do.
    void renameCategoryInEntries(bool income, const QString& from, const QString& to);
    void renameSubcategoryInEntries(bool income, const QString& from, const QString& to);
    // Moves one accumulator and the balance with it, by the accumulator's sign in the formula.
    static void move(Account& a, Accumulator column, qint64 fen);

    // Every figure of the ledger that differs from the model, as readable lines.
    QStringList differences(const QSqlDatabase& db) const;
};

// One step of a random sequence: what it does, run against the ledger and against the model.
// Both give the outcome's name ("Done", "NameTaken", ...), which must agree.
struct Step {
    QString text;
    std::function<QString(const QSqlDatabase&)> apply;
    std::function<QString(Model&)> predict;
};

// Makes a random step of one kind from the model's current state. The weight sets how often the
// kind comes up.
struct StepMaker {
    QString kind;
    int weight;
    std::function<Step(Rng&, const Model&)> make;
};

QList<StepMaker> stepMakers();

// The subsystems' parts of the model.
QList<StepMaker> accountSteps();
QList<StepMaker> classificationSteps();
QList<StepMaker> loanSteps();
QList<StepMaker> entrySteps();
QStringList accountDifferences(const Model& m, const QSqlDatabase& db);
QStringList classificationDifferences(const Model& m, const QSqlDatabase& db);
QStringList loanDifferences(const Model& m, const QSqlDatabase& db);
QStringList entryDifferences(const Model& m, const QSqlDatabase& db);

// What every step maker draws from.
QString pick(Rng& rng, const QStringList& from);
qint64 between(Rng& rng, qint64 low, qint64 high);
// An amount in fen around what the ledger holds: small, exactly `around`, just above it, zero,
// negative, or at and beyond the limit.
qint64 amount(Rng& rng, qint64 around);
// An account name: few of them, so that steps meet taken names, missing accounts and the same
// account twice.
QString accountName(Rng& rng);
QString money(qint64 fen);
// Lines for the values of one field that differ, named by what: "what: field ledger, model model".
void compare(QStringList& out, const QString& what, const char* field, const QVariant& ledger,
             const QVariant& model);

} // namespace model
