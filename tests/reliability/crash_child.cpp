// The child of the crash test: opens a ledger, runs one operation of the writing-operation table
// and dies by SIGKILL at its k-th write, sync, truncate or delete.
//   crash_child <ledger file> <operation> <k>
// Prints "completed" when the operation completed before the k-th call. Exit 2: bad arguments or
// an unknown operation; 3: the operation threw.
#include "store/db.h"
#include "store/dmod1.h"
#include "support/fault_vfs.h"
#include "support/writing_ops.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) return 2;
    const WritingOp* op = findWritingOp(args[2]);
    if (!op) return 2;
    faultvfs::install();
    try {
        store::Tdmod1 dm;
        dm.open(args[1]);
        faultvfs::arm(faultvfs::Mode::Kill, args[3].toInt());
        op->run(dm.con1());
        faultvfs::disarm();
        // Said before the exit, whose checks (a sanitizer's leak check) could still end the process
        // by a signal and pass for a kill.
        std::printf("completed\n");
        std::fflush(stdout);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 3;
    }
    return 0;
}
