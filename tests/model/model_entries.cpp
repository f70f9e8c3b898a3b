// The reference model's steps for income and expense entries: record, correct and delete.
#include "entries/entry_ops.h"
#include "reference_model.h"
#include "store/db.h"
#include "store/money.h"

#include <QSqlQuery>
#include <map>

using store::Money;

namespace model {

namespace {

using entries::Kind;

bool isIncome(Kind kind) {
    return kind == Kind::Income;
}

Kind someKind(Rng& rng) {
    return rng() % 2 ? Kind::Income : Kind::Expense;
}

QString kindText(Kind kind) {
    return isIncome(kind) ? QStringLiteral("income") : QStringLiteral("expense");
}

Accumulator columnOf(Kind kind) {
    return isIncome(kind) ? Income : Expense;
}

// How an entry moves its account's 余额.
qint64 signOf(Kind kind) {
    return isIncome(kind) ? 1 : -1;
}

Entry* entryOf(Model& m, Kind kind, qint64 id) {
    for (Entry& e : m.entries)
        if (e.id == id && e.income == isIncome(kind)) return &e;
    return nullptr;
}

// An entry of the kind, now and then one of the other kind or an id no entry has.
qint64 someEntryId(Rng& rng, const Model& m, Kind kind) {
    QList<qint64> ids;
    for (const Entry& e : m.entries)
        if (e.income == isIncome(kind) || rng() % 8 == 0) ids << e.id;
    if (ids.isEmpty() || rng() % 8 == 0) return m.lastEntryId + 1 + qint64(rng() % 3);
    return ids.at(int(rng() % quint64(ids.size())));
}

// Mostly a Category and Subcategory the kind has, now and then a pair it lacks: the ledger's
// foreign key refuses that one.
std::pair<QString, QString> somePair(Rng& rng, const Model& m, Kind kind) {
    const Classification& c = isIncome(kind) ? m.income : m.expense;
    if (c.subcategories.isEmpty() || rng() % 10 == 0)
        return {rng() % 2 ? QStringLiteral("工资") : QStringLiteral("饮食"),
                rng() % 2 ? QStringLiteral("月薪") : QStringLiteral("午餐")};
    return c.subcategories.at(int(rng() % quint64(c.subcategories.size())));
}

entries::EntryValues someValues(Rng& rng, const Model& m, Kind kind) {
    entries::EntryValues v;
    v.date = QDate(2026, 1 + int(rng() % 12), 1 + int(rng() % 28));
    std::tie(v.category, v.subcategory) = somePair(rng, m, kind);
    v.account = accountName(rng);
    const Account* a = m.account(v.account);
    // The entry operations leave the amount limit to the windows, which never pass more.
    const qint64 fen = rng() % 3 ? between(rng, 1, 500000) : amount(rng, a ? a->balance : 0);
    v.amount = Money::fromFen(std::min(fen, Money::limit().fen()));
    v.remark = rng() % 2 ? QString() : QStringLiteral("备注\n第二行");
    return v;
}

QString valuesText(const entries::EntryValues& v) {
    return QStringLiteral("%1 %2/%3 on %4 %5")
        .arg(money(v.amount.fen()), v.category, v.subcategory, v.account, v.date.toString(Qt::ISODate));
}

QString outcomeName(entries::Outcome o) {
    switch (o) {
    case entries::Outcome::Done:
        return QStringLiteral("Done");
    case entries::Outcome::NotPositive:
        return QStringLiteral("NotPositive");
    case entries::Outcome::BeyondLimit:
        return QStringLiteral("BeyondLimit");
    case entries::Outcome::NoSuchAccount:
        return QStringLiteral("NoSuchAccount");
    case entries::Outcome::NoSuchEntry:
        return QStringLiteral("NoSuchEntry");
    case entries::Outcome::Overdraw:
        return QStringLiteral("Overdraw");
    }
    return QStringLiteral("?");
}

// Runs an entry operation; a Category and Subcategory the ledger lacks fails on its foreign key,
// which the model predicts as "ForeignKey" (any other database failure stays a failure).
template <typename Call> QString outcomeOf(Call call) {
    try {
        return outcomeName(call());
    } catch (const store::DbError& e) {
        if (e.text().contains(QLatin1String("FOREIGN KEY constraint failed")))
            return QStringLiteral("ForeignKey");
        throw;
    }
}

// Refuses Overdraw when an account that gives money would end below zero, judged on the net change
// of each account the operation touches.
bool overdraws(const Model& m, const std::map<QString, qint64>& moves) {
    for (const auto& [account, delta] : moves) {
        const Account* a = m.account(account);
        if (delta < 0 && a && a->balance + delta < 0) return true;
    }
    return false;
}

void moveIfThere(Model& m, const QString& account, Accumulator column, qint64 fen) {
    if (Account* a = m.account(account)) Model::move(*a, column, fen);
}

bool classified(const Model& m, Kind kind, const entries::EntryValues& v) {
    return (isIncome(kind) ? m.income : m.expense).hasPair(v.category, v.subcategory);
}

void fill(Entry& e, const entries::EntryValues& v) {
    e.date = v.date.toString(Qt::ISODate);
    e.category = v.category;
    e.subcategory = v.subcategory;
    e.amount = v.amount.fen();
    e.account = v.account;
    e.note = v.remark;
}

Step recordEntry(Rng& rng, const Model& m0) {
    const Kind kind = someKind(rng);
    const entries::EntryValues v = someValues(rng, m0, kind);
    return {
        QStringLiteral("record %1 %2").arg(kindText(kind), valuesText(v)),
        [=](const QSqlDatabase& db) { return outcomeOf([&] { return entries::recordEntry(db, kind, v); }); },
        [=](Model& m) {
            const qint64 fen = v.amount.fen();
            if (fen <= 0) return QStringLiteral("NotPositive");
            Account* a = m.account(v.account);
            if (!a) return QStringLiteral("NoSuchAccount");
            if (overdraws(m, {{v.account, signOf(kind) * fen}})) return QStringLiteral("Overdraw");
            if (!classified(m, kind, v)) return QStringLiteral("ForeignKey");
            Entry e;
            e.id = ++m.lastEntryId;
            e.income = isIncome(kind);
            fill(e, v);
            m.entries.append(e);
            Model::move(*a, columnOf(kind), fen);
            return QStringLiteral("Done");
        }};
}

Step correctEntry(Rng& rng, const Model& m0) {
    const Kind kind = someKind(rng);
    const qint64 id = someEntryId(rng, m0, kind);
    const entries::EntryValues v = someValues(rng, m0, kind);
    return {QStringLiteral("correct %1 #%2 to %3").arg(kindText(kind)).arg(id).arg(valuesText(v)),
            [=](const QSqlDatabase& db) {
                return outcomeOf([&] { return entries::correctEntry(db, kind, id, v); });
            },
            [=](Model& m) {
                const qint64 fen = v.amount.fen();
                if (fen <= 0) return QStringLiteral("NotPositive");
                Entry* e = entryOf(m, kind, id);
                if (!e) return QStringLiteral("NoSuchEntry");
                if (!m.account(v.account)) return QStringLiteral("NoSuchAccount");
                std::map<QString, qint64> moves;
                moves[e->account] -= signOf(kind) * e->amount;
                moves[v.account] += signOf(kind) * fen;
                if (overdraws(m, moves)) return QStringLiteral("Overdraw");
                // The stored entry comes off its account before the rewrite fails: the whole
                // operation must roll back.
                if (!classified(m, kind, v)) return QStringLiteral("ForeignKey");
                moveIfThere(m, e->account, columnOf(kind), -e->amount);
                fill(*e, v);
                moveIfThere(m, v.account, columnOf(kind), fen);
                return QStringLiteral("Done");
            }};
}

Step deleteEntry(Rng& rng, const Model& m0) {
    const Kind kind = someKind(rng);
    const qint64 id = someEntryId(rng, m0, kind);
    return {QStringLiteral("delete %1 #%2").arg(kindText(kind)).arg(id),
            [=](const QSqlDatabase& db) { return outcomeName(entries::deleteEntry(db, kind, id)); },
            [=](Model& m) {
                const Entry* e = entryOf(m, kind, id);
                if (!e) return QStringLiteral("NoSuchEntry");
                if (overdraws(m, {{e->account, -signOf(kind) * e->amount}}))
                    return QStringLiteral("Overdraw");
                moveIfThere(m, e->account, columnOf(kind), -e->amount);
                m.entries.removeIf([id](const Entry& x) { return x.id == id; });
                return QStringLiteral("Done");
            }};
}

} // namespace

QStringList entryDifferences(const Model& m, const QSqlDatabase& db) {
    QStringList out;
    QSqlQuery q =
        store::exec(db, QStringLiteral("SELECT id, 日期, 收支类别, 收入项目, 收入名称, 收入金额, 支出项目, "
                                       "支出名称, 支出金额, 结算账户, 备注 FROM 收支表 ORDER BY id"));
    int i = 0;
    for (; q.next(); ++i) {
        if (i >= m.entries.size()) {
            out << QStringLiteral("entry #%1 is not in the model").arg(q.value(0).toString());
            continue;
        }
        const Entry& e = m.entries.at(i);
        const QString who = QStringLiteral("entry #%1").arg(e.id);
        // The kind's own columns hold the entry, the other kind's are empty.
        const int own = e.income ? 3 : 6;
        const int other = e.income ? 6 : 3;
        compare(out, who, "id", q.value(0).toLongLong(), e.id);
        compare(out, who, "日期", q.value(1).toString(), e.date);
        compare(out, who, "收支类别", q.value(2).toString(),
                e.income ? QStringLiteral("收入") : QStringLiteral("支出"));
        compare(out, who, "项目", q.value(own).toString(), e.category);
        compare(out, who, "名称", q.value(own + 1).toString(), e.subcategory);
        compare(out, who, "金额", q.value(own + 2).toLongLong(), e.amount);
        for (int c = other; c < other + 3; ++c)
            if (!q.isNull(c)) out << QStringLiteral("%1: the other kind's column %2 is set").arg(who).arg(c);
        compare(out, who, "结算账户", q.value(9).toString(), e.account);
        compare(out, who, "备注", q.value(10).toString(), e.note);
    }
    if (i < m.entries.size())
        out << QStringLiteral("%1 entries in the ledger, %2 in the model").arg(i).arg(m.entries.size());
    return out;
}

QList<StepMaker> entrySteps() {
    return {
        {QStringLiteral("record entry"), 30, recordEntry},
        {QStringLiteral("correct entry"), 12, correctEntry},
        {QStringLiteral("delete entry"), 8, deleteEntry},
    };
}

} // namespace model
