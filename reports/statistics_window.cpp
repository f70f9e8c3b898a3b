// The statistics window.
#include "reports/statistics_window.h"

#include "store/dmod1.h"
#include "store/ledger.h"
#include "ui/artwork.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/window_style.h"
#include "ui_statistics_window.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QLegend>
#include <QMenu>
#include <QPieSeries>
#include <QPieSlice>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTableView>
#include <QValueAxis>

using reports::Share;
using store::Money;
using ui::GridColumn;

namespace {

const QColor kPurple(0x80, 0x00, 0x80);
const QColor kIncomeRed(0xd0, 0x20, 0x20);
const QColor kExpenseGreen(0x20, 0x90, 0x40);
// Neighbouring slices stay apart however many Subcategories there are.
const QColor kSliceColours[] = {QColor(0xd9, 0x4f, 0x3d), QColor(0x2f, 0x7a, 0x57), QColor(0xf0, 0xa2, 0x2e),
                                QColor(0x33, 0x6e, 0xb8), QColor(0x9b, 0x59, 0xb6), QColor(0x8c, 0xb8, 0x3a),
                                QColor(0xe6, 0x7e, 0xa8), QColor(0x17, 0xa2, 0xb8), QColor(0xa0, 0x6b, 0x3b),
                                QColor(0x5c, 0x5c, 0x8a), QColor(0xc9, 0xa2, 0x27), QColor(0x7f, 0x8c, 0x8d)};
const QString kHint = QStringLiteral("双击显示分析图表！");

double yuan(Money m) {
    return double(m.fen()) / 100.0;
}

// A share of a whole in per cent, one decimal; exact sums in fen keep it from drifting.
QString percentText(Money part, Money whole) {
    if (whole.fen() == 0) return QStringLiteral("0.0%");
    return QString::number(100.0 * double(part.fen()) / double(whole.fen()), 'f', 1) + QLatin1Char('%');
}

QChartView* makeView(QWidget* parent, const QString& name, const QString& title, bool underline) {
    auto* chart = new QChart;
    chart->setTitle(title);
    QFont f = ui::programFont(13);
    f.setBold(true);
    f.setUnderline(underline);
    chart->setTitleFont(f);
    chart->setTitleBrush(kPurple);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setFont(ui::programFont(9));
    auto* view = new QChartView(chart, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setFrameShape(QFrame::Box);
    view->setAccessibleName(title);
    view->hide();
    return view;
}

QChartView* makePie(QWidget* parent, const QString& name, const QString& title, bool underline,
                    const std::vector<Share>& shares) {
    QChartView* view = makeView(parent, name, title, underline);
    Money whole;
    for (const Share& s : shares)
        whole += s.amount;
    auto* series = new QPieSeries;
    series->setPieSize(0.52);
    series->setVerticalPosition(0.56);
    QStringList figures;
    int thinRun = 0;
    for (const Share& s : shares) {
        const QString label = s.name + QLatin1Char(' ') + percentText(s.amount, whole);
        QPieSlice* slice = series->append(label, yuan(s.amount));
        slice->setColor(kSliceColours[series->count() % std::size(kSliceColours)]);
        slice->setBorderColor(Qt::white);
        slice->setLabelVisible(true);
        // Thin slices side by side would print their labels over each other: their arms take
        // turns in length, so the labels stand at different heights.
        const bool thin = whole.fen() > 0 && s.amount.fen() * 20 < whole.fen();
        thinRun = thin ? thinRun + 1 : 0;
        if (thin) slice->setLabelArmLengthFactor(0.08 + 0.16 * ((thinRun - 1) % 4));
        slice->setLabelFont(ui::programFont(9));
        figures << QStringLiteral("%1 %2（%3）").arg(s.name, s.amount.text(), percentText(s.amount, whole));
    }
    view->chart()->addSeries(series);
    view->chart()->legend()->setAlignment(Qt::AlignRight);
    view->setAccessibleDescription(figures.isEmpty() ? QStringLiteral("没有数据")
                                                     : figures.join(QStringLiteral("；")));
    return view;
}

// Two series side by side, one pair of bars per category.
struct BarData {
    QString unit; // what a category counts, for the spoken figures: 日, 月
    QString incomeTitle;
    QString expenseTitle;
    QStringList categories;
    std::vector<reports::Totals> values;
};

QChartView* makeBars(QWidget* parent, const QString& name, const QString& title, const BarData& d) {
    QChartView* view = makeView(parent, name, title, false);
    auto* income = new QBarSet(d.incomeTitle);
    auto* expense = new QBarSet(d.expenseTitle);
    income->setColor(kIncomeRed);
    expense->setColor(kExpenseGreen);
    income->setBorderColor(kIncomeRed.darker(130));
    expense->setBorderColor(kExpenseGreen.darker(130));
    QStringList figures;
    Money top;
    for (qsizetype i = 0; i < d.categories.size(); ++i) {
        const reports::Totals& t = d.values[size_t(i)];
        *income << yuan(t.income);
        *expense << yuan(t.expense);
        top = std::max({top, t.income, t.expense});
        figures << QStringLiteral("%1%2：%3 %4，%5 %6")
                       .arg(d.categories[i], d.unit, d.incomeTitle, t.income.text(), d.expenseTitle,
                            t.expense.text());
    }
    auto* series = new QBarSeries;
    series->append(income);
    series->append(expense);
    QChart* chart = view->chart();
    chart->addSeries(series);
    // The value marks are set once the series belongs to its chart, which draws them.
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setLabelsFormat(QStringLiteral("@value"));
    series->setLabelsPrecision(15);
    // Many days make narrow bars: their figures stand upright.
    if (d.categories.size() > 8) series->setLabelsAngle(-90);
    for (QBarSet* set : {income, expense}) {
        set->setLabelFont(ui::programFont(8));
        set->setLabelColor(QColor(0x30, 0x30, 0x30));
    }
    auto* x = new QBarCategoryAxis;
    x->append(d.categories);
    x->setLabelsFont(ui::programFont(9));
    auto* y = new QValueAxis;
    // Head room above the highest bar for its figure.
    y->setRange(0, top.isZero() ? 1.0 : yuan(top) * 1.15);
    y->applyNiceNumbers();
    y->setLabelFormat(QStringLiteral("%.0f"));
    y->setLabelsFont(ui::programFont(8));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    chart->legend()->setAlignment(Qt::AlignTop);
    view->setAccessibleDescription(figures.isEmpty() ? QStringLiteral("没有数据")
                                                     : figures.join(QStringLiteral("；")));
    return view;
}

void setFigure(QLabel* l, Money m) {
    l->setText(m.text());
}

} // namespace

TYFLTJfrm::TYFLTJfrm(QWidget* owner, const reports::ShownMonth& shown)
    : QDialog(owner), form(std::make_unique<Ui::TYFLTJfrm>()), shown_(shown) {
    form->setupUi(this);

    pm1 = new QMenu(this);
    pm1->setObjectName(QStringLiteral("pm1"));
    N1 = pm1->addAction(QStringLiteral("关闭窗口"));
    N1->setObjectName(QStringLiteral("N1"));
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            ui::guarded([this](const QPoint& at) { pm1->popup(mapToGlobal(at)); }));
    connect(N1, &QAction::triggered, this, ui::guarded([this] { N1Click(); }));
    setBanner();
    // A figure is read out with the caption that stands before it.
    const std::pair<QLabel*, QLabel*> figures[] = {
        {form->lbl5, form->lblIncome},      {form->lbl6, form->lblExpense},
        {form->lbl9, form->lblSurplus},     {form->lbl3, form->lblYearIncome},
        {form->lbl4, form->lblYearExpense}, {form->lbl13, form->lblYearSurplus}};
    for (auto [figure, caption] : figures) {
        figure->setAccessibleDescription(caption->text());
        // The design texts are no amounts: a figure that could not be read shows nothing.
        figure->clear();
    }

    const QString amount = QStringLiteral("0.00");
    form->dbgrdh13->setColumns({{QStringLiteral("日期"), 91, QString::fromLatin1(ui::kDateColumn), {}},
                                {QStringLiteral("收入总额"), 91, amount, {}},
                                {QStringLiteral("支出总额"), 100, amount, {}}});
    form->dbgrdh13->setFooterShown(false);
    const auto detailColumns = [&amount](const reports::EntryKind& k) {
        return QList<GridColumn>{{QStringLiteral("日期"), 90, QString::fromLatin1(ui::kDateColumn), {}},
                                 {k.categoryColumn, 90, QString(), {}},
                                 {k.nameColumn, 90, QString(), {}},
                                 {k.amountColumn, 90, amount, {}},
                                 {QStringLiteral("结算账户"), 90, QString(), {}},
                                 {QStringLiteral("备注"), 90, QString(), {}}};
    };
    form->dbgrdh11->setColumns(detailColumns(reports::incomeKind()));
    form->dbgrdh12->setColumns(detailColumns(reports::expenseKind()));
    qrySZ = new QSqlQueryModel(this);
    qryS = new QSqlQueryModel(this);
    qryZ = new QSqlQueryModel(this);
    qrySZ->setObjectName(QStringLiteral("qrySZ"));
    qryS->setObjectName(QStringLiteral("qryS"));
    qryZ->setObjectName(QStringLiteral("qryZ"));
    form->dbgrdh13->setModel(qrySZ);
    form->dbgrdh11->setModel(qryS);
    form->dbgrdh12->setModel(qryZ);
    for (ui::FooterGrid* g : {form->dbgrdh13, form->dbgrdh11, form->dbgrdh12}) {
        g->setToolTip(kHint);
        g->view()->viewport()->installEventFilter(this);
    }
    // The day summary's current row drives the detail grids, as the hidden date field did.
    connect(form->dbgrdh13->view()->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            ui::guarded([this] { dbedt1Change(); }));

    ui::applyStandardStyle(this);
    // A database error is reported and the window opens with what was read before it; the chart
    // switches are wired only once their charts exist.
    ui::guarded([this] { FormCreate(); })();
}

TYFLTJfrm::~TYFLTJfrm() = default;

void TYFLTJfrm::setBanner() {
    form->pnl1->setAttribute(Qt::WA_StyledBackground);
    form->pnl1->setStyleSheet(QStringLiteral(
        "#pnl1{background:qlineargradient(x1:0,y1:0,x2:1,y2:0,stop:0 #f7faf6,stop:0.2 #2f7a57,"
        "stop:1 #174a35);border-bottom:2px solid #c9a227;}"
        "#lblYear,#lblMonth{color:#ffffff;font-size:20pt;font-weight:bold;}"
        "#lbl1,#lbl2{color:#ffd200;font-size:20pt;font-weight:bold;text-decoration:underline;}"));
    form->img1->setPixmap(
        ui::svgPixmap(QStringLiteral(":/main/logo.svg"), form->img1->size(), devicePixelRatioF()));
    form->img1->setAccessibleName(QStringLiteral("云杉"));
}

void TYFLTJfrm::FormCreate() {
    const QSqlDatabase db = store::dmod1->con1();
    // Day summary; its first row (if any) fills the detail grids.
    qrySZ->setQuery(reports::daySummaryQuery(db, shown_.year, shown_.month));
    dbedt1Change();

    // Before the dashboard's first refresh it has no figures to hand over; the month's are read
    // here then, rather than leaving the placeholders standing as if they were amounts.
    const Money income = shown_.income
                             ? *shown_.income
                             : store::monthTotal(db, reports::incomeKind().amountColumn,
                                                 QStringLiteral("收支表"), shown_.year, shown_.month);
    const Money expense = shown_.expense
                              ? *shown_.expense
                              : store::monthTotal(db, reports::expenseKind().amountColumn,
                                                  QStringLiteral("收支表"), shown_.year, shown_.month);
    form->lbl1->setText(QString::number(shown_.year));
    form->lbl15->setText(QString::number(shown_.year));
    form->lbl2->setText(QString::number(shown_.month));
    setFigure(form->lbl5, income);
    setFigure(form->lbl6, expense);
    const Money surplus = income - expense;
    // Red for a gain (nothing lost counts as one), green for a loss.
    QPalette pal = form->lbl9->palette();
    pal.setColor(QPalette::WindowText, surplus >= Money() ? QColor(Qt::red) : QColor(0x00, 0x80, 0x00));
    form->lbl9->setPalette(pal);
    form->lbl9->setStyleSheet(QStringLiteral("font-weight:bold;"));
    setFigure(form->lbl9, surplus);

    const reports::Statistics s = reports::loadStatistics(db, shown_.year, shown_.month);
    setFigure(form->lbl3, s.year.income);
    setFigure(form->lbl4, s.year.expense);
    setFigure(form->lbl13, s.year.surplus());
    buildCharts(s);
}

void TYFLTJfrm::buildCharts(const reports::Statistics& s) {
    BarData days{QStringLiteral("日"), QStringLiteral("收入"), QStringLiteral("支出"), {}, {}};
    for (const reports::DayTotals& d : s.days) {
        days.categories << QString::number(d.day.day());
        days.values.push_back(d.totals);
    }
    BarData months{QStringLiteral("月"), QStringLiteral("月收入"), QStringLiteral("月支出"), {}, {}};
    for (const reports::MonthTotals& m : s.months) {
        months.categories << QString::number(m.month);
        months.values.push_back(m.totals);
    }
    dbcht[0] =
        makePie(this, QStringLiteral("dbcht1"), QStringLiteral("月度收入项目分析图表"), true, s.monthIncome);
    dbcht[1] =
        makePie(this, QStringLiteral("dbcht2"), QStringLiteral("月度支出项目分析图表"), true, s.monthExpense);
    dbcht[2] = makeBars(this, QStringLiteral("dbcht3"), QStringLiteral("月度日收支分析图表"), days);
    dbcht[3] = makeBars(this, QStringLiteral("dbcht4"), QStringLiteral("年度月收支分析图表"), months);
    dbcht[4] =
        makePie(this, QStringLiteral("dbcht5"), QStringLiteral("年度收入项目分析图表"), false, s.yearIncome);
    dbcht[5] =
        makePie(this, QStringLiteral("dbcht6"), QStringLiteral("年度支出项目分析图表"), false, s.yearExpense);
    // The charts cover the three grids.
    const QRect area = form->grp4->geometry().united(form->grp1->geometry()).united(form->grp2->geometry());
    for (QChartView* v : dbcht) {
        v->setGeometry(area);
        v->viewport()->installEventFilter(this);
    }

    const auto sw = [](QPushButton* b, const char* hidden, const char* shown, QChartView* chart) {
        return ChartSwitch{b, QString::fromUtf8(hidden), QString::fromUtf8(shown), chart};
    };
    switches_ = {sw(form->btn1, "显示月度日收支分析图表", "隐藏月度日收支分析图表", dbcht[2]),
                 sw(form->btn2, "显示月度收入项目分析图表", "隐藏月度收入项目分析图表", dbcht[0]),
                 sw(form->btn3, "显示月度支出项目分析图表", "隐藏月度支出项目分析图表", dbcht[1]),
                 sw(form->btn4, "显示年度月收支分析图表", "隐藏年度月收支分析图表", dbcht[3]),
                 sw(form->btn5, "显示年度收入项目分析图表", "隐藏年度收入项目分析图表", dbcht[4]),
                 sw(form->btn6, "显示年度支出项目分析图表", "隐藏年度支出项目分析图表", dbcht[5])};
    for (int i = 0; i < int(switches_.size()); ++i) {
        connect(switches_[size_t(i)].button, &QPushButton::clicked, this,
                ui::guarded([this, i] { switchChart(i); }));
        doubleClickPlaces_.insert(switches_[size_t(i)].chart->viewport(), i);
    }
    // A grid's double-click shows the chart that belongs to it.
    doubleClickPlaces_.insert(form->dbgrdh13->view()->viewport(), 0);
    doubleClickPlaces_.insert(form->dbgrdh11->view()->viewport(), 1);
    doubleClickPlaces_.insert(form->dbgrdh12->view()->viewport(), 2);
}

void TYFLTJfrm::dbedt1Change() {
    const QString day = form->dbgrdh13->currentRecord().value(QStringLiteral("日期")).toString();
    if (day == shownDay_ && qryS->query().isActive()) return;
    shownDay_ = day;
    const QSqlDatabase db = store::dmod1->con1();
    // Without a day the grids keep their columns and show no rows.
    const QDate d = day.isEmpty() ? QDate() : QDate::fromString(day, Qt::ISODate);
    qryS->setQuery(reports::dayEntriesQuery(db, reports::incomeKind(), d));
    qryZ->setQuery(reports::dayEntriesQuery(db, reports::expenseKind(), d));
}

void TYFLTJfrm::switchChart(int index) {
    for (int i = 0; i < int(switches_.size()); ++i) {
        if (i == index) continue;
        switches_[size_t(i)].button->setText(switches_[size_t(i)].hiddenCaption);
        switches_[size_t(i)].chart->hide();
    }
    ChartSwitch& s = switches_[size_t(index)];
    if (s.button->text() == s.hiddenCaption) {
        s.button->setText(s.shownCaption);
        s.chart->show();
        s.chart->raise();
    } else {
        s.chart->hide();
        s.button->setText(s.hiddenCaption);
    }
}

bool TYFLTJfrm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        const auto place = doubleClickPlaces_.constFind(watched);
        if (place != doubleClickPlaces_.cend()) {
            const int index = *place;
            ui::guarded([this, index] { switchChart(index); })();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TYFLTJfrm::FormClose() {
    for (QSqlQueryModel* m : {qrySZ, qryS, qryZ})
        m->clear();
}

void TYFLTJfrm::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TYFLTJfrm::N1Click() {
    close();
}

namespace reports {
void statisticsCommand(QWidget* owner, const ShownMonth& shown) {
    TYFLTJfrm YFLTJfrm(owner, shown);
    ui::dialogs().runModal(YFLTJfrm);
}
} // namespace reports
