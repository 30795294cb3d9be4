#pragma once

#include <QByteArrayView>
#include <QString>

#include <memory>

class QIODevice;
class QSaveFile;

// The one way the program writes a file: into a temporary file beside the target, every write
// checked as it happens (a full disk is seen at the write that hits it, not lost in a buffer),
// synced, then renamed over the target. On any failure the temporary file goes and an older file
// of that name stays byte for byte; Reason() says why, for a line under the program's message.
class SafeFile {
public:
    explicit SafeFile(QString path);
    ~SafeFile(); // an uncommitted temporary file is removed
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Creates the temporary file. Refuses a target that is a folder or may not be written (a
    // rename would replace even a read-only file).
    bool Open();
    // The temporary file for writers that take a device (images, drawings). A write that fails
    // or falls short fails every later one and the commit.
    QIODevice& Device();
    bool Write(QByteArrayView bytes);
    // Syncs and renames; false when anything before failed or these do.
    bool Commit();
    const QString& Reason() const { return FReason; }

    // Open, Write, Commit in one; false with `reason` set on failure.
    static bool WriteAll(const QString& path, QByteArrayView bytes, QString* reason = nullptr);

private:
    class CheckedDevice;
    bool Fail(const QString& reason);
    bool FailSystem(int systemError, const QString& fallback = {});

    QString FPath;
    std::unique_ptr<QSaveFile> FFile;
    std::unique_ptr<CheckedDevice> FDevice;
    QString FReason;
    bool FFailed = false;
};
