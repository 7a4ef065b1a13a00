#pragma once
// Kestrane's extension of SDD 1.1: what a Kestrane base knows that the standard cannot say, in
// elements of Kestrane's own namespace, where the standard allows extensions (after an object's
// Representation and Links). Other programs ignore them; export-sdd writes them and import-sdd
// reads them.
//
//   <StateDefinition id="LT_BROAD" xmlns:kestrane="urn:kestrane:sdd:1">
//     <Representation>...</Representation>
//     <kestrane:Weight value="5"/>        the state's weight, 0 .. 32767 (1 when absent)
//   </StateDefinition>
//   <CategoricalCharacter id="Height">
//     ...
//     <kestrane:Suggest value="false"/>   the search never proposes it (true when absent)
//   </CategoricalCharacter>
//   <TaxonName id="t1">
//     ...
//     <kestrane:Code value="QUROB"/>      the species' five-character code (its documents' folder)
//   </TaxonName>

namespace kestrane::kb {

inline constexpr const char* Espace_Sdd = "http://rs.tdwg.org/UBIF/2006/";
inline constexpr const char* Espace_Kestrane = "urn:kestrane:sdd:1";
inline constexpr const char* Extension_Poids = "Weight";
inline constexpr const char* Extension_Propose = "Suggest";
inline constexpr const char* Extension_Code = "Code";

}  // namespace kestrane::kb
