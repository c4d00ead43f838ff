#include "SolverOrder.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <numeric>

namespace velmor {
namespace {

using Adjacency = std::vector<std::vector<int>>;

// Breadth-first levels from `start`; returns the last level's nodes and the depth.
int bfsDepth(const Adjacency& adj, int start, std::vector<int>& level, std::vector<int>& last)
{
    std::fill(level.begin(), level.end(), -1);
    std::vector<int> frontier{start};
    level[size_t(start)] = 0;
    int depth = 0;
    for (;;) {
        std::vector<int> next;
        for (int v : frontier)
            for (int w : adj[size_t(v)])
                if (level[size_t(w)] < 0) {
                    level[size_t(w)] = depth + 1;
                    next.push_back(w);
                }
        if (next.empty()) {
            last = frontier;
            return depth;
        }
        frontier.swap(next);
        ++depth;
    }
}

// Reverse Cuthill-McKee, component by component, each from a pseudo-peripheral node.
std::vector<int> reverseCuthillMcKee(int n, const Adjacency& adj)
{
    std::vector<int> sequence;
    sequence.reserve(size_t(n));
    std::vector<char> placed(size_t(n) + 1, 0);
    std::vector<int> level(size_t(n) + 1), last;
    auto degree = [&](int v) { return adj[size_t(v)].size(); };
    for (int seed = 1; seed <= n; ++seed) {
        if (placed[size_t(seed)])
            continue;
        int start = seed, depth = bfsDepth(adj, start, level, last);
        for (int pass = 0; pass < 4; ++pass) {
            const int candidate =
                *std::min_element(last.begin(), last.end(), [&](int a, int b) { return degree(a) < degree(b); });
            std::vector<int> candidateLast;
            const int d = bfsDepth(adj, candidate, level, candidateLast);
            if (d <= depth)
                break;
            start = candidate;
            depth = d;
            last = candidateLast;
        }
        size_t head = sequence.size();
        sequence.push_back(start);
        placed[size_t(start)] = 1;
        while (head < sequence.size()) {
            const int v = sequence[head++];
            std::vector<int> next;
            for (int w : adj[size_t(v)])
                if (!placed[size_t(w)]) {
                    placed[size_t(w)] = 1;
                    next.push_back(w);
                }
            std::sort(next.begin(), next.end(), [&](int a, int b) { return degree(a) < degree(b); });
            sequence.insert(sequence.end(), next.begin(), next.end());
        }
    }
    std::reverse(sequence.begin(), sequence.end());
    std::vector<int> order(size_t(n) + 1, 0);
    for (size_t i = 0; i < sequence.size(); ++i)
        order[size_t(sequence[i])] = int(i) + 1;
    return order;
}

// Nodes sorted by their coordinates, the axes compared in the given order.
std::vector<int> lexicographic(int n, const std::vector<Mfx3dPoint>& position, std::array<int, 3> axes)
{
    auto coordinate = [&](int v, int axis) {
        const Mfx3dPoint& p = position[size_t(v)];
        return axis == 0 ? p.x : axis == 1 ? p.y : p.z;
    };
    std::vector<int> nodes(static_cast<size_t>(n));
    std::iota(nodes.begin(), nodes.end(), 1);
    std::stable_sort(nodes.begin(), nodes.end(), [&](int a, int b) {
        for (int axis : axes) {
            const double ca = coordinate(a, axis), cb = coordinate(b, axis);
            if (ca != cb)
                return ca < cb;
        }
        return false;
    });
    std::vector<int> order(size_t(n) + 1, 0);
    for (size_t i = 0; i < nodes.size(); ++i)
        order[size_t(nodes[i])] = int(i) + 1;
    return order;
}

} // namespace

int OrderBandWidth(const std::vector<int>& order, const std::vector<std::pair<int, int>>& beams)
{
    int width = 1;
    for (const auto& [a, b] : beams)
        width = std::max(width, std::abs(order[size_t(a)] - order[size_t(b)]) + 1);
    return width;
}

std::vector<int> ChooseSolverOrder(int n, const std::vector<std::pair<int, int>>& beams,
                                   const std::vector<Mfx3dPoint>& position)
{
    std::vector<int> best(size_t(n) + 1);
    std::iota(best.begin(), best.end(), 0);
    int bestWidth = OrderBandWidth(best, beams);
    auto consider = [&](std::vector<int> order) {
        const int width = OrderBandWidth(order, beams);
        if (width < bestWidth) {
            bestWidth = width;
            best = std::move(order);
        }
    };
    Adjacency adj(size_t(n) + 1);
    for (const auto& [a, b] : beams)
        if (a != b) {
            adj[size_t(a)].push_back(b);
            adj[size_t(b)].push_back(a);
        }
    consider(reverseCuthillMcKee(n, adj));
    if (position.size() > size_t(n)) {
        const std::array<std::array<int, 3>, 6> axisOrders = {
            {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}}};
        for (const auto& axes : axisOrders)
            consider(lexicographic(n, position, axes));
    }
    return best;
}

} // namespace velmor
