#include "cImgs.h"

#include <QFile>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace kestrane {
namespace {

// The client side of the web channel, as Qt WebChannel ships it.
QString Lit_Bibliotheque_Canal() {
    QFile f(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

// %1: the generation of the document. Coordinates are rounded to whole pixels.
const char* const Script_Images = R"js(
(function (generation) {
  new QWebChannel(qt.webChannelTransport, function (canal) {
    var pont = canal.objects.cImgs;
    function rapporte(fonction, img, ev) {
      if (!ev.isTrusted)
        return;  // only what the user did with the mouse, never events a page made up
      var defile = document.scrollingElement || document.documentElement || document.body;
      fonction(generation, img.src, Math.round(ev.clientX), Math.round(ev.clientY),
               Math.round(defile.scrollLeft), Math.round(defile.scrollTop));
    }
    var images = document.getElementsByTagName('IMG');
    for (var i = 0; i < images.length; ++i) {
      (function (img) {
        img.addEventListener('mousedown', function (ev) { rapporte(pont.ImgMouseDown, img, ev); });
        img.addEventListener('mousemove', function (ev) { rapporte(pont.ImgMouseMove, img, ev); });
        img.addEventListener('click', function (ev) {
          rapporte(pont.ImgClicked, img, ev);
          ev.preventDefault();
          return false;
        });
        img.addEventListener('dragstart', function (ev) { ev.preventDefault(); });
      })(images[i]);
    }
    pont.ImgPret(generation, images.length);
  });
})(%1);
)js";

}  // namespace

cImgs::cImgs(QObject* parent) : QObject(parent), canal_(new QWebChannel(this)) {
    canal_->registerObject(QStringLiteral("cImgs"), this);
}

quint32 cImgs::Monde() {
    return QWebEngineScript::ApplicationWorld;
}

void cImgs::ImgParse(QWebEnginePage& page) {
    ++generation_;
    actif_ = true;
    if (bibliotheque_canal_.isEmpty())
        bibliotheque_canal_ = Lit_Bibliotheque_Canal();
    page.runJavaScript(bibliotheque_canal_ + QString::fromLatin1(Script_Images).arg(generation_), Monde());
}

void cImgs::Desactive() {
    ++generation_;
    actif_ = false;
}

bool cImgs::Dans_Bornes(int x, int y, int dx, int dy) {
    const auto borne = [](int v) { return v >= -Borne_Coordonnees && v <= Borne_Coordonnees; };
    return borne(x) && borne(y) && borne(dx) && borne(dy);
}

void cImgs::ImgMouseDown(int generation, const QString& href, int x, int y, int dx, int dy) {
    if (Courant(generation) && Dans_Bornes(x, y, dx, dy))
        emit MouseDown(href, x, y, dx, dy);
}

void cImgs::ImgMouseMove(int generation, const QString& href, int x, int y, int dx, int dy) {
    if (Courant(generation) && Dans_Bornes(x, y, dx, dy))
        emit MouseMove(href, x, y, dx, dy);
}

void cImgs::ImgClicked(int generation, const QString& href, int x, int y, int dx, int dy) {
    if (Courant(generation) && Dans_Bornes(x, y, dx, dy))
        emit Clicked(href, x, y, dx, dy);
}

void cImgs::ImgPret(int generation, int nb_images) {
    if (Courant(generation))
        emit Pret(nb_images);
}

}  // namespace kestrane
