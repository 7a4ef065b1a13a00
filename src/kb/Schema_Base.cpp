#include "Schema_Base.h"

namespace kestrane {

std::string Schema_SQL(int nb_contraintes) {
    std::string conditions;
    for (int j = 0; j < nb_contraintes; ++j) conditions += ", C_" + std::to_string(j) + " TEXT COLLATE NOCASE";

    return R"sql(
CREATE TABLE Parametres (Nom TEXT PRIMARY KEY COLLATE NOCASE, Etat TEXT);
CREATE TABLE Couleurs (Numero INTEGER PRIMARY KEY, Code_Couleur TEXT);
CREATE TABLE Flore (Espece TEXT PRIMARY KEY COLLATE NOCASE, Code TEXT COLLATE NOCASE, Famille TEXT, Legende TEXT);
CREATE TABLE Caracteres (NUM INTEGER PRIMARY KEY, ID_CARAC TEXT NOT NULL COLLATE NOCASE, TipText TEXT);
CREATE UNIQUE INDEX ID_CARAC ON Caracteres (ID_CARAC);
CREATE TABLE Objets_Fic (Objet TEXT NOT NULL COLLATE NOCASE, Desc_Num INTEGER, Index_Car INTEGER,
  Nb_Car INTEGER, Lignes INTEGER, Colonnes INTEGER, Cadre INTEGER, Popup TEXT, TipText TEXT, Joker INTEGER);
CREATE UNIQUE INDEX Objet ON Objets_Fic (Objet);
CREATE TABLE Hierarchie (Numero INTEGER PRIMARY KEY, Robot_Num INTEGER, Nom TEXT)sql" +
           conditions + R"sql();
CREATE TABLE Clic_Zone (Numero INTEGER PRIMARY KEY, Nom TEXT COLLATE NOCASE, Cadre INTEGER, Test_Cadre INTEGER,
  X1 REAL, X2 REAL, Y1 REAL, Y2 REAL)sql" +
           conditions + R"sql();
CREATE TABLE Communs_Langues (Numero INTEGER PRIMARY KEY, Langue TEXT NOT NULL COLLATE NOCASE);
CREATE INDEX Langue ON Communs_Langues (Langue);
CREATE TABLE Noms_Communs (Numero INTEGER PRIMARY KEY, Code TEXT COLLATE NOCASE, Langue TEXT COLLATE NOCASE, Nom TEXT,
  Rang INTEGER);
CREATE TABLE But_Deter (Numero INTEGER PRIMARY KEY, Caption TEXT, File TEXT, TipText TEXT, "Key" TEXT);
CREATE TABLE But_Quest (Numero INTEGER PRIMARY KEY, Caption TEXT, File TEXT, TipText TEXT);
CREATE TABLE Contradictions (Objet TEXT PRIMARY KEY COLLATE NOCASE, Bouton INTEGER, Popup TEXT);
CREATE TABLE Descendance (Numero INTEGER PRIMARY KEY, ID_CARAC TEXT COLLATE NOCASE, Objet TEXT COLLATE NOCASE);
)sql";
}

std::string Schema_Traductions_SQL() {
    return R"sql(
CREATE TABLE Langues_Textes (Suffixe TEXT PRIMARY KEY COLLATE NOCASE, Langue TEXT, Origine INTEGER);
CREATE TABLE Traductions (Numero INTEGER PRIMARY KEY, Nom_Table TEXT NOT NULL COLLATE NOCASE,
  Cle TEXT NOT NULL COLLATE NOCASE, Champ TEXT NOT NULL COLLATE NOCASE, Langue TEXT NOT NULL COLLATE NOCASE, Texte TEXT);
CREATE UNIQUE INDEX Texte_Traduit ON Traductions (Nom_Table, Cle, Champ, Langue);
)sql";
}

std::string Schema_Mesures_SQL() {
    return R"sql(
CREATE TABLE Objets_Mesures (Objet TEXT PRIMARY KEY COLLATE NOCASE, Unite TEXT, Limites TEXT);
CREATE TABLE Etendues_Especes (Numero INTEGER PRIMARY KEY, Espece TEXT NOT NULL COLLATE NOCASE,
  Objet TEXT NOT NULL COLLATE NOCASE, Bas REAL, Haut REAL);
CREATE UNIQUE INDEX Etendue_Espece ON Etendues_Especes (Espece, Objet);
)sql";
}

std::string Vue_Vernaculaire_SQL(const std::string& langue) {
    std::string quoted;
    for (char ch : langue) {
        quoted += ch;
        if (ch == '\'') quoted += '\'';
    }
    std::string name;
    for (char ch : "Vernaculaire_" + langue) {
        name += ch;
        if (ch == '"') name += '"';
    }
    return "CREATE VIEW \"" + name +
           "\" AS SELECT n.Nom AS Nom, f.Code AS Code, f.Espece AS Espece, f.Famille AS Famille "
           "FROM Noms_Communs n JOIN Flore f ON f.Code = n.Code WHERE n.Langue = '" +
           quoted + "' ORDER BY n.Rang, n.Nom COLLATE NOCASE, f.Espece COLLATE NOCASE;\n";
}

}  // namespace kestrane
