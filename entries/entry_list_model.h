// The browsers' list of entries: the number of rows is known from the start, keys (date, id) are
// read in chunks as far as the grid has scrolled, the rows themselves a page at a time for the part
// on screen. A listing of a million entries keeps a few megabytes of keys instead of every row, and
// scrolling never inserts rows (a view's cost for inserting grows with the rows it already has).
#pragma once

#include "entries/entry_ops.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QSqlQueryModel>
#include <QVariantList>

namespace entries {

class EntryListModel : public QSqlQueryModel {

public:
    explicit EntryListModel(QObject* parent = nullptr);

    // Lists the entries of a kind under the filters, newest date first and, on one date, newest
    // recorded first. query() holds the listing statement with its parameters, for the footer.
    void list(const QSqlDatabase& db, Kind kind, const ListFilter& filter);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The listed rows' amount total (fen) and their number, from the one aggregate that also gave
    // the number of rows: a footer needs no second pass over the listing.
    QVariantList totals() const { return {sum_, total_}; }

    bool canFetchMore(const QModelIndex& parent = QModelIndex()) const override;
    void fetchMore(const QModelIndex& parent = QModelIndex()) override;

private:
    void forget();
    // Reads keys until row r has one (or the listing ends); false when it has none.
    bool keysUpTo(int r) const;
    void readKeys() const;
    const QVariantList& row(int r) const;

    QSqlDatabase db_;
    QString where_;
    QVariantList params_;
    bool listing_ = false;
    bool settingQuery_ = false;
    int total_ = 0;
    qint64 sum_ = 0;
    QString amountColumn_;
    QString error_;
    int errorCode_ = 0;
    int idColumn_ = -1;
    mutable bool exhausted_ = true;
    mutable QList<qint64> ids_;
    mutable QString lastDate_;
    // Pages of rows on screen lately, oldest first in pageOrder_.
    mutable QHash<int, QList<QVariantList>> pages_;
    mutable QList<int> pageOrder_;
};

} // namespace entries
