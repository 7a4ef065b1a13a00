#include "Robot_Tab.h"

#include <QPainter>

#include <algorithm>

#include "Conversions.h"
#include "Dialogues.h"
#include "Hote_Portrait.h"
#include "Table_Chaines.h"

namespace kestrane {

Robot_Tab::Robot_Tab(const Base_Connaissance& base, Hote_Portrait& hote, Dialogues& dialogues, QObject* parent)
    : QObject(parent), base_(base), hote_(hote), dialogues_(dialogues), nb_robot_(std::max<int>(base.Nb_Robot, 0)) {
    calques_.resize(static_cast<size_t>(nb_robot_));
}

std::shared_ptr<const Dessin> Robot_Tab::Lit(const std::string& chemin, std::string* erreur) {
    const std::string cle = To_Upper_Ascii(chemin);
    if (const auto it = lus_.find(cle); it != lus_.end()) return it->second;
    auto dessin = Dessin::Charge(chemin);
    if (!dessin) {
        if (erreur != nullptr) *erreur = dessin.status().message();
        return nullptr;
    }
    lus_.emplace(cle, dessin.value());
    return dessin.value();
}

void Robot_Tab::Message_Indisponible(const std::string& chemin) {
    const int langue = hote_.Langue();
    dialogues_.Message(hote_.Fenetre(),
                       QString::fromStdString(Chaine_Ou_Anglais(1077, langue) + " Fichier : " + chemin), Boutons::OK,
                       Icone::Aucune, QString::fromStdString(Chaine_Ou_Anglais(1050, langue)));
}

void Robot_Tab::Change() {
    ++generation_;
    emit Calques_Changes();
}

bool Robot_Tab::Charge_Piece(int piece, const std::string& chemin) {
    if (piece < 0 || piece >= nb_robot_) return false;
    auto dessin = Lit(chemin, nullptr);
    if (!dessin) {
        if (!en_session_) return false;
        Message_Indisponible(chemin);
    }
    Calque& c = calques_[static_cast<size_t>(piece)];
    c.Image = std::move(dessin);
    c.Chemin = To_Upper_Ascii(chemin);
    Change();
    return true;
}

void Robot_Tab::Etat_Inexistant(const std::string& message) {
    dialogues_.Message(hote_.Fenetre(), QString::fromStdString(message), Boutons::OK, Icone::Aucune,
                       hote_.Titre_Messages());
}

void Robot_Tab::Charge_Dessin(const std::string& /*objet*/, int n, const std::string& chemin) {
    if (n < 1) return;
    if (static_cast<int>(calques_.size()) < n) calques_.resize(static_cast<size_t>(n));
    auto dessin = Lit(chemin, nullptr);
    Calque& c = calques_[static_cast<size_t>(n - 1)];
    c.Image = dessin;
    c.Chemin = To_Upper_Ascii(chemin);
    Change();
    if (!dessin) Message_Indisponible(chemin);
}

void Robot_Tab::Fixe_Nb_Dessins_Sup(int n) {
    nb_dessins_sup_ = std::max(n, 0);
    calques_.resize(static_cast<size_t>(nb_robot_ + nb_dessins_sup_));
    Change();
}

void Robot_Tab::Retire_Calques() {
    nb_dessins_sup_ = 0;
    calques_.resize(static_cast<size_t>(nb_robot_));
    Change();
}

QImage Robot_Tab::Image(QSize taille, qreal dpr, bool avec_calques) const {
    Cache& cache = caches_[avec_calques ? 1 : 0];
    if (dpr <= 0) dpr = 1;
    if (cache.generation == generation_ && cache.taille == taille && cache.dpr == dpr) return cache.image;
    QImage image;
    if (!taille.isEmpty()) {
        image = QImage((QSizeF(taille) * dpr).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(dpr);
        image.fill(Qt::white);
        QPainter peintre(&image);
        const QRectF cible(0, 0, taille.width(), taille.height());
        const size_t fin = avec_calques ? calques_.size() : std::min(calques_.size(), static_cast<size_t>(nb_robot_));
        for (size_t i = 0; i < fin; ++i) {
            if (calques_[i].Image) calques_[i].Image->Peint(peintre, cible);
        }
    }
    cache = {taille, dpr, generation_, image};
    return image;
}

int32_t Robot_Tab::Couleur(QSize taille, qreal dpr, QPoint pixel, bool avec_calques) const {
    const QImage image = Image(taille, dpr, avec_calques);
    if (dpr <= 0) dpr = 1;
    const QPoint p(static_cast<int>(pixel.x() * dpr), static_cast<int>(pixel.y() * dpr));
    if (image.isNull() || !image.rect().contains(p)) return 0xFFFFFF;
    const QRgb c = image.pixel(p);
    return qRed(c) + 256 * qGreen(c) + 65536 * qBlue(c);
}

}  // namespace kestrane
