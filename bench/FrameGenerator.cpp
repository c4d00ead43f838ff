#include "FrameGenerator.h"

#include "model/StructureBuilder.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace velmor::bench {
namespace {

// Nodes of a regular lattice created in lattice order or in a shuffled order; returns the
// node at each lattice index.
std::vector<VelmorObject*> latticeNodes(StructureBuilder& b, int nx, int ny, int nz, bool scrambled)
{
    const int count = nx * ny * nz;
    std::vector<int> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    if (scrambled)
        std::shuffle(order.begin(), order.end(), std::mt19937(12345));
    std::vector<VelmorObject*> nodes(static_cast<size_t>(count));
    for (int index : order) {
        const int i = index % nx, j = (index / nx) % ny, k = index / (nx * ny);
        nodes[static_cast<size_t>(index)] = b.Node(5.0 * i, 3.0 * j, 4.0 * k);
    }
    return nodes;
}

} // namespace

void PlaneFrame(VelmorProblem& p, int nx, int ny, bool scrambled)
{
    StructureBuilder b(p, PROBLEM_PLANE_FRAME, true);
    std::vector<VelmorObject*> n = latticeNodes(b, nx, ny, 1, scrambled);
    auto at = [&](int i, int j) { return n[static_cast<size_t>(j * nx + i)]; };
    VelmorObject* column = b.Rectangle(0.4, 0.4, 3e10, 0.2);
    VelmorObject* girder = b.Rectangle(0.3, 0.6, 3e10, 0.2);
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i) {
            if (j + 1 < ny)
                b.Beam(column, at(i, j), at(i, j + 1));
            if (j > 0 && i + 1 < nx)
                b.BeamLoad(b.Beam(girder, at(i, j), at(i + 1, j)), LOAD_CONSTANT_GLOBAL,
                           {0, -20000, 0});
        }
    for (int i = 0; i < nx; ++i) {
        b.Support(at(i, 0), 1);
        b.NodalLoad(at(i, ny - 1), {5000, 0, 0});
    }
}

void SpaceFrame(VelmorProblem& p, int nx, int ny, int nz, bool scrambled)
{
    StructureBuilder b(p, PROBLEM_SPACE_FRAME, true);
    std::vector<VelmorObject*> n = latticeNodes(b, nx, ny, nz, scrambled);
    auto at = [&](int i, int j, int k) { return n[static_cast<size_t>((k * ny + j) * nx + i)]; };
    VelmorObject* column = b.Rectangle(0.4, 0.4, 3e10, 0.2);
    VelmorObject* girder = b.Rectangle(0.3, 0.6, 3e10, 0.2);
    for (int k = 0; k < nz; ++k)
        for (int j = 0; j < ny; ++j)
            for (int i = 0; i < nx; ++i) {
                if (k + 1 < nz)
                    b.Beam(column, at(i, j, k), at(i, j, k + 1));
                if (k == 0)
                    continue;
                if (i + 1 < nx)
                    b.BeamLoad(b.Beam(girder, at(i, j, k), at(i + 1, j, k)), LOAD_CONSTANT_GLOBAL,
                               {0, 0, -20000});
                if (j + 1 < ny)
                    b.Beam(girder, at(i, j, k), at(i, j + 1, k));
            }
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i) {
            b.Support(at(i, j, 0), 1);
            b.NodalLoad(at(i, j, nz - 1), {5000, 2000, 0});
        }
}

} // namespace velmor::bench
