#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// What the program asks of the operating system, behind one seam so tests inject every answer.
class Platform {
public:
    enum class Family {
        Win32s,    // 16-bit Windows with the 32-bit subset
        Windows9x, // Windows 95/98/ME
        WindowsNT,
        Posix, // a system with per-user configuration folders (XDG)
        Other
    };

    virtual ~Platform() = default;

    virtual Family OsFamily() const = 0;
    virtual int OsMajorVersion() const = 0;
    // The variable whose name matches without regard to case; nullopt when there is none.
    virtual std::optional<QString> Environment(const QString& name) const = 0;
    // The folder of the running executable, without a trailing separator.
    virtual QString ExecutableFolder() const = 0;
    // One level only: the parent must exist. True when the folder exists afterwards.
    virtual bool MakeFolder(const QString& path) = 0;
    // Whether an existing file may be written in place (a rename would ignore a read-only file).
    virtual bool MayWriteFile(const QString& path) const = 0;
    // Opens a document, web or mail address with the program the system associates with it.
    virtual bool OpenDocument(const QString& target) = 0;
    virtual bool LaunchProgram(const QString& program, const QStringList& arguments) = 0;
    // Milliseconds since an arbitrary start; only differences mean anything.
    virtual qint64 TickMs() const = 0;

    // Handing files to other programs.
    // The full path of an executable found on PATH; empty when there is none.
    virtual QString FindProgram(const QString& name) const = 0;
    // The desktop's default application for a MIME type as the desktop names it (its entry's id);
    // empty when none is set or the desktop cannot say.
    virtual QString DefaultApplication(const QString& mimeType) const = 0;
    // A folder only this user can write, kept for the whole run and removed with its content when
    // the platform object goes (for the system's, when the program ends); empty when none can be
    // made.
    virtual QString TemporaryFolder() = 0;

    // The per-user configuration folder: $XDG_CONFIG_HOME when set and absolute, else
    // $HOME/.config. Empty when neither is known.
    QString UserConfigFolder() const;

    // The platform the program runs on.
    static Platform& System();
    // A platform object of the running system of its own, for tests of what it leaves behind.
    static std::unique_ptr<Platform> CreateSystem();

    // How the system platform opens documents once a GUI runs: the desktop's own services, which
    // live above this library. Until one is set, the desktop's command-line opener is started.
    using DocumentOpener = bool (*)(const QString& target);
    static void SetDocumentOpener(DocumentOpener opener);
};
