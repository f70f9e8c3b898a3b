// The render command: draws every window with a sample ledger into PNG files.
// Usage: yunshan_render OUTDIR (run with QT_QPA_PLATFORM=offscreen, or under Xvfb).
#include "store/clock.h"
#include "store/dmod1.h"
#include "store/sample_ledger.h"
#include "ui/dialogs.h"
#include "ui/render.h"
#include "ui/window_style.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QTemporaryDir>
#include <cstdio>

namespace {
// Boxes are not shown while rendering; modal windows are shown by their renderer, not run.
class SilentDialogs : public ui::Dialogs {
public:
    void message(const QString&, const QString& text, ui::Icon) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    bool confirm(const QString&, const QString&, ui::Icon) override { return false; }
    bool question(const QString&, const QString&, ui::Icon) override { return false; }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    int runModal(QDialog&) override { return QDialog::Rejected; }
};
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(ui::appTitle());
    QApplication::setFont(ui::programFont(10));
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TEMPLATE OUTDIR\n", argv[0]);
        return 2;
    }
    const QString templ = QString::fromLocal8Bit(argv[1]);
    const QString outDir = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(outDir);
    QTemporaryDir programDir;
    QDir(programDir.path()).mkpath(QStringLiteral("data"));
    QDir(programDir.path()).mkpath(QStringLiteral("backdatabase"));
    const QString data = store::Tdmod1::dataFilePath(programDir.path());
    if (!QFile::copy(templ, data) || !QFile::copy(templ, store::Tdmod1::templatePath(programDir.path()))) {
        std::fprintf(stderr, "cannot copy the template %s\n", argv[1]);
        return 1;
    }
    QFile::setPermissions(data, QFile::ReadOwner | QFile::WriteOwner);

    const store::FixedClock clock(QDateTime(QDate(2026, 5, 15), QTime(9, 41, 26)));
    store::setClock(&clock);
    SilentDialogs dialogs;
    ui::setDialogs(&dialogs);
    store::Tdmod1 dm;
    dm.open(data);
    store::fillSampleLedger(dm.con1(), clock.today());

    const ui::RenderContext ctx{outDir, dm};
    renderAppWindows(ctx);
    renderAdminWindows(ctx);
    renderReportsWindows(ctx);
    renderAccountsWindows(ctx);
    renderEntriesWindows(ctx);
    renderLoansWindows(ctx);
    ui::setDialogs(nullptr);
    std::printf("windows rendered into %s\n", qPrintable(outDir));
    return 0;
}
