// The main window's start-up load, in its fixed order, and the one message about what the load of a
// damaged base passed over.

#include <QApplication>

#include "Chargeur_Base.h"
#include "Documents.h"
#include "Impression.h"
#include "Portrait_Questions.h"
#include "Textes_Moteur_Langue.h"
#include "Traduit_Feuille.h"
#include "frmMain.h"

namespace kestrane {
namespace {

QString Q(const std::string& texte) { return QString::fromStdString(texte); }

// `entete` followed by one line per problem.
// `entete` followed by one line per problem.
QString Liste_Problemes(const QString& entete, const std::vector<std::string>& problemes) {
    QString texte = entete;
    for (const std::string& p : problemes) texte += QStringLiteral("\n- ") + Q(p);
    return texte;
}

}  // namespace

Issue_Chargement frmMain::Charge(const QString& ligne_commande) {
    en_chargement_ = true;
    Traduit_Feuille(this, contexte_.Langue);
    Desactive_Bouton("Copy");

    // A second instance asks whether to go on.
    if (!contexte_.verrou_instance.empty()) {
        verrou_ = std::make_unique<Verrou_Instances>(contexte_.verrou_instance);
        if (verrou_->Autre_Instance()) {
            const QString titre = Chaine_Texte(1050);
            if (Demande(Chaine_Texte(1067), Boutons::Oui_Non, Icone::Exclamation, titre) == Reponse::Non) {
                verrou_.reset();
                return {Issue_Chargement::Genre::Abandon, {}, {}};
            }
            Demande(Chaine_Texte(1068), Boutons::OK, Icone::Information, titre);
        }
        // Held while this instance runs, also when it runs beside another.
        verrou_->Prend();
    }

    contexte_.reglages = Lit_Registre(contexte_.machine, contexte_.magasin);
    const Reglages& r = contexte_.reglages;
    Chargement chargement = Charge_Base({r.Chemin_Base, r.Rep_Data}, contexte_.palette);
    if (chargement.Echec) {
        const auto& echec = *chargement.Echec;
        switch (echec.Genre_Echec) {
            case Echec_Chargement::Genre::Lecture_Poids:
                return {Issue_Chargement::Genre::Fatale, Chaine_Texte(1069), Chaine_Texte(1050)};
            case Echec_Chargement::Genre::Lecture_Matrice:
                return {Issue_Chargement::Genre::Fatale, Chaine_Texte(1070), Chaine_Texte(1050)};
            default:
                // What the load passed over before it stopped often says why.
                return {Issue_Chargement::Genre::Fatale,
                        Liste_Problemes(Q(echec.Message), chargement.Avertissements), Titre_Programme()};
        }
    }
    base_ = std::move(chargement.Base);
    avertissements_ = std::move(chargement.Avertissements);

    Reglages_Moteur moteur{r.Rep_Robot, r.Rep_Data, r.Seuil_Pourcent, Textes_Moteur_Langue(contexte_.Langue),
                           r.Strategie};
    Observateur_Identification& observateur = *this;
    Dialogue_Utilisateur& dialogue = *this;
    identification_ = std::make_unique<Identification_Courante>(*base_, moteur, observateur, dialogue);
    Hote_Portrait& hote_portrait = *this;
    portrait_ = std::make_unique<Portrait_Questions>(*base_, *identification_, contexte_.reglages, hote_portrait,
                                                     contexte_.dialogues, surface_);
    Hote_Documents& hote_documents = *this;
    documents_ = std::make_unique<Documents>(hote_documents, contexte_.reglages, *base_, contexte_.dialogues, this);
    impression_ = std::make_unique<Impression>(*base_, contexte_.reglages, contexte_.dialogues, this);
    Installe_Panes();
    documents_->Remplit_Arbre();
    if (Status s = identification_->Demarre(); !s) {
        // A portrait without its drawings cannot be used.
        return {Issue_Chargement::Genre::Fatale, Q(s.message()), Titre_Programme()};
    }
    mnuFileSave->setEnabled(false);
    mnuFileSaveAs->setEnabled(false);
    Desactive_Bouton("Save");
    Robot->update();
    portrait_->Cree_Barre_Deter();
    portrait_->Cree_Barre_Question();
    portrait_->Calques().Demarrage_Termine();
    if (portrait_->Sans_Portrait())
        portrait_->Montre_Portrait();  // the ranked questions in its place
    Installe_Ajouts();
    Installe_Aide_Question();
    Applique_Vignettes();
    QApplication::processEvents();

    titre_fenetre_ = windowTitle();
    en_chargement_ = false;
    // The portrait can be copied: the toolbar's Copy is enabled in the views that copy.
    Active_Bouton("Copy");
    Actualise_Copie(false);

    QString chemin = ligne_commande;
    if (chemin.startsWith('"')) chemin = chemin.mid(1, chemin.size() - 2);
    if (!chemin.isEmpty()) Traiter_Fichier("Open", chemin);
    return {};
}

void frmMain::Signale_Avertissements() {
    if (avertissements_.empty())
        return;
    // The loader's lines are its own (English, naming the table and row); the line above them
    // follows the interface language.
    static const char* const entetes[] = {
        "The knowledge base was loaded, but these problems were passed over:",
        "La base de conocimientos se ha cargado, pero se han pasado por alto estos problemas:",
        "La base de connaissances a été chargée, mais ces problèmes ont été ignorés :",
    };
    const int langue = contexte_.Langue >= 0 && contexte_.Langue <= 2 ? contexte_.Langue : 0;
    const QString texte = Liste_Problemes(QString::fromUtf8(entetes[langue]), avertissements_);
    avertissements_.clear();
    Demande(texte, Boutons::OK, Icone::Exclamation, windowTitle());
}

}  // namespace kestrane
