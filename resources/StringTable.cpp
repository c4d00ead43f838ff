// The string table: one row per resource id, in increasing id order (checked at compile time),
// looked up by binary search.
#include "resources/StringTable.h"

#include <algorithm>
#include <iterator>

namespace velmor {
namespace {

struct Entry
{
    int id;
    const char* text;
};

constexpr Entry kTable[] = {
    // Program commands (menus, toolbars, bars): status-line prompt, line feed, tooltip.
    {32768, "Théorie des poutres continues (1-dim)\nThéorie poutres"},
    {32769, "Revenir à la vue d'origine de la structure\nOrigine"},
    {32770, "Théorie des portiques plans (2-dim)\nThéorie portiques plans"},
    {32771, "Effacer tous les éléments du portique actif\nTout effacer"},
    {32772, "Définir les cotes minimum et maximum et le pas de la grille\nCotes"},
    {32773, "Théorie des portiques spatiaux (3-dim)\nThéorie portiques spatiaux"},
    {32774, "Théorie des treillis spatiaux (3-dim)\nThéorie treillis"},
    {32777, "Outil noeud: ajouter, effacer ou modifier des noeuds\nNoeud"},
    {32778, "Outil poutre: ajouter, effacer ou changer la section des poutres\nPoutre"},
    {32779, "Outil charge: ajouter, effacer ou modifier des charges et des moments\nCharge"},
    {32780, "Outil appui: ajouter, effacer ou modifier des appuis\nAppui"},
    {32783, "Outil section: créer une section et son matériau\nSection"},
    {32786, "Ajouter de nouveaux éléments\nNouvel élément"},
    {32787, "Effacer des éléments\nEffacer"},
    {32788, "Modifier des éléments\nModifier éléments"},
    {32791, "Créer un nouveau portique\nCréer portique"},
    {32792, "Ouvrir un portique de la bibliothèque pour le changer\nChanger portique"},
    {32793, "Ouvrir un exemple résolu par Velmor\nOuvrir exemple"},
    {32795, "Ouvrir un exercice à résoudre\nOuvrir exercice"},
    {32796, "Tourner la vue dans le sens inverse des aiguilles d'une montre\nRotation à gauche"},
    {32797, "Montrer ce portique dans le mode Exercices\nBasculer vers Exercices"},
    {32798, "Montrer ce portique dans le mode Exemples\nBasculer vers Exemples"},
    {32799, "Montrer ce portique dans l'éditeur Bibliothèque\nBasculer vers Bibliothèque"},
    {32801, "Tourner la vue dans le sens des aiguilles d'une montre\nRotation à droite"},
    {32802, "Tourner la vue vers le haut\nRotation vers le haut"},
    {32803, "Tourner la vue vers le bas\nRotation vers le bas"},
    {32808, "Résoudre le problème pas à pas\nPas à pas"},
    {32809, "Résoudre le problème en une seule fois\nSolution finale"},
    {32810, "Agrandir un rectangle de la vue\nZoom"},
    {32811, "Etape 1: numérotation des noeuds et des degrés de liberté\nNumérotation des noeuds"},
    {32812, "Etape 2: matrice de rigidité de chaque barre et assemblage\nMatrice de rigidité"},
    {32818, "Changer les options de Velmor\nOptions"},
    {32819, "Voir la structure entière\nStructure entière"},
    {32822, "Dessiner le diagramme de l'effort axial\nEffort axial"},
    {32823, "Dessiner le diagramme de l'effort de cisaillement y\nCisaillement y"},
    {32824, "Dessiner le diagramme du moment fléchissant y\nMoment y"},
    {32825, "Dessiner le diagramme du moment de torsion\nTorsion"},
    {32826, "Dessiner la déformée de la structure\nDéformée"},
    {32833, "Etape 5: résolution du système d'équations\nRésolution du système"},
    {32834, "Etape 3: vecteur charges de chaque barre et assemblage\nVecteur charges"},
    {32836, "Etape 4: conditions aux limites sur les noeuds\nConditions aux limites"},
    {32837, "Montrer les déplacements d'un noeud\nDéplacements"},
    {32838, "Montrer les réactions d'un appui\nRéactions"},
    {32839, "Montrer les efforts internes d'une poutre\nEfforts internes"},
    {32840, "Réduire l'échelle des diagrammes\nFonction -"},
    {32842, "Agrandir l'échelle des diagrammes\nFonction +"},
    {32843, "Dessiner le diagramme de l'effort de cisaillement z\nCisaillement z"},
    {32844, "Dessiner le diagramme du moment fléchissant z\nMoment z"},
    {32846, "Montrer les points d'inflexion des diagrammes\nPoints d'inflexion"},
    {32847, "Montrer la solution par éléments finis\nSolution éléments finis"},
    {32848, "Voir la structure dans le plan XZ\nVue XZ"},
    {32849, "Voir la structure dans le plan YZ\nVue YZ"},
    {32850, "Voir la structure dans le plan XY\nVue XY"},
    {32852, "Choisir le type de problème\nType de problème"},
    {32853, "Sélectionner une poutre pour voir ses valeurs\nValeurs de la poutre"},
    {32854, "Etape 6: déformations, efforts des barres et réactions\nRésultats"},
    {32855, "Dessiner les diagrammes d'une seule poutre\nZoom d'une seule poutre"},
    {32856, "Dessiner le diagramme de l'effort de cisaillement y\nCisaillement y"},
    {32857, "Dessiner le diagramme de l'effort de cisaillement z\nCisaillement z"},
    {32858, "Dessiner le diagramme de l'effort axial\nEffort axial"},
    {32859, "Dessiner le diagramme du moment fléchissant y\nMoment y"},
    {32860, "Dessiner le diagramme du moment fléchissant z\nMoment z"},
    {32861, "Dessiner le diagramme du moment de torsion\nTorsion"},
    {32862, "Le diagramme est au-dessus de l'axe\nAu-dessus de l'axe"},
    {32863, "Le diagramme est au-dessous de l'axe\nAu-dessous de l'axe"},
    {32864, "Le diagramme est une droite qui monte\nDroite croissante"},
    {32865, "Le diagramme est une droite qui descend\nDroite décroissante"},
    {32866, "Le diagramme est une parabole positive\nParabole positive"},
    {32867, "Le diagramme est une parabole négative\nParabole négative"},
    {32868, "Le diagramme est la partie gauche d'une parabole cubique positive\n"
            "Cubique positive, partie gauche"},
    {32869, "Quitter le dessin des diagrammes\nQuitter diagramme"},
    {32870, "Le diagramme est constant\nConstant"},
    {32871, "Le diagramme est la partie droite d'une parabole cubique positive\n"
            "Cubique positive, partie droite"},
    {32872, "Le diagramme est la partie gauche d'une parabole cubique négative\n"
            "Cubique négative, partie gauche"},
    {32873, "Le diagramme est la partie droite d'une parabole cubique négative\n"
            "Cubique négative, partie droite"},
    {32874, "Voir la charge de la poutre\nVoir charge"},
    {32875, "Voir le diagramme de cisaillement de la poutre\nVoir cisaillement"},
    {32876, "Voir le diagramme des moments de la poutre\nVoir moment"},
    {32877, "Placer des rotules aux noeuds\nRotules"},
    {32879, "Avancer le dessin du diagramme automatiquement\nAutomatique"},
    {32881, "Terminer toute la solution\nSolution finale"},
    {32882, "Annuler la solution\nAnnuler solution"},
    {32883, "Examiner l'élément choisi\nExaminer"},
    {32884, "Terminer la tâche en cours\nTerminer"},
    {32885, "Aide sur la résolution pas à pas\nAide"},
    {32888, "Théorie de l'étape suivante\nThéorie"},
    {32891, "Ne pas quitter Velmor\nNon"},
    {32892, "Imprimer la structure\nImprimer structure"},
    {32893, "Montrer la page de la structure telle qu'elle sera imprimée\nAperçu avant impression"},
    {32895, "Editer le titre de la structure\nTitre"},
    {32896, "Ecrire les valeurs le long de la poutre\nValeurs"},
    {32897, "Enregistrer le rapport des résultats dans un fichier PDF\nExporter en PDF"},
    // Standard commands: files, printing, recent files, windows, help, quitting.
    {57600, "Créer un nouveau portique dans la bibliothèque\nNouveau"},
    {57601, "Ouvrir un portique existant\nOuvrir"},
    {57602, "Fermer le portique actif\nFermer"},
    {57603, "Enregistrer le portique actif\nEnregistrer"},
    {57604, "Enregistrer le portique actif sous un nouveau nom\nEnregistrer sous"},
    {57606, "Changer l'imprimante et les options d'impression\nConfiguration de l'impression"},
    {57607, "Imprimer les résultats du problème\nImprimer résultats"},
    {57609, "Montrer les pages des résultats telles qu'elles seront imprimées\n"
            "Présentation résultats"},
    {57616, "Ouvrir ce portique\nFichier récent 1"},
    {57617, "Ouvrir ce portique\nFichier récent 2"},
    {57618, "Ouvrir ce portique\nFichier récent 3"},
    {57619, "Ouvrir ce portique\nFichier récent 4"},
    {57620, "Ouvrir ce portique\nFichier récent 5"},
    {57621, "Ouvrir ce portique\nFichier récent 6"},
    {57622, "Ouvrir ce portique\nFichier récent 7"},
    {57623, "Ouvrir ce portique\nFichier récent 8"},
    {57624, "Ouvrir ce portique\nFichier récent 9"},
    {57625, "Ouvrir ce portique\nFichier récent 10"},
    {57626, "Ouvrir ce portique\nFichier récent 11"},
    {57627, "Ouvrir ce portique\nFichier récent 12"},
    {57628, "Ouvrir ce portique\nFichier récent 13"},
    {57629, "Ouvrir ce portique\nFichier récent 14"},
    {57630, "Ouvrir ce portique\nFichier récent 15"},
    {57631, "Ouvrir ce portique\nFichier récent 16"},
    {57643, "Annuler la dernière modification de la structure\nAnnuler"},
    {57644, "Rétablir la modification annulée\nRétablir"},
    {57648, "Ouvrir une autre fenêtre sur le portique actif\nNouvelle fenêtre"},
    {57664, "Montrer le nom et la version de Velmor\nA propos de Velmor"},
    {57665, "Quitter Velmor en proposant d'enregistrer les portiques modifiés\nQuitter"},
    {57666, "Montrer le sommaire de l'aide\nIndex de l'aide"},
    {57668, "Comment utiliser l'aide\nAide sur l'aide"},
    {57669,
     "Aide sur le bouton, le menu ou la fenêtre que vous cliquez ensuite\nAide contextuelle"},
    {57670, "Aide sur la fenêtre ou la commande en cours\nAide"},
    {57671, "Montrer l'aide de Velmor\nAide"},
    // Messages, status-line prompts of the editor and the tutor, labels and titles.
    {61218, "Velmor ne peut pas créer cette section\n"
            "Les valeurs entrées sont incorrectes ou insuffisantes."},
    {61226, "Velmor ne peut pas effacer cette section car des poutres y sont connectées: changez "
            "la section des poutres connectées et sélectionnez une autre section comme section "
            "active."},
    {61227, "Sélectionner premier noeud ou section"},
    {61228, "Sélectionner second noeud ou section"},
    {61230, "Sélectionner noeud"},
    {61231, "Sélectionner poutre"},
    {61232, "Sélectionner section"},
    {61233, "Sélectionner appui"},
    {61234, "Sélectionner charge ou moment"},
    {61236, "Sélectionner rectangle de zoom"},
    {61237, "Sélectionner coordonnées x, y"},
    {61238, "Sélectionner coordonnée z"},
    {61239, "Sélectionner section ou poutre pour changer sa section"},
    {61240, "Sélectionner noeud ou poutre"},
    {61250, "Système d'équations résolu"},
    {61251, "Système d'équations singulier.\n\nChangez les conditions aux limites\n"
            "dans l'éditeur BIBLIOTHEQUE"},
    {61252, "Système d'equations (global)"},
    {61253, "Matrice de rigidité"},
    {61254, "Locale"},
    {61255, "Globale"},
    {61256, "T "},
    {61257, "distribuée"},
    {61258, "ponctuelle au noeud #"},
    {61262, "Etes-vous sûr de vouloir omettre une étape?"},
    {61263, "Tous les noeuds ont été numérotés"},
    {61265, "Sélectionner en premier lieu une section"},
    {61266, "Tous les diagrammes sont terminés."},
    {61267, "La structure n'est pas valide. Il manque des éléments."},
    {61268, "Algorithme terminé."},
    {61269, "En ce point l'algorithme ne vas pas vers le haut."},
    {61270, "NON! En ce point, le diagramme ne descend pas."},
    {61271, "NON! Le diagramme ici n'est pas constant."},
    {61272, "NON! Le diagramme ici n'est pas une parabole positive."},
    {61273, "NON! En ce point, le diagramme ne monte pas."},
    {61274, "NON! Le diagramme ici n'est pas une parabole négative."},
    {61275, "NON! En ce point, le diagramme ne descend pas."},
    {61276, "NON! Cette partie du diagramme n'est pas la partie gauche d'une parabole cubique "
            "positive."},
    {61277, "NON! Cette partie du diagramme n'est pas la partie droite d'une parabole cubique "
            "positive."},
    {61278, "NON! Cette partie du diagramme n'est pas la partie gauche d'une parabole cubique "
            "négative."},
    {61279, "NON! Cette partie du diagramme n'est pas la partie droite d'une parabole cubique "
            "négative."},
    {61281, "Si vous effacer cet élément, vous effacerz aussi les éléments connectés!\n"
            "Continuer?"},
    {61283, "Vecteur charge"},
    {61284, "Sélectionner noeud"},
    {61285, "Rigidité de la poutre"},
    {61286, "Assembler poutre"},
    {61287, "Charge sur la poutre"},
    {61288, "Charge sur le noeud"},
    {61289, "Assembler charge"},
    {61290, "Appui en un noeud"},
    {61291, "Résoudre le système d'équations"},
    {61292, "Calculer résultats"},
    {61293, "Numérotation des noeuds"},
    {61294, "Calculer la matrice du système"},
    {61295, "Calculer le vecteur charges"},
    {61296, "Imposer les conditions aux limites"},
    {61298, "Dessiner les lois"},
    {61299, "ERREUR DE MEMOIRE!\n"
            "Il est possible que le problème soit trop grand pour votre ordinateur..."},
    {61301, "Sélectionner poutre"},
    {61302, "Sélectionner charge"},
    {61303, "Sélectionner appui"},
    {61304, "Assembler poutre"},
    {61305, "Assembler charge"},
    {61306, "La barre a été assemblée"},
    {61307, "La charge a été assembler"},
    {61337, "Poids propre de la poutre"},
    {61339, "Mauvais format pour ouvrir ce fichier!"},
    {61340, "Si vous changer un portique avec l'éditeur,\nvous fermerez ce calcul..."},
    {61343, "La structure a changé."},
    {61344, "Velmor -- Résultats du problème"},
    // 61345: the step-by-step bar, whose show/hide command carries its id
    {61345, "Montrer ou cacher la barre de résolution pas à pas\nBarre pas à pas"},
    {61349, "Coordonnées:"},
    {61350, "Déplacements:"},
    {61351, "Réactions:"},
    {61352, "Efforts internes:"},
    {61353, "Noeud"},
    {61354, "Poutre"},
    {61355, "Mécanisme possible au noeud %d, GdL %d"},
    {61356, "Vecteur charges"},
    {61357, "Vecteur déplacements"},
    {61358, "Velmor -- Structure"},
    {61360, "Ouvrir"},
};

constexpr bool StrictlyIncreasing()
{
    return std::adjacent_find(std::begin(kTable), std::end(kTable),
                              [](const Entry& a, const Entry& b) { return a.id >= b.id; }) ==
           std::end(kTable);
}
static_assert(StrictlyIncreasing(), "string table rows must be in increasing id order");

} // namespace

const char* LoadString(int id)
{
    const auto* it = std::lower_bound(std::begin(kTable), std::end(kTable), id,
                                      [](const Entry& e, int value) { return e.id < value; });
    return it != std::end(kTable) && it->id == id ? it->text : "";
}

std::string_view StatusPrompt(int id)
{
    const std::string_view text = LoadString(id);
    return text.substr(0, text.find('\n'));
}

std::string_view ToolTip(int id)
{
    const std::string_view text = LoadString(id);
    const auto feed = text.find('\n');
    return feed == std::string_view::npos ? std::string_view{} : text.substr(feed + 1);
}

} // namespace velmor
