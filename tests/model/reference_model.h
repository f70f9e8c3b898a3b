// A small in-memory model of the ledger in fen, and the random steps that drive the real ledger
// and the model side by side. Each subsystem plugs in by adding its figures to Model (and to
// Model::differences) and its step makers to stepMakers().
#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <random>

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

struct Model {
    QList<Account> accounts;  // in id order
    qint64 lastAccountId = 0; // ids only grow, also after deletes

    Account* account(const QString& name);
    Account* account(qint64 id);
    const Account* account(const QString& name) const;
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

} // namespace model
