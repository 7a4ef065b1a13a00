#include "Metafichier.h"

#include <QFile>

#include "Fonctions_Wmf.h"

namespace kestrane::wmf {

namespace {

constexpr uint32_t Cle_Placable = 0x9AC6CDD7u;
constexpr int Taille_Entete_Placable = 22;
constexpr int Taille_Entete = 18;

uint16_t Mot(const QByteArray& o, qsizetype i) {
    return static_cast<uint16_t>(static_cast<uint8_t>(o[i]) | (static_cast<uint8_t>(o[i + 1]) << 8));
}
uint32_t Double_Mot(const QByteArray& o, qsizetype i) {
    return Mot(o, i) | (static_cast<uint32_t>(Mot(o, i + 2)) << 16);
}

}  // namespace

QRect Metafichier::cadre() const {
    if (!placable_)
        return {};
    const auto& e = placable_entete_;
    return QRect(QPoint(e.gauche, e.haut), QPoint(e.droite - 1, e.bas - 1));
}

Result<Metafichier> Metafichier::Lit(QByteArray octets) {
    Metafichier m;
    qsizetype debut = 0;
    if (octets.size() >= 4 && Double_Mot(octets, 0) == Cle_Placable) {
        if (octets.size() < Taille_Entete_Placable + Taille_Entete)
            return Status::Error("truncated placeable metafile header");
        m.placable_ = true;
        auto& e = m.placable_entete_;
        e.gauche = static_cast<int16_t>(Mot(octets, 6));
        e.haut = static_cast<int16_t>(Mot(octets, 8));
        e.droite = static_cast<int16_t>(Mot(octets, 10));
        e.bas = static_cast<int16_t>(Mot(octets, 12));
        e.unites_par_pouce = Mot(octets, 14);
        e.somme = Mot(octets, 20);
        uint16_t somme = 0;
        for (int i = 0; i < 10; ++i) somme ^= Mot(octets, i * 2);
        e.somme_juste = somme == e.somme;
        if (!e.somme_juste)
            m.anomalies_.push_back("placeable header checksum does not match");
        debut = Taille_Entete_Placable;
    }
    if (octets.size() - debut < Taille_Entete)
        return Status::Error("too short for a metafile header");
    m.type_ = Mot(octets, debut);
    const uint16_t taille_entete = Mot(octets, debut + 2);
    m.version_ = Mot(octets, debut + 4);
    m.taille_mots_ = Double_Mot(octets, debut + 6);
    m.nb_objets_ = Mot(octets, debut + 10);
    m.plus_grand_ = Double_Mot(octets, debut + 12);
    // A header of the right type with either a right size or a known version is taken: some
    // writers fill one of the two carelessly, rarely both.
    const bool version_connue = m.version_ == 0x0100 || m.version_ == 0x0300;
    if ((m.type_ != 1 && m.type_ != 2) || (taille_entete != 9 && !version_connue))
        return Status::Error("not a metafile (header type " + std::to_string(m.type_) + ", size " +
                             std::to_string(taille_entete) + ")");
    if (taille_entete != 9)
        m.anomalies_.push_back("header size " + std::to_string(taille_entete) + " words instead of 9");
    if (!version_connue)
        m.anomalies_.push_back("unusual metafile version " + std::to_string(m.version_));

    m.donnees_ = std::move(octets);
    const QByteArray& o = m.donnees_;
    const qsizetype fin = o.size();
    qsizetype pos = debut + Taille_Entete;
    bool fenetre_vue = false, origine_vue = false;
    while (pos < fin) {
        if (fin - pos < 6) {
            m.anomalies_.push_back("truncated record at byte " + std::to_string(pos));
            break;
        }
        const uint32_t taille = Double_Mot(o, pos);
        const uint16_t fonction = Mot(o, pos + 4);
        if (taille < 3) {
            // A record of fewer than three words cannot be stepped over: the chain ends here.
            m.anomalies_.push_back("record of " + std::to_string(taille) + " words at byte " +
                                   std::to_string(pos));
            break;
        }
        if (static_cast<uint64_t>(taille) * 2 > static_cast<uint64_t>(fin - pos)) {
            m.anomalies_.push_back("record " + Nom_Fonction(fonction) + " at byte " + std::to_string(pos) +
                                   " runs past the end of the file");
            break;
        }
        if (fonction == EOF_) {
            m.termine_ = true;
            const qsizetype reste = fin - pos - static_cast<qsizetype>(taille) * 2;
            if (reste > 0)
                m.anomalies_.push_back(std::to_string(reste) + " bytes after EOF ignored");
            break;
        }
        Enregistrement e;
        e.fonction = fonction;
        e.debut = static_cast<uint32_t>(pos + 6);
        e.nb_octets = taille * 2 - 6;
        m.enregistrements_.push_back(e);
        if (fonction == SETWINDOWEXT && !fenetre_vue && e.nb_octets >= 4) {
            fenetre_vue = true;
            m.etendue_initiale_ =
                QSize(static_cast<int16_t>(Mot(o, e.debut + 2)), static_cast<int16_t>(Mot(o, e.debut)));
        } else if (fonction == SETWINDOWORG && !origine_vue && e.nb_octets >= 4) {
            origine_vue = true;
            m.origine_initiale_ =
                QPoint(static_cast<int16_t>(Mot(o, e.debut + 2)), static_cast<int16_t>(Mot(o, e.debut)));
        }
        pos += static_cast<qsizetype>(taille) * 2;
    }
    if (!m.termine_ && m.anomalies_.empty())
        m.anomalies_.push_back("no EOF record");
    return m;
}

Result<Metafichier> Metafichier::Lit_Fichier(const std::string& chemin) {
    QFile f(QString::fromStdString(chemin));
    if (!f.open(QIODevice::ReadOnly))
        return Status::Error(chemin + ": cannot open (" + f.errorString().toStdString() + ")");
    // Metafiles of the knowledge base are small; a file this large is not one of them.
    if (f.size() > (qint64{256} << 20))
        return Status::Error(chemin + ": file too large for a metafile");
    auto r = Lit(f.readAll());
    if (!r)
        return Status::Error(chemin + ": " + r.status().message());
    return r;
}

}  // namespace kestrane::wmf
