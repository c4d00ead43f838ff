#include "ExampleModels.h"

#include "model/StructureBuilder.h"

#include <algorithm>
#include <cmath>

namespace velmor {
namespace {

// Materials: steel and concrete (E in N/m2, density in kg/m3).
constexpr double kSteelE = 2.1e11, kSteelNu = 0.3, kSteelRho = 7850.0;
constexpr double kConcreteE = 3.0e10, kConcreteNu = 0.2, kConcreteRho = 2500.0;

void twoSpanBeam(VelmorProblem& p)
{
    StructureBuilder b(p, PROBLEM_CONTINUOUS_BEAM);
    VelmorObject* n1 = b.Node(0, 0, 0);
    VelmorObject* n2 = b.Node(4, 0, 0);
    VelmorObject* loaded = b.Node(7, 0, 0);
    VelmorObject* n3 = b.Node(10, 0, 0);
    VelmorObject* s = b.Rectangle(0.3, 0.5, kConcreteE, kConcreteNu);
    VelmorObject* span1 = b.Beam(s, n1, n2);
    b.Beam(s, n2, loaded);
    b.Beam(s, loaded, n3);
    b.Support(n1, 2);
    b.Support(n2, 2);
    b.Support(n3, 2);
    b.BeamLoad(span1, LOAD_CONSTANT_GLOBAL, {0, -20000, 0});
    b.NodalLoad(loaded, {0, -30000, 0});
}

void cantilever(VelmorProblem& p)
{
    StructureBuilder b(p, PROBLEM_CONTINUOUS_BEAM);
    VelmorObject* n1 = b.Node(0, 0, 0);
    VelmorObject* n2 = b.Node(3, 0, 0);
    VelmorObject* s = b.Rectangle(0.2, 0.4, kSteelE, kSteelNu);
    VelmorObject* beam = b.Beam(s, n1, n2);
    b.Support(n1, 1);
    b.NodalLoad(n2, {0, -10000, 0}, {0, 0, 5000});
    b.BeamLoad(beam, LOAD_LINEAR_LOCAL, {0, 0, 0}, {0, -6000, 0});
}

void beamOnSpringAndSettlement(VelmorProblem& p)
{
    StructureBuilder b(p, PROBLEM_CONTINUOUS_BEAM);
    VelmorObject* n[4] = {b.Node(0, 0, 0), b.Node(5, 0, 0), b.Node(10, 0, 0), b.Node(14, 0, 0)};
    VelmorObject* s = b.Rectangle(0.3, 0.6, kConcreteE, kConcreteNu, kConcreteRho);
    VelmorObject* beams[3] = {b.Beam(s, n[0], n[1]), b.Beam(s, n[1], n[2]), b.Beam(s, n[2], n[3])};
    b.Support(n[0], 1);
    b.Spring(n[1], {0, 2.0e7, 0});
    b.Settlement(n[2], {0, 1, 0, 0, 0, 0}, {0, -0.01, 0});
    b.Support(n[3], 2);
    b.BeamLoad(beams[0], LOAD_CONSTANT_LOCAL, {0, -15000, 0});
    b.BeamLoad(beams[2], LOAD_LINEAR_GLOBAL, {0, -5000, 0}, {0, -25000, 0});
}

void portal(VelmorProblem& p)
{
    StructureBuilder b(p, PROBLEM_PLANE_FRAME);
    VelmorObject* a = b.Node(0, 0, 0);
    VelmorObject* c = b.Node(0, 4, 0);
    VelmorObject* d = b.Node(6, 4, 0);
    VelmorObject* e = b.Node(6, 0, 0);
    VelmorObject* column = b.Rectangle(0.3, 0.3, kConcreteE, kConcreteNu);
    VelmorObject* girder = b.Rectangle(0.3, 0.6, kConcreteE, kConcreteNu);
    b.Beam(column, a, c);
    VelmorObject* top = b.Beam(girder, c, d);
    b.Beam(column, e, d);
    b.Support(a, 1);
    b.Support(e, 1);
    b.NodalLoad(c, {15000, 0, 0});
    b.BeamLoad(top, LOAD_CONSTANT_GLOBAL, {0, -25000, 0});
}

void gableFrame(VelmorProblem& p)
{
    StructureBuilder b(p, PROBLEM_PLANE_FRAME);
    VelmorObject* a = b.Node(0, 0, 0);
    VelmorObject* c = b.Node(0, 5, 0);
    VelmorObject* ridge = b.Node(6, 7, 0, 1);
    VelmorObject* d = b.Node(12, 5, 0);
    VelmorObject* e = b.Node(12, 0, 0);
    VelmorObject* s = b.Rectangle(0.25, 0.5, kSteelE, kSteelNu);
    b.Beam(s, a, c);
    VelmorObject* left = b.Beam(s, c, ridge);
    VelmorObject* right = b.Beam(s, ridge, d);
    b.Beam(s, e, d);
    VelmorObject* canopyTip = b.Node(18, 5, 0);
    b.Beam(s, d, canopyTip);
    b.Support(a, 2);
    b.Support(e, 7);
    b.Support(canopyTip, 6);
    b.BeamLoad(left, LOAD_CONSTANT_PROJECTED, {0, -4000, 0});
    b.BeamLoad(right, LOAD_LINEAR_PROJECTED, {0, -4000, 0}, {0, -1000, 0});
}

void frameWithTie(VelmorProblem& p)
{
    StructureBuilder b(p, PROBLEM_PLANE_FRAME);
    VelmorObject* a = b.Node(0, 0, 0);
    VelmorObject* c = b.Node(0, 4, 0);
    VelmorObject* d = b.Node(8, 4, 0);
    VelmorObject* e = b.Node(8, 0, 0);
    VelmorObject* frame = b.Rectangle(0.3, 0.5, kConcreteE, kConcreteNu, kConcreteRho);
    VelmorObject* tie = b.Axial(0.002, kSteelE, kSteelRho);
    b.Beam(frame, a, c);
    VelmorObject* top = b.Beam(frame, c, d);
    b.Beam(frame, d, e);
    b.Beam(tie, a, e);
    b.Settlement(a, {1, 1, 0, 0, 0, 1}, {0, -0.005, 0});
    b.Spring(e, {0, 5.0e7, 0});
    b.BeamLoad(top, LOAD_LINEAR_LOCAL, {0, -10000, 0}, {0, -20000, 0});
    b.NodalLoad(c, {8000, 0, 0});
}

void spacePortal(VelmorProblem& p)
{
    StructureBuilder b(p, PROBLEM_SPACE_FRAME);
    VelmorObject* column = b.Rectangle(0.3, 0.3, kSteelE, kSteelNu);
    VelmorObject* girder = b.Rectangle(0.2, 0.4, kSteelE, kSteelNu);
    VelmorObject* base[4], *top[4];
    const double xy[4][2] = {{0, 0}, {5, 0}, {5, 4}, {0, 4}};
    for (int i = 0; i < 4; ++i) {
        base[i] = b.Node(xy[i][0], xy[i][1], 0);
        top[i] = b.Node(xy[i][0], xy[i][1], 3);
        b.Beam(column, base[i], top[i]);
        b.Support(base[i], 1);
    }
    VelmorObject* girders[4];
    for (int i = 0; i < 4; ++i)
        girders[i] = b.Beam(girder, top[i], top[(i + 1) % 4]);
    b.NodalLoad(top[0], {10000, 5000, 0}, {0, 0, 2000});
    b.BeamLoad(girders[0], LOAD_CONSTANT_GLOBAL, {0, 0, -12000});
    b.BeamLoad(girders[1], LOAD_CONSTANT_GLOBAL, {0, 0, -8000});
}

void grid(VelmorProblem& p)
{
    StructureBuilder b(p, PROBLEM_SPACE_FRAME);
    VelmorObject* s = b.Rectangle(0.3, 0.6, kConcreteE, kConcreteNu);
    VelmorObject* n[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            n[i][j] = b.Node(4.0 * i, 4.0 * j, 3.0);
    VelmorObject* first = nullptr;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j) {
            VelmorObject* along = b.Beam(s, n[i][j], n[i][j + 1]);
            b.Beam(s, n[j][i], n[j + 1][i]);
            if (!first)
                first = along;
        }
    b.Support(n[0][0], 3);
    b.Support(n[2][0], 4);
    b.Support(n[0][2], 5);
    b.Support(n[2][2], 2);
    b.NodalLoad(n[1][1], {0, 0, -40000});
    b.BeamLoad(first, LOAD_LINEAR_LOCAL, {0, 0, -5000}, {0, 0, -15000}, {2000, 0, 0}, {2000, 0, 0});
}

void spaceCantilever(VelmorProblem& p)
{
    StructureBuilder b(p, PROBLEM_SPACE_FRAME);
    VelmorObject* s = b.Rectangle(0.2, 0.3, kSteelE, kSteelNu, kSteelRho);
    VelmorObject* a = b.Node(0, 0, 0);
    VelmorObject* c = b.Node(4, 0, 0);
    VelmorObject* d = b.Node(4, 3, 0);
    VelmorObject* e = b.Node(4, 3, -3);
    VelmorObject* f = b.Node(0, 3, 0, 1);
    VelmorObject* g = b.Node(-2, 0, 0);
    b.Beam(s, g, a);
    b.Beam(s, a, c);
    b.Beam(s, c, d);
    b.Beam(s, d, e);
    VelmorObject* back = b.Beam(s, f, d);
    b.Settlement(g, {1, 1, 1, 1, 1, 1}, {0, 0, -0.002}, {0, 0.001, 0});
    b.Support(a, 9, {1, 1, 1, 1, 1, 1});
    b.Support(e, 8);
    b.Spring(f, {1.0e6, 1.0e6, 1.0e6}, {0, 0, 5.0e5});
    b.NodalLoad(c, {0, 0, -8000}, {1500, 0, 0});
    b.BeamLoad(back, LOAD_CONSTANT_LOCAL, {0, -3000, 0}, {}, {500, 0, 0});
}

void pyramidTruss(VelmorProblem& p)
{
    StructureBuilder b(p, PROBLEM_SPACE_TRUSS);
    VelmorObject* s = b.Axial(0.0015, kSteelE);
    VelmorObject* a = b.Node(0, 0, 0);
    VelmorObject* c = b.Node(4, 0, 0);
    VelmorObject* d = b.Node(2, 3, 0);
    VelmorObject* apex = b.Node(2, 1, 3);
    b.Beam(s, a, c);
    b.Beam(s, c, d);
    b.Beam(s, d, a);
    b.Beam(s, a, apex);
    b.Beam(s, c, apex);
    b.Beam(s, d, apex);
    b.Support(a, 2);
    b.Support(c, 9, {0, 1, 1, 0, 0, 0});
    b.Support(d, 8);
    b.NodalLoad(apex, {2000, 3000, -20000});
}

void boxTruss(VelmorProblem& p)
{
    StructureBuilder b(p, PROBLEM_SPACE_TRUSS);
    VelmorObject* chord = b.Axial(0.003, kSteelE, kSteelRho);
    VelmorObject* brace = b.Axial(0.0012, kSteelE, kSteelRho);
    // Three square frames at x = 0, 3, 6; corners (y, z) = (0,0), (2,0), (2,2), (0,2).
    VelmorObject* n[3][4];
    const double yz[4][2] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    for (int f = 0; f < 3; ++f) {
        for (int k = 0; k < 4; ++k)
            n[f][k] = b.Node(3.0 * f, yz[k][0], yz[k][1]);
        for (int k = 0; k < 4; ++k)
            b.Beam(brace, n[f][k], n[f][(k + 1) % 4]);
        b.Beam(brace, n[f][0], n[f][2]);
    }
    VelmorObject* bottom = nullptr;
    for (int f = 0; f < 2; ++f) {
        for (int k = 0; k < 4; ++k) {
            VelmorObject* bar = b.Beam(chord, n[f][k], n[f + 1][k]);
            if (!bottom)
                bottom = bar;
            b.Beam(brace, n[f][k], n[f + 1][(k + 1) % 4]);
        }
    }
    b.Support(n[0][0], 2);
    b.Support(n[0][1], 8);
    b.Support(n[2][0], 8);
    b.Support(n[2][1], 6);
    b.NodalLoad(n[1][3], {0, 0, -15000});
    b.BeamLoad(bottom, LOAD_CONSTANT_GLOBAL, {0, 0, -2000});
}

void tripod(VelmorProblem& p)
{
    StructureBuilder b(p, PROBLEM_SPACE_TRUSS);
    VelmorObject* s = b.Axial(0.002, kSteelE);
    VelmorObject* a = b.Node(0, 0, 0);
    VelmorObject* c = b.Node(3, 0, 0);
    VelmorObject* d = b.Node(1.5, 2.6, 0);
    VelmorObject* apex = b.Node(1.5, 0.9, 2.5);
    VelmorObject* ac = b.Beam(s, a, c);
    b.Beam(s, c, d);
    b.Beam(s, d, a);
    b.Beam(s, a, apex);
    b.Beam(s, c, apex);
    b.Beam(s, d, apex);
    b.Settlement(a, {1, 1, 1, 0, 0, 0}, {0, 0, -0.003});
    b.Spring(c, {0, 4.0e6, 8.0e6});
    b.Support(d, 8);
    b.NodalLoad(apex, {0, -1000, -12000});
    b.BeamLoad(ac, LOAD_LINEAR_GLOBAL, {0, 0, -1000}, {0, 0, -3000});
}

// The work box of an example: the nodes' extent rounded out to whole metres with one metre to
// spare (flat directions keep a metre each way), and a grid step of a hundredth of it.
std::function<void(VelmorProblem&)> withWorkBox(void (*build)(VelmorProblem&))
{
    return [build](VelmorProblem& p) {
        build(p);
        Mfx3dPoint lo(1e300, 1e300, 1e300), hi(-1e300, -1e300, -1e300), q;
        for (const auto& node : p.List(KIND_NODE)) {
            node->GetPosition(q, 0, 0);
            lo = Mfx3dPoint(std::min(lo.x, q.x), std::min(lo.y, q.y), std::min(lo.z, q.z));
            hi = Mfx3dPoint(std::max(hi.x, q.x), std::max(hi.y, q.y), std::max(hi.z, q.z));
        }
        lo = Mfx3dPoint(std::floor(lo.x) - 1, std::floor(lo.y) - 1, std::floor(lo.z) - 1);
        hi = Mfx3dPoint(std::ceil(hi.x) + 1, std::ceil(hi.y) + 1, std::ceil(hi.z) + 1);
        p.m_box = Mfx3dBox(lo, hi);
        p.m_gridStep = (hi - lo) / 100.0;
    };
}

} // namespace

const std::vector<ExampleModel>& ExampleModels()
{
    static const std::vector<ExampleModel> models = {
        {"poutre-deux-travees.vlm",
         "Poutre continue sur trois appuis simples, charge répartie sur la première travée et "
         "charge concentrée dans la seconde.",
         withWorkBox(twoSpanBeam)},
        {"poutre-console.vlm",
         "Console encastrée avec force et moment en bout et charge triangulaire en axes locaux.",
         withWorkBox(cantilever)},
        {"poutre-ressort-tassement.vlm",
         "Poutre continue en béton avec poids propre, appui élastique, tassement d'appui, charge "
         "constante locale et charge trapézoïdale globale.",
         withWorkBox(beamOnSpringAndSettlement)},
        {"portique-simple.vlm",
         "Portique encastré en pied, force horizontale en tête et charge répartie sur la traverse.",
         withWorkBox(portal)},
        {"portique-deux-versants.vlm",
         "Portique à deux versants avec articulation au faîtage, appui à rouleaux, auvent et "
         "charges de neige projetées constante et linéaire.",
         withWorkBox(gableFrame)},
        {"portique-tirant.vlm",
         "Portique en béton avec poids propre et tirant en acier (section « Axial »), tassement "
         "d'appui et appui élastique.",
         withWorkBox(frameWithTie)},
        {"portique-spatial.vlm",
         "Portique spatial à quatre poteaux encastrés, force et moment en tête, charges "
         "réparties sur deux poutres.",
         withWorkBox(spacePortal)},
        {"grillage.vlm",
         "Grillage de poutres horizontal sur appuis de types 2 à 5, charge concentrée au centre "
         "et charge linéaire locale avec moment de torsion réparti.",
         withWorkBox(grid)},
        {"console-spatiale.vlm",
         "Console spatiale coudée avec poids propre, appui défini par l'utilisateur, appui à "
         "rouleau, nœud articulé sur ressorts en translation et en rotation, tassement avec "
         "rotation imposée.",
         withWorkBox(spaceCantilever)},
        {"treillis-pyramide.vlm",
         "Treillis spatial en pyramide, isostatique, chargé au sommet.",
         withWorkBox(pyramidTruss)},
        {"treillis-caisson.vlm",
         "Poutre-caisson en treillis spatial avec poids propre, appuis à rouleaux et charge "
         "répartie sur une barre.",
         withWorkBox(boxTruss)},
        {"treillis-trepied.vlm",
         "Trépied en treillis spatial sur tassement d'appui et ressorts, charge au sommet et "
         "charge linéaire globale sur une barre.",
         withWorkBox(tripod)},
    };
    return models;
}

std::string ExamplesReadme()
{
    std::string text = "# Exemples\n\n"
                       "Structures written by Velmor itself in the text form "
                       "(`velmor-make-examples examples` writes them again).\n\n"
                       "| fichier | type | description |\n|---|---|---|\n";
    static const char* const types[] = {"", "poutre continue", "portique plan", "portique spatial",
                                        "treillis spatial"};
    for (const ExampleModel& m : ExampleModels()) {
        VelmorProblem p;
        m.build(p);
        text += "| `" + m.file + "` | " + types[p.m_nType] + " | " + m.description + " |\n";
    }
    return text;
}

} // namespace velmor
