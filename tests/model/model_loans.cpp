// The reference model's steps for Borrowings and Lendings: add, correct, delete, and paying back
// (repayments and collections).
#include "loans/loan_ops.h"
#include "reference_model.h"
#include "store/db.h"
#include "store/money.h"

#include <QSqlQuery>

using store::Money;

namespace model {

namespace {

using loans::Kind;

QList<Loan>& loansOf(Model& m, Kind kind) {
    return kind == Kind::Borrowing ? m.borrowings : m.lendings;
}
const QList<Loan>& loansOf(const Model& m, Kind kind) {
    return kind == Kind::Borrowing ? m.borrowings : m.lendings;
}

Loan* loanOf(Model& m, Kind kind, qint64 id) {
    for (Loan& l : loansOf(m, kind))
        if (l.id == id) return &l;
    return nullptr;
}
const Loan* loanOf(const Model& m, Kind kind, qint64 id) {
    for (const Loan& l : loansOf(m, kind))
        if (l.id == id) return &l;
    return nullptr;
}

QString kindText(Kind kind) {
    return kind == Kind::Borrowing ? QStringLiteral("Borrowing") : QStringLiteral("Lending");
}

Kind someKind(Rng& rng) {
    return rng() % 2 ? Kind::Borrowing : Kind::Lending;
}

// An id of a loan of the side, or now and then one that no loan has.
qint64 someLoanId(Rng& rng, const Model& m, Kind kind) {
    const QList<Loan>& loans = loansOf(m, kind);
    if (loans.isEmpty() || rng() % 8 == 0) {
        const qint64 last = kind == Kind::Borrowing ? m.lastBorrowingId : m.lastLendingId;
        return last + 1 + qint64(rng() % 3);
    }
    return loans.at(int(rng() % quint64(loans.size()))).id;
}

qint64 balanceOf(const Model& m, const QString& account) {
    const Account* a = m.account(account);
    return a ? a->balance : 0;
}

loans::LoanFields someFields(Rng& rng, const Model& m, qint64 around) {
    static const QStringList people = {QStringLiteral("老王"), QStringLiteral("小李"),
                                       QStringLiteral("O'Brien"), QString()};
    loans::LoanFields f;
    f.date = QDate(2026, 1 + int(rng() % 12), 1 + int(rng() % 28));
    f.account = accountName(rng);
    const qint64 fen =
        rng() % 3 ? between(rng, 0, 500000) : amount(rng, around >= 0 ? around : balanceOf(m, f.account));
    f.amount = Money::fromFen(fen);
    f.person = pick(rng, people);
    f.note = rng() % 2 ? QString() : QStringLiteral("备注\n第二行");
    return f;
}

QString fieldsText(const loans::LoanFields& f) {
    return QStringLiteral("%1 on %2 %3 %4")
        .arg(money(f.amount.fen()), f.account, f.date.toString(Qt::ISODate), f.person);
}

QString outcomeName(loans::Outcome o) {
    switch (o) {
    case loans::Outcome::Done:
        return QStringLiteral("Done");
    case loans::Outcome::NoSuchLoan:
        return QStringLiteral("NoSuchLoan");
    case loans::Outcome::NoSuchAccount:
        return QStringLiteral("NoSuchAccount");
    case loans::Outcome::BadAmount:
        return QStringLiteral("BadAmount");
    case loans::Outcome::BelowReturned:
        return QStringLiteral("BelowReturned");
    case loans::Outcome::Overdraw:
        return QStringLiteral("Overdraw");
    case loans::Outcome::PartlyReturned:
        return QStringLiteral("PartlyReturned");
    case loans::Outcome::AboveOutstanding:
        return QStringLiteral("AboveOutstanding");
    }
    return QStringLiteral("?");
}

bool validAmount(qint64 fen) {
    return fen >= 0 && fen <= Money::limit().fen();
}

// The loan's movement on its settlement account: a Borrowing brings the money in, a Lending takes
// it out.
Accumulator loanColumn(Kind kind) {
    return kind == Kind::Borrowing ? Borrowed : Lent;
}

void moveIfThere(Model& m, const QString& account, Accumulator column, qint64 fen) {
    if (Account* a = m.account(account)) Model::move(*a, column, fen);
}

Step addLoan(Rng& rng, const Model& m0) {
    const Kind kind = someKind(rng);
    const loans::LoanFields f = someFields(rng, m0, -1);
    return {QStringLiteral("add %1 %2").arg(kindText(kind), fieldsText(f)),
            [=](const QSqlDatabase& db) { return outcomeName(loans::addLoan(db, kind, f)); },
            [=](Model& m) {
                const qint64 fen = f.amount.fen();
                if (!validAmount(fen)) return QStringLiteral("BadAmount");
                Account* a = m.account(f.account);
                if (!a) return QStringLiteral("NoSuchAccount");
                if (kind == Kind::Lending && fen > a->balance) return QStringLiteral("Overdraw");
                qint64& last = kind == Kind::Borrowing ? m.lastBorrowingId : m.lastLendingId;
                loansOf(m, kind).append(
                    {++last, f.date.toString(Qt::ISODate), f.account, fen, 0, f.person, f.note});
                Model::move(*a, loanColumn(kind), fen);
                return QStringLiteral("Done");
            }};
}

Step correctLoan(Rng& rng, const Model& m0) {
    const Kind kind = someKind(rng);
    const qint64 id = someLoanId(rng, m0, kind);
    const Loan* stored = loanOf(m0, kind, id);
    // Now and then just below what came back, or the stored amount again.
    loans::LoanFields f = someFields(rng, m0, -1);
    if (stored && rng() % 5 == 0) f.amount = Money::fromFen(rng() % 2 ? stored->back - 1 : stored->amount);
    if (stored && rng() % 3 == 0) f.account = stored->account;
    return {QStringLiteral("correct %1 #%2 to %3").arg(kindText(kind)).arg(id).arg(fieldsText(f)),
            [=](const QSqlDatabase& db) { return outcomeName(loans::correctLoan(db, kind, id, f)); },
            [=](Model& m) {
                Loan* loan = loanOf(m, kind, id);
                if (!loan) return QStringLiteral("NoSuchLoan");
                const qint64 fen = f.amount.fen();
                if (!validAmount(fen)) return QStringLiteral("BadAmount");
                if (fen < loan->back) return QStringLiteral("BelowReturned");
                const Account* chosen = m.account(f.account);
                if (!chosen) return QStringLiteral("NoSuchAccount");
                const bool same = f.account == loan->account;
                if (kind == Kind::Borrowing) {
                    const qint64 taken = same ? loan->amount - fen : loan->amount;
                    const Account* previous = m.account(loan->account);
                    if (previous && taken > previous->balance) return QStringLiteral("Overdraw");
                } else {
                    const qint64 given = same ? fen - loan->amount : fen;
                    if (given > chosen->balance) return QStringLiteral("Overdraw");
                }
                moveIfThere(m, loan->account, loanColumn(kind), -loan->amount);
                moveIfThere(m, f.account, loanColumn(kind), fen);
                loan->date = f.date.toString(Qt::ISODate);
                loan->account = f.account;
                loan->amount = fen;
                loan->person = f.person;
                loan->note = f.note;
                return QStringLiteral("Done");
            }};
}

Step deleteLoan(Rng& rng, const Model& m0) {
    const Kind kind = someKind(rng);
    const qint64 id = someLoanId(rng, m0, kind);
    return {QStringLiteral("delete %1 #%2").arg(kindText(kind)).arg(id),
            [=](const QSqlDatabase& db) { return outcomeName(loans::deleteLoan(db, kind, id)); },
            [=](Model& m) {
                const Loan* loan = loanOf(m, kind, id);
                if (!loan) return QStringLiteral("NoSuchLoan");
                const qint64 outstanding = loan->outstanding();
                if (loan->back != 0 && outstanding != 0) return QStringLiteral("PartlyReturned");
                if (kind == Kind::Borrowing && outstanding != 0 && balanceOf(m, loan->account) < outstanding)
                    return QStringLiteral("Overdraw");
                moveIfThere(m, loan->account, loanColumn(kind), -outstanding);
                loansOf(m, kind).removeIf([id](const Loan& l) { return l.id == id; });
                return QStringLiteral("Done");
            }};
}

Step payBack(Rng& rng, const Model& m0) {
    const Kind kind = someKind(rng);
    const qint64 id = someLoanId(rng, m0, kind);
    const Loan* stored = loanOf(m0, kind, id);
    const QString account = accountName(rng);
    qint64 fen = 0;
    switch (rng() % 4) {
    case 0:
        fen = stored ? stored->outstanding() + qint64(rng() % 2) : 100;
        break;
    case 1:
        fen = stored && stored->outstanding() > 0 ? between(rng, 1, stored->outstanding()) : 100;
        break;
    default:
        fen = amount(rng, balanceOf(m0, account));
    }
    const char* verb = kind == Kind::Borrowing ? "repay" : "collect";
    return {QStringLiteral("%1 %2 on #%3 through %4")
                .arg(QString::fromUtf8(verb), money(fen))
                .arg(id)
                .arg(account),
            [=](const QSqlDatabase& db) {
                return outcomeName(loans::payBack(db, kind, id, account, Money::fromFen(fen)));
            },
            [=](Model& m) {
                Loan* loan = loanOf(m, kind, id);
                if (!loan) return QStringLiteral("NoSuchLoan");
                if (fen <= 0 || fen > Money::limit().fen()) return QStringLiteral("BadAmount");
                if (fen > loan->outstanding()) return QStringLiteral("AboveOutstanding");
                Account* a = m.account(account);
                if (!a) return QStringLiteral("NoSuchAccount");
                if (kind == Kind::Borrowing && fen > a->balance) return QStringLiteral("Overdraw");
                loan->back += fen;
                Model::move(*a, kind == Kind::Borrowing ? Repaid : Collected, fen);
                return QStringLiteral("Done");
            }};
}

} // namespace

QStringList loanDifferences(const Model& m, const QSqlDatabase& db) {
    QStringList out;
    for (const Kind kind : {Kind::Borrowing, Kind::Lending}) {
        const loans::LoanTable& t = loans::tableOf(kind);
        QSqlQuery q = store::exec(db, QStringLiteral("SELECT id, 日期, 结算账户, %1, %2, 余额, 借款人, 备注 "
                                                     "FROM %3 ORDER BY id")
                                          .arg(t.amount, t.back, t.table));
        const QList<Loan>& loans = loansOf(m, kind);
        int i = 0;
        for (; q.next(); ++i) {
            if (i >= loans.size()) {
                out << QStringLiteral("%1 #%2 is not in the model").arg(t.table, q.value(0).toString());
                continue;
            }
            const Loan& l = loans.at(i);
            const QString who = QStringLiteral("%1 #%2").arg(t.table).arg(l.id);
            compare(out, who, "id", q.value(0).toLongLong(), l.id);
            compare(out, who, "日期", q.value(1).toString(), l.date);
            compare(out, who, "结算账户", q.value(2).toString(), l.account);
            compare(out, who, "amount", q.value(3).toLongLong(), l.amount);
            compare(out, who, "back", q.value(4).toLongLong(), l.back);
            compare(out, who, "余额", q.value(5).toLongLong(), l.outstanding());
            compare(out, who, "借款人", q.value(6).toString(), l.person);
            compare(out, who, "备注", q.value(7).toString(), l.note);
        }
        if (i < loans.size())
            out << QStringLiteral("%1: %2 loans in the ledger, %3 in the model")
                       .arg(t.table)
                       .arg(i)
                       .arg(loans.size());
    }
    return out;
}

QList<StepMaker> loanSteps() {
    return {
        {QStringLiteral("add loan"), 24, addLoan},
        {QStringLiteral("correct loan"), 14, correctLoan},
        {QStringLiteral("delete loan"), 8, deleteLoan},
        {QStringLiteral("repay or collect"), 30, payBack},
    };
}

} // namespace model
