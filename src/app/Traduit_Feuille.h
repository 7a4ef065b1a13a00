#pragma once
// Applies the interface strings of a language to a window.
//
// Each window and control carries the base number of its text as a dynamic property, set when it
// is built: "Tag" (window title, label and button text, group title), "ToolTipTag" (tooltip),
// "Caption" (menu and toolbar actions: text), "TabTags"/"TabToolTips" (lists, one per tab) and
// "HeaderTags" (list-view column headers). A property that is missing, not a number, or names an
// entry the language lacks leaves the designed text in place; menu separators keep theirs.

class QWidget;

namespace kestrane {

void Traduit_Feuille(QWidget* fenetre, int langue);

// The numbers of a control, set where the window is built.
void Lie_Texte(QWidget* controle, int tag, int tooltip = 0);

}  // namespace kestrane
