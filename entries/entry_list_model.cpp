// The browsers' list of entries.
#include "entries/entry_list_model.h"

#include "store/db.h"
#include "store/ledger.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace entries {

namespace {
constexpr int kKeyChunk = 2048;
constexpr int kPageRows = 64;
constexpr int kPagesKept = 32;
} // namespace

EntryListModel::EntryListModel(QObject* parent) : QSqlQueryModel(parent) {
    // A reset from elsewhere (clear(), an empty query when the ledger closes) ends the listing.
    connect(this, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        if (!settingQuery_) listing_ = false;
        forget();
    });
}

void EntryListModel::forget() {
    ids_.clear();
    total_ = 0;
    sum_ = 0;
    pages_.clear();
    pageOrder_.clear();
    lastDate_.clear();
    exhausted_ = !listing_;
}

void EntryListModel::list(const QSqlDatabase& db, Kind kind, const ListFilter& f) {
    const KindColumns& c = columnsOf(kind);
    QString where = QStringLiteral("收支类别 = ?");
    QVariantList params{c.kind};
    if (f.byDate) {
        // Stored dates are yyyy-MM-dd text, so comparing the text compares calendar days.
        where += QStringLiteral(" AND 日期 BETWEEN ? AND ?");
        params << store::isoDate(f.from) << store::isoDate(f.to);
    }
    if (f.byCategory) {
        where += QStringLiteral(" AND %1 = ?").arg(c.category);
        params << f.category;
        if (f.bySubcategory) {
            where += QStringLiteral(" AND %1 = ?").arg(c.subcategory);
            params << f.subcategory;
        }
    }
    QSqlQuery q(db);
    if (!q.prepare(QStringLiteral("SELECT * FROM 收支表 WHERE %1 ORDER BY 日期 DESC, id DESC").arg(where)))
        throw store::DbError(q.lastError());
    for (int i = 0; i < params.size(); ++i)
        q.bindValue(i, params.at(i));
    if (!q.exec()) throw store::DbError(q.lastError());

    db_ = db;
    amountColumn_ = c.amount;
    where_ = where;
    params_ = params;
    idColumn_ = q.record().indexOf(QStringLiteral("id"));
    listing_ = true;
    settingQuery_ = true;
    error_.clear();
    setQuery(std::move(q)); // resets, then asks for the first keys and the number of rows
    settingQuery_ = false;
    if (!error_.isEmpty()) throw store::DbError(error_, errorCode_);
}

void EntryListModel::readKeys() const {
    QString sql = QStringLiteral("SELECT id, 日期 FROM 收支表 WHERE %1").arg(where_);
    QVariantList params = params_;
    if (!ids_.isEmpty()) {
        // Keyset continuation: the rows after the last one read, in the listing's order.
        // Written as a plain range on the date so the index seeks to it instead of walking down.
        sql += QStringLiteral(" AND 日期 <= ? AND (日期 < ? OR id < ?)");
        params << lastDate_ << lastDate_ << ids_.last();
    }
    sql += QStringLiteral(" ORDER BY 日期 DESC, id DESC LIMIT %1").arg(kKeyChunk);
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    if (!q.prepare(sql)) throw store::DbError(q.lastError());
    for (int i = 0; i < params.size(); ++i)
        q.bindValue(i, params.at(i));
    if (!q.exec()) throw store::DbError(q.lastError());
    QList<qint64> ids;
    ids.reserve(kKeyChunk);
    while (q.next()) {
        ids << q.value(0).toLongLong();
        lastDate_ = q.value(1).toString();
    }
    exhausted_ = ids.size() < kKeyChunk;
    ids_ += ids;
}

bool EntryListModel::keysUpTo(int r) const {
    while (r >= ids_.size() && !exhausted_)
        readKeys();
    return r < ids_.size();
}

int EntryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : total_;
}

bool EntryListModel::canFetchMore(const QModelIndex&) const {
    return false;
}

void EntryListModel::fetchMore(const QModelIndex&) {
    // Called once by setQuery() inside the reset: the first keys, and the number of rows. An error
    // must not leave the reset half done; list() reports it afterwards.
    if (!settingQuery_ || !listing_) return;
    try {
        readKeys();
        QSqlQuery q(db_);
        q.setForwardOnly(true);
        if (!q.prepare(QStringLiteral("SELECT COUNT(*), COALESCE(SUM(%1), 0) FROM 收支表 WHERE %2")
                           .arg(amountColumn_, where_)))
            throw store::DbError(q.lastError());
        for (int i = 0; i < params_.size(); ++i)
            q.bindValue(i, params_.at(i));
        if (!q.exec() || !q.next()) throw store::DbError(q.lastError());
        total_ = q.value(0).toInt();
        sum_ = q.value(1).toLongLong();
    } catch (const store::DbError& e) {
        total_ = int(ids_.size());
        exhausted_ = true;
        error_ = e.text();
        errorCode_ = e.code();
    }
}

const QVariantList& EntryListModel::row(int r) const {
    static const QVariantList none;
    const int page = r / kPageRows;
    auto it = pages_.find(page);
    if (it == pages_.end()) {
        const int first = page * kPageRows;
        keysUpTo(std::min(first + kPageRows, total_) - 1);
        const int n = std::min<int>(kPageRows, int(ids_.size()) - first);
        if (n <= 0) return none;
        QStringList marks(n, QStringLiteral("?"));
        QSqlQuery q(db_);
        q.setForwardOnly(true);
        if (!q.prepare(
                QStringLiteral("SELECT * FROM 收支表 WHERE id IN (%1)").arg(marks.join(QLatin1Char(',')))))
            return none;
        for (int i = 0; i < n; ++i)
            q.bindValue(i, ids_.at(first + i));
        if (!q.exec()) return none;
        QHash<qint64, QVariantList> byId;
        const int columns = q.record().count();
        const int idAt = q.record().indexOf(QStringLiteral("id"));
        while (q.next()) {
            QVariantList values;
            values.reserve(columns);
            for (int c = 0; c < columns; ++c)
                values << q.value(c);
            byId.insert(q.value(idAt).toLongLong(), values);
        }
        QList<QVariantList> rows;
        rows.reserve(n);
        for (int i = 0; i < n; ++i)
            rows << byId.value(ids_.at(first + i));
        if (pageOrder_.size() >= kPagesKept) pages_.remove(pageOrder_.takeFirst());
        pageOrder_ << page;
        it = pages_.insert(page, rows);
    }
    const int within = r % kPageRows;
    return within < it->size() ? it->at(within) : none;
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= total_ || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    try {
        if (!keysUpTo(index.row())) return QVariant();
        if (index.column() == idColumn_) return ids_.at(index.row());
        const QVariantList& values = row(index.row());
        return index.column() < values.size() ? values.at(index.column()) : QVariant();
    } catch (const store::DbError&) {
        // The view asks from its own paint; a failing read shows an empty row.
        return QVariant();
    }
}

} // namespace entries
