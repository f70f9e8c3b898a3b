// The income and expense browsers.
#include "entries/entry_browser.h"

#include "entries/entry_correct_window.h"
#include "entries/entry_list_model.h"
#include "entries/entry_record_window.h"
#include "store/clock.h"
#include "store/dmod1.h"
#include "store/ledger.h"
#include "ui/dashboard.h"
#include "ui/footer_grid.h"
#include "ui/guard.h"
#include "ui/locale_text.h"
#include "ui/window_style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSqlRecord>
#include <QTableView>
#include <QVBoxLayout>

using entries::EntryTwin;
using ui::FooterCell;

namespace {
const QColor kMaroon(0x80, 0x00, 0x00);

QString recordId(const QSqlRecord& r) {
    return r.value(QStringLiteral("id")).toString();
}
} // namespace

TEntryBrowser::TEntryBrowser(const EntryTwin& twin, QWidget* owner) : QDialog(owner), twin_(twin) {
    setObjectName(twin_.browserName);
    buildForm();
    ui::applyStandardStyle(this);
    FormCreate();
    creating_ = false;
}

TEntryBrowser::~TEntryBrowser() = default;

void TEntryBrowser::buildForm() {
    setWindowTitle(twin_.browserCaption);
    const auto named = [](auto* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    btn1 = named(new QPushButton(twin_.recordButton, this), "btn1");
    btn2 = named(new QPushButton(twin_.correctButton, this), "btn2");
    btn3 = named(new QPushButton(twin_.deleteButton, this), "btn3");
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {btn1, btn2, btn3}) {
        b->setMinimumSize(84, 30);
        buttons->addWidget(b);
    }
    buttons->addStretch();

    grp1 = named(new QGroupBox(QStringLiteral("查询统计"), this), "grp1");
    lbl1 = named(new QLabel(twin_.instructions, grp1), "lbl1");
    lbl1->setWordWrap(true);
    lbl1->setStyleSheet(QStringLiteral("color:#555555;"));

    grp2 = named(new QGroupBox(grp1), "grp2");
    chk1 = named(new QCheckBox(QStringLiteral("日期"), grp2), "chk1");
    dtp1 = named(new QDateEdit(grp2), "dtp1");
    dtp2 = named(new QDateEdit(grp2), "dtp2");
    for (QDateEdit* d : {dtp1, dtp2}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(ui::shortDateFormat());
    }
    auto* g2 = new QHBoxLayout(grp2);
    g2->addWidget(chk1);
    g2->addWidget(dtp1, 1);
    g2->addWidget(new QLabel(QStringLiteral("至"), grp2));
    g2->addWidget(dtp2, 1);

    grp3 = named(new QGroupBox(grp1), "grp3");
    chk2 = named(new QCheckBox(entries::columnsOf(twin_.kind).category, grp3), "chk2");
    cbb1 = named(new QComboBox(grp3), "cbb1");
    auto* g3 = new QHBoxLayout(grp3);
    g3->addWidget(chk2);
    g3->addWidget(cbb1, 1);

    grp4 = named(new QGroupBox(grp1), "grp4");
    chk3 = named(new QCheckBox(entries::columnsOf(twin_.kind).subcategory, grp4), "chk3");
    cbb2 = named(new QComboBox(grp4), "cbb2");
    auto* g4 = new QHBoxLayout(grp4);
    g4->addWidget(chk3);
    g4->addWidget(cbb2, 1);
    for (QComboBox* c : {cbb1, cbb2})
        c->setMinimumWidth(110);

    auto* filters = new QGridLayout(grp1);
    filters->addWidget(lbl1, 0, 0, 1, 3);
    filters->addWidget(grp2, 1, 0);
    filters->addWidget(grp3, 1, 1);
    filters->addWidget(grp4, 1, 2);
    filters->setColumnStretch(0, 3);
    filters->setColumnStretch(1, 2);
    filters->setColumnStretch(2, 2);

    const entries::KindColumns& c = entries::columnsOf(twin_.kind);
    dbgrdh = named(new ui::FooterGrid(this), "dbgrdh");
    dbgrdh->setColumns({
        {QStringLiteral("日期"), 100, QString::fromLatin1(ui::kDateColumn),
         FooterCell::staticText(twin_.totalText)
             .align(Qt::AlignCenter)
             .colors(Qt::white, kMaroon)
             .boldFont()},
        {c.category, 100, QString(), FooterCell()},
        {c.subcategory, 100, QString(), FooterCell()},
        {c.amount, 100, QStringLiteral("0.00"),
         FooterCell::sum(QStringLiteral("￥0.00")).colors(twin_.sumColor).boldFont()},
        {QStringLiteral("结算账户"), 100, QString(), FooterCell()},
        {QStringLiteral("备注"), twin_.remarkWidth, QString(),
         FooterCell::count(twin_.countFormat).align(Qt::AlignCenter).colors(kMaroon).boldFont()},
    });
    dbgrdh->setMinimumSize(14 + 500 + twin_.remarkWidth + 20, 330);
    list_ = new entries::EntryListModel(this);
    list_->setObjectName(twin_.kind == entries::Kind::Income ? QStringLiteral("qrysr")
                                                             : QStringLiteral("qryzc"));
    dbgrdh->setFooterValues([this] { return list_->totals(); });
    dbgrdh->setModel(list_);

    auto* top = new QHBoxLayout;
    top->addLayout(buttons);
    top->addWidget(grp1, 1);
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(8, 8, 8, 8);
    main->addLayout(top);
    main->addWidget(dbgrdh, 1);

    pm1 = named(new QMenu(this), "pm1");
    QAction* add = pm1->addAction(QStringLiteral("添加"));
    QAction* edit = pm1->addAction(QStringLiteral("修改"));
    QAction* del = pm1->addAction(QStringLiteral("删除"));
    pm2 = named(new QMenu(this), "pm2");
    QAction* closeWindow = pm2->addAction(QStringLiteral("关闭窗口"));
    QTableView* view = dbgrdh->view();
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this,
            ui::guarded([this, view](const QPoint& at) { pm1->popup(view->viewport()->mapToGlobal(at)); }));
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            ui::guarded([this](const QPoint& at) { pm2->popup(mapToGlobal(at)); }));

    connect(btn1, &QPushButton::clicked, this, ui::guarded([this] { btn1Click(); }));
    connect(btn2, &QPushButton::clicked, this, ui::guarded([this] { btn2Click(); }));
    connect(btn3, &QPushButton::clicked, this, ui::guarded([this] { btn3Click(); }));
    connect(add, &QAction::triggered, this, ui::guarded([this] { btn1Click(); }));
    connect(edit, &QAction::triggered, this, ui::guarded([this] { btn2Click(); }));
    connect(del, &QAction::triggered, this, ui::guarded([this] { btn3Click(); }));
    connect(view, &QAbstractItemView::doubleClicked, this, ui::guarded([this] { btn2Click(); }));
    connect(closeWindow, &QAction::triggered, this, ui::guarded([this] { close(); }));

    const auto relist = ui::guarded([this] {
        if (!creating_) dtp2Change();
    });
    connect(dtp1, &QDateEdit::dateChanged, this, relist);
    connect(dtp2, &QDateEdit::dateChanged, this, relist);
    connect(chk1, &QCheckBox::clicked, this, relist);
    connect(chk3, &QCheckBox::clicked, this, relist);
    connect(cbb2, &QComboBox::currentIndexChanged, this, relist);
    connect(chk2, &QCheckBox::clicked, this, ui::guarded([this] { chk2Click(); }));
    connect(cbb1, &QComboBox::currentIndexChanged, this, ui::guarded([this] {
                if (!creating_) cbb1Change();
            }));
}

void TEntryBrowser::FormCreate() {
    const QDate today = store::clock().today();
    dtp1->setDate(QDate(today.year(), today.month(), 1));
    dtp2->setDate(today);
    chk1->setChecked(true);
    chk3->setEnabled(false);
    cbb2->setEnabled(false);
    const QStringList names = entries::categories(store::dmod1->con1(), twin_.kind);
    cbb1->addItems(names);
    if (!names.isEmpty()) {
        cbb1->setCurrentIndex(0);
        cbb1Change();
        return;
    }
    // Nothing can be filed without a Category: no listing until one exists.
    cbb1->setPlaceholderText(twin_.noCategoryPlaceholder);
    cbb1->setCurrentIndex(-1);
    for (QWidget* w : std::initializer_list<QWidget*>{cbb1, cbb2, chk1, chk2, chk3})
        w->setEnabled(false);
}

void TEntryBrowser::cbb1Change() {
    if (cbb1->currentIndex() < 0) return;
    const bool wasCreating = creating_;
    creating_ = true; // one listing for the whole change, not one per Subcategory added
    cbb2->clear();
    cbb2->addItems(entries::subcategories(store::dmod1->con1(), twin_.kind, cbb1->currentText()));
    cbb2->setCurrentIndex(cbb2->count() > 0 ? 0 : -1);
    creating_ = wasCreating;
    dtp2Change();
}

void TEntryBrowser::chk2Click() {
    chk3->setEnabled(chk2->isChecked());
    cbb2->setEnabled(chk2->isChecked());
    if (!chk2->isChecked()) chk3->setChecked(false);
    dtp2Change();
}

entries::ListFilter TEntryBrowser::filter() const {
    entries::ListFilter f;
    f.byDate = chk1->isChecked();
    f.from = dtp1->date();
    f.to = dtp2->date();
    f.byCategory = chk2->isChecked();
    f.category = cbb1->currentText();
    f.bySubcategory = chk2->isChecked() && chk3->isChecked();
    f.subcategory = cbb2->currentText();
    return f;
}

void TEntryBrowser::dtp2Change() {
    list_->list(store::dmod1->con1(), twin_.kind, filter());
}

void TEntryBrowser::seekEntry(qint64 id) {
    dbgrdh->seekRow(QStringLiteral("id"), id);
}

void TEntryBrowser::btn1Click() {
    if (cbb1->currentIndex() < 0) return ui::warn(twin_.noCategoryMessage);
    TEntryRecordWindow window(
        twin_, [this] { dtp2Change(); }, this);
    ui::dialogs().runModal(window);
}

void TEntryBrowser::btn2Click() {
    const QSqlRecord current = dbgrdh->currentRecord();
    if (recordId(current).isEmpty()) return ui::warn(QStringLiteral("没有可操作记录！"));
    const qint64 id = current.value(QStringLiteral("id")).toLongLong();
    {
        TEntryCorrectionWindow window(twin_, current, this);
        ui::dialogs().runModal(window);
    }
    // However the correction window closed, the list shows the stored entries again and stands on
    // the one just corrected.
    dtp2Change();
    seekEntry(id);
}

void TEntryBrowser::btn3Click() {
    const QSqlDatabase db = store::dmod1->con1();
    const QSqlRecord current = dbgrdh->currentRecord();
    const entries::KindColumns& c = entries::columnsOf(twin_.kind);
    const QString spent = QStringLiteral("该笔资金已经被使用，结算账户余额不足！");
    if (recordId(current).isEmpty()) return ui::warn(QStringLiteral("没有可操作记录！"));
    if (twin_.deleteChecksBalance) {
        const store::Money balance =
            store::balanceLookup(db, current.value(QStringLiteral("结算账户")).toString())
                .value_or(store::Money());
        if (store::moneyOf(current.value(c.amount)) > balance) return ui::warn(spent);
    }
    if (!ui::dialogs().confirm(QStringLiteral("删除记录"), QStringLiteral("你确定要删除该记录？"),
                               ui::Icon::Question)) {
        if (twin_.refreshAfterCancelledDelete) ui::triggerDashboardRefresh();
        return;
    }
    // The row may be stale: the operation judges the stored entry and balance.
    const entries::Outcome outcome =
        entries::deleteEntry(db, twin_.kind, current.value(QStringLiteral("id")).toLongLong());
    dtp2Change();
    store::requery(*store::dmod1);
    if (outcome == entries::Outcome::Overdraw) return ui::warn(spent);
    ui::triggerDashboardRefresh();
}
