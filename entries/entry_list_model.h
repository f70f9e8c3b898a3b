// The browsers' list of entries: keys (date, id) are read ahead in chunks as the grid scrolls, the
// rows themselves a page at a time for the part on screen, so a listing of a million entries keeps
// a few megabytes of keys instead of every row.
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
    bool canFetchMore(const QModelIndex& parent = QModelIndex()) const override;
    void fetchMore(const QModelIndex& parent = QModelIndex()) override;

private:
    void forget();
    void readKeys();
    const QVariantList& row(int r) const;

    QSqlDatabase db_;
    QString where_;
    QVariantList params_;
    bool listing_ = false;
    bool settingQuery_ = false;
    bool exhausted_ = true;
    QList<qint64> ids_;
    QString lastDate_;
    int idColumn_ = -1;
    // Pages of rows on screen lately, oldest first in pageOrder_.
    mutable QHash<int, QList<QVariantList>> pages_;
    mutable QList<int> pageOrder_;
};

} // namespace entries
