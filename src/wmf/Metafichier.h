#pragma once
// A Windows metafile read into memory once and played any number of times (Joueur_Metafichier).
// Reading checks the structure only: the placeable header when there is one, the metafile
// header, and the chain of records up to EOF. Record parameters are decoded when played.

#include <QByteArray>
#include <QRect>

#include <cstdint>
#include <string>
#include <vector>

#include "Status.h"

namespace kestrane::wmf {

// One record: its function and where its parameter words lie in Metafichier::donnees().
struct Enregistrement {
    uint16_t fonction = 0;
    uint32_t debut = 0;      // byte offset of the first parameter word
    uint32_t nb_octets = 0;  // bytes of parameters (record size in words × 2 − 6)
};

// The 22-byte header that precedes the metafile in a placeable file.
struct Entete_Placable {
    int16_t gauche = 0, haut = 0, droite = 0, bas = 0;  // bounding box, in the file's logical units
    uint16_t unites_par_pouce = 0;
    uint16_t somme = 0;        // checksum as stored
    bool somme_juste = false;  // whether it equals the XOR of the first ten words
};

class Metafichier {
  public:
    // Reads a metafile held in memory. Fails only when no metafile header can be found; a
    // truncated or malformed chain of records keeps the records before the fault and notes it
    // in anomalies().
    static Result<Metafichier> Lit(QByteArray octets);
    // Reads a file; the error names the file and the reason.
    static Result<Metafichier> Lit_Fichier(const std::string& chemin);

    bool placable() const { return placable_; }
    const Entete_Placable& entete_placable() const { return placable_entete_; }
    // The bounding box of a placeable file (left, top, right, bottom), null rect otherwise.
    QRect cadre() const;

    uint16_t type() const { return type_; }
    uint16_t version() const { return version_; }
    uint32_t taille_annoncee_mots() const { return taille_mots_; }
    uint16_t nb_objets() const { return nb_objets_; }
    uint32_t plus_grand_enregistrement() const { return plus_grand_; }

    const std::vector<Enregistrement>& enregistrements() const { return enregistrements_; }
    const QByteArray& donnees() const { return donnees_; }
    // True when the chain ended on an EOF record.
    bool termine() const { return termine_; }
    // What reading found wrong but passed over (bad checksum, truncation, padding...).
    const std::vector<std::string>& anomalies() const { return anomalies_; }

    // The first SETWINDOWORG / SETWINDOWEXT of the file, which frame a plain file; a zero
    // extent when the file sets none.
    QPoint origine_fenetre_initiale() const { return origine_initiale_; }
    QSize etendue_fenetre_initiale() const { return etendue_initiale_; }

  private:
    Metafichier() = default;

    QByteArray donnees_;
    bool placable_ = false;
    Entete_Placable placable_entete_;
    uint16_t type_ = 0, version_ = 0, nb_objets_ = 0;
    uint32_t taille_mots_ = 0, plus_grand_ = 0;
    std::vector<Enregistrement> enregistrements_;
    bool termine_ = false;
    std::vector<std::string> anomalies_;
    QPoint origine_initiale_;
    QSize etendue_initiale_;
};

}  // namespace kestrane::wmf
