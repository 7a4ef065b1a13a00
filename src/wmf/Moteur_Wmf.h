#pragma once
// The paint engine behind Peripherique_Wmf: turns QPainter calls into metafile records.
// Curves are flattened to polygons and transforms applied to the points; Qt's hatch styles become
// hatched brushes, gradients and textures a solid brush of their average colour; images become
// 24-bit DIBs (with a mask pair when they have transparent parts); text becomes EXTTEXTOUT with
// its advances when it is upright Latin-1, glyph outlines otherwise. Colours with an alpha are
// blended over white paper; fully transparent ones are not drawn. The file starts in transparent
// background mode so that nothing drawn hides more than its own shapes. Clipping set on the
// painter is not recorded (the drawings we convert do not clip).

#include <QByteArray>
#include <QPaintEngine>

#include <cstdint>
#include <vector>

namespace kestrane::wmf {

class Moteur_Wmf : public QPaintEngine {
  public:
    Moteur_Wmf(int largeur, int hauteur, int unites_par_pouce);

    bool begin(QPaintDevice* peripherique) override;
    bool end() override;
    void updateState(const QPaintEngineState& etat) override;
    void drawPath(const QPainterPath& chemin) override;
    void drawPolygon(const QPointF* points, int nb, PolygonDrawMode mode) override;
    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) override;
    void drawImage(const QRectF& r, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags) override;
    void drawTextItem(const QPointF& p, const QTextItem& texte) override;
    Type type() const override { return QPaintEngine::User; }

    // The complete placeable file, valid once painting has ended.
    const QByteArray& fichier() const { return fichier_; }

  private:
    void Enregistre(uint16_t fonction, const std::vector<uint16_t>& mots, const QByteArray& suite = {});
    int Cree_Objet(uint16_t fonction, const std::vector<uint16_t>& mots, const QByteArray& suite = {});
    void Supprime_Objet(int indice);
    // Selects a pen / brush matching the current state, creating it only when it changed.
    bool Choisit_Stylo();
    bool Choisit_Brosse(const QBrush& brosse);
    // Selects the null pen, the pen of the state being kept for later.
    void Choisit_Sans_Stylo();
    // The painter's opacity, 1 without a painter.
    double Opacite() const;
    void Choisit_Remplissage(Qt::FillRule regle);
    void Polygones(const QList<QPolygonF>& polygones, Qt::FillRule regle, bool remplir, bool tracer);
    void Image(const QRectF& r, const QImage& image, const QRectF& source);
    static uint16_t Coordonnee(double v);

    int largeur_, hauteur_, unites_par_pouce_;
    QByteArray enregistrements_;
    QByteArray fichier_;
    uint32_t plus_grand_ = 0;
    std::vector<bool> emplacements_;  // object table slots in use
    size_t emplacements_max_ = 0;
    QPen stylo_;
    QBrush brosse_;
    QTransform transformation_;
    QFont police_;
    int stylo_objet_ = -1, brosse_objet_ = -1;
    uint32_t stylo_ecrit_ = 0xFFFFFFFF, brosse_ecrite_ = 0xFFFFFFFF;
    int largeur_stylo_ecrite_ = -1, style_stylo_ecrit_ = -1;
    int remplissage_ecrit_ = 0;
    uint32_t couleur_texte_ecrite_ = 0xFFFFFFFF;
};

}  // namespace kestrane::wmf
