#pragma once
// How the discriminant search chooses the next question.
//
// Entropie (the default, "standard"): the entropy of the candidates over the character's states,
// counted only over the candidates that have a state of it.
// Applicable ("applicable"): only characters that apply (no controlling state in Descendance,
// one of them chosen, or one of them shown by every candidate, so that asking it would tell
// nothing); candidates without any state of the character form one more group, and the power is
// the share of what telling all the candidates apart takes; equal powers go to the character
// whose states' weights sum higher, then to the earlier one.
// The names are those of the command line and of the per-user store.

#include <optional>
#include <string_view>

namespace kestrane {

enum class Strategie_Recherche { Entropie, Applicable };

constexpr std::string_view Nom_Strategie(Strategie_Recherche strategie) {
    return strategie == Strategie_Recherche::Applicable ? "applicable" : "standard";
}

// The strategy of a name (exact, lower case); nullopt for any other text.
constexpr std::optional<Strategie_Recherche> Strategie_De_Nom(std::string_view nom) {
    if (nom == "standard")
        return Strategie_Recherche::Entropie;
    if (nom == "applicable")
        return Strategie_Recherche::Applicable;
    return std::nullopt;
}

}  // namespace kestrane
