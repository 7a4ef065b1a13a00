#include "Verrou_Instances.h"

namespace kestrane {
namespace {

std::unique_ptr<QLockFile> Verrou(const QString& chemin) {
    auto verrou = std::make_unique<QLockFile>(chemin);
    verrou->setStaleLockTime(0);  // stale only when its process no longer runs
    return verrou;
}

}  // namespace

QString Verrou_Instances::Chemin(int rang) const {
    const QString base = QString::fromStdString(chemin_);
    return rang == 0 ? base : base + QLatin1Char('.') + QString::number(rang + 1);
}

bool Verrou_Instances::Autre_Instance() const {
    for (int rang = 0; rang < kVerrous; ++rang) {
        if (rang == rang_tenu_)
            continue;
        auto verrou = Verrou(Chemin(rang));
        if (verrou->tryLock(0))
            continue;  // free (it goes with the object)
        if (verrou->error() == QLockFile::LockFailedError)
            return true;
    }
    return false;
}

bool Verrou_Instances::Prend() {
    if (tenu_)
        return true;
    for (int rang = 0; rang < kVerrous; ++rang) {
        auto verrou = Verrou(Chemin(rang));
        if (!verrou->tryLock(0))
            continue;
        tenu_ = std::move(verrou);
        rang_tenu_ = rang;
        return true;
    }
    return false;
}

}  // namespace kestrane
