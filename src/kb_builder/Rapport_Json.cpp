#include "Rapport_Json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace kestrane::kb {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
double Arrondi(double v) {
    return std::round(v * 100.0) / 100.0;
}

class Document {
  public:
    explicit Document(const Rapport_Cle& r) : r_(r) {}

    QJsonObject Ecrit() const {
        QJsonObject racine;
        racine["base"] = Q(r_.Nom_Base);
        racine["language"] = Q(r_.Langue);
        racine["taxa"] = static_cast<qint64>(r_.Noms.size());
        racine["characters"] = r_.Nb_Caracteres;
        racine["states"] = r_.Nb_Etats;
        racine["inseparable"] = Inseparables();
        racine["questions"] = Questions();
        racine["characters_detail"] = Caracteres();
        racine["taxa_detail"] = Taxons();
        QJsonArray traductions;
        for (const auto& t : r_.Traductions)
            traductions.append(QJsonObject{{"language", Q(t.Langue)},
                                           {"field", Q(t.Table + "." + t.Champ)},
                                           {"missing", static_cast<qint64>(t.Manquantes)},
                                           {"texts", static_cast<qint64>(t.Total)}});
        racine["translations_missing"] = traductions;
        return racine;
    }

  private:
    QString Nom(int s) const {
        return s >= 0 && static_cast<size_t>(s) < r_.Noms.size() ? Q(r_.Noms[static_cast<size_t>(s)])
                                                                 : QString::number(s);
    }
    QString Car(int c) const {
        return c >= 0 && static_cast<size_t>(c) < r_.Caracteres.size()
                   ? Q(r_.Caracteres[static_cast<size_t>(c)].Objet)
                   : QString::number(c);
    }
    QJsonArray Cars(const std::vector<int>& cs) const {
        QJsonArray a;
        for (int c : cs) a.append(Car(c));
        return a;
    }
    QJsonArray Noms(const std::vector<int>& ss) const {
        QJsonArray a;
        for (int s : ss) a.append(Nom(s));
        return a;
    }

    QJsonObject Inseparables() const {
        QJsonArray groupes, fragiles;
        for (const auto& g : r_.Groupes)
            groupes.append(QJsonObject{{"taxa", Noms(g.Especes)}, {"pairs", static_cast<qint64>(g.Paires)}});
        for (const auto& p : r_.Paires_Fragiles)
            fragiles.append(
                QJsonObject{{"taxa", QJsonArray{Nom(p.A), Nom(p.B)}}, {"character", Car(p.Caractere)}});
        return {{"pairs", static_cast<qint64>(r_.Nb_Paires_Inseparables)},
                {"groups", groupes},
                {"single_character_pairs", static_cast<qint64>(r_.Nb_Paires_Fragiles)},
                {"single_character_pairs_listed", fragiles}};
    }

    QJsonObject Questions() const {
        QJsonArray strategies;
        for (const auto& b : r_.Strategies) {
            QJsonArray histogramme, pires;
            for (int n : b.Histogramme) histogramme.append(n);
            for (const auto& p : b.Pires)
                pires.append(QJsonObject{{"taxon", Nom(p.Espece)},
                                         {"questions", Cars(p.Questions)},
                                         {"identified", p.Identifiee}});
            strategies.append(QJsonObject{{"strategy", Q(std::string(Nom_Strategie(b.Strategie)))},
                                          {"histogram", histogramme},
                                          {"mean", Arrondi(b.Moyenne)},
                                          {"worst", b.Pire},
                                          {"identified", b.Nb_Identifiees},
                                          {"identified_alone", b.Nb_Seules},
                                          {"not_identified", static_cast<qint64>(b.Nb_Non_Identifiees)},
                                          {"not_identified_listed", Noms(b.Non_Identifiees)},
                                          {"longest_walks", pires}});
        }
        return {{"taxa_walked", static_cast<qint64>(r_.Nb_Parcourues)},
                {"sample", r_.Echantillon},
                {"seed", static_cast<qint64>(r_.Graine)},
                {"strategies", strategies}};
    }

    QJsonArray Caracteres() const {
        QJsonArray out;
        for (const auto& f : r_.Caracteres) {
            QJsonObject proposes;
            for (size_t k = 0; k < r_.Strategies.size() && k < f.Propositions.size(); ++k)
                proposes[Q(std::string(Nom_Strategie(r_.Strategies[k].Strategie)))] =
                    QJsonObject{{"walks", f.Propositions[k]}, {"mean_step", Arrondi(f.Etape_Moyenne[k])}};
            QJsonArray mortes, poids;
            for (const auto& m : f.Commandes_Mortes) mortes.append(Q(m));
            for (int p : f.Poids) poids.append(p);
            out.append(QJsonObject{{"character", Q(f.Objet)},
                                   {"question", Q(f.Question)},
                                   {"asked", proposes},
                                   {"taxa_without_coding", f.Sans_Codage},
                                   {"separates", f.Separe},
                                   {"pairs_it_alone_separates", static_cast<qint64>(f.Paires_Fragiles)},
                                   {"controlled_by_states_no_taxon_has", mortes},
                                   {"never_opens", f.Jamais_Ouvert},
                                   {"weights", poids}});
        }
        return out;
    }

    QJsonObject Taxons() const {
        QJsonArray especes;
        for (const auto& f : r_.Especes) {
            QJsonArray documents;
            for (const auto& d : f.Documents_Absents) documents.append(Q(d));
            especes.append(QJsonObject{{"taxon", Nom(f.Espece)},
                                       {"codings_missing", static_cast<qint64>(f.Nb_Manquants)},
                                       {"codings_missing_listed", Cars(f.Manquants)},
                                       {"coded_with_every_state", static_cast<qint64>(f.Nb_Tous_Etats)},
                                       {"coded_with_every_state_listed", Cars(f.Tous_Etats)},
                                       {"documents_missing", documents}});
        }
        return {{"pages_checked", r_.Documents_Verifies},
                {"taxa_to_mend", static_cast<qint64>(r_.Nb_Especes_Signalees)},
                {"taxa", especes}};
    }

    const Rapport_Cle& r_;
};

}  // namespace

std::string Rapport_Json(const Rapport_Cle& rapport) {
    return QJsonDocument(Document(rapport).Ecrit()).toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace kestrane::kb
