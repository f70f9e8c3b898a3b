// The fault-injecting VFS: a shim over the default VFS whose files forward every method and count
// writes, syncs, truncates and deletes.
#include "support/fault_vfs.h"

#include <csignal>
#include <cstring>
#include <sqlite3.h>

namespace faultvfs {

namespace {

Mode mode = Mode::Off;
int target = 0;
int counted = 0;
bool hit = false;

sqlite3_vfs* real = nullptr;
sqlite3_vfs shim;
sqlite3_io_methods methods;

// Our file: the shim's header, then the real VFS's file in the same allocation.
struct File {
    sqlite3_file base;
    sqlite3_file* inner;
};

sqlite3_file* inner(sqlite3_file* f) {
    return reinterpret_cast<File*>(f)->inner;
}

// SQLITE_OK to let the call through, or the error it fails with.
int fault(int ioError) {
    if (mode == Mode::Off) return SQLITE_OK;
    if (++counted != target) return SQLITE_OK;
    hit = true;
    switch (mode) {
    case Mode::IoError:
        return ioError;
    case Mode::Full:
        return SQLITE_FULL;
    case Mode::Kill:
        std::raise(SIGKILL);
        return SQLITE_OK;
    case Mode::Off:
        break;
    }
    return SQLITE_OK;
}

int xClose(sqlite3_file* f) {
    return inner(f)->pMethods->xClose(inner(f));
}
int xRead(sqlite3_file* f, void* buf, int n, sqlite3_int64 off) {
    return inner(f)->pMethods->xRead(inner(f), buf, n, off);
}
int xWrite(sqlite3_file* f, const void* buf, int n, sqlite3_int64 off) {
    if (const int rc = fault(SQLITE_IOERR_WRITE)) return rc;
    return inner(f)->pMethods->xWrite(inner(f), buf, n, off);
}
int xTruncate(sqlite3_file* f, sqlite3_int64 size) {
    if (const int rc = fault(SQLITE_IOERR_TRUNCATE)) return rc;
    return inner(f)->pMethods->xTruncate(inner(f), size);
}
int xSync(sqlite3_file* f, int flags) {
    if (const int rc = fault(SQLITE_IOERR_FSYNC)) return rc;
    return inner(f)->pMethods->xSync(inner(f), flags);
}
int xFileSize(sqlite3_file* f, sqlite3_int64* size) {
    return inner(f)->pMethods->xFileSize(inner(f), size);
}
int xLock(sqlite3_file* f, int level) {
    return inner(f)->pMethods->xLock(inner(f), level);
}
int xUnlock(sqlite3_file* f, int level) {
    return inner(f)->pMethods->xUnlock(inner(f), level);
}
int xCheckReservedLock(sqlite3_file* f, int* out) {
    return inner(f)->pMethods->xCheckReservedLock(inner(f), out);
}
int xFileControl(sqlite3_file* f, int op, void* arg) {
    return inner(f)->pMethods->xFileControl(inner(f), op, arg);
}
int xSectorSize(sqlite3_file* f) {
    return inner(f)->pMethods->xSectorSize(inner(f));
}
int xDeviceCharacteristics(sqlite3_file* f) {
    return inner(f)->pMethods->xDeviceCharacteristics(inner(f));
}
int xShmMap(sqlite3_file* f, int page, int size, int extend, void volatile** p) {
    return inner(f)->pMethods->xShmMap(inner(f), page, size, extend, p);
}
int xShmLock(sqlite3_file* f, int offset, int n, int flags) {
    return inner(f)->pMethods->xShmLock(inner(f), offset, n, flags);
}
void xShmBarrier(sqlite3_file* f) {
    inner(f)->pMethods->xShmBarrier(inner(f));
}
int xShmUnmap(sqlite3_file* f, int deleteFlag) {
    return inner(f)->pMethods->xShmUnmap(inner(f), deleteFlag);
}
int xFetch(sqlite3_file* f, sqlite3_int64 off, int n, void** p) {
    return inner(f)->pMethods->xFetch(inner(f), off, n, p);
}
int xUnfetch(sqlite3_file* f, sqlite3_int64 off, void* p) {
    return inner(f)->pMethods->xUnfetch(inner(f), off, p);
}

int xOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* outFlags) {
    File* file = reinterpret_cast<File*>(f);
    file->inner = reinterpret_cast<sqlite3_file*>(file + 1);
    const int rc = real->xOpen(real, name, file->inner, flags, outFlags);
    // SQLite calls xClose only on files whose methods are set; a failed open must leave them unset.
    file->base.pMethods = file->inner->pMethods ? &methods : nullptr;
    return rc;
}

// The VFS's own methods go to the real VFS, handing it its own pointer.
// Deleting the rollback journal is the moment a transaction commits, so it counts as well.
int xDelete(sqlite3_vfs*, const char* name, int syncDir) {
    if (const int rc = fault(SQLITE_IOERR_DELETE)) return rc;
    return real->xDelete(real, name, syncDir);
}
int xAccess(sqlite3_vfs*, const char* name, int flags, int* out) {
    return real->xAccess(real, name, flags, out);
}
int xFullPathname(sqlite3_vfs*, const char* name, int n, char* out) {
    return real->xFullPathname(real, name, n, out);
}
void* xDlOpen(sqlite3_vfs*, const char* name) {
    return real->xDlOpen(real, name);
}
void xDlError(sqlite3_vfs*, int n, char* msg) {
    real->xDlError(real, n, msg);
}
void (*xDlSym(sqlite3_vfs*, void* lib, const char* sym))(void) {
    return real->xDlSym(real, lib, sym);
}
void xDlClose(sqlite3_vfs*, void* lib) {
    real->xDlClose(real, lib);
}
int xRandomness(sqlite3_vfs*, int n, char* out) {
    return real->xRandomness(real, n, out);
}
int xSleep(sqlite3_vfs*, int micro) {
    return real->xSleep(real, micro);
}
int xCurrentTime(sqlite3_vfs*, double* out) {
    return real->xCurrentTime(real, out);
}
int xGetLastError(sqlite3_vfs*, int n, char* out) {
    return real->xGetLastError ? real->xGetLastError(real, n, out) : 0;
}
int xCurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* out) {
    return real->xCurrentTimeInt64(real, out);
}

} // namespace

void install() {
    if (real) return;
    real = sqlite3_vfs_find(nullptr);

    // The default unix VFS is version 3 with version 3 files; the shim mirrors that.
    std::memset(&methods, 0, sizeof methods);
    methods.iVersion = 3;
    methods.xClose = xClose;
    methods.xRead = xRead;
    methods.xWrite = xWrite;
    methods.xTruncate = xTruncate;
    methods.xSync = xSync;
    methods.xFileSize = xFileSize;
    methods.xLock = xLock;
    methods.xUnlock = xUnlock;
    methods.xCheckReservedLock = xCheckReservedLock;
    methods.xFileControl = xFileControl;
    methods.xSectorSize = xSectorSize;
    methods.xDeviceCharacteristics = xDeviceCharacteristics;
    methods.xShmMap = xShmMap;
    methods.xShmLock = xShmLock;
    methods.xShmBarrier = xShmBarrier;
    methods.xShmUnmap = xShmUnmap;
    methods.xFetch = xFetch;
    methods.xUnfetch = xUnfetch;

    std::memset(&shim, 0, sizeof shim);
    shim.iVersion = 2;
    shim.szOsFile = int(sizeof(File)) + real->szOsFile;
    shim.mxPathname = real->mxPathname;
    shim.zName = "yunshan-fault";
    shim.xOpen = xOpen;
    shim.xDelete = xDelete;
    shim.xAccess = xAccess;
    shim.xFullPathname = xFullPathname;
    shim.xDlOpen = xDlOpen;
    shim.xDlError = xDlError;
    shim.xDlSym = xDlSym;
    shim.xDlClose = xDlClose;
    shim.xRandomness = xRandomness;
    shim.xSleep = xSleep;
    shim.xCurrentTime = xCurrentTime;
    shim.xGetLastError = xGetLastError;
    shim.xCurrentTimeInt64 = xCurrentTimeInt64;
    sqlite3_vfs_register(&shim, 1);
}

void arm(Mode m, int k) {
    mode = m;
    target = k;
    counted = 0;
    hit = false;
}

void disarm() {
    mode = Mode::Off;
}

int calls() {
    return counted;
}

bool fired() {
    return hit;
}

} // namespace faultvfs
