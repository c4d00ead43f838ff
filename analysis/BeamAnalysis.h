// What a beam keeps of an analysis: its element matrices, its loads in local axes, its end
// forces, its internal-force and displacement laws, their inflexion points and extreme values.
#pragma once

#include "numeric/MatBase.h"
#include "numeric/Mfx3dPoint.h"
#include "numeric/Polynomial.h"
#include "numeric/SymBandMat.h"

#include <memory>

namespace velmor {

// The nine laws of a beam, as polynomials of the abscissa x from node 1.
enum LawIndex : int {
    LAW_VY = 0, LAW_VZ, LAW_N, LAW_T, LAW_MY, LAW_MZ, LAW_U, LAW_V, LAW_W, LAW_COUNT
};

// Law codes used by the views and the exercise checking (bit values).
enum LawCode : int {
    CODE_N = 1, CODE_VY = 2, CODE_VZ = 4, CODE_T = 8, CODE_MY = 16, CODE_MZ = 32,
};

// Positions in the 24-value extreme record.
enum ExtremeIndex : int {
    EXT_VY = 0, EXT_VZ = 2, EXT_MY = 4, EXT_MZ = 6, EXT_N = 8, EXT_T = 10,
    EXT_U = 12, EXT_V = 14, EXT_W = 16, EXT_FORCES = 18, EXT_MOMENTS = 20, EXT_DISPLACEMENTS = 22,
    EXT_COUNT = 24,
};

struct BeamAnalysis
{
    // Back to the state of a beam that has not been analysed: one-entry zero vectors, zero
    // laws, L = 0.
    void Reset();

    SymBandMat k;           // local stiffness, with its actual band
    int band = 0;
    Mat T;                  // local-to-global transformation of the element vector
    double L = 0.0;
    Mfx3dPoint end1, end2;  // end positions when k was computed
    int release = 0;        // end-release code h of the stiffness (0 to 3)
    Vector p;               // local intensities p1..p12 of every load on the beam
    Vector equiv;           // equivalent loads: global after the loads, local after the results
    Vector q;               // local end forces, element DOF order
    Vector dl;              // local end displacements
    Polynomial laws[LAW_COUNT];
    double inflexMz[6] = {};
    int nInflexMz = 0;
    double inflexMy[6] = {};
    int nInflexMy = 0;
    int done[6] = {};       // N, Vy, Vz, T, My, Mz: 1 when the law is identically zero or drawn
    double extrema[EXT_COUNT] = {};
};

// The two analysis records of a beam, made on first use: a beam that is never analysed (a
// large model being read or edited) carries none.
class BeamResultPair
{
public:
    BeamAnalysis& operator[](int i)
    {
        std::unique_ptr<BeamAnalysis>& r = m_records[i == 0 ? 0 : 1];
        if (!r)
            r = std::make_unique<BeamAnalysis>();
        return *r;
    }
    const BeamAnalysis& operator[](int i) const
    {
        static const BeamAnalysis none;
        const std::unique_ptr<BeamAnalysis>& r = m_records[i == 0 ? 0 : 1];
        return r ? *r : none;
    }

private:
    // Each record is made when it is first written: the views' record of a beam often never is.
    std::unique_ptr<BeamAnalysis> m_records[2];
};

} // namespace velmor
