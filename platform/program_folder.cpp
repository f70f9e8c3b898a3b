// Where the ledger lives.
#include "platform/program_folder.h"

#include "store/dmod1.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace platform {

namespace {

// A file is written whole or not at all: an interrupted first start leaves no half ledger behind
// that a later start would take for the user's own.
bool writeWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    // The ledger is private to its user, and a template installed read-only must not make a
    // read-only ledger.
    return file.commit() && QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QString chooseProgramFolder(const QString& exeDir, const QString& userDir) {
    const QDir dir(exeDir);
    const bool holdsLedger = dir.exists(QStringLiteral("data")) || dir.exists(QStringLiteral("backdatabase"));
    if ((holdsLedger && QFileInfo(exeDir).isWritable()) || userDir.isEmpty()) return exeDir;
    return userDir;
}

bool prepareUserFolder(const QString& userDir, const QString& templateFile) {
    QFile source(templateFile);
    if (!source.open(QIODevice::ReadOnly)) return false;
    const QByteArray pristine = source.readAll();
    const QDir dir(userDir);
    if (!dir.mkpath(QStringLiteral("data")) || !dir.mkpath(QStringLiteral("backdatabase"))) return false;

    bool placed = true;
    // The user's template follows the installed one, so that initialising after an upgrade gives
    // a ledger of the upgraded program.
    const QString copy = store::Tdmod1::templatePath(userDir);
    if (contents(copy) != pristine) placed = writeWhole(copy, pristine);
    const QString ledger = store::Tdmod1::dataFilePath(userDir);
    if (!QFileInfo::exists(ledger)) placed = writeWhole(ledger, pristine) && placed;
    return placed;
}

QString programFolder(const QString& installedData) {
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString folder = chooseProgramFolder(exeDir, userDir);
    if (folder == exeDir) return folder;
    // A read-only portable copy brings its own template; an installed program has it under its
    // data root.
    QString templateFile = store::Tdmod1::templatePath(exeDir);
    if (!QFileInfo::exists(templateFile))
        templateFile = store::Tdmod1::templatePath(QDir(exeDir).filePath(installedData));
    prepareUserFolder(folder, templateFile);
    return folder;
}

} // namespace platform
