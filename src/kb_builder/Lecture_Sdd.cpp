#include "Lecture_Sdd.h"

#include <QIODevice>
#include <QXmlStreamReader>
#include <cmath>

#include "Extension_Sdd.h"
#include "Nettoyage_Html.h"
#include "Texte_Utf8.h"

namespace kestrane::kb {

std::string Langue_Principale(const std::string& xml_lang) {
    std::string s = xml_lang.substr(0, xml_lang.find_first_of("-_"));
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    if (s == "zxx" || s == "und" || s == "x" || s == "i" || s == "mul")
        return "";
    return s;
}

namespace {

class Lecture {
  public:
    Lecture(QIODevice& source, std::string nom, const std::function<void(int64_t)>& progression)
        : x_(&source), nom_(std::move(nom)), progression_(progression) {
        x_.setNamespaceProcessing(true);
    }

    Result<Donnees_Sdd> Lit() {
        if (!Enfant()) {
            if (!x_.hasError())
                Erreur("the file holds no XML element", x_.lineNumber());
        } else if (Nom() != "Datasets") {
            Erreur("not an SDD document: the root element is <" + x_.name().toString().toStdString() +
                   ">, not <Datasets>");
        } else {
            bool premier = true;
            while (Enfant()) {
                if (Nom() == "Dataset" && premier) {
                    Dataset();
                    premier = false;
                } else {
                    d_.Autres_Datasets += Nom() == "Dataset" ? 1 : 0;
                    Saute();
                }
            }
            if (premier && !x_.hasError())
                Erreur("the document holds no Dataset", x_.lineNumber());
        }
        while (!x_.atEnd() && !x_.hasError()) Avance();
        if (!x_.hasError())
            Resout();
        if (x_.hasError()) {
            if (message_.empty())
                return Status::Error(nom_ + ":" + std::to_string(Ligne_Erreur_Xml()) +
                                     ": malformed XML: " + x_.errorString().toStdString());
            return Status::Error(nom_ + ":" + std::to_string(ligne_) + ": " + message_);
        }
        return std::move(d_);
    }

  private:
    // The line of the reader's error. Bytes that are not UTF-8 are found while a whole block is
    // decoded, ahead of the line being read: their own line is looked for in the file.
    long Ligne_Erreur_Xml() const {
        QIODevice* d = x_.device();
        const QString encodage = x_.documentEncoding().toString();
        const bool utf8 =
            encodage.isEmpty() || encodage.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0;
        if (x_.error() == QXmlStreamReader::NotWellFormedError &&
            x_.errorString().contains(QLatin1String("encoded")) && utf8 && d && !d->isSequential() &&
            d->seek(0)) {
            const QByteArray tout = d->readAll();
            if (const int ligne =
                    Ligne_Non_Utf8(std::string_view(tout.constData(), static_cast<size_t>(tout.size())));
                ligne > 0)
                return ligne;
        }
        return static_cast<long>(x_.lineNumber());
    }

    // ---- the stream, with the language of each open element ----

    QXmlStreamReader::TokenType Avance() {
        const auto t = x_.readNext();
        if (t == QXmlStreamReader::DTD)
            Erreur("a DTD is not allowed in an SDD document");
        // A dataset nests a few tens of levels; far deeper is a file made to exhaust the reader.
        profondeur_ += t == QXmlStreamReader::StartElement ? 1 : t == QXmlStreamReader::EndElement ? -1 : 0;
        if (profondeur_ > Profondeur_Max)
            Erreur("elements are nested more than " + std::to_string(Profondeur_Max) + " deep");
        if (progression_ && ++jetons_ % 4096 == 0 && x_.device())
            progression_(x_.device()->pos());
        return t;
    }
    // Moves to the next child of the current element and enters it; false at the current
    // element's end (left) or on an error.
    bool Enfant() {
        while (!x_.atEnd() && !x_.hasError()) {
            const auto t = Avance();
            if (t == QXmlStreamReader::StartElement) {
                const auto lang = x_.attributes().value(QStringLiteral("xml:lang"));
                langues_.push_back(lang.isNull() ? (langues_.empty() ? std::string() : langues_.back())
                                                 : Langue_Principale(lang.toString().toStdString()));
                return true;
            }
            if (t == QXmlStreamReader::EndElement) {
                Sort();
                return false;
            }
        }
        return false;
    }
    void Sort() {
        if (!langues_.empty())
            langues_.pop_back();
    }
    // Leaves the current element, passing over what it holds.
    void Saute() {
        for (int ouverts = 1; ouverts > 0 && !x_.atEnd() && !x_.hasError();) {
            const auto t = Avance();  // so that the depth stays counted
            ouverts += t == QXmlStreamReader::StartElement ? 1 : t == QXmlStreamReader::EndElement ? -1 : 0;
        }
        Sort();
    }
    // The text of the current element (and of its children), leaving it.
    std::string Texte() {
        QString t;
        for (int ouverts = 1; ouverts > 0 && !x_.atEnd() && !x_.hasError();) {
            switch (Avance()) {
                case QXmlStreamReader::StartElement:
                    ++ouverts;
                    break;
                case QXmlStreamReader::EndElement:
                    --ouverts;
                    break;
                case QXmlStreamReader::Characters:
                case QXmlStreamReader::EntityReference:
                    t += x_.text();
                    break;
                default:
                    break;
            }
        }
        Sort();
        return t.toStdString();
    }
    // The local name of an element of the standard's namespace (or of none); "" for another.
    std::string Nom() const {
        const auto ns = x_.namespaceUri();
        return ns.isEmpty() || ns == QLatin1String(Espace_Sdd) ? x_.name().toString().toStdString()
                                                               : std::string();
    }
    bool Extension(const char* nom) const {
        return x_.namespaceUri() == QLatin1String(Espace_Kestrane) && x_.name() == QLatin1String(nom);
    }
    std::string Attribut(const char* nom) const {
        return x_.attributes().value(QLatin1String(nom)).toString().toStdString();
    }
    const std::string& Langue() const { return langues_.back(); }
    long Ligne() const { return static_cast<long>(x_.lineNumber()); }

    void Erreur(const std::string& quoi, long ligne = -1) {
        if (x_.hasError())
            return;
        message_ = quoi;
        ligne_ = ligne >= 0 ? ligne : Ligne();
        x_.raiseError(QString::fromStdString(quoi));
    }

    // ---- ids ----

    // Records an id of a kind; refuses one defined twice. An element without id is kept but
    // cannot be referred to.
    bool Declare(std::map<std::string, int>& index, const std::string& id, int numero, const char* genre) {
        if (id.empty())
            return true;
        if (!index.emplace(id, numero).second) {
            Erreur(std::string(genre) + " id '" + id + "' is defined twice");
            return false;
        }
        return true;
    }
    int Trouve(const std::map<std::string, int>& index, const std::string& id, const char* genre) {
        auto it = index.find(id);
        if (it == index.end()) {
            Erreur(id.empty() ? std::string(genre) + " reference without ref"
                              : "unknown " + std::string(genre) + " '" + id + "'");
            return -1;
        }
        return it->second;
    }
    // A label present and not blank once its mark-up is dropped.
    static bool Etiquetee(const Representation_Sdd& r) {
        for (const auto& l : r.Labels)
            if (!Texte_Label(l.Texte).empty())
                return true;
        return false;
    }

    // ---- elements ----

    void Representation(Representation_Sdd& r) {
        std::vector<Texte_Sdd> secondaires;  // labels with a role such as "Abbrev": used last
        while (Enfant()) {
            const std::string n = Nom();
            if (n == "Label") {
                const std::string role = Attribut("role");
                Texte_Sdd t{Langue(), Texte()};
                (role.empty() || role == "Full" ? r.Labels : secondaires).push_back(std::move(t));
            } else if (n == "Detail") {
                r.Details.push_back({Langue(), Texte()});
            } else if (n == "MediaObject") {
                Reference_Sdd m{Attribut("ref"), Ligne()};
                if (m.Id.empty())
                    Erreur("MediaObject reference without ref");
                if (Attribut("role") == "Primary")
                    r.Medias.insert(r.Medias.begin(), m);
                else
                    r.Medias.push_back(m);
                Saute();
            } else {
                Saute();
            }
        }
        r.Labels.insert(r.Labels.end(), secondaires.begin(), secondaires.end());
    }

    void Dataset() {
        d_.Ligne = Ligne();
        d_.Langue = Langue();
        while (Enfant()) {
            const std::string n = Nom();
            if (n == "Representation")
                Representation(d_.Rep);
            else if (n == "TaxonNames")
                Liste("TaxonName", [this] { Taxon(); });
            else if (n == "TaxonHierarchies")
                Premier("TaxonHierarchy",
                        [this] { Liste("Nodes", [this] { Liste("Node", [this] { Noeud_Taxon(); }); }); });
            else if (n == "Characters")
                Caracteres();
            else if (n == "DescriptiveConcepts")
                Liste("DescriptiveConcept", [this] { Concept(); });
            else if (n == "CharacterTrees")
                Premier("CharacterTree", [this] { Liste("Nodes", [this] { Noeuds(); }); });
            else if (n == "CodedDescriptions")
                Liste("CodedDescription", [this] { Description(); });
            else if (n == "MediaObjects")
                Liste("MediaObject", [this] { Media(); });
            else
                Saute();
        }
        if (!x_.hasError() && d_.Descriptions.empty())
            Erreur("the dataset holds no coded description (no taxon is described)", d_.Ligne);
    }

    // Reads each child named `nom` of the current element with `lire`, passes over the others.
    template <typename F>
    void Liste(const char* nom, F lire) {
        while (Enfant()) {
            if (Nom() == nom)
                lire();
            else
                Saute();
        }
    }
    // Reads the first child named `nom` and passes over the others and later ones.
    template <typename F>
    void Premier(const char* nom, F lire) {
        bool fait = false;
        while (Enfant()) {
            if (!fait && Nom() == nom) {
                lire();
                fait = true;
            } else {
                Saute();
            }
        }
    }

    void Taxon() {
        Taxon_Sdd t;
        t.Id = Attribut("id");
        t.Ligne = Ligne();
        if (!Declare(index_taxons_, t.Id, static_cast<int>(d_.Taxons.size()), "taxon"))
            return;
        while (Enfant()) {
            if (Nom() == "Representation") {
                Representation(t.Rep);
            } else if (Nom() == "Rank") {
                t.Rang = Attribut("code");
                Saute();
            } else if (Extension(Extension_Code)) {
                t.Code = Attribut("value");
                Saute();
            } else {
                Saute();
            }
        }
        if (!Etiquetee(t.Rep))
            Erreur("taxon name '" + t.Id + "' has no label", t.Ligne);
        d_.Taxons.push_back(std::move(t));
    }

    void Noeud_Taxon() {
        Noeud_Taxon_Sdd n;
        n.Id = Attribut("id");
        while (Enfant()) {
            if (Nom() == "Parent") {
                n.Parent = {Attribut("ref"), Ligne()};
                Saute();
            } else if (Nom() == "TaxonName") {
                n.Taxon = Trouve(index_taxons_, Attribut("ref"), "taxon");
                Saute();
            } else {
                Saute();
            }
        }
        d_.Hierarchie.push_back(std::move(n));
    }

    void Caracteres() {
        while (Enfant()) {
            const std::string n = Nom();
            Caractere_Sdd c;
            c.Id = Attribut("id");
            c.Ligne = Ligne();
            c.Type = n == "CategoricalCharacter"    ? Caractere_Sdd::Genre::Categoriel
                     : n == "QuantitativeCharacter" ? Caractere_Sdd::Genre::Quantitatif
                                                    : Caractere_Sdd::Genre::Autre;
            if (n.empty() || n.find("Character") == std::string::npos ||
                !Declare(index_caracteres_, c.Id, static_cast<int>(d_.Caracteres.size()), "character")) {
                Saute();
                continue;
            }
            std::string unite, prefixe;
            while (Enfant()) {
                const std::string m = Nom();
                if (m == "Representation") {
                    Representation(c.Rep);
                } else if (m == "States") {
                    while (Enfant()) {
                        if (Nom() == "StateDefinition") {
                            Etat(c);
                        } else {
                            c.Etats_Concepts = c.Etats_Concepts || Nom() == "StateReference";
                            Saute();
                        }
                    }
                } else if (m == "MeasurementUnit") {
                    Representation_Sdd r;
                    Representation(r);
                    if (!r.Labels.empty())
                        unite = Texte_Label(r.Labels.front().Texte);
                } else if (m == "Default") {
                    Liste("MeasurementUnitPrefix", [&] { prefixe = Texte(); });
                } else if (Extension(Extension_Propose)) {
                    const std::string v = Attribut("value");
                    c.Propose = !(v == "false" || v == "0");
                    Saute();
                } else {
                    Saute();
                }
            }
            c.Unite = Prefixe(prefixe) + unite;
            if (!Etiquetee(c.Rep))
                Erreur("character '" + c.Id + "' has no label", c.Ligne);
            d_.Caracteres.push_back(std::move(c));
        }
    }

    static std::string Prefixe(const std::string& p) {
        static const std::map<std::string, std::string> abreges{
            {"pico", "p"},  {"nano", "n"},  {"micro", "µ"}, {"milli", "m"}, {"centi", "c"}, {"deci", "d"},
            {"deca", "da"}, {"hecto", "h"}, {"kilo", "k"},  {"mega", "M"},  {"giga", "G"}};
        auto it = abreges.find(p);
        return it != abreges.end() ? it->second : p;
    }

    void Etat(Caractere_Sdd& c) {
        Etat_Sdd e;
        e.Id = Attribut("id");
        e.Ligne = Ligne();
        const int caractere = static_cast<int>(d_.Caracteres.size());
        if (!e.Id.empty() &&
            !index_etats_.emplace(e.Id, std::pair{caractere, static_cast<int>(c.Etats.size())}).second) {
            Erreur("state id '" + e.Id + "' is defined twice");
            return;
        }
        while (Enfant()) {
            if (Nom() == "Representation") {
                Representation(e.Rep);
            } else if (Extension(Extension_Poids)) {
                bool ok = false;
                const int p = QString::fromStdString(Attribut("value")).toInt(&ok);
                if (!ok || p < 0 || p > 32767)
                    Erreur("Weight '" + Attribut("value") + "' must be a whole number from 0 to 32767");
                e.Poids = p;
                Saute();
            } else {
                Saute();
            }
        }
        if (!Etiquetee(e.Rep))
            Erreur("state '" + e.Id + "' has no label", e.Ligne);
        c.Etats.push_back(std::move(e));
    }

    void Concept() {
        Concept_Sdd c;
        c.Id = Attribut("id");
        if (!Declare(index_concepts_, c.Id, static_cast<int>(d_.Concepts.size()), "descriptive concept"))
            return;
        Liste("Representation", [&] { Representation(c.Rep); });
        d_.Concepts.push_back(std::move(c));
    }

    void Noeuds() {
        while (Enfant()) {
            const std::string n = Nom();
            if (n != "Node" && n != "CharNode") {
                Saute();
                continue;
            }
            Noeud_Sdd noeud;
            noeud.Id = n == "Node" ? Attribut("id") : std::string();
            noeud.Ligne = Ligne();
            while (Enfant()) {
                const std::string m = Nom();
                if (m == "Parent") {
                    noeud.Parent = {Attribut("ref"), Ligne()};
                    Saute();
                } else if (m == "DescriptiveConcept") {
                    noeud.Concept = {Attribut("ref"), Ligne()};
                    Saute();
                } else if (m == "Character") {
                    noeud.Caractere = Trouve(index_caracteres_, Attribut("ref"), "character");
                    Saute();
                } else if (m == "DependencyRules") {
                    while (Enfant()) {
                        const std::string r = Nom();
                        auto* etats = r == "InapplicableIf"     ? &noeud.Inapplicable_Si
                                      : r == "OnlyApplicableIf" ? &noeud.Applicable_Si
                                                                : nullptr;
                        if (!etats) {
                            Saute();
                            continue;
                        }
                        Liste("State", [&] {
                            auto it = index_etats_.find(Attribut("ref"));
                            if (it == index_etats_.end())
                                Erreur("unknown state '" + Attribut("ref") + "' in a dependency rule");
                            else
                                etats->push_back(it->second);
                            Saute();
                        });
                    }
                } else {
                    Saute();
                }
            }
            if (n == "CharNode" && noeud.Caractere < 0)
                Erreur("a CharNode names no Character", noeud.Ligne);
            d_.Arbre.push_back(std::move(noeud));
        }
    }

    void Description() {
        Description_Sdd d;
        d.Id = Attribut("id");
        d.Ligne = Ligne();
        while (Enfant()) {
            const std::string n = Nom();
            if (n == "Representation") {
                Representation(d.Rep);
            } else if (n == "Scope") {
                Liste("TaxonName", [&] {
                    d.Taxon = Trouve(index_taxons_, Attribut("ref"), "taxon");
                    Saute();
                });
            } else if (n == "SummaryData") {
                while (Enfant()) {
                    if (Nom() == "Categorical" || Nom() == "Quantitative")
                        Codage(d);
                    else
                        Saute();
                }
            } else {
                Saute();
            }
        }
        d_.Descriptions.push_back(std::move(d));
    }

    void Codage(Description_Sdd& d) {
        const bool categoriel = Nom() == "Categorical";
        Codage_Sdd c;
        c.Ligne = Ligne();
        c.Caractere = Trouve(index_caracteres_, Attribut("ref"), "character");
        if (c.Caractere < 0)
            return;
        const auto genre = d_.Caracteres[static_cast<size_t>(c.Caractere)].Type;
        if (genre != (categoriel ? Caractere_Sdd::Genre::Categoriel : Caractere_Sdd::Genre::Quantitatif)) {
            Erreur("character '" + Attribut("ref") + "' is not " +
                   (categoriel ? "a categorical" : "a quantitative") + " character");
            return;
        }
        bool statut = false;
        std::map<std::string, double> mesures;
        while (Enfant()) {
            const std::string n = Nom();
            if (n == "State" && categoriel) {
                const std::string ref = Attribut("ref");
                auto it = index_etats_.find(ref);
                if (it == index_etats_.end())
                    Erreur("unknown state '" + ref + "'");
                else if (it->second.first != c.Caractere)
                    Erreur("state '" + ref + "' is not a state of character '" +
                           d_.Caracteres[static_cast<size_t>(c.Caractere)].Id + "'");
                else
                    c.Etats.push_back(it->second.second);
                Saute();
            } else if (n == "Status") {
                statut = true;
                const std::string code = Attribut("code");
                c.Etat = code == "NotApplicable" || code == "Inapplicable" ? Codage_Sdd::Statut::Inapplicable
                                                                           : Codage_Sdd::Statut::Inconnu;
                Saute();
            } else if (n == "Measure" && !categoriel) {
                bool ok = false;
                const double v = QString::fromStdString(Attribut("value")).toDouble(&ok);
                if (!ok || !std::isfinite(v))
                    Erreur("Measure value '" + Attribut("value") + "' is not a number");
                mesures[Attribut("type")] = v;
                Saute();
            } else {
                Saute();
            }
        }
        if (!categoriel) {
            auto premiere = [&](std::initializer_list<const char*> types) -> std::optional<double> {
                for (const char* t : types)
                    if (auto it = mesures.find(t); it != mesures.end())
                        return it->second;
                return std::nullopt;
            };
            c.Bas = premiere({"Min", "UMethLower", "Mean", "Median", "Mode", "Max", "UMethUpper"});
            c.Haut = premiere({"Max", "UMethUpper", "Mean", "Median", "Mode", "Min", "UMethLower"});
            if (c.Bas && c.Haut && *c.Bas > *c.Haut)
                std::swap(c.Bas, c.Haut);
        }
        const bool donnee = categoriel ? !c.Etats.empty() : c.Bas.has_value();
        if (!donnee && !statut)
            c.Etat = Codage_Sdd::Statut::Inconnu;
        if (donnee)
            c.Etat = Codage_Sdd::Statut::Code;
        d.Codages.push_back(std::move(c));
    }

    void Media() {
        Media_Sdd m;
        m.Id = Attribut("id");
        m.Ligne = Ligne();
        if (!Declare(d_.Index_Medias, m.Id, static_cast<int>(d_.Medias.size()), "media object"))
            return;
        while (Enfant()) {
            const std::string n = Nom();
            if (n == "Representation") {
                Representation(m.Rep);
            } else if (n == "Type") {
                m.Type = Texte();
            } else if (n == "Source") {
                m.Href = Attribut("href");
                Saute();
            } else {
                Saute();
            }
        }
        d_.Medias.push_back(std::move(m));
    }

    // ---- references to what comes later in the document ----

    void Resout() {
        auto medias = [&](const Representation_Sdd& r) {
            for (const auto& m : r.Medias)
                if (!d_.Index_Medias.count(m.Id))
                    Erreur("unknown media object '" + m.Id + "'", m.Ligne);
        };
        for (const auto& t : d_.Taxons) medias(t.Rep);
        for (const auto& c : d_.Caracteres) {
            medias(c.Rep);
            for (const auto& e : c.Etats) medias(e.Rep);
        }
        for (const auto& d : d_.Descriptions) medias(d.Rep);
        Parents(d_.Hierarchie, "taxon hierarchy");
        Parents(d_.Arbre, "character tree");
        for (auto& n : d_.Arbre)
            if (!n.Concept.Id.empty()) {
                auto it = index_concepts_.find(n.Concept.Id);
                if (it == index_concepts_.end())
                    Erreur("unknown descriptive concept '" + n.Concept.Id + "'", n.Concept.Ligne);
                else
                    n.Index_Concept = it->second;
            }
    }

    // Resolves the Parent of each node to its index and refuses a cycle.
    template <typename Noeud>
    void Parents(std::vector<Noeud>& noeuds, const char* quoi) {
        std::map<std::string, int> par_id;
        for (size_t i = 0; i < noeuds.size(); ++i)
            if (!noeuds[i].Id.empty() && !par_id.emplace(noeuds[i].Id, static_cast<int>(i)).second)
                Erreur(std::string(quoi) + " node id '" + noeuds[i].Id + "' is defined twice");
        for (auto& n : noeuds) {
            if (n.Parent.Id.empty())
                continue;
            auto it = par_id.find(n.Parent.Id);
            if (it == par_id.end())
                Erreur("unknown " + std::string(quoi) + " node '" + n.Parent.Id + "'", n.Parent.Ligne);
            else
                n.Index_Parent = it->second;
        }
        // Depth of each node, each node walked once: a node met again on the walk closes a cycle.
        std::vector<int> profondeur(noeuds.size(), -1);  // -2: on the walk under way
        for (size_t i = 0; i < noeuds.size() && !x_.hasError(); ++i) {
            std::vector<size_t> chemin;
            int p = static_cast<int>(i);
            while (p >= 0 && profondeur[static_cast<size_t>(p)] == -1) {
                profondeur[static_cast<size_t>(p)] = -2;
                chemin.push_back(static_cast<size_t>(p));
                p = noeuds[static_cast<size_t>(p)].Index_Parent;
            }
            if (p >= 0 && profondeur[static_cast<size_t>(p)] == -2) {
                Erreur("the nodes of the " + std::string(quoi) + " form a cycle",
                       noeuds[static_cast<size_t>(p)].Parent.Ligne);
                return;
            }
            int d = p >= 0 ? profondeur[static_cast<size_t>(p)] : -1;
            for (auto it = chemin.rbegin(); it != chemin.rend(); ++it) profondeur[*it] = ++d;
            if (d > Profondeur_Maximale) {
                Erreur("the " + std::string(quoi) + " is more than " + std::to_string(Profondeur_Maximale) +
                           " levels deep",
                       noeuds[i].Parent.Ligne);
                return;
            }
        }
    }

    // Deeper trees are no key's: refused, so that no walk through them can run away.
    static constexpr int Profondeur_Maximale = 1000;
    // Elements nested deeper than this are refused as they are read.
    static constexpr int Profondeur_Max = 200;

    QXmlStreamReader x_;
    std::string nom_;
    const std::function<void(int64_t)>& progression_;
    std::vector<std::string> langues_;
    std::string message_;
    long ligne_ = 0;
    size_t jetons_ = 0;
    int profondeur_ = 0;  // elements open
    Donnees_Sdd d_;
    std::map<std::string, int> index_taxons_, index_caracteres_, index_concepts_;
    std::map<std::string, std::pair<int, int>> index_etats_;
};

}  // namespace

Result<Donnees_Sdd> Lit_Sdd(QIODevice& source, const std::string& nom,
                            const std::function<void(int64_t)>& progression) {
    return Lecture(source, nom, progression).Lit();
}

}  // namespace kestrane::kb
