#pragma once

#include "bsptwomap/Geometry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace btm::test {

// Assembles small version 30 files from parts, for maps no compiler would produce on purpose.
class BspBuilder {
public:
    int32_t version = 30;
    std::string entities;

    int plane(Vec3 normal, double dist);
    // Children: a node index, or leaf(i) for leaf i.
    int node(int plane, int front, int back);
    static int leaf(int index) { return -(index + 1); }
    int addLeaf(int32_t contents, std::vector<uint16_t> markSurfaces = {});
    // A node of the clip hulls. Children: a clip node index, or contents (kTestEmpty, kTestSolid).
    int clipNode(int plane, int front, int back);
    int texture(const std::string& name, uint32_t size, bool embedded);
    int texInfo(Vec3 s, double sOffset, Vec3 t, double tOffset, int texture);
    int face(int plane, bool flipped, int texInfo, const std::vector<Vec3>& points);
    // `clipHead`: the head of the model's clip hulls, once clip nodes exist.
    void model(Vec3 mins, Vec3 maxs, int headNode, int firstFace, int faceCount, int clipHead = 0);

    std::vector<uint8_t> build() const;

    // Offsets of the lump directory entries in the built file, for targeted damage.
    static size_t lumpOffsetField(int lump) { return 4 + 8 * static_cast<size_t>(lump); }

private:
    std::vector<uint8_t> planes_, nodes_, clipNodes_, leaves_, marks_, texInfo_, faces_, vertices_, edges_, surfEdges_,
        models_;
    std::vector<std::vector<uint8_t>> textures_;
    int planeCount_ = 0, nodeCount_ = 0, clipNodeCount_ = 0, leafCount_ = 0, texInfoCount_ = 0, faceCount_ = 0,
        vertexCount_ = 0, edgeCount_ = 0, surfEdgeCount_ = 0, markCount_ = 0;
};

// Leaf contents as stored.
inline constexpr int32_t kTestEmpty = -1;
inline constexpr int32_t kTestSolid = -2;

} // namespace btm::test
