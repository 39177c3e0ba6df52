#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <array>

namespace tarvo {

QString QtTranslationName(int language) {
    // In the order of the language index; Chinese is written in simplified characters.
    static const std::array<const char*, 10> names{"",      "ru", "de", "fr", "es",
                                                   "zh_CN", "it", "cs", "ja", "ko"};
    if (language < 0 || language >= static_cast<int>(names.size())) return {};
    return QString::fromLatin1(names[static_cast<std::size_t>(language)]);
}

QtTranslations::~QtTranslations() {
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
}

bool QtTranslations::Apply(int language) {
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
    translator_.reset();
    const QString name = QtTranslationName(language);
    if (name.isEmpty()) return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_") + name,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    translator_ = std::move(translator);
    return true;
}

} // namespace tarvo
