#include "Barre_Boutons.h"

#include <QAction>
#include <QKeyEvent>
#include <QScreen>
#include <QToolButton>

#include <cmath>

#include "Texte_Simple.h"

namespace kestrane {

namespace {

// A toolbar button that Enter presses as well as Space.
class Bouton_Clavier : public QToolButton {
public:
    using QToolButton::QToolButton;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->accept();
            click();
            return;
        }
        QToolButton::keyPressEvent(event);
    }
};

}  // namespace

Barre_Boutons::Barre_Boutons(const QString& nom, QWidget* parent) : QToolBar(nom, parent) {
    setObjectName(nom);
    setOrientation(Qt::Vertical);
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
}

void Barre_Boutons::Construit(int n, const std::vector<Bouton>& boutons) {
    for (Element& e : elements_) {
        if (e.Action == nullptr) continue;
        removeAction(e.Action);
        // A bar may be rebuilt from one of its own clicks: let that click return first. The
        // action owns its button.
        e.Action->deleteLater();
    }
    elements_.assign(static_cast<size_t>(std::max(n, 0) * 2), {});
    for (int k = 1; k <= n; ++k) {
        const int index = 2 * k - 1;
        for (const Bouton& b : boutons) {
            if (b.Numero != k) continue;
            auto* bouton = new Bouton_Clavier(this);
            bouton->setObjectName(QStringLiteral("%1_%2").arg(objectName()).arg(index));
            bouton->setText(b.Caption);
            bouton->setToolTip(Infobulle_Simple(b.TipText));
            bouton->setIcon(b.Image);
            bouton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
            bouton->setFocusPolicy(Qt::StrongFocus);
            bouton->setAutoRaise(true);
            const QString tag = b.Tag;
            connect(bouton, &QToolButton::clicked, this, [this, index, tag] { emit Clique(index, tag); });
            elements_[static_cast<size_t>(index - 1)] = {addWidget(bouton), bouton};
            break;
        }
        elements_[static_cast<size_t>(index)] = {addSeparator(), nullptr};
    }
    adjustSize();
}

QToolButton* Barre_Boutons::Bouton_A(int index) const {
    if (index < 1 || index > Nb_Elements()) return nullptr;
    return elements_[static_cast<size_t>(index - 1)].Bouton;
}

void Barre_Boutons::Montre_Element(int index, bool visible) {
    if (index < 1 || index > Nb_Elements()) return;
    QAction* a = elements_[static_cast<size_t>(index - 1)].Action;
    if (a == nullptr || a->isVisible() == visible)
        return;
    a->setVisible(visible);
    // A bar kept at its former size would push a shown button into the overflow menu.
    resize(Taille_Ideale());
    emit Taille_Changee();
}

bool Barre_Boutons::Element_Visible(int index) const {
    if (index < 1 || index > Nb_Elements()) return false;
    const QAction* a = elements_[static_cast<size_t>(index - 1)].Action;
    return a != nullptr && a->isVisible();
}

QSize Barre_Boutons::Taille_Ideale() const {
    const int marge_x = static_cast<int>(std::lround(100.0 * logicalDpiX() / 1440.0));
    const int marge_y = static_cast<int>(std::lround(100.0 * logicalDpiY() / 1440.0));
    return sizeHint() + QSize(marge_x, marge_y);
}

}  // namespace kestrane
