// Where the ledger lives: the folder that holds data/ and backdatabase/.
#pragma once

#include <QString>

namespace platform {

// The program's own folder when it holds data/ or backdatabase/ and can be written (the build
// folder, a portable copy); otherwise userDir, the user's data folder.
QString chooseProgramFolder(const QString& exeDir, const QString& userDir);

// Makes userDir a program folder: places data/bridge.ysn from the template when there is none, and
// keeps backdatabase/systemdata.ysn equal to the template. An existing ledger is never touched.
// Gives false when a file could not be placed (the start check then reports the missing ledger).
bool prepareUserFolder(const QString& userDir, const QString& templateFile);

// The folder the running program keeps its ledger in. installedData is the data root of an
// installed program relative to the executable's folder (e.g. "../share/yunshan"); its
// backdatabase/ holds the template a user's first ledger is made from.
QString programFolder(const QString& installedData);

} // namespace platform
