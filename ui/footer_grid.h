// FooterGrid: the read-only grid every list of the program shows, with a row indicator, per-column
// display formats for amounts and one footer row of static texts, column sums and row counts.
#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QString>
#include <QWidget>
#include <functional>

class QLabel;
class QScrollBar;
class QTableView;

namespace ui {

// One cell of the footer row.
struct FooterCell {
    enum Kind { None, Text, Sum, Count };
    Kind kind = None;
    // The static text, or the display format of a sum ("￥0.00") or a count ("共计#个资金账户").
    QString text;
    Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter;
    QColor color;      // text colour; the grid's default when invalid
    QColor background; // the grid's footer colour when invalid
    bool bold = false;

    static FooterCell staticText(const QString& text);
    static FooterCell sum(const QString& format);
    static FooterCell count(const QString& format);
    FooterCell& align(Qt::Alignment a);
    FooterCell& colors(const QColor& text, const QColor& back = QColor());
    FooterCell& boldFont(bool on = true);
};

// The display format of a date column: the stored yyyy-MM-dd shown as the program's short date.
inline constexpr char kDateColumn[] = "date";

// One shown column: the field it shows (its title), its width, the display format of an amount
// column (the field holds fen; "#.##", "0.00"), kDateColumn for a date, or empty to show the value
// as it is, and its footer.
struct GridColumn {
    QString field;
    int width = 64;
    QString displayFormat;
    FooterCell footer;
};

class FooterGrid : public QWidget {
    Q_OBJECT
public:
    explicit FooterGrid(QWidget* parent = nullptr);
    ~FooterGrid() override;

    // The shown columns in their order; fields of the model not listed here stay hidden.
    void setColumns(const QList<GridColumn>& columns);
    // Shows a model's rows. Every time the model is re-queried the footer is recomputed with one
    // aggregate statement over the same rows, and the first row becomes the current one.
    void setModel(QSqlQueryModel* model);
    QSqlQueryModel* model() const { return model_; }

    // Shows or hides the footer row (a list without totals has none).
    void setFooterShown(bool shown);
    // Where the footer's sums and count come from: by default one aggregate over the model's own
    // statement. A list whose totals are kept elsewhere gives a statement answering one row: the
    // sums in column order, then the count.
    void setFooterQuery(const QString& sql) { footerQuery_ = sql; }
    // A list that already knows its totals hands them over instead: the sums in column order, then
    // the count, read each time the list is re-queried.
    void setFooterValues(std::function<QVariantList()> values) { footerValues_ = std::move(values); }
    // Runs the footer's aggregate again (for a caller that changed rows behind the model's back).
    void refreshFooter();
    // The text a footer cell shows, by field.
    QString footerText(const QString& field) const;
    // The current row's record, or an empty record when there is no current row.
    QSqlRecord currentRecord() const;
    // The current row (-1 when none).
    int currentRow() const;
    // Walks the rows from the first, fetching more as needed, and makes the first row whose field
    // holds the value the current one; when none does, the first row. False when none matched.
    bool seekRow(const QString& field, const QVariant& value);

    QTableView* view() const { return view_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyColumns();
    void placeFooter();
    void modelReset();

    int widthOf(int column) const;

    QList<GridColumn> columns_;
    QString footerQuery_;
    std::function<QVariantList()> footerValues_;
    // Widths the user dragged, by column; they outlast re-queries until the columns are set anew.
    QHash<int, int> dragged_;
    bool sizing_ = false;            // the grid itself is sizing sections
    QPointer<QSqlQueryModel> model_; // the data module may go first at program end
    class FormatProxy* proxy_ = nullptr;
    QTableView* view_ = nullptr;
    QWidget* footer_ = nullptr;
    QWidget* footerStrip_ = nullptr;
    QWidget* footerCorner_ = nullptr;
    QList<QLabel*> footerLabels_;
    QScrollBar* hbar_ = nullptr;
};

// The text an amount stored in fen shows under a display format; a value that is not set shows
// nothing.
QString displayText(const QVariant& fen, const QString& format);

} // namespace ui
