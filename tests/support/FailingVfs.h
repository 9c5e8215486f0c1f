#pragma once

#include <sqlite3.h>

#include <cstring>

namespace kivrun::test {

// A disk that fills up on demand: SQLite's own file layer, with every write after the first
// `allowed` ones failing as a full disk does. Installed as the default for the whole test
// process; while it is not armed it only passes calls on.
class FailingVfs {
  public:
    static void Install() {
        static bool installed = false;
        if (installed) return;
        installed = true;
        State& s = state();
        s.real = sqlite3_vfs_find(nullptr);
        s.vfs = *s.real;
        s.vfs.zName = "kivrun-failing";
        s.vfs.szOsFile = static_cast<int>(sizeof(File)) + s.real->szOsFile;
        s.vfs.xOpen = &Open;
        sqlite3_vfs_register(&s.vfs, 1);
    }
    // Writes from now on succeed `allowed` times, then fail.
    static void FailWritesAfter(int allowed) {
        state().armed = true;
        state().left = allowed;
    }
    static void Disarm() { state().armed = false; }

  private:
    struct File {
        sqlite3_file base;
        sqlite3_file* real;  // follows this struct in the same allocation
    };
    struct State {
        sqlite3_vfs vfs{};
        sqlite3_vfs* real = nullptr;
        sqlite3_io_methods methods{};
        bool armed = false;
        int left = 0;
    };
    static State& state() {
        static State s;
        return s;
    }
    static sqlite3_file* Real(sqlite3_file* f) { return reinterpret_cast<File*>(f)->real; }

    static int Write(sqlite3_file* f, const void* data, int n, sqlite3_int64 offset) {
        State& s = state();
        if (s.armed && --s.left < 0) return SQLITE_FULL;
        return Real(f)->pMethods->xWrite(Real(f), data, n, offset);
    }

    static int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags,
                    int* outFlags) {
        State& s = state();
        File* file = reinterpret_cast<File*>(f);
        file->real = reinterpret_cast<sqlite3_file*>(file + 1);
        std::memset(file->real, 0, static_cast<size_t>(s.real->szOsFile));
        const int rc = s.real->xOpen(s.real, name, file->real, flags, outFlags);
        if (rc != SQLITE_OK || !file->real->pMethods) {
            f->pMethods = nullptr;
            return rc;
        }
        // Every other call goes to the real file as it is.
        const sqlite3_io_methods* real = file->real->pMethods;
        s.methods = *real;
        s.methods.xWrite = &Write;
        s.methods.xClose = [](sqlite3_file* g) { return Real(g)->pMethods->xClose(Real(g)); };
        s.methods.xTruncate = [](sqlite3_file* g, sqlite3_int64 size) {
            return Real(g)->pMethods->xTruncate(Real(g), size);
        };
        s.methods.xRead = [](sqlite3_file* g, void* d, int n, sqlite3_int64 o) {
            return Real(g)->pMethods->xRead(Real(g), d, n, o);
        };
        s.methods.xSync = [](sqlite3_file* g, int fl) {
            return Real(g)->pMethods->xSync(Real(g), fl);
        };
        s.methods.xFileSize = [](sqlite3_file* g, sqlite3_int64* sz) {
            return Real(g)->pMethods->xFileSize(Real(g), sz);
        };
        s.methods.xLock = [](sqlite3_file* g, int l) {
            return Real(g)->pMethods->xLock(Real(g), l);
        };
        s.methods.xUnlock = [](sqlite3_file* g, int l) {
            return Real(g)->pMethods->xUnlock(Real(g), l);
        };
        s.methods.xCheckReservedLock = [](sqlite3_file* g, int* r) {
            return Real(g)->pMethods->xCheckReservedLock(Real(g), r);
        };
        s.methods.xFileControl = [](sqlite3_file* g, int op, void* a) {
            return Real(g)->pMethods->xFileControl(Real(g), op, a);
        };
        s.methods.xSectorSize = [](sqlite3_file* g) {
            return Real(g)->pMethods->xSectorSize(Real(g));
        };
        s.methods.xDeviceCharacteristics = [](sqlite3_file* g) {
            return Real(g)->pMethods->xDeviceCharacteristics(Real(g));
        };
        // Shared memory and memory mapping are for WAL and mmap, which the log does not use.
        s.methods.iVersion = 1;
        f->pMethods = &s.methods;
        return rc;
    }
};

}  // namespace kivrun::test
