// The reference model, the steps that span the whole ledger (clearing it), and those of Fund
// accounts and transfers.
#include "reference_model.h"

#include "accounts/account_ops.h"
#include "admin/user_ops.h"
#include "store/db.h"
#include "store/money.h"

#include <QSqlQuery>
#include <algorithm>

using store::Money;

namespace model {

QString pick(Rng& rng, const QStringList& from) {
    return from.at(int(rng() % quint64(from.size())));
}

qint64 between(Rng& rng, qint64 low, qint64 high) {
    return low + qint64(rng() % quint64(high - low + 1));
}

qint64 amount(Rng& rng, qint64 around) {
    const qint64 limit = Money::limit().fen();
    switch (rng() % 10) {
    case 0:
        return 0;
    case 1:
        return -between(rng, 1, 100000);
    case 2:
        return around;
    case 3:
        return around + 1;
    case 4:
        return rng() % 2 ? limit : limit + 1;
    default:
        return between(rng, 1, 2000000);
    }
}

QString accountName(Rng& rng) {
    static const QStringList names = {QStringLiteral("现金"), QStringLiteral("银行卡"),
                                      QStringLiteral("支付宝"), QStringLiteral("O'Brien"),
                                      QStringLiteral("信用卡")};
    return pick(rng, names);
}

QString money(qint64 fen) {
    return Money::fromFen(fen).text();
}

void compare(QStringList& out, const QString& what, const char* field, const QVariant& ledger,
             const QVariant& model) {
    if (ledger != model)
        out << QStringLiteral("%1: %2 %3, model %4")
                   .arg(what, QString::fromUtf8(field), ledger.toString(), model.toString());
}

namespace {

// An id of an account, or now and then one that no account has.
qint64 someId(Rng& rng, const Model& m) {
    if (m.accounts.isEmpty() || rng() % 8 == 0) return m.lastAccountId + 1 + qint64(rng() % 3);
    return m.accounts.at(int(rng() % quint64(m.accounts.size()))).id;
}

QString outcomeName(accounts::Outcome o) {
    switch (o) {
    case accounts::Outcome::Done:
        return QStringLiteral("Done");
    case accounts::Outcome::NameTaken:
        return QStringLiteral("NameTaken");
    case accounts::Outcome::NoSuchAccount:
        return QStringLiteral("NoSuchAccount");
    case accounts::Outcome::BadAmount:
        return QStringLiteral("BadAmount");
    case accounts::Outcome::NotEmpty:
        return QStringLiteral("NotEmpty");
    case accounts::Outcome::SameAccount:
        return QStringLiteral("SameAccount");
    case accounts::Outcome::NotPositive:
        return QStringLiteral("NotPositive");
    case accounts::Outcome::Overdraw:
        return QStringLiteral("Overdraw");
    }
    return QStringLiteral("?");
}

Step addAccount(Rng& rng, const Model&) {
    const QString name = accountName(rng);
    const qint64 opening = rng() % 4 ? between(rng, 0, 5000000) : amount(rng, 0);
    const QString note = rng() % 2 ? QString() : QStringLiteral("备注\n第二行");
    return {QStringLiteral("add %1 %2").arg(name, money(opening)),
            [=](const QSqlDatabase& db) {
                return outcomeName(accounts::addAccount(db, name, Money::fromFen(opening), note));
            },
            [=](Model& m) {
                if (opening < 0 || opening > Money::limit().fen()) return QStringLiteral("BadAmount");
                if (m.account(name)) return QStringLiteral("NameTaken");
                Account a;
                a.id = ++m.lastAccountId;
                a.name = name;
                a.opening = a.balance = opening;
                a.note = note;
                m.accounts.append(a);
                return QStringLiteral("Done");
            }};
}

Step renameAccount(Rng& rng, const Model& m0) {
    const qint64 id = someId(rng, m0);
    const QString name = accountName(rng);
    const QString note = QStringLiteral("改名 %1").arg(rng() % 100);
    return {QStringLiteral("rename #%1 to %2").arg(id).arg(name),
            [=](const QSqlDatabase& db) { return outcomeName(accounts::renameAccount(db, id, name, note)); },
            [=](Model& m) {
                Account* a = m.account(id);
                if (!a) return QStringLiteral("NoSuchAccount");
                const Account* other = m.account(name);
                if (other && other->id != id) return QStringLiteral("NameTaken");
                for (QList<Loan>* loans : {&m.borrowings, &m.lendings})
                    for (Loan& l : *loans)
                        if (l.account == a->name) l.account = name;
                for (Entry& e : m.entries)
                    if (e.account == a->name) e.account = name;
                a->name = name;
                a->note = note;
                return QStringLiteral("Done");
            }};
}

Step setNote(Rng& rng, const Model& m0) {
    const qint64 id = someId(rng, m0);
    const QString note = QStringLiteral("备注 %1").arg(rng() % 1000);
    return {QStringLiteral("note #%1").arg(id),
            [=](const QSqlDatabase& db) { return outcomeName(accounts::setAccountNote(db, id, note)); },
            [=](Model& m) {
                Account* a = m.account(id);
                if (!a) return QStringLiteral("NoSuchAccount");
                a->note = note;
                return QStringLiteral("Done");
            }};
}

Step deleteAccount(Rng& rng, const Model& m0) {
    const qint64 id = someId(rng, m0);
    return {QStringLiteral("delete #%1").arg(id),
            [=](const QSqlDatabase& db) { return outcomeName(accounts::deleteAccount(db, id)); },
            [=](Model& m) {
                Account* a = m.account(id);
                if (!a) return QStringLiteral("NoSuchAccount");
                for (qint64 t : a->totals)
                    if (t != 0) return QStringLiteral("NotEmpty");
                m.accounts.removeIf([id](const Account& x) { return x.id == id; });
                return QStringLiteral("Done");
            }};
}

Step transfer(Rng& rng, const Model& m0) {
    const QString source = accountName(rng);
    const QString target = rng() % 10 ? accountName(rng) : source;
    const Account* s = m0.account(source);
    const qint64 fen = amount(rng, s ? s->balance : 0);
    return {QStringLiteral("transfer %1 from %2 to %3").arg(money(fen), source, target),
            [=](const QSqlDatabase& db) {
                return outcomeName(accounts::transfer(db, source, target, Money::fromFen(fen)));
            },
            [=](Model& m) {
                if (source == target) return QStringLiteral("SameAccount");
                if (fen <= 0) return QStringLiteral("NotPositive");
                Account* from = m.account(source);
                Account* to = m.account(target);
                if (!from || !to) return QStringLiteral("NoSuchAccount");
                if (fen > from->balance) return QStringLiteral("Overdraw");
                Model::move(*from, TransferOut, fen);
                Model::move(*to, TransferIn, fen);
                return QStringLiteral("Done");
            }};
}

// Everything but the user, the welcome switch and the login count goes; ids go on growing.
Step clearLedger(Rng&, const Model&) {
    return {QStringLiteral("clear the ledger"),
            [](const QSqlDatabase& db) {
                admin::clearLedger(db);
                return QStringLiteral("Done");
            },
            [](Model& m) {
                m.accounts.clear();
                m.income = m.expense = Classification();
                m.borrowings.clear();
                m.lendings.clear();
                m.entries.clear();
                return QStringLiteral("Done");
            }};
}

} // namespace

Account* Model::account(const QString& name) {
    for (Account& a : accounts)
        if (a.name == name) return &a;
    return nullptr;
}

const Account* Model::account(const QString& name) const {
    return const_cast<Model*>(this)->account(name);
}

Account* Model::account(qint64 id) {
    for (Account& a : accounts)
        if (a.id == id) return &a;
    return nullptr;
}

bool Model::classifiedEntries(bool income, const QString& category, const QString& subcategory) const {
    return std::any_of(entries.cbegin(), entries.cend(), [&](const Entry& e) {
        return e.income == income && e.category == category &&
               (subcategory.isNull() || e.subcategory == subcategory);
    });
}

void Model::renameCategoryInEntries(bool income, const QString& from, const QString& to) {
    for (Entry& e : entries)
        if (e.income == income && e.category == from) e.category = to;
}

void Model::renameSubcategoryInEntries(bool income, const QString& from, const QString& to) {
    for (Entry& e : entries)
        if (e.income == income && e.subcategory == from) e.subcategory = to;
}

void Model::move(Account& a, Accumulator column, qint64 fen) {
    a.totals[column] += fen;
    const bool lowers = column == Expense || column == Repaid || column == Lent || column == TransferOut;
    a.balance += lowers ? -fen : fen;
}

QStringList Model::differences(const QSqlDatabase& db) const {
    return accountDifferences(*this, db) + classificationDifferences(*this, db) + loanDifferences(*this, db) +
           entryDifferences(*this, db);
}

QStringList accountDifferences(const Model& model, const QSqlDatabase& db) {
    const QList<Account>& accounts = model.accounts;
    QStringList out;
    QSqlQuery q =
        store::exec(db, QStringLiteral("SELECT id, 账户名称, 起始金额, 备注, 余额, 收入, 支出, 借入, "
                                       "付还款, 借出, 收借款, 转入, 转出 FROM 账户 ORDER BY id"));
    QList<Account> ledger;
    while (q.next()) {
        Account a;
        a.id = q.value(0).toLongLong();
        a.name = q.value(1).toString();
        a.opening = q.value(2).toLongLong();
        a.note = q.value(3).toString();
        a.balance = q.value(4).toLongLong();
        for (int i = 0; i < 8; ++i)
            a.totals[i] = q.value(5 + i).toLongLong();
        ledger.append(a);
    }
    if (ledger.size() != accounts.size())
        out << QStringLiteral("%1 accounts in the ledger, %2 in the model")
                   .arg(ledger.size())
                   .arg(accounts.size());
    for (int i = 0; i < std::min(ledger.size(), accounts.size()); ++i) {
        const Account& l = ledger.at(i);
        const Account& m = accounts.at(i);
        const QString who = QStringLiteral("account #%1 %2").arg(m.id).arg(m.name);
        if (l.id != m.id || l.name != m.name)
            out << QStringLiteral("%1: the ledger has #%2 %3").arg(who).arg(l.id).arg(l.name);
        if (l.opening != m.opening)
            out << QStringLiteral("%1: 起始金额 %2, model %3").arg(who).arg(l.opening).arg(m.opening);
        if (l.note != m.note) out << QStringLiteral("%1: 备注 differs").arg(who);
        if (l.balance != m.balance)
            out << QStringLiteral("%1: 余额 %2, model %3").arg(who).arg(l.balance).arg(m.balance);
        for (int c = 0; c < 8; ++c)
            if (l.totals[c] != m.totals[c])
                out << QStringLiteral("%1: %2 %3, model %4")
                           .arg(who, QString::fromUtf8(kAccumulatorColumns[c]))
                           .arg(l.totals[c])
                           .arg(m.totals[c]);
    }
    return out;
}

QList<StepMaker> stepMakers() {
    // Clearing now and then (about once in 300 steps) lets a sequence build a ledger up again from
    // nothing; more often, it would seldom hold loans and entries to act on.
    return accountSteps() + classificationSteps() + loanSteps() + entrySteps() +
           QList<StepMaker>{{QStringLiteral("clear the ledger"), 1, clearLedger}};
}

QList<StepMaker> accountSteps() {
    return {
        {QStringLiteral("add account"), 20, addAccount}, {QStringLiteral("rename account"), 6, renameAccount},
        {QStringLiteral("account note"), 3, setNote},    {QStringLiteral("delete account"), 6, deleteAccount},
        {QStringLiteral("transfer"), 30, transfer},
    };
}

} // namespace model
