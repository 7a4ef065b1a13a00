#include "Nettoyage_Html.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace kestrane::kb {

namespace {

std::string Minuscules(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool Parmi(const std::string& nom, std::initializer_list<std::string_view> liste) {
    return std::find(liste.begin(), liste.end(), nom) != liste.end();
}

// Kept as they are, without attributes.
bool Permis(const std::string& nom) {
    return Parmi(nom, {"p",  "br", "b",     "i",     "em",    "strong", "u",  "sub", "sup",       "small",
                       "ul", "ol", "li",    "dl",    "dt",    "dd",     "h2", "h3",  "h4",        "h5",
                       "h6", "hr", "table", "thead", "tbody", "tr",     "td", "th",  "blockquote"});
}
bool Vide(const std::string& nom) {
    return nom == "br" || nom == "hr";
}
// Dropped with everything inside.
bool Interdit(const std::string& nom) {
    return Parmi(nom,
                 {"script",   "style",    "iframe", "frame",   "frameset", "object", "embed",    "applet",
                  "noscript", "template", "svg",    "math",    "head",     "title",  "textarea", "select",
                  "video",    "audio",    "canvas", "noembed", "noframes", "xmp",    "plaintext"});
}

// Names an element of HTML, or a namespaced or custom one ("o:p", "my-box"): only such a name
// after '<' makes a tag; "length<width" is text.
bool Element(const std::string& nom) {
    static const std::initializer_list<std::string_view> autres{
        "a",        "abbr",   "address",  "area",    "article",  "aside", "b",        "base",
        "basefont", "bdi",    "bdo",      "big",     "blink",    "body",  "button",   "caption",
        "center",   "cite",   "code",     "col",     "colgroup", "data",  "datalist", "del",
        "details",  "dfn",    "dialog",   "dir",     "div",      "font",  "fieldset", "figcaption",
        "figure",   "footer", "form",     "h1",      "header",   "html",  "image",    "img",
        "input",    "ins",    "isindex",  "kbd",     "keygen",   "label", "legend",   "link",
        "listing",  "main",   "map",      "mark",    "marquee",  "menu",  "meta",     "meter",
        "nav",      "nobr",   "optgroup", "option",  "output",   "param", "picture",  "pre",
        "progress", "q",      "rp",       "rt",      "ruby",     "s",     "samp",     "section",
        "source",   "span",   "strike",   "summary", "tfoot",    "time",  "track",    "tt",
        "var",      "wbr",    "caption",  "body",    "frameset"};
    return Permis(nom) || Interdit(nom) || Parmi(nom, autres) || nom.find_first_of(":-") != std::string::npos;
}

bool Lettre(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool Chiffre(char c) {
    return c >= '0' && c <= '9';
}
bool Hexa(char c) {
    return Chiffre(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Length of a character reference starting at `i` ("&amp;", "&#233;", "&#xE9;"), 0 when none.
size_t Reference(std::string_view s, size_t i) {
    size_t j = i + 1;
    if (j < s.size() && s[j] == '#') {
        ++j;
        const bool hexa = j < s.size() && (s[j] == 'x' || s[j] == 'X');
        if (hexa)
            ++j;
        const size_t debut = j;
        while (j < s.size() && j - debut < 8 && (hexa ? Hexa(s[j]) : Chiffre(s[j]))) ++j;
        return j > debut && j < s.size() && s[j] == ';' ? j + 1 - i : 0;
    }
    const size_t debut = j;
    while (j < s.size() && j - debut < 32 && (Lettre(s[j]) || Chiffre(s[j]))) ++j;
    return j > debut && j < s.size() && s[j] == ';' ? j + 1 - i : 0;
}

void Utf8(uint32_t c, std::string& out) {
    if (c == 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = 0xFFFD;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The text of a reference such as "&amp;" or "&#233;"; an unknown name stays as written.
std::string Decode(std::string_view ref) {
    const std::string_view corps = ref.substr(1, ref.size() - 2);
    std::string out;
    if (!corps.empty() && corps[0] == '#') {
        const bool hexa = corps.size() > 1 && (corps[1] == 'x' || corps[1] == 'X');
        uint32_t v = 0;
        for (char c : corps.substr(hexa ? 2 : 1))
            v = v * (hexa ? 16 : 10) + static_cast<uint32_t>(Chiffre(c) ? c - '0' : (c | 0x20) - 'a' + 10);
        Utf8(v, out);
        return out;
    }
    static const std::array<std::pair<std::string_view, uint32_t>, 10> noms{{{"amp", '&'},
                                                                             {"lt", '<'},
                                                                             {"gt", '>'},
                                                                             {"quot", '"'},
                                                                             {"apos", '\''},
                                                                             {"nbsp", 0xA0},
                                                                             {"eacute", 0xE9},
                                                                             {"egrave", 0xE8},
                                                                             {"ntilde", 0xF1},
                                                                             {"times", 0xD7}}};
    for (const auto& [nom, code] : noms)
        if (corps == nom) {
            Utf8(code == 0xA0 ? ' ' : code, out);
            return out;
        }
    return std::string(ref);
}

// One piece of a fragment: text, or a tag with its lower-case name.
struct Morceau {
    enum class Genre { Texte, Ouvre, Ferme } genre = Genre::Texte;
    std::string_view texte;  // the raw text, for Texte
    std::string nom;         // for tags
};

// Walks a fragment piece by piece; comments, declarations and forbidden elements with their
// content are passed over. A '<' that opens no tag is text.
class Lecteur_Html {
  public:
    explicit Lecteur_Html(std::string_view s) : s_(s) {}

    bool Suivant(Morceau& m) {
        while (i_ < s_.size()) {
            if (s_[i_] != '<') {
                const size_t fin = std::min(s_.find('<', i_ + 1), s_.size());
                m = {Morceau::Genre::Texte, s_.substr(i_, fin - i_), {}};
                i_ = fin;
                return true;
            }
            if (s_.compare(i_, 4, "<!--") == 0) {
                const size_t fin = s_.find("-->", i_ + 4);
                i_ = fin == std::string_view::npos ? s_.size() : fin + 3;
                continue;
            }
            const bool ferme = i_ + 1 < s_.size() && s_[i_ + 1] == '/';
            size_t j = i_ + (ferme ? 2 : 1);
            if (j < s_.size() &&
                (s_[j] == '!' || s_[j] == '?')) {  // <!DOCTYPE ...>, <![CDATA[...]]>, <?...?>
                const size_t fin = s_.find('>', j);
                i_ = fin == std::string_view::npos ? s_.size() : fin + 1;
                continue;
            }
            if (j >= s_.size() || !Lettre(s_[j])) {
                m = {Morceau::Genre::Texte, s_.substr(i_, 1), {}};
                ++i_;
                return true;
            }
            const size_t debut_nom = j;
            while (j < s_.size() && (Lettre(s_[j]) || Chiffre(s_[j]) || s_[j] == '-' || s_[j] == ':')) ++j;
            const std::string nom = Minuscules(s_.substr(debut_nom, j - debut_nom));
            const bool fin_nom = j < s_.size() && (s_[j] == '>' || s_[j] == '/' || s_[j] == ' ' ||
                                                   s_[j] == '\t' || s_[j] == '\n' || s_[j] == '\r');
            // The end of the tag, past quoted attribute values.
            char guillemet = 0;
            while (j < s_.size() && (guillemet || s_[j] != '>')) {
                if (guillemet && s_[j] == guillemet)
                    guillemet = 0;
                else if (!guillemet && (s_[j] == '"' || s_[j] == '\''))
                    guillemet = s_[j];
                ++j;
            }
            // A '<' that does not open a whole tag of a known element is text, kept.
            if (!fin_nom || j >= s_.size() || !Element(nom)) {
                m = {Morceau::Genre::Texte, s_.substr(i_, 1), {}};
                ++i_;
                return true;
            }
            i_ = j + 1;
            if (!ferme && Interdit(nom)) {
                Saute_Contenu(nom);
                continue;
            }
            m = {ferme ? Morceau::Genre::Ferme : Morceau::Genre::Ouvre, {}, nom};
            return true;
        }
        return false;
    }

  private:
    // Past the closing tag of `nom` (without regard to case), or to the end.
    void Saute_Contenu(const std::string& nom) {
        const std::string cherche = "</" + nom;
        auto egal = [](char a, char b) { return (a | 0x20) == b || a == b; };
        const auto it = std::search(s_.begin() + static_cast<std::ptrdiff_t>(i_), s_.end(), cherche.begin(),
                                    cherche.end(), egal);
        if (it == s_.end()) {
            i_ = s_.size();
            return;
        }
        const size_t fin = s_.find('>', static_cast<size_t>(it - s_.begin()));
        i_ = fin == std::string_view::npos ? s_.size() : fin + 1;
    }

    std::string_view s_;
    size_t i_ = 0;
};

void Echappe_Texte(std::string_view t, std::string& out) {
    for (size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '&') {
            const size_t n = Reference(t, i);
            if (n > 0) {
                out.append(t.substr(i, n));
                i += n - 1;
            } else {
                out += "&amp;";
            }
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c != '\0') {
            out += c;
        }
    }
}

}  // namespace

std::string Nettoie_Html(std::string_view fragment) {
    std::string out;
    std::vector<std::string> ouverts;
    Lecteur_Html lecteur(fragment);
    Morceau m;
    while (lecteur.Suivant(m)) {
        if (m.genre == Morceau::Genre::Texte) {
            Echappe_Texte(m.texte, out);
        } else if (!Permis(m.nom)) {
            if (m.nom == "div" || m.nom == "img")
                out += ' ';
        } else if (m.genre == Morceau::Genre::Ouvre) {
            out += "<" + m.nom + ">";
            if (!Vide(m.nom) && ouverts.size() < 64)
                ouverts.push_back(m.nom);
            else if (!Vide(m.nom))
                out += "</" + m.nom + ">";
        } else if (!Vide(m.nom)) {
            auto it = std::find(ouverts.rbegin(), ouverts.rend(), m.nom);
            if (it == ouverts.rend())
                continue;  // a closing tag that closes nothing
            const size_t garde = static_cast<size_t>(ouverts.rend() - it) - 1;
            while (ouverts.size() > garde) {
                out += "</" + ouverts.back() + ">";
                ouverts.pop_back();
            }
        }
    }
    while (!ouverts.empty()) {
        out += "</" + ouverts.back() + ">";
        ouverts.pop_back();
    }
    return out;
}

namespace {

// The text of a fragment with its tags dropped (a space for those that break a line) and white
// space collapsed; character references decoded only when `decode`.
std::string Texte_Seul(std::string_view fragment, bool decode) {
    std::string texte;
    Lecteur_Html lecteur(fragment);
    Morceau m;
    while (lecteur.Suivant(m)) {
        if (m.genre != Morceau::Genre::Texte) {
            if (!Parmi(m.nom, {"b", "i", "em", "strong", "u", "sub", "sup", "small", "span", "a"}))
                texte += ' ';
            continue;
        }
        for (size_t i = 0; i < m.texte.size(); ++i) {
            const size_t n = decode && m.texte[i] == '&' ? Reference(m.texte, i) : 0;
            if (n > 0) {
                texte += Decode(m.texte.substr(i, n));
                i += n - 1;
            } else {
                texte += m.texte[i];
            }
        }
    }
    std::string out;
    for (char c : texte) {
        const bool blanc = c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
        if (blanc) {
            if (!out.empty() && out.back() != ' ')
                out += ' ';
        } else if (c != '\0') {
            out += c;
        }
    }
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

}  // namespace

std::string Texte_Brut(std::string_view fragment) {
    return Texte_Seul(fragment, true);
}

std::string Texte_Label(std::string_view label) {
    return Texte_Seul(label, false);
}

}  // namespace kestrane::kb
