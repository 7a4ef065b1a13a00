#include "Peripherique_Wmf.h"

#include <QFile>

#include <algorithm>

#include "Moteur_Wmf.h"

namespace kestrane::wmf {

Peripherique_Wmf::Peripherique_Wmf(int largeur, int hauteur, int unites_par_pouce)
    : largeur_(std::clamp(largeur, 1, 32767)),
      hauteur_(std::clamp(hauteur, 1, 32767)),
      unites_par_pouce_(std::clamp(unites_par_pouce, 1, 65535)),
      moteur_(std::make_unique<Moteur_Wmf>(largeur_, hauteur_, unites_par_pouce_)) {}

Peripherique_Wmf::~Peripherique_Wmf() = default;

QPaintEngine* Peripherique_Wmf::paintEngine() const {
    return moteur_.get();
}

QByteArray Peripherique_Wmf::Donnees() const {
    return moteur_->fichier();
}

Status Peripherique_Wmf::Enregistre(const std::string& chemin) const {
    QFile f(QString::fromStdString(chemin));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return Status::Error(chemin + ": cannot write (" + f.errorString().toStdString() + ")");
    // A short write (a full disk) is tried again, so that the system says why it fails; the
    // buffered end is flushed and closed before the file counts as written.
    const QByteArray& o = moteur_->fichier();
    qint64 ecrit = 0;
    while (ecrit < o.size()) {
        const qint64 n = f.write(o.constData() + ecrit, o.size() - ecrit);
        if (n <= 0)
            break;
        ecrit += n;
    }
    if (ecrit == o.size() && f.flush())
        f.close();
    if (ecrit != o.size() || f.error() != QFileDevice::NoError)
        return Status::Error(chemin + ": write failed (" + f.errorString().toStdString() + ")");
    return Status::Ok();
}

int Peripherique_Wmf::metric(PaintDeviceMetric m) const {
    switch (m) {
        case PdmWidth:
            return largeur_;
        case PdmHeight:
            return hauteur_;
        case PdmWidthMM:
            return largeur_ * 254 / (unites_par_pouce_ * 10);
        case PdmHeightMM:
            return hauteur_ * 254 / (unites_par_pouce_ * 10);
        case PdmNumColors:
            return 0x7FFFFFFF;
        case PdmDepth:
            return 24;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
    }
    return 0;
}

}  // namespace kestrane::wmf
