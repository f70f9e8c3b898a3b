// The read-only list grid with its footer row.
#include "ui/footer_grid.h"

#include "ui/locale_text.h"

#include "store/db.h"
#include "store/money.h"
#include "ui/guard.h"

#include <QEvent>
#include <QHash>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QPainter>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlResult>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace ui {

namespace {

const QColor kFooterBack(0xec, 0xea, 0xe2);
const QColor kFooterText(0x20, 0x20, 0x20);
const QColor kGridLine(0xc8, 0xc4, 0xb8);

QSqlQuery modelQuery(const QSqlQueryModel& m) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    return m.query(Qt::Disambiguated);
#else
    return m.query();
#endif
}

QString quoted(const QString& name) {
    QString q = name;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

// The statement without a final top-level ORDER BY: the order does not change a sum or a count,
// and an ordered subquery keeps SQLite from reading the totals off an index. Left whole when
// anything follows that could change the rows (LIMIT) or the parameters (a marker in the order).
QString withoutFinalOrder(const QString& sql) {
    int depth = 0;
    qsizetype orderAt = -1;
    QChar quote;
    const auto wordAt = [&](qsizetype i, QLatin1StringView word) {
        if (sql.mid(i, word.size()).compare(word, Qt::CaseInsensitive) != 0) return false;
        const auto boundary = [&](qsizetype j) {
            return j < 0 || j >= sql.size() || !(sql[j].isLetterOrNumber() || sql[j] == QLatin1Char('_'));
        };
        return boundary(i - 1) && boundary(i + word.size());
    };
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`'))
            quote = c;
        else if (c == QLatin1Char('['))
            quote = QLatin1Char(']');
        else if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        else if (depth == 0 && wordAt(i, QLatin1StringView("ORDER")))
            orderAt = i;
        else if (orderAt >= 0 && (wordAt(i, QLatin1StringView("LIMIT")) || c == QLatin1Char('?') ||
                                  c == QLatin1Char(':') || c == QLatin1Char('@') || c == QLatin1Char('$')))
            return sql;
    }
    return orderAt >= 0 ? sql.left(orderAt) : sql;
}

// The row indicator: an arrow beside the current row, no row numbers.
class IndicatorHeader : public QHeaderView {
public:
    explicit IndicatorHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {
        setFixedWidth(14);
        setSectionResizeMode(QHeaderView::Fixed);
        setDefaultSectionSize(22);
    }

protected:
    void paintSection(QPainter* p, const QRect& rect, int logicalIndex) const override {
        QHeaderView::paintSection(p, rect, logicalIndex);
        const auto* table = qobject_cast<const QTableView*>(parent());
        if (!table || table->currentIndex().row() != logicalIndex) return;
        p->save();
        // The style leaves its own clip and painter state behind after drawing the section.
        p->setClipRect(rect);
        p->setOpacity(1.0);
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        p->setRenderHint(QPainter::Antialiasing);
        p->setPen(Qt::NoPen);
        p->setBrush(QColor(0x30, 0x30, 0x30));
        const QPointF c = QRectF(rect).center();
        p->drawPolygon(QPolygonF{{c.x() - 3, c.y() - 5}, {c.x() + 3, c.y()}, {c.x() - 3, c.y() + 5}});
        p->restore();
    }
};

} // namespace

// Shows amount columns (fen) under their display formats, right-aligned; the vertical header
// carries no row numbers.
class FormatProxy : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QHash<int, QString> formats;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto f = formats.constFind(index.column());
        if (f != formats.cend() && *f == QLatin1String(kDateColumn)) {
            const QVariant v = QIdentityProxyModel::data(index, role);
            if (role != Qt::DisplayRole) return v;
            const QDate d = QDate::fromString(v.toString(), Qt::ISODate);
            return d.isValid() ? shortDateText(d) : v;
        }
        if (f != formats.cend()) {
            if (role == Qt::DisplayRole) return displayText(QIdentityProxyModel::data(index, role), *f);
            if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
        }
        return QIdentityProxyModel::data(index, role);
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (o == Qt::Vertical && role == Qt::DisplayRole) return QVariant();
        return QIdentityProxyModel::headerData(section, o, role);
    }
};

QString displayText(const QVariant& fen, const QString& format) {
    if (fen.isNull() || !fen.isValid()) return QString();
    return store::Money::fromFen(fen.toLongLong()).format(format);
}

FooterCell FooterCell::staticText(const QString& text) {
    FooterCell c;
    c.kind = Text;
    c.text = text;
    return c;
}

FooterCell FooterCell::sum(const QString& format) {
    FooterCell c;
    c.kind = Sum;
    c.text = format;
    return c;
}

FooterCell FooterCell::count(const QString& format) {
    FooterCell c;
    c.kind = Count;
    c.text = format;
    return c;
}

FooterCell& FooterCell::align(Qt::Alignment a) {
    alignment = a;
    return *this;
}

FooterCell& FooterCell::colors(const QColor& text, const QColor& back) {
    color = text;
    background = back;
    return *this;
}

FooterCell& FooterCell::boldFont(bool on) {
    bold = on;
    return *this;
}

FooterGrid::FooterGrid(QWidget* parent) : QWidget(parent) {
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(1, 1, 1, 1);
    frame->setSpacing(0);

    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("view"));
    view_->setVerticalHeader(new IndicatorHeader(view_));
    view_->setFrameShape(QFrame::NoFrame);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view_->setWordWrap(false);
    QPalette rows = view_->palette();
    rows.setColor(QPalette::Highlight, QColor(0x2f, 0x7a, 0x57));
    rows.setColor(QPalette::HighlightedText, Qt::white);
    view_->setPalette(rows);
    view_->horizontalHeader()->setHighlightSections(false);
    view_->horizontalHeader()->setMinimumSectionSize(16);
    view_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    frame->addWidget(view_, 1);

    // The footer sits between the rows and the horizontal scroll bar, so it scrolls with the columns.
    footer_ = new QWidget(this);
    footer_->setObjectName(QStringLiteral("footer"));
    footer_->setAttribute(Qt::WA_StyledBackground);
    footer_->setStyleSheet(QStringLiteral("#footer{background:%1;border-top:1px solid %2;}")
                               .arg(kFooterBack.name(), kGridLine.name()));
    footer_->setFixedHeight(fontMetrics().height() + 10);
    footerCorner_ = new QWidget(footer_);
    footerStrip_ = new QWidget(footer_);
    frame->addWidget(footer_);

    hbar_ = new QScrollBar(Qt::Horizontal, this);
    hbar_->hide();
    frame->addWidget(hbar_);

    QScrollBar* inner = view_->horizontalScrollBar();
    connect(inner, &QScrollBar::rangeChanged, this, [this, inner](int min, int max) {
        hbar_->setRange(min, max);
        hbar_->setPageStep(inner->pageStep());
        hbar_->setSingleStep(inner->singleStep());
        hbar_->setVisible(max > min);
    });
    connect(hbar_, &QScrollBar::valueChanged, inner, &QScrollBar::setValue);
    connect(inner, &QScrollBar::valueChanged, hbar_, &QScrollBar::setValue);
    connect(inner, &QScrollBar::valueChanged, this, [this] { placeFooter(); });

    QHeaderView* header = view_->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (!sizing_ && model_) {
            const QString field = model_->record().fieldName(logical);
            for (int i = 0; i < columns_.size(); ++i)
                if (columns_[i].field == field) dragged_.insert(i, size);
        }
        placeFooter();
    });
    connect(header, &QHeaderView::sectionMoved, this, [this] { placeFooter(); });
    connect(header, &QHeaderView::geometriesChanged, this, [this] { placeFooter(); });
    view_->viewport()->installEventFilter(this);

    QPalette own = palette();
    own.setColor(QPalette::Window, kGridLine);
    setPalette(own);
    setAutoFillBackground(true);
}

FooterGrid::~FooterGrid() {
    // The view outlives this part of the object and keeps signalling while its children go.
    view_->viewport()->removeEventFilter(this);
    view_->horizontalHeader()->disconnect(this);
    view_->horizontalScrollBar()->disconnect(this);
    if (proxy_) proxy_->disconnect(this);
}

void FooterGrid::setColumns(const QList<GridColumn>& columns) {
    columns_ = columns;
    dragged_.clear();
    qDeleteAll(footerLabels_);
    footerLabels_.clear();
    for (const GridColumn& c : columns_) {
        auto* l = new QLabel(footerStrip_);
        l->setAlignment(c.footer.alignment);
        const QColor back = c.footer.background.isValid() ? c.footer.background : kFooterBack;
        const QColor text = c.footer.color.isValid() ? c.footer.color : kFooterText;
        l->setStyleSheet(QStringLiteral("QLabel{background:%1;color:%2;font-weight:%3;"
                                        "border-right:1px solid %4;padding:0 2px;}")
                             .arg(back.name(), text.name(),
                                  c.footer.bold ? QStringLiteral("bold") : QStringLiteral("normal"),
                                  kGridLine.name()));
        l->setAccessibleDescription(c.field);
        if (c.footer.kind == FooterCell::Text) l->setText(c.footer.text);
        footerLabels_ << l;
    }
    applyColumns();
}

void FooterGrid::setModel(QSqlQueryModel* model) {
    model_ = model;
    if (!proxy_) {
        proxy_ = new FormatProxy(this);
        view_->setModel(proxy_);
        // Connected after the view's own handlers: the header has re-read the columns by then.
        // While the view lays out a fresh model, the sizes it sets are not the user's.
        connect(proxy_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { sizing_ = true; });
        connect(proxy_, &QAbstractItemModel::modelReset, this, guarded([this] {
                    const auto done = qScopeGuard([this] { sizing_ = false; });
                    modelReset();
                }));
        connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged,
                view_->verticalHeader()->viewport(), qOverload<>(&QWidget::update));
    }
    proxy_->setSourceModel(model); // resets the proxy, which lays out the columns and the footer
}

void FooterGrid::modelReset() {
    applyColumns();
    refreshFooter();
    // Like every list of the program, a freshly read list stands on its first row.
    if (proxy_ && proxy_->rowCount() > 0) {
        const QHeaderView* header = view_->horizontalHeader();
        view_->setCurrentIndex(proxy_->index(0, header->logicalIndex(0)));
    }
}

void FooterGrid::applyColumns() {
    if (!proxy_) return;
    QHeaderView* header = view_->horizontalHeader();
    const QSqlRecord rec = model_ ? model_->record() : QSqlRecord();
    proxy_->formats.clear();
    const QScopedValueRollback sizing(sizing_, true);
    for (int c = 0; c < rec.count(); ++c)
        header->setSectionHidden(c, true);
    int visual = 0;
    for (int i = 0; i < columns_.size(); ++i) {
        const GridColumn& col = columns_[i];
        const int logical = rec.indexOf(col.field);
        if (logical < 0) continue;
        header->setSectionHidden(logical, false);
        header->moveSection(header->visualIndex(logical), visual++);
        header->resizeSection(logical, widthOf(i));
        if (!col.displayFormat.isEmpty()) proxy_->formats.insert(logical, col.displayFormat);
    }
    placeFooter();
}

void FooterGrid::setFooterShown(bool shown) {
    footer_->setVisible(shown);
}

void FooterGrid::refreshFooter() {
    // A footer of static texts (or none) computes nothing: no statement to run again.
    if (std::none_of(columns_.cbegin(), columns_.cend(), [](const GridColumn& c) {
            return c.footer.kind == FooterCell::Sum || c.footer.kind == FooterCell::Count;
        }))
        return;
    QStringList sums;
    for (const GridColumn& c : columns_)
        if (c.footer.kind == FooterCell::Sum) sums << QStringLiteral("SUM(%1)").arg(quoted(c.field));
    sums << QStringLiteral("COUNT(*)");

    QVariantList values(sums.size());
    if (footerValues_) {
        const QVariantList given = footerValues_();
        for (int i = 0; i < values.size() && i < given.size(); ++i)
            values[i] = given.at(i);
    }
    const QSqlQuery source = model_ && !footerValues_ ? modelQuery(*model_) : QSqlQuery();
    QString rows = source.lastQuery().trimmed();
    while (rows.endsWith(QLatin1Char(';')))
        rows.chop(1);
    if (source.driver() && source.driver()->isOpen() && !rows.isEmpty()) {
        // The aggregate runs on the connection the rows came from: over exactly the same statement,
        // unless the list keeps its totals elsewhere.
        QSqlQuery q(source.driver()->createResult());
        q.setForwardOnly(true);
        const QString sql = footerQuery_.isEmpty()
                                ? QStringLiteral("SELECT %1 FROM (%2)")
                                      .arg(sums.join(QStringLiteral(", ")), withoutFinalOrder(rows))
                                : footerQuery_;
        if (!q.prepare(sql)) throw store::DbError(q.lastError());
        const QVariantList bound = footerQuery_.isEmpty() ? source.boundValues() : QVariantList();
        for (int i = 0; i < bound.size(); ++i)
            q.bindValue(i, bound.at(i));
        if (!q.exec()) throw store::DbError(q.lastError());
        if (q.next())
            for (int i = 0; i < values.size(); ++i)
                values[i] = q.value(i);
    }

    int next = 0;
    for (int i = 0; i < columns_.size(); ++i) {
        const FooterCell& f = columns_[i].footer;
        if (f.kind == FooterCell::Sum)
            footerLabels_[i]->setText(store::Money::fromFen(values[next++].toLongLong()).format(f.text));
    }
    const qint64 count = values.last().toLongLong();
    for (int i = 0; i < columns_.size(); ++i) {
        const FooterCell& f = columns_[i].footer;
        if (f.kind == FooterCell::Count)
            footerLabels_[i]->setText(store::Money::fromFen(count * 100).format(f.text));
    }
    // A column is never narrower than its footer: a total cut short would be a wrong figure.
    const QSqlRecord rec = model_ ? model_->record() : QSqlRecord();
    QHeaderView* header = view_->horizontalHeader();
    const QScopedValueRollback sizing(sizing_, true);
    for (int i = 0; i < columns_.size(); ++i) {
        const int logical = rec.indexOf(columns_[i].field);
        if (logical >= 0)
            header->resizeSection(logical, std::max(widthOf(i), footerLabels_[i]->sizeHint().width() + 1));
    }
}

int FooterGrid::widthOf(int column) const {
    return dragged_.value(column, columns_[column].width);
}

void FooterGrid::placeFooter() {
    const int left = view_->verticalHeader()->isVisible() ? view_->verticalHeader()->width() : 0;
    const int h = footer_->height() - 1;
    footerCorner_->setGeometry(0, 1, left, h);
    footerStrip_->setGeometry(left, 1, view_->viewport()->width(), h);
    const QHeaderView* header = view_->horizontalHeader();
    const QSqlRecord rec = model_ ? model_->record() : QSqlRecord();
    for (int i = 0; i < columns_.size(); ++i) {
        const int logical = rec.indexOf(columns_[i].field);
        QLabel* l = footerLabels_[i];
        if (logical < 0 || header->isSectionHidden(logical)) {
            l->hide();
            continue;
        }
        l->setGeometry(header->sectionViewportPosition(logical), 0, header->sectionSize(logical), h);
        l->show();
    }
}

bool FooterGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_->viewport() && event->type() == QEvent::Resize) placeFooter();
    return QWidget::eventFilter(watched, event);
}

QString FooterGrid::footerText(const QString& field) const {
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_[i].field == field) return footerLabels_[i]->text();
    return QString();
}

int FooterGrid::currentRow() const {
    const QModelIndex idx = view_->currentIndex();
    return idx.isValid() ? idx.row() : -1;
}

bool FooterGrid::seekRow(const QString& field, const QVariant& value) {
    if (!proxy_ || !model_) return false;
    const int column = view_->horizontalHeader()->logicalIndex(0);
    const int at = model_->record().indexOf(field);
    for (int row = 0; at >= 0; ++row) {
        if (row >= model_->rowCount()) {
            if (!model_->canFetchMore()) break;
            model_->fetchMore();
            if (row >= model_->rowCount()) break;
        }
        if (model_->data(model_->index(row, at), Qt::EditRole) == value) {
            view_->setCurrentIndex(proxy_->index(row, column));
            return true;
        }
    }
    if (proxy_->rowCount() > 0) view_->setCurrentIndex(proxy_->index(0, column));
    return false;
}

QSqlRecord FooterGrid::currentRecord() const {
    const int row = currentRow();
    if (row < 0 || !model_) return QSqlRecord();
    // Through data(), which a model that reads its rows on demand answers.
    QSqlRecord rec = model_->record();
    for (int c = 0; c < rec.count(); ++c)
        rec.setValue(c, model_->data(model_->index(row, c), Qt::EditRole));
    return rec;
}

} // namespace ui
