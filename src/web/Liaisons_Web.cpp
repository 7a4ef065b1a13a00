// The web key's module: Cle_Web as the JavaScript class "Cle". Bytes come in as Uint8Array (or
// ArrayBuffer) and go out as a Uint8Array of their own; everything structured is JSON text.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "Cle_Web.h"

namespace {

using kestrane::web::Cle_Web;

const uint8_t* Octets(const std::string& s) {
    return reinterpret_cast<const uint8_t*>(s.data());
}

std::string Charge(Cle_Web& cle, const std::string& octets) {
    return cle.Charge(Octets(octets), octets.size());
}

std::string Ouvre_Ido(Cle_Web& cle, const std::string& octets) {
    return cle.Ouvre_Ido(Octets(octets), octets.size());
}

emscripten::val Ido(const Cle_Web& cle) {
    const std::vector<uint8_t> octets = cle.Ido();
    // A copy: the view into the module's memory dies with the vector.
    return emscripten::val(emscripten::typed_memory_view(octets.size(), octets.data()))
        .call<emscripten::val>("slice");
}

emscripten::val Lignes(const Cle_Web& cle) {
    const std::vector<int32_t> lignes = cle.Lignes();
    return emscripten::val(emscripten::typed_memory_view(lignes.size(), lignes.data()))
        .call<emscripten::val>("slice");
}

void Textes(Cle_Web& cle, const std::string& especes_a, const std::string& plus_discriminant,
            const std::string& essayer_passes, const std::string& une_seule_espece) {
    cle.Change_Textes({especes_a, plus_discriminant, essayer_passes, une_seule_espece});
}

}  // namespace

EMSCRIPTEN_BINDINGS(kestrane_cle) {
    emscripten::class_<Cle_Web>("Cle")
        .constructor<>()
        .function("charge", &Charge)
        .function("chargee", &Cle_Web::Chargee)
        .function("empreinte", &Cle_Web::Empreinte)
        .function("modele", &Cle_Web::Modele)
        .function("seuil", &Cle_Web::Change_Seuil)
        .function("strategie", &Cle_Web::Change_Strategie)
        .function("textes", &Textes)
        .function("nouvelle", &Cle_Web::Nouvelle)
        .function("repond", &Cle_Web::Repond)
        .function("Repond_Mesure", &Cle_Web::Repond_Mesure)
        .function("choix", &Cle_Web::Choix)
        .function("annule", &Cle_Web::Annule)
        .function("retablit", &Cle_Web::Retablit)
        .function("peutAnnuler", &Cle_Web::Peut_Annuler)
        .function("peutRetablir", &Cle_Web::Peut_Retablir)
        .function("rang", &Cle_Web::Rang)
        .function("lignes", &Lignes)
        .function("legende", &Cle_Web::Legende)
        .function("meilleur", &Cle_Web::Meilleur)
        .function("questions", &Cle_Web::Questions)
        .function("contra", &Cle_Web::Contra)
        .function("portrait", &Cle_Web::Portrait)
        .function("reponses", &Cle_Web::Reponses)
        .function("compare", &Cle_Web::Compare)
        .function("trouve", &Cle_Web::Trouve)
        .function("objetSous", &Cle_Web::Objet_Sous)
        .function("ido", &Ido)
        .function("ouvreIdo", &Ouvre_Ido);
}
