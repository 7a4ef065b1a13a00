#include "Panneau_Reponses.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

#include "Textes_Ajoutes.h"
#include "Vignettes_Etats.h"

namespace kestrane {
namespace {

constexpr int Role_Objet = Qt::UserRole;
constexpr int Hauteur_Vignette = 40;
constexpr int Vignettes_Max = 3;  // states shown as pictures; the others in words only

QString Q(std::string_view texte) {
    return QString::fromUtf8(texte.data(), static_cast<qsizetype>(texte.size()));
}

// The answer in words: a measured value as given ("34 mm (± 10 %)"), else its states' texts.
QStringList Mots(const Reponse_Decrite& r) {
    QStringList mots;
    if (r.Mesure)
        return {QString::fromStdString(Texte_Mesure(*r.Mesure, r.Unite))};
    for (const Etat_Decrit& etat : r.Etats) mots << Q(etat.Texte);
    return mots;
}

bool Meme_Reponse(const Reponse_Decrite& a, const Reponse_Decrite& b) {
    if (a.Objet != b.Objet || a.Question != b.Question || a.Etats.size() != b.Etats.size() || a.Mesure != b.Mesure)
        return false;
    for (size_t k = 0; k < a.Etats.size(); ++k) {
        if (a.Etats[k].Numero != b.Etats[k].Numero || a.Etats[k].Valeur != b.Etats[k].Valeur ||
            a.Etats[k].Texte != b.Etats[k].Texte)
            return false;
    }
    return true;
}

}  // namespace

Panneau_Reponses::Panneau_Reponses(const Base_Connaissance& base, Vignettes_Etats& vignettes, QWidget* parent)
    : QWidget(parent), base_(base), vignettes_(vignettes) {
    setObjectName(QStringLiteral("Panneau_Reponses"));
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    titre_ = new QLabel(this);
    QFont gras = titre_->font();
    gras.setBold(true);
    titre_->setFont(gras);
    liste_ = new QListWidget(this);
    liste_->setObjectName(QStringLiteral("Liste_Reponses"));
    liste_->setSelectionMode(QAbstractItemView::SingleSelection);
    liste_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    liste_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    liste_->installEventFilter(this);
    liste_->viewport()->installEventFilter(this);
    indication_ = new QLabel(this);
    indication_->setWordWrap(true);
    indication_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    disposition->addWidget(titre_);
    disposition->addWidget(liste_, 1);
    disposition->addWidget(indication_, 1);
    liste_->hide();
    setFocusProxy(liste_);
    connect(liste_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        emit Ouverture_Demandee(item->data(Role_Objet).value<qulonglong>());
    });
    Traduit(0);
}

void Panneau_Reponses::Traduit(int langue) {
    titre_->setText(Q(Chaine_Ajoutee(Texte_Ajoute::Reponses_Titre, langue)));
    // Without a portrait the questions are picked from the list beside the panel.
    indication_->setText(Q(Chaine_Ajoutee(
        base_.Nb_Robot <= 0 ? Texte_Ajoute::Reponses_Aucune_Liste : Texte_Ajoute::Reponses_Aucune, langue)));
    texte_changer_ = Q(Chaine_Ajoutee(Texte_Ajoute::Reponses_Changer, langue));
    texte_retirer_ = Q(Chaine_Ajoutee(Texte_Ajoute::Reponses_Retirer, langue));
    for (int r = 0; r < liste_->count(); ++r) {
        liste_->item(r)->setToolTip(texte_changer_);
        if (QToolButton* bouton = Bouton_Retirer(r))
            bouton->setToolTip(texte_retirer_);
    }
}

int Panneau_Reponses::Largeur_Souhaitee() const {
    return fontMetrics().averageCharWidth() * 36;
}

QToolButton* Panneau_Reponses::Bouton_Retirer(int rang) const {
    if (rang < 0 || rang >= liste_->count())
        return nullptr;
    QWidget* ligne = liste_->itemWidget(liste_->item(rang));
    return ligne ? ligne->findChild<QToolButton*>() : nullptr;
}

long long Panneau_Reponses::Objet_Courant() const {
    const QListWidgetItem* item = liste_->currentItem();
    return item ? static_cast<long long>(item->data(Role_Objet).value<qulonglong>()) : -1;
}

QWidget* Panneau_Reponses::Ligne(const Reponse_Decrite& reponse) {
    auto* ligne = new QWidget;
    auto* disposition = new QHBoxLayout(ligne);
    disposition->setContentsMargins(4, 3, 2, 3);
    const Objet_Fic& objet = base_.Objets[reponse.Objet];
    const qreal ratio = devicePixelRatioF();
    int images = 0;
    for (const Etat_Decrit& etat : reponse.Etats) {
        const auto deja = vignettes_.Deja_Dessinee(objet, etat.Cellule, Hauteur_Vignette, ratio);
        // A character without a picture of its states is answered in words alone.
        if (objet.Popup.empty() || reponse.Mesure || images == Vignettes_Max || (deja && deja->isNull()))
            continue;
        auto* image = new QLabel(ligne);
        image->setObjectName(QStringLiteral("Vignette"));
        image->setFixedHeight(Hauteur_Vignette);
        image->setAttribute(Qt::WA_TransparentForMouseEvents);
        if (deja) {
            image->setPixmap(*deja);
            image->setFixedSize(deja->deviceIndependentSize().toSize());
        } else {
            image->setFixedWidth(Hauteur_Vignette * 3 / 4);
            a_dessiner_.push_back({image, reponse.Objet, etat.Cellule});
        }
        disposition->addWidget(image, 0, Qt::AlignTop);
        ++images;
    }
    // Plain texts: the question in bold above the states, one a line.
    auto* textes = new QVBoxLayout;
    textes->setSpacing(0);
    auto* question = new QLabel(Q(reponse.Question), ligne);
    question->setFont(titre_->font());
    const QStringList etats = Mots(reponse);
    auto* reponse_donnee = new QLabel(etats.join(QLatin1Char('\n')), ligne);
    for (QLabel* l : {question, reponse_donnee}) {
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        textes->addWidget(l);
    }
    disposition->addLayout(textes, 1);
    auto* retirer = new QToolButton(ligne);
    retirer->setObjectName(QStringLiteral("Retirer"));
    retirer->setText(QStringLiteral("\u2715"));
    retirer->setAutoRaise(true);
    retirer->setFocusPolicy(Qt::NoFocus);  // the list's Delete key does it from the keyboard
    retirer->setToolTip(texte_retirer_);
    retirer->setAccessibleName(texte_retirer_);
    const size_t numero = reponse.Objet;
    // Queued: the answer's row, this button included, is rebuilt by what the request starts.
    connect(
        retirer, &QToolButton::clicked, this, [this, numero] { emit Retrait_Demande(numero); },
        Qt::QueuedConnection);
    disposition->addWidget(retirer, 0, Qt::AlignTop);
    return ligne;
}

void Panneau_Reponses::Affiche(const std::vector<Reponse_Decrite>& reponses) {
    // Rows are rebuilt from the first that differs: an answer given is one row more.
    size_t communes = 0;
    while (communes < reponses.size() && communes < reponses_.size() &&
           Meme_Reponse(reponses[communes], reponses_[communes]))
        ++communes;
    if (communes == reponses.size() && communes == reponses_.size())
        return;
    const long long courant = Objet_Courant();
    const int rang_courant = liste_->currentRow();
    const bool focus = liste_->hasFocus();
    reponses_ = reponses;
    liste_->setVisible(!reponses_.empty());
    indication_->setVisible(reponses_.empty());
    while (liste_->count() > static_cast<int>(communes)) delete liste_->takeItem(liste_->count() - 1);
    for (size_t r = communes; r < reponses_.size(); ++r) {
        const Reponse_Decrite& reponse = reponses_[r];
        auto* item = new QListWidgetItem(liste_);
        item->setData(Role_Objet, QVariant::fromValue<qulonglong>(reponse.Objet));
        item->setToolTip(texte_changer_);
        // The words also serve the accessibility tools, under the row's widgets.
        const QStringList etats = Mots(reponse);
        item->setData(Qt::AccessibleTextRole,
                      Q(reponse.Question) + QStringLiteral(": ") + etats.join(QStringLiteral(", ")));
        liste_->setItemWidget(item, Ligne(reponse));
        Ajuste_Hauteur(*item);
    }
    int nouveau_rang = -1;
    for (int r = 0; r < liste_->count(); ++r) {
        if (static_cast<long long>(reponses_[static_cast<size_t>(r)].Objet) == courant)
            nouveau_rang = r;
    }
    if (nouveau_rang == -1 && liste_->count() > 0 && rang_courant >= 0)
        nouveau_rang = std::min(rang_courant, liste_->count() - 1);
    if (nouveau_rang >= 0 && nouveau_rang != liste_->currentRow())
        liste_->setCurrentRow(nouveau_rang);
    if (focus && reponses_.empty())
        setFocus();
    // A picture not yet drawn (its character's picture is read and cut) comes once the answer and
    // the results are on screen.
    if (!a_dessiner_.empty())
        QTimer::singleShot(0, this, &Panneau_Reponses::Dessine_Vignettes);
}

void Panneau_Reponses::Dessine_Vignettes() {
    const qreal ratio = devicePixelRatioF();
    for (const A_Dessiner& a : std::exchange(a_dessiner_, {})) {
        if (!a.image)
            continue;  // its row went meanwhile
        const QPixmap vignette =
            vignettes_.Vignette(base_.Objets[a.objet], a.cellule, Hauteur_Vignette, ratio);
        if (vignette.isNull()) {
            a.image->hide();
        } else {
            a.image->setPixmap(vignette);
            a.image->setFixedSize(vignette.deviceIndependentSize().toSize());
        }
    }
    Ajuste_Hauteurs();
}

void Panneau_Reponses::Ajuste_Hauteur(QListWidgetItem& item) {
    QWidget* ligne = liste_->itemWidget(&item);
    if (!ligne)
        return;
    const int largeur = liste_->viewport()->width();
    const int hauteur = ligne->layout()->hasHeightForWidth() ? ligne->layout()->heightForWidth(largeur)
                                                             : ligne->sizeHint().height();
    item.setSizeHint(QSize(largeur, std::max(hauteur, ligne->minimumSizeHint().height())));
}

void Panneau_Reponses::Ajuste_Hauteurs() {
    for (int r = 0; r < liste_->count(); ++r) Ajuste_Hauteur(*liste_->item(r));
}

bool Panneau_Reponses::eventFilter(QObject* objet, QEvent* evenement) {
    // The rows' heights follow the width the text wraps in.
    if (objet == liste_->viewport() && evenement->type() == QEvent::Resize)
        Ajuste_Hauteurs();
    if (objet == liste_ && evenement->type() == QEvent::KeyPress) {
        const long long courant = Objet_Courant();
        const int touche = static_cast<QKeyEvent*>(evenement)->key();
        if (courant >= 0 && (touche == Qt::Key_Delete || touche == Qt::Key_Backspace)) {
            emit Retrait_Demande(static_cast<size_t>(courant));
            return true;
        }
        if (courant >= 0 &&
            (touche == Qt::Key_Return || touche == Qt::Key_Enter || touche == Qt::Key_Space)) {
            emit Ouverture_Demandee(static_cast<size_t>(courant));
            return true;
        }
    }
    return QWidget::eventFilter(objet, evenement);
}

}  // namespace kestrane
