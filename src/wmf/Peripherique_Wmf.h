#pragma once
// A paint device that records what is painted on it as a placeable Windows metafile whose
// bounding box is 0,0 .. largeur,hauteur in logical units (one unit per device pixel of this
// device). Paint on it with a QPainter, end the painter, then take Donnees() or Enregistre().
// Not copyable; one painter at a time, as for any paint device.

#include <QByteArray>
#include <QPaintDevice>

#include <memory>
#include <string>

#include "Status.h"

namespace kestrane::wmf {

class Moteur_Wmf;

class Peripherique_Wmf : public QPaintDevice {
  public:
    // largeur and hauteur are clamped to 1 .. 32767 (16-bit coordinates).
    Peripherique_Wmf(int largeur, int hauteur, int unites_par_pouce = 96);
    ~Peripherique_Wmf() override;
    Peripherique_Wmf(const Peripherique_Wmf&) = delete;
    Peripherique_Wmf& operator=(const Peripherique_Wmf&) = delete;

    QPaintEngine* paintEngine() const override;

    // The placeable metafile of the last finished painting (empty before any).
    QByteArray Donnees() const;
    // Writes Donnees() to a file; the error names the file.
    Status Enregistre(const std::string& chemin) const;

  protected:
    int metric(PaintDeviceMetric m) const override;

  private:
    int largeur_, hauteur_, unites_par_pouce_;
    std::unique_ptr<Moteur_Wmf> moteur_;
};

}  // namespace kestrane::wmf
