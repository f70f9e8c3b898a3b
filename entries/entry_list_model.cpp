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
        throw store::DbError(q.lastError().databaseText());
    for (int i = 0; i < params.size(); ++i)
        q.bindValue(i, params.at(i));
    if (!q.exec()) throw store::DbError(q.lastError().databaseText());

    db_ = db;
    where_ = where;
    params_ = params;
    idColumn_ = q.record().indexOf(QStringLiteral("id"));
    listing_ = true;
    settingQuery_ = true;
    try {
        setQuery(std::move(q)); // resets, then asks for the first keys
    } catch (...) {
        settingQuery_ = false;
        throw;
    }
    settingQuery_ = false;
}

void EntryListModel::readKeys() {
    QString sql = QStringLiteral("SELECT id, 日期 FROM 收支表 WHERE %1").arg(where_);
    QVariantList params = params_;
    if (!ids_.isEmpty()) {
        // Keyset continuation: the rows after the last one read, in the listing's order.
        sql += QStringLiteral(" AND (日期 < ? OR (日期 = ? AND id < ?))");
        params << lastDate_ << lastDate_ << ids_.last();
    }
    sql += QStringLiteral(" ORDER BY 日期 DESC, id DESC LIMIT %1").arg(kKeyChunk);
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    if (!q.prepare(sql)) throw store::DbError(q.lastError().databaseText());
    for (int i = 0; i < params.size(); ++i)
        q.bindValue(i, params.at(i));
    if (!q.exec()) throw store::DbError(q.lastError().databaseText());
    QList<qint64> ids;
    ids.reserve(kKeyChunk);
    while (q.next()) {
        ids << q.value(0).toLongLong();
        lastDate_ = q.value(1).toString();
    }
    exhausted_ = ids.size() < kKeyChunk;
    if (ids.isEmpty()) return;
    if (settingQuery_) {
        ids_ += ids; // inside the reset: no insertion to announce
        return;
    }
    beginInsertRows(QModelIndex(), int(ids_.size()), int(ids_.size() + ids.size() - 1));
    ids_ += ids;
    endInsertRows();
}

int EntryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(ids_.size());
}

bool EntryListModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && listing_ && !exhausted_;
}

void EntryListModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent)) return;
    try {
        readKeys();
    } catch (const store::DbError&) {
        // The view asks from its own frames; a failing read ends the list where it is.
        exhausted_ = true;
    }
}

const QVariantList& EntryListModel::row(int r) const {
    static const QVariantList none;
    const int page = r / kPageRows;
    auto it = pages_.find(page);
    if (it == pages_.end()) {
        const int first = page * kPageRows;
        const int n = std::min<int>(kPageRows, int(ids_.size()) - first);
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
    if (!index.isValid() || index.row() >= ids_.size() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    if (index.column() == idColumn_) return ids_.at(index.row());
    const QVariantList& values = row(index.row());
    return index.column() < values.size() ? values.at(index.column()) : QVariant();
}

} // namespace entries
