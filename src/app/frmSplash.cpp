#include "frmSplash.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "Chemins_Fichiers.h"
#include "Echantillonneur_Palette_Wmf.h"
#include "Rendu_Wmf.h"
#include "Table_Chaines.h"
#include "Traduit_Feuille.h"

namespace kestrane {
namespace {

constexpr int kLargeurLogo = 400;
constexpr int kHauteurLogo = 60;

// The picture box: paints the palette picture stretched to its interior.
class Boite_Image : public QWidget {
public:
    Boite_Image(const QImage& image, QWidget* parent) : QWidget(parent), image_(image) {
        setObjectName("picLogo");
        setFixedSize(kLargeurLogo, kHauteurLogo);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        if (!image_.isNull()) p.drawImage(rect(), image_);
    }

private:
    const QImage& image_;
};

}  // namespace

frmSplash::frmSplash(const std::string& palette, int langue, QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::WindowStaysOnTopHint) {
    setObjectName("frmSplash");
    setProperty("Tag", 1045);
    const std::string chemin = Trouve_Fichier(palette);
    if (!palette.empty()) {
        if (auto image = wmf::Rendu_Wmf::Rend_Fichier(chemin, QSize(kLargeurLogo, kHauteurLogo))) image_ = image.value();
        echantillonneur_ = std::make_unique<wmf::Echantillonneur_Palette_Wmf>(chemin, kLargeurLogo, kHauteurLogo);
    }
    auto* layout = new QVBoxLayout(this);
    auto* nom = new QLabel("Kestrane V.1.0");
    QFont grand = nom->font();
    grand.setPointSize(grand.pointSize() + 8);
    grand.setBold(true);
    nom->setFont(grand);
    layout->addWidget(nom);
    auto* version = new QLabel("Version 1.0");
    Lie_Texte(version, 1032);
    layout->addWidget(version);
    picLogo = new Boite_Image(image_, this);
    picLogo->installEventFilter(this);
    layout->addWidget(picLogo);
    auto* notice = new QLabel;
    Lie_Texte(notice, 1029);
    notice->setWordWrap(true);
    layout->addWidget(notice);
    Traduit_Feuille(this, langue);
}

frmSplash::~frmSplash() = default;

void frmSplash::mousePressEvent(QMouseEvent* evenement) {
    if (fermeture_au_clic_) close();
    QDialog::mousePressEvent(evenement);
}

bool frmSplash::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == picLogo && evenement->type() == QEvent::MouseButtonPress && fermeture_au_clic_) {
        close();
        return true;
    }
    return QDialog::eventFilter(objet, evenement);
}

}  // namespace kestrane
