#include "Svg_Autonome.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QXmlStreamReader>

namespace kestrane::kb {

namespace {

// A "data:" reference to a raster picture (the format found from its bytes, not its label: a
// drawing labelled as PNG is still a drawing).
bool Image_Embarquee(const QString& href) {
    if (!href.startsWith(QLatin1String("data:"), Qt::CaseInsensitive))
        return false;
    const qsizetype virgule = href.indexOf(QLatin1Char(','));
    if (virgule < 0)
        return false;
    const QString entete = href.left(virgule);
    const QByteArray charge = href.mid(virgule + 1).toLatin1();
    QByteArray octets = entete.endsWith(QLatin1String(";base64"), Qt::CaseInsensitive)
                            ? QByteArray::fromBase64(charge)
                            : QByteArray::fromPercentEncoding(charge);
    QBuffer tampon(&octets);
    tampon.open(QIODevice::ReadOnly);
    const QByteArray format = QImageReader::imageFormat(&tampon);
    return format == "png" || format == "jpeg" || format == "gif" || format == "bmp";
}

}  // namespace

Status Verifie_Svg_Autonome(const QByteArray& svg, const std::string& nom) {
    QXmlStreamReader x(svg);
    x.setNamespaceProcessing(false);  // prefixes are compared as written; none is resolved
    while (!x.atEnd()) {
        const auto t = x.readNext();
        if (t == QXmlStreamReader::DTD)
            return Status::Error(nom + ": a drawing may not hold a DTD");
        if (t == QXmlStreamReader::EntityReference)
            return Status::Error(nom + ": a drawing may not use entities");
        if (t != QXmlStreamReader::StartElement)
            continue;
        for (const auto& a : x.attributes()) {
            const QStringView attribut = a.qualifiedName();
            if (attribut != QLatin1String("href") && !attribut.endsWith(QLatin1String(":href")))
                continue;
            const QString href = a.value().trimmed().toString();
            if (!href.startsWith(QLatin1Char('#')) && !Image_Embarquee(href))
                return Status::Error(nom + ":" + std::to_string(x.lineNumber()) + ": <" +
                                     x.qualifiedName().toString().toStdString() + "> names '" +
                                     href.left(80).toStdString() +
                                     "'; a drawing may only show what it holds itself");
        }
    }
    if (x.hasError())
        return Status::Error(nom + ":" + std::to_string(x.lineNumber()) +
                             ": not a well-formed SVG drawing (" + x.errorString().toStdString() + ")");
    return Status::Ok();
}

Result<QByteArray> Lit_Svg_Autonome(const std::string& chemin) {
    QFile f(QString::fromStdString(chemin));
    if (!f.open(QIODevice::ReadOnly))
        return Status::Error(chemin + ": cannot be read (" + f.errorString().toStdString() + ")");
    QByteArray svg = f.readAll();
    if (Status s = Verifie_Svg_Autonome(svg, chemin); !s.ok())
        return s;
    return svg;
}

}  // namespace kestrane::kb
