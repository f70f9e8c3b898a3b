// The desktop calculator.
#include "platform/calculator.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <sys/types.h>

namespace platform {

namespace {
// A detached process is re-parented; where nobody reaps it, its zombie would still answer kill(0).
bool isRunning(qint64 pid) {
    if (pid <= 0) return false;
    if (::kill(static_cast<pid_t>(pid), 0) != 0) return errno == EPERM;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return true;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close < 0 || close + 2 >= line.size() || line.at(close + 2) != 'Z';
}
} // namespace

QStringList DesktopCalculator::defaultPrograms() {
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),         QStringLiteral("galculator"),
            QStringLiteral("mate-calc"),        QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")};
}

DesktopCalculator::DesktopCalculator(QStringList programs) : programs_(std::move(programs)) {}

QString DesktopCalculator::program() const {
    for (const QString& p : programs_) {
        if (QFileInfo(p).isAbsolute()) {
            if (QFileInfo(p).isExecutable()) return p;
        } else if (const QString found = QStandardPaths::findExecutable(p); !found.isEmpty()) {
            return found;
        }
    }
    return QString();
}

void DesktopCalculator::start() {
    const QString exe = program();
    if (exe.isEmpty()) return;
    qint64 pid = 0;
    if (QProcess::startDetached(exe, {}, QString(), &pid) && pid > 0) started_.append(pid);
}

void DesktopCalculator::closeOne() {
    const QList<qint64> live = running();
    if (live.isEmpty()) return;
    const qint64 pid = live.last();
    ::kill(static_cast<pid_t>(pid), SIGTERM);
    started_.removeOne(pid);
}

QList<qint64> DesktopCalculator::running() const {
    started_.removeIf([](qint64 pid) { return !isRunning(pid); });
    return started_;
}

} // namespace platform
