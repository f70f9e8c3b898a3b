// The transfer window TZKfrm "资金账户间转款": moves money from one Fund account to another.
#pragma once

#include <QDialog>
#include <memory>

class QMenu;
class QAction;

namespace Ui {
class TZKfrm;
}

class TZKfrm : public QDialog {
    Q_OBJECT
public:
    explicit TZKfrm(QWidget* owner = nullptr);
    ~TZKfrm() override;

private:
    void FormCreate();
    void cbb1Change();
    void btn1Click();
    void btn2Click();
    void N1Click();

    std::unique_ptr<Ui::TZKfrm> form;
    QMenu* pm2 = nullptr;
    QAction* N1 = nullptr;
};
