#include "Langues_Sdd.h"

#include <QLocale>
#include <algorithm>

#include "Nettoyage_Html.h"

namespace kestrane::kb {

namespace {

const char* const Interface[] = {"en", "fr", "es"};

std::string Nom_Langue(const std::string& suffixe) {
    if (suffixe == "en")
        return "English";
    if (suffixe == "fr")
        return "Français";
    if (suffixe == "es")
        return "Español";
    QString nom = QLocale(QString::fromStdString(suffixe)).nativeLanguageName();
    if (nom.isEmpty() || QLocale(QString::fromStdString(suffixe)).language() == QLocale::C)
        return suffixe;
    nom[0] = nom[0].toUpper();
    return nom.toStdString();
}

bool Deux_Lettres(const std::string& s) {
    return s.size() == 2 && std::all_of(s.begin(), s.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

void Langues_De(const Representation_Sdd& r, std::set<std::string>& out) {
    for (const auto* v : {&r.Labels, &r.Details})
        for (const auto& t : *v)
            if (!t.Langue.empty())
                out.insert(t.Langue);
}

}  // namespace

Langues_Sdd::Langues_Sdd(const Donnees_Sdd& d) {
    std::string origine = d.Langue.empty() ? "en" : d.Langue;
    if (!Deux_Lettres(origine)) {
        remplacee_ = true;
        origine = "en";
    }
    std::set<std::string> vues;
    for (const auto& t : d.Taxons) Langues_De(t.Rep, vues);
    for (const auto& c : d.Caracteres) {
        Langues_De(c.Rep, vues);
        for (const auto& e : c.Etats) Langues_De(e.Rep, vues);
    }
    for (const auto& c : d.Concepts) Langues_De(c.Rep, vues);
    for (const auto& desc : d.Descriptions) Langues_De(desc.Rep, vues);
    for (const auto& m : d.Medias) Langues_De(m.Rep, vues);
    langues_.push_back({origine, Nom_Langue(origine)});
    for (const char* l : Interface)
        if (l != origine && (vues.count(l) || std::string(l) == "en"))
            langues_.push_back({l, Nom_Langue(l)});
    for (const auto& l : vues)
        if (l != origine && std::find(std::begin(Interface), std::end(Interface), l) == std::end(Interface))
            ecartees_.insert(l);
}

Textes_Choisis Langues_Sdd::Labels(const std::vector<Texte_Sdd>& labels) const {
    Textes_Choisis out;
    const Texte_Sdd* defaut = nullptr;
    for (const auto& l : labels)
        if ((l.Langue.empty() || l.Langue == Origine()) && !Texte_Label(l.Texte).empty()) {
            defaut = &l;
            break;
        }
    for (const auto& l : labels)
        if (!defaut && !Texte_Label(l.Texte).empty())
            defaut = &l;
    if (!defaut)
        return out;
    out.Defaut = Texte_Label(defaut->Texte);
    for (size_t k = 1; k < langues_.size(); ++k)
        for (const auto& l : labels)
            if (l.Langue == langues_[k].Suffixe) {
                std::string t = Texte_Label(l.Texte);
                if (!t.empty())
                    out.Traductions[langues_[k].Suffixe] = std::move(t);
                break;
            }
    return out;
}

Textes_Choisis Langues_Sdd::Details(const std::vector<Texte_Sdd>& details) const {
    Textes_Choisis out;
    for (const auto& d : details) {
        const std::string html = Nettoie_Html(d.Texte);
        if (Texte_Brut(html).empty())
            continue;
        const std::string bloc = "<div>" + html + "</div>\n";
        if (d.Langue.empty() || d.Langue == Origine())
            out.Defaut += bloc;
        else if (std::any_of(langues_.begin(), langues_.end(),
                             [&](const auto& l) { return l.Suffixe == d.Langue; }))
            out.Traductions[d.Langue] += bloc;
    }
    return out;
}

Textes_Choisis Langues_Sdd::Fixe(const std::map<std::string, std::string>& par_langue) const {
    Textes_Choisis out;
    auto it = par_langue.find(Origine());
    out.Defaut = it != par_langue.end() ? it->second : par_langue.at("en");
    for (size_t k = 1; k < langues_.size(); ++k) {
        auto t = par_langue.find(langues_[k].Suffixe);
        if (t != par_langue.end())
            out.Traductions[langues_[k].Suffixe] = t->second;
    }
    return out;
}

}  // namespace kestrane::kb
