// The statistics window TYFLTJfrm "月分类统计": the shown month and its year broken down by day,
// month and Subcategory, in grids and six charts.
#pragma once

#include "reports/statistics_ops.h"

#include <QDialog>
#include <QHash>
#include <array>
#include <memory>

class QChartView;
class QMenu;
class QAction;
class QPushButton;
class QSqlQueryModel;

namespace Ui {
class TYFLTJfrm;
}

class TYFLTJfrm : public QDialog {
    Q_OBJECT
public:
    // Reads everything it shows now: the month's and the year's figures for shown.
    TYFLTJfrm(QWidget* owner, const reports::ShownMonth& shown);
    ~TYFLTJfrm() override;

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A chart switch: the button, its two captions and the chart it shows or hides.
    struct ChartSwitch {
        QPushButton* button = nullptr;
        QString hiddenCaption;
        QString shownCaption;
        QChartView* chart = nullptr;
    };

    void FormCreate();
    void dbedt1Change();
    void switchChart(int index);
    void FormClose();
    void N1Click();
    void setBanner();
    void buildCharts(const reports::Statistics& s);

    std::unique_ptr<Ui::TYFLTJfrm> form;
    reports::ShownMonth shown_;
    QSqlQueryModel* qrySZ = nullptr; // day summary
    QSqlQueryModel* qryS = nullptr;  // the selected day's income
    QSqlQueryModel* qryZ = nullptr;  // the selected day's expense
    std::array<QChartView*, 6> dbcht{};
    std::array<ChartSwitch, 6> switches_;
    QHash<QObject*, int> doubleClickPlaces_; // widget -> index into switches_
    QString shownDay_;                       // the day the detail grids show; empty for none
    QMenu* pm1 = nullptr;
    QAction* N1 = nullptr;
};

namespace reports {
// "收支图表" / "显示月度统计明细": opens the statistics for the month the dashboard shows.
void statisticsCommand(QWidget* owner, const ShownMonth& shown);
} // namespace reports
