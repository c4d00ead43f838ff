// Small structures for the model tests, built through the problem container.
#pragma once

#include "model/StructureBuilder.h"

namespace velmor::test {

// Shorthands over StructureBuilder for a problem whose type is already set.
VelmorObject* AddNode(VelmorProblem& p, double x, double y, double z, int joint = 0);
// A section with E, A and I (both axes), G = E / 2.6, J = 2 I.
VelmorObject* AddSection(VelmorProblem& p, double E, double A, double I, int shape = 1,
                         double rho = 0.0);
VelmorObject* AddBeam(VelmorProblem& p, VelmorObject* section, VelmorObject* n1, VelmorObject* n2);
VelmorObject* AddSupport(VelmorProblem& p, VelmorObject* node, int type,
                         std::initializer_list<int> restraints);
VelmorObject* AddNodalLoad(VelmorProblem& p, VelmorObject* node, Mfx3dPoint force,
                           Mfx3dPoint moment = {0, 0, 0});
VelmorObject* AddBeamLoad(VelmorProblem& p, VelmorObject* beam, int type, Mfx3dPoint q1,
                          Mfx3dPoint q2);

// A plane portal frame: three nodes (the third a hinged joint), one section, two beams, two
// supports, one nodal load and one distributed load.
void BuildPortal(VelmorProblem& p);

} // namespace velmor::test
