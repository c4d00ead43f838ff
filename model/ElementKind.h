// Kinds of structural elements: each is also the index of its list in the problem container.
#pragma once

namespace velmor {

enum ElementKind : int {
    KIND_NONE = -1,
    KIND_NODE = 0,
    KIND_SECTION = 1,
    KIND_BEAM = 2,
    KIND_SUPPORT = 3,
    KIND_NODAL_LOAD = 4,
    KIND_BEAM_LOAD = 5,
};
inline constexpr int kKindCount = 6;

// Keyword of a kind in text files ("Node" ... "distributed_load"), or "" for none.
const char* KindKeyword(int kind);
// Kind of a keyword, or KIND_NONE when the word is not one of them.
int KindFromKeyword(const char* word);

// Problem types and their degrees of freedom per node.
enum ProblemType : int {
    PROBLEM_NONE = 0,
    PROBLEM_CONTINUOUS_BEAM = 1,
    PROBLEM_PLANE_FRAME = 2,
    PROBLEM_SPACE_FRAME = 3,
    PROBLEM_SPACE_TRUSS = 4,
};
// 2, 3, 6, 3 for types 1 to 4; 0 for any other value.
int DofPerNode(int problemType);

// The program's modes: the library editor, where structures are built, and the two calculation
// modes, where they are solved (examples) or practised (exercises).
enum class Mode : int { None = 0, Library = 2, Examples = 3, Exercises = 4 };

} // namespace velmor
