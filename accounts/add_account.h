// The add-account window Taddfrm "添加账户信息": a name, an opening amount and a note.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class Taddfrm;
}

class Taddfrm : public QDialog {
    Q_OBJECT
public:
    explicit Taddfrm(QWidget* owner = nullptr);
    ~Taddfrm() override;

private:
    void btn1Click();
    void btn2Click();

    std::unique_ptr<Ui::Taddfrm> form;
};
