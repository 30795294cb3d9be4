#pragma once

#include <QString>

#include <exception>
#include <string>

// The one exception type of the program. Its message is shown to the user as it stands: either a
// text of the current language or one of the fixed internal texts ("Illegal State (4).").
class AppError : public std::exception {
public:
    explicit AppError(QString message);

    const QString& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FUtf8.c_str(); }

    // Raises the language text `index` of the current language.
    [[noreturn]] static void RaiseText(int index);
    // Raises the language text `index` with its first "%s" replaced by `argument`.
    [[noreturn]] static void RaiseText(int index, const QString& argument);
    [[noreturn]] static void Raise(const QString& message);

private:
    QString FMessage;
    std::string FUtf8;
};
