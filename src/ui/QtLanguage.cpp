#include "ui/QtLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace {

std::unique_ptr<QTranslator>& Installed() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

} // namespace

QString QtLanguage::CatalogueName(TextArrayId language) {
    switch (language) {
    case TextArrayId::German:
        return QStringLiteral("qtbase_de");
    case TextArrayId::English:
        return QString();
    case TextArrayId::French:
        return QStringLiteral("qtbase_fr");
    case TextArrayId::Spanish:
        return QStringLiteral("qtbase_es");
    case TextArrayId::Italian:
        return QStringLiteral("qtbase_it");
    case TextArrayId::Portuguese:
        // The only Portuguese catalogue of the current button and dialog texts; the European one
        // predates them. Their words for these texts agree.
        return QStringLiteral("qtbase_pt_BR");
    }
    return QString();
}

bool QtLanguage::Apply(TextArrayId language) {
    std::unique_ptr<QTranslator>& installed = Installed();
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    const QString name = CatalogueName(language);
    if (name.isEmpty())
        return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    return true;
}

QString QtLanguage::ButtonText(const char* english) {
    // The context Qt itself takes its standard button captions from.
    return QCoreApplication::translate("QPlatformTheme", english);
}
