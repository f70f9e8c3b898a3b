// The about window Taboutfrm: the product's picture, the motto, and a greeting with a potted flower
// that grows with the number of logins; from the 20th login on, the donation button.
#pragma once

#include <QDialog>
#include <QUrl>
#include <functional>
#include <memory>

class QMenu;
class QAction;

namespace Ui {
class Taboutfrm;
}

// Opens a web address in the desktop's browser; false when no browser could be started.
using UrlOpener = std::function<bool(const QUrl&)>;
// Replaces how addresses are opened (an empty function brings back the desktop's browser).
void setUrlOpener(UrlOpener opener);

// Where the donation button leads.
inline constexpr char kDonationAddress[] = "https://yunshan.example.org/donate";

class Taboutfrm : public QDialog {
    Q_OBJECT
public:
    explicit Taboutfrm(QWidget* owner = nullptr);
    ~Taboutfrm() override;

    // The greeting for the n-th login; firstLogin is the first login's date as shown.
    static QString greeting(qint64 n, const QString& firstLogin);
    // Which flower picture goes with it: 2 (the young sprout) to 7 (full bloom).
    static int flowerFor(qint64 n);

    QMenu* pm2 = nullptr;
    QAction* N1 = nullptr;

private:
    void FormCreate();
    void btn1Click();

    std::unique_ptr<Ui::Taboutfrm> form;
};
