// Builds structures through the problem container, the way the editor does (templates and
// CreateObject): for the examples, the benchmarks' generators and the tests.
#pragma once

#include "VelmorProblem.h"

#include <initializer_list>

namespace velmor {

class StructureBuilder
{
public:
    // Works on `problem`, giving it the problem type. A bulk builder skips the duplicate tests
    // and the notifications of the editor's way (for large generated models).
    StructureBuilder(VelmorProblem& problem, int problemType, bool bulk = false);

    // Each returns the new element, or null when the container refuses it.
    VelmorObject* Node(double x, double y, double z, int joint = 0);
    VelmorObject* Section(const VelmorSeccionData& section);
    // A rectangular b x h section of a material (E, nu, rho): A, Iz = b h^3/12 (bending in the
    // local xy plane), Iy = h b^3/12, J of a rectangle, G = E / (2 (1 + nu)).
    VelmorObject* Rectangle(double b, double h, double E, double nu, double rho = 0.0);
    // A section that carries axial force only.
    VelmorObject* Axial(double A, double E, double rho = 0.0);
    VelmorObject* Beam(VelmorObject* section, VelmorObject* n1, VelmorObject* n2,
                       Mfx3dPoint orientation = {0, 0, 1});
    // A support of a type 0 to 9 with the given restraints, or, when none are given, those of
    // the predefined support picture (types 1 to 8).
    VelmorObject* Support(VelmorObject* node, int type, std::initializer_list<int> restraints = {});
    // An elastic support: translational and rotational spring stiffnesses, restraining the
    // components whose stiffness is not 0.
    VelmorObject* Spring(VelmorObject* node, Mfx3dPoint k, Mfx3dPoint kRotation = {0, 0, 0});
    // A prescribed displacement on the given restraints.
    VelmorObject* Settlement(VelmorObject* node, std::initializer_list<int> restraints,
                             Mfx3dPoint translation, Mfx3dPoint rotation = {0, 0, 0});
    VelmorObject* NodalLoad(VelmorObject* node, Mfx3dPoint force, Mfx3dPoint moment = {0, 0, 0});
    // A distributed load of a type 2 to 7; constant types repeat the first end's values.
    VelmorObject* BeamLoad(VelmorObject* beam, int type, Mfx3dPoint q1, Mfx3dPoint q2 = {0, 0, 0},
                           Mfx3dPoint m1 = {0, 0, 0}, Mfx3dPoint m2 = {0, 0, 0});

    VelmorProblem& Problem() { return m_problem; }

private:
    VelmorObject* Create(ElementTemplate& t);
    VelmorObject* SupportRecord(VelmorObject* node, VelmorApoyoData& record);

    VelmorProblem& m_problem;
    bool m_bulk;
};

} // namespace velmor
