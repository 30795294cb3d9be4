#include "core/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QOperatingSystemVersion>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <chrono>
#include <memory>

namespace {

Platform::DocumentOpener& InstalledOpener() {
    static Platform::DocumentOpener opener = nullptr;
    return opener;
}

class SystemPlatform final : public Platform {
public:
    Family OsFamily() const override {
#ifdef Q_OS_WIN
        return Family::WindowsNT; // Qt runs on no older family
#elif defined(Q_OS_UNIX)
        return Family::Posix;
#else
        return Family::Other;
#endif
    }

    int OsMajorVersion() const override {
        return QOperatingSystemVersion::current().majorVersion();
    }

    std::optional<QString> Environment(const QString& name) const override {
        const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (environment.contains(name))
            return environment.value(name);
        for (const QString& key : environment.keys())
            if (key.compare(name, Qt::CaseInsensitive) == 0)
                return environment.value(key);
        return std::nullopt;
    }

    QString ExecutableFolder() const override {
        if (QCoreApplication::instance())
            return QCoreApplication::applicationDirPath();
        return QDir::currentPath();
    }

    bool MakeFolder(const QString& path) override {
        const QFileInfo info(path);
        if (info.isDir())
            return true;
        return !info.exists() && QDir().mkdir(path);
    }

    bool MayWriteFile(const QString& path) const override {
        QFile file(path);
        return file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly);
    }

    bool OpenDocument(const QString& target) override {
        if (InstalledOpener() != nullptr)
            return InstalledOpener()(target);
#ifdef Q_OS_WIN
        return QProcess::startDetached(QStringLiteral("rundll32"),
                                       {QStringLiteral("url.dll,FileProtocolHandler"), target});
#else
        return QProcess::startDetached(QStringLiteral("xdg-open"), {target});
#endif
    }

    bool LaunchProgram(const QString& program, const QStringList& arguments) override {
        return QProcess::startDetached(program, arguments);
    }

    qint64 TickMs() const override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }

    QString FindProgram(const QString& name) const override {
        return QStandardPaths::findExecutable(name);
    }

    QString DefaultApplication(const QString& mimeType) const override {
#ifdef Q_OS_WIN
        Q_UNUSED(mimeType);
        return QString();
#else
        QProcess query;
        query.start(QStringLiteral("xdg-mime"),
                    {QStringLiteral("query"), QStringLiteral("default"), mimeType});
        if (!query.waitForFinished(5000) || query.exitCode() != 0)
            return QString();
        // The entry is the desktop's to run: its command line may be a wrapper (flatpak, env).
        return QString::fromUtf8(query.readAllStandardOutput()).trimmed();
#endif
    }

    QString TemporaryFolder() override {
        // Made again when a cleaner removed it during a long run.
        if (!FTemporary || !QFileInfo(FTemporary->path()).isDir()) {
            // Private to this user (mode 0700), so nobody else can plant a file of the same
            // name. Removed with this object: a spreadsheet that still shows a copy keeps it open.
            FTemporary = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                                         QStringLiteral("/solvista-XXXXXX"));
        }
        return FTemporary->isValid() ? FTemporary->path() : QString();
    }

private:
    std::unique_ptr<QTemporaryDir> FTemporary;
};

} // namespace

QString Platform::UserConfigFolder() const {
    const QString xdg = Environment(QStringLiteral("XDG_CONFIG_HOME")).value_or(QString());
    // Relative values are invalid by the XDG rules and would land wherever the program started.
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    const QString home = Environment(QStringLiteral("HOME")).value_or(QString());
    if (home.isEmpty())
        return QString();
    return QDir::cleanPath(home + QStringLiteral("/.config"));
}

Platform& Platform::System() {
    static SystemPlatform platform;
    return platform;
}

std::unique_ptr<Platform> Platform::CreateSystem() { return std::make_unique<SystemPlatform>(); }

void Platform::SetDocumentOpener(DocumentOpener opener) { InstalledOpener() = opener; }
