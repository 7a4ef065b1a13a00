#pragma once
// The splash window, shown while the main window loads, and later the About box. Its picture
// box `picLogo` shows the palette picture, from which the knowledge base samples its colours.
// A click on it closes it, once the main window is visible.

#include <QDialog>
#include <QImage>

#include <memory>
#include <string>

#include "Palette_Sampler.h"

class QLabel;

namespace kestrane {

class frmSplash : public QDialog {
    Q_OBJECT
public:
    // `palette` is the palette picture's path ("" or a missing file: an empty picture box).
    frmSplash(const std::string& palette, int langue, QWidget* parent = nullptr);
    ~frmSplash() override;

    QWidget* picLogo = nullptr;
    // The colours of the picture as picLogo shows it.
    Palette_Sampler* Echantillonneur() { return echantillonneur_.get(); }
    // Whether a click closes the window (the main window is visible).
    void Fermeture_Au_Clic(bool permise) { fermeture_au_clic_ = permise; }

protected:
    void mousePressEvent(QMouseEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    std::unique_ptr<Palette_Sampler> echantillonneur_;
    QImage image_;
    bool fermeture_au_clic_ = false;
};

}  // namespace kestrane
