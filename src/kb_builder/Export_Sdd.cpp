#include "Export_Sdd.h"

#include <QDateTime>
#include <QSaveFile>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>

#include "Chargeur_Base.h"
#include "Chemins_Fichiers.h"
#include "Extension_Sdd.h"
#include "Mesures_Objets.h"
#include "Reglages_Base.h"
#include "Source_Flore.h"

namespace fs = std::filesystem;

namespace kestrane::kb {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// Ids unique in the whole document (the standard asks for that), the base's names where it can.
class Ids {
  public:
    std::string Donne(const std::string& voulu, const std::string& prefixe) {
        std::string base;
        for (char c : voulu)
            base += std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' ? c : '_';
        if (base.empty() || !std::isalpha(static_cast<unsigned char>(base[0])))
            base = prefixe + base;
        std::string id = base;
        for (int n = 2; !pris_.insert(id).second; ++n)
            id = prefixe + base + (n > 2 ? "_" + std::to_string(n) : "");
        return id;
    }

  private:
    std::set<std::string> pris_;
};

class Export {
  public:
    Export(const Base_Connaissance& b, const Reglages_Base& r, const fs::path& fichier)
        : b_(b), r_(r), dossier_xml_(fs::absolute(fichier).parent_path()) {
        for (const auto& l : b_.Textes.Langues()) (l.Origine ? origine_ : autres_.emplace_back()) = l.Suffixe;
        if (origine_.empty())
            origine_ = "en";
    }

    void Ecrit(QXmlStreamWriter& x) {
        x.setAutoFormatting(true);
        x.setAutoFormattingIndent(2);
        x.writeStartDocument();
        x.writeNamespace(Q(Espace_Kestrane), QStringLiteral("kestrane"));
        x.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"), QStringLiteral("xsi"));
        x.writeDefaultNamespace(Q(Espace_Sdd));
        x.writeStartElement(Q(Espace_Sdd), QStringLiteral("Datasets"));
        x.writeAttribute(
            QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"), QStringLiteral("schemaLocation"),
            QStringLiteral("http://rs.tdwg.org/UBIF/2006/ http://rs.tdwg.org/UBIF/2006/Schema/1.1/SDD.xsd"));
        x.writeStartElement(QStringLiteral("TechnicalMetadata"));
        x.writeAttribute(QStringLiteral("created"), QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
        x.writeEmptyElement(QStringLiteral("Generator"));
        x.writeAttribute(QStringLiteral("name"), QStringLiteral("Kestrane"));
        x.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
        x.writeEndElement();
        x.writeStartElement(QStringLiteral("Dataset"));
        x.writeAttribute(QStringLiteral("xml:lang"), Q(origine_));
        x.writeStartElement(QStringLiteral("Representation"));
        Label(x, "Kestrane knowledge base", "");
        x.writeEndElement();
        Nomme();
        Taxons(x);
        Terminologie(x);
        Descriptions(x);
        Medias(x);
        x.writeEndElement();  // Dataset
        x.writeEndElement();  // Datasets
        x.writeEndDocument();
    }

  private:
    void Label(QXmlStreamWriter& x, const std::string& texte, const std::string& langue) {
        x.writeStartElement(QStringLiteral("Label"));
        if (!langue.empty())
            x.writeAttribute(QStringLiteral("xml:lang"), Q(langue));
        x.writeCharacters(Q(texte));
        x.writeEndElement();
    }
    // The text in the base's own language, then each translation the base has.
    void Labels(QXmlStreamWriter& x, Texte_Traduisible quoi, const std::string& cle,
                const std::string& texte) {
        Label(x, texte, "");
        for (const auto& l : autres_)
            if (b_.Textes.Traduit(quoi, cle, l))
                Label(x, b_.Textes.Texte(quoi, cle, l, texte), l);
    }
    void Media_Ref(QXmlStreamWriter& x, const std::string& id) {
        x.writeEmptyElement(QStringLiteral("MediaObject"));
        x.writeAttribute(QStringLiteral("ref"), Q(id));
        x.writeAttribute(QStringLiteral("role"), QStringLiteral("Primary"));
    }
    void Extension(QXmlStreamWriter& x, const char* nom, const std::string& valeur) {
        x.writeEmptyElement(Q(Espace_Kestrane), QString::fromLatin1(nom));
        x.writeAttribute(QStringLiteral("value"), Q(valeur));
    }
    void Ref(QXmlStreamWriter& x, const char* element, const std::string& id) {
        x.writeEmptyElement(QString::fromLatin1(element));
        x.writeAttribute(QStringLiteral("ref"), Q(id));
    }
    std::string Relatif(const std::string& chemin) const {
        std::error_code ec;
        const fs::path rel = fs::relative(fs::absolute(chemin), dossier_xml_, ec);
        return ec || rel.empty() ? fs::absolute(chemin).string() : rel.generic_string();
    }

    // Every id first, names before the ids made up, so that names keep theirs.
    void Nomme() {
        for (const auto& o : Objets()) id_objet_[o->Objet] = ids_.Donne(o->Objet, "c_");
        for (const auto& e : b_.Caracteres) id_etat_[e.NUM] = ids_.Donne(e.ID_CARAC, "s_");
        for (size_t s = 0; s < b_.Flore.size(); ++s)
            id_taxon_.push_back(ids_.Donne("t" + std::to_string(s + 1), "t_"));
        for (const auto& f : b_.Flore)
            if (!id_famille_.count(f.Famille))
                id_famille_[f.Famille] = ids_.Donne("f" + std::to_string(id_famille_.size() + 1), "f_");
    }
    // The characters in question order.
    std::vector<const Objet_Fic*> Objets() const {
        std::vector<const Objet_Fic*> out;
        for (const auto& o : b_.Objets) out.push_back(&o);
        std::sort(out.begin(), out.end(), [](auto* a, auto* b) { return a->Desc_Num < b->Desc_Num; });
        return out;
    }

    void Taxons(QXmlStreamWriter& x) {
        x.writeStartElement(QStringLiteral("TaxonNames"));
        for (const auto& [famille, id] : id_famille_) {
            x.writeStartElement(QStringLiteral("TaxonName"));
            x.writeAttribute(QStringLiteral("id"), Q(id));
            x.writeStartElement(QStringLiteral("Representation"));
            Label(x, famille, "x-neutral");
            x.writeEndElement();
            x.writeEmptyElement(QStringLiteral("Rank"));
            x.writeAttribute(QStringLiteral("code"), QStringLiteral("fam"));
            x.writeEndElement();
        }
        for (size_t s = 0; s < b_.Flore.size(); ++s) {
            const Espece_Flore& f = b_.Flore[s];
            x.writeStartElement(QStringLiteral("TaxonName"));
            x.writeAttribute(QStringLiteral("id"), Q(id_taxon_[s]));
            x.writeStartElement(QStringLiteral("Representation"));
            Label(x, f.Espece, "x-neutral");
            if (Fichier_Existe(Dessin(f)))
                Media_Ref(x, Id_Media_Taxon(s));
            x.writeEndElement();
            Extension(x, Extension_Code, f.Code);
            x.writeEmptyElement(QStringLiteral("Rank"));
            x.writeAttribute(QStringLiteral("code"), QStringLiteral("sp"));
            x.writeEndElement();
        }
        x.writeEndElement();
        x.writeStartElement(QStringLiteral("TaxonHierarchies"));
        x.writeStartElement(QStringLiteral("TaxonHierarchy"));
        x.writeAttribute(QStringLiteral("id"), Q(ids_.Donne("families", "th_")));
        x.writeStartElement(QStringLiteral("Representation"));
        Label(x, "Families", "en");
        x.writeEndElement();
        x.writeTextElement(QStringLiteral("TaxonHierarchyType"), QStringLiteral("UnspecifiedTaxonomy"));
        x.writeStartElement(QStringLiteral("Nodes"));
        std::map<std::string, std::string> noeud_famille;
        for (const auto& [famille, id] : id_famille_) {
            noeud_famille[famille] = ids_.Donne("n" + id, "n_");
            x.writeStartElement(QStringLiteral("Node"));
            x.writeAttribute(QStringLiteral("id"), Q(noeud_famille[famille]));
            Ref(x, "TaxonName", id);
            x.writeEndElement();
        }
        for (size_t s = 0; s < b_.Flore.size(); ++s) {
            x.writeStartElement(QStringLiteral("Node"));
            x.writeAttribute(QStringLiteral("id"), Q(ids_.Donne("n" + id_taxon_[s], "n_")));
            Ref(x, "Parent", noeud_famille[b_.Flore[s].Famille]);
            Ref(x, "TaxonName", id_taxon_[s]);
            x.writeEndElement();
        }
        x.writeEndElement();  // Nodes
        x.writeEndElement();  // TaxonHierarchy
        x.writeEndElement();  // TaxonHierarchies
    }

    void Terminologie(QXmlStreamWriter& x) {
        std::set<int> cadres;
        for (const auto& o : b_.Objets)
            if (o.Cadre >= 0)
                cadres.insert(o.Cadre);
        std::map<int, std::string> concepts;
        if (!cadres.empty()) {
            x.writeStartElement(QStringLiteral("DescriptiveConcepts"));
            for (int c : cadres) {
                concepts[c] = ids_.Donne("dc" + std::to_string(c + 1), "dc_");
                x.writeStartElement(QStringLiteral("DescriptiveConcept"));
                x.writeAttribute(QStringLiteral("id"), Q(concepts[c]));
                x.writeStartElement(QStringLiteral("Representation"));
                Label(x, "Group " + std::to_string(c + 1), "en");
                x.writeEndElement();
                x.writeEndElement();
            }
            x.writeEndElement();
        }
        x.writeStartElement(QStringLiteral("Characters"));
        for (const Objet_Fic* o : Objets()) {
            const Mesure_Objet* mesure = Mesure(*o);
            x.writeStartElement(mesure ? QStringLiteral("QuantitativeCharacter") : QStringLiteral("CategoricalCharacter"));
            x.writeAttribute(QStringLiteral("id"), Q(id_objet_[o->Objet]));
            x.writeStartElement(QStringLiteral("Representation"));
            Labels(x, Question_Objet, o->Objet, o->TipText);
            if (Fichier_Existe(r_.Descripteurs + "/" + o->Popup))
                Media_Ref(x, Id_Media_Objet(*o));
            x.writeEndElement();
            if (mesure != nullptr) {  // its classes come back from the taxa's ranges
                x.writeStartElement(QStringLiteral("MeasurementUnit"));
                Label(x, mesure->Unite, "x-neutral");
                x.writeEndElement();
            }
            if (!o->Joker)
                Extension(x, Extension_Propose, "false");
            if (mesure != nullptr) {
                x.writeEndElement();  // QuantitativeCharacter
                continue;
            }
            x.writeStartElement(QStringLiteral("States"));
            for (int e = o->Index_Car; e < o->Index_Car + o->Nb_Car; ++e) {
                const Etat_Caractere* etat = b_.Etat_Par_Numero(e);
                if (!etat)
                    continue;
                x.writeStartElement(QStringLiteral("StateDefinition"));
                x.writeAttribute(QStringLiteral("id"), Q(id_etat_[e]));
                x.writeStartElement(QStringLiteral("Representation"));
                Labels(x, Texte_Etat, etat->ID_CARAC, etat->TipText.empty() ? etat->ID_CARAC : etat->TipText);
                x.writeEndElement();
                Extension(x, Extension_Poids,
                          std::to_string(
                              e < static_cast<int>(b_.Poids.size()) ? b_.Poids[static_cast<size_t>(e)] : 1));
                x.writeEndElement();
            }
            x.writeEndElement();  // States
            x.writeEndElement();  // CategoricalCharacter
        }
        x.writeEndElement();  // Characters

        // The question order, the frames and the dependencies.
        std::map<std::string, std::vector<std::string>> parents;
        for (const auto& d : b_.Descendance)
            if (auto e = b_.Etat_Par_Identifiant(d.ID_CARAC))
                if (const Objet_Fic* o = b_.Trouve_Objet(d.Objet))
                    parents[o->Objet].push_back(id_etat_[*e]);
        x.writeStartElement(QStringLiteral("CharacterTrees"));
        x.writeStartElement(QStringLiteral("CharacterTree"));
        x.writeAttribute(QStringLiteral("id"), Q(ids_.Donne("questions", "ct_")));
        x.writeStartElement(QStringLiteral("Representation"));
        Label(x, "Questions", "en");
        x.writeEndElement();
        x.writeStartElement(QStringLiteral("Nodes"));
        // A group node for each run of characters of one frame, so that the tree, read depth
        // first, gives the questions in their order.
        std::string groupe;
        int cadre_groupe = -1;
        for (const Objet_Fic* o : Objets()) {
            if (o->Cadre >= 0 && o->Cadre != cadre_groupe) {
                groupe = ids_.Donne("n" + concepts[o->Cadre], "n_");
                x.writeStartElement(QStringLiteral("Node"));
                x.writeAttribute(QStringLiteral("id"), Q(groupe));
                Ref(x, "DescriptiveConcept", concepts[o->Cadre]);
                x.writeEndElement();
            }
            cadre_groupe = o->Cadre;
            x.writeStartElement(QStringLiteral("CharNode"));
            if (o->Cadre >= 0)
                Ref(x, "Parent", groupe);
            if (auto it = parents.find(o->Objet); it != parents.end()) {
                x.writeStartElement(QStringLiteral("DependencyRules"));
                x.writeStartElement(QStringLiteral("OnlyApplicableIf"));
                for (const auto& id : it->second) Ref(x, "State", id);
                x.writeEndElement();
                x.writeEndElement();
            }
            Ref(x, "Character", id_objet_[o->Objet]);
            x.writeEndElement();
        }
        x.writeEndElement();  // Nodes
        x.writeEndElement();  // CharacterTree
        x.writeEndElement();  // CharacterTrees
    }

    void Descriptions(QXmlStreamWriter& x) {
        x.writeStartElement(QStringLiteral("CodedDescriptions"));
        const auto objets = Objets();
        for (int s = 0; s < b_.Nb_Esp && static_cast<size_t>(s) < b_.Flore.size(); ++s) {
            x.writeStartElement(QStringLiteral("CodedDescription"));
            x.writeAttribute(QStringLiteral("id"), Q(ids_.Donne("D" + std::to_string(s + 1), "D_")));
            x.writeStartElement(QStringLiteral("Representation"));
            Label(x, b_.Flore[static_cast<size_t>(s)].Espece, "x-neutral");
            x.writeEndElement();
            x.writeStartElement(QStringLiteral("Scope"));
            Ref(x, "TaxonName", id_taxon_[static_cast<size_t>(s)]);
            x.writeEndElement();
            x.writeStartElement(QStringLiteral("SummaryData"));
            for (const Objet_Fic* o : objets) {
                if (const Mesure_Objet* mesure = Mesure(*o)) {
                    Mesures(x, *o, *mesure, s);
                    continue;
                }
                x.writeStartElement(QStringLiteral("Categorical"));
                x.writeAttribute(QStringLiteral("ref"), Q(id_objet_[o->Objet]));
                bool un = false;
                for (int e = o->Index_Car; e < o->Index_Car + o->Nb_Car && e < b_.Nb_Etats_Desc; ++e)
                    if (b_.Matrice(s, e) != 0) {
                        Ref(x, "State", id_etat_[e]);
                        un = true;
                    }
                if (!un) {
                    x.writeEmptyElement(QStringLiteral("Status"));
                    x.writeAttribute(QStringLiteral("code"), QStringLiteral("NotApplicable"));
                }
                x.writeEndElement();
            }
            x.writeEndElement();  // SummaryData
            x.writeEndElement();  // CodedDescription
        }
        x.writeEndElement();
    }

    const Mesure_Objet* Mesure(const Objet_Fic& o) const {
        return b_.Mesure_De(static_cast<size_t>(&o - b_.Objets.data()));
    }

    // A taxon's range (Min, Max); without one, unknown when it has a class, else not applicable.
    void Mesures(QXmlStreamWriter& x, const Objet_Fic& o, const Mesure_Objet& mesure, int s) {
        x.writeStartElement(QStringLiteral("Quantitative"));
        x.writeAttribute(QStringLiteral("ref"), Q(id_objet_[o.Objet]));
        const auto k = static_cast<size_t>(s);
        if (mesure.Bas[k] == mesure.Bas[k]) {
            for (const auto& [type, valeur] : {std::pair{"Min", mesure.Bas[k]}, std::pair{"Max", mesure.Haut[k]}}) {
                x.writeEmptyElement(QStringLiteral("Measure"));
                x.writeAttribute(QStringLiteral("type"), QString::fromLatin1(type));
                x.writeAttribute(QStringLiteral("value"), Q(Texte_Nombre(valeur)));
            }
        } else {
            bool une = false;
            for (int e = o.Index_Car; e < o.Index_Car + o.Nb_Car && e < b_.Nb_Etats_Desc; ++e)
                une = une || b_.Matrice(s, e) != 0;
            x.writeEmptyElement(QStringLiteral("Status"));
            x.writeAttribute(QStringLiteral("code"), une ? QStringLiteral("DataUnavailable") : QStringLiteral("NotApplicable"));
        }
        x.writeEndElement();
    }

    std::string Dessin(const Espece_Flore& f) const {
        std::string c = Plie(f.Code);
        if (c.empty())
            return {};
        return r_.Documents + "/" + c.substr(0, 1) + "/" + c + "/" + c + ".gif";
    }
    std::string Id_Media_Taxon(size_t s) {
        auto [it, nouveau] = media_taxon_.emplace(s, "");
        if (nouveau)
            it->second = ids_.Donne("m" + id_taxon_[s], "m_");
        return it->second;
    }
    std::string Id_Media_Objet(const Objet_Fic& o) {
        auto [it, nouveau] = media_objet_.emplace(o.Objet, "");
        if (nouveau)
            it->second = ids_.Donne("m_" + id_objet_[o.Objet], "m_");
        return it->second;
    }

    void Medias(QXmlStreamWriter& x) {
        if (media_taxon_.empty() && media_objet_.empty())
            return;
        x.writeStartElement(QStringLiteral("MediaObjects"));
        auto media = [&](const std::string& id, auto labels, const std::string& chemin) {
            x.writeStartElement(QStringLiteral("MediaObject"));
            x.writeAttribute(QStringLiteral("id"), Q(id));
            x.writeStartElement(QStringLiteral("Representation"));
            labels();
            x.writeEndElement();
            x.writeTextElement(QStringLiteral("Type"), QStringLiteral("Image"));
            x.writeEmptyElement(QStringLiteral("Source"));
            x.writeAttribute(QStringLiteral("href"), Q(Relatif(Trouve_Fichier(chemin))));
            x.writeEndElement();
        };
        for (const auto& [s, id] : media_taxon_) {
            const Espece_Flore& f = b_.Flore[s];
            media(
                id,
                [&] {
                    if (f.Legende.empty())
                        Label(x, f.Espece, "x-neutral");
                    else
                        Labels(x, Legende_Espece, f.Espece, f.Legende);
                },
                Dessin(f));
        }
        for (const auto& o : Objets())
            if (auto it = media_objet_.find(o->Objet); it != media_objet_.end())
                media(
                    it->second, [&] { Labels(x, Question_Objet, o->Objet, o->TipText); },
                    r_.Descripteurs + "/" + o->Popup);
        x.writeEndElement();
    }

    const Base_Connaissance& b_;
    const Reglages_Base& r_;
    fs::path dossier_xml_;
    std::string origine_;
    std::vector<std::string> autres_;
    Ids ids_;
    std::map<std::string, std::string> id_objet_, id_famille_;
    std::map<int, std::string> id_etat_;
    std::vector<std::string> id_taxon_;
    std::map<size_t, std::string> media_taxon_;
    std::map<std::string, std::string> media_objet_;
};

}  // namespace

Status Exporte_Sdd(const std::string& donnees, const std::string& fichier) {
    const Reglages_Base r = Lit_Reglages_Base(donnees);
    const std::string ini = (fs::path(donnees) / "kestrane.ini").string();
    if (!r.Lu)
        return Status::Error(ini + ": the settings file cannot be read");
    if (!r.Problemes.empty())
        return Status::Error(ini + ": " + r.Problemes.front());
    Chargement c = Charge_Base({r.Base, r.Data + "/"}, nullptr);
    if (c.Echec)
        return Status::Error(c.Echec->Detail.empty() ? c.Echec->Message : c.Echec->Detail);
    QSaveFile f(Q(fichier));
    if (!f.open(QIODevice::WriteOnly))
        return Status::Error(fichier + ": cannot be written (" + f.errorString().toStdString() + ")");
    QXmlStreamWriter x(&f);
    Export(*c.Base, r, fs::path(fichier)).Ecrit(x);
    if (x.hasError() || !f.commit())
        return Status::Error(fichier + ": cannot be written (" + f.errorString().toStdString() + ")");
    return Status::Ok();
}

}  // namespace kestrane::kb
