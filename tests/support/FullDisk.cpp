#include "support/FullDisk.h"

#include <sqlcipher/sqlite3.h>

#include <QFileInfo>

#include <cstring>
#include <stdexcept>

namespace testsupport {

namespace {

sqlite3_vfs* systemVfs = nullptr;
sqlite3_vfs layer;
sqlite3_io_methods layerMethods;
bool allFull = false;
QStringList fullNames;

// A file of the layer: its own header, then the system's file.
struct LayerFile {
    sqlite3_file base;
    QString name;
    sqlite3_file* system() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

LayerFile* asLayer(sqlite3_file* file) { return reinterpret_cast<LayerFile*>(file); }

bool isFull(const LayerFile* file)
{
    if (allFull)
        return true;
    for (const QString& name : fullNames)
        if (file->name.startsWith(name))
            return true;
    return false;
}

int layerClose(sqlite3_file* f)
{
    LayerFile* file = asLayer(f);
    const int rc = file->system()->pMethods ? file->system()->pMethods->xClose(file->system()) : SQLITE_OK;
    file->name.~QString();
    return rc;
}
int layerRead(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset)
{
    return asLayer(f)->system()->pMethods->xRead(asLayer(f)->system(), buffer, amount, offset);
}
int layerWrite(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset)
{
    if (isFull(asLayer(f)))
        return SQLITE_FULL;
    return asLayer(f)->system()->pMethods->xWrite(asLayer(f)->system(), buffer, amount, offset);
}
int layerTruncate(sqlite3_file* f, sqlite3_int64 size)
{
    return asLayer(f)->system()->pMethods->xTruncate(asLayer(f)->system(), size);
}
int layerSync(sqlite3_file* f, int flags) { return asLayer(f)->system()->pMethods->xSync(asLayer(f)->system(), flags); }
int layerFileSize(sqlite3_file* f, sqlite3_int64* size)
{
    return asLayer(f)->system()->pMethods->xFileSize(asLayer(f)->system(), size);
}
int layerLock(sqlite3_file* f, int lock) { return asLayer(f)->system()->pMethods->xLock(asLayer(f)->system(), lock); }
int layerUnlock(sqlite3_file* f, int lock)
{
    return asLayer(f)->system()->pMethods->xUnlock(asLayer(f)->system(), lock);
}
int layerCheckReservedLock(sqlite3_file* f, int* out)
{
    return asLayer(f)->system()->pMethods->xCheckReservedLock(asLayer(f)->system(), out);
}
int layerFileControl(sqlite3_file* f, int op, void* arg)
{
    return asLayer(f)->system()->pMethods->xFileControl(asLayer(f)->system(), op, arg);
}
int layerSectorSize(sqlite3_file* f) { return asLayer(f)->system()->pMethods->xSectorSize(asLayer(f)->system()); }
int layerDeviceCharacteristics(sqlite3_file* f)
{
    return asLayer(f)->system()->pMethods->xDeviceCharacteristics(asLayer(f)->system());
}

int layerOpen(sqlite3_vfs*, const char* name, sqlite3_file* f, int flags, int* outFlags)
{
    LayerFile* file = asLayer(f);
    new (&file->name) QString(name ? QFileInfo(QString::fromUtf8(name)).fileName() : QString());
    file->base.pMethods = nullptr;
    std::memset(file->system(), 0, size_t(systemVfs->szOsFile));
    const int rc = systemVfs->xOpen(systemVfs, name, file->system(), flags, outFlags);
    if (rc != SQLITE_OK) {
        file->name.~QString();
        return rc;
    }
    file->base.pMethods = &layerMethods;
    return SQLITE_OK;
}

// The layer is the system's file layer with its own open (the rest of the vfs calls are shared).
void buildLayer()
{
    layer = *systemVfs;
    layer.zName = "quizlore-full-disk";
    layer.szOsFile = int(sizeof(LayerFile)) + systemVfs->szOsFile;
    layer.xOpen = layerOpen;
    layer.pNext = nullptr;
    // Version 1 methods only: no shared memory or memory-mapped I/O, which table files do not use.
    layerMethods = {};
    layerMethods.iVersion = 1;
    layerMethods.xClose = layerClose;
    layerMethods.xRead = layerRead;
    layerMethods.xWrite = layerWrite;
    layerMethods.xTruncate = layerTruncate;
    layerMethods.xSync = layerSync;
    layerMethods.xFileSize = layerFileSize;
    layerMethods.xLock = layerLock;
    layerMethods.xUnlock = layerUnlock;
    layerMethods.xCheckReservedLock = layerCheckReservedLock;
    layerMethods.xFileControl = layerFileControl;
    layerMethods.xSectorSize = layerSectorSize;
    layerMethods.xDeviceCharacteristics = layerDeviceCharacteristics;
}

}  // namespace

FullDisk::FullDisk()
{
    if (systemVfs)
        throw std::logic_error("one FullDisk at a time");
    sqlite3_initialize();
    systemVfs = sqlite3_vfs_find(nullptr);
    buildLayer();
    sqlite3_vfs_register(&layer, 1);
}

FullDisk::~FullDisk()
{
    makeRoom();
    sqlite3_vfs_unregister(&layer);
    sqlite3_vfs_register(systemVfs, 1);
    systemVfs = nullptr;
}

void FullDisk::fill(const QString& fileName) { fullNames.append(fileName); }

void FullDisk::fillAll() { allFull = true; }

void FullDisk::makeRoom()
{
    allFull = false;
    fullNames.clear();
}

}  // namespace testsupport
