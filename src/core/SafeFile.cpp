#include "core/SafeFile.h"

#include "core/FileFailure.h"
#include "core/FileTexts.h"
#include "core/LanguageTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

class SafeFile::CheckedDevice : public QIODevice {
public:
    explicit CheckedDevice(SafeFile& owner) : FOwner(owner) {}

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override {
        if (FOwner.FFailed)
            return -1;
        errno = 0;
        const qint64 written = FOwner.FFile->write(data, length);
        if (written != length) {
            // A short write leaves errno of the call that stopped it.
            FOwner.FailSystem(errno != 0 ? errno : ENOSPC, FOwner.FFile->errorString());
            return -1;
        }
        return written;
    }

private:
    SafeFile& FOwner;
};

SafeFile::SafeFile(QString path) : FPath(std::move(path)) {}

SafeFile::~SafeFile() {
    if (FDevice)
        FDevice->close();
}

bool SafeFile::Fail(const QString& reason) {
    if (!FFailed) {
        FFailed = true;
        FReason = reason;
    }
    return false;
}

bool SafeFile::FailSystem(int systemError, const QString& fallback) {
    return Fail(systemError != 0 || fallback.isEmpty() ? SystemErrorReason(systemError) : fallback);
}

bool SafeFile::Open() {
    const QFileInfo info(FPath);
    if (info.isDir())
        return Fail(Text(TextFileIsFolder));
    if (info.exists() && !info.isFile())
        return Fail(Text(TextFileNotRegular));
    if (info.exists() && !info.isWritable())
        return Fail(Text(TextFileAccessDenied));
    if (!info.absoluteDir().exists())
        return Fail(Text(TextFileFolderMissing));
    FFile = std::make_unique<QSaveFile>(FPath);
    // Where no temporary file can be made, fail rather than write the file in place.
    FFile->setDirectWriteFallback(false);
    errno = 0;
    // Unbuffered: a buffered write would fail only at commit, whose flush error is lost.
    if (!FFile->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FailSystem(errno, FFile->errorString());
    FDevice = std::make_unique<CheckedDevice>(*this);
    FDevice->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return true;
}

QIODevice& SafeFile::Device() { return *FDevice; }

bool SafeFile::Write(QByteArrayView bytes) {
    if (!FDevice || FFailed)
        return false;
    return FDevice->write(bytes.data(), bytes.size()) == bytes.size() && !FFailed;
}

bool SafeFile::Commit() {
    if (!FFile || FFailed) {
        FFile.reset(); // removes the temporary file
        return false;
    }
    FDevice->close();
#ifdef Q_OS_UNIX
    // QSaveFile syncs too but ignores the result, and a delayed allocation may fail only here.
    if (::fsync(FFile->handle()) != 0 && errno != EINVAL) {
        FailSystem(errno);
        FFile.reset();
        return false;
    }
#endif
    errno = 0;
    if (!FFile->commit()) {
        FailSystem(errno, FFile->errorString());
        return false;
    }
    return true;
}

bool SafeFile::WriteAll(const QString& path, QByteArrayView bytes, QString* reason) {
    SafeFile file(path);
    const bool done = file.Open() && file.Write(bytes) && file.Commit();
    if (!done && reason != nullptr)
        *reason = file.Reason();
    return done;
}
