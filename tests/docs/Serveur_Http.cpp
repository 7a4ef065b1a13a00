#include "Serveur_Http.h"

#include <QFile>
#include <QTcpSocket>
#include <QUrl>

namespace kestrane::test {

Serveur_Http::Serveur_Http(QString racine) : racine_(std::move(racine)) {
    serveur_.listen(QHostAddress::LocalHost, 0);
    connect(&serveur_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = serveur_.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Repond(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString Serveur_Http::Adresse() const {
    return QStringLiteral("http://127.0.0.1:%1/").arg(serveur_.serverPort());
}

void Serveur_Http::Repond(QTcpSocket* socket) {
    if (socket->property("repondu").toBool())
        return;
    QByteArray tete = socket->property("tete").toByteArray() + socket->readAll();
    socket->setProperty("tete", tete);
    if (!tete.contains("\r\n\r\n"))
        return;
    socket->setProperty("repondu", true);

    const QList<QByteArray> ligne = tete.left(tete.indexOf("\r\n")).split(' ');
    const QString chemin = ligne.size() >= 2 ? QUrl::fromPercentEncoding(ligne[1]) : QString();
    demandes << chemin;
    QFile fichier(racine_ + chemin);
    QByteArray reponse;
    if (ligne.value(0) == "GET" && !chemin.contains(QStringLiteral("..")) &&
        fichier.open(QIODevice::ReadOnly)) {
        const QByteArray corps = fichier.readAll();
        const QByteArray type =
            chemin.endsWith(QStringLiteral(".gif")) ? "image/gif" : "text/html; charset=utf-8";
        reponse = "HTTP/1.1 200 OK\r\nContent-Type: " + type +
                  "\r\nContent-Length: " + QByteArray::number(corps.size()) +
                  "\r\nConnection: close\r\n\r\n" + corps;
    } else {
        const QByteArray corps = "<html><body>Not found</body></html>";
        reponse = "HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\nContent-Length: " +
                  QByteArray::number(corps.size()) + "\r\nConnection: close\r\n\r\n" + corps;
    }
    socket->write(reponse);
    socket->disconnectFromHost();
}

}  // namespace kestrane::test
