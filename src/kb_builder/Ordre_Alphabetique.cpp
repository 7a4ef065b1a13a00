#include "Ordre_Alphabetique.h"

#include <QCollator>
#include <QLocale>
#include <QString>

#include <algorithm>
#include <numeric>

namespace kestrane::kb {

std::vector<int> Rangs_Alphabetiques(const std::vector<std::string>& textes, const std::string& suffixe) {
    QCollator collation{QLocale(QString::fromStdString(suffixe))};
    collation.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QString> q;
    q.reserve(textes.size());
    for (const auto& t : textes) q.push_back(QString::fromStdString(t));
    std::vector<size_t> ordre(textes.size());
    std::iota(ordre.begin(), ordre.end(), size_t{0});
    std::stable_sort(ordre.begin(), ordre.end(),
                     [&](size_t a, size_t b) { return collation.compare(q[a], q[b]) < 0; });
    std::vector<int> rangs(textes.size());
    for (size_t r = 0; r < ordre.size(); ++r) rangs[ordre[r]] = static_cast<int>(r);
    return rangs;
}

}  // namespace kestrane::kb
