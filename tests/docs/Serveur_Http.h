#pragma once
// A minimal HTTP server on 127.0.0.1 for the web documents: answers GET with the files of one
// folder (404 for anything else) and closes each connection after its answer.

#include <QString>
#include <QStringList>
#include <QTcpServer>

namespace kestrane::test {

class Serveur_Http : public QObject {
  public:
    explicit Serveur_Http(QString racine);
    // "http://127.0.0.1:<port>/"
    QString Adresse() const;
    // Paths asked for, in order.
    QStringList demandes;

  private:
    void Repond(QTcpSocket* socket);

    QTcpServer serveur_;
    QString racine_;
};

}  // namespace kestrane::test
