// The system management window Tsysfrm: the user's name and password, backup, restore, clearing
// and initialisation of the ledger, and the welcome switch.
#pragma once

#include <QDialog>
#include <memory>

class QMenu;
class QAction;

namespace Ui {
class Tsysfrm;
}

class Tsysfrm : public QDialog {
    Q_OBJECT
public:
    explicit Tsysfrm(QWidget* owner = nullptr);
    ~Tsysfrm() override;

    // The nine lines of the notes memo.
    static QStringList memoLines();
    // The main window's caption after a change of user name, and after initialisation.
    static QString renamedCaption(const QString& user);
    static QString initialisedCaption();

    QMenu* pm1 = nullptr;
    QAction* N1 = nullptr;

private:
    void FormCreate();
    void btn1Click();
    void btn2Click();
    void btn5Click();
    void btn6Click();
    void btn7Click();
    void btn8Click();
    void chk1Click();
    void chk2Click();
    void chk3Click();
    void chk4Click();
    void showBackupTime(const QString& time);
    void setMainCaption(const QString& caption);

    std::unique_ptr<Ui::Tsysfrm> form;
    QString storedPassword_; // as read at opening: a second change must give this one as the old one
};
