#pragma once
// The legend window: the legend of the current species' drawing as one printed line, on the
// tool-tip background, sized to the text with room for two spaces more than it prints; a legend
// wider than the screen wraps at the screen's width. It has no behaviour of its own: the
// documents show, place and hide it. It stays above the main window, never above the dialogs.

#include <QRect>
#include <QString>
#include <QWidget>

namespace kestrane {

class frmLegende : public QWidget {
    Q_OBJECT
  public:
    explicit frmLegende(QWidget* parent = nullptr);

    // Sets the caption and the text and sizes the window to the text; when the splitter's
    // geometry (global pixels) is given, moves the window beside it (left = splitter left - 2/3 of
    // the legend's width, top = splitter top + 2/3 of the splitter's height, computed in twips);
    // then shows and raises it, whole inside `zone` (global pixels; empty for anywhere).
    void Affiche(const QString& titre, const QString& texte, const QRect& zone,
                 const QRect* barre_verticale = nullptr);

    const QString& Texte() const { return texte_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Dimensionne(const QRect& zone);
    void Place_Pres_De(const QRect& barre_verticale);

    QString texte_;
};

}  // namespace kestrane
