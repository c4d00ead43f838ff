#include "MenuTables.h"

namespace velmor {
namespace {

MenuItem cmd(int id, const char* text)
{
    return {MenuItem::Command, id, text};
}
MenuItem sep()
{
    return {MenuItem::Separator, 0, ""};
}
MenuItem recent()
{
    return {MenuItem::RecentFiles, ID_FILE_MRU_FIRST, ""};
}

Popup helpPopup()
{
    return {"&Aide", {cmd(ID_HELP_INDEX, "&Index de l'Aide"), sep(), cmd(ID_APP_ABOUT, "&A Propos d'Velmor")}};
}

Popup viewPopup(bool calculation)
{
    Popup p{"&Voir",
            {cmd(ID_VIEW_ORIGIN, "&Origine\tF9"), cmd(ID_VIEW_XY, "Vue X&Y\tF10"),
             cmd(ID_VIEW_XZ, "Vue &XZ\tF11"), cmd(ID_VIEW_YZ, "Vue Y&Z\tF12"), sep()}};
    if (calculation) {
        p.items.push_back(cmd(32842, "Fonction &+\tF3"));
        p.items.push_back(cmd(32840, "Fonction &-\tF4"));
    }
    p.items.push_back(cmd(ID_WINDOW_NEW, "&Nouvelle Fenêtre"));
    return p;
}

MenuResource mainMenu()
{
    return {MenuId::Main,
            {{"&Théorie",
              {cmd(ID_THEORY_BEAMS, "Poutres       (&1-dim)"), cmd(ID_THEORY_FRAMES, "Portiques    (&2-dim)"),
               cmd(ID_THEORY_SPACE, "Velmor         (&3-dim)"), sep(),
               cmd(ID_THEORY_TRUSSES, "&Treillis         (3-dim)")}},
             {"&Bibliothèque", {cmd(ID_MODE_CREATE, "&Créer..."), cmd(ID_MODE_CHANGE, "Chan&ger..."), sep(), recent()}},
             {"&Exemples", {cmd(ID_MODE_OPEN_EXAMPLE, "&Ouvrir Exemple..."), sep(), recent()}},
             {"E&xercices", {cmd(ID_MODE_OPEN_EXERCISE, "&Ouvrir Exercice..."), sep(), recent()}},
             {"E&nvironnement", {cmd(ID_ENV_OPTIONS, "&Options")}},
             helpPopup(),
             {"&Quitter", {cmd(ID_APP_EXIT, "Oui"), cmd(ID_QUIT_NO, "Non")}}}};
}

MenuResource editorMenu()
{
    return {MenuId::Library,
            {{"&BIBLIOTHEQUE",
              {cmd(ID_SWITCH_EXAMPLES, "Basculer vers &Exemples"), cmd(ID_SWITCH_EXERCISES, "Basculer vers E&xercices"),
               sep(), cmd(ID_APP_EXIT, "&Quitter Velmor")}},
             {"&Fichier",
              {cmd(ID_FILE_NEW, "&Nouveau...\tCtrl+N"), cmd(ID_FILE_OPEN, "&Ouvrir..\tCtrl+O"),
               cmd(ID_FILE_SAVE, "&Enregistrer\tCtrl+S"), cmd(ID_FILE_SAVE_AS, "Enregistrer &Sous..."),
               cmd(ID_FILE_CLOSE, "&Fermer"), sep(), cmd(ID_EDIT_UNDO, "&Annuler\tCtrl+Z"),
               cmd(ID_EDIT_REDO, "&Rétablir\tCtrl+Y"), cmd(ID_EDIT_TITLE, "&Titre..."), sep(),
               cmd(ID_PRINT_STRUCTURE, "&Imprimer Structure..."),
               cmd(ID_PRINT_PREVIEW_STRUCTURE, "&Aperçu Avant Impression"),
               cmd(ID_FILE_PAGE_SETUP, "&Configuration de l'Impression..."), sep(), recent()}},
             viewPopup(false),
             {"&Environnement",
              {cmd(ID_ENV_OPTIONS, "&Options"), sep(), cmd(ID_ENV_PROBLEM_TYPE, "&Type de Problème"),
               cmd(ID_ENV_LIMITS, "&Cotes")}},
             helpPopup()}};
}

MenuResource calculationMenu(bool exercises)
{
    const int open = exercises ? ID_MODE_OPEN_EXERCISE : ID_MODE_OPEN_EXAMPLE;
    MenuResource m{exercises ? MenuId::Exercises : MenuId::Examples, {}};
    m.popups.push_back({exercises ? "&EXERCICES" : "&EXEMPLE",
                        {cmd(ID_SWITCH_LIBRARY, "Basculer vers &Bibliothèque"), sep(),
                         cmd(ID_APP_EXIT, "&Quitter Velmor")}});
    m.popups.push_back({"&Fichier",
                        {cmd(ID_FILE_NEW, "&Nouveau...\tCtrl+N"), cmd(open, "&Ouvrir...\tCtrl+O"),
                         cmd(ID_FILE_CLOSE, "&Fermer"), sep(), cmd(ID_PRINT_STRUCTURE, "Imprimer &Structure..."),
                         cmd(ID_PRINT_PREVIEW_STRUCTURE, "&Aperçu Avant Impression"),
                         cmd(ID_FILE_PRINT, "&Imprimer Résultats..."),
                         cmd(ID_FILE_PRINT_PREVIEW, "Présentation &Résultats"),
                         cmd(ID_EXPORT_REPORT_PDF, "E&xporter en PDF..."),
                         cmd(ID_FILE_PAGE_SETUP, "&Configuration de l'Impression..."), sep(), recent()}});
    m.popups.push_back({"Ré&solution",
                        {cmd(32808, "&Pas à Pas"), cmd(32809, "Solution &Finale"), sep(),
                         cmd(32811, "&Numérotation des Noeuds"), cmd(32812, "&Matrice de Rigidité"),
                         cmd(32834, "&Vecteur Charges"), cmd(32836, "&Conditions aux Limites"),
                         cmd(32833, "Résolution du &Système"), cmd(32854, "&Résultats")}});
    Popup results{"&Résultats", {cmd(32826, "Dé&formée"), sep()}};
    if (!exercises) {
        for (const MenuItem& i : {cmd(32822, "&Axial"), cmd(32823, "&Cisaillement y"), cmd(32843, "C&isaillement z"),
                                  cmd(32825, "&Torsion"), cmd(32824, "Moment &y"), cmd(32844, "Moment &z"), sep()})
            results.items.push_back(i);
    }
    for (const MenuItem& i : {cmd(32837, "&Déplacements"), cmd(32838, "&Réactions"), cmd(32839, "&Efforts Internes"), sep()})
        results.items.push_back(i);
    results.items.push_back(exercises ? cmd(32846, "Points d'&Inflexion") : cmd(32846, "&Points d'Inflexion"));
    m.popups.push_back(results);
    if (exercises)
        m.popups.push_back({"&Diagramme",
                            {cmd(32858, "&Axial"), cmd(32856, "&Cisaillement y"), cmd(32857, "C&isaillement z"),
                             cmd(32859, "Moment &y"), cmd(32860, "Moment &z"), cmd(32861, "&Torsion"), sep(),
                             cmd(32874, "&Voir Charge"), cmd(32875, "Voir Ci&saillement"),
                             cmd(32876, "Voir Mome&nt"), cmd(32879, "Automatique"), sep(),
                             cmd(32869, "&Quitter")}});
    m.popups.push_back(viewPopup(true));
    m.popups.push_back({"&Environnement", {cmd(ID_ENV_OPTIONS, "&Options")}});
    m.popups.push_back(helpPopup());
    return m;
}

} // namespace

const MenuResource& Menu(MenuId resourceId)
{
    static const MenuResource main = mainMenu(), editor = editorMenu(), examples = calculationMenu(false),
                              exercises = calculationMenu(true), none{};
    switch (resourceId) {
    case MenuId::Main: return main;
    case MenuId::Library: return editor;
    case MenuId::Examples: return examples;
    case MenuId::Exercises: return exercises;
    }
    return none;
}

std::string RecentFilesPlaceholder(int firstCommandOfPopup)
{
    switch (firstCommandOfPopup) {
    case ID_MODE_OPEN_EXAMPLE: return "Dernier exemple";
    case ID_MODE_OPEN_EXERCISE: return "Dernier exercice";
    default: return "Dernier fichier";
    }
}

const std::vector<Accelerator>& Accelerators()
{
    static const std::vector<Accelerator> table = {
        {"Ctrl+N", 57600}, {"Ctrl+O", 57601}, {"Ctrl+P", 57607}, {"Ctrl+S", 57603},
        {"F1", 57670},     {"Shift+F1", 57669}, {"F3", 32842},   {"F4", 32840},
        {"F5", 32796},     {"F6", 32802},     {"F7", 32803},     {"F8", 32801},
        {"F9", 32769},     {"F10", 32850},    {"F11", 32848},    {"F12", 32849},
        {"Ctrl+Z", 57643}, {"Ctrl+Y", 57644}, {"Ctrl+Shift+Z", 57644},
    };
    return table;
}

const std::vector<int>& Toolbar(MenuId resourceId)
{
    static const std::vector<int> main = {32768, 32770, 32773, 32774, 0, 32791, 32792, 0, 32793, 0, 32795, 0, 57664, 57669};
    static const std::vector<int> editor = {57600, 57601, 57603, 0, 57643, 57644, 0, 32895, 32771, 0, 32786, 32787, 32788, 0, 32777, 32877,
                                            32778, 32780, 32779, 0, 32783, 0, 32810, 32819, 0, 32769, 0,
                                            32796, 32801, 32803, 32802};
    static const std::vector<int> none;
    return resourceId == MenuId::Main ? main : resourceId == MenuId::Library ? editor : none;
}

const std::vector<int>& CalculationToolbar(int resource)
{
    static const std::vector<int> solving = {32811, 32812, 32834, 32836, 32833, 32854, 0, 32810, 32819, 0,
                                             32769, 0, 32796, 32801, 32803, 32802};
    static const std::vector<int> results = {32826, 0, 32822, 32823, 32843, 32825, 32824, 32844, 0,
                                             32837, 32838, 32839, 32846, 0, 32810, 32819, 32855, 0,
                                             32896, 0, 32769, 0, 32796, 32801, 32803, 32802};
    static const std::vector<int> laws = {32826, 0, 32858, 32856, 32857, 32861, 32859, 32860, 0,
                                          32837, 32838, 32839, 32846, 0, 32810, 32819, 32855, 0,
                                          32896, 0, 32769, 0, 32796, 32801, 32803, 32802};
    static const std::vector<int> drawing = {32862, 32863, 0, 32870, 32865, 32864, 0, 32866, 32867, 0,
                                             32868, 32871, 32872, 32873, 0, 32879, 0, 32874, 32875,
                                             32876, 0, 32810, 32819, 0, 32869};
    static const std::vector<int> none;
    switch (resource) {
    case 7: return solving;
    case 6: return results;
    case 1017: return laws;
    case 1018: return drawing;
    default: return none;
    }
}

} // namespace velmor
