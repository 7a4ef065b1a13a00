#include "Pli_Texte.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace kestrane {
namespace {

bool Separe_Les_Mots(UChar32 c) {
    return u_isUWhiteSpace(c) || u_hasBinaryProperty(c, UCHAR_DASH) || c == u'\'' || c == u'\u2019';
}

}  // namespace

std::string Plie_Texte(std::string_view texte) {
    icu::UnicodeString source =
        icu::UnicodeString::fromUTF8(icu::StringPiece(texte.data(), static_cast<int32_t>(texte.size())));
    source.foldCase();
    UErrorCode erreur = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(erreur);
    icu::UnicodeString decompose = U_SUCCESS(erreur) ? nfd->normalize(source, erreur) : source;
    if (U_FAILURE(erreur))
        decompose = source;

    icu::UnicodeString plie;
    bool blanc_attendu = false;  // a separator seen after a letter, written before the next one
    for (int32_t i = 0; i < decompose.length();) {
        const UChar32 c = decompose.char32At(i);
        i += U16_LENGTH(c);
        if (u_charType(c) == U_NON_SPACING_MARK)
            continue;
        if (Separe_Les_Mots(c)) {
            blanc_attendu = !plie.isEmpty();
            continue;
        }
        if (blanc_attendu)
            plie.append(u' ');
        blanc_attendu = false;
        plie.append(c);
    }
    std::string sortie;
    plie.toUTF8String(sortie);
    return sortie;
}

}  // namespace kestrane
