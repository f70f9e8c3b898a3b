// The about window.
#include "admin/about_window.h"
#include "ui_about_window.h"

#include "store/db.h"
#include "store/dmod1.h"
#include "ui/artwork.h"
#include "ui/dialogs.h"
#include "ui/guard.h"
#include "ui/locale_text.h"
#include "ui/window_style.h"

#include <QDate>
#include <QDesktopServices>
#include <QMenu>
#include <QSqlQuery>

namespace {
UrlOpener urlOpener;

bool openUrl(const QUrl& url) {
    return urlOpener ? urlOpener(url) : QDesktopServices::openUrl(url);
}

// The first login's date as stored (yyyy-MM-dd) in the system's short form; other text as it is.
QString firstLoginText(const QString& stored) {
    const QDate d = QDate::fromString(stored, Qt::ISODate);
    return d.isValid() ? ui::shortDateText(d) : stored;
}
} // namespace

void setUrlOpener(UrlOpener opener) {
    urlOpener = std::move(opener);
}

Taboutfrm::Taboutfrm(QWidget* owner) : QDialog(owner), form(std::make_unique<Ui::Taboutfrm>()) {
    form->setupUi(this);
    form->btn1->hide();
    QLabel* const flowers[] = {form->img2, form->img3, form->img4, form->img5, form->img6, form->img7};
    static const char* const stages[] = {"幼苗", "抽叶", "含苞", "初开", "盛放", "满枝繁花"};
    for (int i = 0; i < 6; ++i) {
        QLabel* img = flowers[i];
        img->hide();
        img->setPixmap(ui::svgPixmap(QStringLiteral(":/about/flower-%1.svg").arg(i + 1), img->size(),
                                     devicePixelRatioF()));
        img->setAccessibleName(QString::fromUtf8(stages[i]));
    }
    form->img1->setPixmap(
        ui::svgPixmap(QStringLiteral(":/about/info.svg"), form->img1->size(), devicePixelRatioF()));
    form->img1->setAccessibleName(QStringLiteral("云杉个人记账管理软件 V2.1版"));

    pm2 = new QMenu(this);
    pm2->setObjectName(QStringLiteral("pm2"));
    N1 = pm2->addAction(QStringLiteral("关闭窗口"));
    N1->setObjectName(QStringLiteral("N1"));
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            ui::guarded([this](const QPoint& at) { pm2->popup(mapToGlobal(at)); }));
    connect(N1, &QAction::triggered, this, ui::guarded([this] { close(); }));
    connect(form->btn1, &QPushButton::clicked, this, ui::guarded([this] { btn1Click(); }));
    ui::guarded([this] { FormCreate(); })();
}

Taboutfrm::~Taboutfrm() = default;

QString Taboutfrm::greeting(qint64 n, const QString& firstLogin) {
    const QString N = QString::number(n);
    const QString you = QStringLiteral("您已累计登陆 ") + N;
    const QString thou = QStringLiteral("你已累计登陆 ") + N;
    if (n == 1) return QStringLiteral("初次见面，我是云杉，真的很高兴认识您！");
    if (n >= 2 && n <= 20) return you + QStringLiteral(" 次。继续坚持，云杉为您加油!");
    if (n >= 21 && n <= 50) return you + QStringLiteral(" 次。我的朋友，今天过的还好吗！");
    if (n >= 51 && n <= 80) return thou + QStringLiteral(" 次。老朋友，咱们又见面了！");
    if (n >= 81 && n <= 120) return thou + QStringLiteral(" 次。老友相伴，人生乐哉！");
    if (n >= 121 && n <= 199) return thou + QStringLiteral(" 次。有空的时候，多陪陪家人，他们都很爱你！");
    if (n == 200)
        return N + QStringLiteral("次。哇哦！~~厉害，记咱们什么时候认识的吗？是~~~哎，还是下次告诉你。");
    if (n == 201) return thou + QStringLiteral(" 次。咱们第一次认识的日期是:") + firstLogin;
    return thou + QStringLiteral(" 次。微笑~~~~，茄子！：)");
}

int Taboutfrm::flowerFor(qint64 n) {
    if (n >= 1 && n <= 20) return 2;
    if (n >= 21 && n <= 50) return 3;
    if (n >= 51 && n <= 80) return 4;
    if (n >= 81 && n <= 120) return 5;
    if (n >= 121 && n <= 200) return 6;
    return 7;
}

void Taboutfrm::FormCreate() {
    ui::applyStandardStyle(this);
    resize(width(), 318);
    QSqlQuery q = store::exec(store::dmod1->con1(),
                              QStringLiteral("select dlcount, startdd from dlcount order by rowid limit 1"));
    const bool found = q.next();
    const qint64 n = found ? q.value(0).toLongLong() : 0;
    const QString firstLogin = found ? firstLoginText(q.value(1).toString()) : QString();
    form->lbl2->setText(greeting(n, firstLogin));
    QLabel* const flowers[] = {form->img2, form->img3, form->img4, form->img5, form->img6, form->img7};
    flowers[flowerFor(n) - 2]->show();
    if (n >= 20) {
        form->btn1->show();
        resize(width(), 348);
    }
}

void Taboutfrm::btn1Click() {
    const QString address = QString::fromLatin1(kDonationAddress);
    if (!openUrl(QUrl(address)))
        ui::warn(QStringLiteral("亲！~没能打开浏览器，请在浏览器中访问捐助页面：\n") + address);
}
