#pragma once
// The images of one drawing page, reporting mouse events to the program through a web channel.
//
// ImgParse runs a script in an isolated world of the page (page scripts cannot reach it) that
// attaches to every IMG element: mousedown and mousemove are reported with the image's address,
// the pointer in the window (x, y) and the page's scroll offsets (dx, dy), all in CSS pixels; a
// click is reported and its default action cancelled, so a link around an image is not followed.
// Only events the user made are reported (a page's own scripts cannot make them up), and only
// with coordinates within Borne_Coordonnees, so that x + dx cannot overflow; others are dropped.
// Only pages given to ImgParse report anything: Desactive, called when another document comes,
// makes the events of the previous page fall silent.
//
// The page must have been given Canal() with Monde() before it loaded (WebTexte does it).

#include <QObject>
#include <QString>

class QWebChannel;
class QWebEnginePage;

namespace kestrane {

class cImgs : public QObject {
    Q_OBJECT
  public:
    explicit cImgs(QObject* parent = nullptr);

    QWebChannel& Canal() { return *canal_; }
    // The script world in which the channel and the image script live.
    static quint32 Monde();

    // Attaches to the images of the page's current document. Pret is emitted once they report.
    void ImgParse(QWebEnginePage& page);
    // Silences the images of the current document (until the next ImgParse).
    void Desactive();
    bool Actif() const { return actif_; }

    // Called by the page's script; `generation` tells a previous document's late calls apart.
    Q_INVOKABLE void ImgMouseDown(int generation, const QString& href, int x, int y, int dx, int dy);
    Q_INVOKABLE void ImgMouseMove(int generation, const QString& href, int x, int y, int dx, int dy);
    Q_INVOKABLE void ImgClicked(int generation, const QString& href, int x, int y, int dx, int dy);
    Q_INVOKABLE void ImgPret(int generation, int nb_images);

    // Far beyond any window and any page a drawing sits in, in CSS pixels.
    static constexpr int Borne_Coordonnees = 1 << 20;
    static bool Dans_Bornes(int x, int y, int dx, int dy);

  signals:
    void MouseDown(const QString& href, int x, int y, int dx, int dy);
    void MouseMove(const QString& href, int x, int y, int dx, int dy);
    void Clicked(const QString& href, int x, int y, int dx, int dy);
    // The images of the parsed document now report their events.
    void Pret(int nb_images);

  private:
    bool Courant(int generation) const { return actif_ && generation == generation_; }

    QWebChannel* canal_;
    int generation_ = 0;
    bool actif_ = false;
    QString bibliotheque_canal_;
};

}  // namespace kestrane
