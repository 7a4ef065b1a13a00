#include "Traductions_Qt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace kestrane {

Traductions_Qt::~Traductions_Qt() {
    if (installe_)
        QCoreApplication::removeTranslator(&traducteur_);
    QLocale::setDefault(QLocale::system());
}

bool Traductions_Qt::Applique(int langue) {
    if (langue != 1 && langue != 2)
        langue = 0;
    // Sizes, dates and numbers in Qt's dialogs and views follow the chosen language too.
    static constexpr QLocale::Language Langues[] = {QLocale::English, QLocale::Spanish, QLocale::French};
    QLocale::setDefault(QLocale(Langues[langue]));
    if (langue == langue_ && (installe_ || langue == 0))
        return true;
    if (installe_) {
        QCoreApplication::removeTranslator(&traducteur_);
        installe_ = false;
    }
    langue_ = langue;
    if (langue == 0)
        return true;
    const QLocale locale(langue == 1 ? QLocale::Spanish : QLocale::French);
    if (!traducteur_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    installe_ = QCoreApplication::installTranslator(&traducteur_);
    return installe_;
}

}  // namespace kestrane
