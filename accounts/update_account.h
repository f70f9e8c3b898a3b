// The edit-account window Tupdatefrm "修改账户信息": renames the current account or changes its note.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>

class QSqlRecord;

namespace Ui {
class Tupdatefrm;
}

class Tupdatefrm : public QDialog {
    Q_OBJECT
public:
    // current: the account list's current row, as the main window's grid holds it.
    Tupdatefrm(QWidget* owner, const QSqlRecord& current);
    ~Tupdatefrm() override;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void btn1Click();
    void btn2Click();
    void restoreName();

    std::unique_ptr<Ui::Tupdatefrm> form;
    qint64 id_ = 0;
    QString name_; // the current row's 账户名称
};
