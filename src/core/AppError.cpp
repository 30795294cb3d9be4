#include "core/AppError.h"

#include "core/LanguageTexts.h"

AppError::AppError(QString message) : FMessage(std::move(message)), FUtf8(FMessage.toStdString()) {}

void AppError::RaiseText(int index) { throw AppError(CurrentTexts()[index]); }

void AppError::RaiseText(int index, const QString& argument) {
    throw AppError(FormatText(CurrentTexts()[index], argument));
}

void AppError::Raise(const QString& message) { throw AppError(message); }
