#include "Barre_Principale.h"

#include <QAction>
#include <QStyle>
#include <QWidget>

namespace kestrane {
namespace {

struct Place {
    const char* cle;  // "" for a separator, "-" for an empty place
    int caption;
    int tooltip;
    QStyle::StandardPixmap icone;
};

// The order of the positions; keyed buttons carry their string-table numbers.
constexpr Place kPlaces[Barre_Principale::kPositions] = {
    {"New", 1053, 1023, QStyle::SP_FileIcon},
    {"Open", 1054, 1024, QStyle::SP_DialogOpenButton},
    {"Save", 1055, 1025, QStyle::SP_DialogSaveButton},
    {"", 0, 0, {}},
    {"Copy", 1056, 1026, QStyle::SP_FileDialogContentsView},
    {"Print", 1057, 1027, QStyle::SP_FileDialogDetailedView},
    {"", 0, 0, {}},
    {"Help", 1058, 1028, QStyle::SP_DialogHelpButton},
    {"-", 0, 0, {}},
    {"-", 0, 0, {}},
    {"-", 0, 0, {}},
    {"-", 0, 0, {}},
    // The document group.
    {"", 0, 0, {}},
    {"Arriere", 1059, 1062, QStyle::SP_ArrowBack},
    {"Avant", 1060, 1063, QStyle::SP_ArrowForward},
    {"Stop", 1061, 1064, QStyle::SP_BrowserStop},
    {"-", 0, 0, {}},
    {"-", 0, 0, {}},
    {"-", 0, 0, {}},
    {"-", 0, 0, {}},
    {"Contra", 1065, 1066, QStyle::SP_MessageBoxWarning},
    {"", 0, 0, {}},
};

}  // namespace

Barre_Principale::Barre_Principale(QWidget* parent) : QToolBar(parent) {
    setObjectName("tbToolBar");
    setMovable(false);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (int i = 0; i < kPositions; ++i) {
        const Place& place = kPlaces[i];
        const QString cle = QString::fromLatin1(place.cle);
        QAction* action = nullptr;
        if (cle.isEmpty()) {
            action = addSeparator();
        } else if (cle == "-") {
            // An empty place: keeps the positions of the group without showing anything.
            action = addAction(QString());
            action->setEnabled(false);
            action->setProperty("Vide", true);
            if (QWidget* w = widgetForAction(action)) w->setFixedWidth(0);
        } else {
            action = addAction(style()->standardIcon(place.icone), cle);
            action->setObjectName(cle);
            action->setData(cle);
            action->setProperty("Caption", place.caption);
            action->setProperty("ToolTip", place.tooltip);
            connect(action, &QAction::triggered, this, [this, cle] { emit Commande(cle); });
        }
        positions_[static_cast<size_t>(i)] = action;
    }
}

QAction* Barre_Principale::Bouton(const QString& cle) const {
    for (QAction* action : positions_) {
        if (action->data().toString() == cle && !cle.isEmpty()) return action;
    }
    return nullptr;
}

void Barre_Principale::Active_Bouton(const QString& cle) {
    if (QAction* action = Bouton(cle)) action->setEnabled(true);
}

void Barre_Principale::Desactive_Bouton(const QString& cle) {
    if (QAction* action = Bouton(cle)) action->setEnabled(false);
}

void Barre_Principale::Affiche_Positions(int premiere, int derniere, bool visible) {
    for (int p = premiere; p <= derniere; ++p) Position(p)->setVisible(visible);
}

}  // namespace kestrane
