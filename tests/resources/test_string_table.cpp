// Tests of the string table: the quoted texts of the messages, prompts and labels, the split of a
// command's text into status-line prompt and tooltip, and the answer for ids it does not hold.
#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string_view>

namespace velmor {
namespace {

struct QuotedText
{
    int id;
    std::string_view text;
    friend std::ostream& operator<<(std::ostream& os, const QuotedText& q) { return os << q.id; }
};

class StringTableText : public testing::TestWithParam<QuotedText>
{
};

TEST_P(StringTableText, LoadStringGivesTheProgramText)
{
    EXPECT_EQ(std::string_view(LoadString(GetParam().id)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, StringTableText,
    testing::Values(
        QuotedText{61218, "Velmor ne peut pas créer cette section\nLes valeurs entrées sont "
                          "incorrectes ou insuffisantes."},
        QuotedText{61226, "Velmor ne peut pas effacer cette section car des poutres y sont "
                          "connectées: changez la section des poutres connectées et sélectionnez "
                          "une autre section comme section active."},
        QuotedText{61227, "Sélectionner premier noeud ou section"},
        QuotedText{61228, "Sélectionner second noeud ou section"},
        QuotedText{61230, "Sélectionner noeud"}, QuotedText{61231, "Sélectionner poutre"},
        QuotedText{61232, "Sélectionner section"}, QuotedText{61233, "Sélectionner appui"},
        QuotedText{61234, "Sélectionner charge ou moment"},
        QuotedText{61236, "Sélectionner rectangle de zoom"},
        QuotedText{61237, "Sélectionner coordonnées x, y"},
        QuotedText{61238, "Sélectionner coordonnée z"},
        QuotedText{61239, "Sélectionner section ou poutre pour changer sa section"},
        QuotedText{61240, "Sélectionner noeud ou poutre"},
        QuotedText{61250, "Système d'équations résolu"},
        QuotedText{61251, "Système d'équations singulier.\n\nChangez les conditions aux "
                          "limites\ndans l'éditeur BIBLIOTHEQUE"},
        QuotedText{61252, "Système d'equations (global)"}, QuotedText{61253, "Matrice de rigidité"},
        QuotedText{61254, "Locale"}, QuotedText{61255, "Globale"}, QuotedText{61256, "T "},
        QuotedText{61257, "distribuée"}, QuotedText{61258, "ponctuelle au noeud #"},
        QuotedText{61262, "Etes-vous sûr de vouloir omettre une étape?"},
        QuotedText{61263, "Tous les noeuds ont été numérotés"},
        QuotedText{61265, "Sélectionner en premier lieu une section"},
        QuotedText{61266, "Tous les diagrammes sont terminés."},
        QuotedText{61267, "La structure n'est pas valide. Il manque des éléments."},
        QuotedText{61268, "Algorithme terminé."},
        QuotedText{61269, "En ce point l'algorithme ne vas pas vers le haut."},
        QuotedText{61270, "NON! En ce point, le diagramme ne descend pas."},
        QuotedText{61271, "NON! Le diagramme ici n'est pas constant."},
        QuotedText{61272, "NON! Le diagramme ici n'est pas une parabole positive."},
        QuotedText{61273, "NON! En ce point, le diagramme ne monte pas."},
        QuotedText{61274, "NON! Le diagramme ici n'est pas une parabole négative."},
        QuotedText{61275, "NON! En ce point, le diagramme ne descend pas."},
        QuotedText{61276, "NON! Cette partie du diagramme n'est pas la partie gauche d'une "
                          "parabole cubique positive."},
        QuotedText{61277, "NON! Cette partie du diagramme n'est pas la partie droite d'une "
                          "parabole cubique positive."},
        QuotedText{61278, "NON! Cette partie du diagramme n'est pas la partie gauche d'une "
                          "parabole cubique négative."},
        QuotedText{61279, "NON! Cette partie du diagramme n'est pas la partie droite d'une "
                          "parabole cubique négative."},
        QuotedText{61281, "Si vous effacer cet élément, vous effacerz aussi les éléments "
                          "connectés!\nContinuer?"},
        QuotedText{61283, "Vecteur charge"}, QuotedText{61284, "Sélectionner noeud"},
        QuotedText{61285, "Rigidité de la poutre"}, QuotedText{61286, "Assembler poutre"},
        QuotedText{61287, "Charge sur la poutre"}, QuotedText{61288, "Charge sur le noeud"},
        QuotedText{61289, "Assembler charge"}, QuotedText{61290, "Appui en un noeud"},
        QuotedText{61291, "Résoudre le système d'équations"},
        QuotedText{61292, "Calculer résultats"}, QuotedText{61293, "Numérotation des noeuds"},
        QuotedText{61294, "Calculer la matrice du système"},
        QuotedText{61295, "Calculer le vecteur charges"},
        QuotedText{61296, "Imposer les conditions aux limites"},
        QuotedText{61298, "Dessiner les lois"},
        QuotedText{61299, "ERREUR DE MEMOIRE!\nIl est possible que le problème soit trop grand "
                          "pour votre ordinateur..."},
        QuotedText{61301, "Sélectionner poutre"}, QuotedText{61302, "Sélectionner charge"},
        QuotedText{61303, "Sélectionner appui"}, QuotedText{61304, "Assembler poutre"},
        QuotedText{61305, "Assembler charge"}, QuotedText{61306, "La barre a été assemblée"},
        QuotedText{61307, "La charge a été assembler"},
        QuotedText{61337, "Poids propre de la poutre"},
        QuotedText{61339, "Mauvais format pour ouvrir ce fichier!"},
        QuotedText{61340, "Si vous changer un portique avec l'éditeur,\nvous fermerez ce "
                          "calcul..."},
        QuotedText{61343, "La structure a changé."},
        QuotedText{61344, "Velmor -- Résultats du problème"}, QuotedText{61349, "Coordonnées:"},
        QuotedText{61350, "Déplacements:"}, QuotedText{61351, "Réactions:"},
        QuotedText{61352, "Efforts internes:"}, QuotedText{61353, "Noeud"},
        QuotedText{61354, "Poutre"}, QuotedText{61355, "Mécanisme possible au noeud %d, GdL %d"},
        QuotedText{61356, "Vecteur charges"}, QuotedText{61357, "Vecteur déplacements"},
        QuotedText{61358, "Velmor -- Structure"}, QuotedText{61360, "Ouvrir"},
        QuotedText{32791, "Créer un nouveau portique\nCréer portique"},
        QuotedText{32771, "Effacer tous les éléments du portique actif\nTout effacer"}));

struct PromptSplit
{
    int id;
    std::string_view prompt;
    std::string_view tooltip;
    friend std::ostream& operator<<(std::ostream& os, const PromptSplit& s) { return os << s.id; }
};

class StringTableSplit : public testing::TestWithParam<PromptSplit>
{
};

TEST_P(StringTableSplit, PromptIsTheFirstLineAndTooltipTheRest)
{
    EXPECT_EQ(StatusPrompt(GetParam().id), GetParam().prompt);
    EXPECT_EQ(ToolTip(GetParam().id), GetParam().tooltip);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StringTableSplit,
    testing::Values(
        // A command: prompt, line feed, tooltip.
        PromptSplit{32791, "Créer un nouveau portique", "Créer portique"},
        PromptSplit{32771, "Effacer tous les éléments du portique actif", "Tout effacer"},
        // A prompt without a line feed is all prompt and has no tooltip.
        PromptSplit{61236, "Sélectionner rectangle de zoom", ""},
        // A message of several lines splits at its first line feed only.
        PromptSplit{61251, "Système d'équations singulier.",
                    "\nChangez les conditions aux limites\ndans l'éditeur BIBLIOTHEQUE"},
        // An unknown id has neither.
        PromptSplit{12345, "", ""}));

TEST(StringTable, UnknownIdsGiveTheEmptyString)
{
    for (int id : {0, -1, 1, 32767, 32790, 61216, 61217, 61359, 61361, 99999}) {
        ASSERT_NE(LoadString(id), nullptr) << id;
        EXPECT_STREQ(LoadString(id), "") << id;
    }
}

// Every command of the menus, toolbars, accelerators and the step-by-step bar shows a prompt in
// the status line and a tooltip over its button.
TEST(StringTable, EveryCommandHasPromptAndTooltip)
{
    const int commands[] = {
        32768, 32769, 32770, 32771, 32772, 32773, 32774, 32777, 32778, 32779, 32780, 32783, 32786,
        32787, 32788, 32791, 32792, 32793, 32795, 32796, 32797, 32798, 32799, 32801, 32802, 32803,
        32808, 32809, 32810, 32811, 32812, 32818, 32819, 32822, 32823, 32824, 32825, 32826, 32833,
        32834, 32836, 32837, 32838, 32839, 32840, 32842, 32843, 32844, 32846, 32847, 32848, 32849,
        32850, 32852, 32853, 32854, 32855, 32856, 32857, 32858, 32859, 32860, 32861, 32862, 32863,
        32864, 32865, 32866, 32867, 32868, 32869, 32870, 32871, 32872, 32873, 32874, 32875, 32876,
        32877, 32879, 32881, 32882, 32883, 32884, 32885, 32888, 32891, 32892, 32893, 32895, 32896, 32897,
        57600, 57601, 57602, 57603, 57604, 57606, 57607, 57609, 57616, 57617, 57618, 57619, 57631,
        57643, 57644, 57648, 57664, 57665, 57666, 57668, 57669, 57670, 57671, 61345};
    for (int id : commands) {
        EXPECT_FALSE(StatusPrompt(id).empty()) << id;
        EXPECT_FALSE(ToolTip(id).empty()) << id;
        EXPECT_EQ(ToolTip(id).find('\n'), std::string_view::npos) << id;
    }
}

} // namespace
} // namespace velmor
